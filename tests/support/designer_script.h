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
    Script<designer::SlotDialog> slots;
    Script<designer::IpAssignDialog> addresses;
    Script<designer::RemoveConnectionDialog> removals;
    Script<designer::SubinterfaceDialog> subinterfaces;
    Script<designer::RouterPropertiesDialog> router_properties;
    Script<designer::SwitchPropertiesDialog> switch_properties;
    std::deque<std::function<void()>> popups;
    std::vector<std::string> shown;  // dialog names, in order

    void show(designer::InterfaceDialog& d) override { play("frminterfaces", interfaces, d); }
    void show(designer::SlotDialog& d) override { play("frmSlotSel", slots, d); }
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

// A designer on a fresh database, driven as a user would drive it.
class DesignerDriver {
public:
    DesignerDriver() {
        fresh_database(dir.file("commandsbackup.mdb"));
        session.open(dir.file("commandsbackup.mdb"));
        model =
            std::make_unique<designer::DesignerModel>(session, dialogs, host, dir.path().string());
        model->form_load();
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

    TempDir dir;
    db::DatabaseSession session;
    platform::ScriptedDialogs dialogs;
    ScriptedDesignerHost host;
    std::unique_ptr<designer::DesignerModel> model;
};

}  // namespace vexlab::test
