#include "reachability/reachability_handlers.h"

#include "reachability/reachability_commands.h"
#include "state/console_session.h"

namespace vexlab::reachability {

namespace {

ConsoleAt console_of(const state::CommandContext& ctx) {
    return {ctx.console.device.current_device, ctx.console.device.device_kind};
}

state::CommandOutcome ping(state::CommandContext& ctx) {
    return state::CommandOutcome::say(
        ping_command(ctx.session, ctx.tables, console_of(ctx), ctx.line.text));
}

state::CommandOutcome traceroute(state::CommandContext& ctx) {
    return state::CommandOutcome::say(
        traceroute_command(ctx.session, ctx.tables, console_of(ctx), ctx.line.text));
}

// A telnet that reaches its target moves the console there; one that does not
// leaves the console where it was, in the mode the line was typed in.
state::CommandOutcome telnet(state::CommandContext& ctx) {
    const TelnetOutcome outcome = telnet_command(ctx.session, ctx.tables, console_of(ctx),
                                                 ctx.line.text, ctx.console.telnetsession_count);
    ctx.console.telnetsession_count = outcome.telnetsession_count;
    if (!outcome.session) {
        state::CommandOutcome failed = state::CommandOutcome::say(outcome.response);
        failed.mode = ctx.line.typed_mode;
        return failed;
    }
    switch_console(ctx.console, *outcome.session);
    state::CommandOutcome landed = state::CommandOutcome::done();
    if (outcome.session->device_kind == state::DeviceKind::Pc) landed.mode = state::CommandMode::Pc;
    return landed;
}

}  // namespace

void register_reachability_handlers(state::HandlerRegistry& registry) {
    registry.add("ping", ping);
    registry.add("traceroute", traceroute);
    registry.add("telnet", telnet);
}

}  // namespace vexlab::reachability
