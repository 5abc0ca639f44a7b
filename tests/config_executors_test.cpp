// The two table-driven configuration actions on the shipped default network,
// driven as the interpreter drives them after a match: the canonical words,
// the accepted arguments, the parameter list of the matched row.  The checks
// read the table cells the commands write.

#include "commands/config/config_executors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/config/interface_addressing.h"
#include "reachability/lan_tables.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

using vexlab::state::AppState;
using vexlab::state::DeviceKind;
using Words = std::vector<std::string>;

constexpr DeviceKind kRouter = DeviceKind::Router;
constexpr DeviceKind kSwitch = DeviceKind::Switch;
constexpr DeviceKind kPc = DeviceKind::Pc;

constexpr const char* kAddressInUse =
    "This address is already assigned.Please choose another Address";

class ConfigCommands : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
        app.session.open(dir.file("commandsbackup.mdb"));
        app.table_set = vexlab::state::NetworkTableSet::default_set();
        vexlab::test::seed_device_tables(app.session);
        // The LAN tables as the console's reset leaves them.
        vexlab::reachability::rebuild_lan_tables(app.session, app.table_set);
        attach("R1", kRouter, "(config)#");
    }

    void attach(const std::string& device, DeviceKind kind, const std::string& mode,
                const std::string& prefix = "nill", const std::string& interface = "") {
        auto& console = app.console;
        console.device.current_device = device;
        console.device.host_name = device;
        console.device.device_kind = kind;
        console.mode.mode_suffix = vexlab::test::mode(mode);
        console.mode.config_prefix = prefix;
        console.mode.current_interface = interface;
    }

    // The line as a match of `typed` against the catalogue words `words`
    // would give it ("" where a placeholder matched).
    vexlab::state::CommandLine enter(const std::string& typed, const Words& words, Words params) {
        vexlab::state::CommandLine line;
        line.text = typed;
        found_ = true;
        app.console.output.response_text = "nill";
        for (std::size_t start = 0;;) {
            auto blank = typed.find(' ', start);
            line.typed_words.push_back(typed.substr(start, blank - start));
            if (blank == std::string::npos) break;
            start = blank + 1;
        }
        for (std::size_t i = 0; i < words.size(); ++i) {
            line.command_words[i] = words[i];
            if (words[i].empty()) line.arguments.push_back(line.typed_words.at(i));
            line.matched_words += (i ? " " : "") + words[i];
        }
        line.parameters = std::move(params);
        line.typed_mode = line.mode_after = app.console.mode.mode_suffix;
        return line;
    }

    // Runs a handler and keeps its answer where the console reads it.
    template <class Handler>
    void run(Handler handler, const std::string& typed, const Words& words, Words params) {
        const vexlab::state::CommandLine line = enter(typed, words, std::move(params));
        vexlab::state::CommandContext context(app, line);
        const vexlab::state::CommandOutcome outcome = handler(context);
        if (outcome.refused) found_ = false;
        if (outcome.response) app.console.output.response_text = *outcome.response;
    }

    void set_vars(const std::string& typed, const Words& words, Words params) {
        run(vexlab::commands::set_config_variables, typed, words, std::move(params));
    }

    void config_if(const std::string& typed, const Words& words, Words params) {
        run(vexlab::commands::config_interface, typed, words, std::move(params));
    }

    std::string text(const std::string& sql, std::initializer_list<vexlab::db::Value> params) {
        return app.session.scalar(sql, params).to_text();
    }
    std::int64_t count(const std::string& sql,
                       std::initializer_list<vexlab::db::Value> params = {}) {
        return app.session.scalar(sql, params).to_int();
    }
    std::string setting(const std::string& device, const std::string& key) {
        return text("SELECT \"" + device + "\" FROM routervariables_def WHERE Config_Variable = ?",
                    {key});
    }
    void put_setting(const std::string& device, const std::string& key, const std::string& value) {
        app.session.execute(
            "UPDATE routervariables_def SET \"" + device + "\" = ? WHERE Config_Variable = ?",
            {value, key});
    }
    std::string detail(int device_index, const std::string& interface, const std::string& column) {
        return text("SELECT \"" + column + "\" FROM int_det WHERE ref = ? AND int_name = ?",
                    {device_index, interface});
    }
    std::string view(const std::string& table, int device_index, const std::string& interface,
                     const std::string& column) {
        return text("SELECT \"" + column + "\" FROM " + table + " WHERE ref = ? AND int_name = ?",
                    {device_index, interface});
    }
    std::string response() const { return app.console.output.response_text; }

    bool found_ = true;  // false once a handler refused its line
    vexlab::test::TempDir dir;
    AppState app;
};

