#pragma once
// The switch commands that keep VLANs, the VTP mode, static MAC entries and
// sticky secure addresses.  The VLAN list, the MAC table and the secure
// addresses have no device column: every switch of the network shares them.

#include <string>

#include "commands/config/network_rows.h"

namespace vexlab::commands {

// Whether the switch may change VLANs: not in VTP client mode, and only when
// its settings carry a VTP mode at all.
bool vtp_allows_vlan(const DeviceScope& scope);

// "vlan N", "vlan N name X", "no vlan N" (refused with its message in VTP
// client mode).
state::CommandOutcome config_vlan(const DeviceScope& scope, const state::CommandLine& line);

// "vtp server|client|transparent".
state::CommandOutcome set_vtp_mode(const DeviceScope& scope, const std::string& mode);

// "mac-address-table static H.H.H vlan N interface FastEthernet 0/n".
state::CommandOutcome add_static_mac(const DeviceScope& scope, const state::CommandLine& line);

// "switchport port-security mac-address sticky H.H.H" on the port being
// configured.
state::CommandOutcome add_secure_mac(const DeviceScope& scope, const std::string& port,
                                     const state::CommandLine& line);

// The name a VLAN gets when none is given: "VLAN" and its number in four
// digits (VLAN0005, VLAN1005).
std::string default_vlan_name(std::int32_t number);

}  // namespace vexlab::commands
