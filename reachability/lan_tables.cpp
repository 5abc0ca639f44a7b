#include "reachability/lan_tables.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <set>
#include <vector>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/devices.h"
#include "state/table_set.h"

namespace vexlab::reachability {

namespace {

using text::icontains;
using text::iequals;

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

std::optional<state::DeviceKind> kind_of(db::DatabaseSession& session, const std::string& name) {
    if (auto record = state::find_device(session, name)) return record->kind;
    return std::nullopt;
}

bool is_marker(const std::string& name) {
    return name == "UA" || name == "NA";
}

// A failing statement of the member search counts as one that found nothing.
template <class Work>
void skipping_failures(Work&& work) {
    try {
        work();
    } catch (const db::DbError&) {
    }
}

class LanMemberSearch {
public:
    LanMemberSearch(db::DatabaseSession& session, const state::NetworkTableSet& tables)
        : session_(session),
          tables_(tables),
          join_(" FROM " + db::quote_identifier(tables.rout_dev_table) + " AS d INNER JOIN " +
                db::quote_identifier(tables.route_ip_table) + " AS r ON d.dev_no = r.ref ") {}

    void run() {
        for (const auto& [device, interface] : host_interfaces()) add_pairs_of(device, interface);
    }

private:
    struct Link {
        std::string far_device, far_ip, far_mask;
    };

    std::optional<state::DeviceKind> kind(const std::string& name) {
        std::optional<state::DeviceKind> found;
        skipping_failures([&] { found = kind_of(session_, name); });
        return found;
    }

    bool is_router(const std::string& name) {
        return !is_marker(name) && kind(name) == state::DeviceKind::Router;
    }

    // Every interface of a device that is not a router, in stored order.
    std::vector<std::pair<std::string, std::string>> host_interfaces() {
        std::vector<std::pair<std::string, std::string>> rows, hosts;
        skipping_failures([&] {
            db::Recordset set = session_.open_recordset("SELECT d.dev_name, r.int_name" + join_ +
                                                        "ORDER BY r.rowid");
            for (; !set.eof(); set.move_next()) rows.emplace_back(set.text(0), set.text(1));
        });
        for (auto& row : rows)
            if (kind(row.first) != state::DeviceKind::Router) hosts.push_back(std::move(row));
        return hosts;
    }

    // The far ends of every interface of a device.
    std::vector<Link> links_of(const std::string& device) {
        std::vector<Link> links;
        skipping_failures([&] {
            db::Recordset set =
                session_.open_recordset("SELECT r.next_hop_devname, r.next_hopip, r.next_hopmask" +
                                            join_ + "WHERE d.dev_name = ? ORDER BY r.rowid",
                                        {device});
            for (; !set.eof(); set.move_next())
                links.push_back({set.text(0), set.text(1), set.text(2)});
        });
        return links;
    }

