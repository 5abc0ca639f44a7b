#pragma once
// The routing show output of a router, all of it drawn from the OSPF view of
// the network: the routing table, the link-state database, the OSPF process
// and the neighbours.  Metrics, ages, sequence numbers and checksums are
// fixed texts; columns are not padded.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

// "show ip route": the route legend, then the router's own OSPF networks
// that are up ("C") and those of its direct OSPF neighbours ("O"), grouped
// under one classful header each.
std::string build_ip_route_output(const ShowContext& context);

// "show ip ospf database": the router id, then per area the router link
// states and, with an Ethernet interface up in the area, the net link states.
std::string build_ospf_database_output(const ShowContext& context);

// "show ip ospf": the process summary with one block per area.
std::string build_ospf_process_output(const ShowContext& context);

// "show ip ospf neighbor": one line per neighbour that is up.
std::string build_ospf_neighbor_output(const ShowContext& context);

// Whether the interface holding `address` is up: the first routing row with
// that address decides.  An address no row holds, or a marker that is no
// address at all, counts as down.
bool is_interface_up(const ShowContext& context, const std::string& address);

}  // namespace vexlab::commands::show
