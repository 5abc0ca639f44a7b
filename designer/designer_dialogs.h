#pragma once
// The designer's modal dialogs without their windows: what each one lists
// and what its buttons do.  The window of a dialog shows these lists and
// passes its clicks on; a dialog closed by its window frame is taken as its
// Cancel (or Close) button.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexlab::platform {
class UserDialogs;
}

namespace vexlab::designer {

class DesignerModel;

class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    bool unloaded() const { return unloaded_; }
    // The dialog was closed without its buttons.
    virtual void frame_close() = 0;

protected:
    void unload() { unloaded_ = true; }

private:
    bool unloaded_ = false;
};

// "frminterfaces": which interface of a device a connection uses.
class InterfaceDialog : public ModalDialog {
public:
    // `on_select` does the work of Select for the chosen interface.
    InterfaceDialog(platform::UserDialogs& dialogs, std::vector<std::string> items,
                    std::function<void(const std::string&)> on_select);

    const std::vector<std::string>& lstFreeInterfaces() const { return items_; }
    // Select with the list's selected text ("" when none is selected).
    void cmdSelect_Click(const std::string& selected);
    void cmdClose_Click();
    void frame_close() override { cmdClose_Click(); }

    // The interface chosen; none when the dialog was cancelled.
    const std::optional<std::string>& choice() const { return choice_; }

private:
    platform::UserDialogs& dialogs_;
    std::vector<std::string> items_;
    std::function<void(const std::string&)> on_select_;
    std::optional<std::string> choice_;
};

// "frmSlotSel": the card that goes into each optional slot of a modular
// router.  Three positions; a slot named "Slot 1" is shown but not supported.
class SlotDialog : public ModalDialog {
public:
    struct Position {
        bool visible = false;
        std::string caption;
        std::vector<std::string> cards;  // "2 Serial"
        bool unsupported = false;
    };
    static constexpr const char* kEmptyChoice = "(empty)";

    explicit SlotDialog(std::array<Position, 3> positions) : positions_(std::move(positions)) {}

    const std::array<Position, 3>& positions() const { return positions_; }
    bool shows_notice() const;
    // "O K" with the text of each position's combo box.
    void Close_Click(const std::array<std::string, 3>& combo_texts);
    void frame_close() override { unload(); }

    // The entry of each position: caption, "/" and card; empty when nothing
    // was chosen there or the dialog was closed by its frame.
    const std::array<std::string, 3>& choices() const { return choices_; }

private:
    std::array<Position, 3> positions_;
    std::array<std::string, 3> choices_;
};

// "frmIpassign": the address and mask of one interface of a device.
class IpAssignDialog : public ModalDialog {
public:
    IpAssignDialog(DesignerModel& model, std::string host, std::string device_model);

    bool lists_enabled() const { return lists_enabled_; }
    const std::string& Label4() const { return label4_; }
    const std::vector<std::string>& List1() const { return list1_; }
    const std::vector<std::string>& List2() const { return list2_; }
    const std::vector<std::string>& List3() const { return list3_; }

    void List1_Click(int row);
    // Assign with the two boxes' texts.  Answers what becomes of the boxes.
    enum class Boxes { Keep, Clear, ClearAndFocusAddress };
    Boxes cmdIpAssign_Click(const std::string& address, const std::string& mask);
    void cmdClose_Click();
    void frame_close() override { cmdClose_Click(); }

private:
    void load_interfaces();

    DesignerModel& model_;
    std::string host_;
    std::string device_model_;
    bool is_switch_ = false;
    bool lists_enabled_ = true;
    std::string label4_;
    std::vector<std::string> list1_, list2_, list3_;
    int selected_row_ = 0;
};

// "frmSubintProp": the sub-interface connections of one interface; in remove
// mode (opened from "Remove Connection") a chosen one can be removed.
class SubinterfaceDialog : public ModalDialog {
public:
    SubinterfaceDialog(DesignerModel& model, std::string host, std::string interface,
                       bool remove_mode);

