#include "networkfiles/router_ids.h"

#include <map>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::networkfiles {

namespace {

// The parts of an address between its dots, joined; nothing unless there
// are exactly four.
std::optional<std::string> joined_parts(const std::string& address) {
    const auto parts = text::split(address, ".");
    if (address.empty() || parts.size() != 4) return std::nullopt;
    return parts[0] + parts[1] + parts[2] + parts[3];
}

}  // namespace

std::string choose_router_id(const std::vector<std::optional<std::string>>& addresses) {
    std::optional<std::string> best;
    for (const auto& candidate : addresses) {
        if (!candidate) continue;
        if (!best) {
            best = candidate;  // the first address is taken untested
            continue;
        }
        const auto best_parts = joined_parts(*best);
        const auto candidate_parts = joined_parts(*candidate);
        if (!candidate_parts) continue;
        if (!best_parts || *best_parts < *candidate_parts) best = candidate;
    }
    return best.value_or(std::string(state::marker::kUnassigned));
}

void device_id_populate(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    std::map<std::int64_t, std::vector<std::optional<std::string>>> addresses;
    db::Recordset interfaces = session.open_recordset(
        "SELECT ref, ip FROM " + db::quote_identifier(tables.ospf_ip_table) + " ORDER BY rowid");
    for (; !interfaces.eof(); interfaces.move_next()) {
        const db::Value& ip = interfaces.field(1);
        addresses[interfaces.field(0).to_int()].push_back(
            ip.is_null() ? std::nullopt : std::optional<std::string>(ip.to_text()));
    }
    db::Recordset devices = session.open_recordset(
        "SELECT dev_no FROM " + db::quote_identifier(tables.ospf_dev_table) + " ORDER BY rowid");
    const std::string update = "UPDATE " + db::quote_identifier(tables.ospf_dev_table) +
                               " SET device_id = ? WHERE dev_no = ?";
    for (; !devices.eof(); devices.move_next()) {
        const db::Value& dev_no = devices.field(0);
        const auto found = addresses.find(dev_no.to_int());
        const std::string id = found == addresses.end() || dev_no.is_null()
                                   ? std::string(state::marker::kUnassigned)
                                   : choose_router_id(found->second);
        session.execute(update, {db::Value(id), dev_no});
    }
}

}  // namespace vexlab::networkfiles