// ------------------------------------------------------------ host name

TEST_F(ConfigCommands, HostNameIsWrittenAndShownInTheNextPrompt) {
    set_vars("hostname Core-1", {"hostname", ""}, {"hostname"});
    EXPECT_EQ(setting("R1", "hostname"), "Core-1");
    EXPECT_EQ(app.console.device.host_name, "Core-1");
    EXPECT_EQ(response(), "nill");
    // Only R1's working column changes; the reset's pristine copy stays.
    EXPECT_EQ(setting("R1_pristine", "hostname"), "R1");
    EXPECT_EQ(setting("R2", "hostname"), "R2");
}

TEST_F(ConfigCommands, HostNameHeldByAnyDeviceIsRefused) {
    struct Case {
        std::string name;
        bool refused;
    } cases[] = {
        {"R1", true},        // its own present name
        {"R2", true},        // another router's
        {"2950", true},      // the switch's
        {"hostname", true},  // the key itself
        {"r2", false},       // names differ by case
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = setting("R1", "hostname");
        set_vars("hostname " + c.name, {"hostname", ""}, {"hostname"});
        if (c.refused) {
            EXPECT_EQ(response(), "this host name is already assigned");
            EXPECT_EQ(setting("R1", "hostname"), before);
            EXPECT_EQ(app.console.device.host_name, "R1");
        } else {
            EXPECT_EQ(response(), "nill");
            EXPECT_EQ(setting("R1", "hostname"), c.name);
        }
    }
}

TEST_F(ConfigCommands, ARenamedRouterMayTakeItsFirstNameBack) {
    // The pristine copies of the default network are no device's name.
    set_vars("hostname Core", {"hostname", ""}, {"hostname"});
    set_vars("hostname R1", {"hostname", ""}, {"hostname"});
    EXPECT_EQ(response(), "nill");
    EXPECT_EQ(setting("R1", "hostname"), "R1");
}

// ------------------------------------------------------------ plain keys

TEST_F(ConfigCommands, PasswordsAndLineSettingsGoToTheirKeys) {
    struct Case {
        std::string mode, prefix, typed;
        Words words, params;
        std::string key, value;
    } cases[] = {
        {"(config)#",
         "nill",
         "enable password cisco",
         {"enable", "password", ""},
         {"enable_password"},
         "enable_password",
         "cisco"},
        {"(config)#",
         "nill",
         "enable secret class",
         {"enable", "secret", ""},
         {"secret_password"},
         "secret_password",
         "class"},
        {"(config-line)#",
         "lineconsole",
         "password con1",
         {"password", ""},
         {"pass"},
         "lineconsole_pass",
         "con1"},
        {"(config-line)#",
         "linevty",
         "password vty1",
         {"password", ""},
         {"pass"},
         "linevty_pass",
         "vty1"},
        {"(config-line)#", "linevty", "login", {"login"}, {"login"}, "linevty_login", "enable"},
        // Typed text is stored as it was typed, quotes and wildcards included.
        {"(config)#",
         "nill",
         "enable password it's%_\"x",
         {"enable", "password", ""},
         {"enable_password"},
         "enable_password",
         "it's%_\"x"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.typed);
        attach("R1", kRouter, c.mode, c.prefix);
        set_vars(c.typed, c.words, c.params);
        EXPECT_EQ(setting("R1", c.key), c.value);
        EXPECT_EQ(setting("R2", c.key), "nill");
    }
    // Nothing else took the quoted value.
    EXPECT_EQ(count("SELECT count(*) FROM routervariables_def WHERE R1 = ?", {"it's%_\"x"}), 1);
}

TEST_F(ConfigCommands, NegationsPutBackTheUnsetValue) {
    put_setting("R1", "enable_password", "cisco");
    put_setting("R1", "lineconsole_pass", "con1");
    put_setting("R1", "lineconsole_login", "enable");
    set_vars("no enable password", {"no", "enable", "password"}, {"enable_password"});
    EXPECT_EQ(setting("R1", "enable_password"), "nill");

    attach("R1", kRouter, "(config-line)#", "lineconsole");
    set_vars("no password", {"no", "password"}, {"pass"});
    set_vars("no login", {"no", "login"}, {"login"});
    EXPECT_EQ(setting("R1", "lineconsole_pass"), "nill");
    EXPECT_EQ(setting("R1", "lineconsole_login"), "nill");

    // A negation that carries a value never stores it.
    attach("2950", kSwitch, "(config)#");
    put_setting("2950", "default_gateway", "10.0.0.1");
    set_vars("no ip default-gateway 10.0.0.1", {"no", "ip", "default-gateway", ""},
             {"default_gateway"});
    EXPECT_EQ(setting("2950", "default_gateway"), "Unassigned");
}

