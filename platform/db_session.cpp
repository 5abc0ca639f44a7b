#include "platform/db_session.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

#include "platform/text.h"

namespace vexlab::db {

using text::icontains;
using text::iequals;

namespace {

constexpr std::size_t kCacheLimit = 512;

}  // namespace

DbError::DbError(std::string statement, std::string message)
    : std::runtime_error(message + (statement.empty() ? "" : " [" + statement + "]")),
      statement_(std::move(statement)),
      message_(std::move(message)) {}

// ---------------------------------------------------------------- Recordset

void Recordset::move_next() {
    if (pos_ < static_cast<long>(rows_.size())) ++pos_;
}

void Recordset::move_previous() {
    if (pos_ >= 0) --pos_;
}

const std::string& Recordset::sql() const {
    static const std::string none;
    return columns_ ? columns_->sql : none;
}

const std::string& Recordset::field_name(int position) const {
    if (position < 0 || position >= field_count())
        throw DbError(sql(), "no field at position " + std::to_string(position));
    return columns_->names[static_cast<std::size_t>(position)];
}

std::optional<int> Recordset::field_index(std::string_view name) const {
    for (int i = 0; i < field_count(); ++i)
        if (iequals(columns_->names[static_cast<std::size_t>(i)], name)) return i;
    return std::nullopt;
}

const Value& Recordset::field(int position) const {
    if (eof() || bof()) throw DbError(sql(), "no current record");
    if (position < 0 || position >= field_count())
        throw DbError(sql(), "no field at position " + std::to_string(position));
    return rows_[static_cast<std::size_t>(pos_)][static_cast<std::size_t>(position)];
}

const Value& Recordset::field(std::string_view name) const {
    auto index = field_index(name);
    if (!index) throw DbError(sql(), "no field named " + std::string(name));
    return field(*index);
}

// ---------------------------------------------------------------- Session

DatabaseSession::DatabaseSession() {
    // The engine's count of its own memory takes a lock on every allocation;
    // nothing reads it.  Only possible before the engine's first use.
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

DatabaseSession::~DatabaseSession() {
    close();
}

void DatabaseSession::open(const std::string& path) {
    close();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        throw DbError({}, "cannot open database file " + path + ": the file does not exist");
    sqlite3* handle = nullptr;
    // One thread uses the session: the engine's own locks around every call
    // would only cost time.
    int rc = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
        sqlite3_close(handle);
        throw DbError({}, "cannot open database file " + path + ": " + message);
    }
    db_ = handle;
    path_ = path;
    try {
        // Opening is lazy: touch the schema so that a file that is not a
        // database is refused here and not at the first command.
        scalar("SELECT count(*) FROM " + quote_identifier("sqlite_master"));
    } catch (const DbError& error) {
        close();
        throw DbError({}, "cannot open database file " + path + ": " + error.engine_message());
    }
    if (sqlite3_db_readonly(db_, "main") == 1) {
        close();
        throw DbError({}, "cannot open database file " + path +
                              ": the file is read-only (the program folder must be writable)");
    }
    // The program is the file's only user for as long as it runs: holding
    // the lock spares every statement its lock calls.  Every command commits;
    // a write-ahead log keeps that from syncing the whole file each time, and
    // NORMAL keeps the file whole across crashes.  The scratch tables a
    // statement sorts in live in memory, not in files.
    try {
        execute_script(
            "PRAGMA locking_mode = EXCLUSIVE; PRAGMA journal_mode = WAL; "
            "PRAGMA synchronous = NORMAL; PRAGMA temp_store = MEMORY");
    } catch (const DbError& error) {
        close();
        throw DbError({}, "cannot open database file " + path + ": " + error.engine_message());
    }
}

void DatabaseSession::create(const std::string& path) {
    close();
    sqlite3* handle = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
        sqlite3_close(handle);
        throw DbError({}, "cannot create database file " + path + ": " + message);
    }
    db_ = handle;
    path_ = path;
}

void DatabaseSession::close() {
    clear_cache();
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    savepoint_depth_ = 0;
}

void DatabaseSession::clear_cache() {
    for (auto& entry : cache_) sqlite3_finalize(entry.second.stmt);
    cache_.clear();
}

void DatabaseSession::check_open(std::string_view sql) const {
    if (!db_) throw DbError(std::string(sql), "the database session is not open");
}

void DatabaseSession::fail(std::string_view sql) const {
    throw DbError(std::string(sql), db_ ? sqlite3_errmsg(db_) : "no database");
}

