#pragma once
// A switch's port listings: its twelve FastEthernet ports by VLAN and by
// trunk state, read from the port settings ("FastEthernet0/<n>_vlan",
// "FastEthernet0/<n>_trunk_opmode") and the VLAN table.  The texts go to the
// output as they are, empty lines included.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

inline constexpr int kSwitchPorts = 12;

// "show vlan": VLAN 1 with its ports, then every VLAN of vlan_info.
std::string build_vlan_output(const ShowContext& context);

// "show interfaces trunk": the trunking ports, then three sections of the
// VLANs each of them carries.
std::string build_trunk_output(const ShowContext& context);

}  // namespace vexlab::commands::show
