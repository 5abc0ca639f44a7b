#pragma once
// "show access-lists": the numbered access lists of the router, each headed
// by its kind and number, with its entries in the order they are checked.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

// The router's lists by number, entries in the order typed.  A list of an
// extended number (100 to 199, 2000 to 2699) prints its entries in the
// extended form, "ip <source> any": an entry keeps only a source, so that is
// what it matches.  A router without entries prints nothing.  Lines each
// ended by CR LF.
std::string build_access_lists_output(const ShowContext& context);

}  // namespace vexlab::commands::show
