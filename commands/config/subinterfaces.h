#pragma once
// Serial point-to-point subinterfaces: the guards that keep a main
// interface's own addressing apart from its subinterfaces, and their creation.

namespace vexlab::state {
struct AppState;
}

namespace vexlab::commands {

// The current interface of the current device has subinterfaces.
bool has_subinterfaces(state::AppState& app);
// The current interface has an address, or a map on the main interface.
bool has_int_ip(state::AppState& app);
// Creates the subinterface current_interface "." subinterface_number (once).
void create_subinterface(state::AppState& app);

}  // namespace vexlab::commands
