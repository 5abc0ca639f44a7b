#include "networkfiles/default_tables.h"

#include <stdexcept>
#include <string>

#include "platform/db_session.h"
#include "reachability/lan_tables.h"
#include "state/app_state.h"
#include "state/database_builder.h"

namespace vexlab::networkfiles {

namespace {

// Commands fill these; a fresh start has none of it.
constexpr const char* kEmptySharedTables[] = {
    "device",  "vlan_info",  "mac_addr",   "port_security", "int_device",
    "int_det", "eth_iplist", "sw_riplist", "access_list",   "nat_pool",
};

// The shared device tables and the columns of their seeds a start copies.  A
// new int_det row is given only what identifies it; every other column starts
// from its default, as for an interface nobody has configured.
struct SeedCopy {
    const char* table;
    const char* seed;
    const char* columns;
};
constexpr SeedCopy kCopySeeds[] = {
    {"device", "device_def", "\"index\", Dev_cat, Device_Name"},
    {"int_device", "int_device_def", "\"index\", dev_name"},
    {"int_det", "int_det_def", "\"index\", int_name, ref"},
};

void restore_from_seed(db::DatabaseSession& session, const std::string& table) {
    const std::string seed = state::seed_table(table);
    const auto columns = session.column_names(seed);
    if (columns.empty())
        throw MissingSeedError("the shipped copy " + seed + " of " + table + " is missing");
    std::string list;
    for (const auto& column : columns)
        list += (list.empty() ? "" : ", ") + db::quote_identifier(column);
    session.execute("DELETE FROM " + db::quote_identifier(table));
    session.execute("INSERT INTO " + db::quote_identifier(table) + " (" + list + ") SELECT " +
                    list + " FROM " + db::quote_identifier(seed) + " ORDER BY rowid");
}

// Each device's working column takes the values of the pristine column to its
// left.  An unpaired last column has no pristine copy and is left alone.
void restore_settings(db::DatabaseSession& session, const std::string& table) {
    const auto names = session.column_names(table);
    std::string assignments;
    for (std::size_t working = 2; working < names.size(); working += 2)
        assignments += (assignments.empty() ? "" : ", ") + db::quote_identifier(names[working]) +
                       " = " + db::quote_identifier(names[working - 1]);
    if (!assignments.empty())
        session.execute("UPDATE " + db::quote_identifier(table) + " SET " + assignments);
}

bool has_addressed_router_ethernet(state::AppState& app) {
    const auto& t = app.table_set;
    return app.session
               .scalar("SELECT count(*) FROM " + db::quote_identifier(t.rout_dev_table) +
                       " AS d INNER JOIN " + db::quote_identifier(t.route_ip_table) +
                       " AS r ON d.dev_no = r.ref WHERE r.int_name LIKE '%ethernet%' "
                       "AND r.ip NOT IN ('UA', 'NA') AND EXISTS (SELECT 1 FROM " +
                       db::quote_identifier("device") +
                       " AS k "
                       "WHERE k.Device_Name = d.dev_name AND k.\"index\" = 1)")
               .to_int() > 0;
}

}  // namespace

void reset_default_tables(state::AppState& app) {
    db::DatabaseSession& session = app.session;
    for (const char* table : kEmptySharedTables)
        session.execute("DELETE FROM " + db::quote_identifier(table));
    for (const auto& table : state::seeded_default_tables()) restore_from_seed(session, table);
    restore_settings(session, app.table_set.routervariables_table);
    for (const SeedCopy& copy : kCopySeeds)
        session.execute("INSERT INTO " + db::quote_identifier(copy.table) + " (" + copy.columns +
                        ") SELECT " + copy.columns + " FROM " + db::quote_identifier(copy.seed) +
                        " ORDER BY rowid");

    // add_lan_members examines the whole network whatever interface prompted
    // it, so one run stands for the run per addressed router Ethernet
    // interface; a shipped network without addresses needs none.
    if (has_addressed_router_ethernet(app)) reachability::add_lan_members(session, app.table_set);
    reachability::build_sw_riplist(session, app.table_set);
}

}  // namespace vexlab::networkfiles
