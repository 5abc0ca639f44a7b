#include "commands/config/config_executors.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "commands/config/command_text.h"
#include "commands/config/interface_addressing.h"
#include "commands/config/interface_names.h"
#include "platform/db_session.h"
#include "state/app_state.h"
#include "state/device_settings.h"
#include "state/schema_registry.h"
#include "state/vocabulary.h"

namespace vexlab::commands {

using state::DeviceSettings;

namespace {

using state::AppState;
using state::CommandContext;
using state::CommandLine;
using state::CommandOutcome;
using state::DeviceKind;

constexpr const char* kHostNameInUse = "this host name is already assigned";

// ------------------------------------------------------------ shared parts

// The generic setting write: the line's argument values go to the settings
// in order, from `position` on, until the values run out or one is empty.
// Slots at or beyond argument_count belong to earlier lines and are never
// used.  Returns the position reached.
template <class Write>
std::size_t write_line_values(const CommandLine& line, const std::vector<std::string>& settings,
                              std::size_t position, Write&& write) {
    for (const auto& setting : settings) {
        if (position >= line.arguments.size() || line.arguments[position].empty()) break;
        write(setting, line.arguments[position]);
        ++position;
    }
    return position;
}

bool is_one_of(std::string_view text, std::initializer_list<std::string_view> texts) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](std::string_view t) { return iequals(text, t); });
}

// ------------------------------------------------------------ settings store

// Keys are the catalogue's setting names, prefixed in interface and line
// modes by the interface or line ("FastEthernet0/1_vlan", "lineconsole_pass").
void compose_keys(std::vector<std::string>& names, const std::string& prefix,
                  DeviceKind device_kind, const std::vector<std::string>& key_words) {
    if (prefix == state::marker::kNill || prefix.empty()) return;
    // A switch's address lives under the management keys the row names,
    // whichever interface is being configured.  Its description does not:
    // the settings keep one per port, so it is prefixed like the rest.
    const bool address_words = key_words == std::vector<std::string>{"ip", "address"} ||
                               (key_words.size() >= 3 && key_words[0] == "no" &&
                                key_words[1] == "ip" && key_words[2] == "address");
    if (device_kind == DeviceKind::Switch && address_words) return;
    for (auto& name : names) name = prefix + "_" + name;
}

// A switch's VLAN 1 interface keeps its settings under the FastEthernet1 keys.
void redirect_vlan1_keys(std::vector<std::string>& keys) {
    constexpr std::string_view kVlan1 = "vlan1_";
    for (auto& key : keys)
        if (key.size() > kVlan1.size() &&
            iequals(std::string_view(key).substr(0, kVlan1.size()), kVlan1))
            key = "FastEthernet1_" + key.substr(kVlan1.size());
}

void write_all(const DeviceSettings& settings, const std::vector<std::string>& keys,
               const db::Value& value) {
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) settings.write(*key, value);
}

// The negation of a setting puts back the value a device starts with.
void reset_all(const DeviceSettings& settings, const std::vector<std::string>& keys) {
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        settings.write(*key, settings.template_default(*key));
}

// A host name may not be one that any device carries, its own included.
bool host_name_taken(const DeviceSettings& settings, const std::string& name) {
    for (const auto& cell : settings.row("hostname"))
        if (cell.value == name) return true;
    return false;
}

// Ends the telnet session named by the typed number, whichever device holds it.
void disconnect_session(const DeviceSettings& settings, const std::vector<std::string>& keys,
                        const std::string& session_id) {
    if (session_id.empty()) return;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        for (const auto& cell : settings.row(*key)) {
            if (cell.column == "Config_Variable" || cell.value != session_id) continue;
            settings.write_column(*key, cell.column, state::marker::kNill);
            break;
        }
    }
}

void disable_port_security(AppState& app, const DeviceSettings& settings,
                           const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
        std::size_t first = key.find('_');
        if (first == std::string::npos) continue;
        std::string setting = key.substr(first + 1);
        std::erase(setting, '_');
        if (setting == "security")
            settings.write(key, "disable");
        else if (setting == "secmax")
            settings.write(key, 1);
        else if (setting == "secviolatmode")
            settings.write(key, "shutdown");
    }
    // The table keeps no device: the port's rows go for every switch.
    app.session.execute("DELETE FROM " + db::quote_identifier("port_security") + " WHERE port = ?",
                        {app.console.mode.switch_port});
}

