// The shipped command catalogue, line by line: each typed line goes through
// the real interpreter on a fresh copy of the shipped database (default
// network: R1 a 2501 router with Ethernet0, Serial0 and Serial1, the switch
// "2950" and the workstation "PC") and is checked for its verdict, the
// canonical words it matched, the arguments it captured, the mode after,
// the response the catalogue gives, and the settings cells or interface
// columns its row's action writes.  Lines whose work belongs to a command
// service (show output, ping, copy, VLANs, access lists, NAT, Frame Relay
// maps, network and area) are checked for their match only.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/interpreter_state.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace {

using vexlab::state::AppState;

enum class Dev { kRouter, kSwitch, kPc };

// Where a value the line writes is read back.
enum class Store {
    kSetting,       // row: configuration key of the attached device
    kInterface,     // row: int_det interface name of the attached device; column
    kRoute,         // row: interface name in the routing view of the attached device; column
    kSubinterface,  // row: subinterface number of R1's Serial0; column of its Frame Relay row
};

struct Cell {
    Store store;
    const char* row;
    const char* column;
    const char* value;
};

// Written into every checked cell that exists before the line is typed, so a
// check sees the line's own write; a cell the line must leave alone keeps it.
constexpr const char* kBefore = "before-line";
// An argument slot that the interface writer emptied after its write.
constexpr const char* kEmptied = "<empty>";

// One typed line and what it must give.
struct Row {
    const char* line;
    const char* verdict;  // "" for success
    const char* words;    // the non-empty command words, one blank between
    const char* args;     // the first argument_count values, "|" between
    const char* mode_after;
    const char* response = nullptr;  // nullptr: not checked
    std::vector<Cell> cells = {};
};

// Lines typed on one device in one mode, each on a fresh database.
struct Group {
    Dev dev;
    const char* mode;   // the mode the lines are typed in
    const char* enter;  // typed first, one mode up, to reach `mode`; nullptr for none
    std::vector<Row> rows;
};

// The mode in which the line that enters `mode` is typed.
std::string mode_above(const std::string& mode) {
    return mode == "(vlan)#" ? "#" : "(config)#";
}

// A fresh shipped database with the working device tables seeded as the
// console's reset seeds them, and the console attached to one device.  R1 is
// given an ISDN BRI interface so the ISDN and dialer lines have one.
class Bench {
public:
    explicit Bench(Dev dev) {
        vexlab::test::fresh_database(dir_.file("commandsbackup.mdb"));
        app.session.open(dir_.file("commandsbackup.mdb"));
        app.table_set = vexlab::state::NetworkTableSet::default_set();
        vexlab::test::seed_device_tables(app.session);
        app.session.execute(
            "INSERT INTO int_det (\"index\", int_name, ref) VALUES (10, 'IsdnBri0', 1)");
        auto& device = app.console.device;
        switch (dev) {
            case Dev::kRouter:
                device = {"R1", "R1", vexlab::state::DeviceKind::Router, "2501", "", ""};
                break;
            case Dev::kSwitch:
                device = {"2950", "2950", vexlab::state::DeviceKind::Switch, "2950", "", ""};
                break;
            case Dev::kPc:
                device = {"PC", "PC", vexlab::state::DeviceKind::Pc, "PC", "", ""};
                break;
        }
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
        for (const auto& word : line.command_words)
            if (!word.empty()) out += (out.empty() ? "" : " ") + word;
        return out;
    }

    std::string args() const {
        std::string out;
        for (std::size_t i = 0; i < line.argument_values.size(); ++i) {
            const auto& value = line.argument_values[i];
            out += (i ? "|" : "") + (value.empty() ? std::string(kEmptied) : value);
        }
        return out;
    }

    std::optional<std::string> read(const Cell& cell) {
        const std::string& device = app.console.device.current_device;
        const auto& tables = app.table_set;
        vexlab::db::Value value;
        switch (cell.store) {
            case Store::kSetting:
                return vexlab::state::read_setting(app, cell.row, device);
            case Store::kInterface:
                value = app.session.scalar(
                    std::string("SELECT \"") + cell.column +
                        "\" FROM int_det WHERE int_name = ? AND ref = (SELECT \"index\" FROM "
                        "int_device WHERE dev_name = ?)",
                    {cell.row, device});
                break;
            case Store::kRoute:
                value = app.session.scalar(
                    std::string("SELECT \"") + cell.column + "\" FROM " + tables.route_ip_table +
                        " WHERE int_name = ? AND ref = (SELECT dev_no FROM " +
                        tables.rout_dev_table + " WHERE dev_name = ?)",
                    {cell.row, device});
                break;
            case Store::kSubinterface:
                value = app.session.scalar(
                    std::string("SELECT m.\"") + cell.column + "\" FROM " + tables.frame_map_table +
                        " AS m JOIN " + tables.frame_ip_table + " AS i ON m.ref = i.\"index\"" +
                        " JOIN " + tables.frame_device_table + " AS d ON i.ref = d.dev_no" +
                        " WHERE d.dev_name = 'R1' AND i.int_name = 'Serial0' AND m.subint_num = ?",
                    {cell.row});
                break;
        }
        if (value.is_null()) return std::nullopt;
        return value.to_text();
    }

    void write(const Cell& cell, const std::string& text) {
        const std::string& device = app.console.device.current_device;
        const auto& tables = app.table_set;
        switch (cell.store) {
            case Store::kSetting:
                vexlab::state::write_setting(app, cell.row, device, text);
                break;
            case Store::kInterface:
                app.session.execute(
                    std::string("UPDATE int_det SET \"") + cell.column +
                        "\" = ? WHERE int_name = ? AND ref = (SELECT \"index\" FROM "
                        "int_device WHERE dev_name = ?)",
                    {text, cell.row, device});
                break;
            case Store::kRoute:
                app.session.execute(std::string("UPDATE ") + tables.route_ip_table + " SET \"" +
                                        cell.column +
                                        "\" = ? WHERE int_name = ? AND ref = (SELECT dev_no FROM " +
                                        tables.rout_dev_table + " WHERE dev_name = ?)",
                                    {text, cell.row, device});
                break;
            case Store::kSubinterface:
                app.session.execute(std::string("UPDATE ") + tables.frame_map_table + " SET \"" +
                                        cell.column + "\" = ? WHERE subint_num = ?",
                                    {text, cell.row});
                break;
        }
    }

