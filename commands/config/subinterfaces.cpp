#include "commands/config/subinterfaces.h"

#include <optional>
#include <vector>

#include "commands/config/interface_addressing.h"
#include "commands/config/interface_names.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

constexpr const char* kRemoveAddressFirst =
    "Please remove the IP address and manual resolution for the interface to configure "
    "subinterface";

// The subinterface numbers of the main interface's rows in the map table
// (the not-applicable marker for a map of the main interface itself).
std::vector<std::string> frame_rows(const DeviceScope& scope, const std::string& interface) {
    const auto& t = scope.tables;
    db::Recordset rows = scope.session.open_recordset(
        "SELECT m.subint_num FROM " + quote_identifier(t.frame_device_table) + " AS d JOIN " +
            quote_identifier(t.frame_ip_table) + " AS i ON d.dev_no = i.ref JOIN " +
            quote_identifier(t.frame_map_table) +
            " AS m ON i.\"index\" = m.ref WHERE d.dev_name = ? AND i.int_name = ? ORDER BY m.rowid",
        {scope.device, interface});
    std::vector<std::string> numbers;
    for (; !rows.eof(); rows.move_next()) numbers.push_back(rows.text(0));
    return numbers;
}

}  // namespace

bool has_subinterfaces(const DeviceScope& scope, const std::string& interface) {
    for (const auto& number : frame_rows(scope, interface))
        if (number != state::marker::kNotApplicable) return true;
    return false;
}

bool has_int_ip(const DeviceScope& scope, const std::string& interface) {
    auto address = interface_address(scope, interface);
    if (address && !address->ip.empty() && address->ip != state::marker::kUnassigned) return true;
    for (const auto& number : frame_rows(scope, interface))
        if (number == state::marker::kNotApplicable) return true;
    return false;
}

state::CommandOutcome enter_subinterface(const DeviceScope& scope, const std::string& interface,
                                         const std::string& number) {
    if (has_int_ip(scope, interface)) return state::CommandOutcome::say(kRemoveAddressFirst);
    const auto& t = scope.tables;
    const auto dev_no = device_number(scope.session, t.rout_dev_table, scope.device);
    const auto frame_index = frame_relay_index(scope, interface);
    if (!dev_no || !frame_index) return state::CommandOutcome::refuse();
    for (const auto& existing : frame_rows(scope, interface))
        if (existing == number) return state::CommandOutcome::done();

    scope.session.execute(
        "INSERT INTO " + quote_identifier(t.frame_map_table) + " (subint_num, ref) VALUES (?, ?)",
        {number, *frame_index});
    const std::string name = subinterface_name(interface, number);
    for (const auto& view : routing_views(t))
        scope.session.execute("INSERT INTO " + quote_identifier(view) +
                                  " (nwnum, int_name, next_hop_devname, next_hop_intname, ref) "
                                  "VALUES ('UA', ?, 'UA', 'UA', ?)",
                              {name, *dev_no});
    return state::CommandOutcome::done();
}

bool is_subint_address_in_use(const DeviceScope& scope, const std::string& interface,
                              const std::string& number, const std::string& address) {
    const auto& t = scope.tables;
    bool in_use = !scope.session
                       .scalar("SELECT 1 FROM " + quote_identifier(t.route_ip_table) +
                                   " WHERE ip = ? LIMIT 1",
                               {address})
                       .is_null();

    // Every management address counts, the device's own included.
    state::DeviceSettings settings(scope.session, t, scope.device);
    for (const auto& cell : settings.row("FastEthernet1_ip_address"))
        if (cell.column != "Config_Variable" && cell.value == address) in_use = true;

    db::Recordset holders = scope.session.open_recordset(
        "SELECT d.dev_name, i.int_name, m.subint_num FROM " +
            quote_identifier(t.frame_device_table) + " AS d JOIN " +
            quote_identifier(t.frame_ip_table) + " AS i ON d.dev_no = i.ref JOIN " +
            quote_identifier(t.frame_map_table) +
            " AS m ON i.\"index\" = m.ref WHERE m.subint_ip = ?",
        {address});
    for (; !holders.eof(); holders.move_next()) {
        const bool itself = holders.text(0) == scope.device &&
                            text::iequals(holders.text(1), interface) &&
                            text::iequals(holders.text(2), number);
        if (!itself) in_use = true;
    }
    return in_use;
}

state::CommandOutcome set_subint_ip(const DeviceScope& scope, const std::string& interface,
                                    const std::string& number, const std::string& address,
                                    const std::string& mask) {
    if (is_subint_address_in_use(scope, interface, number, address))
        return state::CommandOutcome::say(kAddressInUse);
    if (number.empty()) return state::CommandOutcome::say(kCreateSubinterfaceFirst);
    const auto& t = scope.tables;
    const auto frame_index = frame_relay_index(scope, interface);
    if (!frame_index) return state::CommandOutcome::refuse();
    const std::string name = subinterface_name(interface, number);
    const auto dev_no = device_number(scope.session, t.rout_dev_table, scope.device);
    if (!dev_no || !has_view_row(scope, *dev_no, name)) return state::CommandOutcome::refuse();

    scope.session.execute(
        "UPDATE " + quote_identifier(t.frame_map_table) +
            " SET subint_ip = ?, subint_mask = ? WHERE ref = ? AND subint_num = ?",
        {address, mask, *frame_index, number});
    if (scope.session.changes() == 0) return state::CommandOutcome::refuse();
    assign_interface_ip(scope, address, mask, name);
    return state::CommandOutcome::done();
}

state::CommandOutcome remove_subint_ip(const DeviceScope& scope, const std::string& interface,
                                       const std::string& number) {
    const auto& t = scope.tables;
    const auto dev_no = device_number(scope.session, t.rout_dev_table, scope.device);
    const auto frame_index = frame_relay_index(scope, interface);
    if (!dev_no || !frame_index) return state::CommandOutcome::refuse();
    const std::string name = subinterface_name(interface, number);

    scope.session.execute(
        "DELETE FROM " + quote_identifier(t.frame_map_table) + " WHERE subint_num = ? AND ref = ?",
        {number, *frame_index});

    db::Recordset own = scope.session.open_recordset(
        "SELECT next_hop_devname, next_hop_intname FROM " + quote_identifier(t.route_ip_table) +
            " WHERE int_name = ? AND ref = ? ORDER BY rowid LIMIT 1",
        {name, *dev_no});
    std::string peer_device, peer_interface;
    if (!own.eof()) {
        peer_device = own.text(0);
        peer_interface = own.text(1);
    }
    for (const auto& view : routing_views(t))
        scope.session.execute(
            "DELETE FROM " + quote_identifier(view) + " WHERE int_name = ? AND ref = ?",
            {name, *dev_no});

    if (peer_device.empty() || peer_device == state::marker::kUnassigned ||
        peer_interface.empty() || peer_interface == state::marker::kUnassigned)
        return state::CommandOutcome::done();
    const auto peer_number = device_number(scope.session, t.rout_dev_table, peer_device);
    if (!peer_number) return state::CommandOutcome::done();
    for (const auto& view : routing_views(t))
        scope.session.execute("UPDATE " + quote_identifier(view) +
                                  " SET next_hop_devname = 'UA', next_hop_intname = 'UA', "
                                  "next_hopip = 'UA', next_hopmask = 'UA' WHERE int_name = ? AND "
                                  "ref = ?",
                              {peer_interface, *peer_number});
    return state::CommandOutcome::done();
}

}  // namespace vexlab::commands
