// The configuration actions on the shipped default network (R1 Serial0 to R2
// Serial0, R2 Serial1 to R3 Serial0, the switch "2950" on R1's Ethernet0, the
// PC on the switch), driven with the words of a matched line.  The checks
// read the cells the actions write.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/config/frame_relay.h"
#include "commands/config/interface_addressing.h"
#include "commands/config/interface_names.h"
#include "commands/config/nat_and_lists.h"
#include "commands/config/routing.h"
#include "commands/config/subinterfaces.h"
#include "commands/config/switching.h"
#include "example_network.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "reachability/lan_tables.h"
#include "state/schema_registry.h"
#include "state/table_set.h"
#include "state/table_text.h"
#include "support/network_state.h"
#include "support/test_database.h"
#include "support/transcript.h"

namespace {

using namespace vexlab::commands;
using vexlab::db::DatabaseSession;
using vexlab::state::NetworkTableSet;
using vexlab::state::VirtualLinkHalf;

constexpr const char* kDlciInUse =
    "This DLCI number has been assigned,Please choose another DLCI number";

// A typed line and the catalogue words a match gives it: "" marks a position
// an argument matched.
vexlab::state::CommandLine line(const std::string& typed, const std::vector<std::string>& words) {
    vexlab::state::CommandLine l;
    l.text = typed;
    l.typed_words = vexlab::text::split(typed, " ");
    for (std::size_t i = 0; i < words.size() && i < l.command_words.size(); ++i) {
        l.command_words[i] = words[i];
        if (words[i].empty() && i < l.typed_words.size()) l.arguments.push_back(l.typed_words[i]);
    }
    return l;
}

class DefaultNetworkServices : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(dir.file("net.mdb"));
        session.open(dir.file("net.mdb"));
        vexlab::test::seed_device_tables(session);
        // As the console's reset leaves it.
        vexlab::reachability::rebuild_lan_tables(session, tables);
    }

    DeviceScope on(const std::string& device) { return DeviceScope{session, tables, device}; }

    std::string text(const std::string& sql, std::initializer_list<vexlab::db::Value> params = {}) {
        return session.scalar(sql, params).to_text();
    }
    std::int64_t count(const std::string& sql,
                       std::initializer_list<vexlab::db::Value> params = {}) {
        return session.scalar(sql, params).to_int();
    }
    // A column of a device's interface row in a routing view.
    std::string view(const std::string& table, int device, const std::string& interface,
                     const std::string& column) {
        return text("SELECT \"" + column + "\" FROM " + table + " WHERE ref = ? AND int_name = ?",
                    {device, interface});
    }
    std::vector<std::string> in_all_views(int device, const std::string& interface,
                                          const std::string& column) {
        return {view("route_ip_def", device, interface, column),
                view("ospf_ip_def", device, interface, column),
                view("eigrp_ip_def", device, interface, column)};
    }
    void address(const std::string& device, const std::string& interface, const std::string& ip,
                 const std::string& mask) {
        auto result = set_interface_address(on(device), vexlab::state::DeviceKind::Router,
                                            interface, ip, mask);
        ASSERT_FALSE(result.refused || result.response) << device << " " << interface;
    }
    void put_detail(int device, const std::string& interface, const std::string& column,
                    const std::string& value) {
        session.execute("UPDATE int_det SET \"" + column + "\" = ? WHERE ref = ? AND int_name = ?",
                        {value, device, interface});
    }
    void put_setting(const std::string& device, const std::string& key, const std::string& value) {
        session.execute(
            "UPDATE routervariables_def SET \"" + device + "\" = ? WHERE Config_Variable = ?",
            {value, key});
    }
    std::string setting(const std::string& device, const std::string& key) {
        return text("SELECT \"" + device + "\" FROM routervariables_def WHERE Config_Variable = ?",
                    {key});
    }

    vexlab::test::TempDir dir;
    DatabaseSession session;
    const NetworkTableSet tables = NetworkTableSet::default_set();
};

const std::vector<std::string> kThree(3, "");

// ------------------------------------------------------------ addressing

TEST_F(DefaultNetworkServices, AnAddressReachesTheViewsTheRouterIdAndThePeersNextHop) {
    address("R1", "Serial0", "10.1.1.1", "255.255.255.0");
    EXPECT_EQ(in_all_views(1, "Serial0", "ip"), std::vector<std::string>(3, "10.1.1.1"));
    EXPECT_EQ(in_all_views(2, "Serial0", "next_hopip"), std::vector<std::string>(3, "10.1.1.1"));
    EXPECT_EQ(in_all_views(2, "Serial0", "next_hopmask"),
              std::vector<std::string>(3, "255.255.255.0"));
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R1'"), "10.1.1.1");
    address("R1", "Serial1", "9.0.0.1", "255.0.0.0");  // "9001" sorts above "10111"
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R1'"), "9.0.0.1");

    // The same address elsewhere is refused and writes nothing; the interface
    // may be given its own address again.
    const auto refused = set_interface_address(on("R2"), vexlab::state::DeviceKind::Router,
                                               "Ethernet0", "10.1.1.1", "255.255.255.0");
    EXPECT_EQ(refused.response, kAddressInUse);
    EXPECT_EQ(view("route_ip_def", 2, "Ethernet0", "ip"), "UA");
    EXPECT_FALSE(set_interface_address(on("R1"), vexlab::state::DeviceKind::Router, "serial0",
                                       "10.1.1.1", "255.255.255.0")
                     .response);

    // Clearing keeps the router id and the cabling, and forgets the next hop.
    ASSERT_TRUE(clear_int_ip(on("R1"), vexlab::state::DeviceKind::Router, "Serial0"));
    EXPECT_EQ(in_all_views(1, "Serial0", "ip"), std::vector<std::string>(3, "UA"));
    EXPECT_EQ(in_all_views(2, "Serial0", "next_hopip"), std::vector<std::string>(3, "UA"));
    EXPECT_EQ(view("route_ip_def", 2, "Serial0", "next_hop_devname"), "R1");
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R1'"), "9.0.0.1");
}

