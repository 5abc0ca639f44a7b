#pragma once
// The commands that need more than their catalogue row: recognised by their
// canonical words once a line has matched completely.

#include <string>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::interpreter {

// Runs the first dispatch row whose test holds for the matched line.
void dispatch_command(state::AppState& app);

// A matched line that the dispatch will refuse whatever its row does (a
// Frame Relay command off a serial interface, a network line of the wrong
// length).  Asked before the generic action so a refused line writes nothing.
bool dispatch_refuses(state::AppState& app);

// The interface type of current_interface: "serial0" gives "serial", the slot
// form "WAN Slot 0/serial1" gives "serial"; empty without an interface.
std::string interface_type(const std::string& current_interface);

}  // namespace vexlab::interpreter
