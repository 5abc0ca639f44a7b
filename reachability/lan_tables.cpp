#include "reachability/lan_tables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <numeric>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

namespace {

using text::iequals;
using text::lower;

constexpr int kRouterKind = 1;
constexpr int kSwitchKind = 2;

std::optional<std::array<std::uint64_t, 4>> dotted_parts(std::string_view text) {
    std::array<std::uint64_t, 4> parts{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        std::size_t dot = text.find('.', start);
        std::string_view part = text.substr(
            start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        // Ten digits hold any 32-bit part; a longer run is no address part.
        if (part.empty() || part.size() > 10 || !std::all_of(part.begin(), part.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            }))
            return std::nullopt;
        std::uint64_t value = 0;
        for (char c : part) value = value * 10 + static_cast<std::uint64_t>(c - '0');
        parts[i] = value;
        if (i < 3) {
            if (dot == std::string_view::npos) return std::nullopt;
            start = dot + 1;
        }
    }
    return parts;
}

// Address texts that hold no address.
bool is_unassigned(std::string_view address) {
    return address.empty() || iequals(address, state::marker::kUnassigned) ||
           iequals(address, state::marker::kNotApplicable) || iequals(address, "Unassigned") ||
           iequals(address, state::marker::kNill);
}

bool is_ethernet(std::string_view interface) {
    return text::icontains(interface, "ethernet");
}

struct Pair {
    std::string master, sub;
    bool operator<(const Pair& other) const {
        return std::tie(master, sub) < std::tie(other.master, other.sub);
    }
};

// The whole-network builders go on past a failing statement: a read that
// fails counts as one that found nothing, a row that cannot be written is
// left out.
template <class Work>
void skipping_failures(Work&& work) {
    try {
        work();
    } catch (const db::DbError&) {
    }
}

enum class OnFailure { Throw, SkipRow };

std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Writes any number of rows with one statement: the rows travel as one bound
// JSON array of arrays.  With SkipRow, when that statement fails the rows are
// written one by one and those that fail on their own are left out.
void insert_rows(db::DatabaseSession& session, const std::string& table,
                 const std::vector<std::string>& columns,
                 const std::vector<std::vector<db::Value>>& rows,
                 OnFailure on_failure = OnFailure::Throw) {
    if (rows.empty()) return;
    std::string list, extracts, marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        list += (i ? ", " : "") + columns[i];
        extracts +=
            (i ? ", " : "") + std::string("json_extract(value, '$[") + std::to_string(i) + "]')";
        marks += i ? ", ?" : "?";
    }
    std::string json = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        json += r ? ",[" : "[";
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            json += (c ? "," : "") + (rows[r][c].is_null() ? std::string("null")
                                                           : json_string(rows[r][c].to_text()));
        json += "]";
    }
    json += "]";
    const std::string sql = "INSERT INTO " + db::quote_identifier(table) + " (" + list +
                            ") SELECT " + extracts + " FROM json_each(?) ORDER BY key";
    if (on_failure == OnFailure::Throw) {
        session.execute(sql, {json});
        return;
    }
    try {
        session.execute(sql, {json});
    } catch (const db::DbError&) {
        const std::string one =
            "INSERT INTO " + db::quote_identifier(table) + " (" + list + ") VALUES (" + marks + ")";
        for (const auto& row : rows) skipping_failures([&] { session.execute(one, row); });
    }
}

struct Address {
    std::string ip, mask;
};

// The switches' management addresses, by device name in lower case.
std::unordered_map<std::string, Address> management_addresses(
    db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    std::unordered_map<std::string, Address> found;
    const auto devices = state::device_columns(session, tables);
    if (devices.empty()) return found;
    std::string select = "SELECT Config_Variable";
    for (const auto& device : devices) select += ", " + db::quote_identifier(device);
    db::Recordset rows = session.open_recordset(
        select + " FROM " + db::quote_identifier(tables.routervariables_table) +
        " WHERE Config_Variable IN ('FastEthernet1_ip_address', "
        "'FastEthernet1_dec_mask') ORDER BY rowid");
    std::map<std::string, std::string> address, mask;
    for (; !rows.eof(); rows.move_next()) {
        const bool is_address = iequals(rows.text(0), "FastEthernet1_ip_address");
        auto& cells = is_address ? address : mask;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            const std::string device = lower(devices[i]);
            if (!cells.count(device)) cells[device] = rows.text(static_cast<int>(i) + 1);
        }
    }
    for (const auto& [device, ip] : address) {
        auto m = mask.find(device);
        if (m != mask.end()) found[device] = {ip, m->second};
    }
    return found;
}