    AppState app;
    vexlab::interpreter::InterpreterState line;

private:
    vexlab::test::TempDir dir_;
};

// The line's handler is not built yet: it refuses, so the line is not found
// and changes nothing (its cells keep their values, the mode stays).
constexpr const char* kNotBuilt = "Command Not Found (not built yet)";

void check(const Group& group, const Row& row) {
    SCOPED_TRACE(std::string(group.mode) + " " +
                 (group.enter ? "[after '" + std::string(group.enter) + "'] " : "") + row.line);
    Bench bench(group.dev);
    if (group.enter) {
        bench.type(mode_above(group.mode), group.enter);
        ASSERT_EQ(bench.verdict(), "");
        ASSERT_EQ(bench.app.console.mode.mode_suffix, vexlab::test::mode(group.mode));
    }
    for (const auto& cell : row.cells)
        if (bench.read(cell)) bench.write(cell, kBefore);
    bench.app.console.output.response_text = "nill";

    bench.type(group.mode, row.line);

    const bool not_built = std::string(row.verdict) == kNotBuilt;
    EXPECT_EQ(bench.verdict(), not_built ? "Command Not Found" : row.verdict);
    EXPECT_EQ(bench.words(), row.words);
    EXPECT_EQ(bench.args(), row.args);
    EXPECT_EQ(bench.app.console.mode.mode_suffix,
              vexlab::test::mode(not_built ? group.mode : row.mode_after));
    if (row.response && !not_built) {
        EXPECT_EQ(bench.app.console.output.response_text, row.response);
    }
    for (const auto& cell : row.cells) {
        SCOPED_TRACE(std::string(cell.row) + (cell.column ? std::string(".") + cell.column : ""));
        if (not_built && bench.read(cell)) {
            EXPECT_EQ(bench.read(cell).value_or("<no cell>"), kBefore);
        } else {
            EXPECT_EQ(bench.read(cell).value_or("<no cell>"), cell.value);
        }
    }
}

void check_all(const std::vector<Group>& groups) {
    for (const auto& group : groups)
        for (const auto& row : group.rows) check(group, row);
}

constexpr Dev R = Dev::kRouter;
constexpr Dev S = Dev::kSwitch;
constexpr Dev P = Dev::kPc;
constexpr const char* kOk = "";
constexpr const char* kNotFound = "Command Not Found";
constexpr const char* kIncomplete = "incomplete command";
constexpr const char* kAmbiguous = "ambigious command";

Cell setting(const char* key, const char* value) {
    return {Store::kSetting, key, nullptr, value};
}
Cell column(const char* interface, const char* name, const char* value) {
    return {Store::kInterface, interface, name, value};
}
Cell route(const char* interface, const char* name, const char* value) {
    return {Store::kRoute, interface, name, value};
}
Cell subif(const char* number, const char* name, const char* value) {
    return {Store::kSubinterface, number, name, value};
}

// clang-format off

// ------------------------------------------------------------ EXEC modes

TEST(CatalogueContent, ExecLines) {
    check_all({
        {R, ">", nullptr, {
            {"en", kOk, "enable", "", "#", "nill"},
            {"e", kAmbiguous, "", "", ">"},
            {"enable extra", kNotFound, "enable", "", ">"},
            {"sh ip ro", kOk, "show ip route", "", ">"},
            {"show running-config", kNotFound, "show", "", ">"},
            // Nothing has an address on the default network yet.
            {"ping 10.0.0.2", kOk, "ping", "10.0.0.2", ">",
             "Trying 10.0.0.2\r\n% Destination unreachable; gateway or host down"},
            {"ping R2", kOk, "ping", "R2", ">",
             "Trying R2\r\n% Destination unreachable; gateway or host down"},
            {"ping 10.0.0.256", kNotFound, "ping", "", ">"},
            {"ping", kIncomplete, "ping", "", ">"},
            {"telnet R2", kOk, "telnet", "R2", ">",
             "% Unrecognized host or address, or protocol not running."},
            {"disconnect 1", kNotFound, "disconnect", "", ">"},  // no session holds 1
        }},
        {R, "#", nullptr, {
            {"conf t", kOk, "configure terminal", "", "(config)#",
             "Enter configuration commands, one per line.  End with CNTL/Z."},
            {"configure", kIncomplete, "configure", "", "#"},
            {"co", kAmbiguous, "", "", "#"},
            {"copy run start", kOk, "copy running-config startup-config", "", "#",
             "Destination filename [startup-config]?\r\nBuilding configuration...\r\n[OK]"},
            {"wr mem", kOk, "write memory", "", "#", "Building configuration...\r\n[OK]"},
            {"write", kIncomplete, "write", "", "#"},
            {"write terminal", kOk, "write terminal", "", "#"},
            {"erase startup-config", kOk, "erase startup-config", "", "#",
             "Erasing the nvram filesystem will remove all files! Continue? [confirm][OK]\r\n"
             "Erase of nvram: complete"},
            {"rel", kOk, "reload", "", "#"},
            {"disable", kOk, "disable", "", ">"},
            {"clock set 10:00:00 10 12 2026", kOk, "clock set", "10:00:00|10|12|2026", "#", "nill"},
            {"clock set 24:00:00 10 12 2026", kNotFound, "clock set", "", "#"},
            {"show ip ospf", kOk, "show ip ospf", "", "#"},
            {"show ip ospf nei", kOk, "show ip ospf neighbor", "", "#"},
            {"show ip int", kOk, "show ip interface", "", "#"},
            {"show ip interface brief", kOk, "show ip interface brief", "", "#"},
            {"sh int s 0", kOk, "show interfaces serial", "", "#"},
            {"show interfaces serial 9", kNotFound, "show interfaces serial", "", "#"},
            {"show interfaces loopback 0", kOk, "show interfaces loopback", "", "#"},
            {"show frame-relay pvc 102", kOk, "show frame-relay pvc", "102", "#"},
            {"show ip route extra", kNotFound, "show ip route", "", "#"},
        }},
        // The switch has the same EXEC rows.
        {S, ">", nullptr, {
            {"en", kOk, "enable", "", "#"},
        }},
        {S, "#", nullptr, {
            {"conf t", kOk, "configure terminal", "", "(config)#"},
        }},
    });
}

