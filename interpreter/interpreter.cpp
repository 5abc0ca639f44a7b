#include "interpreter/interpreter.h"

#include <algorithm>
#include <vector>

#include "interpreter/argument_syntax.h"
#include "interpreter/catalogue.h"
#include "interpreter/command_handlers.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

namespace {

using state::AppState;
using state::CommandMode;
using state::CommandOutcome;
using state::DeviceKind;
using Row = CatalogueRow;

Catalogue catalogue(AppState& app) {
    return Catalogue(app.session);
}

// First words of the current kind and mode that begin with `word`.
std::vector<Row> root_lookup(AppState& app, const std::string& word) {
    return catalogue(app).first_words(word, app.console.mode.mode_suffix,
                                      app.console.device.device_kind);
}

std::vector<Row> exact_root_lookup(AppState& app, const std::string& word) {
    return catalogue(app).exact_first_words(word, app.console.mode.mode_suffix,
                                            app.console.device.device_kind);
}

// Children of `parent` at `level` whose word begins with `word`.
std::vector<Row> keyword_lookup(AppState& app, int level, int parent, const std::string& word) {
    return catalogue(app).words(level, parent, word);
}

std::vector<Row> placeholder_lookup(AppState& app, int level, int parent) {
    return catalogue(app).placeholders(level, parent);
}

std::vector<Row> end_marker_lookup(AppState& app, int level, int parent) {
    return catalogue(app).end_marker(level, parent);
}

bool keeps_prefix(CommandMode mode, bool subif_too) {
    return mode == CommandMode::ConfigLine || mode == CommandMode::ConfigIf ||
           (subif_too && mode == CommandMode::ConfigSubif);
}

void reset_prefix_unless_kept(AppState& app, bool subif_too) {
    if (!keeps_prefix(app.console.mode.mode_suffix, subif_too))
        app.console.mode.config_prefix = state::marker::kNill;
}

std::string matched_words(const AppState& app, int last) {
    std::string text = app.interp.command_words[0];
    for (int i = 1; i <= last; ++i)
        text += " " + app.interp.command_words[static_cast<std::size_t>(i)];
    return text;
}

// The matched line as the handlers read it.
state::CommandLine matched_line(const AppState& app, const Row& row, const std::string& key) {
    const auto& interp = app.interp;
    state::CommandLine line;
    line.text = interp.command_line;
    // A one-word line carries the lookup's "%" while it is handled; the
    // handlers read the word as typed.
    if (!line.text.empty() && line.text.back() == '%' && line.text.find(' ') == std::string::npos)
        line.text.pop_back();
    line.typed_words = text::split(line.text, " ");
    line.command_words = interp.command_words;
    const int count = std::clamp(interp.argument_count, 0, kArgumentSlots);
    line.arguments.assign(interp.argument_values.begin(), interp.argument_values.begin() + count);
    line.parameters = row.parameters;
    line.matched_words = key;
    line.typed_mode = interp.typed_mode;
    line.mode_after = interp.mode_after;
    return line;
}

// Applies what a handler answered.  False when it refused the line.
bool apply(AppState& app, const CommandOutcome& outcome) {
    if (outcome.refused) {
        app.interp.command_found = false;
        return false;
    }
    if (outcome.response) app.console.output.response_text = *outcome.response;
    if (outcome.mode) app.console.mode.mode_suffix = *outcome.mode;
    if (outcome.output) {
        app.console.output.pending_output += *outcome.output;
        app.console.output.output_needs_paging = true;
    }
    return true;
}

bool call(AppState& app, std::string_view name, const Row& row, const std::string& key) {
    const state::CommandHandler* handler = command_handlers().find(name);
    if (!handler) {  // a catalogue naming a handler no service has
        app.interp.command_found = false;
        return false;
    }
    const state::CommandLine line = matched_line(app, row, key);
    state::CommandContext context(app, line);
    return apply(app, (*handler)(context));
}

// Runs a row's generic write through the handler that `chooser_mode`
// selects, and remembers the row's handler for the dispatch.  Answers false
// when the line was refused; the refusal then stands as "Command Not Found"
// whatever path the line took.
bool run_action(AppState& app, CommandMode chooser_mode, const Row& row, const std::string& key) {
    app.interp.ending_row = row;
    app.interp.ending_key = key;
    if (!row.has_action) return true;
    // The handlers refuse a line through their outcome; it is set here so
    // that only their answer decides.
    app.interp.command_found = true;
    const bool interface_write = state::is_interface_mode(chooser_mode) &&
                                 app.console.device.device_kind != DeviceKind::Switch;
    return call(app, interface_write ? state::kConfigInterface : state::kSetConfigVariables, row,
                key);
}

// The line has matched completely: the handler its row names acts.
void dispatch_command(AppState& app) {
    const Row& row = app.interp.ending_row;
    if (!row.handler.empty()) call(app, row.handler, row, app.interp.ending_key);
}

void result_check(AppState& app) {
    const auto& interp = app.interp;
    if (interp.command_found && !interp.command_incomplete && !interp.command_ambiguous)
        dispatch_command(app);
}

void mark_ambiguous(AppState& app) {
    auto& interp = app.interp;
    interp.command_incomplete = false;
    interp.command_found = interp.command_enabled = interp.command_ambiguous = true;
}

// The line ends at a row of level `level` that has further words: its end
// marker child, if any, completes it.
void end_marker(AppState& app, int level, const Row& row, CommandMode mode_after) {
    auto& interp = app.interp;
    if (level >= 9) {  // there is no tenth level to end in
        result_check(app);
        return;
    }
    auto markers = end_marker_lookup(app, level + 1, row.index);
    if (markers.empty()) {
        result_check(app);  // incomplete
        return;
    }
    const Row& marker = markers.front();
    interp.command_incomplete = false;
    const CommandMode typed_mode = app.console.mode.mode_suffix;
    if (!run_action(app, typed_mode, marker, matched_words(app, level))) return;
    app.console.mode.mode_suffix = mode_after;
    reset_prefix_unless_kept(app, true);
    result_check(app);
}

void interpret(AppState& app) {
    auto& interp = app.interp;
    auto& mode = app.console.mode;
    interp.argument_count = 0;
    interp.command_found = interp.command_ambiguous = false;
    interp.command_enabled = interp.command_incomplete = false;
    interp.ending_row = Row();
    interp.ending_key.clear();
    interp.typed_mode = mode.mode_suffix;

    if (interp.command_line.find(' ') != std::string::npos) {
        execute_command(app);
        return;
    }
    const std::string word = interp.command_line;
    if (word.empty()) return;  // nothing typed: not found
    interp.command_line += "%";

    auto rows = root_lookup(app, word);
    if (rows.empty()) return;
    interp.command_found = true;
    if (rows.size() > 1) {
        interp.command_ambiguous = true;
        return;
    }
    const Row& root = rows.front();
    interp.command_words[0] = root.command;
    interp.mode_after = root.mode_after;

    if (root.further) {
        interp.command_incomplete = true;
        auto markers = end_marker_lookup(app, 1, root.index);
        if (markers.empty()) return;
        const Row& marker = markers.front();
        interp.command_incomplete = false;
        interp.command_enabled = true;
        if (!run_action(app, mode.mode_suffix, marker, interp.command_words[0])) return;
        mode.mode_suffix = root.mode_after;
        reset_prefix_unless_kept(app, false);
        dispatch_command(app);
        return;
    }
    if (!root.enabled) return;  // "command is disabled"

    interp.command_enabled = true;
    mode.mode_suffix = root.mode_after;
    app.console.output.response_text = root.response;
    interp.matched_command_word = root.command;
    reset_prefix_unless_kept(app, false);
    if (run_action(app, mode.mode_suffix, root, interp.command_words[0])) dispatch_command(app);
}

}  // namespace

