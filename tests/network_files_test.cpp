// Network files: the line forms, the configuration file Save Config writes,
// its reading back by Load Config and of exported networks by Open Exported
// File, round trips, the refusal of malformed files with the network left
// as it was, the clearing of the working tables, router ids and safe saving.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "commands/show/startup_config.h"
#include "example_network.h"
#include "networkfiles/file_format.h"
#include "networkfiles/network_file.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/network_loader.h"
#include "networkfiles/router_ids.h"
#include "platform/atomic_file.h"
#include "platform/db_session.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/leftovers.h"
#include "support/network_state.h"

namespace {

namespace nf = vexlab::networkfiles;
using vexlab::db::Value;
using vexlab::state::NetworkLoad;
using vexlab::test::database_state;
using vexlab::test::read_file;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (auto line : vexlab::platform::split_lines(text)) lines.emplace_back(line);
    return lines;
}

std::size_t line_index(const std::vector<std::string>& lines, const std::string& line,
                       std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i] == line) return i;
    return std::string::npos;
}

std::string rows(vexlab::db::DatabaseSession& session, const std::string& sql) {
    std::string out;
    auto set = session.open_recordset(sql);
    for (; !set.eof(); set.move_next()) {
        for (int i = 0; i < set.field_count(); ++i) out += (i ? "," : "") + set.text(i);
        out += ";";
    }
    return out;
}

std::string& replace(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos)
        ADD_FAILURE() << "no " << from;
    else
        text.replace(at, from.size(), to);
    return text;
}

void cut_from(std::string& text, const std::string& marker) {
    const auto at = text.find(marker);
    if (at == std::string::npos)
        ADD_FAILURE() << "no " << marker;
    else
        text.resize(at);
}

// The text with line `number` (counted from 1) replaced.
void replace_line(std::string& text, int number, const std::string& line) {
    auto lines = lines_of(text);
    lines.at(number - 1) = line;
    text.clear();
    for (const auto& l : lines) text += l + "\r\n";
}

int line_of(const std::string& text, const std::string& marker) {
    const auto at = text.find(marker);
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

// ------------------------------------------------------------------ line forms

TEST(NetworkFileLines, ValuesAreWrittenInTheFormOfTheirType) {
    const std::vector<std::pair<Value, std::string>> cases = {
        {Value("Serial0"), "Serial0"},
        {Value(0), " 0 "},
        {Value(12), " 12 "},
        {Value(-1), "-1 "},
        {Value(1.5), " 1.5 "},
        {Value(true), "True"},
        {Value(false), "False"},
        {Value(), ""},
        {Value(""), ""},
        {Value(" 7 "), " 7 "},
    };
    for (const auto& [value, line] : cases) EXPECT_EQ(nf::value_line(value), line) << line;
}

TEST(NetworkFileLines, ValueLinesReadBackByColumnType) {
    using vexlab::state::ColumnType;
    EXPECT_EQ(nf::column_value(" 10 ", ColumnType::Integer), Value(10));
    EXPECT_EQ(nf::column_value("-1 ", ColumnType::Integer), Value(-1));
    EXPECT_EQ(nf::column_value("", ColumnType::Integer), Value());
    EXPECT_EQ(nf::column_value("True", ColumnType::YesNo), Value(true));
    EXPECT_EQ(nf::column_value("False", ColumnType::YesNo), Value(false));
    EXPECT_EQ(nf::column_value(" 10 ", ColumnType::Text), Value(" 10 "));
    EXPECT_EQ(nf::column_value("", ColumnType::Text), Value(""));
    EXPECT_EQ(nf::column_value(" 2.5 ", ColumnType::Number), Value(2.5));
    EXPECT_FALSE(nf::column_value("ten", ColumnType::Integer));
    EXPECT_FALSE(nf::column_value("1x", ColumnType::Integer));
    EXPECT_FALSE(nf::column_value("maybe", ColumnType::YesNo));
}

// A further line of a value, or of the description, that could be read as
// a line of the file's own gets one backslash more; every other line is
// written as it is.
TEST(NetworkFileLines, LinesThatCouldBeReadAsStructureAreEscaped) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;  // line, as written
    const struct {
        const char* what;
        std::string (*escaped)(std::string_view);
        std::string_view (*unescaped)(std::string_view);
        Pairs lines;
    } kinds[] = {
        {"a further line of a value",
         nf::escaped_value_line,
         nf::unescaped_value_line,
         {
             {"enable_password:cisco", "\\enable_password:cisco"},
             {"no_such_key:x", "\\no_such_key:x"},
             {"netpath:/p.gif", "\\netpath:/p.gif"},
             {"<2501>", "\\<2501>"},
             {"\\hostname:x", "\\\\hostname:x"},
             {"\\\\<x", "\\\\\\<x"},
             {" description link: to R2", " description link: to R2"},
             {"a b:c", "a b:c"},
             {":first", ":first"},
             {"\\plain", "\\plain"},
             {"\\", "\\"},
             {"", ""},
             {"[R9]", "[R9]"},
         }},
        {"a line of the description",
         nf::escaped_description_line,
         nf::unescaped_description_line,
         {
             {"<vlan information>", "\\<vlan information>"},
             {"<subint information>", "\\<subint information>"},
             {"\\<vlan information>", "\\\\<vlan information>"},
             {"<description>", "<description>"},
             {"a:b", "a:b"},
             {"\\a", "\\a"},
         }},
    };
    for (const auto& kind : kinds)
        for (const auto& [line, written] : kind.lines) {
            EXPECT_EQ(kind.escaped(line), written) << kind.what << ": " << line;
            EXPECT_EQ(kind.unescaped(written), line) << kind.what << ": " << written;
        }
}

TEST(NetworkFileLines, ThePictureLiesBesideTheFileUnderJpg) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/p/user/lab.exp", "/p/user/lab.jpg"},
        {"/p/user/lab.old.exp", "/p/user/lab.old.jpg"},
        {"/p/user/lab", "/p/user/lab.jpg"},
        {"/p/user.d/lab", "/p/user.d/lab.jpg"},
        {"lab.exp", "lab.jpg"},
    };
    for (const auto& [file, picture] : cases) EXPECT_EQ(nf::picture_path_for(file), picture);
}

TEST(NetworkFileLines, ModelsGiveTheirDeviceKindExactly) {
    EXPECT_EQ(nf::kind_of_model("2501"), vexlab::state::DeviceKind::Router);
    EXPECT_EQ(nf::kind_of_model("2620"), vexlab::state::DeviceKind::Router);
    EXPECT_EQ(nf::kind_of_model("1912"), vexlab::state::DeviceKind::Switch);
    EXPECT_EQ(nf::kind_of_model("PC"), vexlab::state::DeviceKind::Pc);
    EXPECT_FALSE(nf::kind_of_model("pc"));
    EXPECT_FALSE(nf::kind_of_model("2500"));
}

// ------------------------------------------------------------------ router ids

TEST(RouterIds, TheChoiceComparesTheAddressesAsTextWithoutDots) {
    using Ips = std::vector<std::optional<std::string>>;
    const std::vector<std::pair<Ips, std::string>> cases = {
        {{}, "UA"},
        {{"UA"}, "UA"},
        {{"UA", "10.1.1.1"}, "10.1.1.1"},
        {{"10.1.1.1", "UA"}, "10.1.1.1"},
        {{"", "UA", "UA"}, ""},
        {{"172.16.0.1", "9.9.9.9"}, "9.9.9.9"},
        {{"10.0.0.1", "9.0.0.1"}, "9.0.0.1"},
        {{"192.168.1.1", "192.168.1.10"}, "192.168.1.10"},
        {{"1.11.1.1", "11.1.1.1"}, "1.11.1.1"},
        {{std::nullopt, "10.0.0.1"}, "10.0.0.1"},
    };
    for (const auto& [ips, id] : cases) EXPECT_EQ(nf::choose_router_id(ips), id);
}

