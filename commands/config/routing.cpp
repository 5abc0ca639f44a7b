#include "commands/config/routing.h"

#include <algorithm>
#include <optional>
#include <set>

#include "commands/config/address_rules.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

constexpr const char* kBackboneNotStub = "Backbone area(Area 0) cannot be set as stub type";
constexpr const char* kStubNotTransit = "Stub areas cannot act as transit areas";

std::string q(const std::string& table) {
    return quote_identifier(table);
}

// "Mark area X": the area reaches the backbone, seen from its own
// interfaces and from the interfaces that face them.
void mark_area(const DeviceScope& scope, std::int64_t area) {
    const std::string ospf = q(scope.tables.ospf_ip_table);
    scope.session.execute("UPDATE " + ospf + " SET con_to_backbone = 1 WHERE int_area_num = ?",
                          {area});
    scope.session.execute(
        "UPDATE " + ospf + " SET nxt_con_to_backbone = 1 WHERE nxt_int_area_num = ?", {area});
}

// The distinct areas of a router's OSPF interfaces, in row order.
std::vector<std::int64_t> areas_of(const DeviceScope& scope, std::int64_t device) {
    db::Recordset rows = scope.session.open_recordset(
        "SELECT int_area_num FROM " + q(scope.tables.ospf_ip_table) +
            " WHERE ref = ? AND int_area_num IS NOT NULL ORDER BY rowid",
        {device});
    std::vector<std::int64_t> areas;
    for (; !rows.eof(); rows.move_next()) {
        const std::int64_t area = rows.field(0).to_int();
        if (std::find(areas.begin(), areas.end(), area) == areas.end()) areas.push_back(area);
    }
    return areas;
}

bool has_area(const std::vector<std::int64_t>& areas, std::int64_t area) {
    return std::find(areas.begin(), areas.end(), area) != areas.end();
}

// OSPF on one interface address that the network line covers.
void enrol_ospf_interface(const DeviceScope& scope, std::int64_t device, const std::string& address,
                          std::int64_t area) {
    const auto& t = scope.tables;
    const std::string ospf = q(t.ospf_ip_table);
    scope.session.execute(
        "UPDATE " + ospf + " SET nw_protocol = 'o', int_area_num = ? WHERE ip = ? AND ref = ?",
        {area, address, device});

    // The router at the other end learns which area the link is in.
    db::Recordset own =
        scope.session.open_recordset("SELECT next_hop_devname, next_hop_intname FROM " + ospf +
                                         " WHERE ip = ? AND ref = ? ORDER BY rowid LIMIT 1",
                                     {address, device});
    if (!own.eof()) {
        const std::string peer = own.text(0), peer_interface = own.text(1);
        if (!peer.empty() && peer != state::marker::kUnassigned && !peer_interface.empty() &&
            peer_interface != state::marker::kUnassigned)
            if (auto peer_number = device_number(scope.session, t.rout_dev_table, peer))
                scope.session.execute(
                    "UPDATE " + ospf + " SET nxt_int_area_num = ? WHERE int_name = ? AND ref = ?",
                    {area, peer_interface, *peer_number});
    }

    if (area != 0) {
        if (has_area(areas_of(scope, device), 0)) mark_area(scope, area);
        const bool connected =
            !scope.session
                 .scalar("SELECT 1 FROM " + ospf +
                             " WHERE int_area_num = ? AND con_to_backbone <> 0 LIMIT 1",
                         {area})
                 .is_null();
        if (connected) mark_area(scope, area);
    } else {
        for (std::int64_t each : areas_of(scope, device))
            if (each != -1) mark_area(scope, each);
    }
}

bool network_matches(RoutingProtocol protocol, const std::string& address, const std::string& mask,
                     const std::string& network, const std::string& wildcard) {
    if (protocol == RoutingProtocol::Ospf) return wildcard_rule_matches(address, network, wildcard);
    return subnet_rule_matches(address, mask, network);
}

