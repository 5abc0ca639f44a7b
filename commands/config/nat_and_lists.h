#pragma once
// Address translation and standard access lists on a router: the inside and
// outside interfaces, static translations, address pools, numbered lists and
// their binding to interfaces.

#include <string>

#include "commands/config/network_rows.h"

namespace vexlab::commands {

// "ip nat inside|outside" on an interface, or in global configuration
// "ip nat inside|outside source static LOCAL GLOBAL".
state::CommandOutcome config_ip_nat(const DeviceScope& scope, bool global_mode,
                                    const std::string& interface, const state::CommandLine& line);

// "ip nat pool NAME FIRST LAST netmask MASK" and
// "ip nat inside source list N pool NAME": both fill one row per pool name.
state::CommandOutcome config_nat_pool(const DeviceScope& scope, const state::CommandLine& line);

// "access-list N permit|deny any|A [W]": appends one entry.
state::CommandOutcome config_access_list(const DeviceScope& scope, const state::CommandLine& line);

// "no access-list N": every entry of the router's list N goes.
state::CommandOutcome delete_access_list(const DeviceScope& scope, const state::CommandLine& line);

// "ip access-group N in|out" on an interface.
state::CommandOutcome apply_access_group(const DeviceScope& scope, const std::string& interface,
                                         const state::CommandLine& line);

// "no ip access-group N in|out".
state::CommandOutcome remove_access_group(const DeviceScope& scope, const std::string& interface,
                                          const state::CommandLine& line);

}  // namespace vexlab::commands
