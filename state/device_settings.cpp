#include "state/device_settings.h"

#include <algorithm>
#include <cctype>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::state {

using text::iequals;

namespace {

constexpr const char* kKeyColumn = "Config_Variable";

}  // namespace

std::vector<std::string> device_columns(db::DatabaseSession& session,
                                        const state::NetworkTableSet& tables) {
    std::vector<std::string> all = session.column_names(tables.routervariables_table);
    std::vector<std::string> devices;
    // The default set pairs a pristine copy (odd positions) with the working
    // column after it; a loaded network has only working columns.
    const std::size_t step = tables.is_default() ? 2 : 1;
    for (std::size_t i = step; i < all.size(); i += step) devices.push_back(all[i]);
    return devices;
}

DeviceSettings::DeviceSettings(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               std::string_view device)
    : session_(session),
      table_(tables.routervariables_table),
      columns_(device_columns(session, tables)) {
    for (const auto& name : columns_)
        if (iequals(name, device)) {
            column_ = name;
            break;
        }
}

std::optional<std::string> DeviceSettings::read(std::string_view key) const {
    if (!column_) return std::nullopt;
    db::Recordset set = session_.open_recordset(
        "SELECT " + db::quote_identifier(*column_) + " FROM " + db::quote_identifier(table_) +
            " WHERE Config_Variable = ? ORDER BY rowid LIMIT 1",
        {std::string(key)});
    // An empty cell is no value, like a missing row.
    if (set.eof() || set.field(0).is_null()) return std::nullopt;
    return set.text(0);
}

bool DeviceSettings::write(std::string_view key, const db::Value& value) const {
    if (!column_) return false;
    return write_column(key, *column_, value);
}

bool DeviceSettings::write_column(std::string_view key, std::string_view column,
                                  const db::Value& value) const {
    session_.execute("UPDATE " + db::quote_identifier(table_) + " SET " +
                         db::quote_identifier(column) + " = ? WHERE Config_Variable = ?",
                     {value, std::string(key)});
    return session_.changes() > 0;
}

std::vector<DeviceSettings::Cell> DeviceSettings::row(std::string_view key) const {
    std::string select = "SELECT Config_Variable";
    for (const auto& name : columns_) select += ", " + db::quote_identifier(name);
    db::Recordset set =
        session_.open_recordset(select + " FROM " + db::quote_identifier(table_) +
                                    " WHERE Config_Variable = ? ORDER BY rowid LIMIT 1",
                                {std::string(key)});
    std::vector<Cell> cells;
    if (set.eof()) return cells;
    cells.push_back({kKeyColumn, set.text(0)});
    for (std::size_t i = 0; i < columns_.size(); ++i)
        cells.push_back({columns_[i], set.text(static_cast<int>(i) + 1)});
    return cells;
}

std::string DeviceSettings::template_default(std::string_view key) const {
    db::Value value =
        session_.scalar("SELECT default_value FROM " + db::quote_identifier("config_template") +
                            " WHERE Config_Variable = ? ORDER BY rowid "
                            "LIMIT 1",
                        {std::string(key)});
    return value.is_null() ? std::string(marker::kNill) : value.to_text();
}

}  // namespace vexlab::state
