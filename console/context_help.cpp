#include "console/context_help.h"

#include <optional>
#include <vector>

#include "console/console_engine.h"
#include "interpreter/argument_syntax.h"
#include "interpreter/catalogue.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::console {

namespace {

using state::AppState;

using HelpRow = interpreter::CatalogueRow;
using interpreter::Catalogue;
using interpreter::RowOrder;

std::vector<HelpRow> level_rows(AppState& app, int level, int parent, const std::string& word) {
    if (level == 0)
        return Catalogue(app.session)
            .first_words(word, app.console.mode.mode_suffix, app.console.device.device_kind,
                         RowOrder::ByCommand);
    return Catalogue(app.session).words(level, parent, word, RowOrder::ByCommand);
}

std::vector<HelpRow> exact_first_word(AppState& app, const std::string& word) {
    return Catalogue(app.session)
        .exact_first_words(word, app.console.mode.mode_suffix, app.console.device.device_kind,
                           RowOrder::ByCommand);
}

// The first placeholder under `parent` that accepts the word.
std::optional<HelpRow> accepting_placeholder(AppState& app, int level, int parent,
                                             const std::string& word) {
    for (const auto& row :
         Catalogue(app.session).placeholders(level, parent, RowOrder::ByCommand)) {
        app.interp.argument_count = 0;
        if (interpreter::check_argument_syntax(app, row.command, word)) return row;
    }
    return std::nullopt;
}

struct Walk {
    AppState& app;
    const std::vector<std::string>& words;
    std::string list;
    bool complete = false;

    void add(const HelpRow& row) { list += "\r\n" + help_entry(row.command, row.description); }

    void list_children(int level, int parent) {
        if (level > interpreter::kLastLevel) return;
        for (const auto& row : Catalogue(app.session).children(level, parent)) add(row);
    }

    // After a blank: follow the complete words, then list what may follow.
    void next_word(int last) {
        if (last > 8) return;
        int parent = 0;
        for (int level = 0; level <= last; ++level) {
            const std::string& word = words[static_cast<std::size_t>(level)];
            auto rows = level_rows(app, level, parent, word);
            const HelpRow* match = nullptr;
            bool exact_rule = false;
            if (level == 0) {
                if (rows.empty()) return;
                if (rows.size() > 1) {
                    if (word != "dial" && word != "ip" && word != "dialer") return;
                    rows = exact_first_word(app, word);
                    if (rows.empty()) return;
                    exact_rule = true;
                }
                match = &rows.front();
            } else if (rows.size() > 1) {
                return;
            } else if (rows.size() == 1) {
                match = &rows.front();
            } else {
                const auto accepted = accepting_placeholder(app, level, parent, word);
                if (!accepted) return;
                complete = true;
                parent = accepted->index;
                if (!decide(*accepted, level, last)) return;
                continue;
            }
            if (!exact_rule) complete = true;
            app.interp.command_words[static_cast<std::size_t>(level)] = match->command;
            parent = match->index;
            if (exact_rule) {
                if (level < last) continue;
                list_children(level + 1, parent);
                return;
            }
            if (!decide(*match, level, last)) return;
        }
    }

    // Goes on (true) or ends the walk, listing the children at the last word.
    bool decide(const HelpRow& row, int level, int last) {
        if (!row.further) return false;
        if (level < last) {
            complete = false;
            return true;
        }
        list_children(level + 1, row.index);
        return false;
    }

    // Right after a partly typed word: the words at its place that begin
    // with it.
    void partial_word(int last) {
        if (last > 9) return;
        int parent = 0;
        for (int level = 0; level <= last; ++level) {
            const std::string& word = words[static_cast<std::size_t>(level)];
            auto rows = level_rows(app, level, parent, word);
            if (level == last) {
                if (!rows.empty()) {
                    for (const auto& row : rows) add(row);
                } else if (level > 0) {
                    if (const auto row = accepting_placeholder(app, level, parent, word)) add(*row);
                }
                return;
            }
            // The matched row is kept by value: the rows it came from do
            // not outlive this step.
            std::optional<HelpRow> match;
            if (level == 0 && rows.size() > 1) {
                if (word != "ip") return;
                rows = exact_first_word(app, "ip");
                if (rows.empty()) return;
                parent = rows.front().index;
                app.interp.command_words[0] = rows.front().command;
                continue;
            }
            if (rows.size() > 1) return;
            if (rows.size() == 1) {
                match = rows.front();
                app.interp.command_words[static_cast<std::size_t>(level)] = match->command;
            } else {
                if (level == 0) return;
                match = accepting_placeholder(app, level, parent, word);
                if (!match) return;
            }
            complete = true;
            parent = match->index;
            if (!match->further) return;
            complete = false;
        }
    }
};

}  // namespace

std::string help_entry(const std::string& command, const std::string& description) {
    const std::string shown = command == state::marker::kEndCmd ? "carriage return" : command;
    return shown + std::string(shown.size() < 40 ? 40 - shown.size() : 0, ' ') + description;
}

std::string context_help_list(AppState& app, const std::string& typed) {
    // Help only reads: what the argument checks set while the words are
    // followed (the interface being configured, the captured arguments, the
    // matched words) is put back afterwards.
    const state::ConsoleMode saved_mode = app.console.mode;
    const interpreter::InterpreterState saved_interp = app.interp;

    auto& keys = app.console.keys;
    keys.help_words = text::split(typed, " ");
    const int last_index = static_cast<int>(keys.help_words.size()) - 1;
    app.interp.clear_words();
    Walk walk{app, keys.help_words, {}, false};
    const bool after_blank = !typed.empty() && typed.back() == ' ';
    if (after_blank) {
        keys.help_line_ends_with_space = true;
        keys.help_word_count = last_index - 1;
        walk.next_word(keys.help_word_count);
    } else {
        keys.help_word_count = last_index;
        walk.partial_word(keys.help_word_count);
    }
    if (walk.complete && walk.list.empty()) {
        keys.help_line_ends_with_space = false;
        walk.list = "\r\n<carriage return>";
    }

    app.console.mode = saved_mode;
    app.interp = saved_interp;
    return walk.list.empty() ? std::string() : walk.list.substr(2);
}

void show_context_help(ConsoleEngine& engine, const std::string& typed) {
    state::AppState& app = engine.app();
    const std::string list = context_help_list(app, typed);
    // The listing follows one empty line; without a listing that empty line
    // alone stands between the typed line and the new prompt.
    std::string transcript = engine.text();
    if (transcript.size() < 2 || transcript.compare(transcript.size() - 2, 2, "\r\n") != 0)
        transcript += "\r\n";
    transcript += "\r\n";
    if (!list.empty()) transcript += list + "\r\n";
    transcript += app.console.device.host_name +
                  std::string(state::prompt_suffix(app.console.mode.mode_suffix));
    app.console.keys.ignore_next_up_key = true;
    app.console.keys.help_redraw_pending = true;
    engine.text_control().replace_all(std::move(transcript));
    engine.send_key(keys::up);
}

}  // namespace vexlab::console
