#include "commands/config/frame_relay.h"

#include <optional>

#include "commands/config/interface_names.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

constexpr const char* kDlciInUse =
    "This DLCI number has been assigned,Please choose another DLCI number";

// What the words after the DLCI say: whether the map forwards broadcasts,
// and its encapsulation type (the not-applicable marker when none is named).
struct MapOptions {
    bool broadcast = false;
    std::string type{state::marker::kNotApplicable};
};

// `base` is the word count of the line without options.
std::optional<MapOptions> map_options(const state::CommandLine& line, std::size_t base) {
    const std::size_t n = line.typed_words.size();
    const std::string& last = n ? line.word(n - 1) : line.word(0);
    if (n == base) return MapOptions{};
    if (n == base + 1) {
        if (last == "broadcast")
            return MapOptions{true, std::string(state::marker::kNotApplicable)};
        return MapOptions{false, last};
    }
    if (n == base + 2) return MapOptions{true, last};
    return std::nullopt;
}

bool is_not_set(const std::optional<std::string>& value) {
    return !value || value->empty() || text::iequals(*value, state::marker::kNotSet);
}

// One setting of an interface's int_det row; nothing without the row.
std::optional<std::string> interface_detail(const DeviceScope& scope, const std::string& interface,
                                            const char* column) {
    db::Recordset set = scope.session.open_recordset(
        std::string("SELECT i.") + column + " FROM " + db::quote_identifier("int_device") +
            " AS d INNER JOIN " + db::quote_identifier("int_det") +
            " AS i ON d.\"index\" = i.ref "
            "WHERE d.dev_name = ? AND i.int_name = ? ORDER BY i.rowid LIMIT 1",
        {scope.device, interface});
    if (set.eof() || set.field(0).is_null()) return std::nullopt;
    return set.text(0);
}

void set_flag(const DeviceScope& scope, const char* column, const std::string& interface, bool up) {
    auto number = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!number) return;
    for (const auto& view : routing_views(scope.tables))
        scope.session.execute("UPDATE " + quote_identifier(view) + " SET " + column +
                                  " = ? WHERE int_name = ? AND ref = ?",
                              {up ? 1 : 0, interface, *number});
}

bool subinterface_row_exists(const DeviceScope& scope, std::int64_t frame_index,
                             const std::string& number) {
    return !scope.session
                .scalar("SELECT 1 FROM " + quote_identifier(scope.tables.frame_map_table) +
                            " WHERE ref = ? AND subint_num = ? LIMIT 1",
                        {frame_index, number})
                .is_null();
}

}  // namespace

state::CommandOutcome config_frame_relay_map(const DeviceScope& scope, const SerialContext& serial,
                                             const state::CommandLine& line) {
    const auto frame_index = frame_relay_index(scope, serial.interface);
    const auto dlci = whole_number(line.typed(4));
    const std::string& protocol = line.typed(2);
    const std::string& address = line.typed(3);
    const std::string& map_table = scope.tables.frame_map_table;

    if (serial.subinterface_mode) {
        if (serial.subinterface_number.empty())
            return state::CommandOutcome::say(kCreateSubinterfaceFirst);
        if (!frame_index || !dlci ||
            !subinterface_row_exists(scope, *frame_index, serial.subinterface_number))
            return state::CommandOutcome::refuse();
        auto options = map_options(line, 5);
        if (!options) return state::CommandOutcome::done();
        scope.session.execute(
            "UPDATE " + quote_identifier(map_table) +
                " SET protocol_name = ?, dest_ipadd = ?, dlci_num = ?, broadcast = ?, "
                "frame_type = ? WHERE ref = ? AND subint_num = ?",
            {protocol, address, *dlci, options->broadcast ? 1 : 0, options->type, *frame_index,
             serial.subinterface_number});
        return state::CommandOutcome::done();
    }

    if (!frame_index || !dlci) return state::CommandOutcome::refuse();
    const bool taken = !scope.session
                            .scalar("SELECT 1 FROM " + quote_identifier(map_table) +
                                        " WHERE ref = ? AND dlci_num = ? LIMIT 1",
                                    {*frame_index, *dlci})
                            .is_null();
    if (taken) return state::CommandOutcome::say(kDlciInUse);
    auto options = map_options(line, 5);
    if (!options) return state::CommandOutcome::done();
    scope.session.execute(
        "INSERT INTO " + quote_identifier(map_table) +
            " (subint_num, subint_ip, subint_mask, protocol_name, dest_ipadd, dlci_num, "
            "broadcast, frame_type, ref) VALUES ('NA', 'NA', 'NA', ?, ?, ?, ?, ?, ?)",
        {protocol, address, *dlci, options->broadcast ? 1 : 0, options->type, *frame_index});
    return state::CommandOutcome::done();
}

