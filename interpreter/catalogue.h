#pragma once
// The command catalogue as the program reads it: one row type for first words
// and further words, one reader of the tables' columns, and the lookups the
// matcher, the context help and the mode list run.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
class Recordset;
}  // namespace vexlab::db

namespace vexlab::interpreter {

using state::CommandMode;
using state::DeviceKind;

// One catalogue row.  First words (level 0) are rows of tblsublabcmds, the
// word at position k of tblsublabcmdsk.
struct CatalogueRow {
    int index = 0;
    int ref = 0;  // first words: the device kind's number; further words: the parent's index
    CommandMode mode = CommandMode::User;        // first words: the mode it is a command in
    CommandMode mode_after = CommandMode::User;  // first words: the mode after the command
    bool enabled = true;                         // first words only
    std::string command;
    bool has_action = false;              // the line ending here runs the generic write
    std::vector<std::string> parameters;  // the generic write's keys or columns ("set=")
    bool further = false;
    std::string response;
    std::string description;
    std::string handler;  // the handler a line that ends here calls ("do=", inherited)
    std::string origin;   // where the catalogue source wrote it ("file:line"); not stored

    bool is_end_marker() const { return command == state::marker::kEndCmd; }
    bool is_placeholder() const { return !command.empty() && command[0] == '<'; }
};

// The first words that may be typed in full although they begin other first
// words of the same mode: a line of several words, and the next-word help,
// take the row of exactly that word.  Compared as typed ("IP" is not "ip").
bool exact_first_word(std::string_view word);
// The partial-word help knows the same rule for "ip" alone.
bool exact_first_word_in_partial_help(std::string_view word);

// The table holding the words of a level: tblsublabcmds for level 0,
// tblsublabcmds1 to tblsublabcmds9 below it.
std::string catalogue_table(int level);

inline constexpr int kLastLevel = 9;
inline constexpr int kMaxRootIndex = 32767;
inline constexpr int kMaxWordLength = 40;

// What keeps the catalogue in the database from answering typed lines: no
// first words, or a word announcing further words that no row of the next
// level continues (an emptied level answers every longer line "Command Not
// Found").  Nothing when every word reaches its further words.
std::optional<std::string> catalogue_fault(db::DatabaseSession& session);

// Reads the row the record set stands on, by the columns' fixed positions.
// A mode text that names no mode is a damaged catalogue and throws
// std::runtime_error.
CatalogueRow read_catalogue_row(const db::Recordset& set, int level);

// The order rows come back in: as stored, or by command.
enum class RowOrder { Stored, ByCommand };

// The lookups on the catalogue tables.  Typed words are bound and compared
// by prefix without regard to letter case; "%" and "_" match themselves.
class Catalogue {
public:
    explicit Catalogue(db::DatabaseSession& session) : session_(session) {}

    // First words of the kind and mode that begin with `word`.
    std::vector<CatalogueRow> first_words(std::string_view word, CommandMode mode, DeviceKind kind,
                                          RowOrder order = RowOrder::Stored) const;
    // First words of the kind and mode that are exactly `word`.
    std::vector<CatalogueRow> exact_first_words(std::string_view word, CommandMode mode,
                                                DeviceKind kind,
                                                RowOrder order = RowOrder::Stored) const;
    // Every first word of the kind, by command.
    std::vector<CatalogueRow> all_first_words(DeviceKind kind) const;
    // Words of `level` under `parent` that begin with `word`.
    std::vector<CatalogueRow> words(int level, int parent, std::string_view word,
                                    RowOrder order = RowOrder::Stored) const;
    // The argument placeholders of `level` under `parent`.
    std::vector<CatalogueRow> placeholders(int level, int parent,
                                           RowOrder order = RowOrder::Stored) const;
    // Every word of `level` under `parent`, by command.
    std::vector<CatalogueRow> children(int level, int parent) const;
    // The end marker of `level` under `parent`, when it has one.
    std::vector<CatalogueRow> end_marker(int level, int parent) const;

private:
    db::DatabaseSession& session_;
};

}  // namespace vexlab::interpreter