// ------------------------------------------------- router global configuration

TEST(CatalogueContent, RouterGlobalConfigurationLines) {
    const char* const C = "(config)#";
    check_all({{R, C, nullptr, {
        {"hostname R5", kOk, "hostname", "R5", C, nullptr, {setting("hostname", "R5")}},
        {"hostname R-5", kNotFound, "hostname", "", C, nullptr, {setting("hostname", kBefore)}},
        {"enable secret cisco", kOk, "enable secret", "cisco", C, nullptr,
         {setting("secret_password", "cisco"), setting("enable_password", kBefore)}},
        {"en pass cisco", kAmbiguous, "", "", C, nullptr, {setting("enable_password", kBefore)}},
        {"banner motd # Welcome to R1 #", kOk, "banner motd", "Welcome to R1", C, nullptr,
         {setting("banner_motd", "Welcome to R1")}},
        {"no banner motd", kOk, "no banner motd", "", C, nullptr,
         {setting("banner_motd", "unassigned")}},
        {"int e 0", kOk, "interface ethernet", "", "(config-if)#"},
        {"interface serial 0.1 point-to-point", kOk, "interface serial point-to-point", "",
         "(config-subif)#"},
        {"interface serial 0.1", kIncomplete, "interface serial", "", C},
        // Both subinterface forms enter the subinterface.
        {"interface serial 0.1 multipoint", kOk, "interface serial multipoint", "",
         "(config-subif)#"},
        {"interface serial 7", kNotFound, "interface serial", "", C},
        {"interface loopback 0", kOk, "interface loopback", "", "(config-if)#", nullptr,
         {setting("loopback_int", "enable"), column("loopback0", "shutdown", "up")}},
        {"interface loopback 12", kNotFound, "interface loopback", "", C, nullptr,
         {setting("loopback_int", kBefore)}},
        {"line vty 0 4", kOk, "line vty 0 4", "", "(config-line)#"},
        {"line con 0", kOk, "line console 0", "", "(config-line)#"},
        {"router rip", kOk, "router rip", "", "(config-router)#"},
        {"router ospf 1", kOk, "router ospf", "1", "(config-router)#"},
        {"router ospf 2", kNotFound, "router ospf", "", C},
        {"router eigrp 0", kOk, "router eigrp 0", "", "(config-router)#"},
        {"router eigrp 5", kNotFound, "router eigrp", "", C},
        {"router ospf", kIncomplete, "router ospf", "", C},
        {"no router ospf 1", kOk, "no router ospf", "1", C},
        {"ip routing", kOk, "ip routing", "", C, nullptr, {setting("ip_routing", "enable")}},
        {"IP routing", kAmbiguous, "", "", C, nullptr, {setting("ip_routing", kBefore)}},
        {"ip", kAmbiguous, "", "", C},
        {"no ip routing", kOk, "no ip routing", "", C, nullptr,
         {setting("ip_routing", "disable")}},
        {"ip route 10.0.0.0 255.0.0.0 192.168.1.2", kOk, "ip route",
         "10.0.0.0|255.0.0.0|192.168.1.2", C, nullptr,
         {setting("ip_route_network", "10.0.0.0"), setting("ip_route_mask", "255.0.0.0"),
          setting("ip_route_nexthop", "192.168.1.2")}},
        {"ip route 10.0.0.0 255.0.0.0 192.168.1.2 120", kOk, "ip route",
         "10.0.0.0|255.0.0.0|192.168.1.2", C, nullptr,
         {setting("ip_route_network", "10.0.0.0"), setting("ip_route_mask", "255.0.0.0"),
          setting("ip_route_nexthop", "192.168.1.2")}},
        {"ip route 10.0.0.0 255.0.0.0", kIncomplete, "ip route", "10.0.0.0|255.0.0.0", C,
         nullptr, {setting("ip_route_network", kBefore)}},
        {"no ip route 10.0.0.0 255.0.0.0", kOk, "no ip route", "10.0.0.0|255.0.0.0", C, nullptr,
         {setting("ip_route_network", "unassigned"), setting("ip_route_mask", "unassigned"),
          setting("ip_route_nexthop", "unassigned")}},
        {"no ip domain-lookup", kOk, "no ip domain-lookup", "", C, nullptr,
         {setting("ip_domain_lookup", "disable")}},
        {"access-list 1 permit any", kOk, "access-list any", "1|permit", C, nullptr,
         {setting("accesslist_num", "1")}},
        {"access-list 1 deny 10.0.0.0 0.255.255.255", kOk, "access-list",
         "1|deny|10.0.0.0|0.255.255.255", C, nullptr, {setting("accesslist_num", "1")}},
        {"access-list 1 permit 10.1.1.1", kOk, "access-list", "1|permit|10.1.1.1", C, nullptr,
         {setting("accesslist_num", "1")}},
        {"access-list 100 permit any", kNotFound, "access-list", "", C, nullptr,
         {setting("accesslist_num", kBefore)}},
        {"no access-list 1", kOk, "no access-list", "1", C, nullptr,
         {setting("accesslist_num", kBefore)}},
        {"ip nat inside source static 10.0.0.1 200.0.0.1", kOk, "ip nat inside source static",
         "10.0.0.1|200.0.0.1", C},
        {"ip nat inside", kIncomplete, "ip nat inside", "", C},
        {"ip nat pool P1 200.0.0.1 200.0.0.10 netmask 255.255.255.0", kOk, "ip nat pool netmask",
         "P1|200.0.0.1|200.0.0.10|255.255.255.0", C},
        {"ip nat inside source list 1 pool P1", kOk, "ip nat inside source list pool", "1|P1", C},
        {"isdn switch-type basic-5ess", kOk, "isdn switch-type", "basic-5ess", C, nullptr,
         {setting("isdn_switch_type", "basic-5ess")}},
        {"isdn switch-type Basic-5ess", kNotFound, "isdn switch-type", "", C, nullptr,
         {setting("isdn_switch_type", kBefore)}},
        {"dialer-list 1 protocol ip permit", kOk, "dialer-list protocol ip", "1|permit", C,
         nullptr, {setting("dlist_num", "1"), setting("dlist_type", "permit")}},
        {"cdp timer 30", kOk, "cdp timer", "30", C, nullptr, {setting("cdp_timer", "30")}},
        {"controller t1 0", kOk, "controller t1 0", "", "(config-controller)#"},
        {"exi", kOk, "exit", "", "#", "%SYS-5-CONFIG_I: Configured from console by console"},
    }}});
}

