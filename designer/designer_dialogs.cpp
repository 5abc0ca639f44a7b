#include "designer/designer_dialogs.h"

#include "designer/designer_catalogue.h"
#include "designer/designer_model.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/vocabulary.h"

namespace vexlab::designer {

namespace {

bool unassigned(const std::string& value) {
    return value.empty() || value == state::marker::kUnassigned;
}

}  // namespace

bool is_dotted_address(const std::string& text) {
    const auto parts = text::split(text, ".");
    if (parts.size() != 4) return false;
    for (const auto& part : parts) {
        if (part.empty() || part.size() > 3) return false;
        if (part.find_first_not_of("0123456789") != std::string::npos) return false;
        if (std::stoi(part) > 255) return false;
    }
    return true;
}

// ------------------------------------------------------------ interfaces

InterfaceDialog::InterfaceDialog(platform::UserDialogs& dialogs, std::vector<std::string> items,
                                 std::function<void(const std::string&)> on_select)
    : dialogs_(dialogs), items_(std::move(items)), on_select_(std::move(on_select)) {}

void InterfaceDialog::cmdSelect_Click(const std::string& selected) {
    if (selected.empty()) {
        dialogs_.message(kProgramTitle, "Please Select the interface", platform::Icon::None);
        return;
    }
    if (on_select_) on_select_(selected);
    choice_ = selected;
    unload();
}

void InterfaceDialog::cmdClose_Click() {
    choice_.reset();
    unload();
}

// ------------------------------------------------------------------ slots

bool SlotDialog::shows_notice() const {
    for (const auto& position : positions_)
        if (position.visible && position.unsupported) return true;
    return false;
}

void SlotDialog::Close_Click(const std::array<std::string, 3>& combo_texts) {
    for (std::size_t i = 0; i < positions_.size(); ++i)
        choices_[i] = positions_[i].unsupported ? std::string()
                                                : positions_[i].caption + "/" + combo_texts[i];
    unload();
}

// ------------------------------------------------------------ IP address

IpAssignDialog::IpAssignDialog(DesignerModel& model, std::string host, std::string device_model)
    : model_(model), host_(std::move(host)), device_model_(std::move(device_model)) {
    is_switch_ = is_switch_model(device_model_);
    const auto rows = model_.tables().interfaces(host_);
    if (!rows.empty()) label4_ = rows.front().interfacetype;
    if (is_switch_) {
        lists_enabled_ = false;
        label4_ = host_ + " IP Configuration";
    } else {
        load_interfaces();
    }
}

void IpAssignDialog::load_interfaces() {
    for (const auto& row : model_.tables().interfaces(host_)) {
        list1_.push_back(row.interfacetype);
        list2_.push_back(unassigned(row.ipadd) ? "Unassigned" : row.ipadd);
        list3_.push_back(unassigned(row.maskadd) ? "Unassigned" : row.maskadd);
    }
}

void IpAssignDialog::List1_Click(int row) {
    if (row < 0 || row >= static_cast<int>(list1_.size())) return;
    label4_ = list1_[row];
    selected_row_ = row;
}

IpAssignDialog::Boxes IpAssignDialog::cmdIpAssign_Click(const std::string& address,
                                                        const std::string& mask) {
    auto& dialogs = model_.dialogs();
    auto& tables = model_.tables();
    if (address.empty() || mask.empty()) {
        dialogs.message(kProgramTitle, "Please fill in the IP and MASK address fields",
                        platform::Icon::None);
        return Boxes::Keep;
    }
    const std::string interface =
        is_switch_ ? std::string(management_interface(device_model_)) : label4_;
    if (!is_switch_ && tables.has_subinterfaces(host_, interface)) {
        dialogs.message(kProgramTitle, "Please remove the subinterfaces to assign I.P address",
                        platform::Icon::None);
        return Boxes::Keep;
    }
    if (!is_dotted_address(address) || !is_dotted_address(mask)) {
        dialogs.message(kProgramTitle, "wrong IP address format", platform::Icon::None);
        return Boxes::Keep;
    }
    if (tables.address_taken(address, host_, interface)) {
        dialogs.message(kProgramTitle, "this IP address is already assigned", platform::Icon::None);
        return Boxes::ClearAndFocusAddress;
    }
    tables.assign_address(host_, interface, address, mask);
    if (!is_switch_ && selected_row_ >= 0 && selected_row_ < static_cast<int>(list2_.size())) {
        list2_[selected_row_] = address;
        list3_[selected_row_] = mask;
    }
    return Boxes::Clear;
}

void IpAssignDialog::cmdClose_Click() {
    model_.set_selected_model("");
    unload();
}

// --------------------------------------------------------- sub-interfaces

SubinterfaceDialog::SubinterfaceDialog(DesignerModel& model, std::string host,
                                       std::string interface, bool remove_mode)
    : model_(model),
      host_(std::move(host)),
      interface_(std::move(interface)),
      remove_mode_(remove_mode) {
    label4_ = remove_mode_ ? "Please select the Subinterface to remove"
                           : "Sub Interface Configuration Details";
    for (const auto& link : model_.tables().subinterfaces(host_, interface_)) {
        list1_.push_back(interface_ + "." + std::to_string(link.sun_int_num));
        list2_.push_back(link.todevice);
        list3_.push_back(link.tointerface + "." + link.to_sub_int_num);
        numbers_.push_back(link.sun_int_num);
    }
}

void SubinterfaceDialog::Command2_Click(std::optional<int> selected) {
    if (!selected || *selected < 0 || *selected >= static_cast<int>(list1_.size())) {
        model_.dialogs().message(kProgramTitle, "Please Select SubInterface to remove",
                                 platform::Icon::None);
        return;
    }
    const auto row = static_cast<std::size_t>(*selected);
    model_.remove_subinterface_connection(host_, interface_, numbers_[row]);
    model_.dialogs().message("Connection Removal Success",
                             "The Connection has been removed successfully", platform::Icon::None);
    list1_.erase(list1_.begin() + *selected);
    list2_.erase(list2_.begin() + *selected);
    list3_.erase(list3_.begin() + *selected);
    numbers_.erase(numbers_.begin() + *selected);
}

void SubinterfaceDialog::Command1_Click() {
    if (remove_mode_) {
        const auto row = model_.tables().interface_row(host_, interface_);
        still_connected_ = row && row->connected;
    }
    unload();
}

// -------------------------------------------------------- remove connection

RemoveConnectionDialog::RemoveConnectionDialog(DesignerModel& model, std::string host)
    : model_(model), host_(std::move(host)), items_(model_.tables().connected_interfaces(host_)) {}

void RemoveConnectionDialog::lstRemInt_Click(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    selected_ = row;
    open_subinterfaces(items_[row]);
}

void RemoveConnectionDialog::open_subinterfaces(const std::string& interface) {
    SubinterfaceDialog dialog(model_, host_, interface, true);
    if (dialog.empty()) return;
    model_.run(dialog);
    // An interface left without a connection leaves the list.
    if (!dialog.still_connected() && selected_) items_.erase(items_.begin() + *selected_);
    selected_.reset();
}

void RemoveConnectionDialog::cmdRemove_Click() {
    auto& dialogs = model_.dialogs();
    const auto answer = dialogs.question("Confirm Remove Connection",
                                         "Are you sure you want to remove the connection", false,
                                         platform::Icon::Question);
    if (answer != platform::Answer::Yes) return;
    if (!selected_) {
        dialogs.message(kProgramTitle, "please select the interface to be removed",
                        platform::Icon::None);
        return;
    }
    const std::string interface = items_[*selected_];
    const auto row = model_.tables().interface_row(host_, interface);
    if (!row) return;
    // A Frame Relay interface has no line of its own: its connections are
    // removed one sub-interface at a time.
    if (row->lineno == 0) {
        open_subinterfaces(interface);
        return;
    }
    model_.remove_plain_connection(host_, *row);
    items_.erase(items_.begin() + *selected_);
    selected_.reset();
    dialogs.message("Connection Removal Success", "The Connection has been removed successfully",
                    platform::Icon::None);
}

// ------------------------------------------------------------- properties

RouterPropertiesDialog::RouterPropertiesDialog(DesignerModel& model, std::string host,
                                               std::string device_model)
    : model_(model), host_(std::move(host)) {
    for (const auto& row : model_.tables().interfaces(host_)) {
        interfaces_.push_back(row.interfacetype);
        addresses_.push_back(unassigned(row.ipadd) ? "unassigned" : row.ipadd);
        masks_.push_back(unassigned(row.maskadd) || row.ipadd == state::marker::kUnassigned
                             ? "unassigned"
                             : row.maskadd);
        if (!row.connected)
            connections_.push_back("not connected");
        else if (row.todevice.empty())
            connections_.push_back("Please Click on the interface to view Subinterface details,");
        else
            connections_.push_back(row.todevice + "," + row.tointerface);
    }
    title_ = host_ + "(" + device_model + ")" + " Interface Configuration Details ";
}

void RouterPropertiesDialog::lstInterfaces_Click(int row) {
    if (row < 0 || row >= static_cast<int>(interfaces_.size())) return;
    SubinterfaceDialog dialog(model_, host_, interfaces_[row], false);
    if (dialog.empty()) return;
    model_.run(dialog);
}

SwitchPropertiesDialog::SwitchPropertiesDialog(DesignerModel& model, std::string host,
                                               std::string device_model)
    : model_(model) {
    address_ = mask_ = "unassigned";
    bool management_found = false;
    for (const auto& row : model_.tables().interfaces(host)) {
        const bool management =
            row.interfacetype == "FastEthernet1" || row.interfacetype == "Ethernet0";
        if (management) {
            if (!management_found) {
                address_ = row.ipadd.empty() ? "unassigned" : row.ipadd;
                mask_ = row.maskadd.empty() ? "unassigned" : row.maskadd;
            }
            management_found = true;
            continue;
        }
        ports_.push_back(row.interfacetype);
        if (!row.connected) {
            status_.push_back("Not Connected");
            hosts_.push_back("");
        } else {
            status_.push_back("Connected");
            hosts_.push_back(row.todevice + "," + row.tointerface);
        }
    }
    title_ = host + "(" + device_model + ")" + " Properties ";
}

void SwitchPropertiesDialog::cmdClose_Click() {
    model_.set_selected_model("");
    unload();
}

}  // namespace vexlab::designer
