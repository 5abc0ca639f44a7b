#include "reachability/nat.h"

#include <algorithm>
#include <optional>

#include "platform/text.h"
#include "reachability/ipv4.h"
#include "reachability/lan_tables.h"
#include "reachability/network_view.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

namespace {

using text::iequals;

bool same_number(const db::Value& a, const db::Value& b) {
    return !a.is_null() && !b.is_null() && a.to_text() == b.to_text();
}

bool nat_on(const NatDevice* device) {
    return device && device->nat_status.to_bool();
}

// The NAT entries of a device, in stored order.
template <class Visit>
void for_each_entry(const NetworkView& view, std::string_view device, Visit&& visit) {
    for (const auto& [owner, entry] : view.nat_entries(device))
        if (visit(*owner, *entry)) return;
}

bool same_network(std::string_view a, std::string_view a_mask, std::string_view b,
                  std::string_view b_mask) {
    const auto x = network_text(a, a_mask);
    const auto y = network_text(b, b_mask);
    return x && y && iequals(*x, *y);
}

// A host lies on an Ethernet behind one of the router's NAT inside
// interfaces.
bool behind_inside_interface(const NetworkView& view, std::string_view router,
                             std::string_view host) {
    for (const auto& pair : view.eth_iplist) {
        if (!iequals(pair.sub_ip, host)) continue;
        for (const auto* row : view.route.of_device(router))
            if (iequals(row->iface->ip, pair.master_ip) && row->iface->nat_inside_int == 1)
                return true;
    }
    return false;
}

// A permit entry chooses a host when the host's octets equal the entry's at
// every position whose wildcard octet is 0 (compared as written).
bool pool_entry_matches(const AccessListEntry& entry, std::string_view host) {
    if (entry.ip == "any") return true;
    const auto address = text::split(entry.ip, ".");
    const auto wildcard = text::split(entry.wildcard_mask, ".");
    const auto octets = text::split(host, ".");
    for (std::size_t i = 0; i < 4; ++i) {
        if (i >= wildcard.size()) continue;
        const std::string& w = wildcard[i];
        const bool zero =
            !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c == '0'; });
        if (!zero) continue;
        const std::string a = i < address.size() ? address[i] : std::string();
        const std::string h = i < octets.size() ? octets[i] : std::string();
        if (a != h) return false;
    }
    return true;
}

const NatPool* choose_pool(const NetworkView& view, const db::Value& router_number,
                           std::string_view host) {
    for (const auto& pool : view.nat_pool) {
        if (!same_number(pool.dev_ref, router_number) ||
            iequals(pool.beg_in_global, state::marker::kUnassigned))
            continue;
        if (pool.accesslist_num.is_null()) continue;  // no list chooses no host
        for (const auto& entry : view.access_list) {
            if (!same_number(entry.ref_devce, router_number) || entry.deny.is_null() ||
                entry.deny.to_bool() || entry.accesslist_num.is_null() ||
                entry.accesslist_num.to_int() != pool.accesslist_num.to_int())
                continue;
            if (pool_entry_matches(entry, host)) return &pool;
        }
    }
    return nullptr;
}

bool pool_reaches(const NatPool& pool, const InterfaceRow& outside) {
    const auto network = network_text(outside.ip, outside.mask);
    if (!network) return false;
    const auto n = parse_ipv4(*network);
    const auto first = parse_ipv4(pool.beg_in_global);
    const auto last = parse_ipv4(pool.end_in_global);
    const auto mask = parse_ipv4(pool.subnet_mask);
    return n && first && last && mask && range_meets_network(*first, *last, *mask, *n);
}

void list_once(std::vector<std::string>& list, const std::string& ip) {
    if (std::find(list.begin(), list.end(), ip) == list.end()) list.push_back(ip);
}

}  // namespace

bool get_nat_status(const NetworkView& view, std::string_view device, bool router_console) {
    const NatDevice* row = view.nat_device(device);
    if (!row || router_console) return false;
    return nat_on(row);
}

bool check_nat(const NetworkView& view, std::string_view device, std::string_view source_device,
               NatFlags& flags) {
    flags.nat_on_device = nat_on(view.nat_device(device));
    flags.nat_on_source_device = nat_on(view.nat_device(source_device));
    bool outside_entry = false;
    for_each_entry(view, device, [&](const NatDevice&, const NatEntry& entry) {
        outside_entry = !is_no_value(entry.outside_local);
        return outside_entry;
    });
    flags.no_outside_static_nat = !outside_entry;
    return flags.nat_on_device;
}

