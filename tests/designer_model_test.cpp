// The designer's model without its window: placing devices, naming them,
// their interfaces, drawing plain and Frame Relay connections, moving,
// removing, and the consistency of the connection tables after any sequence
// of these.

#include "designer/designer_model.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "support/designer_script.h"

namespace {

using namespace vexlab::designer;
using vexlab::db::Recordset;
using vexlab::platform::Answer;
using vexlab::platform::Icon;

class Designer : public ::testing::Test, protected vexlab::test::DesignerDriver {
protected:
    std::vector<std::string> interface_names(const std::string& host) {
        std::vector<std::string> names;
        for (const auto& row : model->tables().interfaces(host)) names.push_back(row.interfacetype);
        return names;
    }
    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown())
            if (shown.kind == "message") texts.push_back(shown.text);
        return texts;
    }
    InterfaceRow row(const std::string& host, const std::string& interface) {
        auto found = model->tables().interface_row(host, interface);
        EXPECT_TRUE(found) << host << " " << interface;
        return found.value_or(InterfaceRow{});
    }

    // Three 2501 routers in a row, R1, R2, R3.
    void three_routers() {
        drop("2501", 50, 50, "R1");
        drop("2501", 200, 50, "R2");
        drop("2501", 350, 50, "R3");
    }

    // The invariants of the connection tables: both ends of every plain
    // connection agree; sub-interface pairs point at each other; the line
    // numbers are exactly 1 to the number of lines, each used by one plain
    // connection or by the pairs between one pair of main interfaces; every
    // row belongs to a device.
    void expect_consistent() {
        auto& s = session;
        const int lines = static_cast<int>(model->lines().size());
        std::map<int, std::set<std::string>> users;  // line -> who uses it
        auto ip = s.open_recordset("SELECT * FROM ip");
        for (; !ip.eof(); ip.move_next()) {
            const std::string host = ip.text("hostname");
            EXPECT_FALSE(
                s.scalar("SELECT hostname FROM devicenames WHERE hostname = ?", {host}).is_null())
                << "ip row of a device that is gone: " << host;
            const int line = static_cast<int>(ip.field("lineno").to_int());
            if (line == 0) continue;
            EXPECT_TRUE(ip.field("connected").to_bool());
            const std::string far = ip.text("todevice");
            const std::string far_if = ip.text("tointerface");
            auto back = s.open_recordset(
                "SELECT todevice, tointerface, lineno, connected FROM ip "
                "WHERE hostname = ? AND interfacetype = ?",
                {far, far_if});
            ASSERT_FALSE(back.eof()) << host << " faces a missing " << far << " " << far_if;
            EXPECT_EQ(back.text(0), host);
            EXPECT_EQ(back.text(1), ip.text("interfacetype"));
            EXPECT_EQ(back.field(2).to_int(), line);
            std::string a = host + "/" + ip.text("interfacetype"), b = far + "/" + far_if;
            users[line].insert(std::min(a, b) + "-" + std::max(a, b));
        }
        auto sub = s.open_recordset(
            "SELECT ip.hostname, ip.interfacetype, ip.connected, sub_int_det.* FROM sub_int_det "
            "LEFT JOIN ip ON ip.\"index\" = sub_int_det.ref");
        for (; !sub.eof(); sub.move_next()) {
            ASSERT_FALSE(sub.field(0).is_null()) << "sub-interface row without its interface";
            EXPECT_TRUE(sub.field(2).to_bool())
                << "a main interface with sub-interfaces is connected";
            const std::string host = sub.text(0), iface = sub.text(1);
            const std::string far = sub.text("todevice"), far_if = sub.text("tointerface");
            const int line = static_cast<int>(sub.field("lineno").to_int());
            auto back = s.open_recordset(
                "SELECT sub_int_det.todevice, sub_int_det.tointerface, sub_int_det.lineno, "
                "sub_int_det.to_sub_int_num FROM ip INNER JOIN sub_int_det "
                "ON ip.\"index\" = sub_int_det.ref WHERE ip.hostname = ? AND ip.interfacetype = ? "
                "AND sub_int_det.sun_int_num = ?",
                {far, far_if, sub.field("to_sub_int_num")});
            ASSERT_FALSE(back.eof()) << host << " " << iface << " faces a missing sub-interface";
            EXPECT_EQ(back.text(0), host);
            EXPECT_EQ(back.text(1), iface);
            EXPECT_EQ(back.field(2).to_int(), line);
            EXPECT_EQ(back.field(3).to_int(), sub.field("sun_int_num").to_int());
            std::string a = host + "/" + iface, b = far + "/" + far_if;
            users[line].insert(std::min(a, b) + "-" + std::max(a, b));
        }
        // A main interface counts as connected exactly while it carries a
        // plain connection or a sub-interface.
        auto flags = s.open_recordset(
            "SELECT hostname, interfacetype FROM ip WHERE connected <> 0 AND lineno = 0 AND NOT "
            "EXISTS (SELECT 1 FROM sub_int_det WHERE sub_int_det.ref = ip.\"index\")");
        EXPECT_TRUE(flags.eof()) << flags.text(0) << " " << flags.text(1)
                                 << " is connected to nothing";
        for (int line = 1; line <= lines; ++line) {
            ASSERT_EQ(users[line].size(), 1u) << "line " << line;
        }
        EXPECT_EQ(static_cast<int>(users.size()), lines) << "line numbers beyond the lines";
    }
};

// ---------------------------------------------------------------- catalogue

// Every palette model has its catalogue rows under one number, and every
// card makes interfaces of a category a connector joins.
TEST_F(Designer, CatalogueHasEveryPaletteModelUnderOneNumber) {
    auto& tables = model->tables();
    for (const auto& group : palette()) {
        if (group.caption == "Connectors") continue;
        for (const auto& item : group.items) {
            SCOPED_TRACE(item);
            const auto found = tables.find_model(item);
            ASSERT_TRUE(found);
            EXPECT_EQ(tables.template_index(item), found->index);
            if (is_switch_model(item)) continue;
            EXPECT_FALSE(tables.default_slot(item).empty());
            auto cards = tables.default_slot(item);
            for (const auto& slot : tables.optional_slots(item))
                cards.insert(cards.end(), slot.cards.begin(), slot.cards.end());
            for (const auto& card : cards)
                EXPECT_TRUE(card.interface_type == "Serial" || card.interface_type == "Ethernet" ||
                            card.interface_type == "IsdnBri")
                    << card.interface_type;
            EXPECT_LE(tables.optional_slots(item).size(), 3u);
        }
    }
}

// ----------------------------------------------------------------- naming

