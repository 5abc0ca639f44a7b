// The hard-coded show listings on the default network with a few
// interfaces configured: running configuration, serial sections, routing
// table, OSPF, switch ports, Frame Relay, interface states and NAT.

#include <gtest/gtest.h>

#include "commands/show/show_output.h"
#include "example_network.h"
#include "support/network_state.h"
#include "support/show_fixture.h"
#include "support/transcript.h"

namespace vexlab::test {
namespace {

using namespace commands::show;

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

class ShowBuilders : public ShowFixture {
protected:
    std::string show(const std::string& key, const std::string& device = "R1") {
        return build_show_output(key, context(device)).text;
    }
    std::string show_line(const std::string& key, const std::string& line,
                          const std::string& device = "R1") {
        return build_show_output(key, context(device, line)).text;
    }
};

// ------------------------------------------------------------ running config

const std::vector<std::string> kFrameHead = {
    "Building configuration...",
    "Current configuration:",
    "!",
    " Version 12.0",
    "service timestamps debug uptime",
    "service timestamps log uptime",
    "no service password-encryption",
    "!",
    "hostname",
};
const std::vector<std::string> kFrameTail = {"ip classless", "no ip http server",
                                             "no scheduler allocate", "End"};

std::string frame(const std::string& host, const std::vector<std::string>& interfaces) {
    std::string text;
    for (const auto& line : kFrameHead) text += line + "\r\n";
    text += host + "\r\n!\r\nip subnet - zero\r\n!\r\n!\r\n";
    for (const auto& line : interfaces) text += line + "\r\n";
    for (const auto& line : kFrameTail) text += line + "\r\n";
    return text;
}

std::vector<std::string> section(const std::string& name, const std::string& ip,
                                 const std::string& mask, const std::string& description) {
    std::vector<std::string> lines = {"interface " + name, "ip address", ip,
                                      "mask address",      mask,         "description"};
    if (!description.empty()) lines.push_back(description);
    for (const char* l : {"no ip directed-broadcast", "no fair - queue", "!", "!"})
        lines.push_back(l);
    return lines;
}

TEST_F(ShowBuilders, RunningConfigurationListsEveryInterface) {
    interface("R1", "Serial0", "10.1.1.1", "255.255.255.0");
    sql("UPDATE int_det SET description = 'to R2' WHERE int_name = 'Serial0' AND ref = 1");
    // An empty description leaves the label without a value line.
    sql("UPDATE int_det SET description = '' WHERE int_name = 'Serial1' AND ref = 1");
    std::vector<std::string> interfaces;
    for (const auto& part : {section("Ethernet0", "UA", "UA", "Not Set"),
                             section("Serial0", "10.1.1.1", "255.255.255.0", "to R2"),
                             section("Serial1", "UA", "UA", "")})
        interfaces.insert(interfaces.end(), part.begin(), part.end());
    EXPECT_EQ(show("show Router running-config"), frame("R1", interfaces));
}

TEST_F(ShowBuilders, RunningConfigurationOfADeviceWithoutInterfacesIsTheFrame) {
    auto c = context("R1");
    c.device = "2950";  // no interface rows
    c.host_name = "Lab";
    EXPECT_EQ(build_show_output("show Router running-config", c).text, frame("Lab", {}));
}

// ------------------------------------------------------------ serial sections

class SerialSections : public ShowBuilders {
protected:
    void SetUp() override {
        ShowBuilders::SetUp();
        write_template(
            "show Router interfaces serial\nLine $line\nHost $hostname\n\n"
            "show Router interfaces serial framerelay\nFrame Relay $encap_short\n\n");
    }
    void frame_row(const std::string& subint, const std::string& ip, const std::string& mask,
                   int dlci, int not_shut, const std::string& description) {
        sql("INSERT INTO frame_map_def (subint_num, subint_ip, subint_mask, dlci_num, shutdown, "
            "description, ref) VALUES (?, ?, ?, ?, ?, ?, 2)",
            {subint, ip, mask, dlci, not_shut, description});
    }
    std::string show_serial0() {
        auto c = context("R1", "show interfaces serial 0", {"show", "interfaces", "serial", ""});
        c.current_interface = "serial0";
        return build_show_output("show Router interfaces serial", c).text;
    }
};

TEST_F(SerialSections, PrintSubinterfacesAheadOfTheTemplate) {
    frame_row("1", "10.1.1.1", "255.255.255.0", 102, 1, "UA");
    frame_row("2", "UA", "UA", 0, 0, "backup");
    frame_row("NA", "NA", "NA", 103, 1, "UA");
    EXPECT_EQ(show_serial0(),
              crlf_lines({"interface serial0", "no ip address", "encapsulation frame-relay",
                          "no shut", "!",  //
                          "interface serial0.1 Point-to-Point", "description Unassigned",
                          "ip address 10.1.1.1 255.255.255.0", " frame-relay interface-dlci 102",
                          "no shut", "!",  //
                          "interface serial0.2 Point-to-Point", "description backup",
                          "ip address Unassigned Unassigned",
                          " frame-relay interface-dlci Unassigned", "shutdown", "!",  //
                          "interface serial0.NA Point-to-Point", "description Unassigned",
                          "ip address NA NA", " frame-relay interface-dlci 103", "no shut", "!",
                          // Only settings fill the template lines after the sections.
                          "Line ", "Host R1"}));
}

TEST_F(SerialSections, FrameRelayWithoutSubinterfacesUsesItsOwnBlock) {
    EXPECT_EQ(show_serial0(), "Line down\r\nHost R1\r\n");
    sql("UPDATE int_det SET encap_short = 'framerelay' WHERE int_name = 'Serial0' AND ref = 1");
    EXPECT_EQ(show_serial0(), "Frame Relay framerelay\r\n");
}

// ------------------------------------------------------------ routing table

const std::string kLegend = crlf_lines({
    "Codes: C - connected, S - static, I - IGRP, R - RIP, M - mobile, B - BGP_",
    "D - EIGRP, EX - EIGRP external, O - OSPF, IA - OSPF inter area",
    "N1 - OSPF NSSA external type 1, N2 - OSPF NSSA external type 2",
    "E1 - OSPF external type 1, E2 - OSPF external type 2, E - EGP",
    "i - IS-IS, L1 - IS-IS level-1, L2 - IS-IS level-2, ia - IS-IS inter area",
    "* - candidate default, U - per-user static route, o - ODR",
    "P - periodic downloaded static route",
    "  ",
    " Gateway of last rsort is not set",
    " ",
});

std::string subnetted(const std::string& network, int count) {
    return blanks(5) + network + " is subnetted, " + std::to_string(count) + " subnets";
}

TEST_F(ShowBuilders, RoutingTableWithoutOspfIsTheLegend) {
    EXPECT_EQ(show("show Router ip route"), kLegend);
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true, "r");
    EXPECT_EQ(show("show Router ip route"), kLegend);
}

TEST_F(ShowBuilders, RoutingTableShowsConnectedAndNeighbourNetworks) {
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true);
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", true);
    routed("R2", "Ethernet0", "10.2.2.1", "255.255.255.0", true);
    // R3 is two routers away and never listed.
    routed("R2", "Serial1", "10.3.3.1", "255.255.255.0", true);
    routed("R3", "Serial0", "10.3.3.2", "255.255.255.0", true);
    routed("R3", "Ethernet0", "10.4.4.1", "255.255.255.0", true);
    EXPECT_EQ(show("show Router ip route"),
              kLegend + crlf_lines({
                            subnetted("10.0.0.0", 3),
                            "C" + blanks(9) + "10.1.1.0 is directly connected, Serial0",
                            "O" + blanks(9) + "10.2.2.0" + blanks(7) +
                                "[110/324] via 10.1.1.2, 00:00:08, Serial0",
                            "O" + blanks(9) + "10.3.3.0" + blanks(7) +
                                "[110/324] via 10.1.1.2, 00:00:08, Serial0",
                        }));
}

