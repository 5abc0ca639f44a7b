// The console's start on the default network: the start device, caption and
// buttons of each simulator mode; the reset that brings every table of the
// default network back to a fresh start, entirely or not at all; and the
// uplink table sw_riplist built from the cabling of small networks.

#include "console/default_network.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/db_session.h"
#include "reachability/lan_tables.h"
#include "state/app_state.h"
#include "state/database_builder.h"
#include "support/test_database.h"

namespace {

using vexlab::console::DefaultNetworkError;
using vexlab::console::DefaultStart;
using vexlab::console::set_default;
using vexlab::console::SimulatorMode;
using vexlab::db::DatabaseSession;
using vexlab::db::quote_identifier;
using vexlab::db::Value;
using vexlab::state::DeviceKind;
using vexlab::state::NetworkTableSet;

// Every table a reset writes or reads from, each as its column names and its
// rows in stored order; a cell carries its type, so Null, "" and 0 differ.
using Dump = std::map<std::string, std::vector<std::string>>;

std::vector<std::string> network_state_tables() {
    const NetworkTableSet set = NetworkTableSet::default_set();
    std::vector<std::string> tables = {
        set.routervariables_table,
        set.rout_dev_table,
        set.route_ip_table,
        set.ospf_dev_table,
        set.ospf_ip_table,
        set.eigrp_dev_table,
        set.eigrp_ip_table,
        set.nat_dev_table,
        set.nat_inout_table,
        set.frame_device_table,
        set.frame_ip_table,
        set.frame_map_table,
        "device",
        "int_device",
        "int_det",
        "vlan_info",
        "mac_addr",
        "port_security",
        "eth_iplist",
        "sw_riplist",
        "access_list",
        "nat_pool",
        "device_def",
        "int_device_def",
        "int_det_def",
        "config_template",
    };
    for (const auto& table : vexlab::state::seeded_default_tables())
        tables.push_back(vexlab::state::seed_table(table));
    return tables;
}

Dump dump(DatabaseSession& session) {
    Dump out;
    for (const auto& table : network_state_tables()) {
        if (!session.table_exists(table)) continue;
        auto& lines = out[table];
        auto set =
            session.open_recordset("SELECT * FROM " + quote_identifier(table) + " ORDER BY rowid");
        std::string header;
        for (int i = 0; i < set.field_count(); ++i) header += set.field_name(i) + "|";
        lines.push_back(header);
        for (; !set.eof(); set.move_next()) {
            std::string line;
            for (int i = 0; i < set.field_count(); ++i)
                line +=
                    std::to_string(static_cast<int>(set.field(i).type())) + ":" + set.text(i) + "|";
            lines.push_back(line);
        }
    }
    return out;
}

void expect_same(const Dump& actual, const Dump& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto& [table, lines] : expected) {
        SCOPED_TRACE(table);
        auto it = actual.find(table);
        ASSERT_NE(it, actual.end());
        EXPECT_EQ(it->second, lines);
    }
}

class DefaultNetwork : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
        app.session.open(dir.file("commandsbackup.mdb"));
        app.table_set = NetworkTableSet::default_set();
    }

    void mode(bool router, bool switch_) {
        app.open_mode.start_as_router = router;
        app.open_mode.start_as_switch = switch_;
    }

    std::string text(const std::string& sql, std::initializer_list<Value> params = {}) {
        return app.session.scalar(sql, params).to_text();
    }

    using Rows = std::vector<std::vector<std::string>>;
    Rows rows(const std::string& sql) {
        Rows out;
        for (auto set = app.session.open_recordset(sql); !set.eof(); set.move_next()) {
            out.emplace_back();
            for (int i = 0; i < set.field_count(); ++i) out.back().push_back(set.text(i));
        }
        return out;
    }

    // A fresh start: the shipped database as the console's load resets it.
    Dump fresh_start() {
        vexlab::test::TempDir other;
        vexlab::test::fresh_database(other.file("fresh.mdb"));
        vexlab::state::AppState fresh;
        fresh.session.open(other.file("fresh.mdb"));
        fresh.table_set = NetworkTableSet::default_set();
        fresh.open_mode = app.open_mode;
        set_default(fresh);
        return dump(fresh.session);
    }

    vexlab::test::TempDir dir;
    vexlab::state::AppState app;
};