    void add_pairs_of(const std::string& device, const std::string& interface) {
        const std::optional<state::DeviceKind> device_kind = kind(device);
        std::string host, host_mask;
        if (device_kind == state::DeviceKind::Switch) {
            // A switch is known on its LAN by its management address.
            bool found = false;
            skipping_failures([&] {
                state::DeviceSettings settings(session_, tables_, device);
                auto address = settings.read("FastEthernet1_ip_address");
                auto mask = settings.read("FastEthernet1_dec_mask");
                if (address && mask) {
                    host = *address;
                    host_mask = *mask;
                    found = true;
                }
            });
            if (!found) return;
        }
        std::optional<Link> cable;
        skipping_failures([&] {
            db::Recordset set = session_.open_recordset(
                "SELECT r.next_hop_devname, r.ip, r.next_hopip, r.next_hopmask, r.mask" + join_ +
                    "WHERE d.dev_name = ? AND r.int_name = ? ORDER BY r.rowid LIMIT 1",
                {device, interface});
            if (set.eof()) return;
            cable = Link{set.text(0), set.text(2), set.text(3)};
            if (device_kind != state::DeviceKind::Switch) {
                host = set.text(1);
                host_mask = set.text(4);
            }
        });
        if (!cable) return;

        if (is_router(cable->far_device)) {
            add_candidate(cable->far_ip, cable->far_mask, host, host_mask);
            return;
        }
        // Behind the first switch: its router ports, all of them.
        const std::string& first_switch = cable->far_device;
        std::vector<Link> ports = links_of(first_switch);
        bool router_found = false;
        for (const auto& port : ports)
            if (is_router(port.far_device)) {
                add_candidate(port.far_ip, port.far_mask, host, host_mask);
                router_found = true;
            }
        if (router_found) return;

        // Further away: walk the switches depth first, the latest found
        // first, each examined once, and stop at the first router port.
        std::vector<std::string> examined{first_switch};
        std::vector<std::string> waiting;
        for (const auto& port : ports) waiting.push_back(port.far_device);
        while (!waiting.empty()) {
            std::string next = std::move(waiting.back());
            waiting.pop_back();
            if (std::find(examined.begin(), examined.end(), next) != examined.end()) continue;
            std::vector<Link> next_ports = links_of(next);
            for (const auto& port : next_ports)
                if (is_router(port.far_device)) {
                    add_candidate(port.far_ip, port.far_mask, host, host_mask);
                    return;
                }
            examined.push_back(next);
            for (const auto& port : next_ports) waiting.push_back(port.far_device);
        }
    }

    void add_candidate(const std::string& router, const std::string& router_mask,
                       const std::string& host, const std::string& host_mask) {
        skipping_failures([&] {
            if (is_marker(router) || is_marker(host)) return;
            if (!same_lan(router, router_mask, host, host_mask)) return;
            bool present =
                session_
                    .scalar("SELECT count(*) FROM " + db::quote_identifier("eth_iplist") +
                                " WHERE master_ip = ? "
                                "COLLATE BINARY AND sub_ip = ? COLLATE BINARY",
                            {router, host})
                    .to_int() > 0;
            if (present) return;
            session_.execute("INSERT INTO " + db::quote_identifier("eth_iplist") +
                                 " (master_ip, sub_ip) VALUES (?, ?)",
                             {router, host});
        });
    }

    db::DatabaseSession& session_;
    const state::NetworkTableSet& tables_;
    const std::string join_;
};

// The uplink search behind build_sw_riplist.  Names without a device row
// count as routers here, so a cable ending in "UA" or "NA" leads nowhere.
class UplinkSearch {
public:
    UplinkSearch(db::DatabaseSession& session, const state::NetworkTableSet& tables)
        : session_(session),
          join_(" FROM " + db::quote_identifier(tables.rout_dev_table) + " AS d INNER JOIN " +
                db::quote_identifier(tables.route_ip_table) + " AS r ON d.dev_no = r.ref ") {}

    void run() {
        std::vector<RouterPort> ports;
        skipping_failures([&] {
            db::Recordset set =
                session_.open_recordset("SELECT d.dev_name, r.int_name, r.ip, r.next_hop_devname" +
                                        join_ + "ORDER BY r.rowid");
            for (; !set.eof(); set.move_next())
                ports.push_back({set.text(0), set.text(1), set.field(2), set.text(3)});
        });
        for (const auto& port : ports) record_lan_of(port);
    }

private:
    struct RouterPort {
        std::string device, interface;
        db::Value address;
        std::string far_device;
    };

    // Only a device with a row of kind 1 has router ports worth examining.
    bool is_known_router(const std::string& name) {
        std::optional<state::DeviceKind> kind;
        skipping_failures([&] { kind = kind_of(session_, name); });
        return kind == state::DeviceKind::Router;
    }

    bool ends_the_lan(const std::string& name) {
        std::optional<state::DeviceKind> kind;
        skipping_failures([&] { kind = kind_of(session_, name); });
        return !kind || *kind == state::DeviceKind::Router;
    }