TEST_F(DefaultNetworkServices, ADeviceOrInterfaceWithoutItsRowsIsRefusedUnwritten) {
    EXPECT_TRUE(set_interface_address(on("R9"), vexlab::state::DeviceKind::Router, "Serial0",
                                      "10.1.1.1", "255.0.0.0")
                    .refused);
    EXPECT_TRUE(set_interface_address(on("R1"), vexlab::state::DeviceKind::Router, "Serial7",
                                      "10.1.1.1", "255.0.0.0")
                    .refused);
    EXPECT_EQ(text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R1'"), "UA");
    EXPECT_FALSE(clear_int_ip(on("R9"), vexlab::state::DeviceKind::Router, "Serial0"));
}

TEST_F(DefaultNetworkServices, TheLanFollowsR1Ethernet0AndThePc) {
    address("R1", "Ethernet0", "10.0.0.1", "255.0.0.0");
    ASSERT_FALSE(set_interface_address(on("PC"), vexlab::state::DeviceKind::Pc, "Ethernet0",
                                       "10.0.0.2", "255.0.0.0")
                     .response);
    ASSERT_FALSE(
        set_management_address(on("2950"), "Unassigned", "10.0.0.3", "255.0.0.0").response);
    // The switch's own settings are the caller's to write.
    put_setting("2950", "FastEthernet1_ip_address", "10.0.0.3");
    put_setting("2950", "FastEthernet1_dec_mask", "255.0.0.0");
    auto pairs = [&] {
        std::vector<std::string> out;
        for (auto set = session.open_recordset("SELECT master_ip || '>' || sub_ip FROM eth_iplist "
                                               "ORDER BY rowid");
             !set.eof(); set.move_next())
            out.push_back(set.text(0));
        return out;
    };
    EXPECT_EQ(pairs(), (std::vector<std::string>{"10.0.0.1>10.0.0.2", "10.0.0.1>10.0.0.3"}));
    // The switch's management address is taken.
    EXPECT_EQ(set_interface_address(on("R2"), vexlab::state::DeviceKind::Router, "Ethernet0",
                                    "10.0.0.3", "255.0.0.0")
                  .response,
              kAddressInUse);

    address("R1", "Ethernet0", "10.0.0.9", "255.0.0.0");
    EXPECT_EQ(pairs(), (std::vector<std::string>{"10.0.0.9>10.0.0.2", "10.0.0.9>10.0.0.3"}));
    ASSERT_TRUE(clear_int_ip(on("PC"), vexlab::state::DeviceKind::Pc, "Ethernet0"));
    EXPECT_EQ(pairs(), (std::vector<std::string>{"10.0.0.9>10.0.0.3"}));
}

// ------------------------------------------------------------ interface names

TEST_F(DefaultNetworkServices, TypedInterfaceWordsFindTheStoredName) {
    EXPECT_EQ(find_interface(session, tables, "R1", "serial", "0"), "Serial0");
    EXPECT_EQ(find_interface(session, tables, "R1", "ETHERNET", "0"), "Ethernet0");
    EXPECT_EQ(find_interface(session, tables, "R1", "serial", "2"), std::nullopt);
    // The PC has no int_det rows: its routing rows name its interface.
    EXPECT_EQ(find_interface(session, tables, "PC", "ethernet", "0"), "Ethernet0");
}

// ------------------------------------------------------------ subinterfaces

TEST_F(DefaultNetworkServices, ASubinterfaceIsMadeOnceAndKeepsItsMainInterfaceFree) {
    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial0", "1").response);
    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial0", "1").response);
    EXPECT_EQ(count("SELECT count(*) FROM frame_map_def WHERE subint_num = '1'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM ospf_ip_def WHERE int_name = 'Serial0.1' AND ref = 1"),
              1);
    EXPECT_TRUE(has_subinterfaces(on("R1"), "Serial0"));
    EXPECT_FALSE(has_subinterfaces(on("R1"), "Serial1"));

    // An address, or a map of the main interface, keeps subinterfaces away;
    // such a map is no subinterface.
    address("R1", "Serial1", "10.9.9.1", "255.255.255.0");
    EXPECT_EQ(enter_subinterface(on("R1"), "Serial1", "1").response,
              "Please remove the IP address and manual resolution for the interface to configure "
              "subinterface");
    ASSERT_FALSE(config_frame_relay_map(
                     on("R2"), SerialContext{"Serial1", false, ""},
                     line("frame-relay map ip 10.0.0.2 102", {"frame-relay", "map", "", "", ""}))
                     .response);
    EXPECT_FALSE(has_subinterfaces(on("R2"), "Serial1"));
    EXPECT_TRUE(enter_subinterface(on("R2"), "Serial1", "1").response.has_value());
    // A network without the interface's Frame Relay row refuses.
    EXPECT_TRUE(enter_subinterface(on("R1"), "Ethernet0", "1").refused);
}

TEST_F(DefaultNetworkServices, ASubinterfaceAddressAndItsRemoval) {
    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial0", "1").response);
    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial0", "2").response);
    // Cabled as a loaded network would have it.
    session.execute(
        "UPDATE route_ip_def SET next_hop_devname = 'R2', next_hop_intname = "
        "'Serial0' WHERE int_name = 'Serial0.1'");
    EXPECT_FALSE(set_subint_ip(on("R1"), "Serial0", "1", "10.5.5.1", "255.255.255.252").response);
    EXPECT_EQ(text("SELECT subint_ip FROM frame_map_def WHERE subint_num = '1'"), "10.5.5.1");
    EXPECT_EQ(view("eigrp_ip_def", 1, "Serial0.1", "ip"), "10.5.5.1");
    EXPECT_EQ(view("route_ip_def", 2, "Serial0", "next_hopip"), "10.5.5.1");

    // Its own address again, another subinterface's, a main interface's.
    EXPECT_EQ(set_subint_ip(on("R1"), "Serial0", "1", "10.5.5.1", "255.0.0.0").response,
              kAddressInUse);
    EXPECT_EQ(set_subint_ip(on("R1"), "Serial0", "2", "10.5.5.1", "255.0.0.0").response,
              kAddressInUse);
    EXPECT_EQ(is_address_in_use(on("R3"), "10.5.5.1", "Ethernet0"), true);
    EXPECT_EQ(set_subint_ip(on("R1"), "Serial0", "", "10.6.6.1", "255.0.0.0").response,
              "Please create the suninterface fiirst");

    ASSERT_FALSE(remove_subint_ip(on("R1"), "Serial0", "1").refused);
    EXPECT_EQ(count("SELECT count(*) FROM frame_map_def WHERE subint_num = '1'"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM route_ip_def WHERE int_name = 'Serial0.1'"), 0);
    for (const char* column :
         {"next_hop_devname", "next_hop_intname", "next_hopip", "next_hopmask"})
        EXPECT_EQ(in_all_views(2, "Serial0", column), std::vector<std::string>(3, "UA")) << column;
}

// ------------------------------------------------------------ Frame Relay

TEST_F(DefaultNetworkServices, MapsOfAMainInterface) {
    const SerialContext serial0{"Serial0", false, ""};
    auto map = [&](const std::string& typed) {
        std::vector<std::string> words{"frame-relay", "map", "", "", ""};
        auto typed_words = vexlab::text::split(typed, " ");
        for (std::size_t i = 5; i < typed_words.size(); ++i) words.push_back(typed_words[i]);
        return config_frame_relay_map(on("R1"), serial0, line(typed, words));
    };
    EXPECT_FALSE(map("frame-relay map ip 10.1.1.2 102").response);
    EXPECT_EQ(map("frame-relay map ip 10.1.1.3 102").response, kDlciInUse);
    EXPECT_FALSE(map("frame-relay map IP 10.1.1.2 103 broadcast").response);
    EXPECT_FALSE(map("frame-relay map ip 10.1.1.4 104 ietf").response);
    EXPECT_FALSE(map("frame-relay map ip 10.1.1.5 105 broadcast cisco").response);
    // DLCI 102 on another interface of the router is free.
    EXPECT_FALSE(config_frame_relay_map(
                     on("R1"), SerialContext{"Serial1", false, ""},
                     line("frame-relay map ip 10.1.1.2 102", {"frame-relay", "map", "", "", ""}))
                     .response);

    std::vector<std::string> rows;
    for (auto set = session.open_recordset(
             "SELECT subint_num || subint_ip || subint_mask || ' ' || protocol_name || ' ' || "
             "dest_ipadd || ' ' || dlci_num || ' ' || broadcast || ' ' || frame_type FROM "
             "frame_map_def WHERE ref = 2 ORDER BY rowid");
         !set.eof(); set.move_next())
        rows.push_back(set.text(0));
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "NANANA ip 10.1.1.2 102 0 NA", "NANANA IP 10.1.1.2 103 1 NA",
                        "NANANA ip 10.1.1.4 104 0 ietf", "NANANA ip 10.1.1.5 105 1 cisco"}));

    // A removal must repeat the map; then it deletes it.
    auto remove = [&](const std::string& typed) {
        std::vector<std::string> words{"no", "frame-relay", "map", "", "", ""};
        auto typed_words = vexlab::text::split(typed, " ");
        for (std::size_t i = 6; i < typed_words.size(); ++i) words.push_back(typed_words[i]);
        return remove_frame_relay_map(on("R1"), serial0, line(typed, words));
    };
    remove("no frame-relay map ip 10.1.1.2 103");
    EXPECT_EQ(count("SELECT count(*) FROM frame_map_def WHERE ref = 2"), 4);
    remove("no frame-relay map ip 10.1.1.2 103 broadcast");
    remove("no frame map ip 10.1.1.5 105 broadcast cisco");
    EXPECT_EQ(count("SELECT count(*) FROM frame_map_def WHERE ref = 2"), 2);
}

