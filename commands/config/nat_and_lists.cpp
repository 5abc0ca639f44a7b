#include "commands/config/nat_and_lists.h"

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

constexpr const char* kListApplied =
    "Another access list is applied on this interface\r\nPlease remove that list";

void nat_configured(const DeviceScope& scope, std::int64_t nat_number) {
    scope.session.execute("UPDATE " + quote_identifier(scope.tables.nat_dev_table) +
                              " SET nat_status = 1 WHERE dev_no = ?",
                          {nat_number});
}

// The interface's binding in one direction, as route_ip holds it; a value
// that is not set is no list.
std::optional<std::int64_t> bound_list(const DeviceScope& scope, std::int64_t device,
                                       const std::string& interface, const char* column) {
    db::Recordset row = scope.session.open_recordset(
        std::string("SELECT ") + column + " FROM " + quote_identifier(scope.tables.route_ip_table) +
            " WHERE ref = ? AND int_name = ? ORDER BY rowid LIMIT 1",
        {device, interface});
    if (row.eof()) return std::nullopt;
    return row.field(0).is_null() ? -1 : row.field(0).to_int();
}

void bind_list(const DeviceScope& scope, std::int64_t device, const std::string& interface,
               const char* column, std::int64_t list) {
    for (const auto& view : routing_views(scope.tables))
        scope.session.execute("UPDATE " + quote_identifier(view) + " SET " + column +
                                  " = ? WHERE ref = ? AND int_name = ?",
                              {list, device, interface});
}

}  // namespace

state::CommandOutcome config_ip_nat(const DeviceScope& scope, bool global_mode,
                                    const std::string& interface, const state::CommandLine& line) {
    const std::string& direction = line.word(2);
    if (!global_mode) {
        const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
        if (!device || !has_view_row(scope, *device, interface))
            return state::CommandOutcome::refuse();
        if (direction != "inside" && direction != "outside") return state::CommandOutcome::done();
        const int inside = direction == "inside" ? 1 : 0;
        for (const auto& view : routing_views(scope.tables))
            scope.session.execute("UPDATE " + quote_identifier(view) +
                                      " SET nat_inside_int = ?, nat_outside_int = ? WHERE ref = ? "
                                      "AND int_name = ?",
                                  {inside, 1 - inside, *device, interface});
        return state::CommandOutcome::done();
    }

    const auto nat_number = device_number(scope.session, scope.tables.nat_dev_table, scope.device);
    if (!nat_number || line.typed_words.size() < 7) return state::CommandOutcome::refuse();
    const std::string nat_inout = quote_identifier(scope.tables.nat_inout_table);
    if (direction == "inside")
        scope.session.execute(
            "INSERT INTO " + nat_inout + " (inside_local, inside_global, ref) VALUES (?, ?, ?)",
            {line.typed(5), line.typed(6), *nat_number});
    else if (direction == "outside")
        scope.session.execute(
            "INSERT INTO " + nat_inout + " (outside_local, outside_global, ref) VALUES (?, ?, ?)",
            {line.typed(5), line.typed(6), *nat_number});
    nat_configured(scope, *nat_number);
    return state::CommandOutcome::done();
}

