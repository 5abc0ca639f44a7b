#pragma once
// The contract between the interpreter and the command services.  A catalogue
// row that acts names its handler ("do=" in the catalogue source); once a line
// has matched, the interpreter calls that handler with the matched line and
// the session, and the handler answers with an outcome.  The generic setting
// writes ("set=") are handlers too, chosen by the mode and the device kind.
//
// Each service folder fills the registry through its own registration
// function (register_config_handlers, register_show_handlers ...); the
// interpreter puts them together once.  See interpreter/README.md.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

struct AppState;
struct ConsoleSession;
struct NetworkTableSet;

inline constexpr std::size_t kCommandWords = 11;
inline constexpr std::size_t kArgumentSlots = 7;

// A line as it matched the catalogue.
struct CommandLine {
    // The typed line, normalised: words separated by one blank.
    std::string text;
    // `text` split at blanks: the words as typed, abbreviations kept.
    std::vector<std::string> typed_words;
    // The catalogue's word at each matched position (the full keyword however
    // it was abbreviated; "end_cmd" where an end marker was typed); empty
    // where an argument matched and beyond the last word.
    std::array<std::string, kCommandWords> command_words;
    // The values the argument checks accepted, in line order (at most seven).
    std::vector<std::string> arguments;
    // The parameter list ("set=") of the row that ends the line.
    std::vector<std::string> parameters;
    // The command words of the matched path joined by single blanks: the key
    // the generic setting writes recognise a command by.
    std::string matched_words;
    // The mode the line was typed in, and the mode the catalogue gives the
    // command (the first word's mode after).
    CommandMode typed_mode = CommandMode::User;
    CommandMode mode_after = CommandMode::User;

    // Command word i; empty past the end.
    const std::string& word(std::size_t i) const;
    // Typed word i; empty past the end.
    const std::string& typed(std::size_t i) const;
    // Argument value i; empty past the end.
    const std::string& argument(std::size_t i) const;
    // Word 0, then a blank and each of the words 1 to 10, empty ones
    // included: always ten blanks, so splitting it gives the words back by
    // position.
    std::string command_text() const;
};

// What a handler answers.  A refused line prints "Command Not Found" and the
// interpreter undoes every change the line made to the tables and to the
// console's mode and interface context.
struct CommandOutcome {
    bool refused = false;
    // Replaces the catalogue row's response; "nill" prints nothing.
    std::optional<std::string> response;
    // The mode after the command, when the handler decides it (otherwise the
    // catalogue's mode after).
    std::optional<CommandMode> mode;
    // Output printed after the response, lines separated by CR LF; the
    // console pages it when it runs past 20 lines.
    std::optional<std::string> output;

    static CommandOutcome done() { return {}; }
    static CommandOutcome refuse() {
        CommandOutcome outcome;
        outcome.refused = true;
        return outcome;
    }
    static CommandOutcome say(std::string text) {
        CommandOutcome outcome;
        outcome.response = std::move(text);
        return outcome;
    }
};

// What a handler works with: the program's state (the one database session,
// the table set in force, the console session) and the matched line.
struct CommandContext {
    CommandContext(AppState& app, const CommandLine& line);

    AppState& app;
    db::DatabaseSession& session;
    const NetworkTableSet& tables;
    ConsoleSession& console;
    const CommandLine& line;
};

using CommandHandler = std::function<CommandOutcome(CommandContext&)>;

// The handlers by name.  A name is registered once; a second registration of
// the same name is a programming error and throws std::logic_error.
class HandlerRegistry {
public:
    void add(std::string_view name, CommandHandler handler);

    const CommandHandler* find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != nullptr; }
    std::vector<std::string> names() const;

private:
    std::map<std::string, CommandHandler, std::less<>> handlers_;
};

// Handler names the interpreter itself calls for a row with "set=": the
// generic write of configuration keys, and of the current interface's
// settings in interface modes on routers and workstations.
inline constexpr std::string_view kSetConfigVariables = "set_config_variables";
inline constexpr std::string_view kConfigInterface = "config_interface";

}  // namespace vexlab::state