TEST_F(DefaultNetwork, EachModeStartsOnItsDeviceWithItsCaptionAndButtons) {
    struct Case {
        bool router, switch_;
        SimulatorMode mode;
        std::string device, host, model;
        DeviceKind kind;
        std::string caption;
        bool buttons;
    } cases[] = {
        {true, false, SimulatorMode::Router, "R1", "R1", "2501", DeviceKind::Router,
         "Router Simulator", false},
        {false, true, SimulatorMode::Switch, "2950", "2950", "2950", DeviceKind::Switch,
         "Switch Simulator", false},
        {true, true, SimulatorMode::Router, "R1", "R1", "2501", DeviceKind::Router,
         "Router Simulator", false},
        // The device of the first working column, named by its shipped host
        // name: the pristine value, not what a command left in the working one.
        {false, false, SimulatorMode::Network, "R1", "Edge", "2501", DeviceKind::Router,
         "Network Simulator", true},
    };
    app.session.execute(
        "UPDATE routervariables_def SET R1_pristine = 'Edge', R1 = 'Stale' "
        "WHERE Config_Variable = 'HostName'");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption + (c.switch_ ? " (switch flag)" : ""));
        mode(c.router, c.switch_);
        app.console.device = {"PC", "PC", DeviceKind::Pc, "PC", "HomeHost", "HomeDevice"};
        const DefaultStart start = set_default(app);
        EXPECT_EQ(start.mode, c.mode);
        EXPECT_EQ(start.caption, c.caption);
        EXPECT_EQ(start.network_buttons_enabled, c.buttons);
        const auto& d = app.console.device;
        EXPECT_EQ(d.current_device, c.device);
        EXPECT_EQ(d.host_name, c.host);
        EXPECT_EQ(d.device_kind, c.kind);
        EXPECT_EQ(d.device_model, c.model);
        // Network mode makes its start device the home device; the other
        // modes keep none from an earlier console.
        EXPECT_EQ(d.home_host_name, c.buttons ? c.host : "");
        EXPECT_EQ(d.home_device, c.buttons ? c.device : "");
    }
}

TEST_F(DefaultNetwork, AStartDeviceWithoutADeviceRowKeepsTheKindAndModelItHad) {
    struct Case {
        bool router;
        DeviceKind kind;  // router mode sets its own kind; network mode leaves it
    } cases[] = {{true, DeviceKind::Router}, {false, DeviceKind::Pc}};
    app.session.execute("DELETE FROM device_def WHERE Device_Name = 'R1'");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.router ? "router mode" : "network mode");
        mode(c.router, false);
        app.console.device.device_kind = DeviceKind::Pc;
        app.console.device.device_model = "PC";
        set_default(app);
        EXPECT_EQ(app.console.device.current_device, "R1");
        EXPECT_EQ(app.console.device.device_kind, c.kind);
        EXPECT_EQ(app.console.device.device_model, "PC");
    }
}

