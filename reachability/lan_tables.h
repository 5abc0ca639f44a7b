#pragma once
// The derived LAN tables.  eth_iplist: which router interface addresses
// serve a host or switch address on its LAN; a row pairs a router interface
// address (master_ip) with a host or switch management address (sub_ip) of the
// same subnet.  sw_riplist: which router interfaces each switch and PC hangs
// off; a row names the device (sub_dev) and the router's interface (mast_ip,
// mast_int, mast_dev).  The probes turn a host address into its gateways, and
// a switch or PC into the routers they start from, through them.

#include <optional>
#include <string>
#include <string_view>

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::reachability {

// The network of an address under a mask: each of the first four dotted
// parts ANDed with the mask's part, written in decimal ("010" counts as 10).
// Nothing when either has fewer than four numeric parts.
std::optional<std::string> network_text(std::string_view address, std::string_view mask);

// Two addresses share a LAN when each one's network under its own mask is the
// same text.
bool same_lan(std::string_view address_a, std::string_view mask_a, std::string_view address_b,
              std::string_view mask_b);

// Pairs a switch or host address just given out with every router Ethernet
// interface of its subnet, cabled to it or not.  Inserts without looking for
// an existing pair.  A failing statement ends the operation and reaches the
// caller; pairs inserted before it stay.
void add_host_to_lan(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                     const std::string& address, const std::string& mask);

// Examines the whole network and inserts every missing pair of a host or
// switch address and a router interface that its cabling reaches, directly
// or through switches.  It takes no address: each run derives everything from
// the tables, so running it again without a change inserts nothing.  A
// failing statement is skipped and the run goes on; it never throws a
// database error.
void add_lan_members(db::DatabaseSession& session, const state::NetworkTableSet& tables);

// Records, for every router interface whose cable leads to a switch or PC,
// that device and every further switch or PC reached from it over links
// between devices that are not routers.  Router interfaces without an address
// get rows too, carrying their marker.  The table is not emptied first: the
// caller does that.  A failing statement is skipped and the run goes on; it
// never throws a database error, and it ends on any cabling, loops included.
void build_sw_riplist(db::DatabaseSession& session, const state::NetworkTableSet& tables);

}  // namespace vexlab::reachability