TEST_F(DefaultNetworkServices, TheMapAndDlciOfASubinterface) {
    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial0", "1").response);
    const SerialContext sub{"Serial0", true, "1"};
    const std::vector<std::string> words{"frame-relay", "map", "", "", ""};
    EXPECT_FALSE(
        config_frame_relay_map(on("R1"), sub, line("frame-relay map ip 10.1.1.2 102", words))
            .response);
    EXPECT_FALSE(
        config_frame_relay_map(on("R1"), sub, line("frame-relay map ip 10.1.1.3 103", words))
            .response);
    EXPECT_EQ(count("SELECT count(*) FROM frame_map_def WHERE ref = 2"), 1);
    EXPECT_EQ(text("SELECT dest_ipadd || ' ' || dlci_num FROM frame_map_def WHERE ref = 2"),
              "10.1.1.3 103");

    EXPECT_FALSE(set_interface_dlci(on("R1"), sub, "200").response);
    EXPECT_EQ(text("SELECT dest_ipadd || ' ' || dlci_num FROM frame_map_def WHERE ref = 2"),
              "10.1.1.3 200");
    EXPECT_EQ(set_interface_dlci(on("R1"), SerialContext{"Serial0", false, ""}, "200").response,
              "Please create the suninterface fiirst");
    EXPECT_EQ(config_frame_relay_map(on("R1"), {"Serial0", true, ""},
                                     line("frame-relay map ip 10.1.1.3 103", words))
                  .response,
              "Please create the suninterface fiirst");
    // A DLCI that does not read as a whole number is refused.
    EXPECT_TRUE(set_interface_dlci(on("R1"), sub, "20.5").refused);
}