// A device has at most one loopback interface; the first "interface
// loopback" makes its rows.
void create_loopback(AppState& app) {
    const std::string& device = app.console.device.current_device;
    db::Recordset owner =
        app.session.open_recordset("SELECT \"index\" FROM " + db::quote_identifier("int_device") +
                                       " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
                                   {device});
    if (owner.eof()) return;
    const std::int64_t index = owner.field(0).to_int();
    const bool has_loopback =
        app.session
            .scalar(
                "SELECT count(*) FROM " + db::quote_identifier("int_device") + " AS d INNER JOIN " +
                    db::quote_identifier("int_det") +
                    " AS i ON "
                    "d.\"index\" = i.ref WHERE d.dev_name = ? AND i.int_name LIKE ? ESCAPE '\\'",
                {device, db::like_prefix("loopback")})
            .to_int() > 0;
    if (has_loopback) return;
    const std::string name = "loopback" + std::to_string(app.console.mode.loopback_number);
    app.session.execute(
        "INSERT INTO " + db::quote_identifier("int_det") +
            " (int_name, shutdown, line, prot, ref) VALUES (?, 'up', 'up', 'up', ?)",
        {name, index});
    for (const auto& view : routing_views(app.table_set))
        app.session.execute("INSERT INTO " + db::quote_identifier(view) +
                                " (int_name, int_status, ref) VALUES (?, ?, ?)",
                            {name, 1, index});
}

// Writes the value the command text gives its keys, from the last key to the
// first.  False when the command was refused and nothing was written.
bool write_command_value(CommandContext& ctx, const DeviceSettings& settings,
                         const std::vector<std::string>& keys, const std::string& command_text,
                         CommandOutcome& outcome) {
    AppState& app = ctx.app;
    const std::vector<std::string> key_words = split_at_blanks(command_text);
    if (iequals(command_text, "shutdown")) {
        write_all(settings, keys, "down");
    } else if (iequals(command_text, "no shutdown")) {
        write_all(settings, keys, "up");
    } else if (is_one_of(command_text,
                         {"ip routing", "login", "ipx routing", "cdp run", "cdp advertise-v2",
                          "vtp pruning", "snmp-server enable traps vtp", "switchport port-security",
                          "interface loopback", "ip domain-lookup"})) {
        write_all(settings, keys, "enable");
        if (iequals(command_text, "interface loopback")) create_loopback(app);
    } else if (iequals(command_text, "no switchport port-security")) {
        disable_port_security(app, settings, keys);
    } else if (is_one_of(command_text, {"no ip domain-lookup", "no ip routing", "no cdp run",
                                        "no ipx routing", "no cdp advertise-v2", "no vtp pruning",
                                        "no snmp-server enable traps vtp"})) {
        write_all(settings, keys, "disable");
    } else if (is_one_of(command_text, {"no banner motd", "no ip route", "no ip address"})) {
        if (iequals(command_text, "no ip address") &&
            app.console.device.device_kind != DeviceKind::Router) {
            // The management address goes, and with it its LAN rows.
            if (auto old = settings.read("FastEthernet1_ip_address"))
                app.session.execute(
                    "DELETE FROM " + db::quote_identifier("eth_iplist") + " WHERE sub_ip = ?",
                    {*old});
        }
        write_all(settings, keys, "unassigned");
    } else if (iequals(command_text, "switchport mode trunk")) {
        write_all(settings, keys, "trunk");
    } else if (iequals(command_text, "switchport mode access")) {
        write_all(settings, keys, "access");
    } else if (!key_words.empty() && iequals(key_words[0], "no")) {
        // Any other negation must not store the value it names.
        reset_all(settings, keys);
    } else {
        if (iequals(command_text, "hostname") && host_name_taken(settings, ctx.line.typed(1))) {
            outcome.response = kHostNameInUse;
            return false;
        }
        write_line_values(ctx.line, keys, 0, [&](const std::string& key, const std::string& value) {
            settings.write(key, value);
        });
    }

    return true;
}

}  // namespace

CommandOutcome set_config_variables(CommandContext& ctx) {
    AppState& app = ctx.app;
    auto& console = app.console;
    const auto& line = ctx.line;
    std::vector<std::string> keys = line.parameters;
    CommandOutcome outcome;
    const std::string& device = console.device.current_device;
    const DeviceKind kind = console.device.device_kind;
    const std::string command_text = trim_trailing_blanks(line.matched_words);
    const std::vector<std::string> key_words = split_at_blanks(command_text);

    if (line.word(0) == "ip" && line.word(1) == "address" && kind == DeviceKind::Pc) {
        console.mode.config_prefix = "ethernet0";
        console.mode.current_interface = "ethernet0";
    }
    compose_keys(keys, console.mode.config_prefix, kind, key_words);
    redirect_vlan1_keys(keys);

    const DeviceSettings settings(app.session, app.table_set, device);

    if (key_words == std::vector<std::string>{"ip", "address"}) {
        const std::string& address = line.typed(2);
        const std::string& mask = line.typed(3);
        const DeviceScope scope{app.session, app.table_set, device};
        // A workstation's one interface is its Ethernet interface, however
        // the network spells its name; a switch is known by its management
        // address alone.
        const CommandOutcome checked =
            kind == DeviceKind::Pc
                ? set_interface_address(
                      scope, kind,
                      find_interface(app.session, app.table_set, device, "ethernet", "0")
                          .value_or(console.mode.config_prefix),
                      address, mask)
                : set_management_address(
                      scope, settings.read("FastEthernet1_ip_address").value_or(""), address, mask);
        if (checked.refused || checked.response) return checked;
    }

    if (iequals(command_text, "disconnect")) {
        disconnect_session(settings, keys, line.typed(1));
        return outcome;
    }

    if (iequals(command_text, "no ip address") && console.mode.config_prefix == "loopback")
        settings.write("loopback_int", "disable");

    if (!write_command_value(ctx, settings, keys, command_text, outcome)) return outcome;

    if (is_one_of(command_text, {"hostname", "no hostname"}))
        if (auto name = settings.read("hostname")) console.device.host_name = *name;
    return outcome;
}

