// The reachability rules on small networks written for each test: addresses
// as numbers, access lists, NAT, the hop tests of the path search, and what
// ping, traceroute and telnet print.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/db_session.h"
#include "reachability/access_lists.h"
#include "reachability/ipv4.h"
#include "reachability/lan_tables.h"
#include "reachability/nat.h"
#include "reachability/network_view.h"
#include "reachability/path_search.h"
#include "reachability/probes.h"
#include "reachability/reachability_commands.h"
#include "state/console_session.h"
#include "state/table_set.h"
#include "support/test_database.h"
#include "support/test_network.h"

namespace {

namespace r = vexlab::reachability;
using vexlab::test::TestNetwork;
using Path = std::vector<std::string>;

// ---------------------------------------------------------------- numbers

TEST(Ipv4, FourDecimalPartsUpTo255) {
    struct Case {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"10.1.2.3", 0x0A010203u},    {"255.255.255.255", 0xFFFFFFFFu},
        {"010.0.0.1", 0x0A000001u},   {"0.0.0.0", 0u},
        {"256.1.1.1", std::nullopt},  {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},  {"1..2.3", std::nullopt},
        {"a.b.c.d", std::nullopt},    {"", std::nullopt},
        {"UA", std::nullopt},         {"1.2.3.-4", std::nullopt},
        {"1.2.3.0004", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(r::parse_ipv4(c.text), c.value) << c.text;
}

TEST(Ipv4, PoolRangesMeetNetworksWithoutWalkingThem) {
    auto ip = [](const char* text) { return *r::parse_ipv4(text); };
    // The range reaches the next network at its end.
    EXPECT_TRUE(r::range_meets_network(ip("200.1.1.250"), ip("200.1.2.5"), ip("255.255.255.0"),
                                       ip("200.1.2.0")));
    EXPECT_FALSE(r::range_meets_network(ip("200.1.1.250"), ip("200.1.2.5"), ip("255.255.255.0"),
                                        ip("200.1.3.0")));
    // A first address beyond the last stands alone.
    EXPECT_TRUE(r::range_meets_network(ip("10.0.2.9"), ip("10.0.1.0"), ip("255.255.255.0"),
                                       ip("10.0.2.0")));
    EXPECT_FALSE(r::range_meets_network(ip("10.0.2.9"), ip("10.0.1.0"), ip("255.255.255.0"),
                                        ip("10.0.1.0")));
    // The whole address space is answered at once.
    EXPECT_TRUE(r::range_meets_network(0u, 0xFFFFFFFFu, ip("255.255.0.0"), ip("172.16.0.0")));
    // A network with bits outside its mask is no network of the range.
    EXPECT_FALSE(r::range_meets_network(0u, 0xFFFFFFFFu, ip("255.255.0.0"), ip("172.16.0.1")));

    // Against the address-by-address reading, masks with holes included.
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> any;
    for (int n = 0; n < 3000; ++n) {
        const std::uint32_t first = any(random) & 0xFFFu;
        const std::uint32_t last = first + (any(random) % 300) - 20;
        const std::uint32_t mask = n % 3 == 0 ? (any(random) & 0xFFFu) : (0xFFFFFFFFu << (n % 12));
        const std::uint32_t network = (any(random) & 0xFFFu) & mask;
        bool walked = false;
        for (std::uint64_t a = first; a <= std::max(first, last) && !walked; ++a)
            walked = (static_cast<std::uint32_t>(a) & mask) == network;
        EXPECT_EQ(r::range_meets_network(first, last, mask, network), walked)
            << first << " " << last << " " << mask << " " << network;
    }
}

// ---------------------------------------------------------------- networks

// A network of its own in a temporary database, read as a probe reads it.
class NetworkTest : public ::testing::Test {
protected:
    // Writes the network as it stands into a database of its own.
    void write() {
        vexlab::test::write_network(session, dir.file("net" + std::to_string(++written_) + ".mdb"),
                                    net);
        view.emplace(r::NetworkView::load(session, tables));
    }
    void start_again() { net = TestNetwork(); }
    r::PathSearch search_from(const std::string& router) {
        r::PathSearch s;
        s.console_device = router;
        s.source_device = router;
        s.answering_device = router;
        return s;
    }
    std::optional<Path> ping(const std::string& router, const std::string& target) {
        r::PathSearch s = search_from(router);
        if (!r::check_ping_reachable(*view, s, target)) return std::nullopt;
        Path path(s.recorded_paths.begin(), s.recorded_paths.end() - 1);
        return path;
    }
    std::string command(const std::string& typed, const std::string& device = "R1", int kind = 1) {
        const r::ConsoleAt console{device, *vexlab::state::device_kind(kind)};
        if (typed.rfind("ping", 0) == 0) return r::ping_command(session, tables, console, typed);
        return r::traceroute_command(session, tables, console, typed);
    }

    // Routers in a row, R1 to Rn, joined by serial links 10.k.0.1 - 10.k.0.2,
    // all running one protocol.
    void chain(int routers, const std::string& protocol = "r") {
        for (int i = 1; i <= routers; ++i) net.router("R" + std::to_string(i));
        for (int k = 1; k < routers; ++k) {
            const std::string left = "R" + std::to_string(k), right = "R" + std::to_string(k + 1);
            const std::string subnet = "10." + std::to_string(k) + ".0.";
            runs(net.iface(left, "Serial0", subnet + "1", "255.255.255.0"), protocol);
            runs(net.iface(right, "Serial1", subnet + "2", "255.255.255.0"), protocol);
            net.link(left, "Serial0", right, "Serial1");
        }
    }
    static vexlab::test::TestInterface& runs(vexlab::test::TestInterface& i,
                                             const std::string& protocol) {
        (protocol == "r" ? i.rip : protocol == "o" ? i.ospf : i.eigrp) = protocol;
        return i;
    }

    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    TestNetwork net;
    const vexlab::state::NetworkTableSet tables = vexlab::state::NetworkTableSet::working_set();
    std::optional<r::NetworkView> view;
    int written_ = 0;
};

// ---------------------------------------------------------------- access lists

TEST(AccessLists, WildcardsCompareOnlyTheBitsTheyFix) {
    struct Case {
        const char *source, *ip, *wildcard;
        bool match;
    } cases[] = {
        {"10.1.1.5", "10.1.1.0", "0.0.0.255", true},
        {"10.1.2.5", "10.1.1.0", "0.0.0.255", false},
        {"10.1.1.5", "10.1.1.5", "0.0.0.0", true},
        {"10.1.1.6", "10.1.1.5", "0.0.0.0", false},
        {"1.2.3.4", "9.9.9.9", "255.255.255.255", true},
        {"10.7.20.9", "10.0.20.0", "0.255.0.255", true},  // holes in the wildcard
        {"10.7.21.9", "10.0.20.0", "0.255.0.255", false},
        {"10.1.1.4", "10.1.1.5", "0.0.0.1", true},  // differs only where the wildcard is 1
        {"", "10.1.1.5", "0.0.0.0", false},
        {"10.1.1.5", "10.1.1.5", "any", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(r::match_wildcard(c.source, c.ip, c.wildcard), c.match)
            << c.source << " " << c.ip << " " << c.wildcard;
}

TEST_F(NetworkTest, TheFirstMatchingEntryOfTheOwningRoutersListDecides) {
    net.router("R1");
    net.router("R2");
    net.iface("R1", "Serial0", "10.0.0.1", "255.255.255.0").in_acl = 5;
    net.iface("R1", "Serial1", "10.0.1.1", "255.255.255.0").out_acl = 6;
    net.iface("R1", "Serial2", "10.0.2.1", "255.255.255.0").in_acl = 7;
    net.iface("R1", "Serial3", "10.0.3.1", "255.255.255.0");
    net.acl(5, "R1", "10.1.1.0", "0.0.0.255", true);
    net.acl(5, "R1", "any", "any", false);
    net.acl(6, "R1", "any", "any", false);
    net.acl(6, "R1", "10.1.1.0", "0.0.0.255", true);
    // List 7 exists only on another router: R1's list 7 has no entries.
    net.acl(7, "R2", "10.9.9.9", "0.0.0.0", true);
    // R2's list 5 plays no part in R1's.
    net.acl(5, "R2", "10.1.2.0", "0.0.0.255", true);
    write();
    using r::Direction;
    EXPECT_FALSE(r::acl_permits(*view, "10.0.0.1", Direction::Inbound, "10.1.1.5"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.0.1", Direction::Inbound, "10.1.2.5"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.0.1", Direction::Outbound, "10.1.1.5"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.1.1", Direction::Outbound, "10.1.1.5"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.2.1", Direction::Inbound, "10.9.9.9"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.3.1", Direction::Inbound, "10.1.1.5"));
    EXPECT_TRUE(r::acl_permits(*view, "10.55.0.1", Direction::Inbound, "10.1.1.5"));
}

TEST_F(NetworkTest, AListWhoseEntriesAllMissDenies) {
    net.router("R1");
    net.iface("R1", "Serial0", "10.0.0.1", "255.255.255.0").in_acl = 3;
    net.acl(3, "R1", "192.168.1.0", "0.0.0.255", false);
    write();
    EXPECT_FALSE(r::acl_permits(*view, "10.0.0.1", r::Direction::Inbound, "10.1.1.1"));
    EXPECT_TRUE(r::acl_permits(*view, "10.0.0.1", r::Direction::Inbound, "192.168.1.77"));
}

// ---------------------------------------------------------------- the walk

TEST_F(NetworkTest, AChainIsWalkedHopByHop) {
    chain(4);
    write();
    // The far end of the source's own link: the start and the destination.
    EXPECT_EQ(ping("R1", "10.1.0.2"), (Path{"10.1.0.1", "10.1.0.2"}));
    // Another interface of a device reached is found without being entered.
    EXPECT_EQ(ping("R1", "10.2.0.1"), (Path{"10.1.0.1", "10.1.0.2"}));
    EXPECT_EQ(ping("R1", "10.3.0.2"),
              (Path{"10.1.0.1", "10.1.0.2", "10.2.0.1", "10.2.0.2", "10.3.0.1", "10.3.0.2"}));
    EXPECT_EQ(ping("R4", "10.1.0.1"),
              (Path{"10.3.0.2", "10.3.0.1", "10.2.0.2", "10.2.0.1", "10.1.0.2", "10.1.0.1"}));
    EXPECT_EQ(ping("R1", "10.9.0.1"), std::nullopt);
}

// One work state serves every probe of a command, from one start device
// after another: the addresses of a device probed from before must not count
// as the new source's own, or its link's far end would be refused.
TEST_F(NetworkTest, EveryProbeStartsFromItsOwnSourceAddresses) {
    chain(3);
    write();
    r::PathSearch s = search_from("R1");
    ASSERT_TRUE(r::check_ping_reachable(*view, s, "10.2.0.2"));
    s.source_device = s.answering_device = "R2";
    EXPECT_TRUE(r::check_ping_reachable(*view, s, "10.1.0.1"));
    EXPECT_EQ(s.source_ips, (Path{"10.1.0.2", "10.2.0.1"}));
    s.source_device = s.answering_device = "R3";
    ASSERT_TRUE(r::run_traceroute(*view, s, "10.1.0.1", "10.1.0.1"));
    EXPECT_EQ(s.source_ips, (Path{"10.2.0.2"}));
    s.source_device = s.answering_device = "R1";
    EXPECT_TRUE(r::check_telnet_reachable(*view, s, "10.2.0.2"));
}

TEST_F(NetworkTest, EveryHopNeedsItsInterfaceUpAndOnItsLinksSubnet) {
    chain(3);
    net.find("R2", "Serial0").up = false;
    write();
    EXPECT_EQ(ping("R1", "10.2.0.2"), std::nullopt);
    EXPECT_EQ(ping("R3", "10.1.0.1"), std::nullopt);
    EXPECT_TRUE(ping("R1", "10.1.0.2"));

    start_again();
    chain(3);
    net.find("R3", "Serial1").ip = "10.7.0.2";  // not on R2's subnet
    write();
    EXPECT_EQ(ping("R1", "10.7.0.2"), std::nullopt);
}

TEST_F(NetworkTest, AllDevicesOnThePathMustRunTheProtocolTheWalkFollows) {
    chain(3);
    net.find("R2", "Serial1").rip = "d";  // R2's arrival interface runs no RIP
    write();
    EXPECT_EQ(ping("R1", "10.2.0.2"), std::nullopt);
    EXPECT_TRUE(ping("R1", "10.1.0.2"));  // the link's far end needs no protocol
}

TEST_F(NetworkTest, TheLaterOfTwoExitsIsTriedFirst) {
    // R1 - R2, and from R2 two ways to R4: over R3a (first row) or R3b.
    for (const char* name : {"R1", "R2", "R3a", "R3b", "R4"}) net.router(name);
    auto link = [&](const char* a, const char* ia, const char* ip_a, const char* b, const char* ib,
                    const char* ip_b) {
        runs(net.iface(a, ia, ip_a, "255.255.255.0"), "r");
        runs(net.iface(b, ib, ip_b, "255.255.255.0"), "r");
        net.link(a, ia, b, ib);
    };
    link("R1", "Serial0", "10.1.0.1", "R2", "Serial0", "10.1.0.2");
    link("R2", "Serial1", "10.2.0.1", "R3a", "Serial0", "10.2.0.2");
    link("R2", "Serial2", "10.3.0.1", "R3b", "Serial0", "10.3.0.2");
    link("R3a", "Serial1", "10.4.0.1", "R4", "Serial0", "10.4.0.2");
    link("R3b", "Serial1", "10.5.0.1", "R4", "Serial1", "10.5.0.2");
    write();
    EXPECT_EQ(ping("R1", "10.4.0.2"),
              (Path{"10.1.0.1", "10.1.0.2", "10.3.0.1", "10.3.0.2", "10.5.0.1", "10.5.0.2"}));
}

TEST_F(NetworkTest, AFrameRelayLinkNeedsItsLayerTwoUpToBeLeftBy) {
    chain(3);
    for (auto* i : {&net.find("R2", "Serial0"), &net.find("R3", "Serial1")}) {
        i->encapsulation = "framerelay";
        i->l2_frame = false;
    }
    write();
    EXPECT_EQ(ping("R1", "10.2.0.2"), std::nullopt);
    EXPECT_EQ(ping("R1", "10.2.0.1"), (Path{"10.1.0.1", "10.1.0.2"}));  // not left by it
    net.find("R2", "Serial0").l2_frame = true;
    net.find("R3", "Serial1").l2_frame = true;
    write();
    EXPECT_TRUE(ping("R1", "10.2.0.2"));
    // A serial interface without Frame Relay has no layer 2 of its own to test.
    net.find("R2", "Serial0").encapsulation = "hdlc";
    net.find("R2", "Serial0").l2_frame = false;
    write();
    EXPECT_TRUE(ping("R1", "10.2.0.2"));
}

TEST_F(NetworkTest, AnIsdnLinkNeedsItsLayerTwoUp) {
    net.router("R1");
    net.router("R2");
    runs(net.iface("R1", "IsdnBri0", "192.168.5.1", "255.255.255.0"), "r").l2_isdn = false;
    runs(net.iface("R2", "IsdnBri0", "192.168.5.2", "255.255.255.0"), "r").l2_isdn = true;
    net.link("R1", "IsdnBri0", "R2", "IsdnBri0");
    write();
    EXPECT_EQ(ping("R1", "192.168.5.2"), std::nullopt);
    net.find("R1", "IsdnBri0").l2_isdn = true;
    write();
    EXPECT_EQ(ping("R1", "192.168.5.2"), (Path{"192.168.5.1", "192.168.5.2"}));
}

TEST_F(NetworkTest, AccessListsBlockInboundAndOutbound) {
    chain(3);
    net.find("R2", "Serial0").out_acl = 1;  // leaving R2 towards R3
    net.acl(1, "R2", "10.1.0.1", "0.0.0.0", true);
    net.acl(1, "R2", "any", "any", false);
    write();
    // The packet from R1 leaves by 10.1.0.1 and is refused on its way out of R2.
    EXPECT_EQ(ping("R1", "10.2.0.2"), std::nullopt);
    // The list does not stop what R2 itself sends.
    EXPECT_TRUE(ping("R2", "10.2.0.2"));
    // An inbound list on the arrival interface stops every packet going on.
    start_again();
    chain(3);
    net.find("R2", "Serial1").in_acl = 2;
    net.acl(2, "R2", "10.9.9.9", "0.0.0.0", false);
    write();
    EXPECT_EQ(ping("R1", "10.2.0.2"), std::nullopt);
    EXPECT_TRUE(ping("R1", "10.1.0.2"));  // the arrival address itself still answers
}

TEST_F(NetworkTest, OspfCrossesAreasOnlyThroughTheBackboneOrAVirtualLink) {
    // R1 - R2 in area 0, R2 - R3 in area 1: R2 judges its exit into area 1
    // against the area it was entered in.
    struct Case {
        const char* entry_type;
        bool entry_backbone;
        const char* exit_type;
        bool exit_backbone;
        int exit_area;
        bool virtual_link;
        bool reached;
    } cases[] = {
        {"N", true, "N", true, 1, false, true},   {"S", true, "T", true, 1, false, true},
        {"N", true, "S", false, 1, false, false}, {"N", true, "S", false, 1, true, true},
        {"T", true, "N", true, 1, false, false},  {"N", false, "N", false, 1, false, false},
        {"T", false, "T", false, 0, false, true},  // one area: nothing to cross
    };
    int n = 0;
    for (const auto& c : cases) {
        start_again();
        chain(3, "o");
        net.device("R2").virtual_link = c.virtual_link;
        auto& r1 = net.find("R1", "Serial0");
        r1.area = 0;
        r1.area_type = c.entry_type;
        r1.to_backbone = c.entry_backbone;
        auto& entry = net.find("R2", "Serial1");
        entry.area = 0;
        entry.area_type = c.entry_type;
        entry.to_backbone = c.entry_backbone;
        for (auto* i : {&net.find("R2", "Serial0"), &net.find("R3", "Serial1")}) {
            i->area = c.exit_area;
            i->area_type = c.exit_type;
            i->to_backbone = c.exit_backbone;
        }
        write();
        EXPECT_EQ(ping("R1", "10.2.0.2").has_value(), c.reached) << "case " << n;
        ++n;
    }
}

TEST_F(NetworkTest, ADefaultGatewayIsFollowedWhereADeviceHasNoExit) {
    chain(3);
    // R2 runs no protocol towards R3, but its default gateway is R3.
    net.find("R2", "Serial0").rip = "d";
    net.device("R2").default_gateway = "10.2.0.2";
    write();
    EXPECT_EQ(ping("R1", "10.2.0.2"), (Path{"10.1.0.1", "10.1.0.2"}));
}

TEST_F(NetworkTest, ARingOfDefaultGatewaysIsADeadEnd) {
    // R1 enters R2; R2, R3 and R4 point their default gateways round a ring
    // and none has an exit the walk may use.
    for (const char* name : {"R1", "R2", "R3", "R4"}) net.router(name);
    auto link = [&](const char* a, const char* ia, const char* ip_a, const char* b, const char* ib,
                    const char* ip_b) {
        net.iface(a, ia, ip_a, "255.255.255.0").rip = "r";
        net.iface(b, ib, ip_b, "255.255.255.0");
        net.link(a, ia, b, ib);
    };
    link("R1", "Serial0", "10.1.0.1", "R2", "Serial0", "10.1.0.2");
    link("R2", "Serial1", "10.2.0.1", "R3", "Serial0", "10.2.0.2");
    link("R3", "Serial1", "10.3.0.1", "R4", "Serial0", "10.3.0.2");
    link("R4", "Serial1", "10.4.0.1", "R2", "Serial2", "10.4.0.2");
    net.device("R2").default_gateway = "10.2.0.2";
    net.device("R3").default_gateway = "10.3.0.2";
    net.device("R4").default_gateway = "10.4.0.2";
    write();
    EXPECT_EQ(ping("R1", "172.16.0.1"), std::nullopt);
}

// ---------------------------------------------------------------- NAT

TEST_F(NetworkTest, NatStaticEntriesAndPoolsChooseTheOutsideInterfaces) {
    net.router("R1").nat = true;
    net.switch_device("S1");
    net.pc("P1");
    net.pc("P2");
    auto& inside = net.iface("R1", "Ethernet0", "10.0.0.1", "255.255.255.0");
    inside.nat_inside = 1;
    net.iface("R1", "Serial0", "200.1.1.1", "255.255.255.0").nat_outside = 1;
    auto& rip = net.iface("R1", "Serial1", "150.1.1.1", "255.255.0.0");
    rip.nat_outside = 1;
    rip.rip = "r";
    net.iface("R1", "Serial2", "200.1.2.1", "255.255.255.0").nat_outside = 1;
    net.iface("S1", "FastEthernet0/1", "NA", "NA");
    net.iface("S1", "FastEthernet0/2", "NA", "NA");
    net.iface("S1", "FastEthernet0/3", "NA", "NA");
    net.iface("P1", "Ethernet0", "10.0.0.5", "255.255.255.0");
    net.iface("P2", "Ethernet0", "10.0.0.6", "255.255.255.0");
    net.link("R1", "Ethernet0", "S1", "FastEthernet0/1");
    net.link("S1", "FastEthernet0/2", "P1", "Ethernet0");
    net.link("S1", "FastEthernet0/3", "P2", "Ethernet0");
    auto& entry = net.nat_entry("R1");
    entry.inside_local = "10.0.0.5";
    entry.inside_global = "200.1.1.5";
    entry.protocol = "r";
    auto& pool = net.nat_pool("R1", "pool");
    pool.first = "200.1.1.250";
    pool.last = "200.1.2.5";
    pool.mask = "255.255.255.0";
    pool.acl = 1;
    net.acl(1, "R1", "10.0.0.5", "0.0.0.0", true);
    net.acl(1, "R1", "10.0.0.0", "0.0.0.255", false);
    write();
    // The static entry: the outside interface of its network, and the one
    // that carries its protocol.
    EXPECT_EQ(r::translate_nat_source(*view, "R1", "P1"), (Path{"200.1.1.1", "150.1.1.1"}));
    // The pool, chosen by its list's permit entries: both networks its range
    // reaches.
    EXPECT_EQ(r::translate_nat_source(*view, "R1", "P2"), (Path{"200.1.1.1", "200.1.2.1"}));
    EXPECT_TRUE(r::get_nat_status(*view, "R1", false));
    EXPECT_FALSE(r::get_nat_status(*view, "R1", true));
}

TEST_F(NetworkTest, AnOutsideInterfaceAnswersOnlyWhileItIsUp) {
    net.router("R1").nat = true;
    net.iface("R1", "Serial0", "200.1.1.1", "255.255.255.0").nat_outside = 1;
    auto& down = net.iface("R1", "Serial1", "200.1.9.1", "255.255.255.0");
    down.nat_outside = 1;
    down.up = false;
    net.iface("R1", "Serial2", "200.1.8.1", "255.255.255.0");
    write();
    EXPECT_TRUE(r::check_nat_outside(*view, "10.0.0.1", "255.255.255.0", "200.1.1.1", "R1"));
    EXPECT_FALSE(r::check_nat_outside(*view, "10.0.0.1", "255.255.255.0", "200.1.9.1", "R1"));
    EXPECT_FALSE(r::check_nat_outside(*view, "10.0.0.1", "255.255.255.0", "200.1.8.1", "R1"));
}

TEST_F(NetworkTest, OnlyAnEntryWithAnOutsideAddressIsAStaticOutsideEntry) {
    net.router("R1").nat = true;
    net.router("R2");
    auto& inside = net.nat_entry("R1");  // its outside pair keeps "UA"
    inside.inside_local = "10.0.0.5";
    inside.inside_global = "200.1.1.5";
    auto& outside = net.nat_entry("R2");
    outside.outside_local = "10.0.0.9";
    outside.outside_global = "200.1.1.9";
    write();
    r::NatFlags flags;
    EXPECT_TRUE(r::check_nat(*view, "R1", "R2", flags));
    EXPECT_TRUE(flags.no_outside_static_nat);
    EXPECT_FALSE(flags.nat_on_source_device);
    EXPECT_FALSE(r::check_nat(*view, "R2", "R1", flags));
    EXPECT_FALSE(flags.no_outside_static_nat);
    EXPECT_TRUE(flags.nat_on_source_device);
    EXPECT_TRUE(r::is_nat_inside_global(*view, "R1", "200.1.1.5"));
    EXPECT_FALSE(r::is_nat_inside_global(*view, "R2", "200.1.1.5"));

    // An outside pair left empty or Null is no outside entry either.
    for (const vexlab::db::Value& none : {vexlab::db::Value(""), vexlab::db::Value::null()}) {
        session.execute("UPDATE " + vexlab::db::quote_identifier(tables.nat_inout_table) +
                            " SET outside_local = ?, outside_global = ? WHERE outside_local = ?",
                        {none, none, "10.0.0.9"});
        view.emplace(r::NetworkView::load(session, tables));
        EXPECT_FALSE(r::check_nat(*view, "R2", "R1", flags));
        EXPECT_TRUE(flags.no_outside_static_nat) << none.is_null();
        session.execute("UPDATE " + vexlab::db::quote_identifier(tables.nat_inout_table) +
                        " SET outside_local = '10.0.0.9' WHERE inside_local = 'UA'");
    }
}

// ---------------------------------------------------------------- commands

std::string reply(const std::string& target) {
    return "\r\nType escape sequence to abort.\r\nSending 5,100-byte ICMP Echos to  " + target +
           " ,\r\nTimeout is 2 seconds:\r\n !!!!! \r\nSuccess rate is 100 percent (5/5), "
           "round-trip min/avg/max = 6/6/6 ms";
}

TEST(PingReply, TheFixedBlock) {
    EXPECT_EQ(r::ping_reply_text("10.1.1.1"),
              "\r\nType escape sequence to abort.\r\nSending 5,100-byte ICMP Echos to  10.1.1.1 "
              ",\r\nTimeout is 2 seconds:\r\n !!!!! \r\nSuccess rate is 100 percent (5/5), "
              "round-trip min/avg/max = 6/6/6 ms");
}

TEST_F(NetworkTest, PingNamesTheAddressThatAnsweredOrTheTypedTarget) {
    chain(3);
    net.device("R3").host_name = "Far";
    write();
    EXPECT_EQ(command("ping 10.2.0.2"), reply("10.2.0.2"));
    EXPECT_EQ(command("ping 10.1.0.1"), reply("10.1.0.1"));  // an interface of its own
    // A host name: the device's addresses in row order, the first that answers.
    EXPECT_EQ(command("ping Far"), reply("10.2.0.2"));
    const std::string unreachable = "\r\n% Destination unreachable; gateway or host down";
    EXPECT_EQ(command("ping far"), "Trying far" + unreachable);
    EXPECT_EQ(command("ping 10.8.0.1"), "Trying 10.8.0.1" + unreachable);
    // Not an address: refused without a probe.
    EXPECT_EQ(command("ping 10.2.0"), "Trying 10.2.0" + unreachable);
    EXPECT_EQ(command("ping 10.2.0.256"), "Trying 10.2.0.256" + unreachable);
    EXPECT_EQ(command("traceroute 10.8.0.1"), "\r\nTrying 10.8.0.1" + unreachable);
}

TEST_F(NetworkTest, TracerouteShowsEveryAddressOfTheCheapestPath) {
    // Two ways from R2 to R4: over R3a (metric 5) or R3b (metric 1).
    for (const char* name : {"R1", "R2", "R3a", "R3b", "R4"}) net.router(name);
    auto link = [&](const char* a, const char* ia, const char* ip_a, int metric, const char* b,
                    const char* ib, const char* ip_b) {
        auto& left = net.iface(a, ia, ip_a, "255.255.255.0");
        left.rip = "r";
        left.metric = metric;
        net.iface(b, ib, ip_b, "255.255.255.0").rip = "r";
        net.link(a, ia, b, ib);
    };
    link("R1", "Serial0", "10.1.0.1", 1, "R2", "Serial0", "10.1.0.2");
    link("R2", "Serial1", "10.2.0.1", 5, "R3a", "Serial0", "10.2.0.2");
    link("R2", "Serial2", "10.3.0.1", 1, "R3b", "Serial0", "10.3.0.2");
    link("R3a", "Serial1", "10.4.0.1", 1, "R4", "Serial0", "10.4.0.2");
    link("R3b", "Serial1", "10.5.0.1", 1, "R4", "Serial1", "10.5.0.2");
    write();
    auto blocks = [](const Path& addresses) {
        std::string text;
        for (const auto& a : addresses) text += reply(a) + "\r\n";
        return text;
    };
    // The walk first takes R3b (the later row), which is also the cheaper way.
    EXPECT_EQ(command("traceroute 10.5.0.2"),
              blocks({"10.1.0.1", "10.1.0.2", "10.3.0.1", "10.3.0.2", "10.5.0.1", "10.5.0.2"}));
    // The path ends at R4's entry; the traced address is another of R4's.
    EXPECT_EQ(command("traceroute 10.4.0.2"),
              blocks({"10.1.0.1", "10.1.0.2", "10.3.0.1", "10.3.0.2", "10.5.0.1", "10.5.0.2",
                      "10.4.0.2"}));
    // R1 itself answers.
    EXPECT_EQ(command("traceroute 10.1.0.1"), blocks({"10.1.0.1"}));

    // With R3b dearer the re-expansion finds the way over R3a.
    net.find("R2", "Serial2").metric = 9;
    write();
    EXPECT_EQ(command("traceroute 10.4.0.2"),
              blocks({"10.1.0.1", "10.1.0.2", "10.2.0.1", "10.2.0.2", "10.4.0.1", "10.4.0.2"}));
}

TEST_F(NetworkTest, TracerouteSumsMetricsWideAndCountsAMissingOneAsZero) {
    // From R2 to R4 over R3a (first row) or R3b (tried first).
    for (const char* name : {"R1", "R2", "R3a", "R3b", "R4"}) net.router(name);
    auto link = [&](const char* a, const char* ia, const char* ip_a, std::int64_t metric,
                    const char* b, const char* ib, const char* ip_b) {
        auto& left = net.iface(a, ia, ip_a, "255.255.255.0");
        left.rip = "r";
        left.metric = metric;
        net.iface(b, ib, ip_b, "255.255.255.0").rip = "r";
        net.link(a, ia, b, ib);
    };
    // Over R3b the metrics add up to 2^32 + 1: summed in 32 bits they would
    // wrap round to 1, below the 7 of the way over R3a.
    const std::int64_t huge = std::int64_t{1} << 31;
    link("R1", "Serial0", "10.1.0.1", 1, "R2", "Serial0", "10.1.0.2");
    link("R2", "Serial1", "10.2.0.1", 5, "R3a", "Serial0", "10.2.0.2");
    link("R2", "Serial2", "10.3.0.1", huge, "R3b", "Serial0", "10.3.0.2");
    link("R3a", "Serial1", "10.4.0.1", 1, "R4", "Serial0", "10.4.0.2");
    link("R3b", "Serial1", "10.5.0.1", huge, "R4", "Serial1", "10.5.0.2");
    write();
    auto blocks = [](const Path& addresses) {
        std::string text;
        for (const auto& a : addresses) text += reply(a) + "\r\n";
        return text;
    };
    const std::string over_r3a =
        blocks({"10.1.0.1", "10.1.0.2", "10.2.0.1", "10.2.0.2", "10.4.0.1", "10.4.0.2"});
    const std::string over_r3b = blocks(
        {"10.1.0.1", "10.1.0.2", "10.3.0.1", "10.3.0.2", "10.5.0.1", "10.5.0.2", "10.4.0.2"});
    EXPECT_EQ(command("traceroute 10.4.0.2"), over_r3a);

    // R3b's way without metrics (cells left empty) costs 1, R3a's 7.
    for (const char* ip : {"10.3.0.1", "10.5.0.1"})
        session.execute("UPDATE " + vexlab::db::quote_identifier(tables.route_ip_table) +
                            " SET metric = NULL WHERE ip = ?",
                        {ip});
    EXPECT_EQ(command("traceroute 10.4.0.2"), over_r3b);
}

// A LAN on R1: R1's Ethernet0 - switch S1 - PC P1, and R1 - R2 over serial.
class LanTest : public NetworkTest {
protected:
    void lan(const std::string& pc_ip = "192.168.1.5") {
        net.router("R1");
        net.router("R2");
        auto& s = net.switch_device("S1");
        s.management_ip = "192.168.1.2";
        s.management_mask = "255.255.255.0";
        net.pc("P1").default_gateway = "192.168.1.1";
        runs(net.iface("R1", "Ethernet0", "192.168.1.1", "255.255.255.0"), "r");
        runs(net.iface("R1", "Serial0", "10.1.0.1", "255.255.255.0"), "r");
        runs(net.iface("R2", "Serial0", "10.1.0.2", "255.255.255.0"), "r");
        net.iface("S1", "FastEthernet0/1", "NA", "NA");
        net.iface("S1", "FastEthernet0/2", "NA", "NA");
        net.iface("P1", "Ethernet0", pc_ip, "255.255.255.0");
        net.link("R1", "Ethernet0", "S1", "FastEthernet0/1");
        net.link("S1", "FastEthernet0/2", "P1", "Ethernet0");
        net.link("R1", "Serial0", "R2", "Serial0");
    }
};

TEST_F(LanTest, APcProbesFromItsRouterEnteringAtTheInterfaceFacingIt) {
    lan();
    write();
    EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), reply("10.1.0.2"));
    EXPECT_EQ(command("ping 192.168.1.1", "P1", 3), reply("192.168.1.1"));
    // The PC's packet enters R1 at Ethernet0, whose inbound list is R1's.
    EXPECT_EQ(command("traceroute 10.1.0.2", "P1", 3),
              reply("192.168.1.1") + "\r\n\r\n" + reply("192.168.1.1") + "\r\n" +
                  reply("192.168.1.1") + "\r\n" + reply("10.1.0.1") + "\r\n" + reply("10.1.0.2") +
                  "\r\n\r\n");
    // A host on the LAN is probed through its router's address.
    EXPECT_EQ(command("ping 192.168.1.5", "R2", 1), reply("192.168.1.5"));
}

TEST_F(LanTest, TheLanEntryAppliesTheFacingInterfacesInboundList) {
    lan();
    net.find("R1", "Ethernet0").in_acl = 4;
    net.acl(4, "R1", "192.168.1.9", "0.0.0.0", false);
    write();
    const std::string unreachable = "\r\n% Destination unreachable; gateway or host down";
    EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), "Trying 10.1.0.2" + unreachable);
    EXPECT_EQ(command("traceroute 10.1.0.2", "P1", 3), "\r\nTrying 10.1.0.2" + unreachable);
    const r::ConsoleAt at_pc{"P1", vexlab::state::DeviceKind::Pc};
    EXPECT_FALSE(r::telnet_command(session, tables, at_pc, "telnet 10.1.0.2", 0).session);
    EXPECT_EQ(command("ping 10.1.0.2", "R1", 1), reply("10.1.0.2"));

    // The PC's own address is what the list judges, for every probe.
    net.acl(4, "R1", "192.168.1.5", "0.0.0.0", false);
    write();
    EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), reply("10.1.0.2"));
    EXPECT_NE(command("traceroute 10.1.0.2", "P1", 3).find(reply("10.1.0.2")), std::string::npos);
    EXPECT_TRUE(r::telnet_command(session, tables, at_pc, "telnet 10.1.0.2", 0).session);
}

