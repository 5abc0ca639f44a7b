#pragma once
// What interpreting one typed line gives back: the verdict the console
// prints, the catalogue words the line matched, the argument values the
// checks accepted, and the row that ends the line.  A value per line, owned
// by whoever asked; nothing of it is shared between lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/argument_syntax.h"
#include "interpreter/catalogue.h"
#include "state/command_handler.h"

namespace vexlab::interpreter {

inline constexpr int kCommandWords = static_cast<int>(state::kCommandWords);
inline constexpr int kArgumentSlots = static_cast<int>(state::kArgumentSlots);

// The console's verdict on a line, in the order it tests them.
enum class Verdict { Success, NotFound, Incomplete, Ambiguous, Disabled };

// "Command Not Found", "incomplete command", "ambigious command", "command
// is disabled"; empty for success.
std::string_view verdict_text(Verdict verdict);

// How a complete line acts: the row that carries its generic write and its
// handler, and what the catalogue says about the response and the mode.
struct Completion {
    CatalogueRow row;
    std::string matched_words;              // the generic write's key
    std::optional<std::string> response;    // the catalogue's response; none: left as it is
    bool mode_before_action = false;        // a one-word command: the new mode chooses the write
    bool subinterface_keeps_prefix = true;  // multi-word lines keep it in (config-subif)# too
};

struct InterpreterState {
    Verdict verdict = Verdict::NotFound;
    std::string command_line;  // the typed line, normalised and trimmed
    std::vector<std::string> typed_words;
    // The catalogue's word at each matched position (the full keyword however
    // abbreviated); empty where an argument matched and beyond the match.
    std::array<std::string, state::kCommandWords> command_words;
    std::vector<std::string> argument_values;  // in line order, at most seven
    InterfaceChoice interface;                 // the interface context the line chooses
    state::CommandMode typed_mode = state::CommandMode::User;
    state::CommandMode mode_after = state::CommandMode::User;
    // The first word of an enabled one-word command ("reload" restarts the
    // device in the console).
    std::string matched_command_word;
    std::optional<Completion> completion;  // set when the line matched completely

    bool succeeded() const { return verdict == Verdict::Success; }
};

// Splits at every blank and rejoins the non-empty pieces with one blank; a
// line that starts with blanks keeps one, for the caller's trim.
std::string normalise_command_line(const std::string& line);

}  // namespace vexlab::interpreter
