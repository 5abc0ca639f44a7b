// The database built from resources/: the default network's shape, the
// settings pairs, and refusal of broken sources with the line at fault.

#include "state/database_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "interpreter/catalogue.h"
#include "platform/db_session.h"
#include "state/schema_registry.h"
#include "state/table_text.h"
#include "support/test_database.h"

namespace {

using vexlab::db::DatabaseSession;

class ShippedDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
        session.open(dir.file("commandsbackup.mdb"));
    }
    std::int64_t count(const std::string& sql) { return session.scalar(sql).to_int(); }
    vexlab::test::TempDir dir;
    DatabaseSession session;
};

TEST_F(ShippedDatabase, DefaultNetworkHasItsDevicesAndCabling) {
    EXPECT_EQ(count("SELECT count(*) FROM device_def WHERE Device_Name = 'R1' AND \"index\" = 1"),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM device_def WHERE Device_Name = '2950' AND \"index\" = 2"),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM device_def WHERE Dev_cat = '2501'"), 3);
    // Device 4 exists and is the one whose interfaces start up.
    EXPECT_EQ(count("SELECT count(*) FROM rout_dev_def WHERE dev_no = 4"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def WHERE int_status = 1 AND ref <> 4"), 0);
    // The switch hangs off R1's Ethernet0, both ends naming each other.
    auto link = session.open_recordset(
        "SELECT next_hop_devname, next_hop_intname FROM route_ip_def r JOIN rout_dev_def d "
        "ON r.ref = d.dev_no WHERE d.dev_name = 'R1' AND r.int_name = 'ethernet0'");
    ASSERT_FALSE(link.eof());
    EXPECT_EQ(link.text(0), "2950");
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def r JOIN rout_dev_def d ON r.ref = d.dev_no "
                    "WHERE d.dev_name = '2950' AND r.int_name = '" +
                    link.text(1) + "' AND r.next_hop_devname = 'R1'"),
              1);
    // No shipped interface row is one the reset would delete.
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def WHERE \"index\" = 0 OR int_name LIKE "
                    "'loopback%'"),
              0);
    // The three routing views hold the same interfaces.
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def"),
              count("SELECT count(*) FROM ospf_ip_def"));
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def"),
              count("SELECT count(*) FROM eigrp_ip_def"));
    // Every interface the routers configure has its detail row, ref at 24.
    auto det = session.open_recordset("SELECT * FROM int_det_def");
    ASSERT_FALSE(det.eof());
    EXPECT_EQ(det.field_name(24), "ref");
    EXPECT_EQ(count("SELECT count(*) FROM int_det_def"), 9);
}

TEST_F(ShippedDatabase, SettingsComeInPristineAndWorkingPairs) {
    auto names = session.column_names("routervariables_def");
    ASSERT_EQ(names.size() % 2, 1u);
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "Config_Variable");
    EXPECT_EQ(names[2], "R1");  // the network simulator starts on the first device
    for (std::size_t i = 2; i < names.size(); i += 2) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(names[i - 1], vexlab::state::pristine_column(names[i]));
        EXPECT_EQ(
            session.scalar("SELECT count(*) FROM device_def WHERE Device_Name = ?", {names[i]})
                .to_int(),
            1);
    }
    EXPECT_EQ(count("SELECT count(*) FROM routervariables_def"),
              count("SELECT count(*) FROM config_template"));
    auto host = session.open_recordset(
        "SELECT * FROM routervariables_def WHERE Config_Variable = 'HostName'");
    ASSERT_FALSE(host.eof());
    EXPECT_EQ(host.text("R2"), "R2");
    EXPECT_EQ(host.text("2950"), "2950");
    // Nothing is left unset for a device of the default network.
    std::string nulls = "SELECT count(*) FROM routervariables_def WHERE 0";
    for (std::size_t i = 1; i < names.size(); ++i)
        nulls += " OR " + vexlab::db::quote_identifier(names[i]) + " IS NULL";
    EXPECT_EQ(count(nulls), 0);
}

