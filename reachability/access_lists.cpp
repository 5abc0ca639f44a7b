#include "reachability/access_lists.h"

#include "reachability/ipv4.h"
#include "reachability/network_view.h"

namespace vexlab::reachability {

bool match_wildcard(std::string_view source, std::string_view entry_ip, std::string_view wildcard) {
    const auto s = parse_ipv4(source);
    const auto e = parse_ipv4(entry_ip);
    const auto w = parse_ipv4(wildcard);
    if (!s || !e || !w) return false;
    return ((*s ^ *e) & ~*w) == 0;
}

bool acl_permits(const NetworkView& view, std::string_view interface_ip, Direction direction,
                 std::string_view packet_source_ip) {
    const InterfaceRow* row = view.route_ip.by_ip(interface_ip);
    if (!row) return true;
    const db::Value& applied = direction == Direction::Inbound ? row->in_acl_num : row->out_acl_num;
    if (applied.is_null() || applied.to_text().empty()) return true;
    const std::int64_t number = applied.to_int();
    if (number == -1) return true;
    // Only the entries of the router that owns the interface make its list.
    bool any_entry = false;
    for (const auto& entry : view.access_list) {
        if (entry.accesslist_num.is_null() || entry.accesslist_num.to_int() != number) continue;
        if (row->ref.is_null() || entry.ref_devce.is_null() ||
            entry.ref_devce.to_text() != row->ref.to_text())
            continue;
        any_entry = true;
        if (entry.ip == "any" || match_wildcard(packet_source_ip, entry.ip, entry.wildcard_mask))
            return !entry.deny.is_null() && !entry.deny.to_bool();
    }
    return !any_entry;
}

}  // namespace vexlab::reachability
