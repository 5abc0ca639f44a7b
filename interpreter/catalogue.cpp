#include "interpreter/catalogue.h"

#include <stdexcept>

#include "platform/db_session.h"

namespace vexlab::interpreter {

namespace {

// Column positions.  The matcher reads by position, so these are part of the
// tables' definitions (resources/schema.txt).
struct Positions {
    int command, has_action, count, further, response, description, handler;
    int params[4];
};
constexpr Positions kFirstWord{3, 6, 9, 13, 14, 15, 7, {10, 11, 12, 17}};
constexpr Positions kFurtherWord{1, 2, 3, 7, 8, 9, 12, {4, 5, 6, 11}};
constexpr int kRootRef = 1, kRootMode = 2, kRootModeAfter = 4, kRootEnabled = 5;
constexpr int kWordRef = 10;

CommandMode mode_of(const db::Recordset& set, int position) {
    const std::string text = set.text(position);
    if (auto mode = state::command_mode(text)) return *mode;
    throw std::runtime_error("the command catalogue names an unknown mode \"" + text + "\"");
}

std::vector<std::string> parameter_list(const db::Recordset& set, const Positions& at) {
    std::vector<std::string> list;
    const std::int64_t count = set.field(at.count).to_int();
    for (int position : at.params)
        if (static_cast<std::int64_t>(list.size()) < count) list.push_back(set.text(position));
    // Entries after the fourth have no column and stay empty.
    while (static_cast<std::int64_t>(list.size()) < count && list.size() < 64) list.emplace_back();
    return list;
}

std::string bound_order(RowOrder order) {
    return order == RowOrder::Stored ? " ORDER BY rowid" : " ORDER BY command";
}

std::string table(int level) {
    return db::quote_identifier(catalogue_table(level));
}

std::vector<CatalogueRow> read_all(db::Recordset set, int level) {
    std::vector<CatalogueRow> rows;
    for (; !set.eof(); set.move_next()) rows.push_back(read_catalogue_row(set, level));
    return rows;
}

}  // namespace

bool exact_first_word(std::string_view word) {
    return word == "ip" || word == "dial" || word == "dialer";
}

bool exact_first_word_in_partial_help(std::string_view word) {
    return word == "ip";
}

std::string catalogue_table(int level) {
    return level == 0 ? std::string("tblsublabcmds") : "tblsublabcmds" + std::to_string(level);
}

std::optional<std::string> catalogue_fault(db::DatabaseSession& session) {
    auto empty = [&](int level) {
        return session.scalar("SELECT NOT EXISTS (SELECT 1 FROM " + table(level) + ")").to_int() !=
               0;
    };
    if (empty(0)) return "the command catalogue " + catalogue_table(0) + " is empty";
    for (int level = 0; level < kLastLevel; ++level) {
        auto unanswered = session.open_recordset(
            "SELECT p.command FROM " + table(level) +
            " AS p WHERE p.further <> 0 AND NOT EXISTS (SELECT 1 FROM " + table(level + 1) +
            " AS c WHERE c.ref = p.\"index\") ORDER BY p.rowid LIMIT 1");
        if (unanswered.eof()) continue;
        const std::string words = "the command catalogue " + catalogue_table(level + 1);
        if (empty(level + 1)) return words + " is empty";
        return words + " lacks the words after \"" + unanswered.text(0) + "\" of " +
               catalogue_table(level);
    }
    return std::nullopt;
}

CatalogueRow read_catalogue_row(const db::Recordset& set, int level) {
    const Positions& at = level == 0 ? kFirstWord : kFurtherWord;
    CatalogueRow row;
    row.index = static_cast<int>(set.field(0).to_int());
    row.command = set.text(at.command);
    row.has_action = set.field(at.has_action).to_bool();
    row.parameters = parameter_list(set, at);
    row.further = set.field(at.further).to_bool();
    row.response = set.text(at.response);
    row.description = set.text(at.description);
    row.handler = set.text(at.handler);
    if (level == 0) {
        row.ref = static_cast<int>(set.field(kRootRef).to_int());
        row.mode = mode_of(set, kRootMode);
        row.mode_after = mode_of(set, kRootModeAfter);
        row.enabled = set.field(kRootEnabled).to_bool();
    } else {
        row.ref = static_cast<int>(set.field(kWordRef).to_int());
    }
    return row;
}

namespace {

// The lookups' statement texts, built once: they are the same for every
// line, and the session finds its prepared statement by the text.
struct LookupStatements {
    static constexpr int kOrders = 2;
    std::string first_words[kOrders], exact_first_words[kOrders], all_first_words;
    std::string words[kLastLevel + 1][kOrders], placeholders[kLastLevel + 1][kOrders];
    std::string children[kLastLevel + 1], end_marker[kLastLevel + 1];