// ------------------------------------------------------------------ a network in a test

class NetworkFiles : public ::testing::Test {
protected:
    vexlab::test::DefaultNetwork net;
    vexlab::state::AppState& app = net.app;

    std::string saved(const std::string& name) {
        const std::string path = net.folder.file(name);
        nf::save_config(app, path);
        return path;
    }

    std::string exported(const std::string& name, const std::string& source) {
        auto network = vexlab::examples::parse_example(source, name);
        return net.write_file(name, vexlab::examples::export_text(app.session, network));
    }

    std::string example_file(const std::string& stem) {
        return read_file(vexlab::test::resources_dir() + "/examples/" + stem + ".net");
    }

    void configure_default_network() { vexlab::test::configure_default_network(app); }
};

// ------------------------------------------------------------------ Save Config

TEST_F(NetworkFiles, SavingTheDefaultNetworkWritesItsWorkingColumnsAndEverySection) {
    const std::string text = read_file(saved("default.con"));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = lines_of(text);

    // One block per working column, in column order; never a pristine one.
    std::vector<std::string> blocks;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].size() > 2 && lines[i][0] == '[') blocks.push_back(lines[i]);
    EXPECT_EQ(blocks, (std::vector<std::string>{"[R1]", "[R2]", "[R3]", "[2950]", "[PC]"}));
    EXPECT_EQ(lines[0], "<2501>");
    EXPECT_EQ(lines[1], "[R1]");
    EXPECT_EQ(lines[2], "hostname:R1");

    // The sections in their fixed order, the last one "nat pool".
    std::size_t at = 0;
    for (const std::string& header :
         {"netpath:" + app.program_file("tolvane-fig.gif"), std::string("<routing information>"),
          std::string("<ospf information>"), std::string("<eigrp information>"),
          std::string("<description>"), std::string("<vlan information>"),
          std::string("<mac information>"), std::string("<port security>"), std::string("framemap"),
          std::string("intdevice"), std::string("intdet"), std::string("virtual link"),
          std::string("nat device"), std::string("nat mapping"), std::string("Access list"),
          std::string("nat pool")}) {
        const std::size_t found = line_index(lines, header, at);
        ASSERT_NE(found, std::string::npos) << header;
        at = found + 1;
    }
    EXPECT_EQ(lines.back(), "nat pool");

    // The first routing record: R1's Ethernet0, every column of route_ip.
    const std::size_t routing = line_index(lines, "<routing information>");
    EXPECT_EQ(lines[routing + 1], "<1>");
    EXPECT_EQ(lines[routing + 2], "<R1>");
    EXPECT_EQ(lines[routing + 3], " 1 ");  // index
    EXPECT_EQ(lines[routing + 4], " 1 ");  // ref
    EXPECT_EQ(lines[routing + 5], "Ethernet0");
    EXPECT_EQ(lines[routing + 6], "UA");
    const auto shape = nf::table_shape(app.session, "route_ip");
    EXPECT_EQ(lines[routing + 3 + shape.size()], "<1>");  // the next record

    // An empty dump gives its header alone; a filled one its rows and EOR.
    EXPECT_EQ(lines[line_index(lines, "<vlan information>") + 1], "<mac information>");
    const std::size_t intdevice = line_index(lines, "intdevice");
    EXPECT_EQ(lines[intdevice + 1], " 1 ");
    EXPECT_EQ(lines[intdevice + 2], "R1");
    EXPECT_EQ(lines[intdevice + 3], "EOR");
}

TEST_F(NetworkFiles, SavingLeavesTheNetworkAsItWas) {
    configure_default_network();
    const std::string before = database_state(app.session);
    saved("a.con");
    EXPECT_EQ(database_state(app.session), before);
}

TEST_F(NetworkFiles, ANullSettingEndsItsLineAtTheColonAndAFalseFlagIsWritten) {
    app.session.execute(
        "UPDATE routervariables_def SET R1 = NULL WHERE Config_Variable = 'banner_motd'");
    app.session.execute("UPDATE ospf_dev_def SET virtual_link = 0");
    const auto lines = lines_of(read_file(saved("n.con")));
    EXPECT_NE(line_index(lines, "banner_motd:"), std::string::npos);
    const std::size_t vlink = line_index(lines, "virtual link");
    EXPECT_EQ(lines[vlink + 1], " 1 ");
    EXPECT_EQ(lines[vlink + 2], "R1");
    EXPECT_EQ(lines[vlink + 4], "False");
}

// ------------------------------------------------------------------ Load Config

TEST_F(NetworkFiles, SaveLoadSaveGivesTheSameFile) {
    const std::string first = saved("first.con");
    nf::load_network(app, first, NetworkLoad::ConfigurationFile);
    EXPECT_FALSE(app.table_set.is_default());
    EXPECT_EQ(read_file(saved("second.con")), read_file(first));
}

TEST_F(NetworkFiles, AConfiguredNetworkSurvivesSaveAndLoad) {
    configure_default_network();
    const std::string first = saved("first.con");
    nf::load_network(app, first, NetworkLoad::ConfigurationFile);
    EXPECT_EQ(read_file(saved("second.con")), read_file(first));

    // The multi-line startup configuration comes back whole.
    EXPECT_EQ(vexlab::state::read_setting(app, "startup-config", "R1"),
              "!\r\nhostname R1\r\n!\r\ninterface Serial0\r\n description link: to R2\r\n"
              " ip address 10.0.0.1 255.0.0.0\r\n\r\n!\r\nend");
    EXPECT_EQ(vexlab::state::read_setting(app, "enable_password", "R1"), "cisco");
    EXPECT_EQ(app.network.lab_description, "Line one\r\nLine two\r\n\r\nLine four");
    // Values that read like headers or "EOR" are values.
    EXPECT_EQ(rows(app.session, "SELECT vlan_num, vlan_name FROM vlan_info"),
              "10,sales;20,virtual link;");
    EXPECT_EQ(
        rows(app.session, "SELECT description FROM int_det WHERE ref = 1 AND int_name = 'Serial0'"),
        "EOR is a word;");
    // Access lists keep their order of evaluation.
    EXPECT_EQ(rows(app.session, "SELECT accesslist_num, ip, deny FROM access_list"),
              "10,10.0.0.0,True;10,any,False;1,192.168.1.0,False;");
    EXPECT_EQ(rows(app.session,
                   "SELECT dev_no, device_id, virtual_link, transit_area "
                   "FROM ospf_dev WHERE dev_no = 1"),
              "1,10.0.0.1,True,5;");
    EXPECT_EQ(rows(app.session, "SELECT nat_status FROM nat_dev WHERE dev_no = 2"), "1;");
    EXPECT_EQ(rows(app.session, "SELECT pool_name, glob_port, dev_ref FROM nat_pool"),
              "pool1,o,2;");
    // The next hop of R2's Serial0 is R1's Serial0.
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hopip, next_hopmask FROM route_ip "
                   "WHERE ref = 2 AND int_name = 'Serial0'"),
              "10.0.0.1,255.0.0.0;");
}