TEST_F(Designer, ProposedNamesCountPerGroupAndRefusalsGiveTheNumberBack) {
    struct Step {
        const char* model;
        double x;
        std::optional<std::string> answer;
        const char* proposed;
        bool placed;
    } steps[] = {
        {"2501", 10, "R1", "R1", true},
        {"2950", 60, "SW1", "SW1", true},
        {"PC", 110, "PC1", "PC1", true},
        {"2503", 160, "Core", "R2", true},         // another name still uses the number up
        {"2610", 210, std::nullopt, "R3", false},  // a cancelled prompt gives it back
        {"2620", 260, "", "R3", false},            // as does an empty name
        {"1912", 310, "sw1", "SW2", false},        // taken in another letter case
        {"2501", 360, "R3", "R3", true},
        {"2950", 410, "SW2", "SW2", true},
    };
    int expected_devices = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.proposed);
        dialogs.clear();
        host.addresses.clear();
        drop(step.model, step.x, 200, step.answer);
        ASSERT_FALSE(dialogs.offered().empty());
        EXPECT_EQ(dialogs.offered().back(), step.proposed);
        EXPECT_EQ(dialogs.shown().front().title, "Host Name");
        EXPECT_EQ(dialogs.shown().front().text, "Enter The Hostname:");
        if (step.placed) ++expected_devices;
        EXPECT_EQ(static_cast<int>(model->devices().size()), expected_devices);
    }
    EXPECT_EQ(model->router_counter(), 3);
    EXPECT_EQ(model->switch_counter(), 2);
    EXPECT_EQ(model->pc_counter(), 1);
    EXPECT_TRUE(model->network_designed());
}

// A name in use gets the duplicate message; a free name no device can bear
// gets its reason.  Either way nothing is written.
TEST_F(Designer, RefusedNamesSayWhyAndWriteNothing) {
    drop("2501", 50, 50, "R1");
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"r1", "This hosname is already used,Please choose another name"},
        {"Config_Variable",
         "A device cannot be named \"Config_Variable\": the settings table holds the setting "
         "names in a column of that name.\nPlease choose another name."},
        {"default",
         "A device cannot be named \"default\": the exported settings keep each setting's default "
         "value in a column of that name, beside one column per device.\nPlease choose another "
         "name."},
        {"<connectors>",
         "A device cannot be named \"<connectors>\": the network files and the map read the line "
         "\"<connectors>\" as a section heading, and a host name is a line of its own.\nPlease "
         "choose another name."},
        {"two\nlines",
         "A device cannot be named \"two\\x0Alines\": the network files write a host name on a "
         "line of its own.\nPlease choose another name."},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        drop("2501", 200, 200, std::string(c.name));
        EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(dialogs.shown().back().icon, Icon::Critical) << c.name;
    }
    EXPECT_EQ(model->tables().host_names(), std::vector<std::string>{"R1"});
    EXPECT_EQ(model->router_counter(), 1);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM ip").to_int(), 3);
}

TEST_F(Designer, DroppingStartsTheDesignEvenWhenTheNameIsCancelled) {
    EXPECT_FALSE(model->network_designed());
    drop("PC", 50, 50, std::nullopt);
    EXPECT_TRUE(model->network_designed());
    EXPECT_TRUE(model->devices().empty());
}

// ------------------------------------------------------------- interfaces

TEST_F(Designer, EachModelGetsItsInterfacesInCreationOrder) {
    struct Case {
        const char* model;
        std::vector<std::string> names;
    } cases[] = {
        {"2501", {"Serial0", "Serial1", "Ethernet0"}},
        {"2503", {"Serial0", "Serial1", "Ethernet0", "IsdnBri0"}},
        {"PC", {"Ethernet0"}},
        {"2950",
         {"FastEthernet0/1", "FastEthernet0/2", "FastEthernet0/3", "FastEthernet0/4",
          "FastEthernet0/5", "FastEthernet0/6", "FastEthernet0/7", "FastEthernet0/8",
          "FastEthernet0/9", "FastEthernet0/10", "FastEthernet0/11", "FastEthernet0/12",
          "FastEthernet1"}},
        {"1912",
         {"Ethernet0/1", "Ethernet0/2", "Ethernet0/3", "Ethernet0/4", "Ethernet0/5", "Ethernet0/6",
          "Ethernet0/7", "Ethernet0/8", "Ethernet0/9", "Ethernet0/10", "Ethernet0/11",
          "Ethernet0/12", "FastEthernet0/26", "FastEthernet0/27", "Ethernet0"}},
    };
    double x = 20;
    int first_index = 1;
    for (const auto& c : cases) {
        const std::string name = std::string("D") + c.model;
        drop(c.model, x, 100, name);
        x += 60;
        EXPECT_EQ(interface_names(name), c.names) << c.model;
        // Numbers ascend without gaps across devices.
        const auto rows = model->tables().interfaces(name);
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i].index, first_index + static_cast<int>(i)) << c.model;
        first_index += static_cast<int>(rows.size());
    }
    const auto port = row("D2950", "FastEthernet0/3");
    EXPECT_EQ(port.ipadd, "NA");
    EXPECT_EQ(port.todevice, "");
    EXPECT_EQ(port.int_category, "Ethernet");
    const auto management = row("D1912", "Ethernet0");
    EXPECT_EQ(management.todevice, "NA");
    EXPECT_EQ(management.tointerface, "NA");
    EXPECT_EQ(management.ipadd, "");
    const auto serial = row("D2501", "Serial1");
    EXPECT_FALSE(serial.connected);
    EXPECT_EQ(serial.todevice, "");
    EXPECT_EQ(serial.lineno, 0);
}

TEST_F(Designer, ModularRouterOffersItsSlotsAndMakesTheChosenCards) {
    std::array<std::optional<SlotDialog::Position>, 3> positions;
    bool notice = true;
    host.slot_cards.push_back([&](SlotDialog& d) {
        for (std::size_t i = 0; i < 3; ++i) positions[i] = d.positions()[i];
        notice = d.shows_notice();
        d.Close_Click({"2 Serial", "1 IsdnBri", SlotDialog::kEmptyChoice});
    });
    drop("2610", 50, 50, "R1");
    ASSERT_TRUE(positions[0] && positions[1] && positions[2]);
    // The two WAN slots, in slot order; no slot is shown that takes nothing.
    EXPECT_EQ(positions[0]->caption, "WAN 1");
    EXPECT_EQ(positions[0]->cards, (std::vector<std::string>{"1 Serial", "2 Serial", "1 IsdnBri"}));
    EXPECT_EQ(positions[1]->caption, "WAN 2");
    EXPECT_FALSE(positions[2]->visible);
    for (const auto& position : positions) EXPECT_FALSE(position->unsupported);
    EXPECT_FALSE(notice);
    EXPECT_EQ(interface_names("R1"), (std::vector<std::string>{"Ethernet0", "WAN 1/Serial0",
                                                               "WAN 1/Serial1", "WAN 2/IsdnBri0"}));
    EXPECT_EQ(row("R1", "WAN 1/Serial1").int_category, "Serial");

    // A second drop closed by the dialog's frame takes no card, whatever the
    // first drop chose.
    drop("2620", 200, 50, "R2");
    EXPECT_EQ(interface_names("R2"), std::vector<std::string>{"Ethernet0"});
    // A card typed into the box counts like a chosen one.
    host.slot_cards.push_back([](SlotDialog& d) {
        d.Close_Click({SlotDialog::kEmptyChoice, "3 Serial", SlotDialog::kEmptyChoice});
    });
    drop("2620", 350, 50, "R3");
    EXPECT_EQ(interface_names("R3"), (std::vector<std::string>{"Ethernet0", "WAN 2/Serial0",
                                                               "WAN 2/Serial1", "WAN 2/Serial2"}));
}

