#include "console/context_help.h"

#include <array>
#include <optional>
#include <vector>

#include "console/console_engine.h"
#include "interpreter/argument_syntax.h"
#include "interpreter/catalogue.h"
#include "interpreter/interpreter.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::console {

namespace {

using state::AppState;

using HelpRow = interpreter::CatalogueRow;
using interpreter::RowOrder;
using interpreter::WordLookup;

// Follows the typed words down the catalogue with the matcher's own word
// lookup, in command order, and lists what may come at the last position.
// It reads only: what the argument checks take stays in its own record.
struct Walk {
    Walk(AppState& app, const std::vector<std::string>& words) : app(app), words(words) {}

    AppState& app;
    const std::vector<std::string>& words;
    WordLookup lookup{app, RowOrder::ByCommand};
    std::array<std::string, state::kCommandWords> command_words{};
    std::vector<std::string> arguments;
    interpreter::InterfaceChoice interface;
    std::string list;
    bool complete = false;

    void add(const HelpRow& row) { list += "\r\n" + help_entry(row.command, row.description); }

    void list_children(int level, int parent) {
        if (level > interpreter::kLastLevel) return;
        for (const auto& row : interpreter::Catalogue(app.session).children(level, parent))
            add(row);
    }

    // The first placeholder under `parent` that accepts the word; each check
    // starts from no arguments, as the help's tests do.
    std::optional<HelpRow> placeholder(int level, int parent, const std::string& word) {
        arguments.clear();
        const std::string line = text_of(words);
        interpreter::ArgumentCheck check{app, line, command_words, arguments, interface};
        for (const auto& row :
             interpreter::Catalogue(app.session).placeholders(level, parent, RowOrder::ByCommand)) {
            arguments.clear();
            if (interpreter::check_argument_syntax(check, row.command, word)) return row;
        }
        return std::nullopt;
    }

    static std::string text_of(const std::vector<std::string>& words) {
        std::string text;
        for (std::size_t i = 0; i < words.size(); ++i) text += (i ? " " : "") + words[i];
        return text;
    }

    // After a blank: follow the complete words, then list what may follow.
    void next_word(int last) {
        if (last > 8) return;
        int parent = 0;
        for (int level = 0; level <= last; ++level) {
            const std::string& word = words[static_cast<std::size_t>(level)];
            auto rows = lookup.keywords(level, parent, word);
            bool exact_rule = false;
            std::optional<HelpRow> match;
            if (level == 0) {
                if (rows.empty()) return;
                if (rows.size() > 1) {
                    if (!interpreter::exact_first_word(word)) return;
                    rows = lookup.exact_first_words(word);
                    if (rows.empty()) return;
                    exact_rule = true;
                }
                match = rows.front();
            } else if (rows.size() > 1) {
                return;
            } else if (rows.size() == 1) {
                match = rows.front();
            } else {
                const auto accepted = placeholder(level, parent, word);
                if (!accepted) return;
                complete = true;
                parent = accepted->index;
                if (!decide(*accepted, level, last)) return;
                continue;
            }
            if (!exact_rule) complete = true;
            command_words[static_cast<std::size_t>(level)] = match->command;
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
            auto rows = lookup.keywords(level, parent, word);
            if (level == last) {
                if (!rows.empty()) {
                    for (const auto& row : rows) add(row);
                } else if (level > 0) {
                    if (const auto row = placeholder(level, parent, word)) add(*row);
                }
                return;
            }
            std::optional<HelpRow> match;
            if (level == 0 && rows.size() > 1) {
                if (!interpreter::exact_first_word_in_partial_help(word)) return;
                rows = lookup.exact_first_words(word);
                if (rows.empty()) return;
                parent = rows.front().index;
                command_words[0] = rows.front().command;
                continue;
            }
            if (rows.size() > 1) return;
            if (rows.size() == 1) {
                match = rows.front();
                command_words[static_cast<std::size_t>(level)] = match->command;
            } else {
                if (level == 0) return;
                match = placeholder(level, parent, word);
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
    auto& keys = app.console.keys;
    keys.help_words = text::split(typed, " ");
    const int last_index = static_cast<int>(keys.help_words.size()) - 1;
    Walk walk(app, keys.help_words);
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
    return walk.list.empty() ? std::string() : walk.list.substr(2);
}

void show_context_help(ConsoleEngine& engine, const std::string& typed) {
    state::AppState& app = engine.app();
    const std::string list = context_help_list(app, typed);
    // The listing follows one empty line; without a listing that empty line
    // alone stands between the typed line and the new prompt.
    TailEdit transcript(engine.text_control());
    if (!transcript.ends_with("\r\n")) transcript += "\r\n";
    transcript += "\r\n";
    if (!list.empty()) transcript += list + "\r\n";
    transcript += app.console.device.host_name +
                  std::string(state::prompt_suffix(app.console.mode.mode_suffix));
    app.console.keys.ignore_next_up_key = true;
    app.console.keys.help_redraw_pending = true;
    transcript.apply(engine.text_control());
    engine.send_key(keys::up);
}

}  // namespace vexlab::console
