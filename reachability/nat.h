#pragma once
// NAT as the path search sees it: which routers translate, when a
// destination counts as reached through a router's outside translations, and
// from which outside interfaces a translated probe leaves its router.  Only
// reads.

#include <string>
#include <string_view>
#include <vector>

namespace vexlab::reachability {

class NetworkView;

// NAT on at the device; a probe typed on a router is never translated, so a
// router console always answers false.
bool get_nat_status(const NetworkView& view, std::string_view device, bool router_console);

// What check_nat learns about a device on the path and the start router.
struct NatFlags {
    bool nat_on_device = false;
    bool nat_on_source_device = false;
    bool no_outside_static_nat = false;
};

// NAT status of `device`; refreshes all three flags.
bool check_nat(const NetworkView& view, std::string_view device, std::string_view source_device,
               NatFlags& flags);

// The destination counts as reached at `device`: it is the outside global
// address of a static outside entry whose local address is a host behind
// one of the device's Ethernet interfaces (when the hop's network under the
// hop's mask is the destination's), or it is one of the device's NAT outside
// interfaces that is up.
bool check_nat_outside(const NetworkView& view, std::string_view hop_ip, std::string_view hop_mask,
                       std::string_view destination, std::string_view device);

// The destination is an inside global address of the start router, which
// has NAT on.
bool is_nat_inside_global(const NetworkView& view, std::string_view source_device,
                          std::string_view destination);

// The outside interfaces of `router` through which the console device's
// translated traffic leaves: by its static inside entries, or, when those
// name none, by the first pool whose list permits the device's address.
std::vector<std::string> translate_nat_source(const NetworkView& view, std::string_view router,
                                              std::string_view console_device);

}  // namespace vexlab::reachability