TEST_F(ShowBuilders, RoutingTableCountsARepeatedNetworkOnce) {
    routed("R1", "Ethernet0", "10.2.2.5", "255.255.255.0", true);
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true);
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", true);
    routed("R2", "Ethernet0", "10.2.2.1", "255.255.255.0", true);
    EXPECT_EQ(show("show Router ip route"),
              kLegend + crlf_lines({
                            subnetted("10.0.0.0", 2),
                            "C" + blanks(9) + "10.2.2.0 is directly connected, Ethernet0",
                            "C" + blanks(9) + "10.1.1.0 is directly connected, Serial0",
                            "O" + blanks(35) + "[110/324] via 10.1.1.2, 00:00:08, Serial0",
                        }));
}

TEST_F(ShowBuilders, RoutingTableGroupsByClass) {
    struct Case {
        std::string ip, mask, header;
    } cases[] = {
        {"172.16.4.9", "255.255.255.0", subnetted("172.16.0.0", 1)},
        {"192.168.1.7", "255.255.255.0", subnetted("192.168.1.0", 1)},
        {"10.1.1.1", "255.0.0.0", subnetted("10.0.0.0", 1)},
    };
    for (const auto& c : cases) {
        routed("R1", "Serial0", c.ip, c.mask, true);
        const std::string out = show("show Router ip route");
        EXPECT_EQ(out.substr(kLegend.size(), c.header.size() + 2), c.header + "\r\n") << c.ip;
    }
}