// A line changes the network all or nothing: a refused line, or one whose
// statement fails, leaves every table and the console's mode and interface
// context as they were.
void interpret_command(AppState& app) {
    db::DatabaseSession::Transaction transaction(app.session);
    const state::ConsoleMode before = app.console.mode;
    try {
        interpret(app);
    } catch (...) {
        app.console.mode = before;
        throw;
    }
    if (verdict(app.interp).empty())
        transaction.commit();
    else
        app.console.mode = before;
}

void execute_command(AppState& app) {
    auto& interp = app.interp;
    auto& mode = app.console.mode;
    interp.clear_words();
    interp.command_incomplete = true;

    const std::vector<std::string> words = text::split(interp.command_line, " ");
    const int last = static_cast<int>(words.size()) - 1;  // U

    // The first word.
    auto roots = root_lookup(app, words[0]);
    if (roots.empty()) {
        interp.command_found = false;
        return;
    }
    if (roots.size() > 1) {
        const std::string& w = words[0];
        if (w == "ip" || w == "dial" || w == "dialer") roots = exact_root_lookup(app, w);
        if (roots.size() != 1) {
            mark_ambiguous(app);
            return;
        }
    }
    const Row root = roots.front();
    const CommandMode mode_after = root.mode_after;
    interp.mode_after = mode_after;
    interp.command_words[0] = root.command;
    int parent = root.index;

    for (int k = 1; k <= 9; ++k) {
        if (k >= 2) interp.command_found = false;
        const std::string& word = words[static_cast<std::size_t>(k)];
        auto keywords = keyword_lookup(app, k, parent, word);

        if (keywords.size() > 1) {
            mark_ambiguous(app);
            return;
        }

        if (keywords.size() == 1) {
            const Row& row = keywords.front();
            if (k == 9 && last > 9) {  // no eleventh word
                interp.command_found = false;
                result_check(app);
                return;
            }
            interp.command_words[static_cast<std::size_t>(k)] = row.command;
            parent = row.index;
            const bool ends_here = last == k && (!row.further || k == 9);
            if (row.further && last > k) continue;
            if (ends_here) {
                const CommandMode typed_mode = mode.mode_suffix;
                if (row.response != state::marker::kNull)
                    app.console.output.response_text = row.response;
                if (!run_action(app, typed_mode, row, matched_words(app, k))) return;
                interp.command_incomplete = false;
                interp.command_found = interp.command_enabled = true;
                mode.mode_suffix = mode_after;
                reset_prefix_unless_kept(app, true);
                result_check(app);
                return;
            }
            if (row.further && last == k) {
                interp.command_found = interp.command_enabled = interp.command_incomplete = true;
                end_marker(app, k, row, mode_after);
                return;
            }
            // A word follows a word that ends the command.
            interp.command_found = false;
            result_check(app);
            return;
        }

        // No keyword: try the argument placeholders under the same parent.
        interp.command_found = false;
        const Row* accepted = nullptr;
        auto placeholders = placeholder_lookup(app, k, parent);
        for (const Row& row : placeholders)
            if (check_argument_syntax(app, row.command, word)) {
                accepted = &row;
                break;
            }
        if (!accepted) {
            result_check(app);
            return;
        }
        interp.command_enabled = true;
        parent = accepted->index;
        // A text argument ("<LINE>", "<BANNER>") reads the rest of the line
        // itself, so the words after it belong to it and complete the command.
        const Row accepted_row = *accepted;
        const bool text_argument = accepted->command == "<LINE>" || accepted->command == "<BANNER>";
        const bool banner_text =
            text_argument ||
            (k == 2 && (interp.command_words[0] == "banner" || interp.command_words[1] == "motd"));
        const bool banner_motd = text_argument || (k == 2 && interp.command_words[0] == "banner" &&
                                                   interp.command_words[1] == "motd");
        if (!banner_text && accepted->further && last == k) {  // case A
            interp.command_found = interp.command_enabled = interp.command_incomplete = true;
            end_marker(app, k, *accepted, mode_after);
            return;
        }
        if (!banner_text && !accepted->further && last > k) {  // case B
            result_check(app);
            return;
        }
        if (!accepted->further && (last == k || text_argument) &&
            !accepted->has_action) {  // case C
            interp.command_incomplete = false;
            mode.mode_suffix = mode_after;
            interp.command_found = true;
            if (accepted->response != state::marker::kNull)
                app.console.output.response_text = accepted->response;
            reset_prefix_unless_kept(app, true);
            interp.ending_row = accepted_row;
            interp.ending_key = matched_words(app, k - 1);
            result_check(app);
            return;
        }
        if (accepted->has_action && (last == k || banner_motd)) {  // case D
            interp.command_incomplete = false;
            interp.command_found = true;
            const CommandMode typed_mode = mode.mode_suffix;
            if (!run_action(app, typed_mode, accepted_row, matched_words(app, k - 1))) return;
            mode.mode_suffix = mode_after;
            // A prefix an action set for its own keys (a workstation's
            // address) must not carry over to the next line's keys.
            reset_prefix_unless_kept(app, true);
            result_check(app);
            return;
        }
        if (accepted->further && last > k && k < 9) continue;  // case E
        // No case fits (a row the catalogue does not hold): not found.
        interp.command_found = false;
        result_check(app);
        return;
    }
}

}  // namespace vexlab::interpreter
