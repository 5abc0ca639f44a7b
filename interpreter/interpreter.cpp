#include "interpreter/interpreter.h"

#include <optional>

#include "interpreter/command_handlers.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

using state::AppState;
using state::CommandMode;
using state::CommandOutcome;
using state::DeviceKind;
using Row = CatalogueRow;

WordLookup::WordLookup(AppState& app, RowOrder order)
    : app_(app), catalogue_(app.session), order_(order) {}

std::vector<Row> WordLookup::keywords(int level, int parent, const std::string& word) const {
    if (level == 0)
        return catalogue_.first_words(word, app_.console.mode.mode_suffix,
                                      app_.console.device.device_kind, order_);
    return catalogue_.words(level, parent, word, order_);
}

std::vector<Row> WordLookup::exact_first_words(const std::string& word) const {
    return catalogue_.exact_first_words(word, app_.console.mode.mode_suffix,
                                        app_.console.device.device_kind, order_);
}

std::optional<Row> WordLookup::placeholder(int level, int parent, const std::string& word,
                                           ArgumentCheck& check) const {
    for (auto& row : catalogue_.placeholders(level, parent, order_))
        if (check_argument_syntax(check, row.command, word)) return std::move(row);
    return std::nullopt;
}

std::optional<Row> WordLookup::end_marker(int level, int parent) const {
    auto rows = catalogue_.end_marker(level, parent);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

namespace {

// Walks one typed line down the catalogue, a word per level, and says what
// it found.  It reads the catalogue and, through the argument checks, the
// device's interfaces; it changes nothing.
class LineMatcher {
public:
    LineMatcher(AppState& app, const std::string& line) : app_(app), lookup_(app) {
        result_.command_line = line;
        result_.typed_words = text::split(line, " ");
        result_.typed_mode = app.console.mode.mode_suffix;
        result_.mode_after = result_.typed_mode;
    }

    InterpreterState run() {
        if (result_.command_line.empty()) return std::move(result_);  // nothing typed
        if (result_.typed_words.size() == 1)
            one_word();
        else
            execute_command();
        return std::move(result_);
    }

private:
    const std::string& typed(int k) const {
        return result_.typed_words[static_cast<std::size_t>(k)];
    }
    int last() const { return static_cast<int>(result_.typed_words.size()) - 1; }
    std::string& word(int k) { return result_.command_words[static_cast<std::size_t>(k)]; }

    // The command words 0 to `through`, one blank between, empty words
    // included.
    std::string matched_words(int through) const {
        std::string text = result_.command_words[0];
        for (int i = 1; i <= through; ++i)
            text += " " + result_.command_words[static_cast<std::size_t>(i)];
        return text;
    }

    void refuse(Verdict verdict) { result_.verdict = verdict; }

    // The response a row gives the line it ends; "null" is none, and the
    // line keeps the response it had.
    static std::optional<std::string> response_of(const Row& row) {
        return row.response != state::marker::kNull ? std::optional(row.response) : std::nullopt;
    }

    void complete(const Row& row, int through, std::optional<std::string> response) {
        result_.verdict = Verdict::Success;
        result_.completion =
            Completion{row, matched_words(through), std::move(response), false, true};
    }

    // A line of one word: its first word alone, which may end at an end
    // marker when the word takes further words.
    void one_word() {
        const std::string& typed_word = typed(0);
        auto roots = lookup_.keywords(0, 0, typed_word);
        if (roots.empty()) return refuse(Verdict::NotFound);
        // One word has no exact-match preference: two rows are ambiguous.
        if (roots.size() > 1) return refuse(Verdict::Ambiguous);
        const Row& root = roots.front();
        word(0) = root.command;
        result_.mode_after = root.mode_after;
        if (root.further) {
            auto marker = lookup_.end_marker(1, root.index);
            if (!marker) return refuse(Verdict::Incomplete);
            result_.verdict = Verdict::Success;
            result_.completion = Completion{*marker, word(0), response_of(*marker), false, false};
            return;
        }
        if (!root.enabled) return refuse(Verdict::Disabled);
        result_.matched_command_word = root.command;
        result_.verdict = Verdict::Success;
        result_.completion = Completion{root, word(0), root.response, true, false};
    }

    // The first word of a longer line: ip, dial and dialer may be typed in
    // full though they begin other first words.
    std::optional<Row> first_word() {
        const std::string& typed_word = typed(0);
        auto roots = lookup_.keywords(0, 0, typed_word);
        if (roots.empty()) {
            refuse(Verdict::NotFound);
            return std::nullopt;
        }
        if (roots.size() > 1 && exact_first_word(typed_word))
            roots = lookup_.exact_first_words(typed_word);
        if (roots.size() != 1) {
            refuse(Verdict::Ambiguous);
            return std::nullopt;
        }
        return std::move(roots.front());
    }

    void execute_command() {
        const auto root = first_word();
        if (!root) return;
        word(0) = root->command;
        result_.mode_after = root->mode_after;
        parent_ = root->index;
        for (int k = 1; k <= kLastLevel; ++k) {
            auto keywords = lookup_.keywords(k, parent_, typed(k));
            if (keywords.size() > 1) return refuse(Verdict::Ambiguous);
            const bool go_on =
                keywords.size() == 1 ? keyword_at(k, keywords.front()) : argument_at(k, parent_);
            if (!go_on) return;
        }
    }

    // Word k matched a keyword row.  True when the line goes on below it.
    bool keyword_at(int k, const Row& row) {
        // There is no eleventh word.
        if (k == kLastLevel && last() > kLastLevel) {
            refuse(Verdict::NotFound);
            return false;
        }
        word(k) = row.command;
        if (row.further && last() > k) return descend(row);
        if (last() == k && (!row.further || k == kLastLevel)) {
            complete(row, k, response_of(row));
            return false;
        }
        if (row.further && last() == k) {
            ends_at_end_marker(k, row);
            return false;
        }
        refuse(Verdict::NotFound);  // a word follows a word that ends the command
        return false;
    }

    // No keyword fits word k: the argument placeholders under the same parent
    // are tried.  True when the line goes on below the accepted one.
    bool argument_at(int k, int parent) {
        ArgumentCheck check{app_, result_.command_line, result_.command_words,
                            result_.argument_values, result_.interface};
        const auto accepted = lookup_.placeholder(k, parent, typed(k), check);
        if (!accepted) {
            refuse(Verdict::NotFound);
            return false;
        }
        const Row& row = *accepted;
        // A text argument ("<LINE>", "<BANNER>") reads the rest of the line
        // itself, so the words after it belong to it and complete the command.
        const bool text_argument = row.command == "<LINE>" || row.command == "<BANNER>";
        const bool banner_text =
            text_argument || (k == 2 && (word(0) == "banner" || word(1) == "motd"));
        const bool banner_motd =
            text_argument || (k == 2 && word(0) == "banner" && word(1) == "motd");
        if (!banner_text && row.further && last() == k) {
            ends_at_end_marker(k, row);
            return false;
        }
        if (!banner_text && !row.further && last() > k) {
            refuse(Verdict::NotFound);
            return false;
        }
        if (!row.further && (last() == k || text_argument) && !row.has_action) {
            complete(row, k - 1, response_of(row));
            return false;
        }
        if (row.has_action && (last() == k || banner_motd)) {
            complete(row, k - 1, std::nullopt);
            return false;
        }
        if (row.further && last() > k && k < kLastLevel) return descend(row);
        refuse(Verdict::NotFound);  // no case fits a row the catalogue holds
        return false;
    }

    bool descend(const Row& row) {
        parent_ = row.index;
        return true;
    }

    // The line stops at a row that takes further words: its end marker, if
    // it has one, completes it.
    void ends_at_end_marker(int level, const Row& row) {
        std::optional<Row> marker;
        if (level < kLastLevel) marker = lookup_.end_marker(level + 1, row.index);
        if (!marker) return refuse(Verdict::Incomplete);
        // An end marker's response stands only where the catalogue writes
        // one: the show lines that end at one say that their listing
        // follows the command line directly.
        complete(*marker, level, response_of(*marker));
    }

    AppState& app_;
    WordLookup lookup_;
    InterpreterState result_;
    int parent_ = 0;  // the index of the row matched for the word before
};

bool keeps_prefix(CommandMode mode, bool subinterface_too) {
    return mode == CommandMode::ConfigLine || mode == CommandMode::ConfigIf ||
           (subinterface_too && mode == CommandMode::ConfigSubif);
}

// Carries out a line that matched: the interface it chose, the catalogue's
// response and mode, the generic write and the handler, all or nothing.
class LineActions {
public:
    LineActions(AppState& app, InterpreterState& line) : app_(app), line_(line) {}

    // False when a handler refused the line.
    bool run() {
        const Completion& completion = *line_.completion;
        auto& mode = app_.console.mode;
        line_.interface.apply(mode);
        if (completion.response) app_.console.output.response_text = *completion.response;
        if (completion.mode_before_action) {
            enter_mode_after(completion);
            if (!generic_write(completion, mode.mode_suffix)) return false;
        } else {
            if (!generic_write(completion, line_.typed_mode)) return false;
            enter_mode_after(completion);
        }
        if (completion.row.handler.empty()) return true;
        return call(completion.row.handler, completion);
    }

    bool changed() const { return transaction_.has_value(); }
    void commit() {
        if (transaction_) transaction_->commit();
    }

private:
    void enter_mode_after(const Completion& completion) {
        auto& mode = app_.console.mode;
        mode.mode_suffix = line_.mode_after;
        if (!keeps_prefix(mode.mode_suffix, completion.subinterface_keeps_prefix))
            mode.config_prefix = state::marker::kNill;
    }

    // The row's "set=": configuration keys, or in interface modes on routers
    // and workstations the interface's own settings.
    bool generic_write(const Completion& completion, CommandMode chooser) {
        if (!completion.row.has_action) return true;
        const bool interface_write = state::is_interface_mode(chooser) &&
                                     app_.console.device.device_kind != DeviceKind::Switch;
        return call(interface_write ? state::kConfigInterface : state::kSetConfigVariables,
                    completion);
    }

    bool call(std::string_view name, const Completion& completion) {
        const state::CommandHandler* handler = command_handlers().find(name);
        if (!handler) return false;  // a catalogue naming a handler no service has
        // Lines that only look the catalogue up cost no transaction.
        if (!transaction_) transaction_.emplace(app_.session);
        state::CommandLine command;
        command.text = line_.command_line;
        command.typed_words = line_.typed_words;
        command.command_words = line_.command_words;
        command.arguments = line_.argument_values;
        command.parameters = completion.row.parameters;
        command.matched_words = completion.matched_words;
        command.typed_mode = line_.typed_mode;
        command.mode_after = line_.mode_after;
        state::CommandContext context(app_, command);
        return apply((*handler)(context));
    }

    bool apply(const CommandOutcome& outcome) {
        if (outcome.refused) return false;
        auto& output = app_.console.output;
        if (outcome.response) output.response_text = *outcome.response;
        if (outcome.mode) app_.console.mode.mode_suffix = *outcome.mode;
        if (outcome.output) {
            output.pending_output += *outcome.output;
            output.output_needs_paging = true;
        }
        return true;
    }

    AppState& app_;
    InterpreterState& line_;
    std::optional<db::DatabaseSession::Transaction> transaction_;
};

}  // namespace

InterpreterState match_line(AppState& app, const std::string& command_line) {
    return LineMatcher(app, command_line).run();
}

InterpreterState interpret_command(AppState& app, const std::string& command_line) {
    InterpreterState line = match_line(app, command_line);
    if (!line.succeeded()) return line;
    const state::ConsoleMode before = app.console.mode;
    LineActions actions(app, line);
    bool done = false;
    try {
        done = actions.run();
    } catch (...) {
        app.console.mode = before;
        throw;
    }
    if (done) {
        actions.commit();
    } else {
        line.verdict = Verdict::NotFound;
        app.console.mode = before;
    }
    return line;
}

}  // namespace vexlab::interpreter
