#include "state/schema_registry.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/database_builder.h"

extern const char* const vexlab_schema_text;  // generated from resources/schema.txt

namespace vexlab::state {

using text::iequals;

namespace {

// Splits a schema line into words; a word in double quotes may hold blanks
// (write "" for a quote inside it).
std::vector<std::string> split_words(std::string_view line, int line_number) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                word += line[i++];
            }
            if (!closed)
                throw SchemaError("schema line " + std::to_string(line_number) +
                                  ": unclosed quote");
            word.insert(0, 1, '\x01');  // marks a quoted word
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::string unmark(const std::string& word) {
    return !word.empty() && word[0] == '\x01' ? word.substr(1) : word;
}

std::optional<ColumnType> parse_type(std::string_view word) {
    if (iequals(word, "text")) return ColumnType::Text;
    if (iequals(word, "memo")) return ColumnType::Memo;
    if (iequals(word, "integer")) return ColumnType::Integer;
    if (iequals(word, "number")) return ColumnType::Number;
    if (iequals(word, "yesno")) return ColumnType::YesNo;
    return std::nullopt;
}

std::string sql_literal(const ColumnDef& column) {
    const std::string& v = *column.default_value;
    switch (column.type) {
        case ColumnType::YesNo: {
            bool yes = iequals(v, "true") || iequals(v, "yes") || v == "1" || v == "-1";
            return yes ? "1" : "0";
        }
        case ColumnType::Integer:
        case ColumnType::Number:
            return v;  // validated as a number when parsed
        default: {
            std::string quoted = "'";
            for (char c : v) {
                if (c == '\'') quoted += '\'';
                quoted += c;
            }
            return quoted + "'";
        }
    }
}

bool is_number(std::string_view text) {
    if (text.empty()) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false, dot = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            digits = true;
        else if (text[i] == '.' && !dot)
            dot = true;
        else
            return false;
    }
    return digits;
}

// How the table in the database differs from the definition's columns, in
// order: the first column missing or misplaced, and with `exact` one past
// them too.
std::optional<std::string> columns_mismatch(db::DatabaseSession& session, const std::string& name,
                                            const TableDef& def, bool exact) {
    if (!session.table_exists(name)) return "the table " + name + " is missing";
    const std::vector<std::string> columns = session.column_names(name);
    for (std::size_t i = 0; i < def.columns.size(); ++i) {
        const std::string& expected = def.columns[i].name;
        if (i >= columns.size()) return "the table " + name + " has no column " + expected;
        if (!iequals(columns[i], expected))
            return "the table " + name + " has " + columns[i] + " where " + expected + " belongs";
    }
    if (exact && columns.size() > def.columns.size())
        return "the table " + name + " has the column " + columns[def.columns.size()] + " too many";
    return std::nullopt;
}

}  // namespace

int TableDef::position(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (iequals(columns[i].name, name)) return static_cast<int>(i);
    return -1;
}

const ColumnDef* TableDef::column(std::string_view name) const {
    int p = position(name);
    return p < 0 ? nullptr : &columns[static_cast<std::size_t>(p)];
}

std::string_view type_name(ColumnType type) {
    switch (type) {
        case ColumnType::Text:
            return "text";
        case ColumnType::Memo:
            return "memo";
        case ColumnType::Integer:
            return "integer";
        case ColumnType::Number:
            return "number";
        case ColumnType::YesNo:
            return "yesno";
    }
    return "text";
}

std::string sql_type(ColumnType type) {
    switch (type) {
        case ColumnType::Text:
            return "TEXT COLLATE NOCASE";
        case ColumnType::Memo:
            return "LONGTEXT COLLATE NOCASE";
        case ColumnType::Integer:
            return "INTEGER";
        case ColumnType::Number:
            return "NUMERIC";
        case ColumnType::YesNo:
            return "YESNO";
    }
    return "TEXT COLLATE NOCASE";
}

