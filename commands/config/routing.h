#pragma once
// The routing processes of a router: the "network" command that enrols the
// router's interfaces, static translations and NAT pools into RIP, EIGRP or
// OSPF (with OSPF's areas and their link to the backbone), the removal of a
// process, stub areas and virtual links.

#include <string>
#include <vector>

#include "commands/config/network_rows.h"
#include "state/console_session.h"

namespace vexlab::commands {

// The routing process being configured: "r" RIP, "e" EIGRP, "o" OSPF.
enum class RoutingProtocol { None, Rip, Eigrp, Ospf };

RoutingProtocol routing_protocol_of(std::string_view letter);
// "r", "e", "o"; empty for none.
std::string protocol_letter(RoutingProtocol protocol);

// "network A" (RIP, EIGRP) or "network A W area N" (OSPF).  The word count
// must fit the process: refused otherwise.  Without a process nothing
// happens.
state::CommandOutcome config_network(const DeviceScope& scope, RoutingProtocol protocol,
                                     const state::CommandLine& line);

// "no router rip|ospf|eigrp": the router's interfaces leave the process's
// view, and its NAT translations and pools lose their protocol letters.
state::CommandOutcome remove_routing_protocol(const DeviceScope& scope, RoutingProtocol protocol);

// "area N stub" ("S") and "area N stub no-summary" ("T").
state::CommandOutcome config_stub_area(const DeviceScope& scope, const std::string& area,
                                       char type);

// "area N virtual-link A.B.C.D".  A half configured on one router waits in
// `pending` until the other router names this one.
state::CommandOutcome config_virtual_link(const DeviceScope& scope, const std::string& area,
                                          const std::string& router_id,
                                          std::vector<state::VirtualLinkHalf>& pending);

// The area line as typed: its stub or virtual-link form, or nothing.
state::CommandOutcome config_area(const DeviceScope& scope, const state::CommandLine& line,
                                  std::vector<state::VirtualLinkHalf>& pending);

}  // namespace vexlab::commands