// No choice of the slot dialog does nothing: every card each modular model
// offers in each of its slots makes that many interfaces of its kind there.
TEST_F(Designer, EveryCardTheSlotDialogOffersMakesItsInterfaces) {
    double x = 50;
    int number = 0;
    for (const char* model : {"2610", "2620"}) {
        std::array<SlotDialog::Position, 3> offered{};
        host.slot_cards.push_back([&](SlotDialog& d) { offered = d.positions(); });
        drop(model, x, 50, "Probe" + std::to_string(++number));
        x += 50;
        for (std::size_t p = 0; p < offered.size(); ++p) {
            if (!offered[p].visible) continue;
            for (const std::string& card : offered[p].cards) {
                SCOPED_TRACE(std::string(model) + " " + offered[p].caption + " " + card);
                const std::string name = "R" + std::to_string(++number);
                host.slot_cards.push_back([&](SlotDialog& d) {
                    std::array<std::string, 3> texts;
                    texts.fill(SlotDialog::kEmptyChoice);
                    texts[p] = card;
                    d.Close_Click(texts);
                });
                drop(model, x, 50, name);
                x += 50;
                const auto space = card.find(' ');
                const int count = std::stoi(card.substr(0, space));
                const std::string type = card.substr(space + 1);
                std::vector<std::string> expected{"Ethernet0"};
                for (int i = 0; i < count; ++i)
                    expected.push_back(offered[p].caption + "/" + type + std::to_string(i));
                EXPECT_EQ(interface_names(name), expected);
            }
        }
    }
    EXPECT_EQ(number, 2 + 12);  // two slots of three cards on each model
}

TEST_F(Designer, SwitchAddressGoesToItsManagementInterface) {
    host.addresses.push_back([](IpAssignDialog& d) {
        EXPECT_FALSE(d.lists_enabled());
        EXPECT_TRUE(d.List1().empty());
        EXPECT_EQ(d.Label4(), "SW1 IP Configuration");
        EXPECT_EQ(d.cmdIpAssign_Click("10.0.0.5", "255.0.0.0"), IpAssignDialog::Boxes::Clear);
        d.cmdClose_Click();
    });
    drop("2950", 50, 50, "SW1");
    EXPECT_EQ(row("SW1", "FastEthernet1").ipadd, "10.0.0.5");
    EXPECT_EQ(model->selected_model(), "");
}

TEST_F(Designer, AddressChecksInOrder) {
    drop("2501", 50, 50, "R1");
    drop("2501", 200, 50, "R2");
    IpAssignDialog taken(*model, "R2", "2501");
    ASSERT_EQ(taken.cmdIpAssign_Click("10.0.0.1", "255.0.0.0"), IpAssignDialog::Boxes::Clear);
    struct Case {
        std::string address, mask;
        const char* message;
        IpAssignDialog::Boxes boxes;
    } cases[] = {
        {"", "255.0.0.0", "Please fill in the IP and MASK address fields",
         IpAssignDialog::Boxes::Keep},
        {"10.0.0.2", "", "Please fill in the IP and MASK address fields",
         IpAssignDialog::Boxes::Keep},
        {"10.0.0", "255.0.0.0", "wrong IP address format", IpAssignDialog::Boxes::Keep},
        {"10.0.0.2", "255.255.256.0", "wrong IP address format", IpAssignDialog::Boxes::Keep},
        {"10.0.0.1", "255.0.0.0", "this IP address is already assigned",
         IpAssignDialog::Boxes::ClearAndFocusAddress},
    };
    IpAssignDialog dialog(*model, "R1", "2501");
    EXPECT_EQ(dialog.Label4(), "Serial0");
    for (const auto& c : cases) {
        dialogs.clear();
        EXPECT_EQ(dialog.cmdIpAssign_Click(c.address, c.mask), c.boxes) << c.address;
        EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.address;
    }
    EXPECT_EQ(row("R1", "Serial0").ipadd, "");
    // The first interface is assigned without a click, and the lists show it.
    dialogs.clear();
    EXPECT_EQ(dialog.cmdIpAssign_Click("10.0.0.2", "255.0.0.0"), IpAssignDialog::Boxes::Clear);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(dialog.List2()[0], "10.0.0.2");
    EXPECT_EQ(dialog.List3()[0], "255.0.0.0");
    // The address an interface already holds may be typed again.
    EXPECT_EQ(dialog.cmdIpAssign_Click("10.0.0.2", "255.255.0.0"), IpAssignDialog::Boxes::Clear);
    dialog.List1_Click(2);
    EXPECT_EQ(dialog.Label4(), "Ethernet0");
    EXPECT_EQ(dialog.cmdIpAssign_Click("192.168.1.1", "255.255.255.0"),
              IpAssignDialog::Boxes::Clear);
    EXPECT_EQ(row("R1", "Ethernet0").maskadd, "255.255.255.0");
    EXPECT_EQ(dialog.List2(), (std::vector<std::string>{"10.0.0.2", "Unassigned", "192.168.1.1"}));
}

// ----------------------------------------------------------------- drops

TEST_F(Designer, DropsTooCloseToADeviceAreRefusedButConnectorsLandOnIt) {
    struct Case {
        double dx, dy;
        bool placed;
    } cases[] = {
        {35, 35, false}, {39, 39, false}, {40, 10, true}, {10, 40, true},
        {-5, 10, true},  {0, 10, true},  // on the corner's edge: strictly inside only
    };
    for (const auto& c : cases) {
        model->form_load();
        drop("2501", 100, 100, "R1");
        drop("2501", 100 + c.dx, 100 + c.dy, "R2");
        EXPECT_EQ(model->devices().size(), c.placed ? 2u : 1u) << c.dx << "," << c.dy;
    }
    // A connector dropped 35 right of the corner is on no device; 29 and 29
    // is on it.
    model->form_load();
    drop("2501", 100, 100, "R1");
    host.shown.clear();
    press_palette("Serial");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Serial", -1}, 135, 110);
    EXPECT_TRUE(host.shown.empty());
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Serial", -1}, 129, 129);
    EXPECT_EQ(host.shown, std::vector<std::string>{"frminterfaces"});
}