TEST_F(ConfigCommands, GlobalSwitchesWriteTheirFixedValues) {
    struct Case {
        std::string typed;
        std::string key, value;
    } cases[] = {
        {"no ip routing", "ip_routing", "disable"},
        {"ip routing", "ip_routing", "enable"},
        {"no cdp run", "cdp_run", "disable"},
        {"ipx routing", "ipx_routing", "enable"},
        {"no ipx routing", "ipx_routing", "disable"},
        {"no ip domain-lookup", "ip_domain_lookup", "disable"},
        {"ip domain-lookup", "ip_domain_lookup", "enable"},
        {"no banner motd", "banner_motd", "unassigned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Words words;
        for (std::size_t start = 0;;) {
            auto blank = c.typed.find(' ', start);
            words.push_back(c.typed.substr(start, blank - start));
            if (blank == std::string::npos) break;
            start = blank + 1;
        }
        set_vars(c.typed, words, {c.key});
        EXPECT_EQ(setting("R1", c.key), c.value);
    }
}

TEST_F(ConfigCommands, ArgumentValuesFillSettingsInOrderAndNeverStaleOnes) {
    // Three values for three keys.
    set_vars("ip route 10.2.0.0 255.255.0.0 10.1.1.2", {"ip", "route", "", "", ""},
             {"ip_route_network", "ip_route_mask", "ip_route_nexthop"});
    EXPECT_EQ(setting("R1", "ip_route_network"), "10.2.0.0");
    EXPECT_EQ(setting("R1", "ip_route_mask"), "255.255.0.0");
    EXPECT_EQ(setting("R1", "ip_route_nexthop"), "10.1.1.2");

    // Two values for three keys: the third is left alone, although an
    // earlier line left a value in its slot.
    set_vars("ip route 10.3.0.0 255.255.0.0", {"ip", "route", "", ""},
             {"ip_route_network", "ip_route_mask", "ip_route_nexthop"});
    EXPECT_EQ(setting("R1", "ip_route_network"), "10.3.0.0");
    EXPECT_EQ(setting("R1", "ip_route_nexthop"), "10.1.1.2");

    // A line without values writes nothing.
    set_vars("clock timezone", {"clock", "timezone"}, {"clock_timezone"});
    EXPECT_EQ(setting("R1", "clock_timezone"), "nill");

    // A key the store lacks takes nothing and does not shift the values.
    set_vars("ip route 10.4.0.0 255.255.0.0 10.1.1.3", {"ip", "route", "", "", ""},
             {"ip_route_network", "no_such_key", "ip_route_nexthop"});
    EXPECT_EQ(setting("R1", "ip_route_network"), "10.4.0.0");
    EXPECT_EQ(setting("R1", "ip_route_nexthop"), "10.1.1.3");
    EXPECT_EQ(setting("R1", "ip_route_mask"), "255.255.0.0");
}

// ------------------------------------------------------------ switch

TEST_F(ConfigCommands, SwitchPortSettingsCarryThePortInTheirKeys) {
    attach("2950", kSwitch, "(config-if)#", "FastEthernet0/3");
    app.console.mode.switch_port = "0/3";
    set_vars("switchport access vlan 10", {"switchport", "access", "vlan", ""}, {"vlan"});
    set_vars("switchport mode trunk", {"switchport", "mode", "trunk"}, {"trunk_opmode"});
    set_vars("shutdown", {"shutdown"}, {"shutdown", "line", "prot"});
    set_vars("description Up'link%", {"description", ""}, {"description"});
    EXPECT_EQ(setting("2950", "FastEthernet0/3_vlan"), "10");
    EXPECT_EQ(setting("2950", "FastEthernet0/3_trunk_opmode"), "trunk");
    for (std::string key : {"shutdown", "line", "prot"})
        EXPECT_EQ(setting("2950", "FastEthernet0/3_" + key), "down") << key;
    EXPECT_EQ(setting("2950", "FastEthernet0/3_description"), "Up'link%");
    // The neighbouring port and the VLAN interface are untouched.
    EXPECT_EQ(setting("2950", "FastEthernet0/4_vlan"), "1");
    EXPECT_EQ(setting("2950", "FastEthernet0/4_shutdown"), "up");
    EXPECT_EQ(setting("2950", "FastEthernet1_description"), "nill");

    set_vars("no shutdown", {"no", "shutdown"}, {"shutdown", "line", "prot"});
    set_vars("no switchport access vlan", {"no", "switchport", "access", "vlan"}, {"vlan"});
    set_vars("switchport mode access", {"switchport", "mode", "access"}, {"trunk_opmode"});
    EXPECT_EQ(setting("2950", "FastEthernet0/3_shutdown"), "up");
    EXPECT_EQ(setting("2950", "FastEthernet0/3_vlan"), "1");
    EXPECT_EQ(setting("2950", "FastEthernet0/3_trunk_opmode"), "access");
}

TEST_F(ConfigCommands, RemovingPortSecurityResetsThePortAndItsAddresses) {
    attach("2950", kSwitch, "(config-if)#", "FastEthernet0/1");
    app.console.mode.switch_port = "0/1";
    set_vars("switchport port-security", {"switchport", "port-security"}, {"security"});
    EXPECT_EQ(setting("2950", "FastEthernet0/1_security"), "enable");
    put_setting("2950", "FastEthernet0/1_sec_max", "5");
    put_setting("2950", "FastEthernet0/1_sec_violat_mode", "restrict");
    app.session.execute(
        "INSERT INTO port_security (port, mac_addr) VALUES ('0/1', 'aaaa.bbbb.cccc')");
    app.session.execute(
        "INSERT INTO port_security (port, mac_addr) VALUES ('0/2', 'aaaa.bbbb.dddd')");

    set_vars("no switchport port-security", {"no", "switchport", "port-security"},
             {"security", "sec_max", "sec_violat_mode"});
    EXPECT_EQ(setting("2950", "FastEthernet0/1_security"), "disable");
    EXPECT_EQ(setting("2950", "FastEthernet0/1_sec_max"), "1");
    EXPECT_EQ(setting("2950", "FastEthernet0/1_sec_violat_mode"), "shutdown");
    EXPECT_EQ(count("SELECT count(*) FROM port_security WHERE port = '0/1'"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM port_security WHERE port = '0/2'"), 1);
}

TEST_F(ConfigCommands, TheVlan1InterfaceUsesTheManagementKeys) {
    // R1's Ethernet0 already serves 10.0.0.0/8.
    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1', mask = '255.0.0.0' WHERE ref = 1 AND "
        "int_name = 'Ethernet0'");
    attach("2950", kSwitch, "(config-if)#", "vlan1");
    set_vars("shutdown", {"shutdown"}, {"shutdown", "line", "prot"});
    for (std::string key : {"shutdown", "line", "prot"})
        EXPECT_EQ(setting("2950", "FastEthernet1_" + key), "down") << key;
    set_vars("no shutdown", {"no", "shutdown"}, {"shutdown", "line", "prot"});
    EXPECT_EQ(setting("2950", "FastEthernet1_shutdown"), "up");
    set_vars("description mgmt", {"description", ""}, {"description"});
    EXPECT_EQ(setting("2950", "FastEthernet1_description"), "mgmt");

    set_vars("ip address 10.0.0.5 255.0.0.0", {"ip", "address", "", ""},
             {"FastEthernet1_ip_address", "FastEthernet1_dec_mask"});
    EXPECT_EQ(setting("2950", "FastEthernet1_ip_address"), "10.0.0.5");
    EXPECT_EQ(setting("2950", "FastEthernet1_dec_mask"), "255.0.0.0");
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist WHERE master_ip = '10.0.0.1' AND sub_ip = "
                    "'10.0.0.5'"),
              1);
    // A switch's ports carry no address: the routing views stay as they were.
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def WHERE ref = 5 AND ip <> 'NA'"), 0);

    set_vars("no ip address", {"no", "ip", "address"},
             {"FastEthernet1_ip_address", "FastEthernet1_dec_mask"});
    EXPECT_EQ(setting("2950", "FastEthernet1_ip_address"), "unassigned");
    EXPECT_EQ(setting("2950", "FastEthernet1_dec_mask"), "unassigned");
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist WHERE sub_ip = '10.0.0.5'"), 0);
}