TEST_F(DefaultNetworkServices, TheFrameRelayFlagOfAnInterfaceAndOfASubinterface) {
    const SerialContext serial0{"Serial0", false, ""};
    auto flag = [&](const std::string& interface) {
        return in_all_views(1, interface, "l2_frame");
    };
    put_detail(1, "Serial0", "encap_short", "framerelay");
    put_detail(1, "Serial0", "frame_type", "cisco");
    update_frame_l2_state(on("R1"), serial0);
    EXPECT_EQ(flag("Serial0"), std::vector<std::string>(3, "0"));  // no map yet
    config_frame_relay_map(
        on("R1"), serial0,
        line("frame-relay map ip 10.1.1.2 102", {"frame-relay", "map", "", "", ""}));
    update_frame_l2_state(on("R1"), serial0);
    EXPECT_EQ(flag("Serial0"), std::vector<std::string>(3, "1"));
    put_detail(1, "Serial0", "encap_short", "FrameRelay");  // compared exactly
    update_frame_l2_state(on("R1"), serial0);
    EXPECT_EQ(flag("Serial0"), std::vector<std::string>(3, "0"));

    ASSERT_FALSE(enter_subinterface(on("R1"), "Serial1", "3").response);
    const SerialContext sub{"Serial1", true, "3"};
    session.execute(
        "UPDATE frame_map_def SET encap_short = 'framerelay', frame_type = 'NA' "
        "WHERE subint_num = '3'");
    update_frame_l2_state(on("R1"), sub);
    EXPECT_EQ(flag("Serial1.3"), std::vector<std::string>(3, "1"));
    EXPECT_EQ(flag("Serial1"), std::vector<std::string>(3, "0"));
    session.execute("UPDATE frame_map_def SET frame_type = 'Not Set' WHERE subint_num = '3'");
    update_frame_l2_state(on("R1"), sub);
    EXPECT_EQ(flag("Serial1.3"), std::vector<std::string>(3, "0"));
}

TEST_F(DefaultNetworkServices, TheIsdnFlagNeedsAllSixSettings) {
    session.execute("INSERT INTO int_det (\"index\", int_name, ref) VALUES (20, 'IsdnBri0', 1)");
    for (const char* table : {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"})
        session.execute(std::string("INSERT INTO ") + table +
                        " (\"index\", ref, int_name) VALUES (20, 1, 'IsdnBri0')");
    auto flag = [&] { return in_all_views(1, "IsdnBri0", "l2_isdn"); };
    const std::vector<std::string> up(3, "1"), down(3, "0");
    put_setting("R1", "isdn_switch_type", "basic-ni1");
    put_setting("R1", "dlist_type", "PERMIT");  // any case
    put_detail(1, "IsdnBri0", "encap_short", "ppp");
    put_detail(1, "IsdnBri0", "dailer_dest_ip", "10.0.0.2");
    put_detail(1, "IsdnBri0", "d_group_num", "1");
    update_isdn_l2_state(on("R1"), "IsdnBri0");
    EXPECT_EQ(flag(), down);  // no dialer string
    put_detail(1, "IsdnBri0", "d_string", "5551234");
    update_isdn_l2_state(on("R1"), "IsdnBri0");
    EXPECT_EQ(flag(), up);
    put_detail(1, "IsdnBri0", "encap_short", "PPP");  // exact
    update_isdn_l2_state(on("R1"), "IsdnBri0");
    EXPECT_EQ(flag(), down);
}

// ------------------------------------------------------------ routing

TEST_F(DefaultNetworkServices, RipAndEigrpEnrolTheExactSubnet) {
    address("R1", "Ethernet0", "10.1.1.1", "255.255.255.0");
    const std::vector<std::string> net{"network", ""};
    EXPECT_FALSE(
        config_network(on("R1"), RoutingProtocol::Rip, line("network 10.0.0.0", net)).refused);
    EXPECT_EQ(view("route_ip_def", 1, "Ethernet0", "nw_protocol"), "d");
    config_network(on("R1"), RoutingProtocol::Rip, line("network 10.1.1.0", net));
    EXPECT_EQ(in_all_views(1, "Ethernet0", "nw_protocol"),
              (std::vector<std::string>{"r", "d", "d"}));
    config_network(on("R1"), RoutingProtocol::Eigrp, line("network 10.1.1.0", net));
    EXPECT_EQ(view("eigrp_ip_def", 1, "Ethernet0", "nw_protocol"), "e");

    // The word count must fit the process; without a process nothing happens.
    EXPECT_TRUE(
        config_network(on("R1"), RoutingProtocol::Rip,
                       line("network 10.1.1.0 0.0.0.255 area 0", {"network", "", "", "area", ""}))
            .refused);
    EXPECT_TRUE(
        config_network(on("R1"), RoutingProtocol::Ospf, line("network 10.1.1.0", net)).refused);
    EXPECT_FALSE(
        config_network(on("R1"), RoutingProtocol::None, line("network 10.1.1.0", net)).refused);

    ASSERT_FALSE(remove_routing_protocol(on("R1"), RoutingProtocol::Rip).refused);
    EXPECT_EQ(in_all_views(1, "Ethernet0", "nw_protocol"),
              (std::vector<std::string>{"d", "d", "e"}));
}

TEST_F(DefaultNetworkServices, OspfAreasAndTheirWayToTheBackbone) {
    // R1: Serial0 to R2 in area 1, Ethernet0 in area 0.  R2: Serial1 to R3 in
    // area 1 as well.
    address("R1", "Serial0", "10.1.1.1", "255.255.255.0");
    address("R1", "Ethernet0", "10.0.0.1", "255.0.0.0");
    address("R2", "Serial0", "10.1.1.2", "255.255.255.0");
    address("R2", "Serial1", "10.2.2.1", "255.255.255.0");
    const std::vector<std::string> words{"network", "", "", "area", ""};
    auto ospf = [&](const std::string& device, const std::string& typed) {
        return config_network(on(device), RoutingProtocol::Ospf, line(typed, words));
    };
    ospf("R1", "network 10.1.1.0 0.0.0.3 area 1");
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "nw_protocol"), "o");
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "int_area_num"), "1");
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial0", "nxt_int_area_num"), "1");
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "con_to_backbone"), "False");

    ospf("R1", "network 10.0.0.1 0.0.0.0 area 0");  // connects area 1
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "con_to_backbone"), "True");
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial0", "nxt_con_to_backbone"), "True");

    ospf("R2", "network 10.2.2.0 0.0.0.255 area 1");  // joins a connected area
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial1", "con_to_backbone"), "True");
    EXPECT_EQ(view("ospf_ip_def", 3, "Serial0", "nxt_int_area_num"), "1");
    EXPECT_TRUE(ospf("R2", "network 10.2.2.0 0.0.0.255 area 1.5").refused);

    EXPECT_EQ(config_stub_area(on("R1"), "0", 'S').response,
              "Backbone area(Area 0) cannot be set as stub type");
    EXPECT_EQ(config_stub_area(on("R1"), "1", 'T').response, "");
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "int_area_type"), "T");
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial0", "nxt_int_area_type"), "T");
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial1", "int_area_type"), "N");  // R2's own

    // Removing OSPF drops only its tags.
    remove_routing_protocol(on("R1"), RoutingProtocol::Ospf);
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "nw_protocol"), "d");
    EXPECT_EQ(view("ospf_ip_def", 1, "Serial0", "int_area_num"), "1");
}

