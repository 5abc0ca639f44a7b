#pragma once
// The command interpreter: matches a typed line against the command catalogue
// for the console's device kind and mode, then carries it out (the row's
// generic write, the mode after, the row's handler).  Matching changes
// nothing; the result comes back as a value.

#include <optional>
#include <string>
#include <vector>

#include "interpreter/argument_syntax.h"
#include "interpreter/catalogue.h"
#include "interpreter/interpreter_state.h"

namespace vexlab::state {
struct AppState;
}

namespace vexlab::interpreter {

// One typed word looked up at its position, for the console's device kind and
// mode.  The matcher and the context help both walk a line with it.
class WordLookup {
public:
    explicit WordLookup(state::AppState& app, RowOrder order = RowOrder::Stored);

    // The keyword rows at `level` that begin with `word`: first words at
    // level 0, else the children of `parent`.  Placeholder and end marker
    // rows take part as the catalogue's own words.
    std::vector<CatalogueRow> keywords(int level, int parent, const std::string& word) const;
    // The first words that are exactly `word`.
    std::vector<CatalogueRow> exact_first_words(const std::string& word) const;
    // The first placeholder under `parent` whose check accepts `word`.
    std::optional<CatalogueRow> placeholder(int level, int parent, const std::string& word,
                                            ArgumentCheck& check) const;
    // The end marker row under `parent`, when it has one.
    std::optional<CatalogueRow> end_marker(int level, int parent) const;

private:
    state::AppState& app_;
    Catalogue catalogue_;
    RowOrder order_;
};

// Matches a line (normalised and trimmed) without acting on it.
InterpreterState match_line(state::AppState& app, const std::string& command_line);

// Matches the line and carries it out.  The verdict is the line's final one:
// a refusing handler makes it "Command Not Found".  A line changes the
// network all or nothing: a refused line, or one whose statement fails, leaves
// every table and the console's mode and interface context as they were (a
// failing statement reaches the caller as db::DbError).
InterpreterState interpret_command(state::AppState& app, const std::string& command_line);

}  // namespace vexlab::interpreter
