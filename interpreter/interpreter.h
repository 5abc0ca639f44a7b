#pragma once
// The command interpreter: matches the typed line in command_line against the
// command catalogue for the device kind and mode, checks arguments, runs the
// matched row's generic action and dispatches the command to its own action.
// The outcome is left in the interpreter state and the console session.

namespace vexlab::state {
struct AppState;
}

namespace vexlab::interpreter {

// Entry point for every typed line the console does not handle itself.
void interpret_command(state::AppState& app);

// Lines of two or more words: match, then dispatch.
void execute_command(state::AppState& app);

}  // namespace vexlab::interpreter