TEST_F(LanTest, ASwitchOrPcWithoutAnAddressOfItsOwnReachesNothing) {
    lan("UA");
    net.device("S1").management_ip = "UA";
    write();
    const std::string unreachable = "\r\n% Destination unreachable; gateway or host down";
    EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), "Trying 10.1.0.2" + unreachable);
    EXPECT_EQ(command("ping 192.168.1.1", "S1", 2), "Trying 192.168.1.1" + unreachable);
    EXPECT_EQ(command("traceroute 10.1.0.2", "S1", 2), "\r\nTrying 10.1.0.2" + unreachable);
}

// R1 translates P1 to an address of its serial network, by a static entry
// or by a pool: the probe leaves R1 by the serial, as one typed on R1 does,
// and goes on to R2 and beyond.
TEST_F(LanTest, ATranslatedProbeLeavesItsRouterByTheOutsideInterface) {
    const std::string unreachable = "\r\n% Destination unreachable; gateway or host down";
    for (const bool by_pool : {false, true}) {
        SCOPED_TRACE(by_pool ? "pool" : "static entry");
        start_again();
        lan();
        runs(net.iface("R2", "Ethernet0", "192.168.2.1", "255.255.255.0"), "r");
        net.device("R1").nat = true;
        net.find("R1", "Ethernet0").nat_inside = 1;
        net.find("R1", "Serial0").nat_outside = 1;
        if (by_pool) {
            auto& pool = net.nat_pool("R1", "out");
            pool.first = "10.1.0.10";
            pool.last = "10.1.0.20";
            pool.mask = "255.255.255.0";
            pool.acl = 1;
            net.acl(1, "R1", "192.168.1.0", "0.0.0.255", false);
        } else {
            auto& entry = net.nat_entry("R1");
            entry.inside_local = "192.168.1.5";
            entry.inside_global = "10.1.0.5";
        }
        write();
        EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), reply("10.1.0.2"));
        EXPECT_EQ(command("ping 192.168.2.1", "P1", 3), reply("192.168.2.1"));
        EXPECT_EQ(command("traceroute 192.168.2.1", "P1", 3),
                  reply("192.168.1.1") + "\r\n\r\n" + reply("10.1.0.1") + "\r\n" +
                      reply("10.1.0.2") + "\r\n" + reply("192.168.2.1") + "\r\n\r\n");
        const r::ConsoleAt at_pc{"P1", vexlab::state::DeviceKind::Pc};
        EXPECT_TRUE(r::telnet_command(session, tables, at_pc, "telnet 10.1.0.2", 0).session);
        // R1's own addresses answer at once, the inside one included.
        EXPECT_EQ(command("ping 10.1.0.1", "P1", 3), reply("10.1.0.1"));
        EXPECT_EQ(command("ping 192.168.1.1", "P1", 3), reply("192.168.1.1"));

        // The access lists still judge the PC's own address.
        net.find("R2", "Serial0").in_acl = 7;
        net.acl(7, "R2", "192.168.1.9", "0.0.0.0", false);
        write();
        EXPECT_EQ(command("ping 192.168.2.1", "P1", 3), "Trying 192.168.2.1" + unreachable);
        net.acl(7, "R2", "192.168.1.5", "0.0.0.0", false);
        write();
        EXPECT_EQ(command("ping 192.168.2.1", "P1", 3), reply("192.168.2.1"));

        // A translation to nothing R1 can send out leaves no way at all.
        net.find("R1", "Serial0").nat_outside = 0;
        write();
        EXPECT_EQ(command("ping 10.1.0.2", "P1", 3), "Trying 10.1.0.2" + unreachable);
    }
}