// ------------------------------------------------------------ PC

TEST_F(ConfigCommands, AWorkstationAddressGoesToItsEthernetKeysAndInterface) {
    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1', mask = '255.0.0.0' WHERE ref = 1 AND "
        "int_name = 'Ethernet0'");
    attach("PC", kPc, ":");
    set_vars("ip address 10.0.0.9 255.0.0.0", {"ip", "address", "", ""},
             {"ip_address", "dec_mask"});
    EXPECT_EQ(app.console.mode.config_prefix, "ethernet0");
    EXPECT_EQ(app.console.mode.current_interface, "ethernet0");
    EXPECT_EQ(setting("PC", "ethernet0_ip_address"), "10.0.0.9");
    EXPECT_EQ(setting("PC", "ethernet0_dec_mask"), "255.0.0.0");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"})
        EXPECT_EQ(view(table, 4, "Ethernet0", "ip"), "10.0.0.9") << table;
    // The switch port at the other end of the cable sees the address.
    EXPECT_EQ(view("route_ip_def", 5, "FastEthernet0/2", "next_hopip"), "10.0.0.9");
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist WHERE master_ip = '10.0.0.1' AND sub_ip = "
                    "'10.0.0.9'"),
              1);
}

TEST_F(ConfigCommands, AnAddressHeldElsewhereIsRefusedWithNothingWritten) {
    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1', mask = '255.0.0.0' WHERE ref = 1 AND "
        "int_name = 'Ethernet0'");
    put_setting("2950", "FastEthernet1_ip_address", "10.0.0.5");
    app.session.execute(
        "INSERT INTO frame_map_def (subint_num, subint_ip, subint_mask, ref) VALUES ('1', "
        "'10.9.9.1', '255.255.255.0', 2)");
    struct Case {
        std::string device;
        DeviceKind kind;
        std::string mode, prefix, address;
        Words params;
        std::string key;
    } cases[] = {
        {"PC", kPc, ":", "nill", "10.0.0.1", {"ip_address", "dec_mask"}, "ethernet0_ip_address"},
        {"PC", kPc, ":", "nill", "10.0.0.5", {"ip_address", "dec_mask"}, "ethernet0_ip_address"},
        {"PC", kPc, ":", "nill", "10.9.9.1", {"ip_address", "dec_mask"}, "ethernet0_ip_address"},
        {"2950",
         kSwitch,
         "(config-if)#",
         "vlan1",
         "10.0.0.1",
         {"FastEthernet1_ip_address", "FastEthernet1_dec_mask"},
         "FastEthernet1_ip_address"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device + " " + c.address);
        attach(c.device, c.kind, c.mode, c.prefix);
        const std::string before = setting(c.device, c.key);
        set_vars("ip address " + c.address + " 255.0.0.0", {"ip", "address", "", ""}, c.params);
        EXPECT_EQ(response(), kAddressInUse);
        EXPECT_EQ(setting(c.device, c.key), before);
        EXPECT_EQ(count("SELECT count(*) FROM eth_iplist"), 0);
        EXPECT_EQ(view("route_ip_def", 4, "Ethernet0", "ip"), "UA");
    }
    // A switch may be given its present management address again.
    attach("2950", kSwitch, "(config-if)#", "vlan1");
    set_vars("ip address 10.0.0.5 255.0.0.0", {"ip", "address", "", ""},
             {"FastEthernet1_ip_address", "FastEthernet1_dec_mask"});
    EXPECT_EQ(response(), "nill");
}

