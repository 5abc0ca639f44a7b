#pragma once
// "?" on an empty line: every command that can begin a line in the current
// mode, with its description.

#include <string>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::interpreter {

inline constexpr const char* kModeListHeading = "list of supported Commands in this mode:";

// The heading and one line per enabled first word of the device kind and
// mode, in command order, lines separated by CR LF.
std::string mode_command_list(state::AppState& app);

// Puts the list where the console prints it: the whole list in
// pending_output, or, for more than 20 lines, its first page followed by
// "--MORE--" with the pager set up on output_lines.
void list_mode_commands(state::AppState& app);

}  // namespace vexlab::interpreter