TEST_F(DefaultNetwork, AConfiguredNetworkComesBackAsAtAFreshStart) {
    mode(false, false);
    const Dump expected = fresh_start();
    const std::vector<std::pair<std::string, std::vector<Value>>> configuration = {
        // Interface addressing, status, protocol, filters, NAT and layer 2.
        {"UPDATE route_ip_def SET ip = ?, mask = ?, nwnum = ?, nw_protocol = 'r', metric = 1, "
         "int_status = 1, in_acl_num = 10, out_acl_num = 11, l2_frame = 1, l2_isdn = 1, "
         "nat_inside_int = 1, nat_outside_int = 1, next_hopip = ? WHERE ref = 1",
         {"10.0.0.1", "255.0.0.0", "10.0.0.0", "10.0.0.2"}},
        {"UPDATE ospf_ip_def SET ip = ?, int_area_num = 0, int_area_type = 'B', "
         "con_to_backbone = 1, nxt_int_area_num = 1, nxt_int_area_type = 'S', "
         "nxt_con_to_backbone = 1, in_acl_num = 5 WHERE ref = 2",
         {"10.1.0.1"}},
        {"UPDATE eigrp_ip_def SET ip = ?, nw_protocol = 'e', out_acl_num = 7 WHERE ref = 3",
         {"10.2.0.1"}},
        {"UPDATE route_ip_def SET int_status = 0 WHERE ref = 4", {}},
        {"UPDATE route_ip_def SET next_hop_devname = 'R3' WHERE ref = 2 AND int_name = "
         "'Ethernet0'",
         {}},
        // Loopbacks and subinterfaces: rows no shipped network has.
        {"INSERT INTO route_ip_def (int_name, int_status, ref) VALUES ('loopback0', 1, 1)", {}},
        {"INSERT INTO ospf_ip_def (int_name, int_status, ref) VALUES ('loopback0', 1, 1)", {}},
        {"INSERT INTO eigrp_ip_def (\"index\", int_name, ref) VALUES (30, 'Loopback3', 2)", {}},
        {"INSERT INTO route_ip_def (int_name, ref) VALUES ('Serial0.1', 1)", {}},
        {"INSERT INTO frame_map_def (subint_num, dlci_num, ref) VALUES ('1', 102, 2)", {}},
        {"INSERT INTO int_det (int_name, shutdown, ref) VALUES ('loopback0', 'up', 1)", {}},
        {"UPDATE int_det SET ip_address = ?, shutdown = 'up', description = ? WHERE ref = 1",
         {"10.0.0.1", "it's the uplink"}},
        // Device tables of the protocols, which the commands also change.
        {"UPDATE ospf_dev_def SET device_id = ?, virtual_link = 1, transit_area = 2, "
         "vlink_to_router = ?, spf_runs = 4 WHERE dev_no = 1",
         {"1.1.1.1", "2.2.2.2"}},
        {"UPDATE nat_dev_def SET nat_status = 1 WHERE dev_no = 1", {}},
        {"INSERT INTO nat_inout_def (inside_local, inside_global, ref) VALUES (?, ?, 1)",
         {"10.0.0.5", "200.0.0.5"}},
        {"UPDATE rout_dev_def SET dev_name = 'R9' WHERE dev_no = 3", {}},
        {"INSERT INTO rout_dev_def (dev_no, dev_name) VALUES (9, 'R9')", {}},
        {"DELETE FROM eigrp_dev_def WHERE dev_no = 2", {}},
        {"INSERT INTO frame_device_def (dev_no, dev_name) VALUES (4, 'PC')", {}},
        {"UPDATE frame_ip_def SET int_name = 'Serial7' WHERE ref = 1", {}},
        // Settings in the working columns.
        {"UPDATE routervariables_def SET R1 = ?, \"2950\" = ? WHERE Config_Variable = "
         "'hostname'",
         {"Core", "Access"}},
        {"UPDATE routervariables_def SET R2 = ? WHERE Config_Variable = 'enable_password'",
         {"o'secret"}},
        // The shared tables.
        {"INSERT INTO vlan_info (vlan_num, vlan_name) VALUES (10, 'sales')", {}},
        {"INSERT INTO mac_addr (vla_num, mac_addr, ports) VALUES (10, ?, 'Fa0/2')",
         {"0000.1111.2222"}},
        {"INSERT INTO port_security (port, mac_addr) VALUES ('Fa0/2', ?)", {"0000.1111.2222"}},
        {"INSERT INTO access_list (accesslist_num, ip, deny, ref_devce) VALUES (10, ?, 1, 1)",
         {"10.0.0.0"}},
        {"INSERT INTO nat_pool (pool_name, accesslist_num, dev_ref) VALUES ('pool', 10, 1)", {}},
        {"INSERT INTO eth_iplist (master_ip, sub_ip) VALUES (?, ?)", {"10.0.0.1", "10.0.0.2"}},
        {"DELETE FROM sw_riplist", {}},
        {"INSERT INTO sw_riplist (sub_dev, mast_ip, mast_int, mast_dev) VALUES "
         "('PC', ?, 'Ethernet0', 'R1')",
         {"10.0.0.1"}},
        {"INSERT INTO device (\"index\", Dev_cat, Device_Name) VALUES (1, '2501', 'R9')", {}},
        {"INSERT INTO int_device (\"index\", dev_name) VALUES (9, 'R9')", {}},
    };
    set_default(app);
    for (const auto& [sql, params] : configuration) {
        SCOPED_TRACE(sql);
        app.session.execute(sql, params);
        EXPECT_GT(app.session.changes(), 0);  // each one really changes the network
    }

    set_default(app);

    expect_same(dump(app.session), expected);
    // What a fresh start means, spelled out for the interface rows.
    for (const char* view : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"}) {
        SCOPED_TRACE(view);
        const std::string from = std::string(" FROM ") + view;
        EXPECT_EQ(text("SELECT count(*)" + from + " WHERE ip <> 'UA' AND ip <> 'NA'"), "0");
        EXPECT_EQ(text("SELECT count(*)" + from + " WHERE (int_status <> 0) <> (ref = 4)"), "0");
        EXPECT_EQ(text("SELECT count(*)" + from +
                       " WHERE int_name LIKE 'loopback%' OR "
                       "\"index\" = 0"),
                  "0");
        EXPECT_EQ(text("SELECT count(*)" + from +
                       " WHERE in_acl_num <> -1 OR out_acl_num <> -1 "
                       "OR l2_frame <> 0 OR nat_inside_int <> 0"),
                  "0");
    }
    EXPECT_EQ(text("SELECT count(*) FROM ospf_dev_def WHERE device_id <> 'UA'"), "0");
    EXPECT_EQ(app.console.device.host_name, "R1");
}