TEST_F(NetworkFiles, LoadConfigAttachesTheConsoleToTheFirstDevice) {
    const std::string path = saved("net.con");
    app.console.device.current_device = "PC";
    app.console.device.home_device = app.console.device.home_host_name = "elsewhere";
    app.console.output.response_text = "something";
    app.console.output.paging_active = true;
    int last_step = 0;
    nf::load_network(app, path, NetworkLoad::ConfigurationFile,
                     [&](int step) { EXPECT_EQ(step, ++last_step); });
    EXPECT_EQ(last_step, nf::load_steps(NetworkLoad::ConfigurationFile));
    EXPECT_EQ(app.console.device.current_device, "R1");
    EXPECT_EQ(app.console.device.host_name, "R1");
    // The telnet escape comes back to the start device, not to a device of
    // the network shown before.
    EXPECT_EQ(app.console.device.home_device, "R1");
    EXPECT_EQ(app.console.device.home_host_name, "R1");
    EXPECT_EQ(app.console.device.device_kind, vexlab::state::DeviceKind::Router);
    EXPECT_EQ(app.console.device.device_model, "2501");
    EXPECT_EQ(app.console.mode.prompt_text, "R1>");
    EXPECT_EQ(app.console.output.response_text, "nill");
    EXPECT_FALSE(app.console.output.paging_active);
    EXPECT_EQ(app.network.loaded_file_path, path);
    EXPECT_EQ(app.network.loaded_by, NetworkLoad::ConfigurationFile);
    EXPECT_EQ(app.network.network_picture_path, app.program_file("tolvane-fig.gif"));

    // The settings table: the template's keys, one column per device.
    EXPECT_EQ(app.session.column_names("routervariables"),
              (std::vector<std::string>{"Config_Variable", "R1", "R2", "R3", "2950", "PC"}));
    EXPECT_EQ(rows(app.session, "SELECT count(*) FROM routervariables"),
              rows(app.session, "SELECT count(*) FROM config_template"));
    // Only routers keep interface devices; switches and PCs lose theirs.
    EXPECT_EQ(rows(app.session, "SELECT \"index\", dev_name FROM int_device"), "1,R1;2,R2;3,R3;");
    EXPECT_EQ(rows(app.session, "SELECT DISTINCT ref FROM frame_ip ORDER BY ref"), "1;2;3;");
    EXPECT_EQ(rows(app.session, "SELECT \"index\", Dev_cat, Device_Name FROM device"),
              "1,2501,R1;1,2501,R2;1,2501,R3;2,2950,2950;3,PC,PC;");
}

// An exported network leaves the next hops to the load; a configuration
// file restores them as they were saved, so a load gives back what was saved.
TEST_F(NetworkFiles, NextHopsAreFilledForExportsAndKeptForConfigurations) {
    const std::string exp = exported("hops.exp", example_file("two-lans"));
    nf::load_network(app, exp, NetworkLoad::ExportedFile);
    const std::string query =
        "SELECT next_hopip FROM route_ip WHERE ref = 1 AND int_name = 'Serial0'";
    EXPECT_EQ(rows(app.session, query), "10.1.1.2;");

    app.session.execute(
        "UPDATE route_ip SET next_hopip = '9.9.9.9' "
        "WHERE ref = 1 AND int_name = 'Serial0'");
    nf::load_network(app, saved("hops.con"), NetworkLoad::ConfigurationFile);
    EXPECT_EQ(rows(app.session, query), "9.9.9.9;");
}

TEST_F(NetworkFiles, AnEmptyDescriptionSectionGivesAnEmptyDescription) {
    std::string text = read_file(exported("d.exp", example_file("three-routers")));
    const auto from = text.find("<description>\r\n") + 15;
    text.erase(from, text.find("<subint information>") - from);
    nf::load_network(app, net.write_file("d2.exp", text), NetworkLoad::ExportedFile);
    EXPECT_EQ(app.network.lab_description, "");
}

// Keys come in the settings table's order and ignore letter case; a line
// that names no key, or a key at or before the one read last, is a further
// line of the value before it.  A key line left out leaves its key unset.
TEST_F(NetworkFiles, KeyLinesFollowTheTableOrderAndOtherLinesAreText) {
    const std::string good = read_file(saved("k.con"));
    auto text = good;
    replace(text, "hostname:R1", "HostName:Lab");
    replace(text, "startup-config:nill\r\n",
            "startup-config:nill\r\nno_such_key:x\r\nhostname:Other\r\nstartup-config:y\r\n");
    replace(text, "\r\nloopback_int:disable\r\n", "\r\n");
    nf::load_network(app, net.write_file("k2.con", text), NetworkLoad::ConfigurationFile);
    EXPECT_EQ(vexlab::state::read_setting(app, "hostname", "R1"), "Lab");
    EXPECT_EQ(app.console.mode.prompt_text, "Lab>");
    EXPECT_EQ(vexlab::state::read_setting(app, "startup-config", "R1"),
              "nill\r\nno_such_key:x\r\nhostname:Other\r\nstartup-config:y");
    EXPECT_EQ(rows(app.session,
                   "SELECT R1 IS NULL FROM routervariables "
                   "WHERE Config_Variable = 'loopback_int'"),
              "1;");
    EXPECT_EQ(vexlab::state::read_setting(app, "accesslist_num", "R1"), "nill");
    EXPECT_EQ(rows(app.session,
                   "SELECT count(*) FROM routervariables WHERE Config_Variable = 'no_such_key'"),
              "0;");
}

// Whatever text a value or the description holds, the file carries it: a
// network saved, loaded and saved again gives the same values and the same
// file, and no line of a value becomes a setting of its own.
TEST_F(NetworkFiles, EveryValueReadsBackAsItWasWritten) {
    const std::vector<std::string> lines = {
        "enable_password:cisco",  // a key before startup-config
        "loopback_int:enable",    // the key after it
        "vtp_mode:client",        // a later key
        "hostname:Other",
        "no_such_key:x",
        "netpath:/elsewhere.gif",
        "<2501>",
        "[R9]",
        "<routing information>",
        "<ospf information>",
        "\\enable_password:x",
        "\\\\loopback_int:y",
        "\\<2950>",
        "\\",
        "EOR",
        ":a colon first",
        "ends in a colon:",
        "",
        " description link: x",
    };
    std::string value = "!";
    for (const auto& line : lines) value += "\r\n" + line;
    std::string description = "first";
    for (const auto& line : {"<vlan information>", "\\<vlan information>", "<subint information>",
                             "<description>", "nat pool", "EOR", "hostname:x"})
        description += std::string("\r\n") + line;

    const std::vector<std::string> keys = {"enable_password", "loopback_int", "vtp_mode",
                                           "hostname"};
    std::vector<std::optional<std::string>> before;
    for (const auto& key : keys) before.push_back(vexlab::state::read_setting(app, key, "R1"));
    ASSERT_TRUE(vexlab::state::write_setting(app, "startup-config", "R1", value));
    ASSERT_TRUE(vexlab::state::write_setting(app, "banner_motd", "R2", "enable_password:z"));
    app.network.lab_description = description;
    const std::string first = saved("values.con");
    nf::load_network(app, first, NetworkLoad::ConfigurationFile);
    EXPECT_EQ(vexlab::state::read_setting(app, "startup-config", "R1"), value);
    EXPECT_EQ(vexlab::state::read_setting(app, "banner_motd", "R2"), "enable_password:z");
    EXPECT_EQ(app.network.lab_description, description);
    for (std::size_t k = 0; k < keys.size(); ++k)
        EXPECT_EQ(vexlab::state::read_setting(app, keys[k], "R1"), before[k]) << keys[k];
    EXPECT_EQ(read_file(saved("again.con")), read_file(first));
}