// ------------------------------------------------------------- connections

TEST_F(Designer, PlainConnectionIsStoredAtBothEndsWithItsLineAndLabels) {
    three_routers();
    connect("Serial", "R1", "Serial0", "R2", "Serial1");
    ASSERT_EQ(model->lines().size(), 1u);
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    const auto a = row("R1", "Serial0");
    const auto b = row("R2", "Serial1");
    EXPECT_TRUE(a.connected);
    EXPECT_EQ(a.todevice, "R2");
    EXPECT_EQ(a.tointerface, "Serial1");
    EXPECT_EQ(a.lineno, 1);
    EXPECT_EQ(b.todevice, "R1");
    EXPECT_EQ(b.lineno, 1);
    // The line runs from the drop point to the press point.
    const auto& line = model->lines()[0];
    EXPECT_EQ(line.colour, kTemplateLineColour);
    EXPECT_DOUBLE_EQ(line.x1, 65);
    EXPECT_DOUBLE_EQ(line.x2, 215);
    // Each end got a label beside the line.
    EXPECT_NE(a.label_x, 0);
    EXPECT_NE(b.label_x, 0);
    // The second end (R2, pressed at 215,65) goes left of its press point.
    EXPECT_DOUBLE_EQ(b.label_x, 215 - 14);
    // The first end's label starts from R1's corner, to the right.
    EXPECT_DOUBLE_EQ(a.label_x, 50 + 44);
    expect_consistent();
    // The used interfaces are no longer offered.
    EXPECT_EQ(model->tables().free_interfaces("R1", ConnectorKind::Serial),
              std::vector<std::string>{"Serial1"});
}

TEST_F(Designer, FrameRelayPairsShareOneLineAndNumberUpPerInterface) {
    three_routers();
    // An address on the first end is cleared, with a notice.
    IpAssignDialog(*model, "R1", "2501").cmdIpAssign_Click("10.0.0.1", "255.0.0.0");
    dialogs.clear();
    connect("Frame Relay", "R1", "Serial0", "R2", "Serial0");
    EXPECT_EQ(messages(),
              std::vector<std::string>{"I.P Address Configured on this Interface will be removed"});
    EXPECT_EQ(dialogs.shown().back().icon, Icon::Information);
    EXPECT_EQ(row("R1", "Serial0").ipadd, "UA");
    ASSERT_EQ(model->lines().size(), 1u);
    EXPECT_EQ(model->lines()[0].colour, kFrameRelayLineColour);
    // A second pair between the same interfaces joins the line.
    connect("Frame Relay", "R1", "Serial0", "R2", "Serial0");
    EXPECT_EQ(model->lines().size(), 1u);
    // A third to another router gets its own line and the next number.
    connect("Frame Relay", "R1", "Serial0", "R3", "Serial1");
    EXPECT_EQ(model->lines().size(), 2u);
    auto subs = model->tables().subinterfaces("R1", "Serial0");
    ASSERT_EQ(subs.size(), 3u);
    EXPECT_EQ(subs[2].sun_int_num, 3);
    EXPECT_EQ(subs[2].todevice, "R3");
    EXPECT_EQ(subs[2].to_sub_int_num, "1");
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sub_int_det WHERE lineno = 1").to_int(), 4);
    // The main interfaces are connected but keep no far end of their own.
    const auto main = row("R1", "Serial0");
    EXPECT_TRUE(main.connected);
    EXPECT_EQ(main.todevice, "");
    EXPECT_EQ(main.lineno, 0);
    // The second pair took the label places of the first.
    auto labels = session.open_recordset(
        "SELECT DISTINCT label_x, label_y FROM sub_int_det WHERE lineno = 1 AND ref = ?",
        {main.index});
    EXPECT_EQ(labels.record_count(), 1u);
    EXPECT_NE(labels.field(0).to_double(), 0);
    expect_consistent();
    // Frame Relay offers the interface with sub-interfaces once; Serial does not.
    EXPECT_EQ(model->tables().free_interfaces("R1", ConnectorKind::FrameRelay),
              (std::vector<std::string>{"Serial1", "Serial0"}));
    EXPECT_EQ(model->tables().free_interfaces("R1", ConnectorKind::Serial),
              std::vector<std::string>{"Serial1"});
}

TEST_F(Designer, DevicesWithoutFreeInterfacesAndImproperPressesAreAnswered) {
    drop("PC", 50, 50, "PC1");
    drop("PC", 200, 50, "PC2");
    drop("2501", 350, 50, "R1");
    connect("Ethernet", "PC1", "Ethernet0", "R1", "Ethernet0");
    // PC1 has nothing free: the first end is refused with a message.
    dialogs.clear();
    press_palette("Ethernet");
    const auto p1 = centre("PC1");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Ethernet", -1}, p1.x, p1.y);
    EXPECT_EQ(messages(), std::vector<std::string>{"There are no free interfaces for this device"});
    EXPECT_EQ(dialogs.shown().back().icon, Icon::Critical);
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    // From PC2 to PC1: no free interface, then the Improper Selection question.
    choose("Ethernet0");
    const auto p2 = centre("PC2");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Ethernet", -1}, p2.x, p2.y);
    ASSERT_EQ(model->interaction(), Interaction::Connecting);
    ASSERT_EQ(model->lines().size(), 2u);
    dialogs.clear();
    dialogs.next_answer(Answer::Ok);
    model->picNetwork_MouseDown(MouseButton::Left, p1.x, p1.y);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, "There are no free interfaces for this device");
    EXPECT_EQ(dialogs.shown()[1].kind, "okcancel");
    EXPECT_EQ(dialogs.shown()[1].title, "Improper Selection");
    EXPECT_EQ(dialogs.shown()[1].icon, Icon::None);
    EXPECT_EQ(dialogs.shown()[1].text,
              "Please selcet the appropritae place to make the Connection.\r\nClick on Cancel "
              "to cancel this connection");
    EXPECT_EQ(model->interaction(), Interaction::Connecting);
    // A press on the first end's own device is no second end either; Cancel
    // gives the line up.
    dialogs.next_answer(Answer::Cancel);
    model->picNetwork_MouseDown(MouseButton::Left, p2.x, p2.y);
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    EXPECT_EQ(model->lines().size(), 1u);
    expect_consistent();
}

