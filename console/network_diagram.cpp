#include "console/network_diagram.h"

#include "console/console_engine.h"
#include "platform/db_session.h"
#include "state/app_state.h"
#include "state/devices.h"
#include "state/settings.h"
#include "state/vocabulary.h"

namespace vexlab::console {

namespace {

std::string shown_address(const std::string& value) {
    return value.empty() || value == state::marker::kUnassigned ? "Unassigned" : value;
}

}  // namespace

std::vector<std::string> device_host_names(state::AppState& app) {
    std::vector<std::string> hosts;
    for (const auto& device : state::device_columns(app))
        if (auto host = state::read_setting(app, "HostName", device)) hosts.push_back(*host);
    return hosts;
}

std::string device_of_host(state::AppState& app, const std::string& host) {
    for (const auto& device : state::device_columns(app)) {
        auto value = state::read_setting(app, "HostName", device);
        if (value && *value == host) return device;
    }
    return {};
}

std::string interface_label(const std::string& name) {
    std::string slot, port = name;
    if (auto slash = name.find('/'); slash != std::string::npos) {
        const std::string head = name.substr(0, slash);
        if (!head.empty()) slot = std::string(1, head.front()) + head.back();
        auto next = name.find('/', slash + 1);
        port = name.substr(slash + 1,
                           next == std::string::npos ? std::string::npos : next - slash - 1);
    }
    if (port.size() > 1) port = std::string(1, port.front()) + port.back();
    return slot.empty() ? port : slot + "/" + port;
}

std::vector<std::string> device_details(state::AppState& app, const std::string& host,
                                        bool picked) {
    std::vector<std::string> lines{host};
    const std::string device = device_of_host(app, host);
    if (device.empty()) return lines;
    const auto record = state::find_device(app.session, device);
    if (!record || record->kind != state::DeviceKind::Switch) {
        const auto& t = app.table_set;
        db::Recordset rows = app.session.open_recordset(
            "SELECT r.int_name, r.ip, r.mask FROM " + db::quote_identifier(t.rout_dev_table) +
                " d INNER JOIN " + db::quote_identifier(t.route_ip_table) +
                " r ON d.dev_no = r.ref WHERE d.dev_name = ? ORDER BY r.rowid",
            {device});
        for (; !rows.eof(); rows.move_next()) {
            const std::string name = rows.text(0);
            if (name.find('.') != std::string::npos) continue;  // subinterfaces are not listed
            const std::string label = interface_label(name);
            lines.push_back(label + "_ipaddress:" + shown_address(rows.text(1)));
            lines.push_back(label + "_Subnetmask:" + shown_address(rows.text(2)));
        }
        return lines;
    }
    auto management = [&](const char* key, const char* caption) {
        if (auto value = state::read_setting(app, key, device))
            lines.push_back(caption + (picked && *value == state::marker::kNotApplicable
                                           ? std::string("Unassigned")
                                           : *value));
    };
    management("FastEthernet1_ip_address", "IpAddress:");
    management("FastEthernet1_dec_mask", "Subnetmask:");
    return lines;
}

bool select_device(ConsoleEngine& engine, const std::string& host) {
    state::AppState& app = engine.app();
    const std::string device = device_of_host(app, host);
    if (host.empty() || device.empty()) return false;
    engine.switch_device(host, device);
    return true;
}

}  // namespace vexlab::console
