#pragma once
// The record through which a typed line goes into the interpreter and its
// outcome comes back: the matched canonical words, the accepted arguments and
// the result flags the console turns into its verdict.

#include <array>
#include <set>
#include <string>

#include "interpreter/catalogue.h"
#include "state/command_handler.h"

namespace vexlab::interpreter {

inline constexpr int kCommandWords = static_cast<int>(state::kCommandWords);
inline constexpr int kArgumentSlots = static_cast<int>(state::kArgumentSlots);

struct InterpreterState {
    std::string command_line;
    std::array<std::string, kCommandWords> command_words;
    std::array<std::string, kArgumentSlots> argument_values;
    int argument_count = 0;
    bool command_found = false;
    bool command_enabled = false;
    bool command_ambiguous = false;
    bool command_incomplete = false;
    std::string matched_command_word;

    // While a line is handled: the modes it was typed in and leads to, the
    // row that ends it (its parameters and handler) and its matched words.
    state::CommandMode typed_mode = state::CommandMode::User;
    state::CommandMode mode_after = state::CommandMode::User;
    CatalogueRow ending_row;
    std::string ending_key;

    // The argument tokens the catalogue's token table lists, read once per
    // database file (the table never changes while the program runs).
    std::set<std::string> known_tokens;
    std::string known_tokens_source;

    void clear_words() { command_words.fill(std::string()); }
};

// The console's verdict on a handled line, in the order the flags are tested;
// empty for a line that succeeded.
std::string verdict(const InterpreterState& state);

// Splits at every blank and rejoins the non-empty pieces with one blank; a
// line that starts with blanks keeps one, for the caller's trim.
std::string normalise_command_line(const std::string& line);

}  // namespace vexlab::interpreter
