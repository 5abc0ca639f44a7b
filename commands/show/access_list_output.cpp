#include "commands/show/access_list_output.h"

#include <cstdint>
#include <optional>

#include "platform/db_session.h"
#include "state/table_set.h"

namespace vexlab::commands::show {

namespace {

constexpr const char* kAny = "any";
constexpr const char* kHostWildcard = "0.0.0.0";

bool extended_number(std::int64_t number) {
    return (number >= 100 && number <= 199) || (number >= 2000 && number <= 2699);
}

// A standard entry as the router lists it: the action padded to six
// letters, then the source ("any", a host alone, or an address with its
// wildcard bits).
std::string standard_entry(bool deny, const std::string& ip, const std::string& wildcard) {
    std::string line = deny ? "    deny   " : "    permit ";
    if (ip == kAny) return line + kAny;
    if (wildcard == kHostWildcard) return line + ip;
    return line + ip + ", wildcard bits " + wildcard;
}

// An extended entry matching the same sources: any protocol, any destination.
std::string extended_entry(bool deny, const std::string& ip, const std::string& wildcard) {
    std::string line = deny ? "    deny ip " : "    permit ip ";
    if (ip == kAny) return line + "any any";
    if (wildcard == kHostWildcard) return line + "host " + ip + " any";
    return line + ip + " " + wildcard + " any";
}

}  // namespace

std::string build_access_lists_output(const ShowContext& context) {
    std::string written;
    std::optional<std::int64_t> current;
    for (db::Recordset rows = context.session.open_recordset(
             "SELECT accesslist_num, ip, wildcard_mask, deny FROM " +
                 db::quote_identifier("access_list") +
                 " WHERE accesslist_num IS NOT NULL AND ref_devce = (SELECT dev_no FROM " +
                 db::quote_identifier(context.tables.rout_dev_table) +
                 " WHERE dev_name = ? AND dev_no IS NOT NULL ORDER BY rowid LIMIT 1) "
                 "ORDER BY accesslist_num, rowid",
             {context.device});
         !rows.eof(); rows.move_next()) {
        const std::int64_t number = rows.field(0).to_int();
        const bool extended = extended_number(number);
        if (number != current) {
            current = number;
            written += std::string(extended ? "Extended" : "Standard") + " IP access list " +
                       std::to_string(number) + kCrLf;
        }
        const bool deny = rows.field(3).to_bool();
        written +=
            (extended ? extended_entry : standard_entry)(deny, rows.text(1), rows.text(2)) + kCrLf;
    }
    return written;
}

}  // namespace vexlab::commands::show
