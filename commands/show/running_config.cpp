#include "commands/show/running_config.h"

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

void line(std::string& out, const std::string& text) {
    out += text;
    out += kCrLf;
}

}  // namespace

std::string build_running_config_output(const ShowContext& context) {
    std::string out;
    for (const char* text :
         {"Building configuration...", "Current configuration:", "!", " Version 12.0",
          "service timestamps debug uptime", "service timestamps log uptime",
          "no service password-encryption", "!", "hostname"})
        line(out, text);
    line(out, context.host_name);
    for (const char* text : {"!", "ip subnet - zero", "!", "!"}) line(out, text);

    for (db::Recordset rows = interface_rows(context.session, context.device); !rows.eof();
         rows.move_next()) {
        line(out, "interface " + rows.text(3));
        line(out, "ip address");
        line(out, rows.text(4));
        line(out, "mask address");
        line(out, rows.text(5));
        line(out, "description");
        line(out, rows.text(9));
        for (const char* text : {"no ip directed-broadcast", "no fair - queue", "!", "!"})
            line(out, text);
    }
    for (const char* text : {"ip classless", "no ip http server", "no scheduler allocate", "End"})
        line(out, text);
    return out;
}

SerialSections build_serial_sections(const ShowContext& context, const std::string& interface) {
    const auto& t = context.tables;
    db::Recordset rows = context.session.open_recordset(
        "SELECT m.subint_num, m.subint_ip, m.subint_mask, m.dlci_num, m.shutdown, "
        "m.description FROM (" +
            db::quote_identifier(t.frame_device_table) + " AS d INNER JOIN " +
            db::quote_identifier(t.frame_ip_table) + " AS i ON d.dev_no = i.ref) INNER JOIN " +
            db::quote_identifier(t.frame_map_table) +
            " AS m ON i.\"index\" = m.ref WHERE d.dev_name = ? AND i.int_name = ? "
            "ORDER BY m.rowid",
        {context.device, interface});

    SerialSections sections;
    if (rows.eof()) {
        db::Recordset row = interface_row(context.session, context.device, interface);
        sections.use_frame_relay_block = !row.eof() && row.text(11) == "framerelay";
        return sections;
    }

    std::string& out = sections.text;
    out = "interface " + interface + kCrLf + "no ip address" + kCrLf + "encapsulation frame-relay" +
          kCrLf + "no shut" + kCrLf + "!";
    for (; !rows.eof(); rows.move_next()) {
        const auto or_unassigned = [](const std::string& value, std::string_view unset) {
            return value == unset ? std::string("Unassigned") : value;
        };
        const std::string description = or_unassigned(rows.text(5), state::marker::kUnassigned);
        const std::string address = or_unassigned(rows.text(1), state::marker::kUnassigned);
        const std::string mask = or_unassigned(rows.text(2), state::marker::kUnassigned);
        const std::string dlci = or_unassigned(rows.text(3), "0");
        out += kCrLf + ("interface " + interface + "." + rows.text(0) + " Point-to-Point");
        out += kCrLf + ("description " + description);
        out += kCrLf + ("ip address " + address + " " + mask);
        out += kCrLf + (" frame-relay interface-dlci " + dlci);
        out += kCrLf + std::string(rows.field(4).to_int() == 0 ? "shutdown" : "no shut");
        out += std::string(kCrLf) + "!";
    }
    out += kCrLf;
    return sections;
}

}  // namespace vexlab::commands::show
