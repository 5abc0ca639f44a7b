#pragma once
// Standard access lists on router interfaces: whether the list applied to an
// interface in one direction lets a packet from a source address through.

#include <string_view>

namespace vexlab::reachability {

class NetworkView;

enum class Direction { Inbound, Outbound };

// True when the packet passes: no interface holds the address, no list is
// applied in that direction, the applied list has no entries on the router
// that owns the interface, or its first entry that matches the source
// permits.  A list whose entries all miss denies.
bool acl_permits(const NetworkView& view, std::string_view interface_ip, Direction direction,
                 std::string_view packet_source_ip);

// The source matches an entry when it agrees with the entry's address in
// every bit the wildcard leaves 0.  Texts that are not dotted addresses
// match nothing.
bool match_wildcard(std::string_view source, std::string_view entry_ip, std::string_view wildcard);

}  // namespace vexlab::reachability