TEST_F(DefaultNetwork, EveryCellOfTheNetworkCommandsChangeIsRestored) {
    mode(true, false);
    const Dump expected = fresh_start();
    // Scribble over every column of every table a command may write: one
    // more row of defaults, then every cell overwritten.
    const NetworkTableSet set = app.table_set;
    std::vector<std::string> scribbled = vexlab::state::seeded_default_tables();
    for (const char* shared :
         {"device", "int_device", "int_det", "vlan_info", "mac_addr", "port_security", "eth_iplist",
          "sw_riplist", "access_list", "nat_pool"})
        scribbled.push_back(shared);
    for (const auto& table : scribbled) {
        app.session.execute("INSERT INTO " + quote_identifier(table) + " DEFAULT VALUES");
        for (const auto& column : app.session.column_names(table))
            app.session.execute(
                "UPDATE " + quote_identifier(table) + " SET " + quote_identifier(column) + " = ?",
                {"scribbled"});
    }
    const auto settings = app.session.column_names(set.routervariables_table);
    for (std::size_t working = 2; working < settings.size(); working += 2)
        app.session.execute(
            "UPDATE routervariables_def SET " + quote_identifier(settings[working]) + " = ?",
            {"scribbled"});

    set_default(app);

    expect_same(dump(app.session), expected);
}

TEST_F(DefaultNetwork, TheSwitchAndThePcHangOffR1Ethernet0AfterAReset) {
    mode(false, true);
    app.session.execute("INSERT INTO sw_riplist (sub_dev) VALUES ('left over')");
    set_default(app);
    EXPECT_EQ(rows("SELECT * FROM sw_riplist ORDER BY rowid"),
              (Rows{{"2950", "UA", "Ethernet0", "R1"}, {"PC", "UA", "Ethernet0", "R1"}}));
    EXPECT_EQ(text("SELECT count(*) FROM eth_iplist"), "0");
}