// ------------------------------------------------------------ loopback, telnet

TEST_F(ConfigCommands, InterfaceLoopbackCreatesOneLoopbackPerDevice) {
    app.console.mode.loopback_number = 1;
    set_vars("interface loopback 1", {"interface", "loopback", ""}, {"loopback_int"});
    EXPECT_EQ(setting("R1", "loopback_int"), "enable");
    EXPECT_EQ(detail(1, "loopback1", "shutdown"), "up");
    EXPECT_EQ(detail(1, "loopback1", "line"), "up");
    EXPECT_EQ(detail(1, "loopback1", "prot"), "up");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"}) {
        EXPECT_EQ(view(table, 1, "loopback1", "int_status"), "1") << table;
        EXPECT_EQ(view(table, 1, "loopback1", "ip"), "UA") << table;
    }

    app.console.mode.loopback_number = 2;
    set_vars("interface loopback 2", {"interface", "loopback", ""}, {"loopback_int"});
    EXPECT_EQ(count("SELECT count(*) FROM int_det WHERE int_name LIKE 'loopback%'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def WHERE int_name LIKE 'loopback%'"), 1);
}

TEST_F(ConfigCommands, DisconnectEndsTheSessionWhereverItIsHeld) {
    put_setting("R2", "telnetsession_id", "2");
    put_setting("R3", "telnetsession_id", "3");
    set_vars("disconnect 2", {"disconnect", ""}, {"telnetsession_id"});
    EXPECT_EQ(setting("R2", "telnetsession_id"), "nill");
    EXPECT_EQ(setting("R3", "telnetsession_id"), "3");
    // The console's own device does not take the number over.
    EXPECT_EQ(setting("R1", "telnetsession_id"), "nill");

    // A number that names the key itself never renames the key.
    set_vars("disconnect telnetsession_id", {"disconnect", ""}, {"telnetsession_id"});
    EXPECT_EQ(count("SELECT count(*) FROM routervariables_def WHERE Config_Variable = "
                    "'telnetsession_id'"),
              1);
}