TEST_F(ShowBuilders, RoutingTableSkipsWhatItCannotPlace) {
    // A network outside classes A to C, and an interface without an address.
    routed("R1", "Ethernet0", "10.1.1.1", "0.0.0.0", true);
    routed("R1", "Serial0", "224.1.1.1", "255.255.255.0", true);
    routed("R1", "Serial1", "UA", "UA", true);
    EXPECT_EQ(show("show Router ip route"), kLegend);
}

TEST_F(ShowBuilders, RoutingTableFollowsTheNeighboursFacingInterface) {
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", false);  // own side down
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", true);
    routed("R2", "Ethernet0", "10.2.2.1", "255.255.255.0", true);
    const std::string learned =
        "O" + blanks(9) + "10.2.2.0" + blanks(7) + "[110/324] via 10.1.1.2, 00:00:08, Serial0";
    EXPECT_EQ(show("show Router ip route"),
              kLegend + crlf_lines({subnetted("10.0.0.0", 1), learned}));
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", false);
    EXPECT_EQ(show("show Router ip route"), kLegend);
}

// ------------------------------------------------------------ OSPF

const std::string kLinkTitles = " Link ID" + blanks(15) + "ADV Router" + blanks(8) + "Age" +
                                blanks(9) + "Seq#" + blanks(14) + "Checksum" + blanks(6) +
                                "Link Count";

std::string link_row(const std::string& id, const std::string& links) {
    return id + blanks(7) + id + blanks(9) + "128" + blanks(10) + "0x80000007" + blanks(4) +
           "0XCEFF" + blanks(9) + links;
}

TEST_F(ShowBuilders, OspfDatabaseListsTheRouterAndItsNeighbours) {
    router_id("R1", "1.1.1.1");
    router_id("R2", "2.2.2.2");
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true);
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", true);
    routed("R2", "Ethernet0", "10.2.2.1", "255.255.255.0", true);
    const std::string head =
        crlf_lines({blanks(8) + "OSPF Router with ID (1.1.1.1) (process ID 1)", " ",
                    " " + blanks(24) + "Router Link States (Area 0)", " ", kLinkTitles});
    EXPECT_EQ(show("show Router ip ospf database"),
              head + crlf_lines({link_row("1.1.1.1", "5"), link_row("2.2.2.2", "3")}));

    // An Ethernet interface up in the area adds the net link states; its far
    // end is a switch port, which is nobody's router link.
    routed("R1", "Ethernet0", "10.9.9.1", "255.255.255.0", true);
    EXPECT_EQ(show("show Router ip ospf database"),
              head + crlf_lines({link_row("1.1.1.1", "5"), link_row("2.2.2.2", "3"), " ",
                                 " " + blanks(24) + "Net Link States (Area 0)", " ", kLinkTitles,
                                 link_row("1.1.1.1", "5")}));
}

