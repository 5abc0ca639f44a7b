#pragma once
// Frame Relay on a router's serial interfaces: static maps of a peer address
// to a DLCI (any number on a main interface, one on a point-to-point
// subinterface), their removal, the DLCI of a subinterface, and the layer-2
// flags of ISDN and Frame Relay links that the path search requires.

#include <string>

#include "commands/config/network_rows.h"

namespace vexlab::commands {

// The interface being configured: the main interface, and in subinterface
// mode the subinterface's number (empty once it was removed).
struct SerialContext {
    std::string interface;
    bool subinterface_mode = false;
    std::string subinterface_number;
};

// "frame-relay map ip A DLCI [broadcast] [cisco|ietf]".
state::CommandOutcome config_frame_relay_map(const DeviceScope& scope, const SerialContext& serial,
                                             const state::CommandLine& line);

// "no frame-relay map ip A DLCI [broadcast] [cisco|ietf]" ("no frame map" as
// well) on a main interface: removes the maps that the line repeats exactly.
state::CommandOutcome remove_frame_relay_map(const DeviceScope& scope, const SerialContext& serial,
                                             const state::CommandLine& line);

// "frame-relay interface-dlci DLCI" in subinterface mode.
state::CommandOutcome set_interface_dlci(const DeviceScope& scope, const SerialContext& serial,
                                         const std::string& dlci);

// The ISDN link flag of a BRI interface: up when the switch type, PPP
// encapsulation, a dialer map, a permitting dialer list, a dialer group and a
// dialer string are all configured.
void update_isdn_l2_state(const DeviceScope& scope, const std::string& interface);

// The Frame Relay link flag of a serial interface (Frame Relay encapsulation,
// a type, and at least one map) or of a subinterface (encapsulation and type
// of its own row).
void update_frame_l2_state(const DeviceScope& scope, const SerialContext& serial);

// Leaving interface or subinterface mode (exit, Ctrl+Z, end) brings the
// link flags of the interface left up to date: the ISDN flag of a BRI
// interface, the Frame Relay flag of a serial interface or subinterface.  A
// switch's ports have neither.
void leave_interface_mode(const DeviceScope& scope, state::DeviceKind kind, state::CommandMode mode,
                          const SerialContext& left);

}  // namespace vexlab::commands
