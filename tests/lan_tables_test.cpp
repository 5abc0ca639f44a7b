// The LAN membership table eth_iplist: the subnet rule, the pairs a newly
// addressed host adds, and the members found through the cabling of small
// networks written for each test in the working table set.

#include "reachability/lan_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/db_session.h"
#include "state/table_set.h"
#include "support/test_database.h"

namespace {

using vexlab::reachability::add_lan_members;
using vexlab::reachability::host_address_changed;
using vexlab::reachability::host_address_removed;
using vexlab::reachability::network_text;
using vexlab::reachability::rebuild_lan_tables;
using vexlab::reachability::router_address_changed;
using vexlab::reachability::router_address_removed;
using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(NetworkText, EachPartAndedWithItsMaskPart) {
    struct Case {
        std::string address, mask;
        std::optional<std::string> network;
    } cases[] = {
        {"192.168.10.77", "255.255.255.0", "192.168.10.0"},
        {"10.0.0.010", "255.255.255.255", "10.0.0.10"},
        {"10.1.2.3.4", "255.255.0.0", "10.1.0.0"},
        {"172.16.5.9", "255.255.240.0", "172.16.0.0"},
        {"10.0.0", "255.0.0.0", std::nullopt},
        {"10.0.0.1", "255.0.0", std::nullopt},
        {"UA", "UA", std::nullopt},
        {"10.x.0.1", "255.0.0.0", std::nullopt},
        {"10..0.1", "255.0.0.0", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(network_text(c.address, c.mask), c.network) << c.address << " " << c.mask;
}

// A network made of devices and the two ends of each cable.
class LanNetwork : public ::testing::Test {
protected:
    void SetUp() override { start("net.mdb"); }

    // A new empty network in its own file.
    void start(const std::string& file) {
        session.close();
        vexlab::test::empty_database(session, dir.file(file));
        devices_ = 0;
        for (const auto* key : {"FastEthernet1_ip_address", "FastEthernet1_dec_mask"})
            session.execute("INSERT INTO routervariables (Config_Variable) VALUES (?)", {key});
    }

    void device(const std::string& name, int kind) {
        const int number = ++devices_;
        session.execute("INSERT INTO device (\"index\", Dev_cat, Device_Name) VALUES (?, 'x', ?)",
                        {kind, name});
        session.execute("INSERT INTO rout_dev (dev_no, dev_name) VALUES (?, ?)", {number, name});
        session.execute("ALTER TABLE routervariables ADD COLUMN " +
                        vexlab::db::quote_identifier(name) + " TEXT");
    }
    void management(const std::string& name, const std::string& address, const std::string& mask) {
        for (auto [key, value] : {std::pair{"FastEthernet1_ip_address", address},
                                  std::pair{"FastEthernet1_dec_mask", mask}})
            session.execute("UPDATE routervariables SET " + vexlab::db::quote_identifier(name) +
                                " = ? WHERE Config_Variable = ?",
                            {value, key});
    }
    struct End {
        std::string device, interface, ip = "NA", mask = "NA";
    };
    void interface(const End& end) {
        session.execute(
            "INSERT INTO route_ip (ref, int_name, ip, mask) SELECT dev_no, ?, ?, ? FROM rout_dev "
            "WHERE dev_name = ?",
            {end.interface, end.ip, end.mask, end.device});
    }
    void cable(const End& a, const End& b) {
        interface(a);
        interface(b);
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}})
            session.execute(
                "UPDATE route_ip SET next_hop_devname = ?, next_hop_intname = ?, next_hopip = ?, "
                "next_hopmask = ? WHERE int_name = ? AND ref = (SELECT dev_no FROM rout_dev "
                "WHERE dev_name = ?)",
                {to.device, to.interface, to.ip, to.mask, from.interface, from.device});
    }
    Pairs pairs() {
        Pairs out;
        auto set =
            session.open_recordset("SELECT master_ip, sub_ip FROM eth_iplist ORDER BY rowid");
        for (; !set.eof(); set.move_next()) out.emplace_back(set.text(0), set.text(1));
        return out;
    }

    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    const vexlab::state::NetworkTableSet tables = vexlab::state::NetworkTableSet::working_set();
    int devices_ = 0;
};

