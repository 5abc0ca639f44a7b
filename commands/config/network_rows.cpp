#include "commands/config/network_rows.h"

#include <charconv>

#include "platform/db_session.h"
#include "state/table_set.h"

namespace vexlab::commands {

std::array<std::string, 3> routing_views(const state::NetworkTableSet& tables) {
    return {tables.route_ip_table, tables.ospf_ip_table, tables.eigrp_ip_table};
}

std::optional<std::int64_t> device_number(db::DatabaseSession& session, const std::string& table,
                                          const std::string& device) {
    db::Value number =
        session.scalar("SELECT dev_no FROM " + db::quote_identifier(table) +
                           " WHERE dev_name = ? AND dev_no IS NOT NULL ORDER BY rowid LIMIT 1",
                       {device});
    if (number.is_null()) return std::nullopt;
    return number.to_int();
}

std::optional<std::int64_t> frame_relay_index(const DeviceScope& scope,
                                              const std::string& interface) {
    const auto& t = scope.tables;
    db::Value index = scope.session.scalar(
        "SELECT i.\"index\" FROM " + db::quote_identifier(t.frame_device_table) +
            " AS d INNER JOIN " + db::quote_identifier(t.frame_ip_table) +
            " AS i ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name = ? AND "
            "i.\"index\" IS NOT NULL ORDER BY i.rowid LIMIT 1",
        {scope.device, interface});
    if (index.is_null()) return std::nullopt;
    return index.to_int();
}

bool has_view_row(const DeviceScope& scope, std::int64_t device_number,
                  const std::string& interface) {
    return !scope.session
                .scalar("SELECT 1 FROM " + db::quote_identifier(scope.tables.route_ip_table) +
                            " WHERE ref = ? AND int_name = ? LIMIT 1",
                        {device_number, interface})
                .is_null();
}

std::optional<std::int32_t> whole_number(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace vexlab::commands