TEST_F(DefaultNetworkServices, AVirtualLinkNeedsBothHalves) {
    // R1 in areas 0 and 1, R2 in areas 1 and 2.
    address("R1", "Ethernet0", "10.0.0.1", "255.0.0.0");
    address("R1", "Serial0", "10.1.1.1", "255.255.255.0");
    address("R2", "Serial0", "10.1.1.2", "255.255.255.0");
    address("R2", "Serial1", "10.2.2.1", "255.255.255.0");
    const std::vector<std::string> words{"network", "", "", "area", ""};
    for (auto [device, typed] : {std::pair{"R1", "network 10.0.0.1 0.0.0.0 area 0"},
                                 std::pair{"R1", "network 10.1.1.1 0.0.0.0 area 1"},
                                 std::pair{"R2", "network 10.1.1.2 0.0.0.0 area 1"},
                                 std::pair{"R2", "network 10.2.2.1 0.0.0.0 area 2"}})
        config_network(on(device), RoutingProtocol::Ospf, line(typed, words));
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial1", "con_to_backbone"), "False");
    const std::string r1_id = text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R1'");
    const std::string r2_id = text("SELECT device_id FROM ospf_dev_def WHERE dev_name = 'R2'");

    std::vector<VirtualLinkHalf> pending;
    // Not R2's router id (its lower address in text order): ignored.
    EXPECT_EQ(config_virtual_link(on("R1"), "1", "10.1.1.2", pending).response, "");
    EXPECT_TRUE(pending.empty());
    config_virtual_link(on("R1"), "1", r2_id, pending);
    config_virtual_link(on("R1"), "1", r2_id, pending);
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].from, "R1");
    EXPECT_EQ(pending[0].to, "R2");
    EXPECT_EQ(text("SELECT virtual_link FROM ospf_dev_def WHERE dev_name = 'R1'"), "False");

    config_virtual_link(on("R2"), "1", r1_id, pending);
    EXPECT_EQ(pending.size(), 1u);
    EXPECT_EQ(text("SELECT virtual_link FROM ospf_dev_def WHERE dev_name = 'R2'"), "True");
    EXPECT_EQ(text("SELECT transit_area || ' ' || vlink_to_router FROM ospf_dev_def WHERE "
                   "dev_name = 'R2'"),
              "1 " + r1_id);
    EXPECT_EQ(text("SELECT vlink_to_router FROM ospf_dev_def WHERE dev_name = 'R1'"), r2_id);
    EXPECT_EQ(view("ospf_ip_def", 2, "Serial1", "con_to_backbone"), "True");

    // A stub area carries no virtual link.
    config_stub_area(on("R2"), "2", 'S');
    EXPECT_EQ(config_virtual_link(on("R1"), "2", r2_id, pending).response,
              "Stub areas cannot act as transit areas");
}

TEST_F(DefaultNetworkServices, NetworkLinesTagTranslationsAndPools) {
    const std::vector<std::string> static_words{"ip", "nat", "inside", "source", "static", "", ""};
    config_ip_nat(on("R1"), true, "",
                  line("ip nat inside source static 10.0.0.5 172.16.5.1", static_words));
    config_ip_nat(on("R1"), true, "",
                  line("ip nat outside source static 127.0.0.1 224.0.0.1",
                       {"ip", "nat", "outside", "source", "static", "", ""}));
    config_nat_pool(on("R1"), line("ip nat pool P 192.168.5.10 192.168.5.20 netmask 255.255.255.0",
                                   {"ip", "nat", "pool", "", "", "", "netmask", ""}));
    config_network(on("R1"), RoutingProtocol::Eigrp, line("network 172.16.0.0", {"network", ""}));
    EXPECT_EQ(text("SELECT in_gl_rprot FROM nat_inout_def WHERE inside_global = '172.16.5.1'"),
              "e");
    EXPECT_EQ(text("SELECT out_gl_rprot FROM nat_inout_def WHERE outside_global = '224.0.0.1'"),
              "d");
    config_network(on("R1"), RoutingProtocol::Ospf,
                   line("network 192.168.5.0 0.0.0.255 area 0", {"network", "", "", "area", ""}));
    EXPECT_EQ(text("SELECT glob_port FROM nat_pool WHERE pool_name = 'P'"), "o");

    remove_routing_protocol(on("R1"), RoutingProtocol::Rip);
    EXPECT_EQ(text("SELECT in_gl_rprot FROM nat_inout_def WHERE inside_global = '172.16.5.1'"),
              "d");
    EXPECT_EQ(text("SELECT glob_port FROM nat_pool WHERE pool_name = 'P'"), "d");
}

// ------------------------------------------------------------ NAT

