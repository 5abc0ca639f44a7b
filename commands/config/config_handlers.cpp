#include "commands/config/config_handlers.h"

#include "commands/config/config_executors.h"
#include "commands/config/interface_addressing.h"
#include "state/app_state.h"

namespace vexlab::commands {

namespace {

using state::CommandContext;
using state::CommandOutcome;

// "no ip address" on a workstation: its one interface loses its address.
CommandOutcome clear_workstation_ip(CommandContext& ctx) {
    const auto& mode = ctx.console.mode;
    clear_int_ip(ctx.app, ctx.console.device.current_device,
                 mode.current_interface.empty() ? "ethernet0" : mode.current_interface);
    return CommandOutcome::done();
}

}  // namespace

void register_config_handlers(state::HandlerRegistry& registry) {
    registry.add(state::kSetConfigVariables, set_config_variables);
    registry.add(state::kConfigInterface, config_interface);
    registry.add("clear_int_ip", clear_workstation_ip);

    // Not built yet: these refuse their lines until their actions exist.
    for (const char* name :
         {"remove_routing_protocol", "config_vlan", "set_vtp_mode", "config_network",
          "config_virtual_link", "config_stub_area", "add_static_mac", "add_secure_mac",
          "config_frame_relay_map", "remove_frame_relay_map", "remove_subint_ip", "set_subint_ip",
          "set_interface_dlci", "config_access_list", "apply_access_group", "remove_access_group",
          "config_ip_nat", "config_nat_pool", "delete_access_list"})
        registry.add_unbuilt(name);
}

}  // namespace vexlab::commands
