#include "commands/show/show_tables.h"

#include "platform/text.h"
#include "state/device_settings.h"
#include "state/table_set.h"

namespace vexlab::commands::show {

SettingsColumn::SettingsColumn(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               std::string_view device) {
    for (const auto& name : state::device_columns(session, tables))
        if (text::iequals(name, device)) {
            column_ = name;
            break;
        }
    const std::string value_column = column_ ? db::quote_identifier(*column_) : "NULL";
    db::Recordset rows = session.open_recordset(
        "SELECT Config_Variable, " + value_column + " FROM " +
        db::quote_identifier(tables.routervariables_table) + " ORDER BY rowid");
    for (; !rows.eof(); rows.move_next())
        cells_.try_emplace(text::lower(rows.text(0)), rows.field(1));
}

bool SettingsColumn::has_key(std::string_view key) const {
    return cells_.count(text::lower(key)) > 0;
}

std::optional<db::Value> SettingsColumn::cell(std::string_view key) const {
    if (!column_) return std::nullopt;
    auto it = cells_.find(text::lower(key));
    if (it == cells_.end()) return std::nullopt;
    return it->second;
}

std::string SettingsColumn::text(std::string_view key) const {
    auto value = cell(key);
    return value ? value->to_text() : std::string();
}

namespace {

// Both tables have fixed names; the default and a loaded network share them.
std::string interface_join() {
    return "SELECT * FROM " + db::quote_identifier("int_device") + " AS d INNER JOIN " +
           db::quote_identifier("int_det") + " AS i ON d.\"index\" = i.ref WHERE d.dev_name = ?";
}

}  // namespace

db::Recordset interface_rows(db::DatabaseSession& session, std::string_view device) {
    return session.open_recordset(interface_join() + " ORDER BY i.rowid", {std::string(device)});
}

db::Recordset interface_row(db::DatabaseSession& session, std::string_view device,
                            std::string_view interface) {
    return session.open_recordset(interface_join() + " AND i.int_name = ? ORDER BY i.rowid LIMIT 1",
                                  {std::string(device), std::string(interface)});
}

std::vector<std::string> text_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

void read_back(std::string& output, std::string_view written) {
    for (const auto& line : text_lines(written))
        if (!line.empty()) output += line + "\r\n";
}

}  // namespace vexlab::commands::show