// ----------------------------------------------------- router interface mode

// In interface mode the row's action goes to the interface writer.
TEST(CatalogueContent, RouterInterfaceLines) {
    const char* const I = "(config-if)#";
    const char* const S0 = "Serial0";
    const char* const E0 = "Ethernet0";
    const char* const BRI = "IsdnBri0";
    check_all({
        {R, I, "interface serial 0", {
            {"ip add 10.0.0.1 255.0.0.0", kOk, "ip address", "10.0.0.1|255.0.0.0", I, nullptr,
             {column(S0, "ip_address", "10.0.0.1"), column(S0, "mask_address", "255.0.0.0"),
              route(S0, "ip", "10.0.0.1"), route(S0, "mask", "255.0.0.0")}},
            {"ip address 10.0.0.1", kIncomplete, "ip address", "10.0.0.1", I, nullptr,
             {column(S0, "ip_address", kBefore)}},
            {"no ip address", kOk, "no ip address", "", I, nullptr,
             {column(S0, "ip_address", "UA"), column(S0, "mask_address", "UA"),
              route(S0, "ip", "UA")}},
            {"sh", kOk, "shutdown", "", I, nullptr,
             {column(S0, "shutdown", "down"), column(S0, "line", "down"),
              column(S0, "prot", "down")}},
            {"no shut", kOk, "no shutdown", "", I, nullptr,
             {column(S0, "shutdown", "up"), column(S0, "line", "up"), column(S0, "prot", "up")}},
            {"e", kAmbiguous, "", "", I},
            {"clock rate 64000", kOk, "clock rate", "64000", I, nullptr,
             {column(S0, "clock_rate", "64000")}},
            {"clock rate 64", kNotFound, "clock rate", "", I, nullptr,
             {column(S0, "clock_rate", kBefore)}},
            {"no clock rate", kOk, "no clock rate", "", I, nullptr,
             {column(S0, "clock_rate", "Not Set")}},
            {"bandwidth 64", kOk, "bandwidth", "64", I, nullptr,
             {column(S0, "bandwidth", "64")}},
            {"description #Link to R2#", kOk, "description", "Link to R2", I, nullptr,
             {column(S0, "description", "Link to R2")}},
            {"encapsulation ppp", kOk, "encapsulation", "ppp", I, nullptr,
             {column(S0, "encap_short", "ppp")}},
            {"encapsulation p", kNotFound, "encapsulation", "", I, nullptr,
             {column(S0, "encap_short", kBefore)}},
            {"encapsulation frame-relay", kOk, "encapsulation frame-relay", "", I, nullptr,
             {column(S0, "encap_short", "framerelay"), column(S0, "frame_type", "cisco")}},
            {"encapsulation frame-relay ietf", kOk, "encapsulation frame-relay ietf", "", I,
             nullptr,
             {column(S0, "encap_short", "framerelay"), column(S0, "frame_type", "ietf")}},
            // "e" is the end marker: it chooses no type and is never stored.
            {"encapsulation frame-relay e", kOk, "encapsulation frame-relay end_cmd", "", I,
             nullptr,
             {column(S0, "encap_short", "framerelay"), column(S0, "frame_type", "cisco")}},
            {"frame-relay lmi-type ansi", kOk, "frame-relay lmi-type", "ansi", I, nullptr,
             {column(S0, "lmi_type", "ansi")}},
            {"frame-relay map ip 10.1.1.2 102 broadcast", kOk, "frame-relay map broadcast",
             "ip|10.1.1.2|102", I},
            {"frame-relay map ip 10.1.1.2 102 broadcast ietf", kOk,
             "frame-relay map broadcast ietf", "ip|10.1.1.2|102", I},
            {"no frame-relay map ip 10.1.1.2 102 broadcast", kOk, "no frame-relay map broadcast",
             "ip|10.1.1.2|102", I},
            {"frame-relay interface-dlci 102", kOk, "frame-relay interface-dlci", "102", I,
             "Please create the suninterface fiirst"},
            // ISDN lines belong to a BRI interface: refused, nothing written.
            {"isdn spid1 08358662", kNotFound, "isdn spid1", "08358662", I, nullptr,
             {column(S0, "isdn_spid1", kBefore)}},
            {"cdp enable", kOk, "cdp enable", "", I, nullptr,
             {column(S0, "cdp_enable", "enabled")}},
            {"no ip access-group 1 in", kOk, "no ip access-group in", "1", I},
            {"ex", kOk, "exit", "", "(config)#"},
        }},
        {R, I, "interface ethernet 0", {
            {"encapsulation frame-relay", kNotFound, "encapsulation frame-relay", "", I, nullptr,
             {column(E0, "encap_short", kBefore), column(E0, "frame_type", kBefore)}},
            {"frame-relay lmi-type ansi", kNotFound, "frame-relay lmi-type", "ansi", I, nullptr,
             {column(E0, "lmi_type", kBefore)}},
            {"frame-relay map ip 10.1.1.2 102", kNotFound, "frame-relay map", "ip|10.1.1.2|102",
             I},
            {"ip nat inside", kOk, "ip nat inside", "", I, nullptr,
             {route(E0, "nat_inside_int", "1"), route(E0, "nat_outside_int", "0")}},
        }},
        {R, I, "interface bri 0", {
            {"isdn spid1 08358662", kOk, "isdn spid1", "08358662", I, nullptr,
             {column(BRI, "isdn_spid1", "08358662")}},
            {"isdn spid1 0835866201", kNotFound, "isdn spid1", "", I, nullptr,
             {column(BRI, "isdn_spid1", kBefore)}},
            {"dialer map ip 10.0.0.2 name R2 5551234", kOk, "dialer map ip name",
             "10.0.0.2|R2|5551234", I, nullptr,
             {column(BRI, "dailer_dest_ip", "10.0.0.2"), column(BRI, "dialer_map_name", "R2"),
              column(BRI, "d_string", "5551234")}},
            {"dialer map ip 10.0.0.2 5551234", kOk, "dialer map ip", "10.0.0.2|5551234", I, nullptr,
             {column(BRI, "dailer_dest_ip", "10.0.0.2"), column(BRI, "d_string", "5551234"),
              column(BRI, "dialer_map_name", kBefore)}},
            {"dialer string 5551234", kOk, "dialer string", "5551234", I, nullptr,
             {column(BRI, "d_string", "5551234")}},
            {"dial string 5551234", kAmbiguous, "", "", I, nullptr,
             {column(BRI, "d_string", kBefore)}},
            {"dialer-group 1", kOk, "dialer-group", "1", I, nullptr,
             {column(BRI, "d_group_num", "1")}},
        }},
    });
}