TEST_F(Designer, CancelledSecondEndKeepsConnectingAndAFrameCloseIsACancel) {
    three_routers();
    choose("Serial0");
    press_palette("Serial");
    auto p1 = centre("R1");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Serial", -1}, p1.x, p1.y);
    ASSERT_EQ(model->interaction(), Interaction::Connecting);
    // The second end's dialog closed by its frame: still connecting.
    auto p2 = centre("R2");
    model->picNetwork_MouseDown(MouseButton::Left, p2.x, p2.y);
    EXPECT_EQ(model->interaction(), Interaction::Connecting);
    EXPECT_FALSE(row("R2", "Serial0").connected);
    // Select without a choice keeps the dialog open and writes nothing.
    host.interfaces.push_back([&](InterfaceDialog& d) {
        d.cmdSelect_Click("");
        EXPECT_FALSE(d.unloaded());
        d.cmdClose_Click();
    });
    dialogs.clear();
    model->picNetwork_MouseDown(MouseButton::Left, p2.x, p2.y);
    EXPECT_EQ(messages(), std::vector<std::string>{"Please Select the interface"});
    // The line follows the mouse and the cross shows over devices.
    model->picNetwork_MouseMove(MouseButton::None, p2.x, p2.y);
    EXPECT_EQ(model->canvas_pointer(), Pointer::Cross);
    EXPECT_DOUBLE_EQ(model->lines().back().x2, p2.x);
    model->picNetwork_MouseMove(MouseButton::None, 500, 300);
    EXPECT_EQ(model->canvas_pointer(), Pointer::Default);
    // Changing the palette before the second end does not change the kind.
    press_palette("Frame Relay");
    choose("Serial1");
    model->picNetwork_MouseDown(MouseButton::Left, p2.x, p2.y);
    EXPECT_EQ(row("R2", "Serial1").todevice, "R1");
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sub_int_det").to_int(), 0);
    expect_consistent();
}

TEST_F(Designer, ADropWhileConnectingGivesTheHalfMadeLineUp) {
    three_routers();
    choose("Serial0");
    press_palette("Serial");
    auto p1 = centre("R1");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Serial", -1}, p1.x, p1.y);
    ASSERT_EQ(model->lines().size(), 1u);
    drop("PC", 400, 300, "PC1");
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    EXPECT_TRUE(model->lines().empty());
    // And reopening the designer starts idle with nothing drawn.
    choose("Serial0");
    press_palette("Serial");
    model->picNetwork_DragDrop({DropSource::Kind::Palette, "Serial", -1}, p1.x, p1.y);
    model->form_load();
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    EXPECT_TRUE(model->lines().empty());
    EXPECT_TRUE(model->devices().empty());
    EXPECT_EQ(model->description(), kDescriptionPlaceholder);
}

