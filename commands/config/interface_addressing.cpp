#include "commands/config/interface_addressing.h"

#include <cstdint>

#include "commands/config/address_rules.h"
#include "commands/config/interface_names.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "reachability/lan_tables.h"
#include "state/device_settings.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

struct Peer {
    std::string device, interface;
};

// The far end of an interface's link as route_ip records it.
std::optional<Peer> peer_of(const DeviceScope& scope, const std::string& interface,
                            std::int64_t number) {
    db::Recordset set =
        scope.session.open_recordset("SELECT next_hop_devname, next_hop_intname FROM " +
                                         quote_identifier(scope.tables.route_ip_table) +
                                         " WHERE int_name = ? AND ref = ? ORDER BY rowid LIMIT 1",
                                     {interface, number});
    if (set.eof()) return std::nullopt;
    Peer peer{set.text(0), set.text(1)};
    if (peer.device.empty() || peer.device == state::marker::kUnassigned) return std::nullopt;
    return peer;
}

// Sets the next hop that the peer of an interface sees.
void set_peer_next_hop(const DeviceScope& scope, const std::string& interface, std::int64_t number,
                       const std::string& address, const std::string& mask) {
    auto peer = peer_of(scope, interface, number);
    if (!peer || peer->interface.empty() || peer->interface == state::marker::kUnassigned) return;
    auto peer_number = device_number(scope.session, scope.tables.rout_dev_table, peer->device);
    if (!peer_number) return;
    for (const auto& view : routing_views(scope.tables))
        scope.session.execute("UPDATE " + quote_identifier(view) +
                                  " SET next_hopip = ?, next_hopmask = ? WHERE int_name = ? AND "
                                  "ref = ?",
                              {address, mask, peer->interface, *peer_number});
}

void set_view_address(const DeviceScope& scope, const std::string& interface, std::int64_t number,
                      const std::string& address, const std::string& mask) {
    for (const auto& view : routing_views(scope.tables))
        scope.session.execute("UPDATE " + quote_identifier(view) +
                                  " SET ip = ?, mask = ? WHERE int_name = ? AND ref = ?",
                              {address, mask, interface, number});
}

}  // namespace

bool is_address_in_use(const DeviceScope& scope, const std::string& address,
                       const std::string& interface) {
    const auto& tables = scope.tables;
    bool in_use = false;

    db::Recordset holders = scope.session.open_recordset(
        "SELECT d.dev_name, r.int_name FROM " + quote_identifier(tables.rout_dev_table) +
            " AS d INNER JOIN " + quote_identifier(tables.route_ip_table) +
            " AS r ON d.dev_no = r.ref WHERE r.ip = ?",
        {address});
    for (; !holders.eof(); holders.move_next()) {
        const bool itself =
            holders.text(0) == scope.device && text::iequals(holders.text(1), interface);
        if (!itself) in_use = true;
    }

    // Management addresses of switches; the device may keep its own.
    state::DeviceSettings settings(scope.session, tables, scope.device);
    for (const auto& cell : settings.row("FastEthernet1_ip_address"))
        if (cell.value == address && cell.column != "Config_Variable" &&
            !text::iequals(cell.column, scope.device))
            in_use = true;

    if (!scope.session
             .scalar("SELECT 1 FROM " + quote_identifier(tables.frame_map_table) +
                         " WHERE subint_ip = ? LIMIT 1",
                     {address})
             .is_null())
        in_use = true;
    return in_use;
}

std::optional<InterfaceAddress> interface_address(const DeviceScope& scope,
                                                  const std::string& interface) {
    auto number = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!number) return std::nullopt;
    db::Recordset own = scope.session.open_recordset(
        "SELECT ip, mask FROM " + quote_identifier(scope.tables.route_ip_table) +
            " WHERE int_name = ? AND ref = ? ORDER BY rowid LIMIT 1",
        {interface, *number});
    if (own.eof()) return std::nullopt;
    return InterfaceAddress{own.text(0), own.text(1)};
}

bool assign_interface_ip(const DeviceScope& scope, const std::string& address,
                         const std::string& mask, const std::string& interface) {
    auto number = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!number) return false;
    set_view_address(scope, interface, *number, address, mask);

    const std::string ospf_dev = quote_identifier(scope.tables.ospf_dev_table);
    db::Recordset id = scope.session.open_recordset(
        "SELECT device_id FROM " + ospf_dev + " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
        {scope.device});
    const std::string current = id.eof() ? std::string() : id.text(0);
    const std::string chosen = router_id_replaces(current, address) ? address : current;
    scope.session.execute("UPDATE " + ospf_dev + " SET device_id = ? WHERE dev_no = ?",
                          {chosen, *number});

    set_peer_next_hop(scope, interface, *number, address, mask);
    return true;
}

bool clear_int_ip(const DeviceScope& scope, state::DeviceKind kind, const std::string& interface) {
    auto number = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!number) return false;
    const std::string old_address =
        interface_address(scope, interface).value_or(InterfaceAddress{}).ip;

    const std::string unassigned(state::marker::kUnassigned);
    set_view_address(scope, interface, *number, unassigned, unassigned);
    scope.session.execute(
        "UPDATE " + db::quote_identifier("int_det") +
            " SET ip_address = ?, mask_address = ? WHERE int_name = ? AND ref = ?",
        {unassigned, unassigned, interface, *number});
    set_peer_next_hop(scope, interface, *number, unassigned, unassigned);

    if (kind == state::DeviceKind::Router)
        reachability::router_address_removed(scope.session, scope.device, interface, old_address);
    else
        reachability::host_address_removed(scope.session, old_address);
    return true;
}

state::CommandOutcome set_interface_address(const DeviceScope& scope, state::DeviceKind kind,
                                            const std::string& interface,
                                            const std::string& address, const std::string& mask) {
    if (is_address_in_use(scope, address, interface))
        return state::CommandOutcome::say(kAddressInUse);
    const std::optional<InterfaceAddress> previous = interface_address(scope, interface);
    if (!previous) return state::CommandOutcome::refuse();

    assign_interface_ip(scope, address, mask, interface);
    if (kind == state::DeviceKind::Router) {
        if (is_ethernet_interface(interface))
            reachability::router_address_changed(scope.session, scope.tables, scope.device,
                                                 interface, previous->ip, previous->mask);
    } else {
        reachability::host_address_changed(scope.session, scope.tables, scope.device, previous->ip,
                                           address, mask);
    }
    return state::CommandOutcome::done();
}

state::CommandOutcome set_management_address(const DeviceScope& scope,
                                             const std::string& previous_address,
                                             const std::string& address, const std::string& mask) {
    if (is_address_in_use(scope, address, "")) return state::CommandOutcome::say(kAddressInUse);
    reachability::host_address_changed(scope.session, scope.tables, scope.device, previous_address,
                                       address, mask);
    return state::CommandOutcome::done();
}

}  // namespace vexlab::commands
