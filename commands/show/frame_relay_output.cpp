#include "commands/show/frame_relay_output.h"

#include <cctype>
#include <cstdint>

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

// The router's Frame Relay rows: device, serial interface, map or
// subinterface.
std::string frame_join(const state::NetworkTableSet& t) {
    return " FROM (" + db::quote_identifier(t.frame_device_table) + " AS d INNER JOIN " +
           db::quote_identifier(t.frame_ip_table) + " AS i ON d.dev_no = i.ref) INNER JOIN " +
           db::quote_identifier(t.frame_map_table) +
           " AS m ON i.\"index\" = m.ref WHERE d.dev_name = ? ";
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
    const std::string select = "SELECT i.int_name, m.dlci_num" + frame_join(t);
    const std::string order = " ORDER BY m.rowid";
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
             "SELECT d.dev_name, i.int_name, m.dest_ipadd, m.dlci_num, m.broadcast, "
             "m.frame_type, m.subint_num" +
                 frame_join(t) + "ORDER BY m.rowid",
             {context.device});
         !rows.eof(); rows.move_next()) {
        // Subinterfaces have their circuits, not maps.
        if (rows.text(6) != state::marker::kNotApplicable) continue;
        const std::string interface = rows.text(1);
        db::Recordset state = interface_row(context.session, context.device, interface);
        // An interface the device does not list has no line to be up.
        const std::string line_state = state.eof() ? std::string("down") : state.text(7);
        std::string line = interface + " (" + line_state + ") : ip " + rows.text(2) + " dlci " +
                           rows.text(3) + " ,Dynamic,";
        if (rows.field(4).to_int() != 0) line += " Broadcast, ";
        if (rows.text(5) != state::marker::kNotApplicable) line += rows.text(5);
        line += ", status defined, active";
        written += line + kCrLf;
    }
    return written;
}

}  // namespace vexlab::commands::show
