#pragma once
// The derived LAN tables.  eth_iplist: which router Ethernet addresses serve
// a host or switch address on its LAN; a row pairs a router interface address
// (master_ip) with a host or switch management address (sub_ip) of the same
// subnet.  sw_riplist: which router interfaces each switch and PC hangs off;
// a row names the device (sub_dev) and the router's interface (mast_ip,
// mast_int, mast_dev).  The probes turn a host address into its gateways, and
// a switch or PC into the routers they start from, through them.
//
// A LAN here is what the cabling makes of it: a router Ethernet interface
// serves every switch and host that its cable reaches through devices that
// are not routers.  The tables are derived from the network in a few
// statements each, whatever the size of the network: the cabling is read
// once, worked out in memory, and the rows are written in batches.

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

// Empties both tables and derives them again from the network: what a reset
// or a load of a network ends with.
void rebuild_lan_tables(db::DatabaseSession& session, const state::NetworkTableSet& tables);

// Inserts every pair of a router Ethernet address and a host or switch
// address on its LAN that the table is missing.  Running it again without a
// change inserts nothing.
void add_lan_members(db::DatabaseSession& session, const state::NetworkTableSet& tables);

// Records, for every router interface whose cable leads to a switch or PC,
// that device and every further switch or PC reached from it over links
// between devices that are not routers.  A device joined by two cables to the
// first device behind the interface is recorded once per cable.  Router
// interfaces without an address get rows too, carrying their marker.  The
// table is not emptied first: the caller does that.
void build_sw_riplist(db::DatabaseSession& session, const state::NetworkTableSet& tables);

// A router Ethernet interface has just been given an address (already
// written to the routing views): the rows of its previous address go, the
// pairs of the new one with the hosts and switches on its LAN come, and its
// sw_riplist rows carry the new address.  A new address in the same subnet
// keeps the same partners, so their rows only change their address.
void router_address_changed(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                            const std::string& device, const std::string& interface,
                            const std::string& previous_address, const std::string& previous_mask);

// A router interface lost its address: its rows go, its sw_riplist rows carry
// "UA".
void router_address_removed(db::DatabaseSession& session, const std::string& device,
                            const std::string& interface, const std::string& previous_address);

// A switch (management address) or a host interface is about to get, or has
// just got, `address` under `mask`: the rows of its previous address go, and
// the address is paired with every router Ethernet interface that its cabling
// reaches and whose subnet it shares, once each.
void host_address_changed(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                          const std::string& device, const std::string& previous_address,
                          const std::string& address, const std::string& mask);

// A switch or host lost its address: its rows go.
void host_address_removed(db::DatabaseSession& session, const std::string& previous_address);

}  // namespace vexlab::reachability
