#pragma once
// The configuration commands' handlers.

#include "state/command_handler.h"

namespace vexlab::state {
struct AppState;
}

namespace vexlab::commands {

void register_config_handlers(state::HandlerRegistry& registry);

// Where the console leaves interface or subinterface mode (exit, Ctrl+Z,
// end): the link flags of the interface being left are brought up to date.
void update_link_state_on_leave(state::AppState& app);

}  // namespace vexlab::commands
