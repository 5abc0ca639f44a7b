#include "commands/show/frame_relay_output.h"

#include <cctype>
#include <cstdint>

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::commands::show {

namespace {

// The router's Frame Relay rows: device, serial interface, map or
// subinterface.
std::string frame_join(const state::NetworkTableSet& t) {
    return " FROM (" + t.frame_device_table + " INNER JOIN " + t.frame_ip_table + " ON " +
           t.frame_device_table + ".dev_no = " + t.frame_ip_table + ".ref) INNER JOIN " +
           t.frame_map_table + " ON " + t.frame_ip_table + ".\"index\" = " + t.frame_map_table +
           ".ref WHERE " + t.frame_device_table + ".dev_name = ? ";
}

bool is_number(const std::string& word) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

std::vector<Circuit> frame_relay_pvc_lookup(const ShowContext& context) {
    const auto& t = context.tables;
    const std::vector<std::string> typed = text::split(context.command_line, " ");
    std::vector<Circuit> circuits;
    const std::string select = "SELECT " + t.frame_ip_table + ".int_name, dlci_num" + frame_join(t);
    const std::string order = " ORDER BY " + t.frame_map_table + ".rowid";
    if (typed.size() == 4) {
        const std::string& dlci = typed[3];
        if (!is_number(dlci)) return circuits;
        db::Recordset rows = context.session.open_recordset(
            select + "AND dlci_num = ?" + order,
            {context.device, static_cast<std::int64_t>(std::stoll(dlci))});
        if (!rows.eof()) circuits.push_back({rows.text(0), dlci});
        return circuits;
    }
    // Without a DLCI every circuit of the router is shown.
    for (db::Recordset rows =
             context.session.open_recordset(select + "AND dlci_num <> 0" + order, {context.device});
         !rows.eof(); rows.move_next())
        circuits.push_back({rows.text(0), rows.text(1)});
    return circuits;
}

std::string build_frame_relay_map_output(const ShowContext& context) {
    const auto& t = context.tables;
    std::string written;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT " + t.frame_device_table + ".dev_name, " + t.frame_ip_table +
                 ".int_name, dest_ipadd, dlci_num, broadcast, " + t.frame_map_table +
                 ".frame_type, subint_num" + frame_join(t) + "ORDER BY " + t.frame_map_table +
                 ".rowid",
             {context.device});
         !rows.eof(); rows.move_next()) {
        // Subinterfaces have their circuits, not maps.
        if (rows.text(6) != "NA") continue;
        const std::string interface = rows.text(1);
        db::Recordset state = interface_row(context.session, context.device, interface);
        // An interface the device does not list has no line to be up.
        const std::string line_state = state.eof() ? std::string("down") : state.text(7);
        std::string line = interface + " (" + line_state + ") : ip " + rows.text(2) + " dlci " +
                           rows.text(3) + " ,Dynamic,";
        if (rows.field(4).to_int() != 0) line += " Broadcast, ";
        if (rows.text(5) != "NA") line += rows.text(5);
        line += ", status defined, active";
        written += line + kCrLf;
    }
    return written;
}

}  // namespace vexlab::commands::show