bool translation_matches(RoutingProtocol protocol, const std::string& address,
                         const std::string& network, const std::string& wildcard) {
    if (protocol == RoutingProtocol::Ospf) return wildcard_rule_matches(address, network, wildcard);
    return classful_rule_matches(address, network);
}

void tag_translations(const DeviceScope& scope, RoutingProtocol protocol,
                      const std::string& network, const std::string& wildcard) {
    const auto nat_number = device_number(scope.session, scope.tables.nat_dev_table, scope.device);
    if (!nat_number) return;
    const std::string letter = protocol_letter(protocol);
    const std::string nat_inout = q(scope.tables.nat_inout_table);
    for (const auto& [address_column, protocol_column] :
         {std::pair{"inside_global", "in_gl_rprot"}, std::pair{"outside_global", "out_gl_rprot"}}) {
        db::Recordset rows =
            scope.session.open_recordset(std::string("SELECT DISTINCT ") + address_column +
                                             " FROM " + nat_inout + " WHERE ref = ?",
                                         {*nat_number});
        std::vector<std::string> matching;
        for (; !rows.eof(); rows.move_next())
            if (translation_matches(protocol, rows.text(0), network, wildcard))
                matching.push_back(rows.text(0));
        for (const auto& address : matching)
            scope.session.execute("UPDATE " + nat_inout + " SET " + protocol_column +
                                      " = ? WHERE " + address_column + " = ? AND ref = ?",
                                  {letter, address, *nat_number});
    }
}

void tag_pools(const DeviceScope& scope, std::int64_t device, RoutingProtocol protocol,
               const std::string& network, const std::string& wildcard) {
    db::Recordset rows = scope.session.open_recordset("SELECT beg_in_global, subnet_mask FROM " +
                                                          db::quote_identifier("nat_pool") +
                                                          " WHERE dev_ref = ? ORDER BY rowid",
                                                      {device});
    std::set<std::string> matching;
    for (; !rows.eof(); rows.move_next()) {
        const std::string first = rows.text(0);
        const bool matches = protocol == RoutingProtocol::Ospf
                                 ? wildcard_rule_matches(first, network, wildcard)
                                 : subnet_rule_matches(first, rows.text(1), network);
        if (matches) matching.insert(first);
    }
    for (const auto& first : matching)
        scope.session.execute("UPDATE " + db::quote_identifier("nat_pool") +
                                  " SET glob_port = ? WHERE beg_in_global = ? AND dev_ref = ?",
                              {protocol_letter(protocol), first, device});
}

}  // namespace

RoutingProtocol routing_protocol_of(std::string_view letter) {
    if (letter == "r") return RoutingProtocol::Rip;
    if (letter == "e") return RoutingProtocol::Eigrp;
    if (letter == "o") return RoutingProtocol::Ospf;
    return RoutingProtocol::None;
}

std::string protocol_letter(RoutingProtocol protocol) {
    switch (protocol) {
        case RoutingProtocol::Rip:
            return "r";
        case RoutingProtocol::Eigrp:
            return "e";
        case RoutingProtocol::Ospf:
            return "o";
        case RoutingProtocol::None:
            break;
    }
    return {};
}