// ------------------------------------------------------------ router interfaces

class InterfaceCommands : public ConfigCommands {
protected:
    void SetUp() override {
        ConfigCommands::SetUp();
        attach("R1", kRouter, "(config-if)#", "serial0", "serial0");
    }
    void on(const std::string& interface) {
        attach("R1", kRouter, "(config-if)#", interface, interface);
    }
};

TEST_F(InterfaceCommands, AnAddressReachesTheInterfaceTheViewsThePeerAndTheRouterId) {
    config_if("ip address 10.1.1.1 255.255.255.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    EXPECT_EQ(response(), "nill");
    EXPECT_EQ(detail(1, "Serial0", "ip_address"), "10.1.1.1");
    EXPECT_EQ(detail(1, "Serial0", "mask_address"), "255.255.255.0");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(view(table, 1, "Serial0", "ip"), "10.1.1.1");
        EXPECT_EQ(view(table, 1, "Serial0", "mask"), "255.255.255.0");
        EXPECT_EQ(view(table, 2, "Serial0", "next_hopip"), "10.1.1.1");
        EXPECT_EQ(view(table, 2, "Serial0", "next_hopmask"), "255.255.255.0");
    }
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_no = 1", {}), "10.1.1.1");
    // A serial interface has no LAN.
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist"), 0);

    // 9.0.0.1 outranks 10.1.1.1 as router id; 10.2.0.1 does not outrank it.
    on("serial1");
    config_if("ip address 9.0.0.1 255.0.0.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    on("ethernet0");
    config_if("ip address 10.2.0.1 255.255.0.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_no = 1", {}), "9.0.0.1");
}

TEST_F(InterfaceCommands, DuplicateAddressesAreRefused) {
    app.session.execute(
        "UPDATE route_ip_def SET ip = '10.1.1.2' WHERE ref = 2 AND int_name = 'Serial0'");
    app.session.execute(
        "INSERT INTO frame_map_def (subint_num, subint_ip, subint_mask, ref) VALUES ('1', "
        "'10.9.9.1', '255.255.255.0', 2)");
    put_setting("2950", "FastEthernet1_ip_address", "10.0.0.5");
    for (std::string address : {"10.1.1.2", "10.9.9.1", "10.0.0.5"}) {
        SCOPED_TRACE(address);
        config_if("ip address " + address + " 255.0.0.0", {"ip", "address", "", ""},
                  {"ip_address", "mask_address"});
        EXPECT_EQ(response(), kAddressInUse);
        EXPECT_EQ(detail(1, "Serial0", "ip_address"), "UA");
        EXPECT_EQ(view("route_ip_def", 1, "Serial0", "ip"), "UA");
        EXPECT_EQ(view("route_ip_def", 2, "Serial0", "next_hopip"), "UA");
        EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_no = 1", {}), "UA");
    }
    // Typing an interface's present address again is no duplicate.
    config_if("ip address 10.1.1.1 255.0.0.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    config_if("ip address 10.1.1.1 255.0.0.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    EXPECT_EQ(response(), "nill");
}

TEST_F(InterfaceCommands, EthernetAddressesMaintainTheLanTables) {
    put_setting("2950", "FastEthernet1_ip_address", "10.0.0.5");
    put_setting("2950", "FastEthernet1_dec_mask", "255.0.0.0");
    app.session.execute(
        "INSERT INTO sw_riplist (sub_dev, mast_ip, mast_int, mast_dev) VALUES "
        "('2950', 'UA', 'Ethernet0', 'R1')");
    on("ethernet0");
    config_if("ip address 10.0.0.1 255.0.0.0", {"ip", "address", "", ""},
              {"ip_address", "mask_address"});
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist WHERE master_ip = '10.0.0.1' AND sub_ip = "
                    "'10.0.0.5'"),
              1);
    EXPECT_EQ(text("SELECT mast_ip FROM sw_riplist", {}), "10.0.0.1");
    EXPECT_EQ(view("route_ip_def", 5, "FastEthernet0/1", "next_hopip"), "10.0.0.1");

    config_if("no ip address", {"no", "ip", "address"}, {"ip_address", "mask_address"});
    EXPECT_EQ(detail(1, "Ethernet0", "ip_address"), "UA");
    EXPECT_EQ(detail(1, "Ethernet0", "mask_address"), "UA");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(view(table, 1, "Ethernet0", "ip"), "UA");
        EXPECT_EQ(view(table, 5, "FastEthernet0/1", "next_hopip"), "UA");
        // The cable stays.
        EXPECT_EQ(view(table, 5, "FastEthernet0/1", "next_hop_devname"), "R1");
    }
    EXPECT_EQ(count("SELECT count(*) FROM eth_iplist"), 0);
    EXPECT_EQ(text("SELECT mast_ip FROM sw_riplist", {}), "UA");
    // Removing an address never changes the router id.
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_no = 1", {}), "10.0.0.1");
}

