#pragma once
// "?" after typed text: the words that may come next (after a blank), or the
// words that begin with a partly typed word, each with its description; then
// the prompt comes back with the typed words.

#include <string>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::console {

class ConsoleEngine;

// The listing for the typed text (without the "?"), as the lines the console
// shows: empty when nothing fits.  Reads the catalogue only, and keeps for
// the redraw the words to put back after the prompt.
std::string context_help_list(state::AppState& app, const std::string& typed);

// Answers "?" in the console: writes the listing and the prompt and has the
// typed words put back after it.
void show_context_help(ConsoleEngine& engine, const std::string& typed);

// One line of a listing: the command padded to forty characters, then its
// description; the end marker shows as "carriage return".
std::string help_entry(const std::string& command, const std::string& description);

}  // namespace vexlab::console
