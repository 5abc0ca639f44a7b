#include "reachability/reachability_commands.h"

#include <functional>

#include "platform/db_session.h"
#include "platform/text.h"
#include "reachability/ipv4.h"
#include "reachability/network_view.h"
#include "reachability/probes.h"
#include "state/console_session.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::reachability {

namespace {

using text::iequals;

constexpr const char* kCrLf = "\r\n";

// The typed target and the addresses it stands for.
struct Target {
    std::string typed;
    std::vector<std::string> addresses;  // empty: nothing to probe
};

std::string typed_target(const std::string& command_line) {
    const auto words = text::split(command_line, " ");
    return words.size() > 1 ? words[1] : std::string();
}

const std::string* settings_cell(const NetworkView& view, std::string_view key,
                                 std::string_view column) {
    const SettingsRow* row = view.settings(key);
    if (!row) return nullptr;
    for (std::size_t i = 0; i < view.settings_columns.size(); ++i)
        if (view.settings_columns[i] == column) return &row->values[i];
    return nullptr;
}

// An address must be four numbers 0 to 255; a word without "." names a host,
// whose switch management address or interface addresses are probed.
Target resolve_target(const NetworkView& view, const std::string& command_line) {
    Target target{typed_target(command_line), {}};
    if (target.typed.find('.') != std::string::npos) {
        if (parse_ipv4(target.typed)) target.addresses.push_back(target.typed);
        return target;
    }
    const std::string device = get_device_by_hostname(view, target.typed);
    if (device.empty()) return target;
    if (view.device_kind(device) == state::kind_number(state::DeviceKind::Switch)) {
        const std::string* address = settings_cell(view, "FastEthernet1_ip_address", device);
        if (address && !address->empty() && *address != state::marker::kUnassigned)
            target.addresses.push_back(*address);
        return target;
    }
    for (const auto* row : view.route.of_device(device))
        if (!row->iface->ip.empty() && row->iface->ip != state::marker::kUnassigned)
            target.addresses.push_back(row->iface->ip);
    return target;
}

// One probe of an address from every start device in turn, through the
// address's LAN gateways where it has any.  The start device that reached
// it, or nothing.
using Probe = std::function<bool(PathSearch&, const std::string&)>;
std::optional<std::string> probe_address(const NetworkView& view, PathSearch& search,
                                         const std::vector<std::string>& starts,
                                         const std::string& address, const Probe& probe) {
    for (const auto& start : starts) {
        search.source_device = start;
        search.answering_device = start;
        const auto gateways = get_gateways(view, start, address);
        bool reached = false;
        if (gateways.empty())
            reached = probe(search, address);
        else
            for (const auto& gateway : gateways)
                if ((reached = probe(search, gateway))) break;
        search.source_device.clear();
        search.answering_device.clear();
        if (reached) return start;
    }
    return std::nullopt;
}

// The work state of one command, and where its probes start: the router at
// the console, or the routers of a switch's or PC's LAN, whose packets carry
// the switch's or PC's own address.  Nothing to start from when a switch or
// PC has no address or no router.
struct Prepared {
    PathSearch search;
    std::vector<std::string> starts;
};
Prepared prepare(const NetworkView& view, const ConsoleAt& console) {
    Prepared p;
    p.search.console_device = console.device;
    p.search.router_console = console.kind == state::DeviceKind::Router;
    if (p.search.router_console) {
        p.starts.push_back(console.device);
        return p;
    }
    p.search.packet_source_ip = get_ping_source(view, console.device, console.kind);
    if (!parse_ipv4(p.search.packet_source_ip)) return p;
    p.starts = get_switch_uplinks(view, console.device);
    return p;
}

std::string unreachable_text(const std::string& typed) {
    return "Trying " + typed + kCrLf + "% Destination unreachable; gateway or host down";
}

// ------------------------------------------------------------ telnet

int column_position(const NetworkView& view, std::string_view device, bool ignore_case) {
    for (std::size_t i = 1; i < view.settings_columns.size(); ++i)
        if (ignore_case ? iequals(view.settings_columns[i], device)
                        : view.settings_columns[i] == device)
            return static_cast<int>(i);
    return -1;
}

// The device a telnet target names: the device holding the typed address
// (an interface, or a switch's management address), or the device whose host
// name was typed.
std::string telnet_device(const NetworkView& view, const std::string& typed) {
    if (text::split(typed, ".").size() == 4) {
        if (const auto* row = view.route.by_ip(typed)) return row->dev_name();
        if (const SettingsRow* row = view.settings("FastEthernet1_ip_address"))
            for (std::size_t i : view.device_positions())
                if (!row->null[i] && row->values[i] == typed) return view.settings_columns[i];
        return {};
    }
    return get_device_by_hostname(view, typed);
}

// The session number and the origin's record of the hosts it reached.
void record_session(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                    const NetworkView& view, const std::string& device, const std::string& origin,
                    int& count) {
    const std::string table = db::quote_identifier(tables.routervariables_table);
    if (const SettingsRow* ids = view.settings("telnetsession_id")) {
        const int column = column_position(view, device, true);
        if (column >= 0 && ids->values[static_cast<std::size_t>(column)] == state::marker::kNill) {
            ++count;
            session.execute("UPDATE " + table + " SET " +
                                db::quote_identifier(view.settings_columns[column]) +
                                " = ? WHERE Config_Variable = 'telnetsession_id'",
                            {std::to_string(count)});
        }
    }
    const int column = column_position(view, origin, true);
    if (column < 0) return;
    const auto at = static_cast<std::size_t>(column);
    db::Recordset rows = session.open_recordset(
        "SELECT Config_Variable, " + db::quote_identifier(view.settings_columns[at]) + " FROM " +
        table +
        " WHERE Config_Variable IN ('telneted_host1', 'telneted_host2', 'telneted_host3') "
        "ORDER BY rowid");
    std::string free_key;
    for (; !rows.eof(); rows.move_next()) {
        if (rows.text(1) == device) return;
        if (free_key.empty() && rows.text(1) == state::marker::kNill) free_key = rows.text(0);
    }
    if (free_key.empty()) return;
    session.execute("UPDATE " + table + " SET " + db::quote_identifier(view.settings_columns[at]) +
                        " = ? WHERE Config_Variable = ?",
                    {device, free_key});
}

}  // namespace

