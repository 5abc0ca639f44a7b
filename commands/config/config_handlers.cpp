#include "commands/config/config_handlers.h"

#include "commands/config/config_executors.h"
#include "commands/config/frame_relay.h"
#include "commands/config/interface_addressing.h"
#include "commands/config/interface_names.h"
#include "commands/config/nat_and_lists.h"
#include "commands/config/routing.h"
#include "commands/config/subinterfaces.h"
#include "commands/config/switching.h"
#include "platform/db_session.h"
#include "state/app_state.h"

namespace vexlab::commands {

namespace {

using state::CommandContext;
using state::CommandMode;
using state::CommandOutcome;

DeviceScope scope_of(const CommandContext& ctx) {
    return {ctx.session, ctx.tables, ctx.console.device.current_device};
}

SerialContext serial_of(const CommandContext& ctx) {
    const auto& mode = ctx.console.mode;
    return {mode.current_interface, mode.mode_suffix == CommandMode::ConfigSubif,
            mode.subinterface_number};
}

// Frame Relay commands belong to serial interfaces; on any other interface,
// or outside one, the line is not a command.
template <class Action>
state::CommandHandler on_serial_interface(Action action) {
    return [action](CommandContext& ctx) {
        if (!is_serial_interface(ctx.console.mode.current_interface))
            return CommandOutcome::refuse();
        return action(ctx);
    };
}

// "no ip address" on a workstation: its one interface loses its address.
CommandOutcome clear_workstation_ip(CommandContext& ctx) {
    const std::string& device = ctx.console.device.current_device;
    const std::string interface =
        find_interface(ctx.session, ctx.tables, device, "ethernet", "0").value_or("ethernet0");
    if (!clear_int_ip(scope_of(ctx), state::DeviceKind::Pc, interface))
        return CommandOutcome::refuse();
    return CommandOutcome::done();
}

// "no router rip|ospf|eigrp": the process named on the line, whatever
// process is being configured.
CommandOutcome remove_routing_process(CommandContext& ctx) {
    const std::string& process = ctx.line.word(2);
    const RoutingProtocol protocol = process == "rip"     ? RoutingProtocol::Rip
                                     : process == "ospf"  ? RoutingProtocol::Ospf
                                     : process == "eigrp" ? RoutingProtocol::Eigrp
                                                          : RoutingProtocol::None;
    CommandOutcome outcome = remove_routing_protocol(scope_of(ctx), protocol);
    if (!outcome.refused) ctx.console.mode.routing_protocol.clear();
    return outcome;
}

CommandOutcome remove_subinterface(CommandContext& ctx) {
    const auto& mode = ctx.console.mode;
    CommandOutcome outcome =
        remove_subint_ip(scope_of(ctx), mode.current_interface, mode.subinterface_number);
    // The mode stays, but there is no subinterface to configure any more.
    if (!outcome.refused) ctx.console.mode.subinterface_number.clear();
    return outcome;
}

}  // namespace

void register_config_handlers(state::HandlerRegistry& registry) {
    registry.add(state::kSetConfigVariables, set_config_variables);
    registry.add(state::kConfigInterface, config_interface);
    registry.add("clear_int_ip", clear_workstation_ip);

    registry.add("remove_routing_protocol", remove_routing_process);
    registry.add("config_network", [](CommandContext& ctx) {
        return config_network(scope_of(ctx), routing_protocol_of(ctx.console.mode.routing_protocol),
                              ctx.line);
    });
    const auto area = [](CommandContext& ctx) {
        return config_area(scope_of(ctx), ctx.line, ctx.app.network.virtual_link_entries);
    };
    registry.add("config_virtual_link", area);
    registry.add("config_stub_area", area);

    registry.add("config_vlan",
                 [](CommandContext& ctx) { return config_vlan(scope_of(ctx), ctx.line); });
    registry.add("set_vtp_mode",
                 [](CommandContext& ctx) { return set_vtp_mode(scope_of(ctx), ctx.line.word(1)); });
    registry.add("add_static_mac",
                 [](CommandContext& ctx) { return add_static_mac(scope_of(ctx), ctx.line); });
    registry.add("add_secure_mac", [](CommandContext& ctx) {
        return add_secure_mac(scope_of(ctx), ctx.console.mode.switch_port, ctx.line);
    });

    registry.add("config_frame_relay_map", on_serial_interface([](CommandContext& ctx) {
                     return config_frame_relay_map(scope_of(ctx), serial_of(ctx), ctx.line);
                 }));
    registry.add("remove_frame_relay_map", on_serial_interface([](CommandContext& ctx) {
                     return remove_frame_relay_map(scope_of(ctx), serial_of(ctx), ctx.line);
                 }));
    registry.add("set_interface_dlci", on_serial_interface([](CommandContext& ctx) {
                     return set_interface_dlci(scope_of(ctx), serial_of(ctx), ctx.line.argument(0));
                 }));
    registry.add("set_subint_ip", [](CommandContext& ctx) {
        const auto& mode = ctx.console.mode;
        return set_subint_ip(scope_of(ctx), mode.current_interface, mode.subinterface_number,
                             ctx.line.argument(0), ctx.line.argument(1));
    });
    registry.add("remove_subint_ip", remove_subinterface);

    registry.add("config_access_list",
                 [](CommandContext& ctx) { return config_access_list(scope_of(ctx), ctx.line); });
    registry.add("delete_access_list",
                 [](CommandContext& ctx) { return delete_access_list(scope_of(ctx), ctx.line); });
    registry.add("apply_access_group", [](CommandContext& ctx) {
        return apply_access_group(scope_of(ctx), ctx.console.mode.current_interface, ctx.line);
    });
    registry.add("remove_access_group", [](CommandContext& ctx) {
        return remove_access_group(scope_of(ctx), ctx.console.mode.current_interface, ctx.line);
    });
    registry.add("config_ip_nat", [](CommandContext& ctx) {
        return config_ip_nat(scope_of(ctx), ctx.line.typed_mode == CommandMode::Config,
                             ctx.console.mode.current_interface, ctx.line);
    });
    registry.add("config_nat_pool",
                 [](CommandContext& ctx) { return config_nat_pool(scope_of(ctx), ctx.line); });
}

void update_link_state_on_leave(state::AppState& app) {
    const auto& console = app.console;
    db::DatabaseSession::Transaction transaction(app.session);
    leave_interface_mode(
        {app.session, app.table_set, console.device.current_device}, console.device.device_kind,
        console.mode.mode_suffix,
        {console.mode.current_interface, console.mode.mode_suffix == CommandMode::ConfigSubif,
         console.mode.subinterface_number});
    transaction.commit();
}

}  // namespace vexlab::commands
