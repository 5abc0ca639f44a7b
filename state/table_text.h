#pragma once
// Table rows written as plain text, the form in which the shipped data lives
// under resources/ and test fixtures are written:
//
//   # a comment
//   table device_def
//   columns index | Dev_cat | Device_Name
//   1 | 2501 | R1
//
// Cells are separated by "|" and trimmed.  Escapes: "\|" a bar, "\n" a line
// break, "\\" a backslash, "\s" a blank (to keep an edge blank), and a cell
// that is exactly "\N" is Null.  Columns not listed take their defaults.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db_value.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

class SchemaRegistry;

struct TableRows {
    std::string table;
    std::vector<std::string> columns;
    std::vector<std::vector<std::optional<std::string>>> rows;  // nullopt = Null
    std::vector<int> lines;                                     // source line of each row
};

class TableTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses rows text; `source` names the text in error messages.
std::vector<TableRows> parse_table_text(std::string_view text, std::string_view source);

// Inserts the rows, converting each cell to its column's logical type.
// Throws TableTextError naming source and line for an unknown table or
// column or a cell its column cannot hold.
void insert_rows(db::DatabaseSession& session, const SchemaRegistry& schema,
                 const std::vector<TableRows>& blocks, std::string_view source);

// Convenience for tests and the builder: parse and insert.
void load_table_text(db::DatabaseSession& session, const SchemaRegistry& schema,
                     std::string_view text, std::string_view source);

}  // namespace vexlab::state
