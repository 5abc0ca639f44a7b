#include "commands/config/interface_names.h"

#include <cctype>
#include <vector>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::commands {

namespace {

bool is_letter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string> names_of(db::DatabaseSession& session,
                                  const state::NetworkTableSet& tables, const std::string& device) {
    std::vector<std::string> names;
    db::Recordset set =
        session.open_recordset("SELECT i.int_name FROM " + db::quote_identifier("int_device") +
                                   " AS d INNER JOIN " + db::quote_identifier("int_det") +
                                   " AS i ON d.\"index\" = i.ref "
                                   "WHERE d.dev_name = ? ORDER BY i.rowid",
                               {device});
    if (set.eof())
        set = session.open_recordset(
            "SELECT r.int_name FROM " + db::quote_identifier(tables.rout_dev_table) +
                " AS d INNER JOIN " + db::quote_identifier(tables.route_ip_table) +
                " AS r ON d.dev_no = r.ref WHERE d.dev_name = ? "
                "ORDER BY r.rowid",
            {device});
    for (; !set.eof(); set.move_next()) names.push_back(set.text(0));
    return names;
}

// "WAN Slot 0/Serial1" is slot "0" and own name "Serial1".
bool is_slot_card(std::string_view name, std::string_view slot, std::string_view own) {
    const auto slash = name.rfind('/');
    if (slash == std::string_view::npos) return false;
    if (!text::iequals(name.substr(slash + 1), own)) return false;
    std::string_view caption = name.substr(0, slash);
    const auto blank = caption.rfind(' ');
    if (blank != std::string_view::npos) caption = caption.substr(blank + 1);
    return caption == slot;
}

}  // namespace

std::string interface_kind(std::string_view name) {
    std::string_view part = name;
    for (auto slash = name.rfind('/'); slash != std::string_view::npos;) {
        std::string_view after = name.substr(slash + 1);
        if (!after.empty() && is_letter(after.front())) {
            part = after;
            break;
        }
        if (slash == 0) break;
        slash = name.rfind('/', slash - 1);
    }
    std::string kind;
    for (char c : part) {
        if (!is_letter(c)) break;
        kind += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return kind;
}

bool is_serial_interface(std::string_view name) {
    return interface_kind(name) == "serial";
}

bool is_ethernet_interface(std::string_view name) {
    return interface_kind(name).find("ethernet") != std::string::npos;
}

bool is_isdn_interface(std::string_view name) {
    return interface_kind(name).rfind("isdnbri", 0) == 0;
}

std::string interface_keyword(std::string_view keyword) {
    if (text::iequals(keyword, "bri")) return "IsdnBri";
    return std::string(keyword);
}

std::string subinterface_name(std::string_view main_interface, std::string_view number) {
    return std::string(main_interface) + "." + std::string(number);
}

std::optional<std::string> find_interface(db::DatabaseSession& session,
                                          const state::NetworkTableSet& tables,
                                          const std::string& device, std::string_view keyword,
                                          std::string_view number) {
    const std::string word = interface_keyword(keyword);
    const std::vector<std::string> names = names_of(session, tables, device);
    const std::string plain = word + std::string(number);
    for (const auto& name : names)
        if (text::iequals(name, plain)) return name;

    const auto slash = number.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string own = word + std::string(number.substr(slash + 1));
    for (const auto& name : names)
        if (is_slot_card(name, number.substr(0, slash), own)) return name;
    return std::nullopt;
}

}  // namespace vexlab::commands