DatabaseSession::CachedStatement& DatabaseSession::prepare(std::string_view sql) {
    check_open(sql);
    if (auto it = cache_.find(sql); it != cache_.end()) return it->second;
    std::string key(sql);
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, key.c_str(), static_cast<int>(key.size()), &stmt, &tail) !=
        SQLITE_OK)
        fail(sql);
    if (!stmt) throw DbError(key, "empty statement");
    if (tail && *tail) {
        std::string_view rest(tail);
        if (rest.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
            sqlite3_finalize(stmt);
            throw DbError(key, "more than one statement in one call");
        }
    }
    if (cache_.size() >= kCacheLimit) clear_cache();
    CachedStatement& cached = cache_[std::move(key)];
    cached.stmt = stmt;
    return cached;
}

void DatabaseSession::bind(sqlite3_stmt* stmt, std::string_view sql, const Value* params,
                           std::size_t count) {
    if (static_cast<int>(count) != sqlite3_bind_parameter_count(stmt))
        throw DbError(std::string(sql), "expected " +
                                            std::to_string(sqlite3_bind_parameter_count(stmt)) +
                                            " parameters, got " + std::to_string(count));
    for (std::size_t i = 0; i < count; ++i) {
        const Value& v = params[i];
        int index = static_cast<int>(i) + 1;
        int rc = SQLITE_OK;
        switch (v.type()) {
            case ValueType::Null:
                rc = sqlite3_bind_null(stmt, index);
                break;
            case ValueType::Text: {
                const std::string_view text = v.text_view();
                rc = sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT);
                break;
            }
            case ValueType::YesNo:
                rc = sqlite3_bind_int(stmt, index, v.to_bool() ? 1 : 0);
                break;
            case ValueType::Number:
                rc = v.is_real() ? sqlite3_bind_double(stmt, index, v.to_double())
                                 : sqlite3_bind_int64(stmt, index, v.to_int());
                break;
        }
        if (rc != SQLITE_OK) fail(sql);
    }
}

namespace {

struct StatementReset {
    sqlite3_stmt* stmt;
    ~StatementReset() {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

Value read_column(sqlite3_stmt* stmt, int column, bool yes_no) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_NULL:
            return Value();
        case SQLITE_INTEGER: {
            auto number = static_cast<std::int64_t>(sqlite3_column_int64(stmt, column));
            if (yes_no) return Value(number != 0);
            return Value(number);
        }
        case SQLITE_FLOAT: {
            double number = sqlite3_column_double(stmt, column);
            if (yes_no) return Value(number != 0.0);
            return Value(number);
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            int size = sqlite3_column_bytes(stmt, column);
            return Value(std::string(text ? text : "", static_cast<std::size_t>(size)));
        }
    }
}

}  // namespace

const std::shared_ptr<const Recordset::Columns>& DatabaseSession::columns_of(
    CachedStatement& cached, std::string_view sql) {
    // The engine prepares a statement again when the schema changed under it,
    // and its columns may have changed with it.
    const int prepared_as = sqlite3_stmt_status(cached.stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (cached.columns && cached.prepared_as == prepared_as) return cached.columns;
    auto columns = std::make_shared<Recordset::Columns>();
    columns->sql = std::string(sql);
    const int count = sqlite3_column_count(cached.stmt);
    columns->names.reserve(static_cast<std::size_t>(count));
    columns->yes_no.reserve(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c) {
        const char* name = sqlite3_column_name(cached.stmt, c);
        columns->names.emplace_back(name ? name : "");
        const char* decl = sqlite3_column_decltype(cached.stmt, c);
        columns->yes_no.push_back(decl && icontains(decl, "YESNO"));
    }
    cached.columns = std::move(columns);
    cached.prepared_as = prepared_as;
    return cached.columns;
}

void DatabaseSession::run(std::string_view sql, const Value* params, std::size_t count) {
    sqlite3_stmt* stmt = prepare(sql).stmt;
    StatementReset reset{stmt};
    bind(stmt, sql, params, count);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) fail(sql);
}

Recordset DatabaseSession::query(std::string_view sql, const Value* params, std::size_t count) {
    CachedStatement& cached = prepare(sql);
    sqlite3_stmt* stmt = cached.stmt;
    StatementReset reset{stmt};
    bind(stmt, sql, params, count);
    Recordset set;
    // The first step is where the engine prepares the statement again if it
    // must, so the columns are read after it.
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail(sql);
    set.columns_ = columns_of(cached, sql);
    const auto& yes_no = set.columns_->yes_no;
    const int columns = static_cast<int>(yes_no.size());
    for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt)) {
        std::vector<Value> row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(read_column(stmt, c, yes_no[static_cast<std::size_t>(c)]));
        set.rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) fail(sql);
    return set;
}