// ---------------------------------------------------------------- telnet

TEST_F(LanTest, TelnetLandsOnTheDeviceItResolvedAndRecordsTheSession) {
    lan();
    net.device("R2").vty_password = "cisco";
    net.device("R2").host_name = "Branch";
    net.device("R1").vty_password = "Branch";  // a password equal to a host name
    write();
    const r::ConsoleAt at_r1{"R1", vexlab::state::DeviceKind::Router};
    r::TelnetOutcome first = r::telnet_command(session, tables, at_r1, "telnet 10.1.0.2", 0);
    ASSERT_TRUE(first.session);
    EXPECT_EQ(first.session->device, "R2");
    EXPECT_EQ(first.session->host_name, "Branch");
    EXPECT_EQ(first.session->vty_password, "cisco");
    EXPECT_EQ(first.telnetsession_count, 1);
    // By host name; the device already has its session number.
    r::TelnetOutcome again = r::telnet_command(session, tables, at_r1, "telnet Branch", 1);
    ASSERT_TRUE(again.session);
    EXPECT_EQ(again.session->device, "R2");
    EXPECT_EQ(again.telnetsession_count, 1);
    // To the router's own address: it lands on itself.
    r::TelnetOutcome self = r::telnet_command(session, tables, at_r1, "telnet 10.1.0.1", 1);
    ASSERT_TRUE(self.session);
    EXPECT_EQ(self.session->device, "R1");
    EXPECT_EQ(self.session->vty_password, "Branch");
    EXPECT_EQ(self.telnetsession_count, 2);

    auto cell = [&](const char* key, const char* device) {
        return session
            .scalar("SELECT " + vexlab::db::quote_identifier(device) +
                        " FROM routervariables WHERE Config_Variable = ?",
                    {key})
            .to_text();
    };
    EXPECT_EQ(cell("telnetsession_id", "R2"), "1");
    EXPECT_EQ(cell("telnetsession_id", "R1"), "2");
    EXPECT_EQ(cell("telneted_host1", "R1"), "R2");  // recorded once
    EXPECT_EQ(cell("telneted_host2", "R1"), "R1");
    EXPECT_EQ(cell("telneted_host3", "R1"), "nill");

    for (const char* typed : {"telnet 10.9.9.9", "telnet nobody", "telnet 10.1.0"}) {
        r::TelnetOutcome failed = r::telnet_command(session, tables, at_r1, typed, 2);
        EXPECT_FALSE(failed.session) << typed;
        EXPECT_EQ(failed.response, r::kTelnetFailure) << typed;
        EXPECT_EQ(failed.telnetsession_count, 2) << typed;
    }
}

