#pragma once
// Keeping one interface's address consistent across the network tables: the
// three routing views, the OSPF router id, the next hop that the interface at
// the other end of the link sees, and the derived LAN rows.

#include <optional>
#include <string>

#include "commands/config/network_rows.h"
#include "state/console_session.h"

namespace vexlab::commands {

// True when the address is held elsewhere: by a routing interface other than
// this one (same device name exactly, interface name in any case), by another
// device's switch management address, or by any subinterface.
bool is_address_in_use(const DeviceScope& scope, const std::string& address,
                       const std::string& interface);

struct InterfaceAddress {
    std::string ip, mask;
};

// The interface's address and mask in the routing view: nothing when the
// device or the interface has no row there.
std::optional<InterfaceAddress> interface_address(const DeviceScope& scope,
                                                  const std::string& interface);

// Writes address and mask into the interface's rows of the three routing
// views, updates the device's router id and hands the address to the
// interface at the other end of the link as its next hop.  Leaves int_det and
// the LAN tables to the caller.  False, with nothing written, when the device
// has no row in rout_dev.
bool assign_interface_ip(const DeviceScope& scope, const std::string& address,
                         const std::string& mask, const std::string& interface);

// Takes the address off an interface: "UA" in the routing views and in
// int_det, the peer's next hop forgotten (the cabling stays), and the LAN rows
// of the old address removed (as router address on a router, as host address
// on any other device).  The router id stays.  False, with nothing written,
// when the device has no row in rout_dev.
bool clear_int_ip(const DeviceScope& scope, state::DeviceKind kind, const std::string& interface);

// "ip address" on a main interface of a router or on a workstation: the
// duplicate test, then the routing views, the router id, the peer's next hop
// and the LAN tables (a router Ethernet's LAN, or the host's).  Refused when
// the interface has no routing row.  The caller stores the address in its
// own row (int_det or the settings) when the result is not an answer.
state::CommandOutcome set_interface_address(const DeviceScope& scope, state::DeviceKind kind,
                                            const std::string& interface,
                                            const std::string& address, const std::string& mask);

// "ip address" on a switch's management interface: the duplicate test and
// the LAN rows; the caller writes the settings.
state::CommandOutcome set_management_address(const DeviceScope& scope,
                                             const std::string& previous_address,
                                             const std::string& address, const std::string& mask);

}  // namespace vexlab::commands