TEST_F(ShowBuilders, OspfDatabaseWithoutARouterId) {
    EXPECT_EQ(show("show Router ip ospf database"), "");
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true);
    router_id("R1", "0.0.0.0");
    EXPECT_EQ(show("show Router ip ospf database"), "");
    router_id("R1", "UA");
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", false);
    EXPECT_EQ(show("show Router ip ospf database"),
              blanks(8) + "OSPF Router with ID (UA) (process ID 1)\r\n");
}

TEST_F(ShowBuilders, OspfProcessHasOneBlockPerArea) {
    router_id("R1", "1.1.1.1");
    routed("R1", "Ethernet0", "10.0.0.1", "255.0.0.0", true, "o", 0);
    routed("R1", "Serial0", "11.0.0.1", "255.0.0.0", false, "r", 0);
    routed("R1", "Serial1", "12.0.0.1", "255.0.0.0", true, "o", 1);
    sql("UPDATE ospf_ip_def SET int_area_type = 'S' WHERE ref = 1 AND int_name = 'Serial1'");
    const std::string indent = blanks(8);
    EXPECT_EQ(
        show("show Router ip ospf"),
        crlf_lines(
            {"Routing Process \"OSPF 1\" with ID 1.1.1.1", "Supports only single TOS(TOS0) routes ",
             "....", "Number of areas in this router is 2.   1 normal 1 stub 0 nssa", "    Area 0",
             indent + "Number of interfaces in this area is 2", indent + "It is a Normal area",
             indent + "Area has no authentication", indent + "......", "    Area 1",
             indent + "Number of interfaces in this area is 1", indent + "It is a Stub area",
             indent + "Area has no authentication", indent + "......"}));
}

TEST_F(ShowBuilders, OspfProcessCountsTheAreasByTheirType) {
    // The areas of Ethernet0 (area 0), Serial0 (area 1) and Serial1 (area 2);
    // a totally stubby area counts as a stub area, an unknown type as neither.
    struct Case {
        std::vector<std::string> types;
        std::string counts;
    } cases[] = {
        {{"N", "N", "N"}, "3 normal 0 stub"},
        {{"N", "S", "T"}, "1 normal 2 stub"},
        {{"N", "T", "N"}, "2 normal 1 stub"},
        {{"S", "X", "S"}, "0 normal 2 stub"},
    };
    const char* interfaces[] = {"Ethernet0", "Serial0", "Serial1"};
    for (int i = 0; i < 3; ++i)
        routed("R1", interfaces[i], "1" + std::to_string(i) + ".0.0.1", "255.0.0.0", true, "o", i);
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            sql("UPDATE ospf_ip_def SET int_area_type = ? WHERE ref = 1 AND int_name = ?",
                {c.types[static_cast<std::size_t>(i)], interfaces[i]});
        const std::string out = show("show Router ip ospf");
        EXPECT_NE(
            out.find("\r\nNumber of areas in this router is 3.   " + c.counts + " 0 nssa\r\n"),
            std::string::npos)
            << c.counts << "\n"
            << out;
    }
}

TEST_F(ShowBuilders, OspfProcessWithoutAreasPrintsNothing) {
    EXPECT_EQ(show("show Router ip ospf"), "");
    router_id("R1", "0.0.0.0");
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true, "o", 3);
    sql("UPDATE ospf_ip_def SET int_area_type = 'X' WHERE ref = 1 AND int_name = 'Serial0'");
    const std::string out = show("show Router ip ospf");
    EXPECT_EQ(out.substr(0, out.find('\r')), "Routing Process \"OSPF 1\" with ID ");
    EXPECT_NE(out.find("It is a X area"), std::string::npos);
}