// The cabling of the network on show, read once: every interface row of every
// device, the kind of every device, and the switches' management addresses.
class Cabling {
public:
    struct Interface {
        std::string device, name, ip, mask, far_device;
        db::Value ip_value;  // as stored, for the uplink rows
    };

    Cabling(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
        db::Recordset rows = session.open_recordset(
            "SELECT d.dev_name, r.int_name, r.ip, r.mask, r.next_hop_devname FROM " +
            db::quote_identifier(tables.rout_dev_table) + " AS d INNER JOIN " +
            db::quote_identifier(tables.route_ip_table) +
            " AS r ON d.dev_no = r.ref ORDER BY r.rowid");
        interfaces_.reserve(rows.record_count());
        for (; !rows.eof(); rows.move_next()) {
            interfaces_.push_back({rows.text(0), rows.text(1), rows.text(2), rows.text(3),
                                   rows.text(4), rows.field(2)});
            by_device_[lower(interfaces_.back().device)].push_back(interfaces_.size() - 1);
        }

        db::Recordset kinds =
            session.open_recordset("SELECT Device_Name, \"index\" FROM " +
                                   db::quote_identifier("device") + " ORDER BY rowid DESC");
        // Read backwards so the first row of a name is the one that stays.
        for (; !kinds.eof(); kinds.move_next())
            kinds_[lower(kinds.text(0))] = static_cast<int>(kinds.field(1).to_int());

        management_ = management_addresses(session, tables);
    }

    const std::vector<Interface>& interfaces() const { return interfaces_; }

    std::vector<const Interface*> interfaces_of(std::string_view device) const {
        std::vector<const Interface*> list;
        auto found = by_device_.find(lower(device));
        if (found != by_device_.end())
            for (std::size_t i : found->second) list.push_back(&interfaces_[i]);
        return list;
    }

    std::optional<int> kind(std::string_view name) const {
        auto found = kinds_.find(lower(name));
        if (found == kinds_.end()) return std::nullopt;
        return found->second;
    }

    // The addresses a switch or host is known by on its LAN: a switch's
    // management address, every interface address of any other device.
    std::vector<Address> addresses_of(std::string_view device) const {
        std::vector<Address> addresses;
        if (kind(device) == kSwitchKind) {
            auto found = management_.find(lower(device));
            if (found != management_.end()) addresses.push_back(found->second);
            return addresses;
        }
        for (const auto* row : interfaces_of(device)) addresses.push_back({row->ip, row->mask});
        return addresses;
    }

private:
    std::vector<Interface> interfaces_;
    std::unordered_map<std::string, std::vector<std::size_t>> by_device_;
    std::unordered_map<std::string, int> kinds_;
    std::unordered_map<std::string, Address> management_;
};

// One sw_riplist row: a switch or PC on the LAN of a router interface.
struct Uplink {
    std::string member;
    const Cabling::Interface* port;
};

