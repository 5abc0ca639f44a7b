#include "commands/show/isdn_output.h"

#include <string_view>

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

constexpr std::string_view kBriTableName = "IsdnBri";

// The interface as the router names it in this listing: "IsdnBri0" is BRI0.
std::string bri_name(std::string name) {
    const auto at = name.find(kBriTableName);
    if (at != std::string::npos) name.replace(at, kBriTableName.size(), "BRI");
    return name;
}

void line(std::string& out, const std::string& text) {
    out += text;
    out += kCrLf;
}

void interface_block(std::string& out, const std::string& name, bool layer1, bool layer2) {
    line(out, "ISDN " + bri_name(name) + " interface");
    line(out, "    Layer 1 Status:");
    line(out, layer1 ? "        ACTIVE" : "        DEACTIVATED");
    line(out, "    Layer 2 Status:");
    if (layer2) {
        line(out, "        TEI = 64, Ces = 1, SAPI = 0, State = MULTIPLE_FRAME_ESTABLISHED");
        line(out, "    Spid Status:");
        line(out, "        TEI 64, ces = 1, state = 5(init)");
    } else {
        line(out, "        Layer 2 NOT Activated");
        line(out, "    Spid Status:");
        line(out, "        TEI Not Assigned, ces = 1, state = 1(terminal down)");
        line(out, "        TEI Not Assigned, ces = 2, state = 1(terminal down)");
    }
    line(out, "    Layer 3 Status:");
    line(out, "        0 Active Layer 3 Call(s)");
    line(out, "    Activated dsl 0 CCBs = 0");
    line(out, "    Total Allocated ISDN CCBs = 0");
}

}  // namespace

std::string build_isdn_status_output(const ShowContext& context) {
    std::string out;
    const SettingsColumn settings(context.session, context.tables, context.device);
    if (auto cell = settings.cell("isdn_switch_type"); cell && !cell->is_null()) {
        const std::string type = cell->to_text();
        if (type != state::marker::kNill) line(out, "Global ISDN Switchtype = " + type);
    }
    const auto& t = context.tables;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT i.int_name, i.int_status, i.next_hop_devname, i.l2_isdn FROM " +
                 db::quote_identifier(t.route_ip_table) + " AS i INNER JOIN " +
                 db::quote_identifier(t.rout_dev_table) +
                 " AS d ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name LIKE ? "
                 "ORDER BY i.rowid",
             {context.device, "%" + std::string(kBriTableName) + "%"});
         !rows.eof(); rows.move_next()) {
        const std::string far_device = rows.text(2);
        const bool cabled = !far_device.empty() && far_device != state::marker::kUnassigned;
        const bool layer1 = rows.field(1).to_int() == 1 && cabled;
        interface_block(out, rows.text(0), layer1, layer1 && rows.field(3).to_bool());
    }
    return out;
}

}  // namespace vexlab::commands::show
