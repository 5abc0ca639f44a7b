// The show output engine and the template file: the key, the dispatch, the
// read-back of the written lines, and the field rules of both
// template engines on a pinned template.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <map>
#include <set>

#include "commands/show/show_output.h"
#include "commands/show/show_template.h"
#include "support/show_fixture.h"

namespace vexlab::test {
namespace {

using namespace commands::show;

std::time_t local_time(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

TEST(ShowKey, NamesTheDeviceAndTheKeywords) {
    struct Case {
        std::vector<std::string> words;
        state::DeviceKind kind;
        std::string model, key;
    } cases[] = {
        {{"show", "ip", "route"}, state::DeviceKind::Router, "2501", "show Router ip route"},
        {{"show", "vlan"}, state::DeviceKind::Switch, "2950", "show Switch vlan"},
        {{"show", "ip"}, state::DeviceKind::Pc, "PC", "show PC ip"},
        {{"show", "clock"}, state::DeviceKind::Router, "2501", "show clock"},
        {{"show", "history"}, state::DeviceKind::Switch, "2950", "show history"},
        // Argument positions are empty and leave no blank behind.
        {{"show", "interfaces", "serial", "", "", "", "", "", "", "", ""},
         state::DeviceKind::Router,
         "2501",
         "show Router interfaces serial"},
        {{"show", "frame-relay", "pvc", ""},
         state::DeviceKind::Router,
         "2501",
         "show Router frame-relay pvc"},
    };
    for (const auto& c : cases) EXPECT_EQ(show_key(c.words, c.kind, c.model), c.key);
}

TEST(ShowClock, HasNoLeadingZeros) {
    EXPECT_EQ(build_clock_output(local_time(2026, 12, 9, 9, 5, 7)), "9:5:7 Dec 9 2026\r\n");
    EXPECT_EQ(build_clock_output(local_time(2027, 1, 31, 23, 59, 10)), "23:59:10 Jan 31 2027\r\n");
}

TEST(Uptime, CountsWholeMinutesAcrossHoursAndMidnight) {
    const std::time_t opened = local_time(2026, 3, 10, 10, 5, 30);
    struct Case {
        std::time_t now;
        const char* minutes;
    } cases[] = {
        {local_time(2026, 3, 10, 10, 5, 59), "0"},   {local_time(2026, 3, 10, 11, 4, 0), "59"},
        {local_time(2026, 3, 10, 11, 5, 0), "60"},   {local_time(2026, 3, 10, 11, 6, 0), "61"},
        {local_time(2026, 3, 10, 12, 10, 0), "125"}, {local_time(2026, 3, 11, 0, 15, 0), "850"},
        {local_time(2026, 3, 10, 9, 0, 0), "0"},  // a clock set back shows no negative uptime
    };
    for (const auto& c : cases) EXPECT_EQ(get_uptime_minutes(opened, c.now), c.minutes);
    EXPECT_EQ(
        get_uptime_minutes(local_time(2026, 3, 10, 23, 50, 0), local_time(2026, 3, 11, 0, 10, 0)),
        "20");
}

// Every show command the catalogue offers prints something of its own: a
// listing built in code, or its block of the shipped template file.
class ShippedTemplate : public ShowFixture {};

TEST_F(ShippedTemplate, EveryCatalogueShowCommandHasABuilderOrABlock) {
    std::set<std::string> blocks;
    for (const auto& line : read_template_file(resources_dir() + "/showcommands.txt"))
        blocks.insert(line);
    const std::set<std::string> built = {
        "show Router frame-relay map",
        "show Router access-lists",
        "show Router isdn status",
        "show Router protocols",
        "show Router ip interface brief",
        "show Router ip ospf",
        "show Router ip ospf neighbor",
        "show Router ip ospf database",
        "show Router ip route",
        "show Router ip nat translations",
        "show Router running-config",
        "show Switch interfaces trunk",
        "show Switch vlan",
    };
    // The keys a command is answered by when it is not its own words.
    const std::map<std::string, std::vector<std::string>> answered_by = {
        {"show Router frame-relay pvc", {kPvcBlockKey}},
        {"show Router interfaces serial",
         {"show Router interfaces serial", "show Router interfaces serial framerelay"}},
        {"show Switch interfaces FastEthernet switchport", {kSwitchportKey}},
        // The argument check names the ISDN interface by its table name.
        {"show Router interfaces bri", {"show Router interfaces IsdnBri"}},
    };

    std::set<std::string> keys;
    const std::function<void(int, std::int64_t, std::string)> walk =
        [&](int level, std::int64_t parent, std::string key) {
            bool has_children = false, may_end = false;
            db::Recordset rows = session.open_recordset(
                "SELECT \"index\", command FROM " +
                    db::quote_identifier("tblsublabcmds" + std::to_string(level)) +
                    " WHERE ref = ? ORDER BY rowid",
                {parent});
            for (; !rows.eof(); rows.move_next()) {
                has_children = true;
                const std::string word = rows.text(1);
                if (word == "end_cmd") {
                    may_end = true;
                    continue;
                }
                walk(level + 1, rows.field(0).to_int(), word[0] == '<' ? key : key + " " + word);
            }
            if (!has_children || may_end) keys.insert(key);
        };
    const std::pair<int, const char*> kinds[] = {{1, "Router"}, {2, "Switch"}, {3, "PC"}};
    for (const auto& [kind, device_word] : kinds) {
        db::Recordset roots = session.open_recordset(
            "SELECT \"index\" FROM " + db::quote_identifier("tblsublabcmds") +
                " WHERE ref = ? AND command = 'show' ORDER BY rowid",
            {kind});
        ASSERT_FALSE(roots.eof()) << device_word;
        for (; !roots.eof(); roots.move_next())
            walk(1, roots.field(0).to_int(), std::string("show ") + device_word);
    }
    ASSERT_GT(keys.size(), 40u);
    for (const auto& key : keys) {
        if (key.ends_with(" history") || key.ends_with(" clock") || built.count(key)) continue;
        auto it = answered_by.find(key);
        for (const auto& block :
             it == answered_by.end() ? std::vector<std::string>{key} : it->second)
            EXPECT_TRUE(blocks.count(block)) << key << ": no block " << block;
    }
    // The startup configuration is saved from the running configuration's
    // block of the device kind, and write terminal lists its own.
    for (const char* block : {"show Router running-config", "show Switch running-config",
                              "write terminal", "show Router interfaces loopback"})
        EXPECT_TRUE(blocks.count(block)) << block;
}

// show version answers every model of a kind with one block, so the block
// names no model and no model's hardware: a 1912 must not read as a 2950.
TEST_F(ShippedTemplate, VersionListingsNameNoModel) {
    std::vector<std::string> models = {"2500", "2600", "C2950", "WS-C", "68030", "RC32300"};
    for (db::Recordset rows = session.open_recordset(
             "SELECT device FROM " + db::quote_identifier("devicetemplate") + " ORDER BY rowid");
         !rows.eof(); rows.move_next())
        if (rows.text(0) != "PC") models.push_back(rows.text(0));
    ASSERT_EQ(models.size(), 12u);
    for (const auto& [key, device] :
         {std::pair{"show Router version", "R1"}, std::pair{"show Switch version", "2950"}}) {
        const std::string out = build_show_output(key, context(device)).text;
        EXPECT_NE(out.find("uptime in minutes: "), std::string::npos) << key;
        for (const auto& model : models)
            EXPECT_EQ(out.find(model), std::string::npos) << key << " names " << model;
    }
}

TEST(ShowHistory, ListsTheTypedLinesInOrder) {
    EXPECT_EQ(build_history_output({"", "enable", "", "sh hist"}), "enable\r\nsh hist\r\n");
    EXPECT_EQ(build_history_output({""}), "");
}

class ShowEngine : public ShowFixture {
protected:
    void SetUp() override {
        ShowFixture::SetUp();
        use_template_file(std::string(VEXLAB_FIXTURES_DIR) + "/show/field_rules.txt");
    }
};

TEST_F(ShowEngine, DropsEmptyLinesAndKeepsLinesOfBlanks) {
    write_template("show Router gaps\n \nx\n\n");
    EXPECT_EQ(build_show_output("show Router gaps", context()).text, " \r\nx\r\n");
}

TEST_F(ShowEngine, AKeyWithoutBlockPrintsNothing) {
    EXPECT_EQ(build_show_output("show Router nothing here", context()).text, "");
    // write terminal is answered by its own block only.
    EXPECT_EQ(build_show_output("write terminal", context()).text, "");
    write_template("write terminal\nlisting\n\n");
    EXPECT_EQ(build_show_output("write terminal", context()).text, "listing\r\n");
}

TEST_F(ShowEngine, AMissingTemplateFilePrintsNothing) {
    auto c = context();
    c.template_path = dir.file("no-such-file.txt");
    EXPECT_EQ(build_show_output("show Router field rules", c).text, "");
}

TEST_F(ShowEngine, FillsFieldsByTheirRules) {
    set("R1", "banner_motd", "a long banner text");
    auto c = context();
    c.current_interface = "Ethernet0";
    sql("UPDATE int_det SET description = '' WHERE int_name = 'Ethernet0' AND ref = 1");
    c.opened_at = local_time(2026, 3, 10, 10, 5, 0);
    c.now = local_time(2026, 3, 10, 11, 4, 0);
    const std::string out = build_show_output("show Router field rules", c).text;
    EXPECT_EQ(out, crlf_lines({
                       // R1 is padded up to where "  Mode" stood; Mode starts at column 24.
                       "Hostname:R1" + std::string(12, ' ') + "Mode",
                       // A value longer than its room pushes the text on.
                       "Banner:a long banner text x",
                       "Uptime 59",
                       // "uptime" with text after it is an ordinary name, found nowhere.
                       "Up ",
                       "A R1",
                       // An interface cell without text reads as unassigned.
                       "Desc UA",
                       "Motd a long banner text after",
                       " ",
                       // A key heads every block it names; a key line with a
                       // trailing blank is another key.
                       "second block",
                   }));
}

TEST_F(ShowEngine, TheTrailingTextIsFoundWithItsOwnBlanksAfterIt) {
    // "up " first stands after the field, so R1 is padded up to it; "up"
    // alone would be found at the start of the line and add no blanks.
    write_template("show Router anchor\nup: $hostname up \n\n");
    EXPECT_EQ(build_show_output("show Router anchor", context()).text,
              "up: R1" + std::string(10, ' ') + "up \r\n");
}

TEST_F(ShowEngine, ACellWithoutValueAddsOnlyItsTrailingText) {
    set("R1", "banner_motd", db::Value::null());
    write_template("show Router motd\nMotd $banner_motd after\n\n");
    EXPECT_EQ(build_show_output("show Router motd", context()).text, "Motd  after\r\n");
}

TEST_F(ShowEngine, AValueTheDeviceHasNotSetNeverShowsItsMarker) {
    set("R1", "vtp_domain", "nill");
    set("R1", "banner_motd", "nill");
    write_template(
        "show Router unset\n"
        "VTP Domain Name : $vtp_domain\n"
        "$banner_motd\n"
        "Both $vtp_domain and $banner_motd\n"
        // A line that shows something of the device keeps it and loses the
        // unset value; so does one whose other field is found nowhere.
        "Host $hostname domain $vtp_domain end\n"
        "A $nothing_here B $vtp_domain\n"
        "kept\n\n"
        "show Router ip interface\n"
        "Int $int_name $vtp_domain\n"
        "Motd $banner_motd\n\n");
    EXPECT_EQ(build_show_output("show Router unset", context()).text,
              crlf_lines({"Host R1" + std::string(10, ' ') + "domain  end", "kept"}));
    // The per-interface engine keeps to the same rule.
    EXPECT_EQ(build_show_output("show Router ip interface", context()).text,
              crlf_lines({"Int Ethernet0 ", "Int Serial0 ", "Int Serial1 "}));
    // A value the device does have is shown as it is.
    set("R1", "vtp_domain", "Lab");
    EXPECT_EQ(
        build_show_output("show Router unset", context()).text,
        crlf_lines({"VTP Domain Name : Lab", "Both Lab" + std::string(11, ' ') + "and ",
                    "Host R1" + std::string(10, ' ') + "domain Lab" + std::string(9, ' ') + "end",
                    "A Lab", "kept"}));
}

TEST_F(ShowEngine, AKeyTheDeviceHasNoColumnForDropsTheField) {
    write_template("show Router who\nName $hostname end\n\n");
    EXPECT_EQ(build_show_output("show Router who", context("Nobody")).text, "Name \r\n");
}

TEST_F(ShowEngine, PerInterfaceBlocksRepeatForEveryInterface) {
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true, "o", 7);
    sql("UPDATE int_det SET description = '' WHERE int_name = 'Serial0' AND ref = 1");
    auto c = context();
    c.current_interface = "serial1";
    const ShowOutput out = build_show_output("show Router ip interface", c);
    EXPECT_EQ(out.text, crlf_lines({
                            "Int Ethernet0",
                            "Desc Not Set" + std::string(7, ' ') + " end",
                            "Area -1",
                            "Host R1",  //
                            "Int Serial0",
                            // No "UA" here: the blanks before the trailing text still go in.
                            "Desc " + std::string(14, ' ') + " end",
                            "Area 7",
                            "Host R1",  //
                            "Int Serial1",
                            "Desc Not Set" + std::string(7, ' ') + " end",
                            "Area -1",
                            "Host R1",
                        }));
    // The console keeps its interface.
    EXPECT_EQ(out.current_interface, "serial1");
}

TEST_F(ShowEngine, LmiBlocksOnlyForFrameRelayInterfaces) {
    sql("UPDATE int_det SET encap_short = 'framerelay' WHERE int_name = 'Serial1' AND ref = 1");
    EXPECT_EQ(build_show_output("show Router frame-relay lmi", context()).text, "LMI Serial1\r\n");
}

TEST_F(ShowEngine, VirtualLinksOnlyForTheFirstInterface) {
    EXPECT_EQ(build_show_output("show Router ip ospf virtual-links", context()).text,
              "VL Ethernet0\r\n");
    // A device without interfaces prints nothing.
    EXPECT_EQ(build_show_output("show Router ip ospf virtual-links", context("2950")).text, "");
}

TEST_F(ShowEngine, SwitchportListingReadsTheTypedPort) {
    set("2950", "FastEthernet0/3_vlan", "20");
    set("2950", "FastEthernet0/3_trunk_opmode", "trunk");
    auto c = context("2950", "sh int fa 0/3 sw",
                     {"show", "interfaces", "FastEthernet", "", "switchport"});
    c.current_interface = "interfaces0/3";
    const ShowOutput out = build_show_output("show Switch interfaces FastEthernet switchport", c);
    EXPECT_EQ(out.text, "Access VLAN 20\r\nMode trunk\r\n");
}

TEST_F(ShowEngine, BareLoopbackGetsItsNumber) {
    auto c = context();
    c.current_interface = "loopback";
    c.loopback_number = 1;
    EXPECT_EQ(build_show_output("show Router nothing", c).current_interface, "loopback1");
    c.current_interface = "loopback2";
    EXPECT_EQ(build_show_output("show Router nothing", c).current_interface, "loopback2");
}

TEST_F(ShowEngine, ShowHistoryEndsWithTheLineThatAskedForIt) {
    auto c = context("R1", "sh hist", {"show", "history"});
    c.history = {"", "enable", "sh hist"};
    EXPECT_EQ(build_show_output("show history", c).text, "enable\r\nsh hist\r\n");
}

}  // namespace
}  // namespace vexlab::test
