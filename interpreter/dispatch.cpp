#include "interpreter/dispatch.h"

#include "commands/config/subinterfaces.h"
#include "platform/text.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

namespace {

using state::CommandContext;
using state::CommandMode;
using state::CommandOutcome;
using state::DeviceKind;

bool word_fits(std::string_view pattern, const std::string& word) {
    if (pattern == "*") return true;
    if (pattern.empty()) return word.empty();
    for (const auto& choice : text::split(pattern, "|"))
        if (choice == word) return true;
    return false;
}

// Entering an interface: the prefix of its setting keys and the interface
// being configured, with the guards that keep a main interface and its
// subinterfaces apart.
CommandOutcome enter_interface(CommandContext& ctx) {
    auto& mode = ctx.console.mode;
    const auto& line = ctx.line;
    if (ctx.console.device.device_kind == DeviceKind::Switch) {
        mode.config_prefix = line.word(1) + line.typed(2);
        mode.switch_port = line.typed(2);
        return CommandOutcome::done();
    }
    const commands::DeviceScope scope{ctx.session, ctx.tables, ctx.console.device.current_device};
    // Both subinterface forms the catalogue offers enter the subinterface.
    if (line.word(1) == "serial" &&
        (line.word(3) == "point-to-point" || line.word(3) == "multipoint")) {
        mode.config_prefix = "serial" + mode.interface_number;
        CommandOutcome outcome =
            commands::enter_subinterface(scope, mode.current_interface, mode.subinterface_number);
        if (outcome.refused) return outcome;
        if (outcome.response) {
            mode.current_interface.clear();
            mode.config_prefix = state::marker::kNill;
            outcome.mode = CommandMode::Config;
            return outcome;
        }
        outcome.mode = CommandMode::ConfigSubif;
        return outcome;
    }
    CommandOutcome outcome;
    if (!line.word(2).empty()) {
        mode.config_prefix = line.word(1) + line.word(2);
        mode.current_interface = mode.config_prefix;
    } else if (!mode.current_interface.empty()) {
        // The number was an argument: its check chose the interface, and the
        // setting keys of the interface follow it.
        mode.config_prefix = mode.current_interface;
    }
    if (commands::has_subinterfaces(scope, mode.current_interface)) {
        mode.config_prefix = state::marker::kNill;
        mode.current_interface.clear();
        outcome = CommandOutcome::say(
            "Please remove the subinterfaces before you configure an interface");
        outcome.mode = CommandMode::Config;
    }
    mode.interface_number.clear();
    mode.subinterface_number.clear();
    return outcome;
}

// "line console 0", "line vty 0 4": the keys of the line's settings.
CommandOutcome enter_line(CommandContext& ctx) {
    ctx.console.mode.config_prefix = ctx.line.word(0) + ctx.line.word(1);
    return CommandOutcome::done();
}

// "router rip|ospf|eigrp": the routing process the next commands configure.
CommandOutcome enter_router(CommandContext& ctx) {
    auto& protocol = ctx.console.mode.routing_protocol;
    const std::string& process = ctx.line.word(1);
    if (process == "rip")
        protocol = "r";
    else if (process == "ospf")
        protocol = "o";
    else if (process == "eigrp")
        protocol = "e";
    return CommandOutcome::done();
}

}  // namespace

const std::vector<DispatchRow>& dispatch_rows() {
    using M = CommandMode;
    static const std::vector<DispatchRow> rows = {
        {1, {"show"}, "build_show_output"},
        {2, {"copy"}, "save_running_config"},
        {3, {"erase"}, "erase_startup_config"},
        {4, {"resume"}, "resume_telnet_session"},
        {5, {"ping"}, "ping"},
        {6, {"traceroute"}, "traceroute"},
        {7, {"interface"}, "enter_interface"},
        {8, {"line"}, "enter_line"},
        {9, {"no", "router", "rip|ospf|eigrp"}, "remove_routing_protocol"},
        {10, {"vlan", "database"}, ""},
        {10, {"vlan"}, "config_vlan"},
        {10, {"no", "vlan"}, "config_vlan"},
        {11, {"vtp", "server|client|transparent"}, "set_vtp_mode"},
        {12, {"network"}, "config_network"},
        {13, {"router"}, "enter_router"},
        {14, {"area", "", "virtual-link"}, "config_virtual_link"},
        {14, {"area", "", "stub"}, "config_stub_area"},
        {14, {"area"}, ""},
        {15, {"write", "erase"}, "erase_startup_config"},
        {15, {"write", "memory"}, "save_running_config"},
        {15, {"write", "terminal"}, "build_show_output"},
        {15, {"write"}, ""},
        {16, {"telnet"}, "telnet"},
        {17, {"mac-address-table"}, "add_static_mac"},
        {18, {"switchport", "port-security", "mac-address", "sticky"}, "add_secure_mac"},
        {19, {"frame-relay", "map"}, "config_frame_relay_map"},
        {21, {"no", "frame|frame-relay", "map"}, "remove_frame_relay_map"},
        {23, {"no", "ip", "address"}, "remove_subint_ip", M::ConfigSubif},
        {24, {"ip", "address"}, "set_subint_ip", M::ConfigSubif},
        {25, {"frame-relay", "interface-dlci"}, "set_interface_dlci"},
        {27, {"access-list"}, "config_access_list"},
        {28, {"ip", "access-group"}, "apply_access_group"},
        {29, {"no", "ip", "access-group"}, "remove_access_group"},
        {30, {"ip", "nat", "pool"}, "config_nat_pool"},
        {30, {"ip", "nat", "*", "*", "*", "*", "pool"}, "config_nat_pool"},
        {30, {"ip", "nat"}, "config_ip_nat"},
        {31, {"no", "access-list"}, "delete_access_list"},
        {32, {"no", "ip", "address"}, "clear_int_ip", std::nullopt, DeviceKind::Pc},
    };
    return rows;
}

const DispatchRow* dispatch_row_for(const std::array<std::string, state::kCommandWords>& words,
                                    CommandMode mode, DeviceKind kind) {
    for (const auto& row : dispatch_rows()) {
        if (row.mode && *row.mode != mode) continue;
        if (row.kind && *row.kind != kind) continue;
        bool fits = row.words.size() <= words.size();
        for (std::size_t i = 0; fits && i < row.words.size(); ++i)
            fits = word_fits(row.words[i], words[i]);
        if (fits) return &row;
    }
    return nullptr;
}

void register_interpreter_handlers(state::HandlerRegistry& registry) {
    registry.add("enter_interface", enter_interface);
    registry.add("enter_line", enter_line);
    registry.add("enter_router", enter_router);
    // The console restarts the device when the one-word command "reload"
    // matched; the line itself changes nothing.
    registry.add("reload", [](CommandContext&) { return CommandOutcome::done(); });
    // Commands the simulation accepts and keeps nothing of (a controller's
    // framing, the abbreviations of the console's own exit and logout).
    registry.add("accept_only", [](CommandContext&) { return CommandOutcome::done(); });
}

}  // namespace vexlab::interpreter