    std::vector<std::string> far_ends(const std::string& device) {
        std::vector<std::string> names;
        skipping_failures([&] {
            db::Recordset set = session_.open_recordset(
                "SELECT r.next_hop_devname" + join_ + "WHERE d.dev_name = ? ORDER BY r.rowid",
                {device});
            for (; !set.eof(); set.move_next()) names.push_back(set.text(0));
        });
        return names;
    }

    void record_lan_of(const RouterPort& port) {
        if (!is_known_router(port.device) || ends_the_lan(port.far_device)) return;
        recorded_.clear();
        record(port, port.far_device);
        // The first device's own neighbours are recorded once per cable, so
        // a device joined to it twice appears twice.
        std::vector<std::string> pending;
        for (const auto& far : far_ends(port.far_device))
            if (!ends_the_lan(far)) {
                record(port, far);
                pending.push_back(far);
            }
        // The device found last is expanded next; a pass that finds nothing
        // steps back one entry.
        long next = static_cast<long>(pending.size()) - 1;
        while (next >= 0) {
            const std::string device = pending[static_cast<std::size_t>(next)];
            bool found = false;
            for (const auto& far : far_ends(device))
                if (!ends_the_lan(far) && !is_recorded(port, far)) {
                    found = true;
                    record(port, far);
                    pending.push_back(far);
                    next = static_cast<long>(pending.size()) - 1;
                }
            if (!found) --next;
        }
    }

    void record(const RouterPort& port, const std::string& device) {
        // Remembered even when the insert fails: otherwise a device whose row
        // cannot be written would be found, and expanded, for ever.
        recorded_.insert(folded(device));
        skipping_failures([&] {
            session_.execute("INSERT INTO " + db::quote_identifier("sw_riplist") +
                                 " (sub_dev, mast_ip, mast_int, mast_dev) VALUES (?, ?, ?, ?)",
                             {device, port.address, port.interface, port.device});
        });
    }

    bool is_recorded(const RouterPort& port, const std::string& device) {
        if (recorded_.count(folded(device))) return true;
        bool found = false;
        skipping_failures([&] {
            found = session_
                        .scalar("SELECT count(*) FROM " + db::quote_identifier("sw_riplist") +
                                    " WHERE mast_dev = ? AND "
                                    "mast_int = ? AND sub_dev = ?",
                                {port.device, port.interface, device})
                        .to_int() > 0;
        });
        return found;
    }

    // Device names compare without regard to case, as the tables do.
    static std::string folded(std::string name) {
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    }

    db::DatabaseSession& session_;
    const std::string join_;
    std::set<std::string> recorded_;  // devices recorded for the port being examined
};

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

void add_host_to_lan(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                     const std::string& address, const std::string& mask) {
    if (!network_text(address, mask)) return;
    db::Recordset set = session.open_recordset(
        "SELECT d.dev_name, r.ip, r.mask, r.int_name FROM " +
        db::quote_identifier(tables.rout_dev_table) + " AS d INNER JOIN " +
        db::quote_identifier(tables.route_ip_table) + " AS r ON d.dev_no = r.ref ORDER BY r.rowid");
    for (; !set.eof(); set.move_next()) {
        if (kind_of(session, set.text(0)) != state::DeviceKind::Router ||
            !icontains(set.text(3), "ethernet"))
            continue;
        const std::string router = set.text(1);
        if (iequals(router, "UA") || iequals(router, "Unassigned") || iequals(router, "NA"))
            continue;
        if (same_lan(router, set.text(2), address, mask))
            session.execute("INSERT INTO " + db::quote_identifier("eth_iplist") +
                                " (master_ip, sub_ip) VALUES (?, ?)",
                            {router, address});
    }
}

void add_lan_members(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    LanMemberSearch(session, tables).run();
}

void build_sw_riplist(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    UplinkSearch(session, tables).run();
}

}  // namespace vexlab::reachability