TEST_F(ShowBuilders, OspfNeighboursAreTheUpFarEnds) {
    const std::string header =
        "Neighbor ID       pri   State        Dead Time      Address"
        "         Interface   ";
    ASSERT_EQ(header.size(), 80u);
    EXPECT_EQ(show("show Router ip ospf neighbor"), header + "\r\n");
    router_id("R2", "2.2.2.2");
    routed("R1", "Ethernet0", "10.9.9.1", "255.255.255.0", true);  // no peer
    routed("R1", "Serial0", "10.1.1.1", "255.255.255.0", true);
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", true);
    EXPECT_EQ(show("show Router ip ospf neighbor"),
              crlf_lines({header,
                          "2.2.2.2       1    FULL        00:00:36          10.1.1.2"
                          "    Serial0"}));
    routed("R2", "Serial0", "10.1.1.2", "255.255.255.0", false);
    EXPECT_EQ(show("show Router ip ospf neighbor"), header + "\r\n");
}

// ------------------------------------------------------------ switch ports

const std::string kVlanHead = "VLAN   NAME" + blanks(27) + "Status" + blanks(25) + "Ports\r\n" +
                              std::string(68, '-') + "\r\n";

std::string vlan_one(const std::string& ports) {
    return "1" + blanks(7) + "default" + blanks(30) + "active" + blanks(24) + ports + "\r\n";
}

TEST_F(ShowBuilders, VlanListingOfADefaultSwitch) {
    EXPECT_EQ(show("show Switch vlan", "2950"),
              kVlanHead +
                  vlan_one("fa0/1,fa0/2,fa0/3,fa0/4,fa0/5,fa0/6,fa0/7,fa0/8,fa0/9,fa0/10,fa0/"
                           "11,fa0/12") +
                  "\r\n");
}

TEST_F(ShowBuilders, VlanListingPlacesEveryPortByItsVlan) {
    for (int port = 1; port <= 12; ++port)
        set("2950", "FastEthernet0/" + std::to_string(port) + "_vlan", "30");
    set("2950", "FastEthernet0/2_vlan", "10");
    set("2950", "FastEthernet0/5_vlan", "10");
    set("2950", "FastEthernet0/7_vlan", "ten");  // no number: in no list
    sql("INSERT INTO vlan_info (vlan_num, vlan_name) VALUES (20, 'empty'), (10, 'sales')");
    const std::string row_tail = blanks(24) + "active" + blanks(25);
    EXPECT_EQ(show("show Switch vlan", "2950"),
              kVlanHead + vlan_one("") + "\r\n" + "20" + blanks(7) + "empty" + row_tail + "\r\n" +
                  "10" + blanks(7) + "sales" + row_tail + "fa0/2,fa0/5\r\n");
}

TEST_F(ShowBuilders, TrunkListingNamesTheTrunkingPorts) {
    const std::string sections =
        "\r\n\r\nPort   vlans allowed on trunk{1}\r\n\r\n"
        "Port   vlans allowed and active in management domain {2}\r\n\r\n"
        "Port   vlans in spanning tree forwarding state and not pruned{2}\r\n";
    auto expect = [&](const std::string& rows, const std::string& allowed,
                      const std::string& active) {
        std::string text = "Port   Mode   Enacpsulation   Status    Native vlan" + rows + sections;
        text.replace(text.find("{1}"), 3, allowed);
        text.replace(text.find("{2}"), 3, active);
        text.replace(text.find("{2}"), 3, active);
        return text;
    };
    EXPECT_EQ(show("show Switch interfaces trunk", "2950"), expect("", "", ""));
    set("2950", "FastEthernet0/1_trunk_opmode", "trunk");
    set("2950", "FastEthernet0/3_trunk_opmode", "trunk");
    set("2950", "FastEthernet0/4_trunk_opmode", "Trunk");
    const std::string row =
        "  on" + blanks(10) + "802.1q" + blanks(11) + "trunking" + blanks(6) + "1";
    EXPECT_EQ(show("show Switch interfaces trunk", "2950"),
              expect("\r\nfa0/1" + row + "\r\nfa0/3" + row, "\r\nfa0/1  1-4094\r\nfa0/3  1-4094",
                     "\r\nfa0/1  1\r\nfa0/3  1"));
}