state::CommandOutcome config_network(const DeviceScope& scope, RoutingProtocol protocol,
                                     const state::CommandLine& line) {
    if (protocol == RoutingProtocol::None) return state::CommandOutcome::done();
    const bool ospf = protocol == RoutingProtocol::Ospf;
    if (ospf ? line.typed_words.size() <= 2 : line.typed_words.size() > 2)
        return state::CommandOutcome::refuse();
    const std::string& network = line.typed(1);
    const std::string wildcard = ospf ? line.typed(2) : std::string();
    std::optional<std::int32_t> area = 0;
    if (ospf) area = whole_number(line.typed(4));
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!device || !area) return state::CommandOutcome::refuse();

    db::Recordset rows = scope.session.open_recordset(
        "SELECT ip, mask FROM " + q(scope.tables.route_ip_table) + " WHERE ref = ? ORDER BY rowid",
        {*device});
    std::vector<std::string> enrolled;
    for (; !rows.eof(); rows.move_next())
        if (network_matches(protocol, rows.text(0), rows.text(1), network, wildcard))
            enrolled.push_back(rows.text(0));

    const std::string view = protocol == RoutingProtocol::Rip     ? scope.tables.route_ip_table
                             : protocol == RoutingProtocol::Eigrp ? scope.tables.eigrp_ip_table
                                                                  : scope.tables.ospf_ip_table;
    for (const auto& address : enrolled) {
        if (ospf)
            enrol_ospf_interface(scope, *device, address, *area);
        else
            scope.session.execute(
                "UPDATE " + q(view) + " SET nw_protocol = ? WHERE ip = ? AND ref = ?",
                {protocol_letter(protocol), address, *device});
    }
    tag_translations(scope, protocol, network, wildcard);
    tag_pools(scope, *device, protocol, network, wildcard);
    return state::CommandOutcome::done();
}

state::CommandOutcome remove_routing_protocol(const DeviceScope& scope, RoutingProtocol protocol) {
    const auto& t = scope.tables;
    const auto device = device_number(scope.session, t.rout_dev_table, scope.device);
    if (!device) return state::CommandOutcome::refuse();
    const std::string view = protocol == RoutingProtocol::Rip     ? t.route_ip_table
                             : protocol == RoutingProtocol::Eigrp ? t.eigrp_ip_table
                             : protocol == RoutingProtocol::Ospf  ? t.ospf_ip_table
                                                                  : std::string();
    if (!view.empty())
        scope.session.execute("UPDATE " + q(view) + " SET nw_protocol = 'd' WHERE ref = ?",
                              {*device});
    scope.session.execute("UPDATE " + q(t.nat_inout_table) +
                              " SET in_gl_rprot = 'd', out_gl_rprot = 'd' WHERE ref = ?",
                          {*device});
    scope.session.execute(
        "UPDATE " + db::quote_identifier("nat_pool") + " SET glob_port = 'd' WHERE dev_ref = ?",
        {*device});
    return state::CommandOutcome::done();
}

state::CommandOutcome config_stub_area(const DeviceScope& scope, const std::string& area,
                                       char type) {
    const auto number = whole_number(area);
    if (!number) return state::CommandOutcome::refuse();
    if (*number == 0) return state::CommandOutcome::say(kBackboneNotStub);
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    if (!device) return state::CommandOutcome::refuse();
    const std::string letter(1, type);
    const std::string ospf = q(scope.tables.ospf_ip_table);
    scope.session.execute(
        "UPDATE " + ospf + " SET int_area_type = ? WHERE int_area_num = ? AND ref = ?",
        {letter, *number, *device});
    scope.session.execute("UPDATE " + ospf +
                              " SET nxt_int_area_type = ? WHERE nxt_int_area_num = ? AND "
                              "next_hop_devname = ?",
                          {letter, *number, scope.device});
    return state::CommandOutcome::say("");
}

