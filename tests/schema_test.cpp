// The schema registry: column order as the tables are read by position,
// types, defaults, twins, and refusal of a malformed schema.

#include <gtest/gtest.h>

#include "platform/db_session.h"
#include "state/schema_registry.h"
#include "support/test_database.h"

using vexlab::state::ColumnType;
using vexlab::state::SchemaError;
using vexlab::state::SchemaRegistry;

namespace {

std::vector<std::string> names(const vexlab::state::TableDef& table) {
    std::vector<std::string> out;
    for (const auto& c : table.columns) out.push_back(c.name);
    return out;
}

TEST(Schema, FixedPositionsOfTablesReadByPosition) {
    const auto& schema = SchemaRegistry::instance();
    struct Fixed {
        std::string table, column;
        int position;
    } fixed[] = {
        {"tblsublabcmds", "index", 0},
        {"tblsublabcmds", "commandprompt", 2},
        {"tblsublabcmds", "command", 3},
        {"tblsublabcmds", "paramcount", 9},
        {"tblsublabcmds", "further", 13},
        {"tblsublabcmds", "response", 14},
        {"tblsublabcmds", "commanddesc", 15},
        {"tblsublabcmds", "param4", 17},
        {"tblsublabcmds9", "command", 1},
        {"tblsublabcmds9", "further", 7},
        {"tblsublabcmds9", "param4", 11},
        {"tblevalsyntax", "token", 1},
        {"sublab", "sublabnane", 1},
        {"sublab", "ref", 6},
        {"instructions", "device", 5},
        {"comrestble", "ref1", 6},
        {"device", "Device_Name", 2},
        {"device_def", "Dev_cat", 1},
        {"int_det", "ref", 24},
        {"int_det_def", "ref", 24},
        {"int_det", "encap_short", 9},
        {"route_ip", "int_name", 2},
        {"route_ip", "ip", 3},
        {"ospf_ip_def", "next_hop_devname", 5},
        {"eigrp_ip", "next_hop_intname", 6},
        {"access_list", "deny", 3},
        {"nat_pool", "glob_port", 5},
        {"nat_pool", "dev_ref", 6},
        {"vlan_info", "vlan_name", 1},
        {"frame_map", "subint_num", 1},
    };
    for (const auto& f : fixed) {
        SCOPED_TRACE(f.table + "." + f.column);
        const auto* table = schema.find(f.table);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->position(f.column), f.position);
    }
    EXPECT_EQ(names(schema.get("rout_dev")), (std::vector<std::string>{"dev_no", "dev_name"}));
    EXPECT_EQ(schema.get("ospf_dev").columns.size(), 7u);
    EXPECT_EQ(names(schema.get("int_device_def")), (std::vector<std::string>{"index", "dev_name"}));
}

TEST(Schema, TwinsHaveTheSameColumnsInTheSameOrder) {
    const auto& schema = SchemaRegistry::instance();
    for (std::string base : {"rout_dev", "route_ip", "ospf_dev", "ospf_ip", "eigrp_dev", "eigrp_ip",
                             "nat_dev", "nat_inout", "frame_device", "frame_ip", "frame_map"}) {
        SCOPED_TRACE(base);
        EXPECT_EQ(names(schema.get(base)), names(schema.get(base + "_def")));
    }
}

// A twin's working table is empty until a network is loaded: what a twin
// ships filled is its default copy.
TEST(Schema, FilledTablesAreTheOnesShippedWithRows) {
    const auto schema = SchemaRegistry::parse(
        "table a twin filled\n  x text\ntable b filled twin\n  x text\ntable c twin\n  x text\n"
        "table d filled\n  x text\ntable e\n  x text\n");
    for (const auto& [table, filled] : std::vector<std::pair<std::string, bool>>{{"a", false},
                                                                                 {"a_def", true},
                                                                                 {"b", false},
                                                                                 {"b_def", true},
                                                                                 {"c", false},
                                                                                 {"c_def", false},
                                                                                 {"d", true},
                                                                                 {"e", false}})
        EXPECT_EQ(schema.get(table).filled, filled) << table;
}

TEST(Schema, CreatedTablesCompareTextWithoutCaseAndKeepDefaults) {
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    vexlab::test::empty_database(session, dir.file("e.db"));
    session.execute("INSERT INTO config_template (Config_Variable) VALUES ('hostname')");
    EXPECT_EQ(
        session
            .scalar("SELECT count(*) FROM config_template WHERE Config_Variable = ?", {"HostName"})
            .to_int(),
        1);
    session.execute("INSERT INTO route_ip (int_name, ref) VALUES ('serial0', 1)");
    auto row = session.open_recordset("SELECT * FROM route_ip");
    EXPECT_EQ(row.text("ip"), "UA");
    EXPECT_EQ(row.text("nw_protocol"), "d");
    EXPECT_EQ(row.text("in_acl_num"), "-1");
    EXPECT_EQ(row.text("metric"), "0");
    session.execute("INSERT INTO sublab (\"index\", sublabnane) VALUES (1, 'x')");
    EXPECT_EQ(session.scalar("SELECT flashcard FROM sublab").to_text(), "nill");
}

TEST(Schema, MalformedSchemaIsRefusedWithItsLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"table a\n  x blob\n", "line 2: unknown type"},
        {"  x text\n", "line 1: column outside a table"},
        {"table a\n  x text\n  X integer\n", "line 3: column X twice"},
        {"table a\n  x integer default abc\n", "line 2: default of a number"},
        {"table a\n  x text\ntable a\n  y text\n", "line 3: table a defined twice"},
        {"table a\n", "table a has no columns"},
        {"table a twin\n  x text\ntable a_def\n  x text\n", "a_def twice"},
        {"table a twinned\n  x text\n", "line 1: unknown table option twinned"},
        {"table a filled filled\n  x text\n", "line 1: unknown table option filled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            SchemaRegistry::parse(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const SchemaError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(Schema, QuotedDefaultsAndYesNo) {
    auto schema = SchemaRegistry::parse(
        "table a\n  t text default \"Not Set\"\n  f yesno default false\n  n number default -1\n");
    const auto& a = schema.get("a");
    EXPECT_EQ(*a.columns[0].default_value, "Not Set");
    EXPECT_EQ(a.columns[1].type, ColumnType::YesNo);
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    session.create(dir.file("q.db"));
    schema.create_all(session);
    session.execute("INSERT INTO a DEFAULT VALUES");
    auto row = session.open_recordset("SELECT * FROM a");
    EXPECT_EQ(row.text(0), "Not Set");
    EXPECT_EQ(row.text(1), "False");
    EXPECT_EQ(row.text(2), "-1");
}

}  // namespace
