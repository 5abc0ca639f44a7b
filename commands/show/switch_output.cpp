#include "commands/show/switch_output.h"

#include <cctype>
#include <optional>

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "platform/text.h"

namespace vexlab::commands::show {

namespace {

std::string blanks(std::size_t count) {
    return std::string(count, ' ');
}

std::string port_key(int port, const char* setting) {
    return "FastEthernet0/" + std::to_string(port) + setting;
}

// A cell holding a whole number (blanks around it allowed).
std::optional<long long> whole_number(const std::string& cell) {
    const std::string value = text::trim(cell);
    std::size_t digits = value.size() > 1 && (value[0] == '-' || value[0] == '+') ? 1 : 0;
    if (value.size() == digits || value.size() - digits > 9) return std::nullopt;
    for (std::size_t i = digits; i < value.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(value[i]))) return std::nullopt;
    return std::stoll(value);
}

// The ports of a VLAN, as "fa0/2,fa0/5".
std::string port_list(const SettingsColumn& settings, long long vlan) {
    std::string list;
    for (int port = 1; port <= kSwitchPorts; ++port) {
        if (whole_number(settings.text(port_key(port, "_vlan"))) != vlan) continue;
        if (!list.empty()) list += ",";
        list += "fa0/" + std::to_string(port);
    }
    return list;
}

}  // namespace

std::string build_vlan_output(const ShowContext& context) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    std::string text = "VLAN" + blanks(3) + "NAME" + blanks(27) + "Status" + blanks(25) + "Ports";
    text += kCrLf + std::string(68, '-');
    text += kCrLf + ("1" + blanks(7) + "default" + blanks(30) + "active" + blanks(24) +
                     port_list(settings, 1));
    text += kCrLf;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT * FROM " + db::quote_identifier("vlan_info") + " ORDER BY rowid");
         !rows.eof(); rows.move_next()) {
        const auto vlan = whole_number(rows.text(0));
        text += kCrLf + (rows.text(0) + blanks(7) + rows.text(1) + blanks(24) + "active" +
                         blanks(25) + (vlan ? port_list(settings, *vlan) : std::string()));
    }
    text += kCrLf;
    return text;
}

std::string build_trunk_output(const ShowContext& context) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    std::string text = "Port   Mode   Enacpsulation   Status    Native vlan";
    std::string allowed = "Port   vlans allowed on trunk";
    std::string active = "Port   vlans allowed and active in management domain ";
    std::string forwarding = "Port   vlans in spanning tree forwarding state and not pruned";
    for (int port = 1; port <= kSwitchPorts; ++port) {
        if (settings.text(port_key(port, "_trunk_opmode")) != "trunk") continue;
        const std::string name = "fa0/" + std::to_string(port);
        text += kCrLf +
                (name + "  on" + blanks(10) + "802.1q" + blanks(11) + "trunking" + blanks(6) + "1");
        allowed += kCrLf + (name + "  1-4094");
        active += kCrLf + (name + "  1");
        forwarding += kCrLf + (name + "  1");
    }
    const std::string gap = std::string(kCrLf) + kCrLf;
    return text + gap + allowed + gap + active + gap + forwarding + kCrLf;
}

}  // namespace vexlab::commands::show