TEST_F(ShippedDatabase, LabTablesAndTokensAreFilled) {
    EXPECT_GT(count("SELECT count(*) FROM labs"), 0);
    EXPECT_GT(count("SELECT count(*) FROM sublab WHERE ref BETWEEN 1 AND 10"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM tblevalsyntax"), 44);
    EXPECT_GT(count("SELECT count(*) FROM tblsublabcmds"), 0);
}

// The start refuses a database that lacks these; the shipped one has them.
TEST_F(ShippedDatabase, EveryTableShippedFilledHoldsRowsAndTheCatalogueIsWhole) {
    EXPECT_EQ(vexlab::state::SchemaRegistry::instance().emptied(session), std::nullopt);
    EXPECT_EQ(vexlab::interpreter::catalogue_fault(session), std::nullopt);
}

TEST(DatabaseBuilder, BrokenRowsAreRefusedWithFileAndLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"table nowhere\ncolumns a\n1\n", "t.rows:3: unknown table nowhere"},
        {"table labs\ncolumns index | nothing\n1 | x\n",
         "t.rows:3: table labs has no column nothing"},
        {"table labs\ncolumns index | labname\n1 | a | b\n", "t.rows:3: row has 3 cells"},
        {"table labs\ncolumns index | labname\none | a\n",
         "t.rows:3: column index holds whole numbers"},
        {"table access_list\ncolumns deny\nmaybe\n", "t.rows:3: column deny holds True or False"},
        {"labs\n", "t.rows:1: rows before the first table line"},
        {"table labs\n1 | a\n", "t.rows:2: expected a columns line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        vexlab::test::TempDir dir;
        DatabaseSession session;
        vexlab::test::empty_database(session, dir.file("e.db"));
        try {
            vexlab::state::load_table_text(session, vexlab::state::SchemaRegistry::instance(),
                                           c.text, "t.rows");
            ADD_FAILURE() << "accepted";
        } catch (const vexlab::state::TableTextError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(DatabaseBuilder, CellEscapesAndNull) {
    vexlab::test::TempDir dir;
    DatabaseSession session;
    vexlab::test::empty_database(session, dir.file("e.db"));
    vexlab::state::load_table_text(
        session, vexlab::state::SchemaRegistry::instance(),
        "table sublab\ncolumns index | sublabnane | description | networkpath\n"
        "1 | a \\| b | line one\\nline two | \\N\n2 | \\sedge\\s | it's | \n",
        "t.rows");
    auto rows = session.open_recordset(
        "SELECT sublabnane, description, networkpath FROM sublab "
        "ORDER BY \"index\"");
    EXPECT_EQ(rows.text(0), "a | b");
    EXPECT_EQ(rows.text(1), "line one\nline two");
    EXPECT_TRUE(rows.field(2).is_null());
    rows.move_next();
    EXPECT_EQ(rows.text(0), " edge ");
    EXPECT_EQ(rows.text(1), "it's");
    EXPECT_EQ(rows.text(2), "");
}

TEST(DatabaseBuilder, SettingsNamingAnUnknownKeyOrDeviceAreRefused) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"devices R1\nR1 hostnmae = x\n", "s.conf:2: key hostnmae is not in config_template"},
        {"devices R1\nR9 hostname = x\n", "s.conf:2: unknown device R9"},
        {"R1 hostname = x\n", "s.conf:1: the devices line comes first"},
        {"devices R1 Nobody\n", "device Nobody has no row in device_def"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        vexlab::test::TempDir dir;
        DatabaseSession session;
        vexlab::test::empty_database(session, dir.file("e.db"));
        session.execute("INSERT INTO config_template VALUES ('hostname', 'Router')");
        session.execute("INSERT INTO device_def VALUES (1, '2501', 'R1')");
        try {
            vexlab::state::build_default_settings(session, c.text, "s.conf");
            ADD_FAILURE() << "accepted";
        } catch (const vexlab::state::BuildError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(DatabaseBuilder, AFailedBuildLeavesNoFileBehind) {
    vexlab::test::TempDir resources;
    std::filesystem::create_directories(resources.path() / "network");
    std::ofstream(resources.path() / "bad.rows") << "table nowhere\ncolumns a\n1\n";
    vexlab::test::TempDir out;
    const std::string target = out.file("commandsbackup.mdb");
    EXPECT_THROW(vexlab::state::build_database(resources.path().string(), target, nullptr),
                 vexlab::state::BuildError);
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

}  // namespace