TEST_F(DefaultNetwork, AShippedAddressGivesItsLanPairsAndUplinkAddress) {
    // A default network that ships R1's Ethernet0 and the PC addressed.
    app.session.execute(
        "UPDATE route_ip_seed SET ip = '10.0.0.1', mask = '255.0.0.0' WHERE ref = 1 AND "
        "int_name = 'Ethernet0'");
    app.session.execute(
        "UPDATE route_ip_seed SET next_hopip = '10.0.0.1', next_hopmask = '255.0.0.0' WHERE "
        "ref = 5 AND int_name = 'FastEthernet0/1'");
    app.session.execute(
        "UPDATE route_ip_seed SET ip = '10.0.0.2', mask = '255.0.0.0' WHERE ref = 4");
    set_default(app);
    EXPECT_EQ(rows("SELECT * FROM eth_iplist ORDER BY rowid"), (Rows{{"10.0.0.1", "10.0.0.2"}}));
    EXPECT_EQ(
        rows("SELECT * FROM sw_riplist ORDER BY rowid"),
        (Rows{{"2950", "10.0.0.1", "Ethernet0", "R1"}, {"PC", "10.0.0.1", "Ethernet0", "R1"}}));
}

TEST_F(DefaultNetwork, AFailedResetChangesNothingAndReachesTheCaller) {
    struct Case {
        std::string why;
        std::vector<std::string> breakage;
        bool database_error;  // else the reset's own error
    } cases[] = {
        {"a seed of the shared tables is missing", {"DROP TABLE int_det_def"}, true},
        {"a shipped copy is missing", {"DROP TABLE frame_map_seed"}, false},
        // Found last of all, after the LAN tables were rebuilt.
        {"the settings name no device",
         {"DROP TABLE routervariables_def",
          "CREATE TABLE routervariables_def (Config_Variable TEXT)"},
         false},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        app.session.close();
        const std::string file = dir.file("case" + std::to_string(++round) + ".mdb");
        vexlab::test::fresh_database(file);
        app.session.open(file);
        mode(false, false);
        app.session.execute("UPDATE route_ip_def SET ip = '10.0.0.1', int_status = 1");
        app.session.execute("INSERT INTO vlan_info (vlan_num, vlan_name) VALUES (10, 'sales')");
        app.session.execute("INSERT INTO sw_riplist (sub_dev) VALUES ('kept')");
        for (const auto& sql : c.breakage) app.session.execute(sql);
        app.console.device = {"R2", "Router2", DeviceKind::Router, "2501", "Home", "R3"};
        const Dump before = dump(app.session);

        if (c.database_error)
            EXPECT_THROW(set_default(app), vexlab::db::DbError);
        else
            EXPECT_THROW(set_default(app), DefaultNetworkError);

        expect_same(dump(app.session), before);
        const auto& d = app.console.device;
        EXPECT_EQ(std::tie(d.current_device, d.host_name, d.device_kind, d.device_model,
                           d.home_host_name, d.home_device),
                  std::make_tuple(std::string("R2"), std::string("Router2"), DeviceKind::Router,
                                  std::string("2501"), std::string("Home"), std::string("R3")));
        // No transaction is left open: a later change outlives the session.
        app.session.execute("INSERT INTO vlan_info (vlan_num, vlan_name) VALUES (20, 'after')");
        app.session.close();
        app.session.open(file);
        EXPECT_EQ(text("SELECT count(*) FROM vlan_info"), "2");
    }
}