// A router whose name reads like a setting: its startup configuration holds
// the name on a line of its own, and Save Config and Load Config keep it
// there.
TEST_F(NetworkFiles, AHostNameThatReadsLikeASettingStaysInTheStartupConfiguration) {
    nf::load_network(app,
                     exported("named.exp",
                              "device enable_password:x 2501 10 10\ndevice R9 2501 100 10\n"
                              "link enable_password:x Serial0 R9 Serial0\n"),
                     NetworkLoad::ExportedFile);
    const std::string device = "enable_password:x";
    vexlab::commands::show::save_running_config(
        app.session, app.table_set, device, vexlab::state::DeviceKind::Router, "2501",
        vexlab::test::resources_dir() + "/showcommands.txt");
    const auto startup = vexlab::state::read_setting(app, "startup-config", device);
    ASSERT_TRUE(startup);
    ASSERT_NE(startup->find("\r\nenable_password:x\r\n"), std::string::npos) << *startup;
    const auto password = vexlab::state::read_setting(app, "enable_password", device);

    const std::string path = saved("named.con");
    nf::load_network(app, path, NetworkLoad::ConfigurationFile);
    EXPECT_EQ(vexlab::state::read_setting(app, "startup-config", device), startup);
    EXPECT_EQ(vexlab::state::read_setting(app, "enable_password", device), password);
    EXPECT_EQ(app.console.mode.prompt_text, "enable_password:x>");
    EXPECT_EQ(read_file(saved("named-again.con")), read_file(path));
}

// A file saved before further lines of values were escaped holds them as
// they are: a line that names a key at or before the one read last stays
// text of its value, so a banner or a host name that reads like a setting
// sets nothing.
TEST_F(NetworkFiles, ValueLinesOfEarlierFilesThatReadLikeSettingsStayText) {
    const std::string value =
        "!\r\nhostname\r\nenable_password:x\r\n!\r\nbanner motd\r\n"
        "enable_password:cisco\r\nhostname:Other\r\n!\r\nend";
    ASSERT_TRUE(vexlab::state::write_setting(app, "startup-config", "R1", value));
    const auto password = vexlab::state::read_setting(app, "enable_password", "R1");
    std::string earlier = read_file(saved("new.con"));
    for (const char* escaped : {"\r\n\\enable_password:", "\r\n\\hostname:"})
        while (earlier.find(escaped) != std::string::npos)
            replace(earlier, escaped, std::string("\r\n") + (escaped + 3));
    ASSERT_NE(earlier.find("\r\nenable_password:cisco\r\n"), std::string::npos);

    nf::load_network(app, net.write_file("earlier.con", earlier), NetworkLoad::ConfigurationFile);
    EXPECT_EQ(vexlab::state::read_setting(app, "startup-config", "R1"), value);
    EXPECT_EQ(vexlab::state::read_setting(app, "enable_password", "R1"), password);
    EXPECT_EQ(app.console.mode.prompt_text, "R1>");
}

// ------------------------------------------------------------------ Open Exported File

TEST_F(NetworkFiles, OpenExportedFileBuildsTheNetworkAroundItsFirstDevice) {
    const std::string path = exported("two-lans.exp", example_file("two-lans"));
    nf::load_network(app, path, NetworkLoad::ExportedFile);

    EXPECT_EQ(app.console.mode.prompt_text, "R1>");
    EXPECT_EQ(app.network.network_picture_path, net.folder.file("two-lans.jpg"));
    EXPECT_EQ(app.network.lab_description.substr(0, 60),
              "Two branch offices, each with a 2501 router, a 2950 switch a");
    EXPECT_NE(app.network.lab_description.find("\r\nworkstation."), std::string::npos);
    EXPECT_EQ(
        app.session.column_names("routervariables"),
        (std::vector<std::string>{"Config_Variable", "R1", "R2", "SW1", "SW2", "PC1", "PC2"}));
    EXPECT_EQ(vexlab::state::read_setting(app, "FastEthernet1_ip_address", "SW1"), "192.168.1.2");
    // Next hops come from the neighbour's own row.
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hopip, next_hopmask FROM route_ip "
                   "WHERE int_name = 'Serial0' ORDER BY ref"),
              "10.1.1.2,255.255.255.252;10.1.1.1,255.255.255.252;");
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hopip FROM ospf_ip "
                   "WHERE int_name = 'Ethernet0' AND ref = 1"),
              "NA;");
    // Workstations are up in every view; routers keep what the file says.
    EXPECT_EQ(rows(app.session, "SELECT DISTINCT int_status FROM eigrp_ip WHERE ref = 5"), "1;");
    EXPECT_EQ(rows(app.session, "SELECT DISTINCT int_status FROM route_ip WHERE ref = 1"), "0;");
    // Router ids from the OSPF interface addresses.
    EXPECT_EQ(rows(app.session, "SELECT dev_name, device_id FROM ospf_dev WHERE dev_no <= 2"),
              "R1,192.168.1.1;R2,192.168.2.1;");
    // Switches and PCs keep no interface details.
    EXPECT_EQ(rows(app.session, "SELECT dev_name FROM int_device"), "R1;R2;");
    EXPECT_EQ(rows(app.session, "SELECT DISTINCT ref FROM int_det"), "1;2;");
    // The derived LAN tables are rebuilt.
    EXPECT_NE(rows(app.session, "SELECT count(*) FROM eth_iplist"), "0;");
    EXPECT_NE(rows(app.session, "SELECT count(*) FROM sw_riplist"), "0;");
}

TEST_F(NetworkFiles, SubinterfacesAreStoredUnderTheirInterfaceWithoutBlanks) {
    const std::string path = exported("fr.exp", example_file("frame-relay-hub"));
    EXPECT_NE(read_file(path).find("<HQ>\r\nSerial0\r\n 1 \r\n"), std::string::npos);
    nf::load_network(app, path, NetworkLoad::ExportedFile);
    EXPECT_EQ(rows(app.session,
                   "SELECT f.dev_name, i.int_name, m.subint_num FROM frame_map AS m "
                   "JOIN frame_ip AS i ON m.ref = i.\"index\" JOIN frame_device AS f "
                   "ON f.dev_no = i.ref ORDER BY m.rowid"),
              "HQ,Serial0,1;HQ,Serial0,2;BRANCH1,Serial0,1;BRANCH2,Serial0,1;");
    EXPECT_EQ(rows(app.session,
                   "SELECT next_hop_devname, next_hop_intname FROM route_ip "
                   "WHERE int_name = 'Serial0.2'"),
              "BRANCH2,Serial0.1;");
}

TEST_F(NetworkFiles, APcAsFirstDeviceGivesItsPrompt) {
    const std::string path = exported("pc.exp",
                                      "device WS PC 10 10\ndevice R9 2501 100 10\n"
                                      "link WS Ethernet0 R9 Ethernet0\n");
    nf::load_network(app, path, NetworkLoad::ExportedFile);
    EXPECT_EQ(app.console.device.device_kind, vexlab::state::DeviceKind::Pc);
    EXPECT_EQ(app.console.mode.prompt_text, "WS:");
}

TEST_F(NetworkFiles, ALabNetworkComputesNoRouterIds) {
    const std::string path = exported("lab.exp", example_file("three-routers"));
    nf::load_network(app, path, NetworkLoad::LabNetwork);
    EXPECT_EQ(rows(app.session, "SELECT DISTINCT device_id FROM ospf_dev"), "UA;");
    EXPECT_EQ(app.network.loaded_by, NetworkLoad::LabNetwork);
}