// With the part of the canvas shown known, a device dropped or moved near
// an edge lies as far inside as its icon (30 square) and its name below it
// need; the drop point stands elsewhere.  Texts measure 6 units a character
// and 12 high here.
TEST_F(Designer, DevicesNearAnEdgeLieWholeInThePartShown) {
    model->text_size = [](const std::string& text) {
        return Point{6.0 * static_cast<double>(text.size()), 12};
    };
    model->set_drawing_area({0, 0, 400, 300});
    const struct {
        const char* name;
        double x, y;
        double placed_x, placed_y;
    } cases[] = {
        {"R1", 20, 20, 20, 20},                 // inside: where dropped
        {"R2", 399.5, 299, 370, 258},           // the corner: icon and name fit
        {"Edge-Router-7", 390, 100, 322, 100},  // a name wider than the icon
        {"R4", -5, 150, 0, 150},
        {"R5", 150, -3, 150, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        drop("2501", c.x, c.y, c.name);
        ASSERT_EQ(model->devices().back().host, c.name);
        EXPECT_DOUBLE_EQ(model->devices().back().x, c.placed_x);
        EXPECT_DOUBLE_EQ(model->devices().back().y, c.placed_y);
        EXPECT_DOUBLE_EQ(
            session.scalar("SELECT xpos FROM devicenames WHERE hostname = ?", {c.name}).to_double(),
            c.placed_x);
    }
    // The part shown is the scrolled one.
    model->set_drawing_area({500, 400, 400, 300});
    drop("PC", 100, 100, "PC1");
    EXPECT_DOUBLE_EQ(model->devices().back().x, 500);
    EXPECT_DOUBLE_EQ(model->devices().back().y, 400);

    // A move to the bottom edge carries the line end on the icon with it.
    model->set_drawing_area({0, 0, 400, 300});
    connect("Serial", "R1", "Serial0", "R4", "Serial0");
    const auto before = model->lines()[0];
    const auto p1 = centre("R1");
    model->picNetwork_MouseDown(MouseButton::Left, p1.x, p1.y);
    const auto row_moved = model->picNetwork_MouseMove(MouseButton::Left, p1.x + 3, p1.y);
    ASSERT_TRUE(row_moved);
    model->picNetwork_DragDrop({DropSource::Kind::Device, "", *row_moved}, 100, 295);
    EXPECT_DOUBLE_EQ(model->devices()[0].x, 100);
    EXPECT_DOUBLE_EQ(model->devices()[0].y, 258);
    EXPECT_DOUBLE_EQ(model->lines()[0].x1, before.x1 + 80);
    EXPECT_DOUBLE_EQ(model->lines()[0].y1, before.y1 + 238);
}

// ------------------------------------------------------------------ moves

TEST_F(Designer, MovingADeviceCarriesItsLineEndsAndPlacesTheLabelsAgain) {
    three_routers();
    connect("Serial", "R1", "Serial0", "R2", "Serial0");
    connect("Frame Relay", "R2", "Serial1", "R3", "Serial0");
    const auto before = model->lines();
    // Pick R2 up and drop it 100 lower.
    auto p2 = centre("R2");
    model->picNetwork_MouseDown(MouseButton::Left, p2.x, p2.y);
    const auto row_moved = model->picNetwork_MouseMove(MouseButton::Left, p2.x + 3, p2.y);
    ASSERT_TRUE(row_moved);
    EXPECT_EQ(model->interaction(), Interaction::MovingDevice);
    press_palette("Serial");  // a connector selected: any move is accepted
    model->picNetwork_DragDrop({DropSource::Kind::Device, "", *row_moved}, 200, 150);
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    EXPECT_DOUBLE_EQ(model->devices()[1].y, 150);
    EXPECT_DOUBLE_EQ(
        session.scalar("SELECT ypos FROM devicenames WHERE hostname = 'R2'").to_double(), 150);
    // Line 1's end on R2 (the press point 215,65) moved by (0,100).
    EXPECT_DOUBLE_EQ(model->lines()[0].x2, before[0].x2);
    EXPECT_DOUBLE_EQ(model->lines()[0].y2, before[0].y2 + 100);
    EXPECT_DOUBLE_EQ(model->lines()[0].y1, before[0].y1);
    // Line 2 starts on R2 (the drop point).
    EXPECT_DOUBLE_EQ(model->lines()[1].y1, before[1].y1 + 100);
    // The labels were placed anew from R2's new corner: R1 lies above, so
    // R2's label goes up by under 10.
    const auto moved = row("R2", "Serial0");
    EXPECT_DOUBLE_EQ(moved.label_x, 200 - 14);
    EXPECT_DOUBLE_EQ(moved.label_y, 150 - 9);
    auto sub_label = session.scalar("SELECT label_y FROM sub_int_det WHERE ref = ?",
                                    {row("R2", "Serial1").index});
    EXPECT_DOUBLE_EQ(sub_label.to_double(), 150 - 9);
    expect_consistent();
}

TEST_F(Designer, ARefusedMoveEndsTheMoveAndAPaletteDropNeverMovesADevice) {
    drop("2501", 50, 50, "R1");
    drop("2501", 200, 50, "R2");
    auto p1 = centre("R1");
    model->picNetwork_MouseDown(MouseButton::Left, p1.x, p1.y);
    const auto moving = model->picNetwork_MouseMove(MouseButton::Left, p1.x + 5, p1.y);
    ASSERT_TRUE(moving);
    press_palette("2501");
    // Onto R2's overlap square with a model selected: refused.
    model->picNetwork_DragDrop({DropSource::Kind::Device, "", *moving}, 210, 60);
    EXPECT_EQ(model->interaction(), Interaction::Idle);
    EXPECT_DOUBLE_EQ(model->devices()[0].x, 50);
    // The next palette drop places a new device and moves nothing.
    drop("2501", 400, 300, "R3");
    EXPECT_DOUBLE_EQ(model->devices()[0].x, 50);
    EXPECT_EQ(model->devices().size(), 3u);
}

// ---------------------------------------------------------------- removal

TEST_F(Designer, RemovingTheMiddleLineShiftsTheLinesAbove) {
    three_routers();
    drop("2501", 500, 50, "R4");
    connect("Serial", "R1", "Serial0", "R2", "Serial0");
    connect("Ethernet", "R2", "Ethernet0", "R3", "Ethernet0");
    connect("Frame Relay", "R3", "Serial0", "R4", "Serial0");
    const auto third = model->lines()[2];
    dialogs.next_answer(Answer::Yes);
    host.removals.push_back([](RemoveConnectionDialog& d) {
        EXPECT_EQ(d.lstRemInt(), (std::vector<std::string>{"Serial0", "Ethernet0"}));
        d.lstRemInt_Click(1);  // a plain interface opens nothing
        d.cmdRemove_Click();
        d.cmdClose_Click();
    });
    host.popups.push_back([&] { model->mnuremcon_Click(); });
    auto p2 = centre("R2");
    model->picNetwork_MouseDown(MouseButton::Right, p2.x, p2.y);
    ASSERT_EQ(model->lines().size(), 2u);
    EXPECT_EQ(model->lines()[1], third);
    EXPECT_EQ(row("R3", "Ethernet0").todevice, "UA");
    EXPECT_EQ(row("R3", "Ethernet0").lineno, 0);
    EXPECT_FALSE(row("R2", "Ethernet0").connected);
    EXPECT_EQ(session.scalar("SELECT max(lineno) FROM sub_int_det").to_int(), 2);
    EXPECT_EQ(messages().back(), "The Connection has been removed successfully");
    expect_consistent();
}

TEST_F(Designer, RemovingAFrameRelayMainInterfaceGoesThroughItsSubinterfaces) {
    three_routers();
    connect("Frame Relay", "R1", "Serial0", "R2", "Serial0");
    connect("Frame Relay", "R1", "Serial0", "R2", "Serial0");
    // Remove on the main interface touches nothing and opens the
    // sub-interface dialog; its first removal keeps the shared line.
    dialogs.next_answer(Answer::Yes);
    host.subinterfaces.push_back([&](SubinterfaceDialog& d) {
        EXPECT_TRUE(d.remove_mode());
        EXPECT_EQ(d.Label4(), "Please select the Subinterface to remove");
        EXPECT_EQ(d.List1(), (std::vector<std::string>{"Serial0.1", "Serial0.2"}));
        EXPECT_EQ(d.List3(), (std::vector<std::string>{"Serial0.1", "Serial0.2"}));
        d.Command2_Click(std::nullopt);
        d.Command2_Click(0);
        EXPECT_EQ(model->lines().size(), 1u);
        d.Command1_Click();
        EXPECT_TRUE(d.still_connected());
    });
    RemoveConnectionDialog remove(*model, "R1");
    remove.lstRemInt_Click(0);
    EXPECT_FALSE(remove.selected());
    EXPECT_EQ(remove.lstRemInt().size(), 1u);
    remove.lstRemInt_Click(0);  // frame-closed this time
    dialogs.clear();
    remove.cmdRemove_Click();
    EXPECT_EQ(host.shown.back(), "frmSubintProp");
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sub_int_det").to_int(), 2);
    // The last pair takes the line with it and both mains stop being
    // connected; the interface leaves the list.
    host.subinterfaces.push_back([](SubinterfaceDialog& d) {
        d.Command2_Click(0);
        d.Command1_Click();
    });
    remove.lstRemInt_Click(0);
    EXPECT_TRUE(remove.lstRemInt().empty());
    EXPECT_TRUE(model->lines().empty());
    EXPECT_FALSE(row("R2", "Serial0").connected);
    expect_consistent();
}

TEST_F(Designer, RemovingADeviceTakesEveryConnectionAndResetsTheNamesWhenLast) {
    three_routers();
    connect("Serial", "R1", "Serial0", "R2", "Serial0");
    connect("Frame Relay", "R2", "Serial1", "R3", "Serial0");
    connect("Frame Relay", "R2", "Serial1", "R3", "Serial0");
    connect("Serial", "R1", "Serial1", "R3", "Serial1");
    // No keeps everything (and still repaints).
    host.popups.push_back([&] { model->mnuremdev_Click(); });
    dialogs.next_answer(Answer::No);
    auto p2 = centre("R2");
    model->picNetwork_MouseDown(MouseButton::Right, p2.x, p2.y);
    EXPECT_EQ(model->devices().size(), 3u);
    // Yes removes R2 with both pairs of its shared line.
    host.popups.push_back([&] { model->mnuremdev_Click(); });
    dialogs.next_answer(Answer::Yes);
    dialogs.clear();
    model->picNetwork_MouseDown(MouseButton::Right, p2.x, p2.y);
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "The device and all its connections have been removed successfully"});
    EXPECT_EQ(model->devices().size(), 2u);
    ASSERT_EQ(model->lines().size(), 1u);
    EXPECT_EQ(row("R1", "Serial1").lineno, 1);
    EXPECT_EQ(row("R1", "Serial0").todevice, "UA");
    EXPECT_FALSE(row("R3", "Serial0").connected);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sub_int_det").to_int(), 0);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM ip WHERE hostname = 'R2'").to_int(), 0);
    expect_consistent();
    for (const char* last : {"R1", "R3"}) {
        model->picNetwork_MouseDown(MouseButton::Left, 0, 0);
        host.popups.push_back([&] { model->mnuremdev_Click(); });
        dialogs.next_answer(Answer::Yes);
        auto p = centre(last);
        model->picNetwork_MouseDown(MouseButton::Right, p.x, p.y);
    }
    EXPECT_FALSE(model->network_designed());
    EXPECT_EQ(model->router_counter(), 0);
    EXPECT_TRUE(model->lines().empty());
    dialogs.clear();
    drop("2501", 50, 50, "R1");
    EXPECT_EQ(dialogs.offered().back(), "R1");
}

