#pragma once
// "show isdn status": the router's ISDN switch type and the state of each of
// its BRI interfaces, drawn from the routing view the probes use.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

// The switch type line, then per BRI interface its layers: layer 1 is
// active when the interface is up and cabled, layer 2 is established when,
// on top of that, the interface's ISDN settings are complete (the flag the
// path search requires to cross the link).  Lines each ended by CR LF.
std::string build_isdn_status_output(const ShowContext& context);

}  // namespace vexlab::commands::show