namespace {

// ------------------------------------------------------------ interface rows

// One row of an interface table, written column by column.  Columns the
// table lacks, and the columns that identify the row, are never written.
class InterfaceRow {
public:
    InterfaceRow(db::DatabaseSession& session, std::string table, std::string where,
                 std::vector<db::Value> keys, std::initializer_list<std::string_view> fixed)
        : session_(session),
          table_(std::move(table)),
          where_(std::move(where)),
          keys_(std::move(keys)),
          columns_(session.column_names(table_)),
          fixed_(fixed) {}

    void write(std::string_view column, const db::Value& value) const {
        auto name = writable(column);
        if (!name) return;
        std::vector<db::Value> params{value};
        params.insert(params.end(), keys_.begin(), keys_.end());
        session_.execute("UPDATE " + db::quote_identifier(table_) + " SET " +
                             db::quote_identifier(*name) + " = ? " + where_,
                         params);
    }

    // The value a column holds before anything is configured.
    std::string default_of(std::string_view column) const {
        if (const auto* table = state::SchemaRegistry::instance().find(table_))
            if (const auto* def = table->column(column); def && def->default_value)
                return *def->default_value;
        return std::string(state::marker::kNotSet);
    }

    void write_all(const std::vector<std::string>& columns, const db::Value& value) const {
        for (const auto& column : columns) write(column, value);
    }

    void reset_all(const std::vector<std::string>& columns) const {
        for (const auto& column : columns) write(column, default_of(column));
    }

private:
    std::optional<std::string> writable(std::string_view column) const {
        for (auto f : fixed_)
            if (iequals(f, column)) return std::nullopt;
        for (const auto& name : columns_)
            if (iequals(name, column)) return name;
        return std::nullopt;
    }

