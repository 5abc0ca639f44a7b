#include "commands/config/subinterfaces.h"

#include "platform/db_session.h"
#include "state/app_state.h"

namespace vexlab::commands {

namespace {

using db::quote_identifier;

// The interface's rows of the subinterface table, through its Frame Relay
// interface row.
db::Recordset frame_rows(state::AppState& app) {
    const auto& t = app.table_set;
    return app.session.open_recordset(
        "SELECT m.subint_num FROM " + quote_identifier(t.frame_device_table) + " d JOIN " +
            quote_identifier(t.frame_ip_table) + " i ON d.dev_no = i.ref JOIN " +
            quote_identifier(t.frame_map_table) +
            " m ON i.\"index\" = m.ref WHERE d.dev_name = ? AND i.int_name = ? ORDER BY m.rowid",
        {app.console.device.current_device, app.console.mode.current_interface});
}

}  // namespace

bool has_subinterfaces(state::AppState& app) {
    // A map on the main interface itself ("NA") is no subinterface.
    for (auto rows = frame_rows(app); !rows.eof(); rows.move_next())
        if (rows.text(0) != "NA") return true;
    return false;
}

bool has_int_ip(state::AppState& app) {
    const auto& t = app.table_set;
    db::Value ip = app.session.scalar(
        "SELECT r.ip FROM " + quote_identifier(t.rout_dev_table) + " d JOIN " +
            quote_identifier(t.route_ip_table) +
            " r ON d.dev_no = r.ref WHERE d.dev_name = ? AND r.int_name = ? ORDER BY r.rowid",
        {app.console.device.current_device, app.console.mode.current_interface});
    if (!ip.is_null() && ip.to_text() != "UA") return true;
    for (auto rows = frame_rows(app); !rows.eof(); rows.move_next())
        if (rows.text(0) == "NA") return true;
    return false;
}

void create_subinterface(state::AppState& app) {
    const auto& t = app.table_set;
    const auto& device = app.console.device.current_device;
    const auto& mode = app.console.mode;
    db::Value dev_no =
        app.session.scalar("SELECT dev_no FROM " + quote_identifier(t.rout_dev_table) +
                               " WHERE dev_name = ? ORDER BY rowid",
                           {device});
    db::Value frame_index = app.session.scalar(
        "SELECT i.\"index\" FROM " + quote_identifier(t.frame_device_table) + " d JOIN " +
            quote_identifier(t.frame_ip_table) +
            " i ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name = ? ORDER BY i.rowid",
        {device, mode.current_interface});
    // Without its device and interface rows there is nothing to hang it on.
    if (dev_no.is_null() || frame_index.is_null()) return;
    for (auto rows = frame_rows(app); !rows.eof(); rows.move_next())
        if (rows.text(0) == mode.subinterface_number) return;  // exists already

    db::DatabaseSession::Transaction transaction(app.session);
    app.session.execute(
        "INSERT INTO " + quote_identifier(t.frame_map_table) + " (subint_num, ref) VALUES (?, ?)",
        {mode.subinterface_number, frame_index});
    const std::string name = mode.current_interface + "." + mode.subinterface_number;
    for (const auto* table : {&t.route_ip_table, &t.ospf_ip_table, &t.eigrp_ip_table})
        app.session.execute("INSERT INTO " + quote_identifier(*table) +
                                " (nwnum, int_name, next_hop_devname, next_hop_intname, ref) "
                                "VALUES ('UA', ?, 'UA', 'UA', ?)",
                            {name, dev_no});
    transaction.commit();
}

}  // namespace vexlab::commands