    LookupStatements() {
        for (int o = 0; o < kOrders; ++o) {
            const std::string order = bound_order(static_cast<RowOrder>(o));
            first_words[o] = "SELECT * FROM " + table(0) + " WHERE " + db::begins_with("command") +
                             " AND commandprompt = ? AND ref = ?" + order;
            exact_first_words[o] = "SELECT * FROM " + table(0) +
                                   " WHERE command = ? AND commandprompt = ? AND ref = ?" + order;
            for (int level = 1; level <= kLastLevel; ++level) {
                words[level][o] = "SELECT * FROM " + table(level) + " WHERE " +
                                  db::begins_with("command") + " AND ref = ?" + order;
                placeholders[level][o] = "SELECT * FROM " + table(level) +
                                         " WHERE command LIKE '<%' AND ref = ?" + order;
            }
        }
        all_first_words = "SELECT * FROM " + table(0) + " WHERE ref = ? ORDER BY command";
        for (int level = 1; level <= kLastLevel; ++level) {
            children[level] = "SELECT * FROM " + table(level) + " WHERE ref = ? ORDER BY command";
            end_marker[level] =
                "SELECT * FROM " + table(level) + " WHERE command = ? AND ref = ? ORDER BY rowid";
        }
    }
};

const LookupStatements& statements() {
    static const LookupStatements texts;
    return texts;
}

int order_slot(RowOrder order) {
    return order == RowOrder::Stored ? 0 : 1;
}

// Further-word levels run from 1 to kLastLevel.
int further_level(int level) {
    if (level < 1 || level > kLastLevel)
        throw std::out_of_range("no catalogue words at level " + std::to_string(level));
    return level;
}

}  // namespace

std::vector<CatalogueRow> Catalogue::first_words(std::string_view word, CommandMode mode,
                                                 DeviceKind kind, RowOrder order) const {
    return read_all(
        session_.open_recordset(statements().first_words[order_slot(order)],
                                {word, word, state::prompt_suffix(mode), state::kind_number(kind)}),
        0);
}

std::vector<CatalogueRow> Catalogue::exact_first_words(std::string_view word, CommandMode mode,
                                                       DeviceKind kind, RowOrder order) const {
    return read_all(
        session_.open_recordset(statements().exact_first_words[order_slot(order)],
                                {word, state::prompt_suffix(mode), state::kind_number(kind)}),
        0);
}

std::vector<CatalogueRow> Catalogue::all_first_words(DeviceKind kind) const {
    return read_all(
        session_.open_recordset(statements().all_first_words, {state::kind_number(kind)}), 0);
}

std::vector<CatalogueRow> Catalogue::words(int level, int parent, std::string_view word,
                                           RowOrder order) const {
    return read_all(
        session_.open_recordset(statements().words[further_level(level)][order_slot(order)],
                                {word, word, parent}),
        level);
}

std::vector<CatalogueRow> Catalogue::placeholders(int level, int parent, RowOrder order) const {
    return read_all(
        session_.open_recordset(statements().placeholders[further_level(level)][order_slot(order)],
                                {parent}),
        level);
}

std::vector<CatalogueRow> Catalogue::children(int level, int parent) const {
    return read_all(session_.open_recordset(statements().children[further_level(level)], {parent}),
                    level);
}

std::vector<CatalogueRow> Catalogue::end_marker(int level, int parent) const {
    return read_all(session_.open_recordset(statements().end_marker[further_level(level)],
                                            {state::marker::kEndCmd, parent}),
                    level);
}

}  // namespace vexlab::interpreter