    db::DatabaseSession& session_;
    std::string table_;
    std::string where_;
    std::vector<db::Value> keys_;
    std::vector<std::string> columns_;
    std::vector<std::string_view> fixed_;
};

void set_interface_status(AppState& app, const std::string& interface, std::int64_t device_index,
                          bool up) {
    for (const auto& view : routing_views(app.table_set))
        app.session.execute("UPDATE " + db::quote_identifier(view) +
                                " SET int_status = ? WHERE int_name = ? AND ref = ?",
                            {up ? 1 : 0, interface, device_index});
}

// "encapsulation frame-relay [type]": the encapsulation, then its type.
void write_frame_relay_encapsulation(const InterfaceRow& row, const std::vector<std::string>& names,
                                     const std::string& type_word) {
    if (!names.empty()) row.write(names[0], "framerelay");
    // The end marker typed as a word ("e") chooses no type: it is never stored.
    const bool no_type = type_word.empty() || type_word == state::marker::kEndCmd;
    if (names.size() > 1) row.write(names[1], no_type ? "cisco" : type_word);
}

CommandOutcome configure_interface(CommandContext& ctx, const std::vector<std::string>& names,
                                   std::int64_t device_index) {
    AppState& app = ctx.app;
    const auto& line = ctx.line;
    const auto& w = line.command_words;
    const std::string& interface = app.console.mode.current_interface;
    const std::string& device = app.console.device.current_device;
    const DeviceKind kind = app.console.device.device_kind;
    const InterfaceRow row(app.session, "int_det", "WHERE int_name = ? AND ref = ?",
                           {interface, device_index}, {"index", "int_name", "ref"});
    auto write_value = [&](const std::string& column, const std::string& value) {
        row.write(column, value);
    };

    // ISDN commands belong to ISDN interfaces, and a dialer-like interface
    // takes nothing; such a line is refused before anything is written.
    if (!is_isdn_interface(interface) && (icontains(interface, "dail") || w[0] == "isdn"))
        return CommandOutcome::refuse();

    if (w[0] == "frame-relay" && w[1] == "lmi-type" && !is_serial_interface(interface))
        return CommandOutcome::refuse();

    std::size_t position = 0;
    if (w[0] == "ip" && w[1] == "address") {
        const std::string& address = line.typed(2);
        const std::string& mask = line.typed(3);
        const CommandOutcome checked = set_interface_address({app.session, app.table_set, device},
                                                             kind, interface, address, mask);
        if (checked.refused || checked.response) return checked;
        position = write_line_values(line, names, 0, write_value);
    }

    if (w[0] == "encapsulation" && w[1] == "frame-relay") {
        if (!is_serial_interface(interface)) return CommandOutcome::refuse();
        write_frame_relay_encapsulation(row, names, w[2]);
        return CommandOutcome::done();
    }

    const bool negation = w[0] == "no";
    const bool address_removal = negation && w[1] == "ip" && w[2] == "address";
    if (address_removal && kind != DeviceKind::Switch) {
        if (!clear_int_ip({app.session, app.table_set, device}, kind, interface))
            return CommandOutcome::refuse();
    }

    if (w[0] == "shutdown") {
        // The loopback0 interface cannot be shut.
        if (interface != "loopback0") {
            row.write_all(names, "down");
            set_interface_status(app, interface, device_index, false);
        }
    } else if (negation && w[1] == "shutdown") {
        row.write_all(names, "up");
        set_interface_status(app, interface, device_index, true);
    } else if (w[0] == "cdp" && w[1] == "enable") {
        row.write_all(names, "enabled");
    } else if (negation && w[1] == "cdp" && w[2] == "enable") {
        row.write_all(names, "disabled");
    } else if (negation && ((w[1] == "clock" && w[2] == "rate") || w[1] == "bandwidth")) {
        row.write_all(names, state::marker::kNotSet);
    } else if (negation && !address_removal) {
        // Any other negation puts the setting back as it was before it was
        // configured, and never stores the value it names.
        row.reset_all(names);
    }

    if (!negation) write_line_values(line, names, position, write_value);
    return CommandOutcome::done();
}

void configure_subinterface(CommandContext& ctx, const std::vector<std::string>& names,
                            std::int64_t device_index) {
    AppState& app = ctx.app;
    const auto& tables = app.table_set;
    const auto& mode = app.console.mode;
    const auto& w = ctx.line.command_words;
    db::Recordset frame_interface = app.session.open_recordset(
        "SELECT i.\"index\" FROM " + db::quote_identifier(tables.frame_ip_table) +
            " AS i INNER JOIN " + db::quote_identifier(tables.frame_device_table) +
            " AS d ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name = ? ORDER BY i.rowid "
            "LIMIT 1",
        {app.console.device.current_device, mode.current_interface});
    if (frame_interface.eof()) return;
    const std::int64_t frame_index = frame_interface.field(0).to_int();
    const InterfaceRow row(app.session, tables.frame_map_table, "WHERE ref = ? AND subint_num = ?",
                           {frame_index, mode.subinterface_number},
                           {"map_id", "subint_num", "ref"});
    const std::string name = mode.current_interface + "." + mode.subinterface_number;

    if (w[0] == "shutdown" || (w[0] == "no" && w[1] == "shutdown")) {
        const bool up = w[0] == "no";
        app.session.execute("UPDATE " + db::quote_identifier(tables.frame_map_table) +
                                " SET shutdown = ? WHERE ref = ? AND subint_num = ?",
                            {up ? 1 : 0, frame_index, mode.subinterface_number});
        set_interface_status(app, name, device_index, up);
    } else if (w[0] == "encapsulation" && w[1] == "frame-relay") {
        write_frame_relay_encapsulation(row, names, w[2]);
    } else if (w[0] == "no") {
        row.reset_all(names);
    } else {
        write_line_values(
            ctx.line, names, 0,
            [&](const std::string& column, const std::string& value) { row.write(column, value); });
    }
}

}  // namespace

CommandOutcome config_interface(CommandContext& ctx) {
    AppState& app = ctx.app;
    auto& mode = app.console.mode;
    if (mode.current_interface == "loopback")
        mode.current_interface = "loopback" + std::to_string(mode.loopback_number);
    db::Recordset owner =
        app.session.open_recordset("SELECT \"index\" FROM " + db::quote_identifier("int_device") +
                                       " WHERE dev_name = ? ORDER BY rowid LIMIT 1",
                                   {app.console.device.current_device});
    if (owner.eof()) return CommandOutcome::done();
    const std::int64_t device_index = owner.field(0).to_int();
    // A subinterface's settings live in its own row.
    if (mode.mode_suffix == state::CommandMode::ConfigSubif) {
        configure_subinterface(ctx, ctx.line.parameters, device_index);
        return CommandOutcome::done();
    }
    return configure_interface(ctx, ctx.line.parameters, device_index);
}

}  // namespace vexlab::commands