TEST_F(Designer, ARemovalThatMissesARowDeletesNothing) {
    three_routers();
    connect("Frame Relay", "R1", "Serial0", "R2", "Serial0");
    connect("Serial", "R1", "Serial1", "R3", "Serial0");
    // The far interface of the Frame Relay pair has gone missing.
    session.execute(
        "UPDATE ip SET interfacetype = 'Gone' WHERE hostname = 'R2' AND "
        "interfacetype = 'Serial0'");
    const auto lines = model->lines();
    const auto rows = session.scalar("SELECT count(*) FROM ip").to_int();
    EXPECT_THROW(model->remove_device("R1"), std::exception);
    EXPECT_EQ(model->lines(), lines);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM ip").to_int(), rows);
    EXPECT_EQ(session.scalar("SELECT count(*) FROM sub_int_det").to_int(), 2);
    EXPECT_EQ(row("R3", "Serial0").todevice, "R1");
    EXPECT_EQ(model->devices().size(), 3u);
}

// A long seeded run of connections and removals of every kind keeps the
// tables consistent after each step.
TEST_F(Designer, ConnectionTablesStayConsistentThroughRandomEdits) {
    const char* routers[] = {"R1", "R2", "R3", "R4", "R5"};
    double x = 30;
    for (const char* name : routers) {
        drop("2503", x, 60, name);
        x += 110;
    }
    drop("2950", 30, 250, "SW1");
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    const char* kinds[] = {"Serial", "Frame Relay", "Ethernet", "IsdnBri"};
    int connections = 0, removals = 0, shared = 0;
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        const int action = pick(10);
        auto hosts = model->tables().host_names();
        if (hosts.size() < 2) break;
        if (action < 6) {
            const std::string kind = kinds[pick(4)];
            const auto k = *connector_kind(kind);
            const std::string a = hosts[pick(static_cast<int>(hosts.size()))];
            std::string b = hosts[pick(static_cast<int>(hosts.size()))];
            if (a == b) continue;
            const auto free_a = model->tables().free_interfaces(a, k);
            const auto free_b = model->tables().free_interfaces(b, k);
            if (free_a.empty() || free_b.empty()) continue;
            const auto lines_before = model->lines().size();
            connect(kind, a, free_a[pick(static_cast<int>(free_a.size()))], b,
                    free_b[pick(static_cast<int>(free_b.size()))]);
            ++connections;
            if (model->lines().size() == lines_before) ++shared;
        } else if (action < 8) {
            const std::string h = hosts[pick(static_cast<int>(hosts.size()))];
            RemoveConnectionDialog remove(*model, h);
            if (remove.lstRemInt().empty()) continue;
            const int item = pick(static_cast<int>(remove.lstRemInt().size()));
            host.subinterfaces.push_back([&](SubinterfaceDialog& d) {
                d.Command2_Click(pick(static_cast<int>(d.List1().size())));
                d.Command1_Click();
            });
            remove.lstRemInt_Click(item);
            ++removals;
            if (host.subinterfaces.empty()) continue;  // a Frame Relay interface: done
            host.subinterfaces.clear();
            remove.lstRemInt_Click(item);
            dialogs.next_answer(Answer::Yes);
            remove.cmdRemove_Click();
        } else if (action == 8 && hosts.size() > 3) {
            model->remove_device(hosts[pick(static_cast<int>(hosts.size()))]);
        }
        model->repaint_from_tables();
        dialogs.clear();
        expect_consistent();
        if (HasFatalFailure()) return;
    }
    // The run went through every kind of edit.
    EXPECT_GT(connections, 40);
    EXPECT_GT(removals, 20);
    EXPECT_GT(shared, 0);
    EXPECT_LT(model->tables().host_names().size(), 6u);
}

// -------------------------------------------------------------- properties

TEST_F(Designer, PropertiesListEveryInterfaceAndItsConnection) {
    three_routers();
    drop("2950", 50, 200, "SW1");
    connect("Serial", "R1", "Serial0", "R2", "Serial0");
    connect("Frame Relay", "R1", "Serial1", "R3", "Serial0");
    connect("Ethernet", "R1", "Ethernet0", "SW1", "FastEthernet0/2");
    session.execute(
        "UPDATE ip SET ipadd = '10.0.0.1', maskadd = '255.0.0.0' WHERE "
        "hostname = 'R1' AND interfacetype = 'Serial0'");
    RouterPropertiesDialog router(*model, "R1", "2501");
    EXPECT_EQ(router.lblDeviceName(), "R1(2501) Interface Configuration Details ");
    EXPECT_EQ(router.lstInterfaces(),
              (std::vector<std::string>{"Serial0", "Serial1", "Ethernet0"}));
    EXPECT_EQ(router.lstIpAddress(),
              (std::vector<std::string>{"10.0.0.1", "unassigned", "unassigned"}));
    EXPECT_EQ(router.lstMaskAddress(),
              (std::vector<std::string>{"255.0.0.0", "unassigned", "unassigned"}));
    EXPECT_EQ(router.lstConnections(),
              (std::vector<std::string>{
                  "R2,Serial0", "Please Click on the interface to view Subinterface details,",
                  "SW1,FastEthernet0/2"}));
    host.subinterfaces.push_back([](SubinterfaceDialog& d) {
        EXPECT_FALSE(d.remove_mode());
        EXPECT_EQ(d.Label4(), "Sub Interface Configuration Details");
        EXPECT_EQ(d.List1(), std::vector<std::string>{"Serial1.1"});
        EXPECT_EQ(d.List2(), std::vector<std::string>{"R3"});
        EXPECT_EQ(d.List3(), std::vector<std::string>{"Serial0.1"});
    });
    host.shown.clear();
    router.lstInterfaces_Click(2);  // no sub-interfaces: nothing opens
    EXPECT_TRUE(host.shown.empty());
    router.lstInterfaces_Click(1);
    EXPECT_EQ(host.shown, std::vector<std::string>{"frmSubintProp"});

    session.execute(
        "UPDATE ip SET ipadd = 'UA', maskadd = 'UA' WHERE hostname = 'SW1' AND "
        "interfacetype = 'FastEthernet1'");
    SwitchPropertiesDialog sw(*model, "SW1", "2950");
    EXPECT_EQ(sw.lblDeviceName(), "SW1(2950) Properties ");
    EXPECT_EQ(sw.Text1(), "UA");  // the switch dialog shows a cleared address as it is
    EXPECT_EQ(sw.lstPorts().size(), 12u);
    EXPECT_EQ(sw.lstConStat()[1], "Connected");
    EXPECT_EQ(sw.lstConhost()[1], "R1,Ethernet0");
    EXPECT_EQ(sw.lstConStat()[0], "Not Connected");
}