TEST_F(LanTest, AtMostThreeHostsAreRecordedForTheDeviceLeft) {
    lan();
    net.router("R3");
    net.router("R4");
    net.router("R5");
    for (int k = 3; k <= 5; ++k) {
        const std::string name = "R" + std::to_string(k);
        const std::string subnet = "10." + std::to_string(k) + ".0.";
        runs(net.iface("R1", "Serial" + std::to_string(k), subnet + "1", "255.255.255.0"), "r");
        runs(net.iface(name, "Serial0", subnet + "2", "255.255.255.0"), "r");
        net.link("R1", "Serial" + std::to_string(k), name, "Serial0");
    }
    write();
    int count = 0;
    for (const char* target : {"10.1.0.2", "10.3.0.2", "10.4.0.2", "10.5.0.2"}) {
        auto outcome = r::telnet_command(session, tables, {"R1", vexlab::state::DeviceKind::Router},
                                         std::string("telnet ") + target, count);
        ASSERT_TRUE(outcome.session) << target;
        count = outcome.telnetsession_count;
    }
    EXPECT_EQ(count, 4);
    vexlab::db::Recordset rows = session.open_recordset(
        "SELECT R1 FROM routervariables WHERE Config_Variable LIKE 'telneted_host%' ORDER BY "
        "rowid");
    std::vector<std::string> hosts;
    for (; !rows.eof(); rows.move_next()) hosts.push_back(rows.text(0));
    EXPECT_EQ(hosts, (Path{"R2", "R3", "R4"}));
}