// ------------------------------------------------------------ Frame Relay

class FrameRelay : public ShowBuilders {
protected:
    void map(int frame_ip, const std::string& subint, const std::string& dest, int dlci,
             int broadcast, const std::string& type) {
        sql("INSERT INTO frame_map_def (subint_num, dest_ipadd, dlci_num, broadcast, frame_type, "
            "ref) VALUES (?, ?, ?, ?, ?, ?)",
            {subint, dest, dlci, broadcast, type, frame_ip});
    }
};

TEST_F(FrameRelay, MapListsTheMapsOfMainInterfaces) {
    interface("R1", "Serial0", "10.0.0.1", "255.0.0.0", "up", "down");
    map(2, "NA", "10.0.0.2", 102, 1, "NA");
    map(2, "1", "10.0.0.9", 109, 1, "NA");  // a subinterface: no map line
    map(3, "NA", "10.0.0.3", 103, 0, "ietf");
    map(5, "NA", "10.0.0.1", 201, 0, "NA");  // R2's
    EXPECT_EQ(show("show Router frame-relay map"),
              crlf_lines({"Serial0 (up) : ip 10.0.0.2 dlci 102 ,Dynamic, Broadcast, , status "
                          "defined, active",
                          "Serial1 (down) : ip 10.0.0.3 dlci 103 ,Dynamic,ietf, status defined, "
                          "active"}));
}

TEST_F(FrameRelay, PvcFindsTheInterfaceOfItsDlci) {
    use_template_file(std::string(VEXLAB_FIXTURES_DIR) + "/show/field_rules.txt");
    map(3, "NA", "10.0.0.3", 103, 0, "NA");
    map(5, "NA", "10.0.0.1", 201, 0, "NA");  // R2's
    const std::string key = "show Router frame-relay pvc";
    EXPECT_EQ(show_line(key, "show frame-relay pvc 103"), "PVC Serial1 103 103\r\n");

    for (const char* line : {"show frame-relay pvc 201", "show frame-relay pvc 555"}) {
        EXPECT_EQ(show_line(key, line), "PVC Statistics for interface\r\n") << line;
    }
    // Without a DLCI every circuit of the router is listed.
    map(2, "1", "UA", 102, 0, "NA");
    EXPECT_EQ(show_line(key, "show frame-relay pvc"),
              "PVC Serial1 103 103\r\nPVC Serial0 102 102\r\n");
}

// ------------------------------------------------------------ access lists

TEST_F(ShowBuilders, AccessListsListEveryEntryOfTheRoutersLists) {
    EXPECT_EQ(show("show Router access-lists"), "");
    const auto entry = [&](int list, const std::string& ip, const std::string& wildcard, bool deny,
                           int router) {
        sql("INSERT INTO access_list (accesslist_num, ip, wildcard_mask, deny, ref_devce) "
            "VALUES (?, ?, ?, ?, ?)",
            {list, ip, wildcard, deny, router});
    };
    entry(5, "10.0.0.0", "0.255.255.255", false, 1);
    entry(1, "192.168.2.10", "0.0.0.0", true, 1);
    entry(1, "192.168.2.10", "0.0.0.0", true, 2);  // R2's list 1
    entry(1, "any", "any", false, 1);
    entry(150, "10.1.1.1", "0.0.0.0", false, 1);
    entry(150, "172.16.0.0", "0.0.255.255", true, 1);
    entry(150, "any", "any", true, 1);
    entry(5, "any", "any", true, 1);
    // Lists by number, entries in the order typed.
    EXPECT_EQ(show("show Router access-lists"),
              crlf_lines({"Standard IP access list 1", "    deny   192.168.2.10", "    permit any",
                          "Standard IP access list 5",
                          "    permit 10.0.0.0, wildcard bits 0.255.255.255", "    deny   any",
                          "Extended IP access list 150", "    permit ip host 10.1.1.1 any",
                          "    deny ip 172.16.0.0 0.0.255.255 any", "    deny ip any any"}));
    EXPECT_EQ(show("show Router access-lists", "R2"),
              crlf_lines({"Standard IP access list 1", "    deny   192.168.2.10"}));
    EXPECT_EQ(show("show Router access-lists", "R3"), "");
}