TEST_F(Designer, DoubleClickShowsThePropertiesOfTheDeviceUnderThePress) {
    drop("2501", 50, 50, "R1");
    drop("2950", 200, 50, "SW1");
    std::string title;
    host.switch_properties.push_back([&](SwitchPropertiesDialog& d) { title = d.lblDeviceName(); });
    auto p = centre("SW1");
    model->picNetwork_MouseDown(MouseButton::Left, p.x, p.y);
    model->picNetwork_MouseUp();
    model->picNetwork_DblClick();
    EXPECT_EQ(title, "SW1(2950) Properties ");
    EXPECT_EQ(model->selected_model(), "");  // the switch dialog's close clears it
}

TEST_F(Designer, ThePopupMenuOpensOncePerDeviceUnderThePress) {
    drop("2501", 50, 50, "R1");
    drop("2950", 150, 50, "SW1");
    // A connector selected in the palette lets a move put SW1 over R1.
    press_palette("Serial");
    auto sw = centre("SW1");
    model->picNetwork_MouseDown(MouseButton::Left, sw.x, sw.y);
    const auto moving = model->picNetwork_MouseMove(MouseButton::Left, sw.x + 1, sw.y);
    model->picNetwork_DragDrop({DropSource::Kind::Device, "", *moving}, 60, 60);
    std::vector<std::string> hosts;
    for (int i = 0; i < 2; ++i)
        host.popups.push_back([&] {
            hosts.push_back(model->selected_host_name());
            model->mnucondev_Click();
        });
    std::vector<std::string> labels;
    for (int i = 0; i < 2; ++i)
        host.addresses.push_back([&](IpAssignDialog& d) { labels.push_back(d.Label4()); });
    model->picNetwork_MouseDown(MouseButton::Right, 70, 70);
    EXPECT_EQ(hosts, (std::vector<std::string>{"R1", "SW1"}));
    EXPECT_EQ(labels, (std::vector<std::string>{"Serial0", "SW1 IP Configuration"}));
}

TEST_F(Designer, ThePenDrawsOneStrokeBesideThePointer) {
    model->mndDrLine_Click();
    EXPECT_TRUE(model->pen_pointer());
    model->picNetwork_MouseDown(MouseButton::Left, 100, 100);
    model->picNetwork_MouseMove(MouseButton::Left, 120, 110);
    model->picNetwork_MouseMove(MouseButton::Left, 140, 130);
    model->picNetwork_MouseUp();
    EXPECT_FALSE(model->pen_pointer());
    const auto& strokes = model->canvas().strokes();
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].kind, CanvasStroke::Kind::PenLine);
    EXPECT_DOUBLE_EQ(strokes[0].x, 100);
    EXPECT_DOUBLE_EQ(strokes[0].x2, 105);  // 15 left of and 15 below the pointer
    EXPECT_DOUBLE_EQ(strokes[0].y2, 125);
    EXPECT_DOUBLE_EQ(strokes[1].x, 105);
    EXPECT_DOUBLE_EQ(strokes[1].y2, 145);
    // After the release moves draw nothing.
    model->picNetwork_MouseMove(MouseButton::Left, 160, 160);
    EXPECT_EQ(model->canvas().strokes().size(), 2u);
}

// ------------------------------------------------------------------ closing

TEST_F(Designer, ClosingAsksOnlyForADesignAndKeepsItUnlessSavedOrDropped) {
    EXPECT_TRUE(model->query_unload());
    EXPECT_TRUE(dialogs.shown().empty());
    drop("2501", 50, 50, "R1");
    dialogs.clear();
    dialogs.next_answer(Answer::Cancel);
    EXPECT_FALSE(model->query_unload());
    EXPECT_EQ(dialogs.shown().back().title, "Save the Network?");
    EXPECT_EQ(dialogs.shown().back().text, "Do you want to save the netwotk");
    // Yes, then a cancelled file dialog: the designer stays, nothing lost.
    dialogs.next_answer(Answer::Yes);
    EXPECT_FALSE(model->query_unload());
    EXPECT_EQ(dialogs.shown().back().kind, "save");
    EXPECT_EQ(dialogs.shown().back().title, "Save Network As");
    EXPECT_TRUE(model->tables().has_devices());
    // Yes with a name saves, then empties the tables.
    dialogs.next_answer(Answer::Yes);
    dialogs.next_text(dir.file("closing.dgm"));
    EXPECT_TRUE(model->query_unload());
    EXPECT_TRUE(std::filesystem::exists(dir.file("closing.dgm")));
    EXPECT_FALSE(model->tables().has_devices());
}

TEST_F(Designer, SavingNeedsADesign) {
    model->mnufilesave_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Network has been designed to save"});
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
    drop("2501", 50, 50, std::nullopt);  // designed, but nothing placed
    dialogs.clear();
    model->mnufilesave_Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Network has been designed to save"});
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(Designer, TheDescriptionPlaceholderGoesAtTheFirstClickOnly) {
    EXPECT_EQ(model->description(), "Please enter the Description of \r\nthe Network here\r\n");
    model->Text1_Click();
    EXPECT_EQ(model->description(), "");
    EXPECT_TRUE(model->description_entered());
    model->Text1_Change("Two routers");
    model->Text1_Click();
    EXPECT_EQ(model->description(), "Two routers");
}

}  // namespace
