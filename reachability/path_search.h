#pragma once
// The path search behind ping, traceroute and telnet: a depth-first walk from
// the interfaces of a source device over configured next hops, which applies
// at each hop the interface status, the subnet of the link, the routing
// protocol in force, the OSPF area rules, the Frame Relay and ISDN layer 2,
// the access lists in and out and NAT, follows default gateways where a
// device has no usable exit, and records the first path it finds.

#include <cstddef>
#include <string>
#include <vector>

#include "reachability/nat.h"
#include "reachability/network_view.h"

namespace vexlab::reachability {

// The work state of one reachability test.  A probe sets the source and the
// target, the walk works on the rest, and the probe reads the recorded paths.
struct PathSearch {
    // The console: its device, and whether it is a router.  A probe typed on
    // a switch or PC starts at a router of its LAN (a LAN start).
    std::string console_device;
    bool router_console = true;

    std::string source_device;     // where the walk starts
    std::string answering_device;  // whose own interfaces answer at once
    std::string destination_ip;
    std::string packet_source_ip;  // matched by the access lists
    std::vector<std::string> source_ips;

    std::string walk_protocol;  // "r", "o", "e", or empty until found
    ProtocolView walk_protocol_table = ProtocolView::None;

    std::string next_hop_ip, next_hop_mask;
    std::string nat_next_hop_ip, nat_next_hop_device, nat_next_hop_mask;
    NatFlags nat;

    // Every path found, one after the other; path k starts at offset k - 1
    // and ends before offset k, where one spare empty entry always follows.
    std::vector<std::string> recorded_paths{std::string()};
    std::vector<std::size_t> path_end_offsets{0};

    // A traceroute's re-expansion of one recorded hop.
    std::string reexpand_hop_ip, reexpand_previous_ip, reexpand_next_ip;
    std::size_t reexpand_hop_index = 0;
    std::size_t reexpand_path_start = 0;

    bool found() const { return recorded_paths.size() > 1; }
    void reset_paths() {
        recorded_paths.assign(1, std::string());
        path_end_offsets.assign(1, 0);
    }
    bool reexpanding() const { return !reexpand_previous_ip.empty(); }
};

// Searches from search.source_device for search.destination_ip and appends
// the first path found to the recorded paths (unless it repeats a recorded
// path or runs back through the re-expanded prefix).
void find_path(const NetworkView& view, PathSearch& search);

}  // namespace vexlab::reachability