TEST_F(LanNetwork, AHostCabledToARouterIsPairedOnceEachSideUnderItsOwnMask) {
    struct Case {
        std::string host_ip, host_mask;
        bool paired;
    } cases[] = {
        {"10.0.0.2", "255.0.0.0", true},
        {"10.0.0.2", "255.255.255.0", true},  // 10.0.0.0 on both sides
        {"10.1.0.2", "255.255.0.0", false},   // 10.1.0.0 against 10.0.0.0
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.host_ip + "/" + c.host_mask);
        start("case" + std::to_string(++round) + ".mdb");
        device("R", 1);
        device("H", 3);
        cable({"R", "Ethernet0", "10.0.0.1", "255.0.0.0"},
              {"H", "Ethernet0", c.host_ip, c.host_mask});
        add_lan_members(session, tables);
        add_lan_members(session, tables);  // finds nothing new
        const Pairs expected = c.paired ? Pairs{{"10.0.0.1", c.host_ip}} : Pairs{};
        EXPECT_EQ(pairs(), expected);
    }
}

TEST_F(LanNetwork, MembersBehindSwitchesAreFoundThroughTheCabling) {
    device("R", 1);
    device("S1", 2);
    device("S2", 2);
    device("H", 3);
    device("S3", 2);  // on the LAN, but without an address
    management("S1", "10.0.0.11", "255.0.0.0");
    management("S2", "10.0.0.12", "255.0.0.0");
    management("S3", "Unassigned", "Unassigned");
    cable({"R", "Ethernet0", "10.0.0.1", "255.0.0.0"}, {"S1", "Fa0/1"});
    cable({"S1", "Fa0/2"}, {"S2", "Fa0/1"});
    cable({"S2", "Fa0/2"}, {"H", "Ethernet0", "10.0.0.2", "255.0.0.0"});
    cable({"S2", "Fa0/3"}, {"S3", "Fa0/1"});
    // A serial link to another router makes no member.
    device("R2", 1);
    cable({"R", "Serial0", "10.9.0.1", "255.255.0.0"},
          {"R2", "Serial0", "10.9.0.2", "255.255.0.0"});
    // A host cabled to nothing is in no LAN.
    device("Lonely", 3);
    interface({"Lonely", "Ethernet0", "10.0.0.3", "255.0.0.0"});

    add_lan_members(session, tables);
    EXPECT_EQ(
        pairs(),
        (Pairs{{"10.0.0.1", "10.0.0.11"}, {"10.0.0.1", "10.0.0.12"}, {"10.0.0.1", "10.0.0.2"}}));
    add_lan_members(session, tables);
    EXPECT_EQ(pairs().size(), 3u);
}

TEST_F(LanNetwork, TheMemberSearchGoesOnPastFailingStatements) {
    device("R", 1);
    device("H", 3);
    cable({"R", "Ethernet0", "10.0.0.1", "255.0.0.0"}, {"H", "Ethernet0", "10.0.0.2", "255.0.0.0"});
    session.execute("DROP TABLE device");
    EXPECT_NO_THROW(add_lan_members(session, tables));
    session.execute("DROP TABLE eth_iplist");
    EXPECT_NO_THROW(add_lan_members(session, tables));
}

// A switch S on R's Ethernet0 and R2's FastEthernet0/1, a host H on S; R4's
// Ethernet0 shares the subnet but no cable reaches it.
class LanChanges : public LanNetwork {
protected:
    void SetUp() override {
        LanNetwork::SetUp();
        device("R", 1);
        device("R2", 1);
        device("R4", 1);
        device("S", 2);
        device("H", 3);
        management("S", "Unassigned", "Unassigned");
        cable({"R", "Ethernet0", "10.0.0.1", "255.0.0.0"}, {"S", "Fa0/1"});
        cable({"R2", "FastEthernet0/1", "10.0.0.4", "255.0.0.0"}, {"S", "Fa0/2"});
        cable({"R", "Serial0", "10.0.0.7", "255.0.0.0"}, {"S", "Fa0/3"});  // not a LAN port
        cable({"S", "Fa0/4"}, {"H", "Ethernet0", "10.0.0.9", "255.0.0.0"});
        interface({"R4", "Ethernet0", "10.0.0.5", "255.0.0.0"});
        // The LANs as a reset or a load leaves them; each test adds the pairs
        // it looks at.
        rebuild_lan_tables(session, tables);
        session.execute("DELETE FROM eth_iplist");
    }
    void readdress(const std::string& device, const std::string& interface, const std::string& ip) {
        session.execute(
            "UPDATE route_ip SET ip = ? WHERE int_name = ? AND ref = (SELECT dev_no FROM "
            "rout_dev WHERE dev_name = ?)",
            {ip, interface, device});
    }
    std::string uplink_address() {
        return session
            .scalar(
                "SELECT mast_ip FROM sw_riplist WHERE mast_dev = 'R' AND mast_int = "
                "'Ethernet0'")
            .to_text();
    }
};

