// The text rules the configuration commands compare addresses and names by:
// which interfaces a network line enrols (subnet, wildcard, classful), which
// address wins as router id, the kind of an interface name, strict numbers.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands/config/address_rules.h"
#include "commands/config/interface_names.h"
#include "commands/config/network_rows.h"
#include "commands/config/switching.h"

namespace {

using namespace vexlab::commands;

TEST(SubnetRule, TheInterfacesOwnSubnetMustBeTyped) {
    struct Case {
        const char *address, *mask, *network;
        bool matches;
    } cases[] = {
        {"10.1.1.1", "255.255.255.0", "10.1.1.0", true},
        {"10.1.1.1", "255.255.255.0", "10.0.0.0", false},  // not classful
        {"10.1.1.1", "255.0.0.0", "10.0.0.0", true},
        {"172.16.5.9", "255.255.240.0", "172.16.0.0", true},
        {"010.1.1.1", "255.255.255.0", "10.1.1.0", true},   // parts read as numbers
        {"10.1.1.1", "255.255.255.0", "010.1.1.0", false},  // the network compares as text
        {"UA", "UA", "10.0.0.0", false},
        {"10.1.1", "255.255.255.0", "10.1.1.0", false},
        {"10.1.1.1", "255.255.255", "10.1.1.0", false},
        {"10.1.1.1.5", "255.255.255.0", "10.1.1.0", false},
        {"10.1.x.1", "255.255.255.0", "10.1.0.0", false},
        {"10..1.1", "255.0.0.0", "10.0.0.0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(subnet_rule_matches(c.address, c.mask, c.network), c.matches)
            << c.address << " " << c.mask << " " << c.network;
    EXPECT_EQ(subnet_text("192.168.10.77", "255.255.255.0"), "192.168.10.0");
    EXPECT_EQ(subnet_text("10.0.0.1", "UA"), std::nullopt);
}

TEST(WildcardRule, ZeroPartsCompareAsWrittenOtherPartsAreFree) {
    struct Case {
        const char *address, *network, *wildcard;
        bool matches;
    } cases[] = {
        {"10.1.1.1", "10.1.1.0", "0.0.0.255", true},
        {"10.1.2.1", "10.1.1.0", "0.0.0.255", false},
        {"10.1.1.1", "10.1.1.0", "0.0.0.3", true},  // 3 frees the part as 255 does
        {"10.1.1.200", "10.1.1.0", "0.0.0.3", true},
        {"192.168.5.7", "0.0.0.0", "255.255.255.255", true},
        {"10.1.1.1", "10.1.1.1", "0.0.0.0", true},
        {"10.1.1.1", "10.1.1.01", "0.0.0.0", false},  // "1" and "01" differ as text
        {"10.1.1.1", "10.1.1.0", "00.0.0.255", true},
        {"UA", "0.0.0.0", "255.255.255.255", false},
        {"10.1.1", "10.1.1.0", "0.0.0.255", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildcard_rule_matches(c.address, c.network, c.wildcard), c.matches)
            << c.address << " " << c.network << " " << c.wildcard;
}

TEST(ClassfulRule, TheFirstPartChoosesTheClass) {
    struct Case {
        const char* address;
        std::optional<std::string> network;
    } cases[] = {
        {"10.2.3.4", "10.0.0.0"},
        {"126.9.9.9", "126.0.0.0"},
        {"127.0.0.1", std::nullopt},
        {"128.5.6.7", "128.5.0.0"},
        {"172.16.5.1", "172.16.0.0"},
        {"191.1.2.3", "191.1.0.0"},
        {"192.168.5.10", "192.168.5.0"},
        {"223.1.2.3", "223.1.2.0"},
        {"224.0.0.1", std::nullopt},
        {"0.1.2.3", std::nullopt},
        {"UA", std::nullopt},
        {"172.016.5.1", "172.016.0.0"},  // as written
    };
    for (const auto& c : cases) EXPECT_EQ(classful_network(c.address), c.network) << c.address;
    EXPECT_TRUE(classful_rule_matches("172.16.5.1", "172.16.0.0"));
    EXPECT_FALSE(classful_rule_matches("172.16.5.1", "172.0.0.0"));
}

TEST(RouterId, TheGreaterJoinedTextWins) {
    struct Case {
        std::string current, candidate;
        bool replaces;
    } cases[] = {
        {"UA", "10.0.0.1", true},       {"9.0.0.1", "10.0.0.1", false},
        {"10.0.0.1", "9.0.0.1", true},  {"192.168.1.1", "192.168.10.1", false},
        {"1.23.4.5", "12.3.4.5", true}, {"", "10.0.0.1", true},
        {"10.0.0.1", "UA", false},      {"0.0.0.0", "1.0.0.0", true},
        {"10.0.0.1", "10.0.0.1", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(router_id_replaces(c.current, c.candidate), c.replaces)
            << c.current << " <- " << c.candidate;
    EXPECT_EQ(router_id_rank("10.0.0.2"), "10002");
    EXPECT_EQ(router_id_rank("10.0.2"), std::nullopt);
}

TEST(InterfaceKind, TheLettersOfTheNamedPart) {
    struct Case {
        const char *name, *kind;
    } cases[] = {
        {"Serial0", "serial"},
        {"serial1", "serial"},
        {"Serial0/1", "serial"},
        {"Serial0.2", "serial"},
        {"WAN Slot 0/Serial1", "serial"},
        {"Slot 0/FastEthernet0", "fastethernet"},
        {"FastEthernet0/0", "fastethernet"},
        {"Ethernet0", "ethernet"},
        {"IsdnBri0", "isdnbri"},
        {"loopback0", "loopback"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(interface_kind(c.name), c.kind) << c.name;
    EXPECT_TRUE(is_serial_interface("WAN Slot 0/Serial1"));
    EXPECT_FALSE(is_serial_interface("Serial10x/Ethernet0"));
    EXPECT_TRUE(is_ethernet_interface("FastEthernet0/0"));
    EXPECT_TRUE(is_isdn_interface("ISDNBRI0"));
    EXPECT_EQ(subinterface_name("Serial0", "1"), "Serial0.1");
    EXPECT_EQ(interface_keyword("bri"), "IsdnBri");
}

TEST(WholeNumber, ThirtyTwoBitsDigitsOnly) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"1005", 1005},
        {"-1", -1},
        {"+7", 7},
        {"0005", 5},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"1.5", std::nullopt},
        {"12a", std::nullopt},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"+-1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(whole_number(c.text), c.value) << c.text;
}

TEST(VlanName, FourDigitsAfterTheWord) {
    EXPECT_EQ(default_vlan_name(5), "VLAN0005");
    EXPECT_EQ(default_vlan_name(100), "VLAN0100");
    EXPECT_EQ(default_vlan_name(999), "VLAN0999");
    EXPECT_EQ(default_vlan_name(1005), "VLAN1005");
}

}  // namespace
