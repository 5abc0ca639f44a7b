// The command interpreter on a small catalogue written for the test (over
// the shipped network tables): abbreviations, ambiguity, incomplete lines,
// arguments, end markers, the mode after, the prefix rule and the dispatch.

#include "interpreter/interpreter.h"

#include <gtest/gtest.h>

#include <set>

#include "interpreter/catalogue_compiler.h"
#include "interpreter/dispatch.h"
#include "interpreter/mode_list.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace {

using vexlab::state::AppState;

const char* const kFixture = R"(
[router >]
enable          mode=# desc="Turn on privileged commands"
show            do=accept_only desc="Show running system information"
  clock         desc="Display the system clock"
  interfaces    desc="Interface status"
    end_cmd
    serial      desc="Serial"
      <PORT_NUMBER>
  ip            desc="IP information"
    route       desc="IP routing table"
    rip         desc="RIP"
[router #]
configure       mode=(config)# desc="Enter configuration mode"
  terminal      resp="Enter configuration commands, one per line.  End with CNTL/Z."
disable         mode=> desc="Turn off privileged commands"
debug           do=accept_only disabled desc="Debugging functions"
clock           do=accept_only desc="Manage the system clock"
  set
    <HH:MM:SS>
      <DAY>
        <MONTH>
          <YEAR>
            now
              please
                do
                  it
[router (config)#]
hostname        desc="Set system's network name"
  <WORD>        set=hostname
rename          do=config_access_list mode=(config-router)#
  <WORD>        set=hostname
interface       mode=(config-if)# do=enter_interface desc="Select an interface to configure"
  serial        desc="Serial"
    <PORT_NUMBER>.<SUBINT_NUM>
      point-to-point
    <PORT_NUMBER>
  ethernet
    0
  loopback
    <LOOPBACK_NUM>
ip              desc="Global IP configuration"
  routing       set=ip_routing desc="Enable IP routing"
  route
    <A.B.C.D>
      <A.B.C.D>
        <A.B.C.D> set=ip_route_network,ip_route_mask,ip_route_nexthop
ipx
  routing     do=accept_only
banner
  motd
    <BANNER>    set=banner_motd
line            mode=(config-line)# do=enter_line
  console
    0
  vty
    0
      4
end             mode=#
exit            mode=#
router          mode=(config-router)# do=enter_router
  rip
  ospf
    <PROC_ID>
vlan            do=accept_only
  <VLAN_NUM>
    name
      <WORD>
[router (config-if)#]
description     do=accept_only
  <LINE>
exit            mode=(config)#
frame-relay     do=accept_only
  map
    ip
      <A.B.C.D>
        <DLCI_NUM>
  interface-dlci
    <DLCI_NUM>
[router (config-router)#]
network         do=accept_only
  <A.B.C.D>
    end_cmd
    <A.B.C.D>
      area
        <AREA_ID>
[switch >]
enable          mode=#
[switch (config)#]
enable          mode=(config)# do=accept_only
)";

// The shipped handlers, without holding the fixture's words to the command
// dispatch: its commands only exercise the matcher.
vexlab::interpreter::CatalogueNames names(std::set<std::string> tokens) {
    auto names = vexlab::interpreter::shipped_names(std::move(tokens));
    names.check_dispatch = false;
    return names;
}

class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
        app.session.open(dir.file("commandsbackup.mdb"));
        std::set<std::string> tokens;
        for (auto set = app.session.open_recordset("SELECT token FROM tblevalsyntax"); !set.eof();
             set.move_next())
            tokens.insert(set.text(0));
        app.session.execute("DELETE FROM tblsublabcmds");
        for (int i = 1; i <= 9; ++i)
            app.session.execute("DELETE FROM tblsublabcmds" + std::to_string(i));
        vexlab::interpreter::store_catalogue(
            app.session,
            vexlab::interpreter::compile_catalogue({{"fixture", kFixture}}, names(tokens)));
        vexlab::test::seed_device_tables(app.session);
        app.console.device.current_device = "R1";
        app.console.device.host_name = "R1";
        app.console.device.device_kind = vexlab::state::DeviceKind::Router;
        app.console.mode.config_prefix = "nill";
        app.console.output.response_text = "nill";
    }

    void type(const std::string& mode, const std::string& typed) {
        app.console.mode.mode_suffix = vexlab::test::mode(mode);
        std::string text = vexlab::interpreter::normalise_command_line(typed);
        while (!text.empty() && text[0] == ' ') text.erase(0, 1);
        line = vexlab::interpreter::interpret_command(app, text);
    }

    std::string verdict() const {
        return std::string(vexlab::interpreter::verdict_text(line.verdict));
    }

    std::string words() const {
        std::string out;
        int last = -1;
        for (int i = 0; i < 11; ++i)
            if (!line.command_words[i].empty()) last = i;
        for (int i = 0; i <= last; ++i) out += (i ? "|" : "") + line.command_words[i];
        return out;
    }

    std::string args() const {
        std::string out;
        for (std::size_t i = 0; i < line.argument_values.size(); ++i)
            out += (i ? "|" : "") + line.argument_values[i];
        return out;
    }

    vexlab::test::TempDir dir;
    AppState app;
    vexlab::interpreter::InterpreterState line;
};

TEST_F(InterpreterTest, LinesGiveTheirVerdictWordsArgumentsAndMode) {
    struct Case {
        const char* mode;
        const char* line;
        const char* verdict;  // "" for success
        const char* words;
        const char* args;
        const char* mode_after;
    } cases[] = {
        // One word: abbreviations, the mode after, not found, ambiguous.
        {">", "en", "", "enable", "", "#"},
        {">", "ENABLE", "", "enable", "", "#"},
        {">", "conf", "Command Not Found", "", "", ">"},
        {"#", "d", "ambigious command", "", "", "#"},
        {"#", "debug", "command is disabled", "debug", "", "#"},
        {"(config)#", "ip", "ambigious command", "", "", "(config)#"},  // ip and ipx, one word
        {"(config)#", "hostname", "incomplete command", "hostname", "", "(config)#"},
        {"#", "disable", "", "disable", "", ">"},
        // Several words: abbreviated keywords give the full words.
        {"#", "conf t", "", "configure|terminal", "", "(config)#"},
        {">", "sh ip ro", "", "show|ip|route", "", ">"},
        {">", "sh ip r", "ambigious command", "show|ip", "", ">"},
        {">", "show  ip", "incomplete command", "show|ip", "", ">"},
        {">", "show interfaces", "", "show|interfaces", "", ">"},  // ends at its end marker
        {">", "show clock extra", "Command Not Found", "show|clock", "", ">"},
        {">", "show bogus", "Command Not Found", "show", "", ">"},
        {">", "s clock", "", "show|clock", "", ">"},
        {"(config)#", "ip routing", "", "ip|routing", "", "(config)#"},  // exact first word
        {"(config)#", "ip route 10.0.0.0 255.0.0.0 10.1.1.1", "", "ip|route",
         "10.0.0.0|255.0.0.0|10.1.1.1", "(config)#"},
        {"(config)#", "ip route 10.0.0.0 255.0.0.0", "incomplete command", "ip|route",
         "10.0.0.0|255.0.0.0", "(config)#"},
        {"(config)#", "ip route 10.0.0.256 255.0.0.0 1.1.1.1", "Command Not Found", "ip|route", "",
         "(config)#"},
        {"(config)#", "IP routing", "ambigious command", "", "",
         "(config)#"},  // exact only in lower case
        {"(config)#", "interface serial 0", "", "interface|serial", "", "(config-if)#"},
        {"(config)#", "int ethernet 0", "", "interface|ethernet|0", "", "(config-if)#"},
        {"(config)#", "interface serial 9", "Command Not Found", "interface|serial", "",
         "(config)#"},
        {"(config)#", "line vty 0 4", "", "line|vty|0|4", "", "(config-line)#"},
        {"(config)#", "line vty 0", "incomplete command", "line|vty|0", "", "(config)#"},
        {"(config)#", "hostname Lab1", "", "hostname", "Lab1", "(config)#"},
        {"(config)#", "hostname R1-a", "Command Not Found", "hostname", "", "(config)#"},
        {"(config)#", "vlan 1.5 name x", "", "vlan||name", "1.5|x", "(config)#"},
        {"(config)#", "banner motd # Welcome to R1 #", "", "banner|motd", "Welcome to R1",
         "(config)#"},
        {"(config)#", "banner motd # no end", "Command Not Found", "banner|motd", "", "(config)#"},
        {"(config-if)#", "description #link to R2#", "", "description", "link to R2",
         "(config-if)#"},
        {"(config-if)#", "description link", "Command Not Found", "description", "",
         "(config-if)#"},
        {"(config-router)#", "network 10.0.0.0", "", "network", "10.0.0.0", "(config-router)#"},
        {"(config-router)#", "network 10.0.0.0 e", "", "network||end_cmd", "10.0.0.0",
         "(config-router)#"},
        // Ten words complete; eleven do not.
        {"#", "clock set 10:00:00 1 1 2010 now please do it", "", "clock|set|||||now|please|do|it",
         "10:00:00|1|1|2010", "#"},
        {"#", "clock set 10:00:00 1 1 2010 now please do it again", "Command Not Found",
         "clock|set|||||now|please|do", "10:00:00|1|1|2010", "#"},
        {"#", "clock set 25:00:00 1 1 2010", "Command Not Found", "clock|set", "", "#"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.line);
        app.console.mode.current_interface.clear();
        type(c.mode, c.line);
        EXPECT_EQ(verdict(), c.verdict);
        EXPECT_EQ(words(), c.words);
        EXPECT_EQ(args(), c.args);
        EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode(c.mode_after));
    }
}

TEST_F(InterpreterTest, OneWordLinesNameTheirFirstWord) {
    type(">", "en");
    EXPECT_EQ(line.command_line, "en");
    EXPECT_EQ(line.matched_command_word, "enable");
    // A line of several words leaves it empty.
    type(">", "show clock");
    EXPECT_EQ(line.matched_command_word, "");
}

TEST_F(InterpreterTest, MatchingAloneChangesNothing) {
    app.console.mode.mode_suffix = vexlab::test::mode("(config)#");
    app.console.mode.current_interface = "serial1";
    const auto match = vexlab::interpreter::match_line(app, "interface serial 0.1 point-to-point");
    EXPECT_TRUE(match.succeeded());
    EXPECT_EQ(match.interface.current_interface, "Serial0");
    EXPECT_EQ(match.interface.subinterface_number, "1");
    EXPECT_EQ(app.console.mode.current_interface, "serial1");
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config)#"));
    EXPECT_EQ(app.session.scalar("SELECT count(*) FROM frame_map_def").to_int(), 0);
}