TEST_F(DefaultNetwork, ALoadedNetworkIsNeverReset) {
    app.table_set = NetworkTableSet::working_set();
    app.session.execute("INSERT INTO vlan_info (vlan_num, vlan_name) VALUES (10, 'sales')");
    app.console.device.current_device = "Loaded";
    EXPECT_THROW(set_default(app), DefaultNetworkError);
    EXPECT_EQ(text("SELECT count(*) FROM vlan_info"), "1");
    EXPECT_EQ(app.console.device.current_device, "Loaded");
}

// ------------------------------------------------------------ sw_riplist

// Small networks in the working tables: devices, and the two ends of each cable.
class SwRiplist : public ::testing::Test {
protected:
    void SetUp() override { start("net.mdb"); }

    void start(const std::string& file) {
        session.close();
        vexlab::test::empty_database(session, dir.file(file));
        devices_ = 0;
    }

    void device(const std::string& name, int kind) {
        const int number = ++devices_;
        session.execute("INSERT INTO device (\"index\", Dev_cat, Device_Name) VALUES (?, 'x', ?)",
                        {kind, name});
        session.execute("INSERT INTO rout_dev (dev_no, dev_name) VALUES (?, ?)", {number, name});
    }
    struct End {
        std::string device, interface, ip = "UA";
    };
    void interface(const End& end, const std::string& far_device = "UA",
                   const std::string& far_interface = "UA") {
        session.execute(
            "INSERT INTO route_ip (ref, int_name, ip, next_hop_devname, next_hop_intname) "
            "SELECT dev_no, ?, ?, ?, ? FROM rout_dev WHERE dev_name = ?",
            {end.interface, end.ip, far_device, far_interface, end.device});
    }
    void cable(const End& a, const End& b) {
        interface(a, b.device, b.interface);
        interface(b, a.device, a.interface);
    }
    using Rows = std::vector<std::vector<std::string>>;
    Rows uplinks() {
        Rows out;
        auto set = session.open_recordset("SELECT * FROM sw_riplist ORDER BY rowid");
        for (; !set.eof(); set.move_next())
            out.push_back({set.text(0), set.text(1), set.text(2), set.text(3)});
        return out;
    }

    vexlab::test::TempDir dir;
    DatabaseSession session;
    const NetworkTableSet tables = NetworkTableSet::working_set();
    int devices_ = 0;
};

