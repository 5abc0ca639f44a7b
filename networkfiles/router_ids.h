#pragma once
// OSPF router ids after a network has been read: the network files carry
// none, so every device of the OSPF device table is given one of its OSPF
// interface addresses.

#include <optional>
#include <string>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::networkfiles {

// The router id among a device's OSPF interface addresses, in stored order:
// the first address as it is, then any later address of four dotted parts
// that wins the comparison.  Two four-part addresses compare as the texts
// of their parts joined without the dots, character by character; a
// four-part address replaces a current choice that has not four parts.  No
// address gives "UA".  A Null address is passed over.
std::string choose_router_id(const std::vector<std::optional<std::string>>& addresses);

// Stores the chosen router id in device_id of every OSPF device of the set.
void device_id_populate(db::DatabaseSession& session, const state::NetworkTableSet& tables);

}  // namespace vexlab::networkfiles