TEST_F(LanChanges, AHostIsPairedOnceWithTheRouterEthernetsItsCablesReach) {
    host_address_changed(session, tables, "H", "Unassigned", "10.0.0.9", "255.0.0.0");
    const Pairs expected{{"10.0.0.1", "10.0.0.9"}, {"10.0.0.4", "10.0.0.9"}};
    EXPECT_EQ(pairs(), expected);
    host_address_changed(session, tables, "H", "10.0.0.9", "10.0.0.9", "255.0.0.0");
    EXPECT_EQ(pairs(), expected);

    // A new address takes the place of the old one; one of another subnet
    // pairs with nothing.
    readdress("H", "Ethernet0", "10.0.0.10");
    host_address_changed(session, tables, "H", "10.0.0.9", "10.0.0.10", "255.0.0.0");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.1", "10.0.0.10"}, {"10.0.0.4", "10.0.0.10"}}));
    host_address_changed(session, tables, "H", "10.0.0.10", "192.168.0.1", "255.255.255.0");
    EXPECT_TRUE(pairs().empty());
}

TEST_F(LanChanges, ASwitchIsKnownByItsManagementAddress) {
    host_address_changed(session, tables, "s", "Unassigned", "10.0.0.20", "255.0.0.0");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.1", "10.0.0.20"}, {"10.0.0.4", "10.0.0.20"}}));
    host_address_removed(session, "10.0.0.20");
    EXPECT_TRUE(pairs().empty());
}

TEST_F(LanChanges, ARouterEthernetTakesItsLanAlongToItsNewAddress) {
    management("S", "10.0.0.20", "255.0.0.0");
    add_lan_members(session, tables);
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.1", "10.0.0.20"},
                              {"10.0.0.1", "10.0.0.9"},
                              {"10.0.0.4", "10.0.0.20"},
                              {"10.0.0.4", "10.0.0.9"}}));

    // The rows of the old address are taken over where they stand.
    readdress("R", "Ethernet0", "10.0.0.2");
    router_address_changed(session, tables, "R", "ethernet0", "10.0.0.1", "255.0.0.0");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.2", "10.0.0.20"},
                              {"10.0.0.2", "10.0.0.9"},
                              {"10.0.0.4", "10.0.0.20"},
                              {"10.0.0.4", "10.0.0.9"}}));
    EXPECT_EQ(uplink_address(), "10.0.0.2");

    // Another subnet has other partners, here none; back in the first one
    // the partners come again.
    readdress("R", "Ethernet0", "192.168.0.1");
    router_address_changed(session, tables, "R", "Ethernet0", "10.0.0.2", "255.0.0.0");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.4", "10.0.0.20"}, {"10.0.0.4", "10.0.0.9"}}));
    readdress("R", "Ethernet0", "10.0.0.2");
    router_address_changed(session, tables, "R", "Ethernet0", "192.168.0.1", "255.0.0.0");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.4", "10.0.0.20"},
                              {"10.0.0.4", "10.0.0.9"},
                              {"10.0.0.2", "10.0.0.20"},
                              {"10.0.0.2", "10.0.0.9"}}));

    router_address_removed(session, "R", "Ethernet0", "10.0.0.2");
    EXPECT_EQ(pairs(), (Pairs{{"10.0.0.4", "10.0.0.20"}, {"10.0.0.4", "10.0.0.9"}}));
    EXPECT_EQ(uplink_address(), "UA");
}

TEST_F(LanChanges, TheWholeNetworkIsDerivedAgainOnARebuild) {
    management("S", "10.0.0.20", "255.0.0.0");
    session.execute("INSERT INTO eth_iplist (master_ip, sub_ip) VALUES ('1.1.1.1', '2.2.2.2')");
    rebuild_lan_tables(session, tables);
    EXPECT_EQ(pairs().size(), 4u);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sw_riplist").to_int(), 6);  // S, H per port
}

}  // namespace