TEST_F(InterpreterTest, ConfigPrefixIsKeptOnlyInInterfaceAndLineModes) {
    app.console.mode.config_prefix = "serial0";
    type("(config)#", "interface serial 0");
    EXPECT_EQ(app.console.mode.config_prefix, "Serial0");
    EXPECT_EQ(app.console.mode.current_interface, "Serial0");
    type("(config)#", "line console 0");
    EXPECT_EQ(app.console.mode.config_prefix, "lineconsole");
    type("(config)#", "ip routing");
    EXPECT_EQ(app.console.mode.config_prefix, "nill");
}

TEST_F(InterpreterTest, ARefusedInterfaceLeavesNoInterfaceBehind) {
    app.console.mode.current_interface = "serial1";
    type("(config)#", "interface serial 9");
    EXPECT_EQ(app.console.mode.current_interface, "serial1");
    type("(config)#", "interface serial 0.0 point-to-point");
    EXPECT_EQ(verdict(), "Command Not Found");
    EXPECT_EQ(app.console.mode.subinterface_number, "");
}

TEST_F(InterpreterTest, SubinterfacesAreCreatedOnceAndGuardTheirMainInterface) {
    type("(config)#", "interface serial 0.1 point-to-point");
    EXPECT_EQ(verdict(), "");
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config-subif)#"));
    EXPECT_EQ(app.console.mode.current_interface, "Serial0");
    EXPECT_EQ(app.console.mode.subinterface_number, "1");
    type("(config)#", "interface serial 0.1 point-to-point");
    EXPECT_EQ(app.session.scalar("SELECT count(*) FROM route_ip_def WHERE int_name = 'serial0.1'")
                  .to_int(),
              1);
    EXPECT_EQ(app.session.scalar("SELECT count(*) FROM frame_map_def").to_int(), 1);

    type("(config)#", "interface serial 0");
    EXPECT_EQ(app.console.output.response_text,
              "Please remove the subinterfaces before you configure an interface");
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config)#"));
    EXPECT_EQ(app.console.mode.config_prefix, "nill");
    EXPECT_EQ(app.console.mode.current_interface, "");

    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1' WHERE ref = 1 AND int_name = 'Serial1'");
    type("(config)#", "interface serial 1.2 point-to-point");
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config)#"));
    EXPECT_NE(app.console.output.response_text.find("Please remove the IP address"),
              std::string::npos);
}