    bool remove_mode() const { return remove_mode_; }
    const std::string& Label4() const { return label4_; }
    const std::vector<std::string>& List1() const { return list1_; }
    const std::vector<std::string>& List2() const { return list2_; }
    const std::vector<std::string>& List3() const { return list3_; }
    bool empty() const { return list1_.empty(); }

    // Remove with the row selected in List1 (none: nothing selected).
    void Command2_Click(std::optional<int> selected);
    // Close: answers whether the interface still carries a connection.
    void Command1_Click();
    void frame_close() override { Command1_Click(); }

    bool still_connected() const { return still_connected_; }

private:
    DesignerModel& model_;
    std::string host_;
    std::string interface_;
    bool remove_mode_ = false;
    std::string label4_;
    std::vector<std::string> list1_, list2_, list3_;
    std::vector<int> numbers_;  // the sub-interface number of each row
    bool still_connected_ = true;
};

// "frmRemcon": the connected interfaces of a device, removed one at a time.
class RemoveConnectionDialog : public ModalDialog {
public:
    RemoveConnectionDialog(DesignerModel& model, std::string host);

    const std::vector<std::string>& lstRemInt() const { return items_; }
    std::optional<int> selected() const { return selected_; }

    void lstRemInt_Click(int row);
    void cmdRemove_Click();
    void cmdClose_Click() { unload(); }
    void frame_close() override { cmdClose_Click(); }

private:
    void open_subinterfaces(const std::string& interface);

    DesignerModel& model_;
    std::string host_;
    std::vector<std::string> items_;
    std::optional<int> selected_;
};

// "frmdevicestats": the interfaces of a router or workstation.
class RouterPropertiesDialog : public ModalDialog {
public:
    RouterPropertiesDialog(DesignerModel& model, std::string host, std::string device_model);

    const std::string& lblDeviceName() const { return title_; }
    const std::vector<std::string>& lstInterfaces() const { return interfaces_; }
    const std::vector<std::string>& lstIpAddress() const { return addresses_; }
    const std::vector<std::string>& lstMaskAddress() const { return masks_; }
    const std::vector<std::string>& lstConnections() const { return connections_; }

    void lstInterfaces_Click(int row);
    void cmdClose_Click() { unload(); }
    void frame_close() override { cmdClose_Click(); }

private:
    DesignerModel& model_;
    std::string host_;
    std::string title_;
    std::vector<std::string> interfaces_, addresses_, masks_, connections_;
};

// "frmSwdevicestats": the management address and the ports of a switch.
class SwitchPropertiesDialog : public ModalDialog {
public:
    SwitchPropertiesDialog(DesignerModel& model, std::string host, std::string device_model);

    const std::string& lblDeviceName() const { return title_; }
    const std::string& Text1() const { return address_; }
    const std::string& Text2() const { return mask_; }
    const std::vector<std::string>& lstPorts() const { return ports_; }
    const std::vector<std::string>& lstConStat() const { return status_; }
    const std::vector<std::string>& lstConhost() const { return hosts_; }

    void cmdClose_Click();
    void frame_close() override { cmdClose_Click(); }

private:
    DesignerModel& model_;
    std::string title_;
    std::string address_;
    std::string mask_;
    std::vector<std::string> ports_, status_, hosts_;
};

// Shows the designer's dialogs modal; each call returns when its dialog has
// closed.  The window gives the real dialogs, tests answer them.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual void show(InterfaceDialog& dialog) = 0;
    virtual void show(SlotDialog& dialog) = 0;
    virtual void show(IpAssignDialog& dialog) = 0;
    virtual void show(RemoveConnectionDialog& dialog) = 0;
    virtual void show(SubinterfaceDialog& dialog) = 0;
    virtual void show(RouterPropertiesDialog& dialog) = 0;
    virtual void show(SwitchPropertiesDialog& dialog) = 0;
    // The canvas pop-up menu at the pointer; the chosen item's handler has
    // run when it returns.
    virtual void popup_menu() = 0;
};

// Whether a text is a dotted address: four parts, each a number from 0 to 255.
bool is_dotted_address(const std::string& text);

}  // namespace vexlab::designer
