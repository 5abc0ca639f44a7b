#pragma once
// The show commands and the exec commands that save, erase or resume.

#include "state/command_handler.h"

namespace vexlab::commands {

void register_show_handlers(state::HandlerRegistry& registry);

}  // namespace vexlab::commands
