#include "state/settings.h"

#include <algorithm>
#include <cctype>

#include "state/app_state.h"

namespace vexlab::state {

namespace {

bool iequals(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<std::string> device_columns(AppState& app) {
    auto names = app.session.column_names(app.table_set.routervariables_table);
    std::vector<std::string> devices;
    const std::size_t step = app.table_set.is_default() ? 2 : 1;
    for (std::size_t i = step; i < names.size(); i += step) devices.push_back(names[i]);
    return devices;
}

std::optional<std::string> device_column(AppState& app, const std::string& device) {
    for (const auto& name : device_columns(app))
        if (iequals(name, device)) return name;
    return std::nullopt;
}

std::optional<std::string> read_setting(AppState& app, const std::string& key,
                                        const std::string& device) {
    auto column = device_column(app, device);
    if (!column) return std::nullopt;
    db::Value value = app.session.scalar(
        "SELECT " + db::quote_identifier(*column) + " FROM " +
            db::quote_identifier(app.table_set.routervariables_table) +
            " WHERE Config_Variable = ? ORDER BY rowid LIMIT 1",
        {key});
    if (value.is_null()) return std::nullopt;
    return value.to_text();
}

bool write_setting(AppState& app, const std::string& key, const std::string& device,
                   const std::string& value) {
    auto column = device_column(app, device);
    if (!column) return false;
    app.session.execute("UPDATE " + db::quote_identifier(app.table_set.routervariables_table) +
                            " SET " + db::quote_identifier(*column) +
                            " = ? WHERE Config_Variable = ?",
                        {value, key});
    return app.session.changes() > 0;
}

}  // namespace vexlab::state
