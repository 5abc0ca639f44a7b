#include "state/settings.h"

#include "state/app_state.h"
#include "state/device_settings.h"

namespace vexlab::state {

std::vector<std::string> device_columns(AppState& app) {
    return device_columns(app.session, app.table_set);
}

std::optional<std::string> device_column(AppState& app, const std::string& device) {
    return DeviceSettings(app.session, app.table_set, device).column();
}

std::optional<std::string> read_setting(AppState& app, const std::string& key,
                                        const std::string& device) {
    return DeviceSettings(app.session, app.table_set, device).read(key);
}

bool write_setting(AppState& app, const std::string& key, const std::string& device,
                   const std::string& value) {
    return DeviceSettings(app.session, app.table_set, device).write(key, db::Value(value));
}

}  // namespace vexlab::state
