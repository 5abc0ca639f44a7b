#pragma once
// The two generic setting writes of configuration commands.  A catalogue row
// with "set=" names, in its parameter list, the settings it writes
// (configuration keys, or interface columns in interface modes); the
// interpreter calls one of these with that list, chosen by the mode and the
// device kind.

#include "state/command_handler.h"

namespace vexlab::commands {

// Writes configuration keys of the current device (and the few settings with
// a treatment of their own: host name, loopback, passwords ...).  The keys
// are the line's parameters; the matched words tell which command it is.
state::CommandOutcome set_config_variables(state::CommandContext& ctx);

// Writes interface settings of the current interface (interface and
// subinterface modes on routers and workstations).  Refuses a command that
// does not fit the interface.
state::CommandOutcome config_interface(state::CommandContext& ctx);

}  // namespace vexlab::commands
