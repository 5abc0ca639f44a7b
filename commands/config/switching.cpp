#include "commands/config/switching.h"

#include <cstdio>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/device_settings.h"
#include "state/table_set.h"

namespace vexlab::commands {

namespace {

constexpr const char* kVtpClient =
    "switch should be either in server or transparent mode to configure vlan";

bool vlan_exists(const DeviceScope& scope, std::int32_t number) {
    return !scope.session
                .scalar("SELECT 1 FROM " + db::quote_identifier("vlan_info") +
                            " WHERE vlan_num = ? LIMIT 1",
                        {number})
                .is_null();
}

}  // namespace

bool vtp_allows_vlan(const DeviceScope& scope) {
    const state::DeviceSettings settings(scope.session, scope.tables, scope.device);
    if (!settings.column()) return false;
    for (const auto& cell : settings.row("vtp_mode"))
        if (cell.column == *settings.column()) return !text::iequals(cell.value, "client");
    return false;
}

std::string default_vlan_name(std::int32_t number) {
    char name[24];
    std::snprintf(name, sizeof name, "VLAN%04d", static_cast<int>(number));
    return name;
}

state::CommandOutcome config_vlan(const DeviceScope& scope, const state::CommandLine& line) {
    const bool removal = line.word(0) == "no" && line.word(1) == "vlan";
    if (!removal && line.word(0) != "vlan") return state::CommandOutcome::done();
    if (!vtp_allows_vlan(scope)) return state::CommandOutcome::say(kVtpClient);
    const auto number = whole_number(line.typed(removal ? 2 : 1));
    if (!number) return state::CommandOutcome::refuse();

    if (removal) {
        scope.session.execute(
            "DELETE FROM " + db::quote_identifier("vlan_info") + " WHERE vlan_num = ?", {*number});
        return state::CommandOutcome::done();
    }
    std::string name;
    if (line.typed_words.size() == 2)
        name = default_vlan_name(*number);
    else if (line.typed_words.size() == 4)
        name = line.typed(3);
    else
        return state::CommandOutcome::done();
    if (vlan_exists(scope, *number)) return state::CommandOutcome::done();
    scope.session.execute(
        "INSERT INTO " + db::quote_identifier("vlan_info") + " (vlan_num, vlan_name) VALUES (?, ?)",
        {*number, name});
    return state::CommandOutcome::say("VLAN  " + std::to_string(*number) +
                                      "  added:\r\n    Name:  " + name);
}

state::CommandOutcome set_vtp_mode(const DeviceScope& scope, const std::string& mode) {
    const state::DeviceSettings settings(scope.session, scope.tables, scope.device);
    if (!settings.write("vtp_mode", mode)) return state::CommandOutcome::refuse();
    return state::CommandOutcome::done();
}

state::CommandOutcome add_static_mac(const DeviceScope& scope, const state::CommandLine& line) {
    const auto vlan = whole_number(line.typed(4));
    if (line.typed_words.size() < 8 || !vlan) return state::CommandOutcome::refuse();
    scope.session.execute("INSERT INTO " + db::quote_identifier("mac_addr") +
                              " (vla_num, mac_addr, type, ports) VALUES (?, ?, 'static', ?)",
                          {*vlan, line.typed(2), line.typed(7)});
    return state::CommandOutcome::done();
}

state::CommandOutcome add_secure_mac(const DeviceScope& scope, const std::string& port,
                                     const state::CommandLine& line) {
    if (line.typed_words.size() != 5) return state::CommandOutcome::done();
    scope.session.execute(
        "INSERT INTO " + db::quote_identifier("port_security") + " (port, mac_addr) VALUES (?, ?)",
        {port, line.typed(4)});
    return state::CommandOutcome::done();
}

}  // namespace vexlab::commands