std::string ping_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                         const ConsoleAt& console, const std::string& command_line) {
    const NetworkView view = NetworkView::load(session, tables);
    const Target target = resolve_target(view, command_line);
    Prepared p = prepare(view, console);
    const Probe ping = [&](PathSearch& search, const std::string& address) {
        return check_ping_reachable(view, search, address);
    };
    for (const auto& address : target.addresses)
        if (probe_address(view, p.search, p.starts, address, ping)) return ping_reply_text(address);
    return unreachable_text(target.typed);
}

std::string traceroute_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               const ConsoleAt& console, const std::string& command_line) {
    const NetworkView view = NetworkView::load(session, tables);
    const Target target = resolve_target(view, command_line);
    Prepared p = prepare(view, console);
    for (const auto& address : target.addresses) {
        std::optional<TracerouteResult> result;
        const Probe trace = [&](PathSearch& search, const std::string& traced) {
            result = run_traceroute(view, search, traced, address);
            return result.has_value();
        };
        const auto start = probe_address(view, p.search, p.starts, address, trace);
        if (!start) continue;
        if (p.search.router_console || result->destination_is_local) return result->text;
        // From a switch or PC the router's interface facing the LAN comes first.
        std::string facing;
        for (const auto& uplink : view.sw_riplist)
            if (iequals(uplink.mast_dev, *start) && iequals(uplink.sub_dev, console.device)) {
                facing = uplink.mast_ip;
                break;
            }
        return ping_reply_text(facing) + kCrLf + kCrLf + result->text + kCrLf;
    }
    return kCrLf + unreachable_text(target.typed);
}

TelnetOutcome telnet_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                             const ConsoleAt& console, const std::string& command_line,
                             int telnetsession_count) {
    TelnetOutcome outcome;
    outcome.telnetsession_count = telnetsession_count;
    outcome.response = kTelnetFailure;
    std::string device;
    {
        const NetworkView view = NetworkView::load(session, tables);
        const Target target = resolve_target(view, command_line);
        Prepared p = prepare(view, console);
        const Probe telnet = [&](PathSearch& search, const std::string& address) {
            return check_telnet_reachable(view, search, address);
        };
        bool reached = false;
        for (const auto& address : target.addresses)
            if ((reached = probe_address(view, p.search, p.starts, address, telnet).has_value()))
                break;
        if (!reached) return outcome;
        device = telnet_device(view, target.typed);
        if (device.empty()) return outcome;

        TelnetSession landed;
        landed.device = device;
        const std::string* host = settings_cell(view, "hostname", device);
        landed.host_name = host && !host->empty() ? *host : target.typed;
        const std::string* password = settings_cell(view, "linevty_pass", device);
        landed.vty_password =
            password && !password->empty() ? *password : std::string(state::marker::kNill);
        landed.device_kind = console.kind;
        if (const auto number = view.device_kind(device))
            if (const auto kind = state::device_kind(*number)) landed.device_kind = *kind;
        record_session(session, tables, view, device, console.device, outcome.telnetsession_count);
        outcome.session = landed;
        outcome.response.clear();
    }
    return outcome;
}

void switch_console(state::ConsoleSession& console, const TelnetSession& session) {
    auto& device = console.device;
    device.home_host_name = device.host_name;
    device.home_device = device.current_device;
    device.current_device = session.device;
    device.host_name = session.host_name;
    device.device_kind = session.device_kind;
    if (session.device_kind == state::DeviceKind::Pc)
        console.mode.mode_suffix = state::CommandMode::Pc;
    if (session.vty_password == state::marker::kNill) return;
    auto& password = console.password;
    password.login_password = session.vty_password;
    password.expected_password_length = static_cast<int>(session.vty_password.size());
    password.typed_password_chars.assign(session.vty_password.size() + 1, std::string());
    password.typed_password_length = 0;
    password.login_password_entry = true;
    password.vty_password_requested = true;
    console.mode.prompt_text = "password:";
}

}  // namespace vexlab::reachability
