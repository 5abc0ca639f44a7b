#include "interpreter/interpreter.h"

#include <vector>

#include "commands/config/config_executors.h"
#include "interpreter/argument_syntax.h"
#include "interpreter/dispatch.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

namespace {

using state::AppState;

// One catalogue row as the matcher reads it (first-word and further-word
// tables keep these columns at different positions).
struct Row {
    int index = 0;
    std::string command;
    std::string mode_after;  // first words only
    bool enabled = true;     // first words only
    bool has_action = false;
    std::vector<std::string> parameters;
    bool further = false;
    std::string response;
};

std::string text_or_empty(const db::Recordset& set, int position) {
    return set.field(position).to_text();
}

std::vector<std::string> parameter_list(const db::Recordset& set, int count_pos,
                                        std::initializer_list<int> entries) {
    const std::int64_t count = set.field(count_pos).to_int();
    std::vector<std::string> list;
    if (count < 1) return list;
    for (int position : entries)
        if (static_cast<std::int64_t>(list.size()) < count)
            list.push_back(text_or_empty(set, position));
    while (static_cast<std::int64_t>(list.size()) < count && list.size() < 64) list.emplace_back();
    return list;
}

Row root_row(const db::Recordset& set) {
    Row row;
    row.index = static_cast<int>(set.field(0).to_int());
    row.command = text_or_empty(set, 3);
    row.mode_after = text_or_empty(set, 4);
    row.enabled = set.field(5).to_bool();
    row.has_action = set.field(6).to_bool();
    row.parameters = parameter_list(set, 9, {10, 11, 12, 17});
    row.further = set.field(13).to_bool();
    row.response = text_or_empty(set, 14);
    return row;
}

Row word_row(const db::Recordset& set) {
    Row row;
    row.index = static_cast<int>(set.field(0).to_int());
    row.command = text_or_empty(set, 1);
    row.has_action = set.field(2).to_bool();
    row.parameters = parameter_list(set, 3, {4, 5, 6, 11});
    row.further = set.field(7).to_bool();
    row.response = text_or_empty(set, 8);
    return row;
}

std::vector<Row> rows_of(db::Recordset set, bool root) {
    std::vector<Row> rows;
    for (; !set.eof(); set.move_next()) rows.push_back(root ? root_row(set) : word_row(set));
    return rows;
}

std::string word_table(int level) {
    return "tblsublabcmds" + std::to_string(level);
}

// First words of the current kind and mode that begin with `word`.
std::vector<Row> root_lookup(AppState& app, const std::string& word) {
    return rows_of(app.session.open_recordset(
                       "SELECT * FROM tblsublabcmds WHERE " + db::begins_with("command") +
                           " "
                           "AND commandprompt = ? AND ref = ? ORDER BY rowid",
                       {word, word, app.console.mode.mode_suffix, app.console.device.device_kind}),
                   true);
}

std::vector<Row> exact_root_lookup(AppState& app, const std::string& word) {
    return rows_of(app.session.open_recordset(
                       "SELECT * FROM tblsublabcmds WHERE command = ? AND commandprompt = ? "
                       "AND ref = ? ORDER BY rowid",
                       {word, app.console.mode.mode_suffix, app.console.device.device_kind}),
                   true);
}

// Children of `parent` at `level` whose word begins with `word`.
std::vector<Row> keyword_lookup(AppState& app, int level, int parent, const std::string& word) {
    return rows_of(app.session.open_recordset("SELECT * FROM " + word_table(level) + " WHERE " +
                                                  db::begins_with("command") +
                                                  " AND ref = ? "
                                                  "ORDER BY rowid",
                                              {word, word, parent}),
                   false);
}

std::vector<Row> placeholder_lookup(AppState& app, int level, int parent) {
    return rows_of(app.session.open_recordset("SELECT * FROM " + word_table(level) +
                                                  " WHERE command LIKE '<%' AND ref = ? "
                                                  "ORDER BY rowid",
                                              {parent}),
                   false);
}

std::vector<Row> end_marker_lookup(AppState& app, int level, int parent) {
    return rows_of(app.session.open_recordset("SELECT * FROM " + word_table(level) +
                                                  " WHERE command = 'end_cmd' AND ref = ? "
                                                  "ORDER BY rowid",
                                              {parent}),
                   false);
}

bool keeps_prefix(const std::string& mode, bool subif_too) {
    return mode == "(config-line)#" || mode == "(config-if)#" ||
           (subif_too && mode == "(config-subif)#");
}

void reset_prefix_unless_kept(AppState& app, bool subif_too) {
    if (!keeps_prefix(app.console.mode.mode_suffix, subif_too))
        app.console.mode.config_prefix = "nill";
}

std::string matched_words(const AppState& app, int last) {
    std::string text = app.interp.command_words[0];
    for (int i = 1; i <= last; ++i)
        text += " " + app.interp.command_words[static_cast<std::size_t>(i)];
    return text;
}

// Runs a row's generic action through the executor that `chooser_mode`
// selects.  Answers false when the line was refused, before or by the action;
// the refusal then stands as "Command Not Found" whatever path the line took.
bool run_action(AppState& app, const std::string& chooser_mode, std::vector<std::string> params,
                const std::string& key) {
    if (dispatch_refuses(app)) {
        app.interp.command_found = false;
        return false;
    }
    // The executors refuse a line by clearing command_found; it is set here
    // so that only their answer decides.
    app.interp.command_found = true;
    const bool interface_mode = chooser_mode == "(config-if)#" || chooser_mode == "(config-subif)#";
    if (interface_mode && app.console.device.device_kind != state::kSwitch)
        commands::config_interface(app, params, key);
    else
        commands::set_config_variables(app, params, key);
    return app.interp.command_found;
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
void end_marker(AppState& app, int level, const Row& row, const std::string& mode_after) {
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
    const std::string typed_mode = app.console.mode.mode_suffix;
    if (marker.has_action &&
        !run_action(app, typed_mode, marker.parameters, matched_words(app, level)))
        return;
    app.console.mode.mode_suffix = mode_after;
    reset_prefix_unless_kept(app, true);
    result_check(app);
}

}  // namespace

void interpret_command(AppState& app) {
    auto& interp = app.interp;
    auto& mode = app.console.mode;
    interp.argument_count = 0;
    interp.command_found = interp.command_ambiguous = false;
    interp.command_enabled = interp.command_incomplete = false;

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

    if (root.further) {
        interp.command_incomplete = true;
        auto markers = end_marker_lookup(app, 1, root.index);
        if (markers.empty()) return;
        const Row& marker = markers.front();
        interp.command_incomplete = false;
        interp.command_enabled = true;
        if (marker.has_action &&
            !run_action(app, mode.mode_suffix, marker.parameters, interp.command_words[0]))
            return;
        mode.mode_suffix = root.mode_after;
        reset_prefix_unless_kept(app, false);
        return;
    }
    if (!root.enabled) return;  // "command is disabled"

    const std::string old_mode = mode.mode_suffix;
    const std::string old_prefix = mode.config_prefix;
    const std::string old_response = app.console.output.response_text;
    interp.command_enabled = true;
    mode.mode_suffix = root.mode_after;
    app.console.output.response_text = root.response;
    interp.matched_command_word = root.command;
    reset_prefix_unless_kept(app, false);
    if (root.has_action &&
        !run_action(app, mode.mode_suffix, root.parameters, interp.command_words[0])) {
        // A refused command leaves the console where it was.
        mode.mode_suffix = old_mode;
        mode.config_prefix = old_prefix;
        app.console.output.response_text = old_response;
    }
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
    const std::string mode_after = root.mode_after;
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
                const std::string typed_mode = mode.mode_suffix;
                if (row.response != "null") app.console.output.response_text = row.response;
                if (row.has_action &&
                    !run_action(app, typed_mode, row.parameters, matched_words(app, k)))
                    return;
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
            if (accepted->response != "null") app.console.output.response_text = accepted->response;
            reset_prefix_unless_kept(app, true);
            result_check(app);
            return;
        }
        if (accepted->has_action && (last == k || banner_motd)) {  // case D
            interp.command_incomplete = false;
            interp.command_found = true;
            const std::string typed_mode = mode.mode_suffix;
            if (!run_action(app, typed_mode, accepted->parameters, matched_words(app, k - 1)))
                return;
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