// ------------------------------------------------------------ ISDN

// Two routers joined by their BRI interfaces, named as the designer names
// a 2503's.  Layer 1 comes up with the interface, layer 2 once the ISDN
// settings the probes need are complete; each side has its own, so the ping
// crosses only when both are up.
TEST(IsdnStatus, FollowsTheStateThePingNeeds) {
    DefaultNetwork net;
    const auto network = examples::parse_example(R"(
device R1 2503 40 40
device R2 2503 240 40
interface R1 IsdnBri0
interface R2 IsdnBri0
link R1 IsdnBri0 R2 IsdnBri0
address R1 IsdnBri0 10.5.5.1 255.255.255.0
address R2 IsdnBri0 10.5.5.2 255.255.255.0
)",
                                                 "isdn");
    net.write_file("isdn.exp", examples::export_text(net.app.session, network));

    const auto status = [](const std::string& switch_type, const char* layer1,
                           std::initializer_list<const char*> layer2,
                           std::initializer_list<const char*> spid) {
        std::string text = "Global ISDN Switchtype = " + switch_type +
                           "\nISDN BRI0 interface\n    Layer 1 Status:\n        " + layer1 +
                           "\n    Layer 2 Status:\n";
        for (const char* line : layer2) text += std::string("        ") + line + "\n";
        text += "    Spid Status:\n";
        for (const char* line : spid) text += std::string("        ") + line + "\n";
        return text +
               "    Layer 3 Status:\n        0 Active Layer 3 Call(s)\n"
               "    Activated dsl 0 CCBs = 0\n    Total Allocated ISDN CCBs = 0\n";
    };
    const auto not_activated = {"Layer 2 NOT Activated"};
    const auto no_tei = {"TEI Not Assigned, ces = 1, state = 1(terminal down)",
                         "TEI Not Assigned, ces = 2, state = 1(terminal down)"};
    const std::string established = status(
        "basic-ni1", "ACTIVE", {"TEI = 64, Ces = 1, SAPI = 0, State = MULTIPLE_FRAME_ESTABLISHED"},
        {"TEI 64, ces = 1, state = 5(init)"});
    const auto configure = [](const std::string& host, const std::string& far) {
        std::string text = host + ">enable\n" + host + "#configure terminal\n" +
                           "Enter configuration commands, one per line.  End with CNTL/Z.\n";
        for (const std::string& line : std::vector<std::string>{
                 "(config)#isdn switch-type basic-ni1", "(config)#dialer-list 1 protocol ip permit",
                 "(config)#interface bri 0", "(config-if)#encapsulation ppp",
                 "(config-if)#dialer map ip " + far + " name far 5550000",
                 "(config-if)#dialer-group 1", "(config-if)#dialer string 5550000",
                 "(config-if)#no shutdown"})
            text += host + line + "\n\n";
        return text + host + "(config-if)#exit\n" + host + "(config)#end\n";
    };
    const std::string session =
        "@mode network\n@open isdn.exp\n"
        "R1>enable\nR1#show isdn status\n" +
        status("Not Set", "DEACTIVATED", not_activated, no_tei) +
        "R1#configure terminal\n"
        "Enter configuration commands, one per line.  End with CNTL/Z.\n"
        "R1(config)#interface bri 0\n\nR1(config-if)#no shutdown\n\n"
        "R1(config-if)#end\nR1#show isdn status\n" +
        status("Not Set", "ACTIVE", not_activated, no_tei) + "R1#disable\n" +
        configure("R1", "10.5.5.2") + "R1#show isdn status\n" + established +
        // R2's side is still down: the ping does not cross.
        "R1#ping 10.5.5.2\nTrying 10.5.5.2\n% Destination unreachable; gateway or host down\n"
        "R1#{pick:R2}\n\n" +
        configure("R2", "10.5.5.1") + "R2#show isdn status\n" + established +
        "R2#ping 10.5.5.1\n\nType escape sequence to abort.\n"
        "Sending 5,100-byte ICMP Echos to  10.5.5.1 ,\nTimeout is 2 seconds:\n !!!!! \n"
        "Success rate is 100 percent (5/5), round-trip min/avg/max = 6/6/6 ms\n"
        "R2#";
    auto result = test::run_transcript(session, "isdn.txt", net.folder.path().string());
    EXPECT_TRUE(result.passed) << result.message;
}