state::CommandOutcome config_nat_pool(const DeviceScope& scope, const state::CommandLine& line) {
    const auto nat_number = device_number(scope.session, scope.tables.nat_dev_table, scope.device);
    if (!nat_number || line.typed_words.size() < 8) return state::CommandOutcome::refuse();
    const bool source_list = line.word(6) == "pool";
    std::optional<std::int32_t> list;
    if (source_list) {
        list = whole_number(line.typed(5));
        if (!list) return state::CommandOutcome::refuse();
    } else if (line.word(2) != "pool") {
        return state::CommandOutcome::done();
    }
    const std::string& name = line.typed(source_list ? 7 : 3);
    const bool exists = !scope.session
                             .scalar("SELECT 1 FROM " + db::quote_identifier("nat_pool") +
                                         " WHERE pool_name = ? AND dev_ref = ? "
                                         "LIMIT 1",
                                     {name, *nat_number})
                             .is_null();
    if (source_list) {
        if (exists)
            scope.session.execute("UPDATE " + db::quote_identifier("nat_pool") +
                                      " SET accesslist_num = ? WHERE pool_name = ? AND dev_ref = ?",
                                  {*list, name, *nat_number});
        else
            scope.session.execute("INSERT INTO " + db::quote_identifier("nat_pool") +
                                      " (pool_name, accesslist_num, dev_ref) VALUES (?, ?, ?)",
                                  {name, *list, *nat_number});
    } else {
        const std::string &first = line.typed(4), &last = line.typed(5), &mask = line.typed(7);
        if (exists)
            scope.session.execute("UPDATE " + db::quote_identifier("nat_pool") +
                                      " SET beg_in_global = ?, end_in_global = ?, subnet_mask = ? "
                                      "WHERE pool_name = ? AND dev_ref = ?",
                                  {first, last, mask, name, *nat_number});
        else
            scope.session.execute("INSERT INTO " + db::quote_identifier("nat_pool") +
                                      " (pool_name, beg_in_global, end_in_global, subnet_mask, "
                                      "dev_ref) VALUES (?, ?, ?, ?, ?)",
                                  {name, first, last, mask, *nat_number});
    }
    nat_configured(scope, *nat_number);
    return state::CommandOutcome::done();
}

state::CommandOutcome config_access_list(const DeviceScope& scope, const state::CommandLine& line) {
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    const auto list = whole_number(line.typed(1));
    if (!device || !list) return state::CommandOutcome::refuse();
    const bool deny = text::iequals(line.typed(2), "deny");
    if (line.word(3) == "any") {
        scope.session.execute("INSERT INTO " + db::quote_identifier("access_list") +
                                  " (accesslist_num, ip, wildcard_mask, deny, ref_devce) "
                                  "VALUES (?, 'any', 'any', ?, ?)",
                              {*list, deny, *device});
        return state::CommandOutcome::done();
    }
    const std::string wildcard = line.typed_words.size() == 5 ? line.typed(4) : "0.0.0.0";
    scope.session.execute("INSERT INTO " + db::quote_identifier("access_list") +
                              " (accesslist_num, ip, wildcard_mask, deny, ref_devce) "
                              "VALUES (?, ?, ?, ?, ?)",
                          {*list, line.typed(3), wildcard, deny, *device});
    return state::CommandOutcome::done();
}

state::CommandOutcome delete_access_list(const DeviceScope& scope, const state::CommandLine& line) {
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    const auto list = whole_number(line.typed(2));
    if (!device || !list) return state::CommandOutcome::refuse();
    scope.session.execute("DELETE FROM " + db::quote_identifier("access_list") +
                              " WHERE accesslist_num = ? AND ref_devce = ?",
                          {*list, *device});
    return state::CommandOutcome::done();
}

state::CommandOutcome apply_access_group(const DeviceScope& scope, const std::string& interface,
                                         const state::CommandLine& line) {
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    const auto list = whole_number(line.typed(2));
    if (!device || !list) return state::CommandOutcome::refuse();
    const char* column = line.word(3) == "in" ? "in_acl_num" : "out_acl_num";
    const auto bound = bound_list(scope, *device, interface, column);
    if (!bound) return state::CommandOutcome::refuse();
    if (*bound != -1) return state::CommandOutcome::say(kListApplied);
    bind_list(scope, *device, interface, column, *list);
    return state::CommandOutcome::done();
}

state::CommandOutcome remove_access_group(const DeviceScope& scope, const std::string& interface,
                                          const state::CommandLine& line) {
    const auto device = device_number(scope.session, scope.tables.rout_dev_table, scope.device);
    const auto list = whole_number(line.typed(3));
    if (!device || !list) return state::CommandOutcome::refuse();
    const char* column = line.word(4) == "in" ? "in_acl_num" : "out_acl_num";
    const auto bound = bound_list(scope, *device, interface, column);
    if (!bound) return state::CommandOutcome::refuse();
    if (*bound == *list) bind_list(scope, *device, interface, column, -1);
    return state::CommandOutcome::done();
}

}  // namespace vexlab::commands