void DatabaseSession::execute(std::string_view sql, std::initializer_list<Value> params) {
    run(sql, params.begin(), params.size());
}

void DatabaseSession::execute(std::string_view sql, const std::vector<Value>& params) {
    run(sql, params.data(), params.size());
}

void DatabaseSession::execute_script(std::string_view sql) {
    check_open(sql);
    std::string text(sql);
    char* error = nullptr;
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "error";
        sqlite3_free(error);
        throw DbError(text, message);
    }
}

Recordset DatabaseSession::open_recordset(std::string_view sql,
                                          std::initializer_list<Value> params) {
    return query(sql, params.begin(), params.size());
}

Recordset DatabaseSession::open_recordset(std::string_view sql, const std::vector<Value>& params) {
    return query(sql, params.data(), params.size());
}

Value DatabaseSession::scalar(std::string_view sql, std::initializer_list<Value> params) {
    Recordset set = query(sql, params.begin(), params.size());
    if (set.eof() || set.field_count() == 0) return Value();
    return set.field(0);
}

int DatabaseSession::changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}

long long DatabaseSession::total_changes() const {
    return db_ ? sqlite3_total_changes64(db_) : 0;
}

std::vector<std::string> DatabaseSession::column_names(std::string_view table) {
    // Commands ask for the columns of the same few tables on every line: a
    // kept statement over the table names them.  Stepping it makes the engine
    // prepare it again when the table changed since, so the names are always
    // the table's current ones.  A table that does not exist has no columns.
    if (db_) {
        try {
            const std::string sql = "SELECT * FROM " + quote_identifier(table) + " LIMIT 0";
            CachedStatement& cached = prepare(sql);
            StatementReset reset{cached.stmt};
            if (sqlite3_step(cached.stmt) == SQLITE_DONE) return columns_of(cached, sql)->names;
        } catch (const DbError&) {
        }
    }
    Recordset set =
        open_recordset("SELECT name FROM pragma_table_info(?) ORDER BY cid", {std::string(table)});
    std::vector<std::string> names;
    for (; !set.eof(); set.move_next()) names.push_back(set.text(0));
    return names;
}

bool DatabaseSession::table_exists(std::string_view table) {
    return scalar("SELECT count(*) FROM " + quote_identifier("sqlite_master") +
                      " WHERE type = 'table' AND name = ? COLLATE NOCASE",
                  {std::string(table)})
               .to_int() > 0;
}

std::optional<std::string> DatabaseSession::damage() {
    const std::string report = scalar("PRAGMA quick_check(1)").to_text();
    if (report == "ok") return std::nullopt;
    // The report opens with a heading line naming the schema ("*** in
    // database main ***"); the fault is what follows it.
    std::string fault;
    for (const std::string& line : text::split(report, "\n"))
        if (!line.empty() && line.rfind("***", 0) != 0) fault += (fault.empty() ? "" : " ") + line;
    return fault.empty() ? report : fault;
}

// ---------------------------------------------------------------- Transaction

DatabaseSession::Transaction::Transaction(DatabaseSession& session) : session_(session) {
    name_ = "vexlab_sp" + std::to_string(session_.savepoint_depth_);
    session_.execute_script("SAVEPOINT " + name_);
    ++session_.savepoint_depth_;
}

DatabaseSession::Transaction::~Transaction() {
    if (done_ || !session_.is_open()) return;
    try {
        session_.execute_script("ROLLBACK TO " + name_ + "; RELEASE " + name_);
    } catch (const DbError&) {
        // Nothing more can be done from a destructor; the engine has already
        // rolled back when the rollback itself fails.
    }
    --session_.savepoint_depth_;
}

void DatabaseSession::Transaction::commit() {
    if (done_) return;
    session_.execute_script("RELEASE " + name_);
    done_ = true;
    --session_.savepoint_depth_;
}

// ---------------------------------------------------------------- helpers

std::string failure_text_for_user(const std::exception& error) {
    const auto* db_error = dynamic_cast<const DbError*>(&error);
    if (!db_error) return error.what();
    std::cerr << "vexlab: " << db_error->what() << "\n";
    return db_error->engine_message();
}

std::string quote_identifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string begins_with(std::string_view column) {
    const std::string quoted = quote_identifier(column);
    return "substr(" + quoted + ", 1, length(?)) = ? COLLATE NOCASE";
}

std::string like_prefix(std::string_view word) {
    std::string pattern;
    pattern.reserve(word.size() + 2);
    for (char c : word) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    pattern += '%';
    return pattern;
}

}  // namespace vexlab::db