// -------------------------------------- router subinterface mode (Serial0.1)

// The subinterface writer stores into the subinterface's Frame Relay row and
// leaves the arguments as captured.
TEST(CatalogueContent, RouterSubinterfaceLines) {
    const char* const I = "(config-subif)#";
    check_all({{R, I, "interface serial 0.1 point-to-point", {
        {"ip address 10.1.1.1 255.255.255.0", kOk, "ip address", "10.1.1.1|255.255.255.0", I,
         nullptr, {subif("1", "subint_ip", "10.1.1.1"), subif("1", "subint_mask", "255.255.255.0")}},
        {"no ip address", kOk, "no ip address", "", I, nullptr, {subif("1", "subint_num", "<no cell>")}},
        {"shutdown", kOk, "shutdown", "", I, nullptr, {subif("1", "shutdown", "0")}},
        {"encapsulation frame-relay", kOk, "encapsulation frame-relay", "", I, nullptr,
         {subif("1", "encap_short", "framerelay"), subif("1", "frame_type", "cisco")}},
        {"frame-relay interface-dlci 102", kOk, "frame-relay interface-dlci", "102", I, nullptr,
         {subif("1", "dlci_num", "102")}},
        {"description #to R2#", kOk, "description", "to R2", I, nullptr,
         {subif("1", "description", "to R2")}},
    }}});
}

// ------------------------------------------- routing process and line modes

TEST(CatalogueContent, RoutingProcessAndLineLines) {
    const char* const P = "(config-router)#";
    const char* const L = "(config-line)#";
    check_all({
        {R, P, "router rip", {
            {"network 10.0.0.0", kOk, "network", "10.0.0.0", P},
            {"network 10.0.0.0 0.255.255.255 area 0", kNotFound, "network area",
             "10.0.0.0|0.255.255.255|0", P},
            {"network 10.0.0.0 0.255.255.255", kIncomplete, "network", "10.0.0.0|0.255.255.255",
             P},
        }},
        {R, P, "router ospf 1", {
            {"network 10.0.0.0", kNotFound, "network", "10.0.0.0", P},
            {"network 10.0.0.0 0.255.255.255 area 0", kOk, "network area",
             "10.0.0.0|0.255.255.255|0", P},
            {"area 1 stub no-summary", kOk, "area stub no-summary", "1", P, ""},
            {"area 0 stub", kOk, "area stub", "0", P,
             "Backbone area(Area 0) cannot be set as stub type"},
            {"area 1 virtual-link 2.2.2.2", kOk, "area virtual-link", "1|2.2.2.2", P, ""},
        }},
        {R, L, "line vty 0 4", {
            {"password cisco", kOk, "password", "cisco", L, nullptr,
             {setting("linevty_pass", "cisco"), setting("lineconsole_pass", kBefore)}},
        }},
        {R, L, "line con 0", {
            {"lo", kOk, "login", "", L, nullptr,
             {setting("lineconsole_login", "enable"), setting("linevty_login", kBefore)}},
        }},
    });
}

// ----------------------------------------------------------------- switch

// On a switch every row's action goes to the configuration-key writer, in
// interface mode too: the keys take the interface prefix, and the arguments
// stay as captured.
TEST(CatalogueContent, SwitchLines) {
    const char* const C = "(config)#";
    const char* const I = "(config-if)#";
    const char* const V = "(vlan)#";
    check_all({
        {S, "#", nullptr, {
            {"vlan database", kOk, "vlan database", "", V},
            {"show vlan", kOk, "show vlan", "", "#"},
            {"sh int fa 0/1 sw", kOk, "show interfaces FastEthernet switchport", "", "#"},
            {"show interfaces FastEthernet 0/13", kNotFound, "show interfaces FastEthernet", "",
             "#"},
        }},
        {S, C, nullptr, {
            {"interface fastethernet 0/1", kOk, "interface FastEthernet", "", I},
            {"interface vlan 1", kOk, "interface vlan 1", "", I},
            {"interface vlan 2", kNotFound, "interface vlan", "", C},
            {"ip default-gateway 192.168.1.1", kOk, "ip default-gateway", "192.168.1.1", C,
             nullptr, {setting("default_gateway", "192.168.1.1")}},
            {"mac-address-table static 0000.0c12.3fab vlan 1 interface FastEthernet 0/1", kOk,
             "mac-address-table static vlan interface FastEthernet", "0000.0c12.3fab|1", C},
        }},
        {S, I, "interface fastethernet 0/1", {
            {"switchport mode trunk", kOk, "switchport mode trunk", "", I, nullptr,
             {setting("FastEthernet0/1_trunk_opmode", "trunk"),
              setting("FastEthernet0/2_trunk_opmode", kBefore)}},
            {"switchport access vlan 10", kOk, "switchport access vlan", "10", I, nullptr,
             {setting("FastEthernet0/1_vlan", "10")}},
            {"switchport port-security", kOk, "switchport port-security", "", I, nullptr,
             {setting("FastEthernet0/1_security", "enable")}},
            {"switchport port-security maximum 2", kOk, "switchport port-security maximum", "2",
             I, nullptr, {setting("FastEthernet0/1_sec_max", "2")}},
            {"switchport port-security violation restrict", kOk,
             "switchport port-security violation", "restrict", I, nullptr,
             {setting("FastEthernet0/1_sec_violat_mode", "restrict")}},
            {"switchport port-security mac-address sticky 0000.0c12.3fab", kOk,
             "switchport port-security mac-address sticky", "0000.0c12.3fab", I},
            {"switchport port-security mac-address sticky 0000.0C12.3FAB", kNotFound,
             "switchport port-security mac-address sticky", "", I},
            {"no switchport port-security", kOk, "no switchport port-security", "", I, nullptr,
             {setting("FastEthernet0/1_security", "disable"),
              setting("FastEthernet0/1_sec_max", "1"),
              setting("FastEthernet0/1_sec_violat_mode", "shutdown")}},
            {"s", kAmbiguous, "", "", I},
        }},
        {S, I, "interface vlan 1", {
            {"ip address 192.168.1.5 255.255.255.0", kOk, "ip address",
             "192.168.1.5|255.255.255.0", I, nullptr,
             {setting("FastEthernet1_ip_address", "192.168.1.5"),
              setting("FastEthernet1_dec_mask", "255.255.255.0")}},
            {"shutdown", kOk, "shutdown", "", I, nullptr,
             {setting("FastEthernet1_shutdown", "down"), setting("FastEthernet1_line", "down"),
              setting("FastEthernet1_prot", "down")}},
        }},
        {S, V, "vlan database", {
            {"vlan 10", kOk, "vlan", "10", V, "VLAN  10  added:\r\n    Name:  VLAN0010"},
            {"vlan 10 name Sales", kOk, "vlan name", "10|Sales", V,
             "VLAN  10  added:\r\n    Name:  Sales"},
            {"vlan 2000", kNotFound, "vlan", "", V},
            {"vtp c", kOk, "vtp client", "", V, "Setting device to VTP CLIENT mode.",
             {setting("vtp_mode", "client")}},
            {"no vlan 10", kOk, "no vlan", "10", V},
            {"exi", kOk, "exit", "", "#", "APPLY completed.\r\nExiting..."},
        }},
    });
}

