#pragma once
// What the configuration actions share: the device they act on, and the
// lookups of the rows that number a device and its interfaces in the network
// tables.  The actions answer a line with a state::CommandOutcome: refused
// ("Command Not Found", nothing written), or done, with a message in place
// of the catalogue row's response when they have one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/command_handler.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::commands {

// The device a command acts on, in the network the console shows.
struct DeviceScope {
    db::DatabaseSession& session;
    const state::NetworkTableSet& tables;
    std::string device;  // the console's current device: its dev_name everywhere
};

inline constexpr const char* kAddressInUse =
    "This address is already assigned.Please choose another Address";
inline constexpr const char* kCreateSubinterfaceFirst = "Please create the suninterface fiirst";

// The three routing views of the interfaces, in the order every change is
// written to them: route_ip, ospf_ip, eigrp_ip.
std::array<std::string, 3> routing_views(const state::NetworkTableSet& tables);

// The device's number in a device table (rout_dev, nat_dev ...): the dev_no
// of its first row.  Nothing when it has none.
std::optional<std::int64_t> device_number(db::DatabaseSession& session, const std::string& table,
                                          const std::string& device);

// The index of the Frame Relay row of a device's main interface (frame_ip
// joined with frame_device).  Nothing when the network does not carry the
// interface in its Frame Relay tables.
std::optional<std::int64_t> frame_relay_index(const DeviceScope& scope,
                                              const std::string& interface);

// Whether the routing view holds a row for the interface of that device.
bool has_view_row(const DeviceScope& scope, std::int64_t device_number,
                  const std::string& interface);

// A whole number typed or stored as text, read strictly: an optional sign and
// digits only, within 32 bits.  Nothing for "1.5", "12a", "" or a value out
// of range.
std::optional<std::int32_t> whole_number(std::string_view text);

}  // namespace vexlab::commands
