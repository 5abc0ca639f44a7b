// Context help and the device picker below the console: help reads only,
// entries are laid out to forty columns, and the picker lists host names,
// shows addresses and refuses names it does not list.

#include <gtest/gtest.h>

#include "console/console_engine.h"
#include "console/context_help.h"
#include "console/network_diagram.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace {

using namespace vexlab;

class ConsoleHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::fresh_database(folder.file("commandsbackup.mdb"));
        app.program_folder = folder.path().string();
        app.session.open(folder.file("commandsbackup.mdb"));
        engine.form_load();  // network mode: the default network, R1 first
        engine.press(console::keys::enter);
    }
    void line(const std::string& typed) {
        engine.type(typed);
        engine.press(console::keys::enter);
    }
    test::TempDir folder;
    state::AppState app;
    platform::ScriptedDialogs dialogs;
    console::ConsoleEngine engine{app, dialogs};
};

TEST_F(ConsoleHelpTest, HelpLeavesTheInterfaceAsItWasAndWritesNothing) {
    line("enable");
    line("conf t");
    line("interface serial 0");
    ASSERT_EQ(app.console.mode.current_interface, "Serial0");
    const auto mode_before = app.console.mode.mode_suffix;
    app.console.mode.mode_suffix = vexlab::test::mode("(config)#");
    const std::string list = console::context_help_list(app, "interface serial 1 ");
    app.console.mode.mode_suffix = mode_before;
    EXPECT_EQ(list, "<carriage return>");
    EXPECT_EQ(app.console.mode.current_interface, "Serial0");
    const auto changes = app.session.total_changes();
    console::context_help_list(app, "ip address 10.0.0.1 255.0.0.0 ");
    EXPECT_EQ(app.session.total_changes(), changes);  // nothing written
}

// A partial word after a word that an argument placeholder took: the
// placeholder row matched is kept whole while the walk goes on below it.
TEST_F(ConsoleHelpTest, APartialWordBelowAnArgumentListsItsWords) {
    const auto mode_before = app.console.mode.mode_suffix;
    app.console.mode.mode_suffix = vexlab::test::mode("(config)#");
    const std::string list = console::context_help_list(app, "interface serial 0.1 p");
    app.console.mode.mode_suffix = mode_before;
    EXPECT_EQ(list, console::help_entry("point-to-point",
                                        "Treat the subinterface as a point-to-point link"));
}

TEST_F(ConsoleHelpTest, EntriesArePaddedToFortyColumns) {
    EXPECT_EQ(console::help_entry("show", "Display"), "show" + std::string(36, ' ') + "Display");
    EXPECT_EQ(console::help_entry("end_cmd", "Done"),
              "carriage return" + std::string(25, ' ') + "Done");
    const std::string forty(40, 'x');
    EXPECT_EQ(console::help_entry(forty, "d"), forty + "d");
}

TEST_F(ConsoleHelpTest, ListingsAtEachLevel) {
    struct Case {
        const char* mode;
        const char* typed;
        const char* first_line;  // nullptr: empty answer
        int lines;
    } cases[] = {
        {">", "sh", "show", 1},
        {">", "xyz", nullptr, 0},
        {">", "xyz ", nullptr, 0},
        {">", "show ", "access-lists", -1},
        {">", "show ip ", "interface", -1},
        {">", "show ip route ", "<carriage return>", 1},
        {">", "show ip route anything more ", "<carriage return>", 1},
        {"(config)#", "hostname R1", "<WORD>", 1},
        {"(config)#", "hostname R1-", nullptr, 0},
        {"(config)#", "interface serial 9", nullptr, 0},
        {"(config)#", "a b c d e f g h i j k ", nullptr, 0},  // too many words
        {"(config)#", " ", nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " [" + c.typed + "]");
        app.console.mode.mode_suffix = vexlab::test::mode(c.mode);
        const std::string list = console::context_help_list(app, c.typed);
        if (!c.first_line) {
            EXPECT_EQ(list, "");
            continue;
        }
        EXPECT_EQ(list.substr(0, std::string(c.first_line).size()), c.first_line) << list;
        if (c.lines > 0) {
            EXPECT_EQ(std::count(list.begin(), list.end(), '\n') + 1, c.lines) << list;
        }
    }
}

TEST_F(ConsoleHelpTest, PickerListsHostNamesAndAddresses) {
    EXPECT_EQ(console::device_host_names(app),
              (std::vector<std::string>{"R1", "R2", "R3", "2950", "PC"}));
    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1', mask = '255.0.0.0' "
        "WHERE ref = 1 AND int_name = 'Serial0'");
    auto r1 = console::device_details(app, "R1", false);
    EXPECT_EQ(r1,
              (std::vector<std::string>{"R1", "E0_ipaddress:Unassigned", "E0_Subnetmask:Unassigned",
                                        "S0_ipaddress:10.0.0.1", "S0_Subnetmask:255.0.0.0",
                                        "S1_ipaddress:Unassigned", "S1_Subnetmask:Unassigned"}));
    // A renamed device is found by its new host name.
    state::write_setting(app, "hostname", "R2", "Core");
    EXPECT_EQ(console::device_details(app, "Core", true).size(), 7u);
    EXPECT_EQ(console::device_details(app, "R2", true), std::vector<std::string>{"R2"});
    // A switch shows its management address; "NA" reads Unassigned when picked.
    state::write_setting(app, "FastEthernet1_ip_address", "2950", "NA");
    auto opened = console::device_details(app, "2950", false);
    auto picked = console::device_details(app, "2950", true);
    EXPECT_EQ(opened[1], "IpAddress:NA");
    EXPECT_EQ(picked[1], "IpAddress:Unassigned");
    EXPECT_EQ(picked[2], "Subnetmask:Unassigned");
}

TEST_F(ConsoleHelpTest, InterfaceLabels) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ethernet0", "E0"},           {"Serial1", "S1"},
        {"FastEthernet0/1", "F0/1"},   {"Serial0/0", "S0/0"},
        {"FastEthernet0/10", "F0/10"}, {"loopback1", "l1"},
    };
    for (const auto& [name, label] : cases) EXPECT_EQ(console::interface_label(name), label);
}

TEST_F(ConsoleHelpTest, SelectingADeviceOnlyTakesAListedHostName) {
    EXPECT_FALSE(console::select_device(engine, "Nowhere"));
    EXPECT_EQ(app.console.device.current_device, "R1");
    EXPECT_EQ(app.console.device.host_name, "R1");
    EXPECT_TRUE(console::select_device(engine, "PC"));
    EXPECT_EQ(app.console.device.current_device, "PC");
    EXPECT_EQ(app.console.device.device_kind, state::DeviceKind::Pc);
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode(":"));
    EXPECT_EQ(app.console.device.home_device, "R1");  // the default network keeps its home
}

}  // namespace