TEST_F(InterfaceCommands, ShutdownSwitchesTheInterfaceAndItsViews) {
    attach("R1", kRouter, "(config)#");
    app.console.mode.loopback_number = 0;
    set_vars("interface loopback 0", {"interface", "loopback", ""}, {"loopback_int"});

    struct Case {
        std::string interface, typed, row_name;
        Words words;
        std::string value, view_status;
    } cases[] = {
        {"serial0", "shutdown", "Serial0", {"shutdown"}, "down", "0"},
        {"serial0", "no shutdown", "Serial0", {"no", "shutdown"}, "up", "1"},
        // loopback0 cannot be shut; its number comes from the argument check.
        {"loopback", "shutdown", "loopback0", {"shutdown"}, "up", "1"},
        {"loopback", "no shutdown", "loopback0", {"no", "shutdown"}, "up", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.interface + " " + c.typed);
        on(c.interface);
        config_if(c.typed, c.words, {"shutdown", "line", "prot"});
        EXPECT_TRUE(found_);
        for (std::string column : {"shutdown", "line", "prot"})
            EXPECT_EQ(detail(1, c.row_name, column), c.value) << column;
        for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"})
            EXPECT_EQ(view(table, 1, c.row_name, "int_status"), c.view_status) << table;
    }
    EXPECT_EQ(app.console.mode.current_interface, "loopback0");
}