// The uplinks in the order the search finds them: for each router interface
// whose cable leads to a switch or PC, that device, then its own neighbours
// once per cable, then what lies further, each once, the device found last
// being searched next.  A name the device table does not know ends the LAN,
// as a router does.
std::vector<Uplink> find_uplinks(const Cabling& cabling) {
    std::vector<Uplink> uplinks;
    auto ends_lan = [&](const std::string& name) {
        auto kind = cabling.kind(name);
        return !kind || *kind == kRouterKind;
    };
    auto far_ends = [&](const std::string& device) {
        std::vector<std::string> names;
        for (const auto* row : cabling.interfaces_of(device)) names.push_back(row->far_device);
        return names;
    };
    std::map<std::string, std::set<std::string>> recorded;  // router|interface -> devices
    for (const auto& port : cabling.interfaces()) {
        if (cabling.kind(port.device) != kRouterKind || ends_lan(port.far_device)) continue;
        auto& found = recorded[lower(port.device) + "|" + lower(port.name)];
        auto record = [&](const std::string& device) {
            found.insert(lower(device));
            uplinks.push_back({device, &port});
        };
        record(port.far_device);
        std::vector<std::string> pending;
        for (const auto& far : far_ends(port.far_device))
            if (!ends_lan(far)) {
                record(far);
                pending.push_back(far);
            }
        long next = static_cast<long>(pending.size()) - 1;
        while (next >= 0) {
            const std::string device = pending[static_cast<std::size_t>(next)];
            bool added = false;
            for (const auto& far : far_ends(device))
                if (!ends_lan(far) && !found.count(lower(far))) {
                    added = true;
                    record(far);
                    pending.push_back(far);
                    next = static_cast<long>(pending.size()) - 1;
                }
            if (!added) --next;
        }
    }
    return uplinks;
}

std::vector<std::vector<db::Value>> uplink_rows(const std::vector<Uplink>& uplinks) {
    std::vector<std::vector<db::Value>> rows;
    rows.reserve(uplinks.size());
    for (const auto& uplink : uplinks)
        rows.push_back(
            {uplink.member, uplink.port->ip_value, uplink.port->name, uplink.port->device});
    return rows;
}

void add_pair(std::vector<Pair>& pairs, std::set<Pair>& seen, const std::string& router_ip,
              const std::string& router_mask, const Address& host) {
    if (is_unassigned(router_ip) || is_unassigned(host.ip)) return;
    if (!same_lan(router_ip, router_mask, host.ip, host.mask)) return;
    Pair pair{router_ip, host.ip};
    if (seen.insert(pair).second) pairs.push_back(std::move(pair));
}

// Every pair of a router Ethernet address and an address on its LAN, router
// interface by router interface.
std::vector<Pair> all_pairs(const Cabling& cabling, const std::vector<Uplink>& uplinks) {
    std::vector<Pair> pairs;
    std::set<Pair> seen;
    for (const auto& uplink : uplinks)
        if (is_ethernet(uplink.port->name))
            for (const auto& host : cabling.addresses_of(uplink.member))
                add_pair(pairs, seen, uplink.port->ip, uplink.port->mask, host);
    return pairs;
}

// Writes the pairs the table does not hold yet.
void insert_missing(db::DatabaseSession& session, const std::vector<Pair>& pairs) {
    std::set<Pair> present;
    db::Recordset rows = session.open_recordset("SELECT master_ip, sub_ip FROM " +
                                                db::quote_identifier("eth_iplist"));
    for (; !rows.eof(); rows.move_next()) present.insert({rows.text(0), rows.text(1)});
    std::vector<std::vector<db::Value>> missing;
    for (const auto& pair : pairs)
        if (!present.count(pair)) missing.push_back({pair.master, pair.sub});
    insert_rows(session, "eth_iplist", {"master_ip", "sub_ip"}, missing, OnFailure::SkipRow);
}

// Brings the rows of one address (`column` master_ip or sub_ip) to exactly
// `wanted`: the rows of the previous address go, those no longer wanted go,
// the missing ones come.  A fixed number of statements.
void sync_rows(db::DatabaseSession& session, const std::string& column, const std::string& other,
               const std::string& previous, const std::string& address,
               const std::vector<std::string>& wanted) {
    if (!is_unassigned(previous) && previous != address)
        session.execute(
            "DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE " + column + " = ?",
            {previous});
    if (is_unassigned(address)) return;
    std::set<std::string> present;
    std::vector<std::string> unwanted;
    const std::set<std::string> keep(wanted.begin(), wanted.end());
    db::Recordset rows =
        session.open_recordset("SELECT " + other + " FROM " + db::quote_identifier("eth_iplist") +
                                   " WHERE " + column + " = ?",
                               {address});
    for (; !rows.eof(); rows.move_next()) {
        std::string value = rows.text(0);
        if (!keep.count(value)) unwanted.push_back(value);
        present.insert(std::move(value));
    }
    if (!unwanted.empty()) {
        std::string json = "[";
        for (std::size_t i = 0; i < unwanted.size(); ++i)
            json += (i ? "," : "") + json_string(unwanted[i]);
        session.execute("DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE " + column +
                            " = ? AND " + other + " IN (SELECT value FROM json_each(?))",
                        {address, json + "]"});
    }
    std::vector<std::vector<db::Value>> missing;
    std::set<std::string> added;
    for (const auto& value : wanted)
        if (!present.count(value) && added.insert(value).second)
            missing.push_back(column == "master_ip" ? std::vector<db::Value>{address, value}
                                                    : std::vector<db::Value>{value, address});
    insert_rows(session, "eth_iplist", {"master_ip", "sub_ip"}, missing);
}