// Every shipped example opens, and then saves and loads back to the same file.
TEST_F(NetworkFiles, TheShippedExamplesOpenAndRoundTrip) {
    int examples = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(vexlab::test::resources_dir() + "/examples")) {
        if (entry.path().extension() != ".net") continue;
        ++examples;
        const std::string stem = entry.path().stem().string();
        SCOPED_TRACE(stem);
        const std::string path = exported(stem + ".exp", read_file(entry.path().string()));
        nf::load_network(app, path, NetworkLoad::ExportedFile);
        const std::string first = saved(stem + "-1.con");
        nf::load_network(app, first, NetworkLoad::ConfigurationFile);
        EXPECT_EQ(read_file(saved(stem + "-2.con")), read_file(first));
    }
    EXPECT_GE(examples, 3);
}

// A file whose records are out of index order loads as if they were in
// order: saved, it gives the file in order, and that file saves the same.
TEST_F(NetworkFiles, RecordsOutOfIndexOrderLoadAsTheOrderedFile) {
    configure_default_network();
    const std::string good = read_file(saved("good.con"));
    auto lines = lines_of(good);
    const std::size_t header = line_index(lines, "<routing information>");
    const std::size_t r2 = line_index(lines, "<2>", header);
    const std::size_t record_lines = 2 + nf::table_shape(app.session, "route_ip").size();
    // R2's first record before R1's: R2 is now the first device the
    // routing section names.
    std::vector<std::string> record(lines.begin() + r2, lines.begin() + r2 + record_lines);
    lines.erase(lines.begin() + r2, lines.begin() + r2 + record_lines);
    lines.insert(lines.begin() + header + 1, record.begin(), record.end());
    std::string shuffled;
    for (const auto& line : lines) shuffled += line + "\r\n";
    ASSERT_NE(shuffled, good);

    nf::load_network(app, net.write_file("shuffled.con", shuffled), NetworkLoad::ConfigurationFile);
    const std::string once = saved("once.con");
    EXPECT_EQ(read_file(once), good);
    nf::load_network(app, once, NetworkLoad::ConfigurationFile);
    EXPECT_EQ(read_file(saved("twice.con")), read_file(once));
}

// ------------------------------------------------------------------ reload

TEST_F(NetworkFiles, ReloadRepeatsTheLoadOfTheFileThatWasLoaded) {
    for (const auto how : {NetworkLoad::ExportedFile, NetworkLoad::ConfigurationFile}) {
        SCOPED_TRACE(static_cast<int>(how));
        const std::string path = how == NetworkLoad::ExportedFile
                                     ? exported("r.exp", example_file("two-lans"))
                                     : saved("r.con");
        nf::load_network(app, path, how);
        const std::string loaded = database_state(app.session);
        ASSERT_TRUE(vexlab::state::write_setting(app, "hostname", app.console.device.current_device,
                                                 "Changed"));
        app.session.execute("INSERT INTO vlan_info VALUES (99, 'x')");
        app.session.execute("UPDATE route_ip SET ip = '1.2.3.4'");
        app.console.device.current_device = "elsewhere";
        nf::reload_loaded_network(app);
        EXPECT_EQ(database_state(app.session), loaded);
        EXPECT_NE(app.console.device.current_device, "elsewhere");
    }
}

TEST_F(NetworkFiles, AReloadOfAFileThatIsGoneIsRefusedAndChangesNothing) {
    const std::string path = saved("gone.con");
    nf::load_network(app, path, NetworkLoad::ConfigurationFile);
    std::filesystem::remove(path);
    const std::string before = database_state(app.session);
    EXPECT_THROW(nf::reload_loaded_network(app), nf::LoadError);
    EXPECT_EQ(database_state(app.session), before);
}

// ------------------------------------------------------------------ malformed files