TEST_F(DefaultNetworkServices, NatInterfacesStaticTranslationsAndPools) {
    const std::vector<std::string> inside{"ip", "nat", "inside"};
    config_ip_nat(on("R1"), false, "Ethernet0", line("ip nat inside", inside));
    EXPECT_EQ(in_all_views(1, "Ethernet0", "nat_inside_int"), std::vector<std::string>(3, "1"));
    config_ip_nat(on("R1"), false, "Ethernet0", line("ip nat outside", {"ip", "nat", "outside"}));
    EXPECT_EQ(in_all_views(1, "Ethernet0", "nat_inside_int"), std::vector<std::string>(3, "0"));
    EXPECT_EQ(in_all_views(1, "Ethernet0", "nat_outside_int"), std::vector<std::string>(3, "1"));
    EXPECT_EQ(text("SELECT nat_status FROM nat_dev_def WHERE dev_name = 'R1'"), "0");
    EXPECT_TRUE(config_ip_nat(on("R1"), false, "Serial9", line("ip nat inside", inside)).refused);

    const std::vector<std::string> static_words{"ip", "nat", "inside", "source", "static", "", ""};
    for (int i = 0; i < 2; ++i)
        config_ip_nat(on("R1"), true, "",
                      line("ip nat inside source static 10.0.0.1 200.0.0.1", static_words));
    EXPECT_EQ(count("SELECT count(*) FROM nat_inout_def WHERE inside_local = '10.0.0.1' AND "
                    "inside_global = '200.0.0.1' AND outside_local = 'UA' AND ref = 1"),
              2);
    EXPECT_EQ(text("SELECT nat_status FROM nat_dev_def WHERE dev_name = 'R1'"), "1");

    const std::vector<std::string> list_words{"ip",   "nat", "inside", "source",
                                              "list", "",    "pool",   ""};
    const std::vector<std::string> pool_words{"ip", "nat", "pool", "", "", "", "netmask", ""};
    config_nat_pool(on("R2"), line("ip nat inside source list 1 pool P", list_words));
    config_nat_pool(on("R2"),
                    line("ip nat pool P 200.0.0.1 200.0.0.9 netmask 255.255.255.0", pool_words));
    config_nat_pool(on("R1"),
                    line("ip nat pool P 201.0.0.1 201.0.0.9 netmask 255.255.255.0", pool_words));
    config_nat_pool(on("R1"), line("ip nat inside source list 2 pool P", list_words));
    config_nat_pool(on("R1"),
                    line("ip nat pool P 202.0.0.1 202.0.0.9 netmask 255.255.0.0", pool_words));
    std::vector<std::string> pools;
    for (auto set = session.open_recordset(
             "SELECT pool_name || ' ' || accesslist_num || ' ' || beg_in_global || ' ' || "
             "end_in_global || ' ' || subnet_mask || ' ' || dev_ref FROM nat_pool ORDER BY rowid");
         !set.eof(); set.move_next())
        pools.push_back(set.text(0));
    EXPECT_EQ(pools, (std::vector<std::string>{"P 1 200.0.0.1 200.0.0.9 255.255.255.0 2",
                                               "P 2 202.0.0.1 202.0.0.9 255.255.0.0 1"}));
    EXPECT_EQ(text("SELECT nat_status FROM nat_dev_def WHERE dev_name = 'R2'"), "1");
}

// ------------------------------------------------------------ access lists

TEST_F(DefaultNetworkServices, AccessListEntriesAndTheirBinding) {
    auto entry = [&](const std::string& device, const std::string& typed,
                     std::vector<std::string> words) {
        return config_access_list(on(device), line(typed, std::move(words)));
    };
    entry("R1", "access-list 1 permit any", {"access-list", "", "", "any"});
    entry("R1", "access-list 1 Deny any", {"access-list", "", "", "any"});
    entry("R1", "access-list 1 deny 10.0.0.0 0.255.255.255", {"access-list", "", "", "", ""});
    entry("R1", "access-list 1 permit 10.1.1.1", {"access-list", "", "", ""});
    entry("R2", "access-list 1 permit any", {"access-list", "", "", "any"});
    std::vector<std::string> rows;
    for (auto set = session.open_recordset("SELECT * FROM access_list ORDER BY rowid"); !set.eof();
         set.move_next())
        rows.push_back(set.text(0) + " " + set.text(1) + " " + set.text(2) + " " + set.text(3) +
                       " " + set.text(4));
    EXPECT_EQ(rows, (std::vector<std::string>{"1 any any False 1", "1 any any True 1",
                                              "1 10.0.0.0 0.255.255.255 True 1",
                                              "1 10.1.1.1 0.0.0.0 False 1", "1 any any False 2"}));

    const std::vector<std::string> group{"ip", "access-group", "", "in"};
    EXPECT_FALSE(
        apply_access_group(on("R1"), "Ethernet0", line("ip access-group 1 in", group)).response);
    EXPECT_EQ(in_all_views(1, "Ethernet0", "in_acl_num"), std::vector<std::string>(3, "1"));
    EXPECT_EQ(
        apply_access_group(on("R1"), "Ethernet0", line("ip access-group 1 in", group)).response,
        "Another access list is applied on this interface\r\nPlease remove that list");
    apply_access_group(on("R1"), "Ethernet0",
                       line("ip access-group 2 out", {"ip", "access-group", "", "out"}));
    EXPECT_EQ(view("route_ip_def", 1, "Ethernet0", "out_acl_num"), "2");

    const std::vector<std::string> no_group{"no", "ip", "access-group", "", "in"};
    remove_access_group(on("R1"), "Ethernet0", line("no ip access-group 2 in", no_group));
    EXPECT_EQ(view("route_ip_def", 1, "Ethernet0", "in_acl_num"), "1");
    remove_access_group(on("R1"), "Ethernet0", line("no ip access-group 1 in", no_group));
    EXPECT_EQ(in_all_views(1, "Ethernet0", "in_acl_num"), std::vector<std::string>(3, "-1"));

    delete_access_list(on("R1"), line("no access-list 1", {"no", "access-list", ""}));
    EXPECT_EQ(count("SELECT count(*) FROM access_list"), 1);  // R2's list stays
    EXPECT_EQ(view("route_ip_def", 1, "Ethernet0", "out_acl_num"), "2");
    EXPECT_TRUE(entry("R9", "access-list 1 permit any", {"access-list", "", "", "any"}).refused);
}

// ------------------------------------------------------------ switching

