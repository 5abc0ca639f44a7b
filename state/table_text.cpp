#include "state/table_text.h"

#include <cctype>
#include <sstream>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/schema_registry.h"

namespace vexlab::state {

using text::iequals;
using text::trim;

namespace {

// Splits on unescaped bars and resolves escapes; the raw (unresolved) cell
// text is kept to tell "\N" from a cell holding those two characters.
std::vector<std::optional<std::string>> split_cells(std::string_view line) {
    std::vector<std::string> raw(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            raw.back() += line[i];
            raw.back() += line[++i];
        } else if (line[i] == '|') {
            raw.emplace_back();
        } else {
            raw.back() += line[i];
        }
    }
    std::vector<std::optional<std::string>> cells;
    for (const auto& cell : raw) {
        std::string text = trim(cell);
        if (text == "\\N") {
            cells.emplace_back(std::nullopt);
            continue;
        }
        std::string value;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                char next = text[++i];
                switch (next) {
                    case 'n':
                        value += '\n';
                        break;
                    case 's':
                        value += ' ';
                        break;
                    case '|':
                        value += '|';
                        break;
                    case '\\':
                        value += '\\';
                        break;
                    default:
                        value += '\\';
                        value += next;
                }
            } else {
                value += text[i];
            }
        }
        cells.emplace_back(std::move(value));
    }
    return cells;
}

bool parse_whole(const std::string& text, std::int64_t& out) {
    if (text.empty()) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return false;
    try {
        out = std::stoll(text);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

std::vector<TableRows> parse_table_text(std::string_view text, std::string_view source) {
    std::vector<TableRows> blocks;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        throw TableTextError(std::string(source) + ":" + std::to_string(number) + ": " + why);
    };
    bool need_columns = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string stripped = trim(line);
        if (stripped.empty() || stripped[0] == '#') continue;
        if (stripped.rfind("table ", 0) == 0) {
            if (need_columns) fail("a table needs a columns line");
            TableRows block;
            block.table = trim(stripped.substr(6));
            if (block.table.empty()) fail("table without a name");
            blocks.push_back(std::move(block));
            need_columns = true;
            continue;
        }
        if (blocks.empty()) fail("rows before the first table line");
        if (need_columns) {
            if (stripped.rfind("columns ", 0) != 0) fail("expected a columns line");
            for (auto& cell : split_cells(stripped.substr(8))) {
                if (!cell || cell->empty()) fail("empty column name");
                blocks.back().columns.push_back(*cell);
            }
            need_columns = false;
            continue;
        }
        auto cells = split_cells(line);
        if (cells.size() != blocks.back().columns.size())
            fail("row has " + std::to_string(cells.size()) + " cells, table " +
                 blocks.back().table + " lists " + std::to_string(blocks.back().columns.size()) +
                 " columns");
        blocks.back().rows.push_back(std::move(cells));
        blocks.back().lines.push_back(number);
    }
    if (need_columns) fail("a table needs a columns line");
    return blocks;
}

void insert_rows(db::DatabaseSession& session, const SchemaRegistry& schema,
                 const std::vector<TableRows>& blocks, std::string_view source) {
    for (const auto& block : blocks) {
        const TableDef* table = schema.find(block.table);
        auto fail = [&](int line, const std::string& why) {
            throw TableTextError(std::string(source) + ":" + std::to_string(line) + ": " + why);
        };
        if (!table) fail(block.lines.empty() ? 0 : block.lines[0], "unknown table " + block.table);
        std::vector<const ColumnDef*> columns;
        std::string sql = "INSERT INTO " + db::quote_identifier(table->name) + " (";
        for (std::size_t i = 0; i < block.columns.size(); ++i) {
            const ColumnDef* column = table->column(block.columns[i]);
            if (!column)
                fail(block.lines.empty() ? 0 : block.lines[0],
                     "table " + table->name + " has no column " + block.columns[i]);
            columns.push_back(column);
            sql += (i ? ", " : "") + db::quote_identifier(column->name);
        }
        sql += ") VALUES (";
        for (std::size_t i = 0; i < columns.size(); ++i) sql += i ? ", ?" : "?";
        sql += ")";
        for (std::size_t r = 0; r < block.rows.size(); ++r) {
            std::vector<db::Value> values;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const auto& cell = block.rows[r][c];
                if (!cell) {
                    values.emplace_back();
                    continue;
                }
                switch (columns[c]->type) {
                    case ColumnType::Integer: {
                        std::int64_t number = 0;
                        if (!parse_whole(*cell, number))
                            fail(block.lines[r], "column " + columns[c]->name +
                                                     " holds whole numbers, not '" + *cell + "'");
                        values.emplace_back(number);
                        break;
                    }
                    case ColumnType::Number: {
                        std::int64_t number = 0;
                        if (parse_whole(*cell, number)) {
                            values.emplace_back(number);
                        } else {
                            try {
                                std::size_t used = 0;
                                double d = std::stod(*cell, &used);
                                if (used != cell->size()) throw std::invalid_argument("trailing");
                                values.emplace_back(d);
                            } catch (...) {
                                fail(block.lines[r], "column " + columns[c]->name +
                                                         " holds numbers, not '" + *cell + "'");
                            }
                        }
                        break;
                    }
                    case ColumnType::YesNo:
                        if (iequals(*cell, "true") || *cell == "1" || *cell == "-1")
                            values.emplace_back(true);
                        else if (iequals(*cell, "false") || *cell == "0")
                            values.emplace_back(false);
                        else
                            fail(block.lines[r], "column " + columns[c]->name +
                                                     " holds True or False, not '" + *cell + "'");
                        break;
                    default:
                        values.emplace_back(*cell);
                }
            }
            try {
                session.execute(sql, values);
            } catch (const db::DbError& error) {
                fail(block.lines[r], error.engine_message());
            }
        }
    }
}

void load_table_text(db::DatabaseSession& session, const SchemaRegistry& schema,
                     std::string_view text, std::string_view source) {
    insert_rows(session, schema, parse_table_text(text, source), source);
}

}  // namespace vexlab::state