TEST_F(NetworkFiles, MalformedFilesAreRefusedWithTheNetworkLeftAsItWas) {
    configure_default_network();
    const std::string good_config = read_file(saved("good.con"));
    const std::string good_export =
        read_file(exported("good.exp", example_file("frame-relay-hub")));

    // The network on screen: a loaded one, so a refusal must keep it loaded.
    nf::load_network(app, net.write_file("shown.con", good_config), NetworkLoad::ConfigurationFile);
    const std::string tables = database_state(app.session);
    const std::string prompt = app.console.mode.prompt_text;
    const std::string description = app.network.lab_description;

    // Each case: the file, how it is loaded, the line its refusal names (0:
    // not checked) and a part of the reason it gives.
    struct Case {
        std::string name;
        NetworkLoad how;
        std::string text;
        int line;
        std::string reason;
    };
    std::vector<Case> cases;
    auto config = [&](const char* name, const std::string& reason, auto change, int line = 0) {
        std::string text = good_config;
        change(text);
        cases.push_back({name, NetworkLoad::ConfigurationFile, text, line, reason});
    };
    auto exp = [&](const char* name, const std::string& reason, auto change, int line = 0) {
        std::string text = good_export;
        change(text);
        cases.push_back({name, NetworkLoad::ExportedFile, text, line, reason});
    };
    // Each section cut off.
    config("netpath", "the file ends before the line \"<routing information>\"",
           [&](std::string& t) { cut_from(t, "\r\nnetpath:"); });
    // Two of the headers stand first as values: the file is cut in a record.
    for (const char* header :
         {"<routing information>", "<ospf information>", "<eigrp information>", "<description>",
          "<vlan information>", "<mac information>", "<port security>", "framemap", "intdevice",
          "intdet", "virtual link", "nat device", "nat mapping", "Access list", "nat pool"}) {
        const std::string ends = std::string("the file ends before the line \"") + header + "\"";
        const bool in_a_record =
            header == std::string("virtual link") || header == std::string("nat pool");
        config(header, in_a_record ? "of its" : ends.c_str(),
               [&](std::string& t) { cut_from(t, std::string("\r\n") + header + "\r\n"); });
    }
    for (const char* header : {"<routing information>", "<ospf information>", "<eigrp information>",
                               "<description>", "<subint information>"}) {
        const std::string ends = std::string("the file ends before the line \"") + header + "\"";
        exp(header, ends.c_str(),
            [&](std::string& t) { cut_from(t, std::string("\r\n") + header + "\r\n"); });
    }
    config("empty file", "the file is empty", [](std::string& t) { t.clear(); });
    config("cut inside a dump record", "ends after 1 of its 7 values",
           [](std::string& t) { t.resize(t.rfind("pool1") + 5); });
    config("cut inside the last record", "has no \"EOR\" line",
           [](std::string& t) { t.resize(t.rfind("EOR")); });
    const int routing = line_of(good_config, "<routing information>");
    config("cut inside a routing record", "ends after 17 of its 19 values", [&](std::string& t) {
        t.resize(t.find("\r\n<ospf information>"));
        t.resize(t.rfind("\r\n", t.rfind("\r\n") - 1) + 2);
    });
    config(
        "bad device number", "bad device number \"<one>\"",
        [&](std::string& t) { replace_line(t, routing + 1, "<one>"); }, routing + 1);
    config(
        "bad number in a value line", "bad number \" ten \" (column vlan_num)",
        [&](std::string& t) {
            replace(t, "<vlan information>\r\n 10 ", "<vlan information>\r\n ten ");
        },
        line_of(good_config, "<vlan information>") + 1);
    config("a flag that is no flag", "\"yes\" is not True or False (column virtual_link)",
           [](std::string& t) { replace(t, "\r\nTrue\r\n 5 ", "\r\nyes\r\n 5 "); });
    config(
        "unknown model", "unknown model \"2960\"",
        [](std::string& t) { replace(t, "<2950>", "<2960>"); }, line_of(good_config, "<2950>"));
    config("model in lower case", "unknown model \"pc\"",
           [](std::string& t) { replace(t, "<PC>", "<pc>"); });
    config(
        "duplicate device", "the device \"r1\" is named twice",
        [](std::string& t) { replace(t, "[R2]", "[r1]"); }, line_of(good_config, "[R2]"));
    config("a device named like the key column", "a device cannot be named \"Config_Variable\"",
           [](std::string& t) { replace(t, "[R3]", "[Config_Variable]"); });
    config(
        "a record's ref is not its device", "differs from its ref",
        [&](std::string& t) { replace_line(t, routing + 4, " 2 "); }, routing + 1);
    config("one device number, two names", "device number 1 is named \"R1\" and \"RX\"",
           [](std::string& t) {
               const auto at = t.find("<1>\r\n<R1>", t.find("<routing information>") + 40);
               t.replace(at, 9, "<1>\r\n<RX>");
           });
    config("a record without EOR", "expected \"EOR\" after the 2 values",
           [](std::string& t) { replace(t, "sales\r\nEOR\r\n", "sales\r\n"); });
    config("a dump record with a value too many", "found \"extra\"",
           [](std::string& t) { replace(t, "sales\r\nEOR\r\n", "sales\r\nextra\r\nEOR\r\n"); });
    config("no device at all", "the file holds no device",
           [](std::string& t) { t = t.substr(t.find("netpath:")); });
    config(
        "a setting before any device", "a line before the first device",
        [](std::string& t) { t = "hostname:X\r\n" + t; }, 1);
    // Every device has one host name of one line.
    config(
        "a device block without its host name", "the device \"R2\" has no line \"hostname:...\"",
        [](std::string& t) { replace(t, "[R2]\r\nhostname:R2\r\n", "[R2]\r\n"); },
        line_of(good_config, "[R2]"));
    config(
        "an empty host name", "the host name of the device \"R2\" is empty",
        [](std::string& t) { replace(t, "hostname:R2\r\n", "hostname:\r\n"); },
        line_of(good_config, "hostname:R2"));
    config(
        "a host name given twice", "the host name of the device \"R2\" is given twice",
        [](std::string& t) { replace(t, "hostname:R2\r\n", "hostname:R2\r\nhostname:\r\n"); },
        line_of(good_config, "hostname:R2") + 1);
    config(
        "a host name of two lines", "goes on over a second line",
        [](std::string& t) { replace(t, "hostname:R2\r\n", "hostname:R2\r\nmore\r\n"); },
        line_of(good_config, "hostname:R2") + 1);
    config("netpath not followed by the routing header", "unknown model \"1\"", [](std::string& t) {
        replace(t, "\r\n<routing information>\r\n", "\r\nsomething\r\n");
    });
    // What a record names must be in the file.
    config(
        "a device block without its name line", "expected the device's name as \"[name]\"",
        [](std::string& t) { replace(t, "<2501>\r\n[R2]\r\n", "<2501>\r\n"); },
        line_of(good_config, "[R2]"));
    config(
        "a NUL in a device name", "ends a name at a NUL character",
        [](std::string& t) { replace(t, "[R3]", std::string("[R") + '\0' + "3]"); },
        line_of(good_config, "[R3]"));
    config(
        "a device named like the rows' numbers", "a device cannot be named \"RowID\"",
        [](std::string& t) { replace(t, "[R3]", "[RowID]"); }, line_of(good_config, "[R3]"));
    config(
        "records of a device the file lacks", "which no device block of the file holds",
        [](std::string& t) {
            for (const char* number : {" 4 ", " 5 ", " 6 "})
                replace(t, std::string("<2>\r\n<R2>\r\n") + number + "\r\n 2 \r\n",
                        std::string("<9>\r\n<R9>\r\n") + number + "\r\n 9 \r\n");
        },
        line_of(good_config, "<2>\r\n<R2>\r\n 4 ") + 1);
    const std::string r3_first = "<3>\r\n<R3>\r\n 7 \r\n 3 \r\n";
    const auto r3_in_ospf = good_config.find(r3_first, good_config.find("<ospf information>"));
    config(
        "one device under two numbers", "the device \"R3\" has the number 3 and the number 6",
        [&](std::string& t) {
            t.replace(r3_in_ospf, r3_first.size(), "<6>\r\n<R3>\r\n 7 \r\n 6 \r\n");
        },
        line_of(good_config.substr(0, r3_in_ospf) + "@", "@"));
    // R2's Serial1 comes first of the two ends of its link to R3.
    const std::string r2_serial1 = "\r\nSerial1\r\nUA\r\nUA\r\nR3\r\nSerial0\r\n";
    const int r2_serial1_ref = line_of(good_config, r2_serial1);
    config(
        "a connection not answered from its far end", "which is not connected back to it",
        [&](std::string& t) {
            replace(t, r2_serial1, "\r\nSerial1\r\nUA\r\nUA\r\nR3\r\nSerial1\r\n");
        },
        r2_serial1_ref + 4);
    config(
        "a connection to a device the file lacks",
        "the device \"R7\", which the file does not hold",
        [&](std::string& t) {
            replace(t, r2_serial1, "\r\nSerial1\r\nUA\r\nUA\r\nR7\r\nSerial0\r\n");
        },
        r2_serial1_ref + 4);
    config(
        "a connection to an interface the device lacks", "which the section does not hold",
        [&](std::string& t) {
            replace(t, r2_serial1, "\r\nSerial1\r\nUA\r\nUA\r\nR3\r\nSerial7\r\n");
        },
        r2_serial1_ref + 5);
    config(
        "half a connection", "one of the two is missing",
        [&](std::string& t) {
            replace(t, r2_serial1, "\r\nSerial1\r\nUA\r\nUA\r\nUA\r\nSerial0\r\n");
        },
        r2_serial1_ref + 4);
    config(
        "one interface index twice", "the interface index 5 is given twice",
        [](std::string& t) { replace(t, "<2>\r\n<R2>\r\n 6 \r\n", "<2>\r\n<R2>\r\n 5 \r\n"); },
        line_of(good_config, "<2>\r\n<R2>\r\n 6 ") + 2);
    config("a map of no interface", "the interface index \"99\", which is no router interface",
           [](std::string& t) {
               replace(t, "\r\nUA\r\n 2 \r\nEOR\r\nintdevice",
                       "\r\nUA\r\n 99 \r\nEOR\r\nintdevice");
           });
    config("a map of a switch port", "the interface index \"11\", which is no router interface",
           [](std::string& t) {
               replace(t, "\r\nUA\r\n 2 \r\nEOR\r\nintdevice",
                       "\r\nUA\r\n 11 \r\nEOR\r\nintdevice");
           });
    config("interface details of the switch", "names the device \"5\", which is no router",
           [](std::string& t) {
               replace(t, "\r\n 3 \r\nEOR\r\nvirtual link", "\r\n 5 \r\nEOR\r\nvirtual link");
           });
    config("a virtual link of no device", "which the OSPF section does not hold",
           [](std::string& t) {
               replace(t, "virtual link\r\n 1 \r\nR1\r\n", "virtual link\r\n 1 \r\nR8\r\n");
           });
    config("NAT settings of no device", "the record in \"nat device\" names the device \"R8\"",
           [](std::string& t) {
               replace(t, "nat device\r\n 1 \r\nR1\r\n", "nat device\r\n 1 \r\nR8\r\n");
           });
    config("a translation of no device", "the record in \"nat mapping\" names the device \"9\"",
           [](std::string& t) {
               replace(t, "\r\nd\r\nd\r\n 2 \r\nEOR\r\nAccess list",
                       "\r\nd\r\nd\r\n 9 \r\nEOR\r\nAccess list");
           });
    config("an access list of no device", "the record in \"Access list\" names the device \"9\"",
           [](std::string& t) {
               replace(t, "\r\nFalse\r\n 2 \r\nEOR\r\nnat pool",
                       "\r\nFalse\r\n 9 \r\nEOR\r\nnat pool");
           });
    config("a pool of no device", "the record in \"nat pool\" names the device \"9\"",
           [](std::string& t) { replace(t, "\r\no\r\n 2 \r\nEOR", "\r\no\r\n 9 \r\nEOR"); });
    exp("a subinterface of an interface the file lacks", "the interface \"Serial9\" of \"HQ\"",
        [](std::string& t) { replace(t, "<HQ>\r\nSerial0\r\n", "<HQ>\r\nSerial9\r\n"); });
    exp("a subinterface record without a number", "has no subinterface number", [](std::string& t) {
        t.resize(t.rfind("\r\n 2 \r\n") + 2);
        t += "<BRANCH1>\r\nSerial0\r\n";
    });
    exp("a configuration file opened as an export",
        "the file ends before the line \"<subint information>\"",
        [&](std::string& t) { t = good_config; });
    config("an export loaded as a configuration", "the line \"netpath\" is missing",
           [&](std::string& t) { t = good_export; });

    for (const auto& [name, how, text, line, reason] : cases) {
        SCOPED_TRACE(name);
        const std::string path = net.write_file("bad.file", text);
        try {
            nf::load_network(app, path, how);
            ADD_FAILURE() << "loaded";
        } catch (const nf::LoadError& error) {
            const std::string message = error.message();
            EXPECT_EQ(message.rfind("The network file could not be loaded.\n" + path + "\n", 0), 0u)
                << message;
            if (line) {
                EXPECT_EQ(error.line(), line) << message;
            }
            EXPECT_NE(error.reason().find(reason), std::string::npos) << message;
        }
        EXPECT_EQ(database_state(app.session), tables);
        EXPECT_EQ(app.console.mode.prompt_text, prompt);
        EXPECT_EQ(app.network.lab_description, description);
        EXPECT_EQ(app.network.loaded_file_path, net.folder.file("shown.con"));
    }
}

