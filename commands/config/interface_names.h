#pragma once
// Interface names as the network tables store them.  Every model names its
// interfaces its own way ("Serial0" on a 2501, "FastEthernet0/0" on a 2610,
// "WAN Slot 0/Serial0" for a card the designer put in a slot, "loopback0"
// for the loopback the console creates); a learner types a keyword and a
// number in any case.  The typed words are turned into the stored name here,
// and only here, so every later comparison meets the spelling the tables hold.

#include <optional>
#include <string>
#include <string_view>

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::commands {

// The kind of an interface, lower case: the letters that open the last
// "/"-separated part of the name that begins with a letter ("Serial0" and
// "Serial0/1" give "serial", "WAN Slot 0/Serial1" gives "serial", "IsdnBri0"
// gives "isdnbri", "Serial0.2" gives "serial").  Empty for an empty name.
std::string interface_kind(std::string_view name);

bool is_serial_interface(std::string_view name);
// Ethernet and FastEthernet alike.
bool is_ethernet_interface(std::string_view name);
bool is_isdn_interface(std::string_view name);

// The catalogue keyword of a typed interface word: "bri" stands for the ISDN
// interface, whose names begin "IsdnBri"; every other keyword is itself.
std::string interface_keyword(std::string_view keyword);

// A subinterface's name: its main interface, a dot and its number.
std::string subinterface_name(std::string_view main_interface, std::string_view number);

// The stored name of the device's interface that a keyword and a typed number
// ("0", "0/1") name, compared without regard to case: first the keyword and
// number run together ("serial" "0/1" finds "Serial0/1"), then a slot card's
// name whose slot is the number's first part and whose own name is the
// keyword and the rest ("serial" "0/1" finds "WAN Slot 0/Serial1").  The
// device's rows of int_det are searched, or, for a device without them, its
// rows of the routing view.  Nothing when the device has no such interface.
std::optional<std::string> find_interface(db::DatabaseSession& session,
                                          const state::NetworkTableSet& tables,
                                          const std::string& device, std::string_view keyword,
                                          std::string_view number);

}  // namespace vexlab::commands
