#include "commands/show/startup_config.h"

#include "commands/show/show_context.h"
#include "commands/show/show_tables.h"
#include "commands/show/show_template.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/devices.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

std::string running_config_key(state::DeviceKind kind, const std::string& device_model) {
    const std::string word = kind == state::DeviceKind::Router   ? "Router"
                             : kind == state::DeviceKind::Switch ? "Switch"
                                                                 : device_model;
    return "show " + word + " running-config";
}

std::optional<std::string> startup_config_text(db::DatabaseSession& session,
                                               const state::NetworkTableSet& tables,
                                               const std::string& device,
                                               const std::vector<std::string>& template_lines,
                                               const std::string& key) {
    std::size_t next = 0;
    while (next < template_lines.size() && template_lines[next] != key) ++next;
    if (next == template_lines.size()) return std::nullopt;
    ++next;

    const SettingsColumn settings(session, tables, device);
    std::string text = std::string("Current Configuration: 500 bytes") + kCrLf;
    if (next == template_lines.size()) return text;
    // The block's first line is the heading a listing shows; a saved
    // configuration goes without it.
    std::string current = template_lines[next++];
    while (!current.empty() && next < template_lines.size()) {
        current = template_lines[next++];
        std::string line = current;
        if (!current.empty() && current[0] == '$') {
            if (auto cell = settings.cell(current.substr(1))) {
                // An unset value leaves its line out; the lines after it
                // are still saved.
                const std::string value = cell->to_text();
                if (cell->is_null() || value.empty() || value == state::marker::kNill) continue;
                line = value;
            }
        }
        text += kCrLf + line;
    }
    return text;
}

void save_running_config(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                         const std::string& device, state::DeviceKind kind,
                         const std::string& device_model, const std::string& template_path) {
    const auto text =
        startup_config_text(session, tables, device, read_template_file(template_path),
                            running_config_key(kind, device_model));
    if (!text) return;
    state::DeviceSettings(session, tables, device).write(kStartupConfigKey, *text);
}

void erase_startup_config(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                          const std::string& device, const std::string& key) {
    state::DeviceSettings(session, tables, device).write(key, std::string(kNoStartupConfig));
}

std::optional<SessionDevice> resume_telnet_session(db::DatabaseSession& session,
                                                   const state::NetworkTableSet& tables,
                                                   const std::string& session_number) {
    const std::vector<std::string> columns = state::device_columns(session, tables);
    std::string select = "SELECT Config_Variable";
    for (const auto& name : columns) select += ", " + db::quote_identifier(name);
    db::Recordset rows = session.open_recordset(
        select + " FROM " + db::quote_identifier(tables.routervariables_table) +
        " WHERE Config_Variable IN ('telnetsession_id', 'hostname') ORDER BY rowid");

    std::optional<std::size_t> found;
    for (; !rows.eof() && !found; rows.move_next())
        for (std::size_t i = 0; i < columns.size() && !found; ++i)
            if (rows.text(static_cast<int>(i) + 1) == session_number) found = i;
    if (!found) return std::nullopt;

    std::optional<std::string> host;
    for (rows.move_first(); !rows.eof() && !host; rows.move_next())
        if (text::iequals(rows.text(0), "hostname")) host = rows.text(static_cast<int>(*found) + 1);
    if (!host) return std::nullopt;

    SessionDevice target;
    target.device = columns[*found];
    target.host_name = *host;
    if (auto record = state::find_device(session, target.device)) {
        target.device_kind = record->kind;
        target.device_model = record->model;
    }
    return target;
}

}  // namespace vexlab::commands::show