TEST_F(NetworkFiles, ALoadThatFailsInTheDatabaseChangesNothing) {
    const std::string path = saved("db.con");
    // A table the load fills is gone: the statement fails part way.
    app.session.execute("DROP TABLE eth_iplist");
    const std::string without = database_state(app.session);
    EXPECT_THROW(nf::load_network(app, path, NetworkLoad::ConfigurationFile), nf::LoadError);
    EXPECT_EQ(database_state(app.session), without);
    EXPECT_TRUE(app.table_set.is_default());
}

// ------------------------------------------------------------------ delcolumn

TEST_F(NetworkFiles, ClearingTheDefaultSetEmptiesOnlyTheSharedFilters) {
    configure_default_network();
    nf::delcolumn(app.session, app.table_set);
    EXPECT_EQ(rows(app.session, "SELECT count(*) FROM access_list"), "0;");
    EXPECT_EQ(rows(app.session, "SELECT count(*) FROM nat_pool"), "0;");
    EXPECT_EQ(rows(app.session, "SELECT count(*) FROM nat_inout_def"), "1;");
    EXPECT_EQ(app.session.column_names("routervariables_def").size(), 11u);
}

TEST_F(NetworkFiles, ClearingTheWorkingSetDropsDeviceColumnsAndKeepsTheKeys) {
    nf::load_network(app, exported("c.exp", example_file("two-lans")), NetworkLoad::ExportedFile);
    const std::string keys = rows(app.session, "SELECT Config_Variable FROM routervariables");
    nf::delcolumn(app.session, app.table_set);
    EXPECT_EQ(app.session.column_names("routervariables"),
              std::vector<std::string>{"Config_Variable"});
    EXPECT_EQ(rows(app.session, "SELECT Config_Variable FROM routervariables"), keys);
    for (const char* table :
         {"rout_dev", "route_ip", "ospf_dev", "ospf_ip", "eigrp_dev", "eigrp_ip", "frame_device",
          "frame_ip", "frame_map", "nat_dev", "nat_inout", "access_list", "nat_pool"})
        EXPECT_EQ(rows(app.session, std::string("SELECT count(*) FROM ") + table), "0;") << table;
    // The loaders empty these themselves.
    EXPECT_NE(rows(app.session, "SELECT count(*) FROM device"), "0;");
    const std::string once = database_state(app.session);
    nf::delcolumn(app.session, app.table_set);
    EXPECT_EQ(database_state(app.session), once);
}

// ------------------------------------------------------------------ safe saving

// A writer of the file killed halfway through its bytes: whether it was.
bool killed_while_writing(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        vexlab::platform::AtomicFile file(path);
        file.write("half of the new fi");
        kill(getpid(), SIGKILL);
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFSIGNALED(status);
}

TEST_F(NetworkFiles, AFileKilledWhileBeingWrittenLeavesTheOldOne) {
    const std::string path = net.write_file("keep.con", "the old file\r\n");
    ASSERT_TRUE(killed_while_writing(path));
    EXPECT_EQ(read_file(path), "the old file\r\n");
}

TEST_F(NetworkFiles, AWriteThatIsNotCompletedLeavesTheOldFileAndNoTemporary) {
    const std::string path = net.write_file("keep.con", "the old file\r\n");
    {
        vexlab::platform::AtomicFile file(path);
        file.write("half");
    }
    EXPECT_EQ(read_file(path), "the old file\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(net.folder.path()))
        EXPECT_EQ(entry.path().filename().string().rfind("keep.con.", 0), std::string::npos)
            << entry.path();
}

TEST_F(NetworkFiles, AFailedSaveSaysSoAndLeavesTheOldFile) {
    // A folder that does not exist.
    try {
        nf::save_config(app, net.folder.file("no/such/folder/x.con"));
        ADD_FAILURE() << "saved";
    } catch (const nf::SaveError& error) {
        EXPECT_EQ(error.message().rfind("The configuration could not be saved.\n", 0), 0u);
    }
    // A value the file cannot carry: a line break in a dumped field.
    const std::string path = net.write_file("old.con", "the old file\r\n");
    app.session.execute(
        "UPDATE int_det SET description = 'two' || char(13, 10) || 'lines' "
        "WHERE rowid = 1");
    EXPECT_THROW(nf::save_config(app, path), nf::SaveError);
    EXPECT_EQ(read_file(path), "the old file\r\n");
}

TEST_F(NetworkFiles, SavingAgainReplacesTheFile) {
    const std::string path = saved("twice.con");
    app.network.lab_description = "changed";
    nf::save_config(app, path);
    EXPECT_NE(read_file(path).find("<description>\r\nchanged\r\n<vlan information>"),
              std::string::npos);
}

std::vector<std::string> names_in(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeSaving, ASavedFileKeepsTheRightsOfTheFileItReplaces) {
    const mode_t mask = umask(0);
    umask(mask);
    struct Case {
        const char* name;
        std::function<void(const std::string& file, const std::string& picture)> save;
    } cases[] = {
        {"one file",
         [](const std::string& file, const std::string& picture) {
             vexlab::platform::write_file_atomically(file, "new file");
             vexlab::platform::write_file_atomically(picture, "new picture");
         }},
        {"files together",
         [](const std::string& file, const std::string& picture) {
             vexlab::platform::write_files_together({{picture, "new picture"}, {file, "new file"}});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vexlab::test::TempDir dir;
        const std::string file = dir.file("lab.exp"), picture = dir.file("lab.jpg");
        for (const mode_t rights : {0640, 0604}) {
            std::ofstream(file) << "old file";
            std::filesystem::permissions(file, std::filesystem::perms(rights));
            std::filesystem::remove(picture);
            c.save(file, picture);
            EXPECT_EQ(read_file(file), "new file");
            EXPECT_EQ(read_file(picture), "new picture");
            EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(rights));
            // A new file gets the usual rights.
            EXPECT_EQ(std::filesystem::status(picture).permissions(),
                      std::filesystem::perms(0666 & ~mask));
            EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"lab.exp", "lab.jpg"}));
        }
    }
}

