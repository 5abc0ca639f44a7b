#pragma once
// Answers for the designer's dialogs in tests: each dialog kind takes the
// next scripted answer; a dialog without one is closed by its frame.  Also a
// small driver that places devices and draws connections as a user would.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/designer_dialogs.h"
#include "designer/designer_model.h"
#include "platform/db_session.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace vexlab::test {

class ScriptedDesignerHost : public designer::DialogHost {
public:
    template <class Dialog>
    using Script = std::deque<std::function<void(Dialog&)>>;

    Script<designer::InterfaceDialog> interfaces;
    Script<designer::SlotDialog> slot_cards;
    Script<designer::IpAssignDialog> addresses;
    Script<designer::RemoveConnectionDialog> removals;
    Script<designer::SubinterfaceDialog> subinterfaces;
    Script<designer::RouterPropertiesDialog> router_properties;
    Script<designer::SwitchPropertiesDialog> switch_properties;
    std::deque<std::function<void()>> popups;
    std::vector<std::string> shown;  // dialog names, in order

    void show(designer::InterfaceDialog& d) override { play("frminterfaces", interfaces, d); }
    void show(designer::SlotDialog& d) override { play("frmSlotSel", slot_cards, d); }
    void show(designer::IpAssignDialog& d) override { play("frmIpassign", addresses, d); }
    void show(designer::RemoveConnectionDialog& d) override { play("frmRemcon", removals, d); }
    void show(designer::SubinterfaceDialog& d) override { play("frmSubintProp", subinterfaces, d); }
    void show(designer::RouterPropertiesDialog& d) override {
        play("frmdevicestats", router_properties, d);
    }
    void show(designer::SwitchPropertiesDialog& d) override {
        play("frmSwdevicestats", switch_properties, d);
    }
    void popup_menu() override {
        shown.push_back("popupmenu");
        if (popups.empty()) return;
        auto next = std::move(popups.front());
        popups.pop_front();
        next();
    }

private:
    template <class Dialog>
    void play(const char* name, Script<Dialog>& script, Dialog& dialog) {
        shown.push_back(name);
        if (script.empty()) return;
        auto next = std::move(script.front());
        script.pop_front();
        next(dialog);
    }
};

// A designer on a fresh database (or on the session given), driven as a
// user would drive it.
class DesignerDriver {
public:
    DesignerDriver() : session(own_session_) {
        fresh_database(dir.file("commandsbackup.mdb"));
        session.open(dir.file("commandsbackup.mdb"));
        start(dir.path().string());
    }
    DesignerDriver(db::DatabaseSession& shared, const std::string& program_folder)
        : session(shared) {
        start(program_folder);
    }

    // Drops a palette model at (x, y) and answers the name prompt with
    // `name` (none: the prompt is cancelled).
    void drop(const std::string& palette_item, double x, double y,
              std::optional<std::string> name) {
        dialogs.next_text(std::move(name));
        press_palette(palette_item);
        model->picNetwork_DragDrop({designer::DropSource::Kind::Palette, palette_item, -1}, x, y);
    }
    void press_palette(const std::string& item) {
        model->treDevices_MouseDown(item, false, designer::MouseButton::Left);
    }

    // The centre of a device's icon.
    designer::Point centre(const std::string& host) const {
        for (const auto& d : model->devices())
            if (d.host == host) return {d.x + 15, d.y + 15};
        return {-100, -100};
    }

    // Drops `connector` on device a choosing `ia`, then presses device b
    // choosing `ib`.
    void connect(const std::string& connector, const std::string& a, const std::string& ia,
                 const std::string& b, const std::string& ib) {
        press_palette(connector);
        choose(ia);
        const auto pa = centre(a);
        model->picNetwork_DragDrop({designer::DropSource::Kind::Palette, connector, -1}, pa.x,
                                   pa.y);
        choose(ib);
        const auto pb = centre(b);
        model->picNetwork_MouseDown(designer::MouseButton::Left, pb.x, pb.y);
        model->picNetwork_MouseUp();
    }
    void choose(const std::string& interface) {
        host.interfaces.push_back(
            [interface](designer::InterfaceDialog& d) { d.cmdSelect_Click(interface); });
    }

private:
    void start(const std::string& program_folder) {
        model = std::make_unique<designer::DesignerModel>(session, dialogs, host, program_folder);
        model->form_load();
    }
    db::DatabaseSession own_session_;

public:
    TempDir dir;
    db::DatabaseSession& session;
    platform::ScriptedDialogs dialogs;
    ScriptedDesignerHost host;
    std::unique_ptr<designer::DesignerModel> model;
};

// A small design with every connector kind: three routers, a switch and a
// workstation; serial, ISDN and Ethernet cables, two Frame Relay pairs on
// one line and a third on a line of its own; addresses on both ends of the
// serial line, the LAN and a router alone; a description of two lines.
inline void build_every_connector_design(DesignerDriver& d) {
    using designer::IpAssignDialog;
    d.drop("2503", 40, 40, "R1");
    d.drop("2503", 240, 40, "R2");
    d.drop("2501", 440, 40, "R3");
    d.drop("2950", 40, 240, "SW1");
    d.drop("PC", 240, 300, "PC1");
    auto assign = [&](const std::string& host, const std::string& model, int row,
                      const std::string& address, const std::string& mask) {
        IpAssignDialog dialog(*d.model, host, model);
        dialog.List1_Click(row);
        dialog.cmdIpAssign_Click(address, mask);
    };
    assign("R1", "2503", 0, "10.0.0.1", "255.255.255.252");
    assign("R2", "2503", 0, "10.0.0.2", "255.255.255.252");
    assign("R1", "2503", 2, "192.168.1.1", "255.255.255.0");
    assign("R3", "2501", 2, "172.16.0.1", "255.255.0.0");
    assign("SW1", "2950", 0, "192.168.1.2", "255.255.255.0");
    assign("PC1", "PC", 0, "192.168.1.10", "255.255.255.0");
    d.connect("Serial", "R1", "Serial0", "R2", "Serial0");
    d.connect("IsdnBri", "R1", "IsdnBri0", "R2", "IsdnBri0");
    d.connect("Ethernet", "R1", "Ethernet0", "SW1", "FastEthernet0/1");
    d.connect("Ethernet", "PC1", "Ethernet0", "SW1", "FastEthernet0/2");
    d.connect("Frame Relay", "R2", "Serial1", "R3", "Serial0");
    d.connect("Frame Relay", "R2", "Serial1", "R3", "Serial0");
    d.connect("Frame Relay", "R2", "Serial1", "R3", "Serial1");
    d.model->Text1_Click();
    d.model->Text1_Change("Small lab\r\nwith every connector");
    d.dialogs.clear();
}

}  // namespace vexlab::test
