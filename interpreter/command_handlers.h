#pragma once
// Every command handler of the program, by name: the interpreter's own and
// those each service folder registers.  Built once, on first use.

#include "state/command_handler.h"

namespace vexlab::interpreter {

const state::HandlerRegistry& command_handlers();

}  // namespace vexlab::interpreter
