#pragma once
// ping, traceroute and telnet.

#include "state/command_handler.h"

namespace vexlab::reachability {

void register_reachability_handlers(state::HandlerRegistry& registry);

}  // namespace vexlab::reachability