TEST_F(InterfaceCommands, FrameRelaySettingsBelongToSerialInterfaces) {
    struct Case {
        std::string interface, typed;
        Words words, params;
        bool found;
        std::string row_name, first, second;
    } cases[] = {
        {"ethernet0",
         "frame-relay lmi-type ansi",
         {"frame-relay", "lmi-type", ""},
         {"lmi_type"},
         false,
         "Ethernet0",
         "Not Set",
         ""},
        {"serial0",
         "frame-relay lmi-type ansi",
         {"frame-relay", "lmi-type", ""},
         {"lmi_type"},
         true,
         "Serial0",
         "ansi",
         ""},
        {"ethernet0",
         "encapsulation frame-relay",
         {"encapsulation", "frame-relay"},
         {"encap_short", "frame_type"},
         false,
         "Ethernet0",
         "Not Set",
         "Not Set"},
        {"serial0",
         "encapsulation frame-relay",
         {"encapsulation", "frame-relay"},
         {"encap_short", "frame_type"},
         true,
         "Serial0",
         "framerelay",
         "cisco"},
        {"serial1",
         "encapsulation frame-relay ietf",
         {"encapsulation", "frame-relay", "ietf"},
         {"encap_short", "frame_type"},
         true,
         "Serial1",
         "framerelay",
         "ietf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.interface + " " + c.typed);
        on(c.interface);
        config_if(c.typed, c.words, c.params);
        EXPECT_EQ(found_, c.found);
        EXPECT_EQ(detail(1, c.row_name, c.params[0]), c.first);
        if (c.params.size() > 1) {
            EXPECT_EQ(detail(1, c.row_name, c.params[1]), c.second);
        }
    }
}

TEST_F(InterfaceCommands, ValuesAndTheirResets) {
    struct Case {
        std::string typed;
        Words words;
        std::string column, value;
    } cases[] = {
        {"clock rate 64000", {"clock", "rate", ""}, "clock_rate", "64000"},
        {"no clock rate", {"no", "clock", "rate"}, "clock_rate", "Not Set"},
        {"bandwidth 64", {"bandwidth", ""}, "bandwidth", "64"},
        {"no bandwidth", {"no", "bandwidth"}, "bandwidth", "Not Set"},
        {"no cdp enable", {"no", "cdp", "enable"}, "cdp_enable", "disabled"},
        {"cdp enable", {"cdp", "enable"}, "cdp_enable", "enabled"},
        {"no description", {"no", "description"}, "description", "Not Set"},
        {"no keepalive 10", {"no", "keepalive", ""}, "keepalive", "Not Set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        config_if(c.typed, c.words, {c.column});
        EXPECT_TRUE(found_);
        EXPECT_EQ(detail(1, "Serial0", c.column), c.value);
    }
    // Typed text with quotes and wildcards is stored as typed.
    config_if("description R2's%_link", {"description", ""}, {"description"});
    EXPECT_EQ(detail(1, "Serial0", "description"), "R2's%_link");
    EXPECT_EQ(detail(1, "Serial1", "description"), "Not Set");
}

TEST_F(InterfaceCommands, IsdnCommandsOnlyOnIsdnInterfaces) {
    app.session.execute("INSERT INTO int_det (int_name, ref) VALUES ('IsdnBri0', 1)");
    config_if("isdn switch-type basic-ni", {"isdn", "switch-type", ""}, {"isdn_switch_type"});
    EXPECT_FALSE(found_);
    EXPECT_EQ(detail(1, "Serial0", "isdn_switch_type"), "Not Set");

    on("IsdnBri0");
    config_if("isdn switch-type basic-ni", {"isdn", "switch-type", ""}, {"isdn_switch_type"});
    EXPECT_TRUE(found_);
    EXPECT_EQ(detail(1, "IsdnBri0", "isdn_switch_type"), "basic-ni");
}

TEST_F(InterfaceCommands, SubinterfaceSettingsGoToTheFrameRelayRow) {
    // Serial0 of R1 is frame_ip row 2; its subinterface 1 with its views.
    app.session.execute(
        "INSERT INTO frame_map_def (subint_num, subint_ip, subint_mask, ref) VALUES ('1', "
        "'10.9.9.1', '255.255.255.0', 2)");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"})
        app.session.execute("INSERT INTO " + table +
                            " (ref, int_name, int_status) VALUES (1, 'serial0.1', 1)");
    attach("R1", kRouter, "(config-subif)#", "serial0", "serial0");
    app.console.mode.subinterface_number = "1";
    auto map = [&](const std::string& column) {
        return text(
            "SELECT \"" + column + "\" FROM frame_map_def WHERE ref = 2 AND subint_num = '1'", {});
    };

    config_if("shutdown", {"shutdown"}, {"whatever"});
    EXPECT_EQ(map("shutdown"), "0");
    for (std::string table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"})
        EXPECT_EQ(view(table, 1, "serial0.1", "int_status"), "0") << table;
    config_if("no shutdown", {"no", "shutdown"}, {});
    EXPECT_EQ(map("shutdown"), "1");
    EXPECT_EQ(view("route_ip_def", 1, "serial0.1", "int_status"), "1");

    config_if("encapsulation frame-relay ietf", {"encapsulation", "frame-relay", "ietf"},
              {"encap_short", "frame_type"});
    EXPECT_EQ(map("encap_short"), "framerelay");
    EXPECT_EQ(map("frame_type"), "ietf");
    config_if("description to-R2", {"description", ""}, {"description"});
    EXPECT_EQ(map("description"), "to-R2");
    // The main interface is untouched.
    EXPECT_EQ(detail(1, "Serial0", "description"), "Not Set");
    EXPECT_EQ(view("route_ip_def", 1, "Serial0", "int_status"), "0");
}

TEST_F(InterfaceCommands, ColumnsThatNameTheRowAreNeverWritten) {
    config_if("description x", {"description", ""}, {"int_name"});
    config_if("description y", {"description", ""}, {"no_such_column"});
    EXPECT_EQ(count("SELECT count(*) FROM int_det WHERE int_name = 'Serial0' AND ref = 1"), 1);
}

}  // namespace
