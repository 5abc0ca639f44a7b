#pragma once
// Serial point-to-point subinterfaces: the guards that keep a main
// interface's own addressing apart from its subinterfaces, their creation,
// their address and their removal.  A subinterface lives in a row of the
// Frame Relay map table (its number in subint_num) under its main interface,
// and in one row of each routing view named like "Serial0.1".

#include <string>

#include "commands/config/network_rows.h"

namespace vexlab::commands {

// The main interface has subinterfaces.  Maps of the main interface itself
// (subinterface number "NA") are not subinterfaces.
bool has_subinterfaces(const DeviceScope& scope, const std::string& interface);

// The main interface has an address, or a map of its own.
bool has_int_ip(const DeviceScope& scope, const std::string& interface);

// "interface serial N.M point-to-point": refused with its message when the
// main interface has an address or a map; otherwise the subinterface's rows
// are made, once.  Refused ("Command Not Found") when the network lacks the
// rows to hang it on (the device in rout_dev, the interface in frame_ip).
state::CommandOutcome enter_subinterface(const DeviceScope& scope, const std::string& interface,
                                         const std::string& number);

// The address is held by an interface (the subinterface's own row counts), a
// switch's management interface, or another subinterface.
bool is_subint_address_in_use(const DeviceScope& scope, const std::string& interface,
                              const std::string& number, const std::string& address);

// "ip address A M" in subinterface mode.
state::CommandOutcome set_subint_ip(const DeviceScope& scope, const std::string& interface,
                                    const std::string& number, const std::string& address,
                                    const std::string& mask);

// "no ip address" in subinterface mode: the subinterface goes, with its map,
// and the interface at the other end of its link is disconnected.  The caller
// forgets the subinterface number.
state::CommandOutcome remove_subint_ip(const DeviceScope& scope, const std::string& interface,
                                       const std::string& number);

}  // namespace vexlab::commands