state::CommandOutcome config_virtual_link(const DeviceScope& scope, const std::string& area,
                                          const std::string& router_id,
                                          std::vector<state::VirtualLinkHalf>& pending) {
    const auto& t = scope.tables;
    const auto number = whole_number(area);
    const auto device = device_number(scope.session, t.rout_dev_table, scope.device);
    if (!number || !device) return state::CommandOutcome::refuse();
    const std::string ospf = q(t.ospf_ip_table);
    const std::string join =
        " FROM " + q(t.rout_dev_table) + " AS d INNER JOIN " + ospf + " AS o ON d.dev_no = o.ref ";
    const state::CommandOutcome ignored = state::CommandOutcome::say("");

    const bool stub_transit = !scope.session
                                   .scalar("SELECT 1 FROM " + ospf +
                                               " WHERE int_area_num = ? AND int_area_type IN "
                                               "('T', 'S') LIMIT 1",
                                           {*number})
                                   .is_null();
    if (stub_transit) return state::CommandOutcome::say(kStubNotTransit);

    auto in_area = [&](const std::string& router) {
        return !scope.session
                    .scalar(
                        "SELECT 1" + join + "WHERE d.dev_name = ? AND o.int_area_num = ? LIMIT 1",
                        {router, *number})
                    .is_null();
    };
    if (!in_area(scope.device)) return ignored;

    db::Recordset owner = scope.session.open_recordset(
        "SELECT d.dev_name" + join + "WHERE d.dev_name <> ? AND o.ip = ? ORDER BY o.rowid LIMIT 1",
        {scope.device, router_id});
    if (owner.eof()) return ignored;
    const std::string peer = owner.text(0);

    // The id must be the peer's highest address in router-id order.
    if (const auto id_rank = router_id_rank(router_id)) {
        db::Recordset addresses =
            scope.session.open_recordset("SELECT o.ip" + join + "WHERE d.dev_name = ?", {peer});
        for (; !addresses.eof(); addresses.move_next()) {
            const auto rank = router_id_rank(addresses.text(0));
            if (rank && *id_rank < *rank) return ignored;
        }
    }
    if (!in_area(peer)) return ignored;

    db::Recordset backbone = scope.session.open_recordset(
        "SELECT d.dev_name" + join +
            "WHERE (d.dev_name = ? OR d.dev_name = ?) AND o.int_area_num = 0 ORDER BY o.rowid "
            "LIMIT 1",
        {peer, scope.device});
    if (backbone.eof()) return ignored;
    const std::string backbone_router = backbone.text(0);

    auto waiting = std::find_if(pending.begin(), pending.end(), [&](const auto& half) {
        return half.from == peer && half.to == scope.device;
    });
    if (waiting == pending.end()) {
        pending.push_back({scope.device, peer});
        return ignored;
    }

    // Both halves are there: the areas behind the router that is not the
    // backbone router reach the backbone through the link.
    const std::string& far_end = text::iequals(backbone_router, peer) ? scope.device : peer;
    const auto far_number = device_number(scope.session, t.rout_dev_table, far_end);
    if (far_number)
        for (std::int64_t each : areas_of(scope, *far_number))
            if (each != 0 && each != -1) mark_area(scope, each);

    const std::string ospf_dev = q(t.ospf_dev_table);
    scope.session.execute("UPDATE " + ospf_dev +
                              " SET virtual_link = 1, transit_area = ?, vlink_to_router = ? "
                              "WHERE dev_name = ?",
                          {*number, router_id, scope.device});
    const std::string own_id = scope.session
                                   .scalar("SELECT device_id FROM " + ospf_dev +
                                               " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
                                           {scope.device})
                                   .to_text();
    scope.session.execute("UPDATE " + ospf_dev +
                              " SET virtual_link = 1, transit_area = ?, vlink_to_router = ? "
                              "WHERE dev_name = ?",
                          {*number, own_id, peer});
    pending.erase(waiting);
    return ignored;
}

state::CommandOutcome config_area(const DeviceScope& scope, const state::CommandLine& line,
                                  std::vector<state::VirtualLinkHalf>& pending) {
    const std::string& area = line.typed(1);
    if (line.word(2) == "virtual-link")
        return config_virtual_link(scope, area, line.typed(3), pending);
    if (line.word(2) == "stub") {
        if (line.typed_words.size() == 3) return config_stub_area(scope, area, 'S');
        if (line.word(3) == "no-summary") return config_stub_area(scope, area, 'T');
    }
    return state::CommandOutcome::done();
}

}  // namespace vexlab::commands