// Files saved together that cannot all be put in place are all left as
// they were, whichever cannot, and nothing is left beside them.
TEST(SafeSaving, AFailedSaveOfFilesTogetherLeavesEveryOneAsItWas) {
    struct Case {
        const char* name;
        bool old_picture;
        const char* in_the_way;  // a folder stands there
    } cases[] = {
        {"the network file cannot be placed, the old picture is put back", true, "lab.exp"},
        {"the network file cannot be placed, the new picture is taken away", false, "lab.exp"},
        {"the picture cannot be placed", false, "lab.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vexlab::test::TempDir dir;
        const std::string file = dir.file("lab.exp"), picture = dir.file("lab.jpg");
        std::ofstream(file) << "old file";
        if (c.old_picture) {
            std::ofstream(picture) << "old picture";
            std::filesystem::permissions(picture, std::filesystem::perms(0640));
        }
        const std::string blocked = dir.file(c.in_the_way);
        std::filesystem::remove(blocked);
        std::filesystem::create_directory(blocked);
        std::ofstream(blocked + "/inside") << "kept";
        const std::string before = vexlab::test::tree_state(dir.path());
        EXPECT_THROW(
            vexlab::platform::write_files_together({{picture, "new picture"}, {file, "new file"}}),
            vexlab::platform::FileWriteError);
        EXPECT_EQ(vexlab::test::tree_state(dir.path()), before);
    }
}

// A writer replacing a picture and its network file again and again, killed
// at a random moment.  The network file is renamed last: whatever the
// moment, each file is whole and the picture is of the network file's save
// or of the save after it, never of an older one.  What is left beside them
// is the writer's own temporary files, and the next start removes those.
TEST(SafeSaving, AKilledSaveOfFilesTogetherNeverShowsANewFileWithAnOldPicture) {
    vexlab::test::TempDir dir;
    const std::string file = dir.file("lab.exp"), picture = dir.file("lab.jpg");
    const std::string padding(1 << 18, ' ');
    vexlab::platform::write_files_together({{picture, "0" + padding}, {file, "0"}});
    std::mt19937 random(20261212);
    for (int round = 0; round < 10; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int generation = 1;; ++generation) {
                const std::string text = std::to_string(generation);
                vexlab::platform::write_files_together({{picture, text + padding}, {file, text}});
            }
        }
        // Once the writer is under way, a moment within its next few pairs.
        const std::string before = read_file(file);
        for (int wait = 0; wait < 20000 && read_file(file) == before; ++wait) usleep(100);
        usleep(random() % 20000);
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);

        const long shown = std::stol(read_file(file));
        const std::string drawn = read_file(picture);
        ASSERT_EQ(drawn.size(), std::to_string(std::stol(drawn)).size() + padding.size()) << drawn;
        EXPECT_GE(std::stol(drawn), shown);
        EXPECT_LE(std::stol(drawn), shown + 1);
        const std::string writers =
            ".vexlab-tmp-" + vexlab::platform::machine_name() + "-" + std::to_string(writer) + "-";
        for (const auto& name : names_in(dir.path())) {
            if (name != "lab.exp" && name != "lab.jpg") {
                EXPECT_NE(name.find(writers), std::string::npos) << name;
            }
        }
        vexlab::platform::tidy_interrupted_writes(dir.path().string());
        EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"lab.exp", "lab.jpg"}));
        if (::testing::Test::HasFailure()) return;
    }
}

// An export that failed leaves nothing that acts later: the export after it
// is what loads, and what stays after the next start.
TEST_F(NetworkFiles, AnExportAfterAFailedOneIsWhatLoadsAndStays) {
    const std::string first = read_file(exported("first.exp", example_file("two-lans")));
    const std::string second = read_file(exported("second.exp", example_file("three-routers")));
    vexlab::test::TempDir dir;
    const std::string file = dir.file("lab.exp"), picture = dir.file("lab.jpg");
    std::filesystem::create_directory(file);  // in the way of the first export
    EXPECT_THROW(nf::write_exported_network(file, first, "first picture"),
                 vexlab::platform::FileWriteError);
    std::filesystem::remove(file);
    nf::write_exported_network(file, second, "second picture");
    nf::load_network(app, file, NetworkLoad::ExportedFile);
    vexlab::platform::tidy_interrupted_writes(dir.path().string());
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"lab.exp", "lab.jpg"}));
    EXPECT_EQ(read_file(file), second);
    EXPECT_EQ(read_file(picture), "second picture");
    EXPECT_EQ(app.network.network_picture_path, picture);
}

// ------------------------------------------------------------------ leftovers

// The start removes the temporary files of this machine's writers that are
// gone, and nothing else: not another machine's (it may still be writing
// into a shared folder), not a name of another form, and no note is acted
// on, whatever it names.
TEST(Leftovers, TidyingRemovesOnlyTheTemporaryFilesOfThisMachinesWritersThatAreGone) {
    vexlab::test::TempDir dir;
    const std::filesystem::path folder = dir.path() / "labs";
    std::filesystem::create_directory(folder);
    const std::string path = (folder / "lab.exp").string();
    std::ofstream(path) << "the file";
    ASSERT_TRUE(killed_while_writing(path));
    ASSERT_EQ(names_in(folder).size(), 2u);

    // A writer that still runs keeps its file.
    const pid_t running = fork();
    ASSERT_GE(running, 0);
    if (running == 0) {
        pause();
        _exit(0);
    }
    const std::filesystem::path live =
        folder / ("lab.exp.vexlab-tmp-" + vexlab::platform::machine_name() + "-" +
                  std::to_string(running) + "-a1b2c3");
    std::ofstream(live) << "x";
    const auto planted = vexlab::test::plant_leftovers(folder, "lab.exp");
    std::map<std::filesystem::path, std::string> kept;
    for (const auto& leftover : planted)
        if (!leftover.removed_at_start)
            kept[leftover.path] = std::filesystem::is_directory(leftover.path)
                                      ? "a folder"
                                      : read_file(leftover.path.string());
    kept[path] = "the file";
    kept[live] = "x";

    vexlab::platform::tidy_interrupted_writes(folder.string());
    for (const auto& leftover : planted)
        EXPECT_EQ(std::filesystem::exists(leftover.path), !leftover.removed_at_start)
            << leftover.path;
    for (const auto& [file, bytes] : kept)
        EXPECT_EQ(std::filesystem::is_directory(file) ? "a folder" : read_file(file.string()),
                  bytes)
            << file;
    EXPECT_EQ(names_in(folder).size(), kept.size() - 1) << "the killed writer's file is left";

    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    vexlab::platform::tidy_interrupted_writes(folder.string());
    EXPECT_FALSE(std::filesystem::exists(live));
    vexlab::platform::tidy_interrupted_writes(dir.file("no such folder"));
}

}  // namespace
