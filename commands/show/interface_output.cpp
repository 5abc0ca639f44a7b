#include "commands/show/interface_output.h"

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

std::string blanks(std::size_t count) {
    return std::string(count, ' ');
}

}  // namespace

std::string build_ip_interface_brief_output(const ShowContext& context) {
    std::string written = "Interface" + blanks(19) + "IP-Address" + blanks(5) + "OK?" + blanks(3) +
                          "Method" + blanks(5) + "Status" + blanks(4) + "Protocol" + kCrLf;
    for (db::Recordset rows = interface_rows(context.session, context.device); !rows.eof();
         rows.move_next())
        written += rows.text(3) + blanks(4) + rows.text(4) + blanks(6) + "YES  Manual   " +
                   rows.text(7) + blanks(3) + rows.text(8) + kCrLf;
    return written;
}

std::string build_protocols_output(const ShowContext& context) {
    std::string written =
        std::string("Global values:") + kCrLf + "Internet Protocol routing is enabled" + kCrLf;
    for (db::Recordset rows = interface_rows(context.session, context.device); !rows.eof();
         rows.move_next()) {
        written += rows.text(3) + " is" + kCrLf;
        written += rows.text(7) + kCrLf;
        written += std::string("line protocol is ") + kCrLf;
        written += rows.text(8) + kCrLf;
    }
    return written;
}

bool loopback_disabled(const ShowContext& context) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    const auto cell = settings.cell("loopback_int");
    return cell && cell->to_text() == "disable";
}

std::string build_nat_translations_output(const ShowContext& context) {
    const auto& t = context.tables;
    std::string text =
        "Pro    Inside global     Inside local      Outside local      Outside global";
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT n.inside_global, n.inside_local, n.outside_local, n.outside_global FROM " +
                 db::quote_identifier(t.nat_inout_table) + " AS n INNER JOIN " +
                 db::quote_identifier(t.nat_dev_table) +
                 " AS d ON d.dev_no = n.ref WHERE d.dev_name = ? ORDER BY n.rowid",
             {context.device});
         !rows.eof(); rows.move_next()) {
        std::string value[4];
        for (int i = 0; i < 4; ++i) {
            value[i] = rows.text(i);
            // No address, marked or not, shows as the dashes of an empty column.
            if (value[i] == state::marker::kUnassigned || value[i].empty())
                value[i] = "---" + blanks(15);
        }
        text += kCrLf + ("---" + blanks(6) + value[0] + blanks(4) + value[1] + blanks(6) +
                         value[2] + blanks(7) + value[3]);
    }
    return text + kCrLf;
}

}  // namespace vexlab::commands::show