TEST_F(SwRiplist, RecordsWhatEachRouterInterfaceReachesOverSwitchesAndPcs) {
    struct Device {
        std::string name;
        int kind;
    };
    struct Cable {
        End a, b;
    };
    struct Case {
        std::string what;
        std::vector<Device> devices;
        std::vector<Cable> cables;
        Rows expected;
    } cases[] = {
        {"a link to a router or to nothing records nothing",
         {{"R1", 1}, {"R2", 1}},
         {{{"R1", "Serial0", "10.9.0.1"}, {"R2", "Serial0", "10.9.0.2"}}},
         {}},
        {"a PC on a router's Ethernet, its name holding a quote",
         {{"R", 1}, {"Kim's PC", 3}},
         {{{"R", "Ethernet0", "10.0.0.1"}, {"Kim's PC", "Ethernet0"}}},
         {{"Kim's PC", "10.0.0.1", "Ethernet0", "R"}}},
        {"a chain of switches, each recorded in the order found",
         {{"R", 1}, {"S1", 2}, {"S2", 2}, {"H", 3}},
         {{{"R", "Ethernet0"}, {"S1", "Fa0/1"}},
          {{"S1", "Fa0/2"}, {"S2", "Fa0/1"}},
          {{"S2", "Fa0/2"}, {"H", "Ethernet0"}}},
         {{"S1", "UA", "Ethernet0", "R"},
          {"S2", "UA", "Ethernet0", "R"},
          {"H", "UA", "Ethernet0", "R"}}},
        {"a switch between two routers, neither router a member",
         {{"R1", 1}, {"S", 2}, {"R2", 1}},
         {{{"R1", "Ethernet0", "10.0.0.1"}, {"S", "Fa0/1"}},
          {{"S", "Fa0/2"}, {"R2", "Ethernet0", "10.0.0.2"}}},
         {{"S", "10.0.0.1", "Ethernet0", "R1"}, {"S", "10.0.0.2", "Ethernet0", "R2"}}},
        {"a switch on two interfaces of one router",
         {{"R", 1}, {"S", 2}},
         {{{"R", "Ethernet0"}, {"S", "Fa0/1"}}, {{"R", "Ethernet1"}, {"S", "Fa0/2"}}},
         {{"S", "UA", "Ethernet0", "R"}, {"S", "UA", "Ethernet1", "R"}}},
        {"a loop of switches behind the first one, each recorded once",
         {{"R", 1}, {"S1", 2}, {"S2", 2}, {"S3", 2}, {"S4", 2}},
         {{{"R", "Ethernet0"}, {"S1", "Fa0/1"}},
          {{"S1", "Fa0/2"}, {"S2", "Fa0/1"}},
          {{"S2", "Fa0/2"}, {"S3", "Fa0/1"}},
          {{"S3", "Fa0/2"}, {"S4", "Fa0/1"}},
          {{"S4", "Fa0/2"}, {"S2", "Fa0/3"}}},
         {{"S1", "UA", "Ethernet0", "R"},
          {"S2", "UA", "Ethernet0", "R"},
          {"S3", "UA", "Ethernet0", "R"},
          {"S4", "UA", "Ethernet0", "R"}}},
        {"two links from the first switch count twice, further away once",
         {{"R", 1}, {"S1", 2}, {"S2", 2}, {"S3", 2}},
         {{{"R", "Ethernet0"}, {"S1", "Fa0/1"}},
          {{"S1", "Fa0/2"}, {"S2", "Fa0/1"}},
          {{"S1", "Fa0/3"}, {"S2", "Fa0/2"}},
          {{"S2", "Fa0/3"}, {"S3", "Fa0/1"}},
          {{"S2", "Fa0/4"}, {"S3", "Fa0/2"}}},
         {{"S1", "UA", "Ethernet0", "R"},
          {"S2", "UA", "Ethernet0", "R"},
          {"S2", "UA", "Ethernet0", "R"},
          {"S3", "UA", "Ethernet0", "R"}}},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start("case" + std::to_string(++round) + ".mdb");
        for (const auto& d : c.devices) device(d.name, d.kind);
        for (const auto& cable_ : c.cables) cable(cable_.a, cable_.b);
        if (c.devices.front().name == "R1") interface({"R1", "Ethernet0"});  // cabled to nothing
        vexlab::reachability::build_sw_riplist(session, tables);
        EXPECT_EQ(uplinks(), c.expected);
    }
}

TEST_F(SwRiplist, AFailingInsertIsSkippedAndTheBuildStillEnds) {
    device("R", 1);
    device("S1", 2);
    device("S2", 2);
    device("S3", 2);
    cable({"R", "Ethernet0"}, {"S1", "Fa0/1"});
    cable({"S1", "Fa0/2"}, {"S2", "Fa0/1"});
    cable({"S2", "Fa0/2"}, {"S3", "Fa0/1"});
    // S2's row can never be written, so the table never shows it recorded.
    session.execute(
        "CREATE TRIGGER refuse_s2 BEFORE INSERT ON sw_riplist WHEN NEW.sub_dev = 'S2' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_NO_THROW(vexlab::reachability::build_sw_riplist(session, tables));
    EXPECT_EQ(uplinks(), (Rows{{"S1", "UA", "Ethernet0", "R"}, {"S3", "UA", "Ethernet0", "R"}}));

    session.execute("DELETE FROM sw_riplist");
    session.execute("DROP TABLE device");
    EXPECT_NO_THROW(vexlab::reachability::build_sw_riplist(session, tables));
    EXPECT_TRUE(uplinks().empty());
    session.execute("DROP TABLE sw_riplist");
    EXPECT_NO_THROW(vexlab::reachability::build_sw_riplist(session, tables));
}

}  // namespace