// The address changes take a LAN's members from sw_riplist, which records
// them for every router interface, so no change reads more of the network
// than the LAN concerned.

// The addresses of the switches and hosts on a router interface's LAN.
std::vector<Address> lan_hosts(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               const std::string& device, const std::string& interface) {
    std::vector<Address> hosts;
    std::set<std::string> switches;
    db::Recordset members = session.open_recordset(
        "SELECT DISTINCT s.sub_dev FROM " + db::quote_identifier("sw_riplist") +
            " AS s WHERE s.mast_dev = ? AND s.mast_int = ? "
            "AND s.sub_dev IN (SELECT Device_Name FROM " +
            db::quote_identifier("device") + " WHERE \"index\" = 2)",
        {device, interface});
    for (; !members.eof(); members.move_next()) switches.insert(lower(members.text(0)));
    if (!switches.empty()) {
        const auto management = management_addresses(session, tables);
        for (const auto& name : switches) {
            auto found = management.find(name);
            if (found != management.end()) hosts.push_back(found->second);
        }
    }
    // Rows without an address pair with nothing, and a switch is known by
    // its management address, not by its ports.
    db::Recordset addresses = session.open_recordset(
        "SELECT d.dev_name, r.ip, r.mask FROM " + db::quote_identifier("sw_riplist") +
            " AS s INNER JOIN " + db::quote_identifier(tables.rout_dev_table) +
            " AS d ON d.dev_name = s.sub_dev INNER JOIN " +
            db::quote_identifier(tables.route_ip_table) +
            " AS r ON r.ref = d.dev_no WHERE s.mast_dev = ? AND s.mast_int = ? AND r.ip NOT IN "
            "('UA', 'NA')",
        {device, interface});
    for (; !addresses.eof(); addresses.move_next())
        if (!switches.count(lower(addresses.text(0))))
            hosts.push_back({addresses.text(1), addresses.text(2)});
    return hosts;
}

// The router Ethernet interfaces whose LAN a switch or host is on, with their
// present addresses.
std::vector<Address> lan_routers(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                                 const std::string& member) {
    std::vector<Address> routers;
    db::Recordset rows = session.open_recordset(
        "SELECT r.ip, r.mask, r.int_name FROM " + db::quote_identifier("sw_riplist") +
            " AS s INNER JOIN " + db::quote_identifier(tables.rout_dev_table) +
            " AS d ON d.dev_name = s.mast_dev INNER JOIN " +
            db::quote_identifier(tables.route_ip_table) +
            " AS r ON r.ref = d.dev_no AND r.int_name = s.mast_int WHERE s.sub_dev = ? ORDER BY "
            "s.rowid",
        {member});
    for (; !rows.eof(); rows.move_next())
        if (is_ethernet(rows.text(2))) routers.push_back({rows.text(0), rows.text(1)});
    return routers;
}

}  // namespace

std::optional<std::string> network_text(std::string_view address, std::string_view mask) {
    auto a = dotted_parts(address);
    auto m = dotted_parts(mask);
    if (!a || !m) return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i) text += '.';
        text += std::to_string((*a)[i] & (*m)[i]);
    }
    return text;
}

bool same_lan(std::string_view address_a, std::string_view mask_a, std::string_view address_b,
              std::string_view mask_b) {
    auto a = network_text(address_a, mask_a);
    auto b = network_text(address_b, mask_b);
    return a && b && *a == *b;
}

