#pragma once
// The three reachability probes and the lookups that choose what they probe
// from where.  Each probe answers for one start device and one address; the
// commands (reachability_commands.h) try the start devices and addresses in
// turn.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reachability/network_view.h"
#include "reachability/path_search.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

// The text a successful ping prints for a target, without a final line break.
std::string ping_reply_text(std::string_view target);

// The device whose host name is exactly `name`; empty when none.  On the
// default network only the working columns of the settings table count.
std::string get_device_by_hostname(const NetworkView& view, std::string_view name);

// The routers that serve the console device's LAN, in the order found.
std::vector<std::string> get_switch_uplinks(const NetworkView& view,
                                            std::string_view console_device);

// The router Ethernet addresses of the LAN an address lies on, leaving out
// routers with NAT on other than the start router.
std::vector<std::string> get_gateways(const NetworkView& view, std::string_view source_device,
                                      std::string_view address);

// The address a switch's or PC's packets leave from: a switch's management
// address, a PC's interface address; empty for a router.
std::string get_ping_source(const NetworkView& view, std::string_view console_device,
                            state::DeviceKind console_kind);

// Clears the walk's protocol; on a PC presets it from the protocol its
// gateway interface runs.
void find_pc_gateway_protocol(const NetworkView& view, PathSearch& search);

// Reachable from search.source_device: an up interface of the answering
// device, an inside global address of the start router, or by the path
// search.
bool check_ping_reachable(const NetworkView& view, PathSearch& search, const std::string& target);

// The hops of the best path to `traced`, each as a ping reply; nothing when
// the target cannot be reached.  `shown` is the target the user typed (or
// resolved), which closes the output when it differs from `traced`.
struct TracerouteResult {
    std::string text;
    bool destination_is_local = false;
};
std::optional<TracerouteResult> run_traceroute(const NetworkView& view, PathSearch& search,
                                               const std::string& traced, const std::string& shown);

// Reachable for telnet: an up interface of the answering device or by the
// path search.
bool check_telnet_reachable(const NetworkView& view, PathSearch& search, const std::string& target);

}  // namespace vexlab::reachability