// ------------------------------------------------------------ interface states

TEST_F(ShowBuilders, InterfaceBriefAndProtocols) {
    interface("R1", "Serial0", "10.1.1.1", "255.255.255.0", "up", "down");
    EXPECT_EQ(show("show Router ip interface brief"),
              crlf_lines({"Interface" + blanks(19) + "IP-Address" + blanks(5) + "OK?" + blanks(3) +
                              "Method" + blanks(5) + "Status" + blanks(4) + "Protocol",
                          "Ethernet0    UA      YES  Manual   down   down",
                          "Serial0    10.1.1.1      YES  Manual   up   down",
                          "Serial1    UA      YES  Manual   down   down"}));
    EXPECT_EQ(show("show Router protocols"),
              crlf_lines({"Global values:", "Internet Protocol routing is enabled", "Ethernet0 is",
                          "down", "line protocol is ", "down",              //
                          "Serial0 is", "up", "line protocol is ", "down",  //
                          "Serial1 is", "down", "line protocol is ", "down"}));
    EXPECT_EQ(show("show Router protocols", "2950"),
              "Global values:\r\nInternet Protocol routing is enabled\r\n");
}

TEST_F(ShowBuilders, LoopbackListingFollowsTheLoopbackSwitch) {
    write_template("show Router interfaces loopback\nLoopback $int_name $ip_address\n\n");
    sql("INSERT INTO int_det (\"index\", int_name, ip_address, ref) VALUES (20, 'loopback0', "
        "'1.1.1.1', 1)");
    auto c = context("R1", "show interfaces loopback 0", {"show", "interfaces", "loopback", ""});
    c.current_interface = "loopback";
    c.loopback_number = 0;
    set("R1", "loopback_int", "disable");
    EXPECT_EQ(build_show_output("show Router interfaces loopback", c).text,
              "Loopback Interface\r\n");
    set("R1", "loopback_int", "enable");
    EXPECT_EQ(build_show_output("show Router interfaces loopback", c).text,
              "Loopback loopback0 1.1.1.1\r\n");
}

TEST_F(ShowBuilders, NatTranslationsOfTheRouter) {
    const std::string header =
        "Pro    Inside global     Inside local      Outside local      Outside global";
    EXPECT_EQ(show("show Router ip nat translations"), header + "\r\n");
    sql("INSERT INTO nat_inout_def (inside_local, inside_global, ref) VALUES "
        "('10.0.0.5', '200.1.1.5', 1)");
    sql("INSERT INTO nat_inout_def (outside_local, outside_global, ref) VALUES "
        "('10.9.9.9', '171.1.1.1', 1)");
    sql("INSERT INTO nat_inout_def (inside_local, inside_global, ref) VALUES "
        "('10.0.0.6', '200.1.1.6', 2)");  // R2's
    const std::string none = "---" + blanks(15);
    EXPECT_EQ(show("show Router ip nat translations"),
              crlf_lines({header, "---      200.1.1.5    10.0.0.5      " + none + blanks(7) + none,
                          "---      " + none + blanks(4) + none + blanks(6) + "10.9.9.9" +
                              blanks(7) + "171.1.1.1"}));
}

}  // namespace
}  // namespace vexlab::test