SchemaRegistry SchemaRegistry::parse(std::string_view text) {
    SchemaRegistry registry;
    std::vector<std::size_t> twins;  // tables that also exist with "_def"
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    TableDef* current = nullptr;
    auto fail = [&](const std::string& why) {
        throw SchemaError("schema line " + std::to_string(number) + ": " + why);
    };
    while (std::getline(in, line)) {
        ++number;
        auto words = split_words(line, number);
        if (words.empty()) continue;
        if (words[0] == "table") {
            if (words.size() < 2) fail("expected: table <name> [twin] [filled]");
            std::string name = unmark(words[1]);
            if (registry.find(name)) fail("table " + name + " defined twice");
            registry.tables_.push_back({name, {}, {}, {}, false});
            current = &registry.tables_.back();
            bool twin = false;
            for (std::size_t i = 2; i < words.size(); ++i) {
                if (words[i] == "twin" && !twin)
                    twin = true;
                else if (words[i] == "filled" && !current->filled)
                    current->filled = true;
                else
                    fail("unknown table option " + words[i]);
            }
            if (twin) twins.push_back(registry.tables_.size() - 1);
            continue;
        }
        if (!current) fail("column outside a table");
        if (words[0] == "lookup") {
            // An index for the lookups the program runs on the table.
            if (words.size() < 2) fail("expected: lookup <column> [<column> ...]");
            std::vector<std::string> columns;
            for (std::size_t i = 1; i < words.size(); ++i) {
                std::string column = unmark(words[i]);
                if (current->position(column) < 0) fail("lookup names no column " + column);
                columns.push_back(column);
            }
            current->lookups.push_back(std::move(columns));
            continue;
        }
        if (words[0] == "key") {
            // The rows' numbering: renumbering must never give two rows one number.
            if (words.size() != 2) fail("expected: key <column>");
            std::string column = unmark(words[1]);
            if (current->position(column) < 0) fail("key names no column " + column);
            current->keys.push_back(std::move(column));
            continue;
        }
        if (words.size() != 2 && words.size() != 4) fail("expected: <column> <type> [default <v>]");
        ColumnDef column;
        column.name = unmark(words[0]);
        auto type = parse_type(words[1]);
        if (!type) fail("unknown type " + words[1]);
        column.type = *type;
        if (words.size() == 4) {
            if (words[2] != "default") fail("expected 'default'");
            column.default_value = unmark(words[3]);
            if ((column.type == ColumnType::Integer || column.type == ColumnType::Number) &&
                !is_number(*column.default_value))
                fail("default of a number column must be a number");
        }
        if (current->position(column.name) >= 0) fail("column " + column.name + " twice");
        current->columns.push_back(std::move(column));
    }
    for (const auto& table : registry.tables_)
        if (table.columns.empty())
            throw SchemaError("schema: table " + table.name + " has no columns");
    // A twin's working table is empty until a network is loaded: what is
    // shipped filled is its default copy.
    for (std::size_t index : twins) {
        TableDef twin = registry.tables_[index];
        registry.tables_[index].filled = false;
        twin.name += "_def";
        if (registry.find(twin.name)) throw SchemaError("schema: " + twin.name + " twice");
        registry.tables_.push_back(std::move(twin));
    }
    return registry;
}

const SchemaRegistry& SchemaRegistry::instance() {
    static const SchemaRegistry registry = parse(vexlab_schema_text);
    return registry;
}

const TableDef* SchemaRegistry::find(std::string_view name) const {
    for (const auto& table : tables_)
        if (iequals(table.name, name)) return &table;
    return nullptr;
}

const TableDef& SchemaRegistry::get(std::string_view name) const {
    if (const TableDef* table = find(name)) return *table;
    throw SchemaError("no table " + std::string(name) + " in the schema");
}

std::vector<std::string> SchemaRegistry::index_sql(const TableDef& table) {
    std::vector<std::string> statements;
    for (std::size_t i = 0; i < table.lookups.size(); ++i) {
        std::string sql = "CREATE INDEX " +
                          db::quote_identifier(table.name + "_lookup" + std::to_string(i + 1)) +
                          " ON " + db::quote_identifier(table.name) + " (";
        for (std::size_t c = 0; c < table.lookups[i].size(); ++c)
            sql += (c ? ", " : "") + db::quote_identifier(table.lookups[i][c]);
        statements.push_back(sql + ")");
    }
    for (std::size_t i = 0; i < table.keys.size(); ++i)
        statements.push_back("CREATE UNIQUE INDEX " +
                             db::quote_identifier(table.name + "_key" + std::to_string(i + 1)) +
                             " ON " + db::quote_identifier(table.name) + " (" +
                             db::quote_identifier(table.keys[i]) + ")");
    return statements;
}

std::string SchemaRegistry::create_sql(const TableDef& table) {
    std::string sql = "CREATE TABLE " + db::quote_identifier(table.name) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& column = table.columns[i];
        if (i) sql += ", ";
        sql += db::quote_identifier(column.name) + " " + sql_type(column.type);
        if (column.default_value) sql += " DEFAULT " + sql_literal(column);
    }
    return sql + ")";
}

void SchemaRegistry::create_all(db::DatabaseSession& session) const {
    for (const auto& table : tables_) {
        session.execute(create_sql(table));
        for (const auto& sql : index_sql(table)) session.execute(sql);
    }
}

std::optional<std::string> SchemaRegistry::mismatch(db::DatabaseSession& session) const {
    for (const TableDef& table : tables_)
        if (auto why = columns_mismatch(session, table.name, table, false)) return why;
    // The shipped copies the console's reset puts the default network back
    // from are copied whole, column for column, so nothing may differ.
    for (const std::string& table : seeded_default_tables())
        if (auto why = columns_mismatch(session, seed_table(table), get(table), true)) return why;
    return std::nullopt;
}

std::optional<std::string> SchemaRegistry::emptied(db::DatabaseSession& session) const {
    std::vector<std::string> filled;
    for (const TableDef& table : tables_)
        if (table.filled) filled.push_back(table.name);
    for (const std::string& table : seeded_default_tables())
        if (get(table).filled) filled.push_back(seed_table(table));
    for (const std::string& table : filled)
        if (session.scalar("SELECT NOT EXISTS (SELECT 1 FROM " + db::quote_identifier(table) + ")")
                .to_int() != 0)
            return "the table " + table + " is empty";
    return std::nullopt;
}

}  // namespace vexlab::state