bool check_nat_outside(const NetworkView& view, std::string_view hop_ip, std::string_view hop_mask,
                       std::string_view destination, std::string_view device) {
    if (same_network(hop_ip, hop_mask, destination, hop_mask)) {
        bool reached = false;
        for_each_entry(view, device, [&](const NatDevice&, const NatEntry& entry) {
            if (!iequals(entry.outside_global.to_text(), destination) ||
                is_no_value(entry.outside_local))
                return false;
            const std::string local = entry.outside_local.to_text();
            for (const auto& pair : view.eth_iplist) {
                if (!iequals(pair.sub_ip, local) ||
                    iequals(pair.sub_ip, state::marker::kUnassigned))
                    continue;
                for (const auto* row : view.route.of_device(device))
                    if (iequals(row->iface->ip, pair.master_ip)) {
                        reached = true;
                        return true;
                    }
            }
            return false;
        });
        if (reached) return true;
    }
    // An outside interface answers only while it is up.
    for (const auto* row : view.route.of_device(device))
        if (iequals(row->iface->ip, destination))
            return row->iface->nat_outside_int != 0 && row->iface->int_status;
    return false;
}

bool is_nat_inside_global(const NetworkView& view, std::string_view source_device,
                          std::string_view destination) {
    bool found = false;
    for_each_entry(view, source_device, [&](const NatDevice& owner, const NatEntry& entry) {
        found = !owner.nat_status.is_null() && owner.nat_status.to_int() == 1 &&
                !is_no_value(entry.inside_global) &&
                iequals(entry.inside_global.to_text(), destination);
        return found;
    });
    return found;
}

std::vector<std::string> translate_nat_source(const NetworkView& view, std::string_view router,
                                              std::string_view console_device) {
    std::vector<std::string> listed;
    const auto& hosts = view.route.of_device(console_device);
    const auto& interfaces = view.route.of_device(router);

    // Static inside entries.
    for (const auto* host_row : hosts) {
        const std::string& host = host_row->iface->ip;
        if (host.empty() || host == state::marker::kUnassigned) continue;
        std::optional<std::pair<std::string, std::string>> global;
        for_each_entry(view, router, [&](const NatDevice&, const NatEntry& entry) {
            if (!iequals(entry.inside_local.to_text(), host)) return false;
            global.emplace(entry.inside_global.to_text(), entry.in_gl_rprot);
            if (is_no_value(entry.inside_global)) global.reset();
            return true;
        });
        if (!global || !behind_inside_interface(view, router, host)) continue;
        const auto& [address, protocol] = *global;
        for (const auto* row : interfaces) {
            const InterfaceRow& out = *row->iface;
            if (out.nat_outside_int != 1 || out.ip == state::marker::kUnassigned || out.ip.empty())
                continue;
            if (same_network(out.ip, out.mask, address, out.mask) ||
                (out.nw_protocol == protocol && protocol != "d"))
                listed.push_back(out.ip);
        }
    }
    if (!listed.empty()) return listed;

    // Address pools.
    const DeviceRow* router_row = nullptr;
    for (const auto& device : view.rout_dev)
        if (iequals(device.dev_name, router)) {
            router_row = &device;
            break;
        }
    if (!router_row) return listed;
    for (const auto* host_row : hosts) {
        const std::string& host = host_row->iface->ip;
        if (iequals(host, state::marker::kUnassigned) ||
            !behind_inside_interface(view, router, host))
            continue;
        const NatPool* pool = choose_pool(view, router_row->dev_no, host);
        if (!pool) continue;
        for (const auto* row : interfaces) {
            const InterfaceRow& out = *row->iface;
            if (iequals(out.ip, state::marker::kUnassigned) || out.nat_outside_int != 1 ||
                out.ip.empty())
                continue;
            if (pool_reaches(*pool, out) ||
                (pool->glob_port == out.nw_protocol && pool->glob_port != "d"))
                list_once(listed, out.ip);
        }
    }
    return listed;
}

}  // namespace vexlab::reachability