// -------------------------------------------------------------- workstation

TEST(CatalogueContent, WorkstationLines) {
    check_all({{P, ":", nullptr, {
        {"ip address 192.168.1.10 255.255.255.0", kOk, "ip address",
         "192.168.1.10|255.255.255.0", ":", nullptr,
         {setting("ethernet0_ip_address", "192.168.1.10"),
          setting("ethernet0_dec_mask", "255.255.255.0"),
          route("Ethernet0", "ip", "192.168.1.10")}},
        {"no ip address", kOk, "no ip address", "", ":", nullptr,
         {setting("ethernet0_ip_address", "unassigned"),
          setting("ethernet0_dec_mask", "unassigned")}},
        {"ip default-gateway 192.168.1.1", kOk, "ip default-gateway", "192.168.1.1", ":",
         nullptr, {setting("default_gateway", "192.168.1.1")}},
        {"ping 192.168.1.1", kOk, "ping", "192.168.1.1", ":",
         "Trying 192.168.1.1\r\n% Destination unreachable; gateway or host down"},
        {"enable", kNotFound, "", "", ":"},  // a workstation has no privileged mode
    }}});
}

// clang-format on

// ------------------------------------------ the context a line leaves behind

TEST(CatalogueContent, LinesSetTheConfigurationContext) {
    struct Context {
        Dev dev;
        const char* mode;
        const char* line;
        const char* mode_after;
        const char* prefix;     // config_prefix; nullptr: not checked
        const char* interface;  // current_interface; nullptr: not checked
        const char* numbers;    // interface_number "." subinterface_number; nullptr: not checked
        const char* port;       // switch_port; nullptr: not checked
        const char* protocol;   // routing_protocol; nullptr: not checked
    } cases[] = {
        // The interface as the tables spell it.
        {R, "(config)#", "int e 0", "(config-if)#", "Ethernet0", "Ethernet0", ".", nullptr,
         nullptr},
        {R, "(config)#", "interface serial 0.1 point-to-point", "(config-subif)#", "serial0",
         "Serial0", "0.1", nullptr, nullptr},
        {R, "(config)#", "interface serial 0.1 multipoint", "(config-subif)#", "serial0", "Serial0",
         "0.1", nullptr, nullptr},
        {R, "(config)#", "interface serial 7", "(config)#", "nill", "", ".", nullptr, nullptr},
        {R, "(config)#", "interface bri 0", "(config-if)#", "IsdnBri0", "IsdnBri0", ".", nullptr,
         nullptr},
        {R, "(config)#", "interface loopback 0", "(config-if)#", "loopback", "loopback", ".",
         nullptr, nullptr},
        {R, "(config)#", "line vty 0 4", "(config-line)#", "linevty", "", nullptr, nullptr,
         nullptr},
        {R, "(config)#", "line con 0", "(config-line)#", "lineconsole", "", nullptr, nullptr,
         nullptr},
        {R, "(config)#", "router rip", "(config-router)#", "nill", nullptr, nullptr, nullptr, "r"},
        {R, "(config)#", "router ospf 1", "(config-router)#", "nill", nullptr, nullptr, nullptr,
         "o"},
        {R, "(config)#", "router eigrp 0", "(config-router)#", "nill", nullptr, nullptr, nullptr,
         "e"},
        {R, "(config)#", "router ospf 2", "(config)#", "nill", nullptr, nullptr, nullptr, ""},
        // A show line keeps the interface its argument named, as the tables
        // spell it (a loopback by its whole name).
        {R, "#", "sh int s 0", "#", "nill", "Serial0", nullptr, nullptr, nullptr},
        {R, "#", "show interfaces loopback 0", "#", "nill", "loopback0", nullptr, nullptr, nullptr},
        {S, "(config)#", "interface fastethernet 0/1", "(config-if)#", "FastEthernet0/1",
         "FastEthernet0/1", nullptr, "0/1", nullptr},
        {S, "(config)#", "interface vlan 1", "(config-if)#", "vlan1", "", nullptr, "1", nullptr},
        {P, ":", "ip address 192.168.1.10 255.255.255.0", ":", nullptr, "ethernet0", nullptr,
         nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.line);
        Bench bench(c.dev);
        bench.type(c.mode, c.line);
        const auto& mode = bench.app.console.mode;
        EXPECT_EQ(mode.mode_suffix, vexlab::test::mode(c.mode_after));
        const auto unchecked_or = [](const char* expected, const std::string& actual) {
            return expected ? std::string(expected) : actual;
        };
        EXPECT_EQ(mode.config_prefix, unchecked_or(c.prefix, mode.config_prefix));
        EXPECT_EQ(mode.current_interface, unchecked_or(c.interface, mode.current_interface));
        const std::string numbers = mode.interface_number + "." + mode.subinterface_number;
        EXPECT_EQ(numbers, unchecked_or(c.numbers, numbers));
        EXPECT_EQ(mode.switch_port, unchecked_or(c.port, mode.switch_port));
        EXPECT_EQ(mode.routing_protocol, unchecked_or(c.protocol, mode.routing_protocol));
    }
}

