#include "commands/config/interface_addressing.h"

#include <array>
#include <cstdint>
#include <optional>

#include "commands/config/command_text.h"
#include "platform/db_session.h"
#include "state/app_state.h"
#include "state/device_settings.h"

namespace vexlab::commands {

using state::DeviceSettings;

namespace {

// The four dotted parts run together, or nothing for another shape.
std::optional<std::string> joined_parts(std::string_view text) {
    std::string joined;
    int parts = 1;
    for (char c : text) {
        if (c == '.')
            ++parts;
        else
            joined += c;
    }
    if (parts != 4) return std::nullopt;
    return joined;
}

std::optional<std::int64_t> device_number(state::AppState& app, const std::string& device) {
    db::Recordset set = app.session.open_recordset(
        "SELECT dev_no FROM " + db::quote_identifier(app.table_set.rout_dev_table) +
            " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
        {device});
    if (set.eof()) return std::nullopt;
    return set.field(0).to_int();
}

struct Peer {
    std::string device, interface;
};

// The far end of an interface's link as route_ip records it.
std::optional<Peer> peer_of(state::AppState& app, const std::string& interface,
                            std::int64_t number) {
    db::Recordset set =
        app.session.open_recordset("SELECT next_hop_devname, next_hop_intname FROM " +
                                       db::quote_identifier(app.table_set.route_ip_table) +
                                       " WHERE int_name = ? AND ref = ? ORDER BY rowid LIMIT 1",
                                   {interface, number});
    if (set.eof()) return std::nullopt;
    Peer peer{set.text(0), set.text(1)};
    if (peer.device.empty() || peer.device == "UA") return std::nullopt;
    return peer;
}

// Sets the next hop that the peer of an interface sees.
void set_peer_next_hop(state::AppState& app, const std::string& interface, std::int64_t number,
                       const std::string& address, const std::string& mask) {
    auto peer = peer_of(app, interface, number);
    if (!peer) return;
    auto peer_number = device_number(app, peer->device);
    if (!peer_number || peer->interface.empty() || peer->interface == "UA") return;
    for (const auto& view : routing_views(app.table_set))
        app.session.execute("UPDATE " + db::quote_identifier(view) +
                                " SET next_hopip = ?, next_hopmask = ? WHERE int_name = ? AND "
                                "ref = ?",
                            {address, mask, peer->interface, *peer_number});
}

void set_view_address(state::AppState& app, const std::string& interface, std::int64_t number,
                      const std::string& address, const std::string& mask) {
    for (const auto& view : routing_views(app.table_set))
        app.session.execute("UPDATE " + db::quote_identifier(view) +
                                " SET ip = ?, mask = ? WHERE int_name = ? AND ref = ?",
                            {address, mask, interface, number});
}

}  // namespace

std::array<std::string, 3> routing_views(const state::NetworkTableSet& tables) {
    return {tables.route_ip_table, tables.ospf_ip_table, tables.eigrp_ip_table};
}

bool router_id_replaces(std::string_view current, std::string_view candidate) {
    auto current_joined = joined_parts(current);
    auto candidate_joined = joined_parts(candidate);
    if (!current_joined) return true;
    if (!candidate_joined) return false;
    return !(*candidate_joined < *current_joined);
}

bool is_address_in_use(state::AppState& app, const std::string& address, const std::string& device,
                       const std::string& interface) {
    const auto& tables = app.table_set;
    bool in_use = false;

    db::Recordset holders = app.session.open_recordset(
        "SELECT d.dev_name, r.int_name FROM " + db::quote_identifier(tables.rout_dev_table) +
            " AS d INNER JOIN " + db::quote_identifier(tables.route_ip_table) +
            " AS r ON d.dev_no = r.ref WHERE r.ip = ?",
        {address});
    for (; !holders.eof(); holders.move_next()) {
        bool itself = holders.text(0) == device && iequals(holders.text(1), interface);
        if (!itself) in_use = true;
    }

    // Management addresses of switches; the device may keep its own.
    DeviceSettings settings(app.session, tables, device);
    for (const auto& cell : settings.row("FastEthernet1_ip_address"))
        if (cell.value == address && !iequals(cell.column, device)) in_use = true;

    if (app.session
            .scalar("SELECT count(*) FROM " + db::quote_identifier(tables.frame_map_table) +
                        " WHERE subint_ip = ?",
                    {address})
            .to_int() > 0)
        in_use = true;
    return in_use;
}

void assign_interface_ip(state::AppState& app, const std::string& address, const std::string& mask,
                         const std::string& device, const std::string& interface) {
    auto number = device_number(app, device);
    if (!number) return;
    set_view_address(app, interface, *number, address, mask);

    const std::string& ospf_dev = app.table_set.ospf_dev_table;
    db::Recordset id =
        app.session.open_recordset("SELECT device_id FROM " + db::quote_identifier(ospf_dev) +
                                       " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
                                   {device});
    std::string current = id.eof() ? std::string() : id.text(0);
    std::string chosen = router_id_replaces(current, address) ? address : current;
    app.session.execute(
        "UPDATE " + db::quote_identifier(ospf_dev) + " SET device_id = ? WHERE dev_no = ?",
        {chosen, *number});

    set_peer_next_hop(app, interface, *number, address, mask);
}

void clear_int_ip(state::AppState& app, const std::string& device, const std::string& interface) {
    auto number = device_number(app, device);
    if (!number) return;
    db::Recordset own = app.session.open_recordset(
        "SELECT ip FROM " + db::quote_identifier(app.table_set.route_ip_table) +
            " WHERE int_name = ? AND ref = ? ORDER BY rowid LIMIT 1",
        {interface, *number});
    std::optional<std::string> old_address;
    if (!own.eof()) old_address = own.text(0);

    set_view_address(app, interface, *number, "UA", "UA");
    app.session.execute(
        "UPDATE " + db::quote_identifier("int_det") +
            " SET ip_address = 'UA', mask_address = 'UA' WHERE int_name = ? AND ref = ?",
        {interface, *number});
    set_peer_next_hop(app, interface, *number, "UA", "UA");

    // Without a routing row there is no old address, and no LAN row to drop.
    if (!old_address) return;
    if (app.console.device.device_kind == state::DeviceKind::Router)
        app.session.execute(
            "DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE master_ip = ?",
            {*old_address});
    else
        app.session.execute(
            "DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE sub_ip = ?",
            {*old_address});
}

}  // namespace vexlab::commands