TEST_F(InterpreterTest, ARefusingHandlerUndoesTheWholeLine) {
    // The row writes the host name, then its handler refuses (Lab7 is no
    // access-list number): the line is not found and neither the table nor
    // the console changed.
    const std::string before =
        vexlab::state::read_setting(app, "hostname", "R1").value_or("missing");
    app.console.mode.config_prefix = "nill";
    type("(config)#", "rename Lab7");
    EXPECT_EQ(verdict(), "Command Not Found");
    EXPECT_EQ(vexlab::state::read_setting(app, "hostname", "R1").value_or("missing"), before);
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config)#"));
    EXPECT_EQ(app.console.device.host_name, "R1");
}

TEST_F(InterpreterTest, RouterCommandsChooseTheRoutingProcess) {
    type("(config)#", "router rip");
    EXPECT_EQ(app.console.mode.routing_protocol, "r");
    EXPECT_EQ(app.console.mode.mode_suffix, vexlab::test::mode("(config-router)#"));
    type("(config)#", "router ospf 1");
    EXPECT_EQ(app.console.mode.routing_protocol, "o");
}

TEST_F(InterpreterTest, TypedWildcardsAndQuotesMatchOnlyThemselves) {
    for (const char* line : {"%", "_nable", "e%", "'", "show '; DROP TABLE device; --"}) {
        SCOPED_TRACE(line);
        type(">", line);
        EXPECT_EQ(verdict(), "Command Not Found");
    }
    EXPECT_GT(app.session.scalar("SELECT count(*) FROM device").to_int() +
                  app.session.scalar("SELECT count(*) FROM device_def").to_int(),
              0);
}

