#pragma once
// The command dispatch: which handler a command's words call.  The table
// lists word patterns in the order they are tested; the first pattern that
// fits a command names its handler, or none.  The catalogue names the
// handler on its rows (do=), and the catalogue build checks every command
// against this table, so the catalogue cannot send a line elsewhere.  Tests
// that depend on the session (the interface type of a Frame Relay command,
// the number of typed words) are the handlers' own.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/command_handler.h"
#include "state/vocabulary.h"

namespace vexlab::interpreter {

struct DispatchRow {
    int number;  // the row's number in the command dispatch
    // The command words from word 0 on: a word, alternatives "a|b", "*" for
    // any word, "" for an argument.  Words after the pattern are free.
    std::vector<std::string_view> words;
    std::string_view handler;  // empty: the command has no dispatch row
    std::optional<state::CommandMode> mode = std::nullopt;
    std::optional<state::DeviceKind> kind = std::nullopt;
};

const std::vector<DispatchRow>& dispatch_rows();

// The first row whose pattern fits the command words typed in `mode` on a
// device of `kind`; nothing when none does.
const DispatchRow* dispatch_row_for(const std::array<std::string, state::kCommandWords>& words,
                                    state::CommandMode mode, state::DeviceKind kind);

// The interpreter's own handlers: entering an interface, a line or a routing
// process, and the rows whose command the console itself carries out.
void register_interpreter_handlers(state::HandlerRegistry& registry);

}  // namespace vexlab::interpreter
