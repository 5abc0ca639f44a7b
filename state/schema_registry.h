#pragma once
// The one description of every table the program keeps: physical column order
// (rows are read by position and the network files map value line k to column
// k), each column's logical type and its default value.  It is written as text
// in resources/schema.txt and compiled into the program.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

enum class ColumnType { Text, Memo, Integer, Number, YesNo };

struct ColumnDef {
    std::string name;
    ColumnType type = ColumnType::Text;
    std::optional<std::string> default_value;  // as written in the schema
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    std::vector<std::vector<std::string>> lookups;  // indexes, by their columns
    std::vector<std::string> keys;                  // columns no two rows share a value of
    // The database ships rows of it and the program cannot serve without
    // them: empty, it is damage.
    bool filled = false;
    // Position of a column (letter case ignored), or -1.
    int position(std::string_view column) const;
    const ColumnDef* column(std::string_view name) const;
};

class SchemaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SchemaRegistry {
public:
    // Parses schema text; throws SchemaError naming the line of a fault.
    static SchemaRegistry parse(std::string_view text);
    // The schema compiled into the program.
    static const SchemaRegistry& instance();

    // Every table, twins of the table sets included, in schema order.
    const std::vector<TableDef>& tables() const { return tables_; }
    const TableDef* find(std::string_view name) const;
    const TableDef& get(std::string_view name) const;  // throws SchemaError

    // CREATE TABLE statement for a table.
    static std::string create_sql(const TableDef& table);
    // CREATE INDEX statements for the table's lookups and keys.
    static std::vector<std::string> index_sql(const TableDef& table);
    // Creates every table in an empty database.
    void create_all(db::DatabaseSession& session) const;

    // What keeps an opened database from being the program's: the first
    // table that is missing or whose columns do not begin with the schema's,
    // in order (a table may have more columns after them: the program adds
    // device columns as it runs), or a shipped copy of a default-network
    // table whose columns are not exactly its table's.  Nothing when the
    // database fits.
    std::optional<std::string> mismatch(db::DatabaseSession& session) const;
    // The first table the database ships filled that holds no row, or the
    // shipped copy of such a default-network table: "the table X is empty".
    // Nothing when each holds rows.
    std::optional<std::string> emptied(db::DatabaseSession& session) const;

private:
    std::vector<TableDef> tables_;
};

// SQL column type with the affinity and collation the program relies on:
// text compares without regard to case, whole numbers read back without a
// decimal point, yes/no is told apart from numbers when read.
std::string sql_type(ColumnType type);
std::string_view type_name(ColumnType type);

}  // namespace vexlab::state