TEST_F(DefaultNetworkServices, VlansUnderTheVtpMode) {
    const std::vector<std::string> add{"vlan", ""};
    EXPECT_EQ(config_vlan(on("2950"), line("vlan 5", add)).response,
              "VLAN  5  added:\r\n    Name:  VLAN0005");
    EXPECT_EQ(
        config_vlan(on("2950"), line("vlan 10 name Sales", {"vlan", "", "name", ""})).response,
        "VLAN  10  added:\r\n    Name:  Sales");
    // An existing VLAN keeps its name and answers nothing of its own.
    EXPECT_FALSE(
        config_vlan(on("2950"), line("vlan 10 name Other", {"vlan", "", "name", ""})).response);
    EXPECT_EQ(text("SELECT vlan_name FROM vlan_info WHERE vlan_num = 10"), "Sales");
    EXPECT_FALSE(config_vlan(on("2950"), line("no vlan 7", {"no", "vlan", ""})).response);
    config_vlan(on("2950"), line("no vlan 5", {"no", "vlan", ""}));
    EXPECT_EQ(count("SELECT count(*) FROM vlan_info"), 1);

    const std::string refusal =
        "switch should be either in server or transparent mode to configure vlan";
    ASSERT_FALSE(set_vtp_mode(on("2950"), "client").refused);
    EXPECT_EQ(setting("2950", "vtp_mode"), "client");
    EXPECT_EQ(config_vlan(on("2950"), line("vlan 3", add)).response, refusal);
    EXPECT_EQ(config_vlan(on("2950"), line("no vlan 10", {"no", "vlan", ""})).response, refusal);
    put_setting("2950", "vtp_mode", "CLIENT");
    EXPECT_EQ(config_vlan(on("2950"), line("vlan 3", add)).response, refusal);
    set_vtp_mode(on("2950"), "transparent");
    EXPECT_EQ(config_vlan(on("2950"), line("vlan 3", add)).response,
              "VLAN  3  added:\r\n    Name:  VLAN0003");
    session.execute("DELETE FROM routervariables_def WHERE Config_Variable = 'vtp_mode'");
    EXPECT_EQ(config_vlan(on("2950"), line("vlan 4", add)).response, refusal);
    EXPECT_TRUE(set_vtp_mode(on("2950"), "server").refused);
}

TEST_F(DefaultNetworkServices, StaticAndStickyMacEntriesAccumulate) {
    const auto words =
        line("mac-address-table static 0000.1111.2222 vlan 1 interface FastEthernet 0/1",
             {"mac-address-table", "static", "", "vlan", "", "interface", "FastEthernet", ""});
    add_static_mac(on("2950"), words);
    add_static_mac(on("2950"), words);
    EXPECT_EQ(count("SELECT count(*) FROM mac_addr WHERE vla_num = 1 AND mac_addr = "
                    "'0000.1111.2222' AND type = 'static' AND ports = '0/1'"),
              2);
    add_secure_mac(on("2950"), "0/3",
                   line("switchport port-security mac-address sticky 0000.0c12.3fab",
                        {"switchport", "port-security", "mac-address", "sticky", ""}));
    EXPECT_EQ(text("SELECT port || ' ' || mac_addr FROM port_security"), "0/3 0000.0c12.3fab");
}

}  // namespace

namespace {

// A loaded network of the modular and the other palette models, as the
// loaders leave it in the working tables.
constexpr const char* kModularNetwork = R"(
table device
columns index | Dev_cat | Device_Name
1 | 2610 | R1
1 | 2620 | R2
2 | 1912 | S1
2 | 2950 | S2
3 | PC | PC1

table rout_dev
columns dev_no | dev_name
1 | R1
2 | R2
3 | S1
4 | S2
5 | PC1

table int_device
columns index | dev_name
1 | R1
2 | R2

table int_det
columns index | int_name | ref
1 | Ethernet0/0 | 1
2 | WAN Slot 0/Serial0 | 1
3 | WAN Slot 0/Serial1 | 1
4 | FastEthernet0/0 | 2
5 | Serial0/0 | 2
6 | Serial0/1 | 2
7 | WAN Slot 1/IsdnBri0 | 2

table route_ip
columns index | ref | int_name
1 | 1 | Ethernet0/0
2 | 1 | WAN Slot 0/Serial0
3 | 3 | Ethernet0/1
4 | 3 | FastEthernet0/26
5 | 4 | FastEthernet0/1
6 | 5 | Ethernet0
)";