state::CommandOutcome remove_frame_relay_map(const DeviceScope& scope, const SerialContext& serial,
                                             const state::CommandLine& line) {
    // A subinterface's map lives in the subinterface's own row, which only
    // "no ip address" removes.
    if (serial.subinterface_mode) return state::CommandOutcome::done();
    const auto frame_index = frame_relay_index(scope, serial.interface);
    const auto dlci = whole_number(line.typed(5));
    if (!frame_index || !dlci) return state::CommandOutcome::refuse();
    auto options = map_options(line, 6);
    if (!options) return state::CommandOutcome::done();
    // The protocol word is stored as typed; "ip" in any case names the same.
    scope.session.execute(
        "DELETE FROM " + quote_identifier(scope.tables.frame_map_table) +
            " WHERE subint_num = 'NA' AND subint_ip = 'NA' AND subint_mask = 'NA' AND "
            "protocol_name = ? AND dest_ipadd = ? AND dlci_num = ? AND broadcast = ? AND "
            "frame_type = ? AND ref = ?",
        {line.typed(3), line.typed(4), *dlci, options->broadcast ? 1 : 0, options->type,
         *frame_index});
    return state::CommandOutcome::done();
}

state::CommandOutcome set_interface_dlci(const DeviceScope& scope, const SerialContext& serial,
                                         const std::string& dlci) {
    if (serial.subinterface_number.empty())
        return state::CommandOutcome::say(kCreateSubinterfaceFirst);
    const auto frame_index = frame_relay_index(scope, serial.interface);
    const auto number = whole_number(dlci);
    if (!frame_index || !number ||
        !subinterface_row_exists(scope, *frame_index, serial.subinterface_number))
        return state::CommandOutcome::refuse();
    scope.session.execute("UPDATE " + quote_identifier(scope.tables.frame_map_table) +
                              " SET dlci_num = ? WHERE ref = ? AND subint_num = ?",
                          {*number, *frame_index, serial.subinterface_number});
    return state::CommandOutcome::done();
}

void update_isdn_l2_state(const DeviceScope& scope, const std::string& interface) {
    const state::DeviceSettings settings(scope.session, scope.tables, scope.device);
    const auto switch_type = settings.read("isdn_switch_type");
    const auto dialer_list = settings.read("dlist_type");
    const auto encapsulation = interface_detail(scope, interface, "encap_short");

    const bool up = !is_not_set(switch_type) && encapsulation == "ppp" &&
                    !is_not_set(interface_detail(scope, interface, "dailer_dest_ip")) &&
                    dialer_list && text::iequals(*dialer_list, "permit") &&
                    !is_not_set(interface_detail(scope, interface, "d_group_num")) &&
                    !is_not_set(interface_detail(scope, interface, "d_string"));
    set_flag(scope, "l2_isdn", interface, up);
}

void update_frame_l2_state(const DeviceScope& scope, const SerialContext& serial) {
    if (!serial.subinterface_mode) {
        const auto index = frame_relay_index(scope, serial.interface);
        const bool has_map =
            index &&
            !scope.session
                 .scalar("SELECT 1 FROM " + quote_identifier(scope.tables.frame_map_table) +
                             " WHERE ref = ? LIMIT 1",
                         {*index})
                 .is_null();
        const bool up = interface_detail(scope, serial.interface, "encap_short") == "framerelay" &&
                        !is_not_set(interface_detail(scope, serial.interface, "frame_type")) &&
                        has_map;
        set_flag(scope, "l2_frame", serial.interface, up);
        return;
    }
    bool up = false;
    if (const auto index = frame_relay_index(scope, serial.interface)) {
        db::Recordset row = scope.session.open_recordset(
            "SELECT encap_short, frame_type FROM " +
                quote_identifier(scope.tables.frame_map_table) +
                " WHERE ref = ? AND subint_num = ? ORDER BY rowid LIMIT 1",
            {*index, serial.subinterface_number});
        if (!row.eof())
            up = row.text(0) == "framerelay" &&
                 !is_not_set(row.field(1).is_null() ? std::nullopt
                                                    : std::optional<std::string>(row.text(1)));
    }
    set_flag(scope, "l2_frame", subinterface_name(serial.interface, serial.subinterface_number),
             up);
}

void leave_interface_mode(const DeviceScope& scope, state::DeviceKind kind, state::CommandMode mode,
                          const SerialContext& left) {
    if (kind == state::DeviceKind::Switch) return;
    if (mode == state::CommandMode::ConfigSubif) {
        update_frame_l2_state(scope, left);
        return;
    }
    if (mode != state::CommandMode::ConfigIf) return;
    if (is_isdn_interface(left.interface)) update_isdn_l2_state(scope, left.interface);
    if (is_serial_interface(left.interface)) update_frame_l2_state(scope, left);
}

}  // namespace vexlab::commands