TEST(CatalogueContent, OneWordAbbreviationsNameTheRowTheyMatched) {
    const struct {
        Dev dev;
        const char* mode;
        const char* enter;
        const char* line;
        const char* matched;
    } cases[] = {
        {R, "#", nullptr, "rel", "reload"},
        {R, "(config)#", nullptr, "exi", "exit"},
        {R, "(config-if)#", "interface serial 0", "sh", "shutdown"},
        {R, "(config-line)#", "line con 0", "lo", "login"},
        {S, "(vlan)#", "vlan database", "exi", "exit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.line);
        Bench bench(c.dev);
        if (c.enter) {
            bench.type(mode_above(c.mode), c.enter);
            ASSERT_EQ(bench.app.console.mode.mode_suffix, vexlab::test::mode(c.mode));
        }
        bench.type(c.mode, c.line);
        EXPECT_EQ(bench.verdict(), "");
        EXPECT_EQ(bench.line.matched_command_word, c.matched);
    }
}

TEST(CatalogueContent, HostnameRenamesThePromptUnlessTheNameIsTaken) {
    const struct {
        const char* line;
        const char* response;
        const char* host;
        const char* stored;
    } cases[] = {
        {"hostname R5", "nill", "R5", "R5"},
        {"hostname R2", "this host name is already assigned", "R1", "R1"},  // R2 is another router
        {"hostname R1", "this host name is already assigned", "R1", "R1"},  // its own name too
        {"hostname r2", "nill", "r2", "r2"},  // names compare with case
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Bench bench(R);
        bench.type("(config)#", c.line);
        EXPECT_EQ(bench.verdict(), "");
        EXPECT_EQ(bench.app.console.output.response_text, c.response);
        EXPECT_EQ(bench.app.console.device.host_name, c.host);
        EXPECT_EQ(vexlab::state::read_setting(bench.app, "hostname", "R1").value_or(""), c.stored);
    }
}

// ------------------------------------ lines that depend on the device's state

// "<AGNUM>" accepts only the access list number this device was last given;
// the words show whether the number was taken.
TEST(CatalogueContent, AccessGroupTakesTheDevicesAccessListNumber) {
    const struct {
        const char* list_number;  // the device's accesslist_num; nullptr to leave it
        const char* line;
        const char* verdict;
        const char* words;
    } cases[] = {
        {nullptr, "ip access-group 1 in", kNotFound, "ip access-group"},
        {"1", "ip access-group 1 in", kOk, "ip access-group in"},
        {"1", "ip access-group 1 out", kOk, "ip access-group out"},
        {"1", "ip access-group 2 in", kNotFound, "ip access-group"},
        {"7", "ip access-group 7 out", kOk, "ip access-group out"},
        {"1", "ip access-group 1", kIncomplete, "ip access-group"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.list_number ? c.list_number : "(no list)") + " / " + c.line);
        Bench bench(R);
        if (c.list_number) {
            ASSERT_TRUE(
                vexlab::state::write_setting(bench.app, "accesslist_num", "R1", c.list_number));
        }
        bench.type("(config)#", "interface serial 0");
        bench.type("(config-if)#", c.line);
        EXPECT_EQ(bench.verdict(), c.verdict);
        EXPECT_EQ(bench.words(), c.words);
        EXPECT_EQ(bench.args(), "");  // the check captures nothing
        EXPECT_EQ(bench.app.console.mode.mode_suffix, vexlab::test::mode("(config-if)#"));
    }
}

// A line's statements run all or nothing: when one fails, those before it
// are undone and the console's context stays as it was.
TEST(CatalogueContent, AFailingStatementUndoesTheWholeLine) {
    Bench bench(R);
    bench.type("(config)#", "interface serial 0");
    ASSERT_EQ(bench.verdict(), "");
    // The last routing view is gone: the address reaches two views, then fails.
    bench.app.session.execute("DROP TABLE eigrp_ip_def");
    EXPECT_THROW(bench.type("(config-if)#", "ip address 10.1.1.1 255.255.255.0"),
                 vexlab::db::DbError);
    for (const char* view : {"route_ip_def", "ospf_ip_def"})
        EXPECT_EQ(bench.app.session
                      .scalar(std::string("SELECT ip FROM ") + view +
                              " WHERE ref = 1 AND int_name = 'Serial0'")
                      .to_text(),
                  "UA")
            << view;
    EXPECT_EQ(bench.read(column("Serial0", "ip_address", "")).value_or(""), "UA");
    EXPECT_EQ(
        bench.app.session.scalar("SELECT device_id FROM ospf_dev_def WHERE dev_no = 1").to_text(),
        "UA");
    EXPECT_EQ(bench.app.console.mode.mode_suffix, vexlab::test::mode("(config-if)#"));
    EXPECT_EQ(bench.app.console.mode.current_interface, "Serial0");
}