void rebuild_lan_tables(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    session.execute("DELETE FROM " + db::quote_identifier("eth_iplist"));
    session.execute("DELETE FROM " + db::quote_identifier("sw_riplist"));
    skipping_failures([&] {
        const Cabling cabling(session, tables);
        const auto uplinks = find_uplinks(cabling);
        std::vector<std::vector<db::Value>> rows;
        for (const auto& pair : all_pairs(cabling, uplinks))
            rows.push_back({pair.master, pair.sub});
        insert_rows(session, "eth_iplist", {"master_ip", "sub_ip"}, rows, OnFailure::SkipRow);
        insert_rows(session, "sw_riplist", {"sub_dev", "mast_ip", "mast_int", "mast_dev"},
                    uplink_rows(uplinks), OnFailure::SkipRow);
    });
}

void add_lan_members(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    skipping_failures([&] {
        const Cabling cabling(session, tables);
        insert_missing(session, all_pairs(cabling, find_uplinks(cabling)));
    });
}

void build_sw_riplist(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    skipping_failures([&] {
        const Cabling cabling(session, tables);
        insert_rows(session, "sw_riplist", {"sub_dev", "mast_ip", "mast_int", "mast_dev"},
                    uplink_rows(find_uplinks(cabling)), OnFailure::SkipRow);
    });
}

void router_address_changed(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                            const std::string& device, const std::string& interface,
                            const std::string& previous_address, const std::string& previous_mask) {
    db::Recordset port = session.open_recordset(
        "SELECT r.ip, r.mask FROM " + db::quote_identifier(tables.rout_dev_table) +
            " AS d INNER JOIN " + db::quote_identifier(tables.route_ip_table) +
            " AS r ON d.dev_no = r.ref WHERE d.dev_name = ? AND r.int_name = ? ORDER BY r.rowid "
            "LIMIT 1",
        {device, interface});
    if (port.eof()) return;
    const std::string address = port.text(0), mask = port.text(1);
    session.execute("UPDATE " + db::quote_identifier("sw_riplist") +
                        " SET mast_ip = ? WHERE mast_dev = ? AND mast_int = ?",
                    {address, device, interface});
    const auto subnet = network_text(address, mask);
    if (is_ethernet(interface) && !is_unassigned(previous_address) && subnet &&
        subnet == network_text(previous_address, previous_mask)) {
        if (previous_address != address)
            session.execute("UPDATE " + db::quote_identifier("eth_iplist") +
                                " SET master_ip = ? WHERE master_ip = ?",
                            {address, previous_address});
        return;
    }
    std::vector<std::string> hosts;
    if (is_ethernet(interface) && !is_unassigned(address))
        for (const auto& host : lan_hosts(session, tables, device, interface))
            if (!is_unassigned(host.ip) && same_lan(address, mask, host.ip, host.mask))
                hosts.push_back(host.ip);
    sync_rows(session, "master_ip", "sub_ip", previous_address, address, hosts);
}

void router_address_removed(db::DatabaseSession& session, const std::string& device,
                            const std::string& interface, const std::string& previous_address) {
    if (!is_unassigned(previous_address))
        session.execute(
            "DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE master_ip = ?",
            {previous_address});
    session.execute("UPDATE " + db::quote_identifier("sw_riplist") +
                        " SET mast_ip = ? WHERE mast_dev = ? AND mast_int = ?",
                    {state::marker::kUnassigned, device, interface});
}

void host_address_changed(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                          const std::string& device, const std::string& previous_address,
                          const std::string& address, const std::string& mask) {
    std::vector<std::string> routers;
    if (!is_unassigned(address))
        for (const auto& router : lan_routers(session, tables, device))
            if (!is_unassigned(router.ip) && same_lan(router.ip, router.mask, address, mask))
                routers.push_back(router.ip);
    sync_rows(session, "sub_ip", "master_ip", previous_address, address, routers);
}

void host_address_removed(db::DatabaseSession& session, const std::string& previous_address) {
    if (!is_unassigned(previous_address))
        session.execute("DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE sub_ip = ?",
                        {previous_address});
}

}  // namespace vexlab::reachability
