#include "designer/designer_model.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "designer/host_names.h"
#include "designer/network_export.h"
#include "designer/network_map_file.h"
#include "networkfiles/network_file.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/vocabulary.h"

namespace vexlab::designer {

namespace {

constexpr const char* kNoFreeInterfaces = "There are no free interfaces for this device";
constexpr const char* kNameTaken = "This hosname is already used,Please choose another name";
constexpr const char* kMapFilter = "netmap(*.dgm)|*.dgm";

// A card entry of the slot dialog: "WAN 1/2 Serial" makes two serial
// interfaces in slot "WAN 1".  Anything else makes nothing.
struct CardChoice {
    std::string slot;
    std::string type;
    int count = 0;
};

std::optional<CardChoice> parse_card_choice(const std::string& entry) {
    const auto parts = text::split(entry, "/");
    if (parts.size() < 2) return std::nullopt;
    const auto card = text::split(parts[1], " ");
    if (card.size() < 2 || card[0].empty() || card[1].empty()) return std::nullopt;
    // A card brings a handful of interfaces; a typed count beyond that is
    // not a card.
    if (card[0].size() > 2 || card[0].find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return CardChoice{parts[0], card[1], std::stoi(card[0])};
}

// A free name no device can bear: the box says so and why.
std::string unusable_name_message(std::string_view name) {
    std::string why = unusable_host_name(name).value_or("");
    if (!why.empty()) why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
    return why + ".\nPlease choose another name.";
}

}  // namespace

DesignerModel::DesignerModel(db::DatabaseSession& session, platform::UserDialogs& dialogs,
                             DialogHost& host, std::string program_folder)
    : session_(session),
      tables_(session),
      dialogs_(dialogs),
      host_(host),
      program_folder_(std::move(program_folder)) {}

// ------------------------------------------------------------------ window

void DesignerModel::form_load() {
    network_designed_ = false;
    description_entered_ = false;
    tables_.pgmexit();
    devices_.clear();
    router_counter_ = switch_counter_ = pc_counter_ = 0;
    lines_.clear();
    canvas_.clear();
    description_ = kDescriptionPlaceholder;
    ++description_revision_;
    palette_selection_.reset();
    // A connection left half-made, a device picked up or a pen armed when
    // the designer last closed would otherwise reach into the new design.
    interaction_ = Interaction::Idle;
    pending_.reset();
    pen_mode_ = false;
    pointer_ = Pointer::Default;
}

bool DesignerModel::query_unload() {
    if (!network_designed_) return true;
    switch (dialogs_.question("Save the Network?", "Do you want to save the netwotk", true,
                              platform::Icon::Question)) {
        case platform::Answer::Yes:
            // Without a saved file the design stays, so nothing is lost.  A
            // design whose devices are all gone has nothing to save.
            if (!tables_.has_devices())
                dialogs_.message(kProgramTitle, "No Network has been designed to save",
                                 platform::Icon::Critical);
            else if (!save_network_map())
                return false;
            tables_.pgmexit();
            return true;
        case platform::Answer::No:
            tables_.pgmexit();
            return true;
        default:
            return false;
    }
}

// ------------------------------------------------------------------- menus

void DesignerModel::mnufilesave_Click() {
    if (!network_designed_ || !tables_.has_devices()) {
        dialogs_.message(kProgramTitle, "No Network has been designed to save",
                         platform::Icon::Critical);
        return;
    }
    save_network_map();
}

bool DesignerModel::save_network_map() {
    const auto name =
        dialogs_.save_file_name("Save Network As", program_folder_ + "/user", kMapFilter);
    if (!name || name->empty()) return false;
    try {
        NetworkMap map = network_map();
        write_network_map_file(*name, map);
    } catch (const std::exception& error) {
        dialogs_.message(kProgramTitle,
                         "The network could not be saved to " + *name + ".\n\n" +
                             db::failure_text_for_user(error),
                         platform::Icon::Critical);
        return false;
    }
    return true;
}

void DesignerModel::mnufileopen_Click() {
    const auto name =
        dialogs_.open_file_name("Open Network File", program_folder_ + "/user", kMapFilter);
    if (!name || name->empty()) return;
    open_network_map_file(*name);
}

bool DesignerModel::open_network_map_file(const std::string& path) {
    try {
        open_network_map(read_network_map_file(path, tables_.template_models()));
    } catch (const MapFileError& error) {
        // The file is read and checked whole before the design is replaced,
        // so a refused file leaves the current design as it is.
        dialogs_.message(kProgramTitle, error.message(), platform::Icon::Critical);
        return false;
    } catch (const std::exception& error) {
        dialogs_.message(kProgramTitle,
                         MapFileError(path, 0, db::failure_text_for_user(error)).message(),
                         platform::Icon::Critical);
        return false;
    }
    return true;
}

void DesignerModel::mnuExpCon_Click() {
    if (!network_designed_ || !tables_.has_devices()) {
        dialogs_.message(kProgramTitle, "No Network has been designed to export",
                         platform::Icon::Critical);
        return;
    }
    const auto name =
        dialogs_.save_file_name("Export As", program_folder_ + "/user", "export(*.exp)|*.exp");
    if (!name || name->empty()) return;
    export_network(*name);
}

bool DesignerModel::export_network(const std::string& path) {
    try {
        const std::string text =
            exported_network_text(session_, description_entered_ ? description_ : " ");
        // The text is read back as the console will read it, so a network the
        // file cannot carry is refused rather than written.
        networkfiles::check_file_reads_back(text, networkfiles::NetworkFileKind::Exported,
                                            networkfiles::working_shapes(session_));
        const std::string picture =
            render_picture ? render_picture(export_picture(), lines_) : std::string();
        networkfiles::write_exported_network(path, text, picture);
    } catch (const networkfiles::NetworkFileError& error) {
        dialogs_.message(kProgramTitle,
                         "The network could not be exported to " + path + ".\n\nLine " +
                             std::to_string(error.line()) + ": " + error.reason(),
                         platform::Icon::Critical);
        return false;
    } catch (const std::exception& error) {
        dialogs_.message(kProgramTitle,
                         "The network could not be exported to " + path + ".\n\n" +
                             db::failure_text_for_user(error),
                         platform::Icon::Critical);
        return false;
    }
    return true;
}

void DesignerModel::mndDrLine_Click() {
    pen_mode_ = true;
}

void DesignerModel::mnucondev_Click() {
    IpAssignDialog dialog(*this, selected_host_name_, selected_model_);
    run(dialog);
}

void DesignerModel::mnudevprop_Click() {
    for (int row : devices_under(press_.x, press_.y)) {
        selected_model_ = devices_[row].model;
        selected_host_name_ = devices_[row].host;
        showdevprop();
    }
}

void DesignerModel::mnuremcon_Click() {
    RemoveConnectionDialog dialog(*this, selected_host_name_);
    run(dialog);
    repaint_from_tables();
}

void DesignerModel::mnuremdev_Click() {
    const auto answer =
        dialogs_.question("Confirm Remove Device", "Are you sure you want to remove the Device",
                          false, platform::Icon::Question);
    if (answer == platform::Answer::Yes) remove_device(selected_host_name_);
    repaint_from_tables();
}

void DesignerModel::remove_device(const std::string& host) {
    const auto saved_lines = lines_;
    try {
        db::DatabaseSession::Transaction transaction(session_);
        // Plain connections first, one line at a time; the line numbers
        // change as lines go, so the device's rows are read again each time.
        const auto plain = tables_.plain_connections(host).size();
        for (std::size_t pass = 0; pass < plain; ++pass) {
            const auto rows = tables_.plain_connections(host);
            if (rows.empty()) break;
            const InterfaceRow& row = rows.front();
            move_drawint(row.lineno, host);
            remove_line(row.lineno);
            tables_.clear_connection(row.todevice, row.tointerface);
            tables_.delete_interface_on_line(host, row.lineno);
            tables_.lower_line_numbers(row.lineno);
        }
        // Then the Frame Relay pairs; a line goes with the last pair on it.
        const auto pairs = tables_.subinterface_ends(host).size();
        for (std::size_t pass = 0; pass < pairs; ++pass) {
            const auto ends = tables_.subinterface_ends(host);
            const DesignerTables::SubinterfaceEnd* end = nullptr;
            for (const auto& candidate : ends)
                if (candidate.lineno > 0) {
                    end = &candidate;
                    break;
                }
            if (!end) break;
            const int line = end->lineno;
            const auto own = tables_.interface_index(host, end->interface);
            const auto far = tables_.interface_index(end->todevice, end->tointerface);
            if (!own || !far)
                throw std::runtime_error("The far end of " + host + " " + end->interface +
                                         " is missing.");
            const bool last_pair_on_line = tables_.count_on_line(line) <= 2;
            if (last_pair_on_line) {
                move_drawint(line, host);
                remove_line(line);
            }
            tables_.delete_subinterface(*far, end->to_sub_int_num);
            if (!tables_.has_subinterfaces(end->todevice, end->tointerface))
                tables_.set_connected(end->todevice, end->tointerface, false);
            tables_.delete_subinterface(*own, end->sun_int_num);
            if (last_pair_on_line) tables_.lower_line_numbers(line);
        }
        tables_.delete_interfaces(host);
        tables_.delete_device(host);
        transaction.commit();
    } catch (...) {
        lines_ = saved_lines;
        throw;
    }
    if (auto row = row_of(host)) devices_.erase(devices_.begin() + *row);
    dialogs_.message("Device Removal Success",
                     "The device and all its connections have been removed successfully",
                     platform::Icon::None);
    if (!tables_.has_devices()) {
        router_counter_ = switch_counter_ = pc_counter_ = 0;
        network_designed_ = false;
    }
}

// --------------------------------------------------------- description box

void DesignerModel::Text1_Click() {
    if (description_entered_) return;
    description_entered_ = true;
    description_.clear();
    ++description_revision_;
}

// ------------------------------------------------------------------ palette

bool DesignerModel::treDevices_MouseDown(const std::optional<std::string>& item, bool is_group,
                                         MouseButton button) {
    palette_selection_ = item;
    return button == MouseButton::Left && item && !is_group;
}

bool DesignerModel::connector_selected() const {
    return palette_selection_ && connector_kind(*palette_selection_);
}

// ---------------------------------------------------------------- the drop

void DesignerModel::picNetwork_DragDrop(const DropSource& source, double x, double y) {
    const bool was_moving = interaction_ == Interaction::MovingDevice;
    const int moving_row = selected_device_row_;
    // Every drop ends what the mouse was doing: a refused move does not
    // linger, and a half-made connection is given up.
    reset_interaction();
    pointer_ = Pointer::Default;

    // A device, new or moved, lands where it shows whole; a connector
    // stays at the point that names its device.
    const bool valid_row =
        source.device_row >= 0 && source.device_row < static_cast<int>(devices_.size());
    if (source.kind == DropSource::Kind::Device && valid_row) {
        const Point at = fit_device(x, y, devices_[source.device_row].host);
        x = at.x;
        y = at.y;
    } else if (source.kind == DropSource::Kind::Palette && model_group(source.palette_item) &&
               !connector_kind(source.palette_item)) {
        const Point at = fit_device(x, y, std::string());
        x = at.x;
        y = at.y;
    }

    // No device may come too close to another unless a connector is
    // selected in the palette (a connector is dropped onto a device).
    if (!connector_selected()) {
        for (const auto& device : devices_)
            if (inside_square(device.x, device.y, kOverlapSize, x, y)) return;
    }
    if (source.kind == DropSource::Kind::Device) {
        if (was_moving && source.device_row == moving_row && valid_row)
            move_device(moving_row, x, y);
        return;
    }
    if (auto kind = connector_kind(source.palette_item))
        connector_drop(*kind, x, y);
    else if (model_group(source.palette_item))
        new_device(source.palette_item, x, y);
}

Point DesignerModel::fit_device(double x, double y, const std::string& host) const {
    const DrawingArea& area = drawing_area_;
    if (area.width <= 0 || area.height <= 0) return {x, y};
    const Point name = text_size ? text_size(host) : Point{};
    const double width = std::max(kIconSize, name.x);
    const double height = kIconSize + name.y;
    // Placed positions are whole canvas units.
    const auto fit = [](double at, double low, double room, double size) {
        const double high = std::floor(low + room - size);
        if (at > high) at = high;
        if (at < low) at = std::ceil(low);
        return at;
    };
    return {fit(x, area.left, area.width, width), fit(y, area.top, area.height, height)};
}

void DesignerModel::reset_interaction() {
    if (interaction_ == Interaction::Connecting) abandon_connection();
    interaction_ = Interaction::Idle;
}

void DesignerModel::abandon_connection() {
    if (!lines_.empty()) lines_.pop_back();
    pending_.reset();
    interaction_ = Interaction::Idle;
}

std::optional<int> DesignerModel::device_at(double x, double y, double size) const {
    for (std::size_t row = 0; row < devices_.size(); ++row)
        if (inside_square(devices_[row].x, devices_[row].y, size, x, y))
            return static_cast<int>(row);
    return std::nullopt;
}

std::vector<int> DesignerModel::devices_under(double x, double y) const {
    std::vector<int> rows;
    for (std::size_t row = 0; row < devices_.size(); ++row)
        if (inside_square(devices_[row].x, devices_[row].y, kIconSize, x, y))
            rows.push_back(static_cast<int>(row));
    return rows;
}

std::optional<int> DesignerModel::row_of(const std::string& host) const {
    for (std::size_t row = 0; row < devices_.size(); ++row)
        if (!host.empty() && devices_[row].host == host) return static_cast<int>(row);
    return std::nullopt;
}

int& DesignerModel::counter(DeviceGroup group) {
    switch (group) {
        case DeviceGroup::Router:
            return router_counter_;
        case DeviceGroup::Switch:
            return switch_counter_;
        case DeviceGroup::Workstation:
            return pc_counter_;
    }
    return router_counter_;
}

void DesignerModel::clear_address_with_notice(const LinkEnd& end) {
    const std::string address = tables_.address_of(end.host, end.interface);
    if (address.empty() || address == state::marker::kUnassigned) return;
    dialogs_.message(kProgramTitle, "I.P Address Configured on this Interface will be removed",
                     platform::Icon::Information);
    tables_.clear_address(end.host, end.interface);
}

void DesignerModel::connector_drop(ConnectorKind kind, double x, double y) {
    const auto row = device_at(x, y, kIconSize);
    if (!row) return;
    const CanvasDevice device = devices_[*row];
    const auto offered = tables_.free_interfaces(device.host, kind);
    if (offered.empty()) {
        dialogs_.message(kProgramTitle, kNoFreeInterfaces, platform::Icon::Critical);
        return;
    }
    InterfaceDialog dialog(dialogs_, offered, [&](const std::string& chosen) {
        // A Frame Relay interface takes its addresses on its sub-interfaces.
        if (kind == ConnectorKind::FrameRelay) clear_address_with_notice({device.host, chosen});
    });
    run(dialog);
    if (!dialog.choice()) return;
    lines_.push_back({x, y, device.x + 35, device.y + 20, connector_colour(kind)});
    pending_ = PendingConnection{kind, {device.host, *dialog.choice()}};
    interaction_ = Interaction::Connecting;
}

void DesignerModel::new_device(const std::string& model, double x, double y) {
    network_designed_ = true;
    const DeviceGroup group = *model_group(model);
    int& number = counter(group);
    ++number;
    const auto typed =
        dialogs_.input("Host Name", "Enter The Hostname:", proposed_name(group, number));
    const std::string name = typed.value_or("");
    const auto verdict = check_host_name(name, tables_.host_names());
    if (verdict != HostNameVerdict::Accepted) {
        if (verdict == HostNameVerdict::Taken)
            dialogs_.message(kProgramTitle, kNameTaken, platform::Icon::Critical);
        if (verdict == HostNameVerdict::Unusable)
            dialogs_.message(kProgramTitle, unusable_name_message(name), platform::Icon::Critical);
        --number;
        return;
    }
    const auto found = tables_.find_model(model);
    if (!found) throw std::runtime_error("The device catalogue has no model " + model + ".");
    // A name wider than the icon may need the device further in.
    const Point at = fit_device(x, y, name);
    x = at.x;
    y = at.y;
    selected_host_name_ = name;
    selected_model_ = model;
    {
        db::DatabaseSession::Transaction transaction(session_);
        tables_.insert_device(name, x, y, found->index);
        if (is_switch_model(model))
            tables_.portsadd_ip(name, model);
        else
            create_router_interfaces(name, *found);
        transaction.commit();
    }
    devices_.push_back({x, y, model, name});
    canvas_.icon(group, x, y);
    canvas_.print(x, y + kIconSize, name);

    IpAssignDialog dialog(*this, name, model);
    run(dialog);
}

void DesignerModel::create_router_interfaces(const std::string& host, const ModelRow& model) {
    // The choices of an earlier drop never count for this one.
    std::array<std::string, 3> choices{};
    if (model.configure) {
        std::array<SlotDialog::Position, 3> positions{};
        const auto slots = tables_.optional_slots(model.model);
        for (std::size_t i = 0; i < slots.size() && i < positions.size(); ++i) {
            auto& position = positions[i];
            position.visible = true;
            position.caption = slots[i].slot_number;
            position.unsupported = slots[i].slot_number == "Slot 1";
            for (const auto& card : slots[i].cards)
                position.cards.push_back(std::to_string(card.interface_num) + " " +
                                         card.interface_type);
        }
        SlotDialog dialog(positions);
        run(dialog);
        choices = dialog.choices();
    }
    for (const auto& card : tables_.default_slot(model.model))
        tables_.create_interfaces(host, card.interface_type, card.interface_num, "");
    for (const auto& entry : choices)
        if (auto card = parse_card_choice(entry))
            tables_.create_interfaces(host, card->type, card->count, card->slot + "/");
}

// -------------------------------------------------------------- moving

void DesignerModel::move_device(int row, double x, double y) {
    const CanvasDevice old = devices_[row];
    const Point reference{round_even(x), round_even(y)};
    for (std::size_t j = 1; j <= lines_.size(); ++j) {
        ConnectionLine& line = lines_[j - 1];
        // The end on the icon keeps its place on the icon.
        if (inside_square(old.x, old.y, kIconSize, line.x1, line.y1)) {
            line.x1 = x + (line.x1 - old.x);
            line.y1 = y + (line.y1 - old.y);
        } else if (inside_square(old.x, old.y, kIconSize, line.x2, line.y2)) {
            line.x2 = x + (line.x2 - old.x);
            line.y2 = y + (line.y2 - old.y);
        } else {
            continue;
        }
        const int number = static_cast<int>(j);
        move_drawint(number, old.host);
        relabel_line_end(number, row, old.host, reference);
    }
    devices_[row].x = x;
    devices_[row].y = y;
    tables_.update_position(old.host, x, y);
    repaint_from_tables();
}

// Places the labels of both ends of `line` anew: this end from the moved
// icon's corner, the far end from its own device's corner.
void DesignerModel::relabel_line_end(int line, int row, const std::string& host, Point reference) {
    const auto end = tables_.line_end(line, host);
    if (!end) return;
    const auto far_row = row_of(end->far_host);
    if (!far_row) return;
    drawlbl_move(line, *far_row, {host, end->interface}, {end->far_host, end->far_interface},
                 reference, end->subinterface);
    const auto far_end = tables_.line_end(line, end->far_host);
    if (!far_end) return;
    const CanvasDevice& far_device = devices_[*far_row];
    drawlbl_move(line, row, {end->far_host, far_end->interface},
                 {far_end->far_host, far_end->far_interface},
                 {round_even(far_device.x), round_even(far_device.y)}, far_end->subinterface);
}

void DesignerModel::drawlbl_move(int line, int far_row, const LinkEnd& end, const LinkEnd& far,
                                 Point reference, bool subinterface) {
    if (line < 1 || line > static_cast<int>(lines_.size())) return;
    const CanvasDevice& far_device = devices_[far_row];
    const Point at = label_position(lines_[line - 1], reference, {far_device.x, far_device.y});
    if (subinterface)
        tables_.store_subinterface_label(end, far, at);
    else
        tables_.store_plain_label(end.host, line, at);
    canvas_.print(at.x, at.y, short_interface_label(end.interface));
}

void DesignerModel::move_drawint(int line, const std::string& host) {
    const auto end = tables_.line_end(line, host);
    if (!end) return;
    canvas_.erase_text(end->label.x, end->label.y, short_interface_label(end->interface));
    const auto far = tables_.line_end(line, end->far_host);
    if (!far) return;
    canvas_.erase_text(far->label.x, far->label.y, short_interface_label(far->interface));
}

void DesignerModel::repaint_from_tables() {
    canvas_.clear();
    paint_tables(canvas_);
}

void DesignerModel::paint_tables(CanvasImage& image) {
    for (const auto& device : tables_.placed_devices()) {
        const auto group = model_group(device.model);
        if (!group) continue;
        image.icon(*group, device.x, device.y);
        image.print(device.x, device.y + kIconSize, device.host);
    }
    for (const auto& label : tables_.interface_labels())
        image.print(label.at.x, label.at.y, short_interface_label(label.interface));
    for (const auto& label : tables_.subinterface_labels())
        image.print(label.at.x, label.at.y, short_interface_label(label.interface));
}

CanvasImage DesignerModel::export_picture() {
    CanvasImage image;
    paint_tables(image);
    return image;
}

// ------------------------------------------------------------------ mouse

void DesignerModel::picNetwork_MouseDown(MouseButton button, double x, double y) {
    pen_ = {round_even(x), round_even(y)};
    press_ = pen_;
    if (interaction_ == Interaction::DevicePressed || interaction_ == Interaction::MovingDevice)
        interaction_ = Interaction::Idle;
    const bool connecting = interaction_ == Interaction::Connecting;
    if (button == MouseButton::Left && !connecting) {
        const auto row = device_at(x, y, kIconSize);
        if (!row) return;
        const CanvasDevice& device = devices_[*row];
        selected_host_name_ = device.host;
        if (auto group = model_group(device.model)) {
            pointer_ = Pointer::DeviceIcon;
            pointer_icon_ = *group;
        }
        selected_device_row_ = *row;
        interaction_ = Interaction::DevicePressed;
    } else if (button == MouseButton::Left) {
        second_end(x, y);
    } else if (button == MouseButton::Right && !connecting) {
        // Where icons overlap, the menu opens once for each device under the
        // point.  A menu choice may remove a device, so the devices are found
        // again by name.
        std::vector<std::string> hosts;
        for (int row : devices_under(press_.x, press_.y)) hosts.push_back(devices_[row].host);
        for (const auto& host : hosts) {
            const auto row = row_of(host);
            if (!row) continue;
            selected_device_row_ = *row;
            selected_model_ = devices_[*row].model;
            selected_host_name_ = host;
            host_.popup_menu();
        }
    }
}

std::optional<int> DesignerModel::picNetwork_MouseMove(MouseButton button, double x, double y) {
    pointer_ = Pointer::Default;
    if (button == MouseButton::Left && interaction_ == Interaction::DevicePressed) {
        interaction_ = Interaction::MovingDevice;
        if (auto group = model_group(devices_[selected_device_row_].model)) {
            pointer_ = Pointer::DeviceIcon;
            pointer_icon_ = *group;
        }
        return selected_device_row_;
    }
    if (button == MouseButton::Left && pen_mode_) {
        canvas_.pen_line(pen_.x, pen_.y, x - 15, y + 15);
        pen_ = {round_even(x - 15), round_even(y + 15)};
        return std::nullopt;
    }
    if (interaction_ == Interaction::Connecting && !lines_.empty()) {
        if (device_at(x, y, kIconSize)) pointer_ = Pointer::Cross;
        lines_.back().x2 = x;
        lines_.back().y2 = y;
    }
    return std::nullopt;
}

void DesignerModel::picNetwork_MouseUp() {
    pointer_ = Pointer::Default;
    pen_mode_ = false;
    if (interaction_ == Interaction::DevicePressed) interaction_ = Interaction::Idle;
}

void DesignerModel::drag_abandoned() {
    if (interaction_ == Interaction::MovingDevice) interaction_ = Interaction::Idle;
    pointer_ = Pointer::Default;
}

void DesignerModel::picNetwork_DblClick() {
    if (interaction_ == Interaction::Connecting) return;
    for (int row : devices_under(press_.x, press_.y)) {
        selected_model_ = devices_[row].model;
        selected_host_name_ = devices_[row].host;
        showdevprop();
    }
}

void DesignerModel::showdevprop() {
    if (is_switch_model(selected_model_)) {
        SwitchPropertiesDialog dialog(*this, selected_host_name_, selected_model_);
        run(dialog);
    } else {
        RouterPropertiesDialog dialog(*this, selected_host_name_, selected_model_);
        run(dialog);
    }
}

// ------------------------------------------------------------ second end

void DesignerModel::second_end(double x, double y) {
    const PendingConnection pending = *pending_;
    const int line = static_cast<int>(lines_.size());
    std::optional<int> found;
    for (std::size_t row = 0; row < devices_.size(); ++row)
        if (devices_[row].host != pending.first.host &&
            inside_square(devices_[row].x, devices_[row].y, kIconSize, x, y)) {
            found = static_cast<int>(row);
            break;
        }
    bool completed = false;
    bool own_line = true;
    LinkEnd second;
    if (found) {
        second.host = devices_[*found].host;
        const auto offered = tables_.free_interfaces(second.host, pending.kind);
        if (offered.empty()) {
            dialogs_.message(kProgramTitle, kNoFreeInterfaces, platform::Icon::Critical);
        } else {
            InterfaceDialog dialog(dialogs_, offered, [&](const std::string& chosen) {
                second.interface = chosen;
                db::DatabaseSession::Transaction transaction(session_);
                if (pending.kind == ConnectorKind::FrameRelay) {
                    clear_address_with_notice(second);
                    own_line = tables_.write_frame_relay_connection(second, pending.first, line);
                } else {
                    tables_.write_plain_connection(second, pending.first, line);
                }
                transaction.commit();
            });
            run(dialog);
            // Cancel keeps the line following the mouse.
            if (!dialog.choice()) return;
            completed = true;
        }
    }
    pointer_ = Pointer::Default;
    if (completed) {
        pending_.reset();
        interaction_ = Interaction::Idle;
        if (own_line) {
            lines_.back().x2 = x;
            lines_.back().y2 = y;
        } else {
            // The pair joins the line its interfaces already share.
            lines_.pop_back();
        }
        label_new_connection(pending, second, *found, own_line, {round_even(x), round_even(y)});
        return;
    }
    const auto answer = dialogs_.ok_cancel(
        "Improper Selection",
        "Please selcet the appropritae place to make the Connection.\r\nClick on Cancel to "
        "cancel this connection",
        platform::Icon::None);
    if (answer == platform::Answer::Cancel) abandon_connection();
}

void DesignerModel::label_new_connection(const PendingConnection& pending, const LinkEnd& second,
                                         int second_row, bool own_line, Point press) {
    const LinkEnd& first = pending.first;
    if (!own_line) {
        tables_.copy_pair_label(second, first);
        tables_.copy_pair_label(first, second);
        return;
    }
    const auto first_row = row_of(first.host);
    if (!first_row) return;
    const int line = static_cast<int>(lines_.size());
    const bool subinterface = pending.kind == ConnectorKind::FrameRelay;
    drawlbl_move(line, *first_row, second, first, press, subinterface);
    const CanvasDevice& device = devices_[*first_row];
    drawlbl_move(line, second_row, first, second, {round_even(device.x), round_even(device.y)},
                 subinterface);
}

// ---------------------------------------------------------------- removal

void DesignerModel::remove_line(int line) {
    if (line < 1 || line > static_cast<int>(lines_.size()))
        throw std::runtime_error("Connection line " + std::to_string(line) + " does not exist.");
    lines_.erase(lines_.begin() + (line - 1));
}

void DesignerModel::remove_plain_connection(const std::string& host, const InterfaceRow& row) {
    const auto saved_lines = lines_;
    move_drawint(row.lineno, host);
    try {
        db::DatabaseSession::Transaction transaction(session_);
        remove_line(row.lineno);
        tables_.clear_connection(host, row.interfacetype);
        tables_.clear_connection(row.todevice, row.tointerface);
        tables_.lower_line_numbers(row.lineno);
        transaction.commit();
    } catch (...) {
        lines_ = saved_lines;
        throw;
    }
}

void DesignerModel::remove_subinterface_connection(const std::string& host,
                                                   const std::string& interface, int number) {
    // Every row the removal needs is found before anything goes.
    const auto local = tables_.interface_index(host, interface);
    if (!local) throw std::runtime_error("The interface " + interface + " is missing.");
    const auto peer = tables_.subinterface_peer(*local, number);
    if (!peer)
        throw std::runtime_error("The sub-interface " + interface + "." + std::to_string(number) +
                                 " is missing.");
    const auto far = tables_.interface_index(peer->todevice, peer->tointerface);
    if (!far)
        throw std::runtime_error("The far end " + peer->todevice + " " + peer->tointerface +
                                 " is missing.");
    const bool last_pair_on_line =
        tables_.count_towards({host, interface}, {peer->todevice, peer->tointerface}) < 2;
    const auto saved_lines = lines_;
    try {
        db::DatabaseSession::Transaction transaction(session_);
        if (last_pair_on_line) {
            move_drawint(peer->lineno, host);
            remove_line(peer->lineno);
        }
        tables_.delete_subinterface(*local, number);
        tables_.delete_subinterface(*far, peer->to_sub_int_num);
        if (last_pair_on_line) tables_.lower_line_numbers(peer->lineno);
        if (!tables_.has_subinterfaces(host, interface))
            tables_.set_connected(host, interface, false);
        if (!tables_.has_subinterfaces(peer->todevice, peer->tointerface))
            tables_.set_connected(peer->todevice, peer->tointerface, false);
        transaction.commit();
    } catch (...) {
        lines_ = saved_lines;
        throw;
    }
}

// ------------------------------------------------------- network map file

NetworkMap DesignerModel::network_map() {
    NetworkMap map;
    for (const auto& device : tables_.placed_devices())
        map.devices.push_back(
            {device.model, device.host, device.x, device.y, tables_.interfaces(device.host)});
    map.subinterfaces = tables_.subinterface_rows();
    map.counters = {router_counter_, switch_counter_, pc_counter_};
    map.description = description_;
    map.lines = lines_;
    // A connection still being drawn is no part of the design yet: its line
    // joins nothing.
    if (interaction_ == Interaction::Connecting && !map.lines.empty()) map.lines.pop_back();
    return map;
}

void DesignerModel::open_network_map(const NetworkMap& map) {
    {
        db::DatabaseSession::Transaction transaction(session_);
        tables_.pgmexit();
        // A model the catalogue does not know takes the model of the
        // device before it.
        int model_index = 0;
        for (const auto& device : map.devices) {
            if (auto index = tables_.template_index(device.model)) model_index = *index;
            tables_.insert_device(device.host, device.x, device.y, model_index);
            for (const auto& row : device.interfaces) tables_.insert_interface(row);
        }
        for (const auto& row : map.subinterfaces) tables_.insert_subinterface_row(row);
        transaction.commit();
    }
    network_designed_ = true;
    description_entered_ = true;
    reset_interaction();
    pointer_ = Pointer::Default;
    lines_ = map.lines;
    devices_.clear();
    for (const auto& device : tables_.placed_devices())
        devices_.push_back({device.x, device.y, device.model, device.host});
    router_counter_ = map.counters[0];
    switch_counter_ = map.counters[1];
    pc_counter_ = map.counters[2];
    description_ = map.description;
    if (description_.empty()) description_ = kDescriptionPrompt;
    if (description_ == kDescriptionPrompt) description_entered_ = false;
    ++description_revision_;
    repaint_from_tables();
}

}  // namespace vexlab::designer