TEST(TelnetSwitch, TheConsoleMovesAndAsksTheVtyPassword) {
    vexlab::state::ConsoleSession console;
    using vexlab::state::CommandMode;
    using vexlab::state::DeviceKind;
    console.device = {"R1", "Lab", DeviceKind::Router, "2501", "", ""};
    console.mode.mode_suffix = CommandMode::User;
    r::switch_console(console, {"R2", "Branch", DeviceKind::Router, "cisco"});
    EXPECT_EQ(console.device.current_device, "R2");
    EXPECT_EQ(console.device.host_name, "Branch");
    EXPECT_EQ(console.device.home_device, "R1");
    EXPECT_EQ(console.device.home_host_name, "Lab");
    EXPECT_EQ(console.mode.mode_suffix, CommandMode::User);
    EXPECT_EQ(console.mode.prompt_text, "password:");
    EXPECT_TRUE(console.password.login_password_entry);
    EXPECT_TRUE(console.password.vty_password_requested);
    EXPECT_EQ(console.password.login_password, "cisco");
    EXPECT_EQ(console.password.expected_password_length, 5);

    r::switch_console(console, {"P1", "P1", DeviceKind::Pc, "nill"});
    EXPECT_EQ(console.device.home_device, "R2");
    EXPECT_EQ(console.device.device_kind, DeviceKind::Pc);
    EXPECT_EQ(console.mode.mode_suffix, CommandMode::Pc);
}

// ---------------------------------------------------------------- host names

TEST(HostNames, OnlyTheWorkingColumnsOfTheDefaultNetworkCount) {
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    vexlab::test::fresh_database(dir.file("db.mdb"));
    session.open(dir.file("db.mdb"));
    vexlab::test::seed_device_tables(session);
    const auto tables = vexlab::state::NetworkTableSet::default_set();
    // R2's pristine copy names it "Old"; its working column "Branch".
    session.execute(
        "UPDATE routervariables_def SET R2 = 'Branch', R2_pristine = 'Old' "
        "WHERE Config_Variable = 'hostname'");
    session.execute(
        "UPDATE routervariables_def SET R3 = 'Branch' "
        "WHERE Config_Variable = 'hostname'");
    const auto view = r::NetworkView::load(session, tables);
    EXPECT_EQ(r::get_device_by_hostname(view, "Branch"), "R2");  // the first column
    EXPECT_EQ(r::get_device_by_hostname(view, "branch"), "");
    EXPECT_EQ(r::get_device_by_hostname(view, "Old"), "");
    EXPECT_EQ(r::get_device_by_hostname(view, "R1"), "R1");
    EXPECT_EQ(r::get_device_by_hostname(view, "Nobody"), "");
}

}  // namespace