// "disconnect" names an open telnet session, held in any device's cell of
// telnetsession_id; the line closes it there.
TEST(CatalogueContent, DisconnectClosesTheNamedTelnetSession) {
    Bench bench(R);
    bench.type(">", "disconnect 1");
    EXPECT_EQ(bench.verdict(), kNotFound);

    ASSERT_TRUE(vexlab::state::write_setting(bench.app, "telnetsession_id", "R2", "1"));
    ASSERT_TRUE(vexlab::state::write_setting(bench.app, "telnetsession_id", "R3", "2"));
    bench.type(">", "disconnect 1");
    EXPECT_EQ(bench.verdict(), "");
    EXPECT_EQ(bench.words(), "disconnect");
    EXPECT_EQ(bench.args(), "");  // the session number is read from the typed line
    EXPECT_EQ(vexlab::state::read_setting(bench.app, "telnetsession_id", "R2").value_or(""),
              "nill");
    EXPECT_EQ(vexlab::state::read_setting(bench.app, "telnetsession_id", "R3").value_or(""), "2");
    EXPECT_EQ(bench.app.console.mode.mode_suffix, vexlab::test::mode(">"));

    bench.type(">", "disconnect 1");  // closed now
    EXPECT_EQ(bench.verdict(), kNotFound);
}

// A listing follows its command line directly because every catalogue row
// that ends a line of the show handler says "nill", end markers included.
TEST(CatalogueContent, EveryRowThatEndsAShowLineSaysNothingBeforeTheListing) {
    Bench bench(R);
    std::string offending;
    for (int level = 1; level <= 9; ++level) {
        vexlab::db::Recordset rows = bench.app.session.open_recordset(
            "SELECT command, response FROM " +
            vexlab::db::quote_identifier("tblsublabcmds" + std::to_string(level)) +
            " WHERE handler = 'build_show_output' AND (further = 0 OR command = 'end_cmd') "
            "ORDER BY rowid");
        for (; !rows.eof(); rows.move_next())
            if (rows.text(1) != "nill")
                offending += std::to_string(level) + ":" + rows.text(0) + "=" + rows.text(1) + " ";
    }
    EXPECT_EQ(offending, "");
}

// The show handler leaves the response as the catalogue gave it: a row
// ending in a leaf, one ending at an end marker, and the workstation's.
TEST(CatalogueContent, TheShowHandlerKeepsTheCataloguesResponse) {
    const struct {
        Dev dev;
        const char* mode;
        const char* line;
        const char* row;  // the row that ends the line
    } cases[] = {
        {R, "#", "show clock", "clock"},
        {R, "#", "show interfaces", "end_cmd"},
        {R, "#", "write terminal", "terminal"},
        {S, ">", "show cdp", "end_cmd"},
        {P, ":", "show ip", "ip"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Bench bench(c.dev);
        // As the console does at every key, before the line is handled.
        bench.app.console.output.response_text.clear();
        bench.type(c.mode, c.line);
        EXPECT_EQ(bench.verdict(), "");
        EXPECT_EQ(bench.app.console.output.response_text, "nill");

        for (int level = 1; level <= 9; ++level)
            bench.app.session.execute(
                "UPDATE " + vexlab::db::quote_identifier("tblsublabcmds" + std::to_string(level)) +
                    " SET response = 'said' WHERE command = ? AND handler = 'build_show_output'",
                {std::string(c.row)});
        bench.app.console.output.response_text.clear();
        bench.type(c.mode, c.line);
        EXPECT_EQ(bench.app.console.output.response_text, "said");
    }
}

// ------------------------------------------------------------ mended faults
// Each case below once failed; the comment says what went wrong then.

// A description belongs to its port; the management interface (interface
// vlan 1) keeps its own under FastEthernet1.
TEST(CatalogueContent, SwitchDescriptionsBelongToTheirInterface) {
    check({S, "(config-if)#", "interface fastethernet 0/1", {}},
          {"description #Server#",
           kOk,
           "description",
           "Server",
           "(config-if)#",
           nullptr,
           {setting("FastEthernet0/1_description", "Server"),
            setting("FastEthernet1_description", kBefore)}});
    check({S, "(config-if)#", "interface vlan 1", {}},
          {"description #Management#",
           kOk,
           "description",
           "Management",
           "(config-if)#",
           nullptr,
           {setting("FastEthernet1_description", "Management")}});
}

// "ip address" on a workstation sets config_prefix to "ethernet0" for its own
// keys.  When the matcher left that prefix in place after an argument row with
// an action, every later settings line of the workstation composed
// "ethernet0_<key>" keys that have no row and silently stored nothing: the
// default gateway typed after the address was lost, and "no ip address"
// removed nothing.
TEST(CatalogueContent, WorkstationLinesAfterAnAddressStillWriteTheirKeys) {
    const struct {
        const char* line;
        const char* key;
        const char* value;
    } cases[] = {
        {"ip default-gateway 192.168.1.1", "default_gateway", "192.168.1.1"},
        {"no ip address", "ethernet0_ip_address", "unassigned"},
        {"no ip address", "ethernet0_dec_mask", "unassigned"},
        {"ip address 192.168.1.20 255.255.255.0", "ethernet0_ip_address", "192.168.1.20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Bench bench(P);
        bench.type(":", "ip address 192.168.1.10 255.255.255.0");
        ASSERT_EQ(bench.verdict(), "");
        EXPECT_EQ(bench.app.console.mode.config_prefix, "nill");
        bench.type(":", c.line);
        EXPECT_EQ(bench.verdict(), "");
        EXPECT_EQ(vexlab::state::read_setting(bench.app, c.key, "PC").value_or("<no cell>"),
                  c.value);
    }
}

// "no ip address" on a workstation must also take the address off its
// interface (clear_int_ip on the current interface), as it does on a router;
// without it the routing view kept the removed address and the workstation
// stayed reachable under it.  The key prefix is put back by hand here to keep this case apart
// from the fault above.
TEST(CatalogueContent, WorkstationAddressRemovalClearsTheInterface) {
    Bench bench(P);
    bench.type(":", "ip address 192.168.1.10 255.255.255.0");
    ASSERT_EQ(bench.read(route("Ethernet0", "ip", "")).value_or("<no cell>"), "192.168.1.10");
    bench.app.console.mode.config_prefix = "nill";
    bench.type(":", "no ip address");
    EXPECT_EQ(bench.verdict(), "");
    EXPECT_EQ(vexlab::state::read_setting(bench.app, "ethernet0_ip_address", "PC").value_or(""),
              "unassigned");
    EXPECT_EQ(bench.read(route("Ethernet0", "ip", "")).value_or("<no cell>"), "UA");
    EXPECT_EQ(bench.read(route("Ethernet0", "mask", "")).value_or("<no cell>"), "UA");
}

}  // namespace
