#pragma once
// The configuration commands' handlers.

#include "state/command_handler.h"

namespace vexlab::commands {

void register_config_handlers(state::HandlerRegistry& registry);

}  // namespace vexlab::commands