TEST_F(InterpreterTest, ModeListPadsEachCommandToItsDescription) {
    app.console.mode.mode_suffix = vexlab::test::mode("#");
    std::string list = vexlab::interpreter::mode_command_list(app);
    EXPECT_EQ(list,
              "list of supported Commands in this mode:\r\n"
              "clock" +
                  std::string(30, ' ') +
                  "Manage the system clock\r\n"
                  "configure" +
                  std::string(22, ' ') +
                  "Enter configuration mode\r\n"
                  "disable" +
                  std::string(26, ' ') + "Turn off privileged commands");
    vexlab::interpreter::list_mode_commands(app);
    EXPECT_FALSE(app.console.output.paging_active);
    EXPECT_EQ(app.console.output.pending_output, list);
}

TEST_F(InterpreterTest, LongModeListsArePaged) {
    app.session.execute("DELETE FROM tblsublabcmds");
    for (int i = 0; i < 25; ++i)
        app.session.execute(
            "INSERT INTO tblsublabcmds (\"index\", ref, commandprompt, command, modeafter, "
            "enabled, "
            "commanddesc) VALUES (?, 1, '>', ?, '>', 1, 'd')",
            {i + 1, "commandnumber" + std::to_string(100 + i)});
    app.session.execute(
        "INSERT INTO tblsublabcmds (\"index\", ref, commandprompt, command, modeafter, enabled) "
        "VALUES (99, 1, '>', 'abcdefghijabcdefghijklm', '>', 1)");
    app.console.mode.mode_suffix = vexlab::test::mode(">");
    vexlab::interpreter::list_mode_commands(app);
    const auto& out = app.console.output;
    EXPECT_TRUE(out.paging_active);
    ASSERT_EQ(out.output_lines.size(), 27u);
    EXPECT_EQ(out.output_lines[1], "abcdefghijabcdefghijklm");  // no padding past 20
    EXPECT_EQ(out.pending_output.substr(out.pending_output.size() - 10), "\r\n--MORE--");
}

}  // namespace