TEST(InterfaceNames, EveryModelsNamesAreFoundFromTheTypedWords) {
    vexlab::test::TempDir dir;
    DatabaseSession session;
    vexlab::test::empty_database(session, dir.file("net.mdb"));
    vexlab::state::load_table_text(session, vexlab::state::SchemaRegistry::instance(),
                                   kModularNetwork, "modular network");
    const auto tables = NetworkTableSet::working_set();
    struct Case {
        const char *device, *keyword, *number;
        std::optional<std::string> name;
    } cases[] = {
        {"R1", "ethernet", "0/0", "Ethernet0/0"},
        {"R1", "serial", "0/1", "WAN Slot 0/Serial1"},
        {"r1", "Serial", "0/0", "WAN Slot 0/Serial0"},
        {"R1", "serial", "1/0", std::nullopt},
        {"R1", "serial", "0", std::nullopt},
        {"R2", "fastethernet", "0/0", "FastEthernet0/0"},
        {"R2", "serial", "0/1", "Serial0/1"},
        {"R2", "bri", "1/0", "WAN Slot 1/IsdnBri0"},
        {"R2", "ethernet", "0/0", std::nullopt},
        {"S1", "ethernet", "0/1", "Ethernet0/1"},
        {"S1", "FastEthernet", "0/26", "FastEthernet0/26"},
        {"S2", "fastethernet", "0/1", "FastEthernet0/1"},
        {"PC1", "ethernet", "0", "Ethernet0"},
        {"R9", "serial", "0", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(find_interface(session, tables, c.device, c.keyword, c.number), c.name)
            << c.device << " " << c.keyword << " " << c.number;
}

}  // namespace

namespace {

// Typed at the console on a network of modular routers whose serial ports
// sit on slot cards: the interface words a learner types reach the names the
// designer stored ("WAN Slot 0/Serial0", "Ethernet0/0"), and so do the
// subinterfaces, the Frame Relay rows, the next hops and the LAN tables.
// R1 (2610) and R2 (2620) joined by serial cards in their slots, R2 with an
// ISDN card too; R1's Ethernet reaches PC1 through S1 (1912).
void write_modular_network(vexlab::test::DefaultNetwork& net) {
    auto network = vexlab::examples::parse_example(R"(
device R1 2610 40 40
device R2 2620 240 40
device S1 1912 40 170
device PC1 PC 40 310
link R1 Ethernet0/0 S1 Ethernet0/1
link S1 Ethernet0/2 PC1 Ethernet0
)",
                                                   "modular");
    // Cards the designer puts in a slot; the example form has no words for
    // names with blanks.
    network.devices[0].interfaces.push_back(
        {"WAN Slot 0/Serial0", "", "", false, "R2", "WAN Slot 1/Serial0"});
    network.devices[1].interfaces.push_back(
        {"WAN Slot 1/Serial0", "", "", false, "R1", "WAN Slot 0/Serial0"});
    network.devices[1].interfaces.push_back({"WAN Slot 0/IsdnBri0", "", "", false, "", ""});
    net.write_file("modular.exp", vexlab::examples::export_text(net.app.session, network));
}

TEST(ModularRouters, TypedInterfaceWordsReachTheStoredNamesAtTheConsole) {
    vexlab::test::DefaultNetwork net;
    write_modular_network(net);

    const std::string session = R"(@mode network
@open modular.exp
@expect SELECT ref, int_name, ip, mask, next_hopip, next_hopmask, l2_frame FROM route_ip WHERE ip NOT IN ('UA', 'NA') OR next_hopip <> 'UA' ORDER BY rowid => 1|Ethernet0/0|10.0.0.1|255.0.0.0|NA|NA|0 ; 1|WAN Slot 0/Serial0|20.0.0.1|255.0.0.0|UA|UA|1 ; 2|FastEthernet0/0|30.0.0.1|255.0.0.0|UA|UA|0 ; 2|WAN Slot 1/Serial0|UA|UA|20.0.0.1|255.0.0.0|0 ; 3|Ethernet0/1|NA|NA|10.0.0.1|255.0.0.0|0 ; 3|Ethernet0/2|NA|NA|10.0.0.9|255.0.0.0|0 ; 4|Ethernet0|10.0.0.9|255.0.0.0|NA|NA|0 ; 2|WAN Slot 1/Serial0.1|20.0.0.2|255.0.0.0|UA|UA|1
@expect SELECT d.dev_name, i.int_name, i.ip_address, i.encap_short FROM int_device AS d JOIN int_det AS i ON d."index" = i.ref ORDER BY i.rowid => R1|Ethernet0/0|10.0.0.1|Not Set ; R1|WAN Slot 0/Serial0|20.0.0.1|framerelay ; R2|FastEthernet0/0|30.0.0.1|Not Set ; R2|WAN Slot 1/Serial0|UA|Not Set ; R2|WAN Slot 0/IsdnBri0|UA|Not Set
@expect SELECT f.int_name, m.subint_num, m.subint_ip, m.dest_ipadd, m.dlci_num, m.frame_type FROM frame_ip AS f JOIN frame_map AS m ON f."index" = m.ref ORDER BY m.rowid => WAN Slot 0/Serial0|NA|NA|20.0.0.2|102|NA ; WAN Slot 1/Serial0|1|20.0.0.2|UA|201|ietf
@expect SELECT master_ip, sub_ip FROM eth_iplist ORDER BY rowid => 10.0.0.1|10.0.0.9
@expect SELECT dev_name, device_id FROM ospf_dev WHERE dev_name LIKE 'R%' ORDER BY rowid => R1|20.0.0.1 ; R2|30.0.0.1
R1>enable
R1#conf t
Enter configuration commands, one per line.  End with CNTL/Z.
R1(config)#interface ethernet 0/0

R1(config-if)#ip address 10.0.0.1 255.0.0.0

R1(config-if)#exit
R1(config)#interface serial 0/0

R1(config-if)#ip address 20.0.0.1 255.0.0.0

R1(config-if)#encapsulation frame-relay

R1(config-if)#frame-relay map ip 20.0.0.2 102

R1(config-if)#exit
R1(config)#interface serial 0/1
Command Not Found
R1(config)#end
R1#{pick:PC1}

PC1:ip address 10.0.0.9 255.0.0.0

PC1:{pick:R2}

R2>enable
R2#conf t
Enter configuration commands, one per line.  End with CNTL/Z.
R2(config)#interface serial 1/0.1 point-to-point

R2(config-subif)#ip address 20.0.0.1 255.0.0.0
This address is already assigned.Please choose another Address
R2(config-subif)#ip address 20.0.0.2 255.0.0.0

R2(config-subif)#encapsulation frame-relay ietf

R2(config-subif)#frame-relay interface-dlci 201

R2(config-subif)#exit
R2(config)#interface Serial 1/0
Please remove the subinterfaces before you configure an interface
R2(config)#interface fastethernet 0/0

R2(config-if)#ip address 30.0.0.1 255.0.0.0

R2(config-if)#end
R2#
)";
    auto result = vexlab::test::run_transcript(session, "modular.txt", net.folder.path().string());
    EXPECT_TRUE(result.passed) << result.message;
}

// The kind of a slot card's interface is read from its own name after the
// slot: leaving "WAN Slot 0/IsdnBri0" brings its ISDN flag up once all six
// settings are there.
TEST(ModularRouters, AnIsdnCardInASlotComesUpWhenItsSettingsAreComplete) {
    vexlab::test::DefaultNetwork net;
    write_modular_network(net);
    const std::string session = R"(@mode network
@open modular.exp
@expect SELECT int_name, l2_isdn FROM eigrp_ip WHERE ref = 2 ORDER BY rowid => FastEthernet0/0|0 ; WAN Slot 1/Serial0|0 ; WAN Slot 0/IsdnBri0|1
R1>{pick:R2}

R2>enable
R2#conf t
Enter configuration commands, one per line.  End with CNTL/Z.
R2(config)#isdn switch-type basic-ni1

R2(config)#dialer-list 1 protocol ip permit

R2(config)#interface bri 0/0

R2(config-if)#encapsulation ppp

R2(config-if)#dialer map ip 10.9.9.9 name R1 5551234

R2(config-if)#dialer-group 1

R2(config-if)#exit
R2(config)#interface bri 0/0

R2(config-if)#dialer string 5551234

R2(config-if)#{^Z}
%SYS-5-CONFIG_I: Configured from console by console
R2#
)";
    auto result = vexlab::test::run_transcript(session, "isdn.txt", net.folder.path().string());
    EXPECT_TRUE(result.passed) << result.message;
}

}  // namespace
