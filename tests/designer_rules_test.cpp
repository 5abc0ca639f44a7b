// The designer's rules that need no database: interface labels, label
// places, host names and addresses.

#include <gtest/gtest.h>

#include "designer/canvas.h"
#include "designer/designer_catalogue.h"
#include "designer/designer_dialogs.h"
#include "designer/host_names.h"

namespace {

using namespace vexlab::designer;

TEST(ShortInterfaceLabel, FirstAndLastCharacterOfSlotAndPort) {
    struct Case {
        const char* name;
        const char* label;
    } cases[] = {
        {"FastEthernet0/5", "F0/5"},
        {"FastEthernet0/12", "F0/12"},
        {"Ethernet0/10", "E0/10"},
        {"FastEthernet0/26", "F0/26"},
        {"Serial0", "S0"},
        {"Ethernet0", "E0"},
        {"BRI0", "B0"},
        {"FastEthernet1", "F1"},
        {"IsdnBri0", "I0"},
        {"Serial0/123", "S0/13"},    // a long port keeps its first and last digit
        {"Serial0/1/2", "S0/1"},     // after a second "/" nothing counts
        {"WAN 1/Serial0", "W1/S0"},  // a card interface
        {"0/7", "00/7"},             // the slot part keeps both ends, even when one
        {"S", "S"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(short_interface_label(c.name), c.label) << c.name;
}

TEST(LabelPosition, HalfwayAlongShortLinesAndCappedNearTheDevice) {
    struct Case {
        ConnectionLine line;
        Point reference, far;
        Point expected;
    } cases[] = {
        // Far device right, level: the cap of 45 to the right, 0 down.
        {{115, 115, 315, 115}, {100, 100}, {300, 100}, {144, 100}},
        // Far device left and above: under 15 to the left and 10 up.
        {{115, 115, 35, 55}, {100, 100}, {20, 40}, {86, 91}},
        // A short line: half way.
        {{115, 115, 135, 135}, {100, 100}, {130, 130}, {110, 110}},
        // A fractional half keeps its fraction.
        {{0, 0, 101, 0}, {0, 0}, {200, 0}, {44.5, 0}},
        // Far device below: under 40 down.
        {{0, 0, 0, 300}, {50, 50}, {50, 300}, {50, 89}},
    };
    for (const auto& c : cases) {
        const Point at = label_position(c.line, c.reference, c.far);
        EXPECT_DOUBLE_EQ(at.x, c.expected.x) << c.line.x1 << "," << c.line.y1;
        EXPECT_DOUBLE_EQ(at.y, c.expected.y) << c.line.x1 << "," << c.line.y1;
    }
}

TEST(HostNames, ProposalsByGroup) {
    EXPECT_EQ(proposed_name(DeviceGroup::Router, 1), "R1");
    EXPECT_EQ(proposed_name(DeviceGroup::Switch, 3), "SW3");
    EXPECT_EQ(proposed_name(DeviceGroup::Workstation, 12), "PC12");
}

TEST(HostNames, RefusedWhenTakenInAnyCaseOrUnfitForAColumn) {
    const std::vector<std::string> taken = {"R1", "Core", "default"};
    struct Case {
        const char* name;
        HostNameVerdict verdict;
    } cases[] = {
        {"R2", HostNameVerdict::Accepted},
        {"Edge-1", HostNameVerdict::Accepted},
        // Quotes and semicolons break nothing: every value is bound, and
        // the files carry them.
        {"Core'1;x", HostNameVerdict::Accepted},
        {"say\"hi", HostNameVerdict::Accepted},
        {"default_value", HostNameVerdict::Accepted},
        {"rec_index", HostNameVerdict::Accepted},
        {"", HostNameVerdict::Empty},
        {"R1", HostNameVerdict::Taken},
        {"r1", HostNameVerdict::Taken},
        {"CORE", HostNameVerdict::Taken},
        {"Default", HostNameVerdict::Taken},  // taken comes first
        {"two\r\nlines", HostNameVerdict::Unusable},
        {"line\nbreak", HostNameVerdict::Unusable},
        {"Config_Variable", HostNameVerdict::Unusable},
        {"rowid", HostNameVerdict::Unusable},
        // Lines the files give a meaning, as a line of their own or
        // between "<" and ">".
        {"ospf information", HostNameVerdict::Unusable},
        {"<EIGRP INFORMATION>", HostNameVerdict::Unusable},
        {"framemap", HostNameVerdict::Unusable},
        {"deviceindex", HostNameVerdict::Unusable},
        {"EOR", HostNameVerdict::Unusable},
        {"EORx", HostNameVerdict::Unusable},
        {"ospf information 2", HostNameVerdict::Accepted},
        {"XEOR", HostNameVerdict::Accepted},
    };
    for (const auto& c : cases) EXPECT_EQ(check_host_name(c.name, taken), c.verdict) << c.name;
    EXPECT_EQ(check_host_name("DEFAULT", {}), HostNameVerdict::Unusable);
}

// Each name no device can bear is refused with the reason, naming it.
TEST(HostNames, AnUnusableNameSaysWhy) {
    using namespace std::string_literals;
    const struct {
        std::string name;
        std::string refusal;
    } cases[] = {
        {"default",
         "a device cannot be named \"default\": the exported settings keep each setting's default "
         "value in a column of that name, beside one column per device"},
        {"Config_Variable",
         "a device cannot be named \"Config_Variable\": the settings table holds the setting names "
         "in a column of that name"},
        {"OID",
         "a device cannot be named \"OID\": the database uses that name for the number of every "
         "row"},
        {"R"s + '\0' + "9",
         "a device cannot be named \"R\\x009\": the database ends a name at a NUL character"},
        {"two\nlines",
         "a device cannot be named \"two\\x0Alines\": the network files write a host name on a "
         "line of its own"},
        {"framemap",
         "a device cannot be named \"framemap\": the network files and the map read the line "
         "\"framemap\" as a section heading, and a host name is a line of its own"},
        {"Description",
         "a device cannot be named \"Description\": the network files also write a host name "
         "between \"<\" and \">\", where \"Description\" would read as the section heading "
         "\"<description>\""},
        {"EOR7",
         "a device cannot be named \"EOR7\": the network files and the map end a record at every "
         "line that begins with \"EOR\", and a host name is a line of its own"},
    };
    for (const auto& c : cases) EXPECT_EQ(unusable_host_name(c.name), c.refusal) << c.name;
    EXPECT_EQ(unusable_host_name("Core'1;x"), std::nullopt);
}

TEST(DottedAddress, FourNumbersFromZeroTo255) {
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {
        {"10.0.0.1", true},   {"255.255.255.0", true}, {"0.0.0.0", true},
        {"010.1.1.1", true},  {"10.0.0", false},       {"10.0.0.1.5", false},
        {"300.1.1.1", false}, {"-1.0.0.0", false},     {"255.255.256.0", false},
        {"10.0.0.x", false},  {"10..0.1", false},      {"1'.0.0.0", false},
        {" 10.0.0.1", false}, {"+1.0.0.0", false},     {"1000.0.0.1", false},
    };
    for (const auto& c : cases) EXPECT_EQ(is_dotted_address(c.text), c.ok) << c.text;
}

TEST(Palette, GroupsItemsAndConnectors) {
    const auto& groups = palette();
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].caption, "Routers");
    EXPECT_EQ(groups[0].items, (std::vector<std::string>{"2501", "2503", "2610", "2620"}));
    EXPECT_EQ(groups[1].items, (std::vector<std::string>{"2950", "1912"}));
    EXPECT_EQ(groups[2].caption, "Other devices");
    EXPECT_EQ(groups[3].items,
              (std::vector<std::string>{"Serial", "Ethernet", "IsdnBri", "Frame Relay"}));
    EXPECT_EQ(connector_category(ConnectorKind::FrameRelay), "Serial");
    EXPECT_EQ(connector_colour(ConnectorKind::Ethernet), 8454143);
    EXPECT_EQ(connector_colour(ConnectorKind::IsdnBri), 12632319);
    EXPECT_EQ(connector_colour(ConnectorKind::FrameRelay), 65280);
    EXPECT_EQ(connector_colour(ConnectorKind::Serial), -2147483630);
    EXPECT_FALSE(model_group("pc"));  // model texts are exact
}

}  // namespace
