#pragma once
// The program's one database session: a small workspace/connection layer over
// SQLite shaped after the object model the rest of the program was designed
// around (execute a statement, open a result set, walk it with end-of-set
// tests and move operations, read fields by position or by name).
//
// Values always travel as bound parameters; the only text spliced into SQL is
// identifiers, and those go through quote_identifier().

#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/db_value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vexlab::db {

// A failed statement: carries the statement text and the engine's message.
class DbError : public std::runtime_error {
public:
    DbError(std::string statement, std::string message);
    const std::string& statement() const { return statement_; }
    const std::string& engine_message() const { return message_; }

private:
    std::string statement_;
    std::string message_;
};

// The rows of one SELECT, read completely when the set is opened, so the
// move operations are cheap and the set stays valid while statements run.
class Recordset {
public:
    Recordset() = default;

    bool eof() const { return rows_.empty() || pos_ >= static_cast<long>(rows_.size()); }
    bool bof() const { return rows_.empty() || pos_ < 0; }
    void move_next();
    void move_previous();
    void move_first() { pos_ = 0; }
    void move_last() { pos_ = static_cast<long>(rows_.size()) - 1; }
    std::size_t record_count() const { return rows_.size(); }

    int field_count() const { return columns_ ? static_cast<int>(columns_->names.size()) : 0; }
    const std::string& field_name(int position) const;
    // Position of a column, found without regard to letter case.
    std::optional<int> field_index(std::string_view name) const;

    // Field of the current row; throws DbError at BOF/EOF or for an unknown
    // position or name.
    const Value& field(int position) const;
    const Value& field(std::string_view name) const;
    const Value& field(const char* name) const { return field(std::string_view(name)); }
    std::string text(int position) const { return field(position).to_text(); }
    std::string text(std::string_view name) const { return field(name).to_text(); }

    // What every result of one prepared statement shares: its text (for
    // error messages), its column names and which columns are yes/no.
    struct Columns {
        std::string sql;
        std::vector<std::string> names;
        std::vector<bool> yes_no;
    };

private:
    friend class DatabaseSession;
    const std::string& sql() const;
    std::shared_ptr<const Columns> columns_;
    std::vector<std::vector<Value>> rows_;
    long pos_ = 0;
};

class DatabaseSession {
public:
    DatabaseSession();
    ~DatabaseSession();
    DatabaseSession(const DatabaseSession&) = delete;
    DatabaseSession& operator=(const DatabaseSession&) = delete;

    // Opens an existing database file for reading and writing.  Throws
    // DbError naming the file when it is missing, unreadable or not a database.
    void open(const std::string& path);
    // Creates a new, empty database file (the file must not exist).
    void create(const std::string& path);
    void close();
    bool is_open() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }

    void execute(std::string_view sql, std::initializer_list<Value> params = {});
    void execute(std::string_view sql, const std::vector<Value>& params);
    // Several statements without parameters (schema scripts).
    void execute_script(std::string_view sql);

    Recordset open_recordset(std::string_view sql, std::initializer_list<Value> params = {});
    Recordset open_recordset(std::string_view sql, const std::vector<Value>& params);

    // First column of the first row, or Null when the query returns no row.
    Value scalar(std::string_view sql, std::initializer_list<Value> params = {});

    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;
    // Rows changed by every INSERT, UPDATE and DELETE since the file was opened.
    long long total_changes() const;

    // All-or-nothing work.  Nested transactions become savepoints.
    class Transaction {
    public:
        explicit Transaction(DatabaseSession& session);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        DatabaseSession& session_;
        std::string name_;
        bool done_ = false;
    };

    std::vector<std::string> column_names(std::string_view table);
    bool table_exists(std::string_view table);

    // The engine's quick check of the file's pages: nothing when it passes,
    // else the first fault it found.  Throws DbError when the file is too
    // damaged to be checked at all.
    std::optional<std::string> damage();

private:
    // A prepared statement kept for the next call with the same text, and
    // the description of its columns as of its last preparation by the engine.
    struct CachedStatement {
        sqlite3_stmt* stmt = nullptr;
        int prepared_as = -1;  // the engine's re-prepare count when `columns` was read
        std::shared_ptr<const Recordset::Columns> columns;
    };

    CachedStatement& prepare(std::string_view sql);
    const std::shared_ptr<const Recordset::Columns>& columns_of(CachedStatement& cached,
                                                                std::string_view sql);
    void bind(sqlite3_stmt* stmt, std::string_view sql, const Value* params, std::size_t count);
    void run(std::string_view sql, const Value* params, std::size_t count);
    Recordset query(std::string_view sql, const Value* params, std::size_t count);
    [[noreturn]] void fail(std::string_view sql) const;
    void clear_cache();
    void check_open(std::string_view sql) const;

    sqlite3* db_ = nullptr;
    std::string path_;
    // Looked up by the statement's text as the caller has it, without a copy.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, CachedStatement, TextHash, std::equal_to<>> cache_;
    int savepoint_depth_ = 0;
};

// What a failure says to the user: a database failure's reason without the
// statement behind it, which goes to the log (stderr) instead; any other
// failure's own text.
std::string failure_text_for_user(const std::exception& error);

// Quotes an identifier (table or column name) for SQL text: "2950", "index".
std::string quote_identifier(std::string_view name);
// A condition "<column> begins with the bound text", without regard to letter
// case and taking every character of the text literally.  The text is bound
// twice.  Unlike LIKE with a bound pattern, it does not make the engine plan
// the statement again for every new text.
std::string begins_with(std::string_view column);
// The pattern for "begins with <word>" under LIKE ... ESCAPE '\': a typed "%"
// or "_" matches itself.
std::string like_prefix(std::string_view word);

}  // namespace vexlab::db
