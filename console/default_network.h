#pragma once
// The console's start on the built-in default network: the network is put
// back exactly as shipped and the console is attached to the start device of
// the simulator mode the console was opened in.  The console window's load
// runs it, and so does a reload that declines to save while the default
// network is shown.

#include <stdexcept>
#include <string>

namespace vexlab::state {
struct AppState;
struct OpenModeFlags;
}  // namespace vexlab::state

namespace vexlab::console {

enum class SimulatorMode { Router, Switch, Network };

// What the console window shows for its mode.  The window applies it: the
// caption, and the Enabled state of its five network buttons (Open Exported
// File, Save Config, Load Config, N/W Diagram, View Existing Labs), which
// only network mode enables.
struct DefaultStart {
    SimulatorMode mode = SimulatorMode::Network;
    std::string caption;
    bool network_buttons_enabled = false;
};

// The default network cannot be started: the tables in force are not the
// default ones, or its settings table names no device.
class DefaultNetworkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Router mode when the console was opened as the router simulator, else
// switch mode when opened as the switch simulator, else network mode.
SimulatorMode simulator_mode(const state::OpenModeFlags& flags);

// Resets the default network and attaches the console to its start device:
// "R1" in router mode, "2950" in switch mode, and in network mode the first
// device of the settings table, which also becomes the home device (the
// other two modes have none until a telnet session gives them one).  Sets
// current_device, host_name, device_kind and device_model (the last two from
// table device when the device has a row there).
//
// The reset restores every table of the default set from its shipped copy
// (the settings' working columns from their pristine columns), empties the
// shared state tables and refills device, int_device and int_det from their
// seeds, then rebuilds the derived LAN tables.  It runs in one transaction:
// when a statement fails, nothing in the database or the console changes and
// the error reaches the caller.
DefaultStart set_default(state::AppState& app);

}  // namespace vexlab::console
