#pragma once
// Keeping one interface's address consistent across the network tables: the
// three routing views, the OSPF router id, the next hop that the interface at
// the other end of the link sees, and the derived LAN rows.

#include <array>
#include <string>
#include <string_view>

namespace vexlab::state {
struct AppState;
struct NetworkTableSet;
}  // namespace vexlab::state

namespace vexlab::commands {

// The three routing views of the interfaces, in the order they are updated:
// route_ip, ospf_ip, eigrp_ip of the table set in force.
std::array<std::string, 3> routing_views(const state::NetworkTableSet& tables);

// Whether `candidate` replaces `current` as OSPF router id.  Both are
// compared as their four dotted parts written without dots, in plain
// character order (so 9.0.0.1 outranks 10.0.0.1); an equal text replaces,
// and a current value that is not four dotted parts ("UA") always gives way.
bool router_id_replaces(std::string_view current, std::string_view candidate);

// True when the address is held elsewhere: by a routing interface other than
// this one (same device name exactly, interface name in any case), by another
// device's switch management address, or by any subinterface.
bool is_address_in_use(state::AppState& app, const std::string& address, const std::string& device,
                       const std::string& interface);

// Writes address and mask into the interface's rows of the three routing
// views, updates the device's router id and hands the address to the
// interface at the other end of the link as its next hop.  Leaves int_det and
// the LAN tables to the caller.
void assign_interface_ip(state::AppState& app, const std::string& address, const std::string& mask,
                         const std::string& device, const std::string& interface);

// Takes the address off an interface: "UA" in the routing views and in
// int_det, the peer's next hop forgotten (the cabling stays), and the LAN rows
// of the old address removed (as router address on a router, as host address
// on any other device).  The router id stays.
void clear_int_ip(state::AppState& app, const std::string& device, const std::string& interface);

}  // namespace vexlab::commands
