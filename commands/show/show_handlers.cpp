#include "commands/show/show_handlers.h"

#include "commands/show/show_output.h"
#include "commands/show/show_template.h"
#include "commands/show/startup_config.h"
#include "state/app_state.h"

namespace vexlab::commands {

namespace {

using state::CommandContext;
using state::CommandOutcome;
using state::DeviceKind;

// show ..., write terminal.
CommandOutcome show_output(CommandContext& ctx) {
    auto& device = ctx.console.device;
    const auto& words = ctx.line.command_words;
    std::string key;
    if (words[0] == "write") {
        key = words[0] + " " + words[1];
    } else {
        // The show keys name a router or a switch by its kind; the word stays
        // with the console as its model until the device changes.
        if (words[1] != "history" && words[1] != "clock" && device.device_kind != DeviceKind::Pc)
            device.device_model = show::device_word(device.device_kind, device.device_model);
        key = show::show_key({words.begin(), words.end()}, device.device_kind, device.device_model);
    }

    show::ShowContext context(ctx.session, ctx.tables);
    context.device = device.current_device;
    context.host_name = device.host_name;
    context.current_interface = ctx.console.mode.current_interface;
    context.loopback_number = ctx.console.mode.loopback_number;
    context.command_line = ctx.line.text;
    context.command_words.assign(words.begin(), words.end());
    context.history = ctx.console.command_history;
    context.opened_at = ctx.console.opened_at;
    context.now = ctx.app.clock();
    context.template_path = ctx.app.program_file(show::kTemplateFileName);

    show::ShowOutput out = show::build_show_output(key, context);
    ctx.console.mode.current_interface = out.current_interface;
    // The response is the catalogue's: the rows that end a show line say
    // "nill", so the listing follows the command line directly.
    CommandOutcome outcome = CommandOutcome::done();
    outcome.output = std::move(out.text);
    return outcome;
}

// copy running-config startup-config, write memory.
CommandOutcome save_running_config(CommandContext& ctx) {
    const auto& device = ctx.console.device;
    show::save_running_config(ctx.session, ctx.tables, device.current_device, device.device_kind,
                              device.device_model, ctx.app.program_file(show::kTemplateFileName));
    return CommandOutcome::done();
}

// erase startup-config, write erase.
CommandOutcome erase_startup_config(CommandContext& ctx) {
    const std::string key =
        ctx.line.word(0) == "write" ? std::string(show::kStartupConfigKey) : ctx.line.word(1);
    show::erase_startup_config(ctx.session, ctx.tables, ctx.console.device.current_device, key);
    return CommandOutcome::done();
}

// resume <session>: the console goes to the device of that telnet session.
CommandOutcome resume_telnet_session(CommandContext& ctx) {
    const auto target = show::resume_telnet_session(ctx.session, ctx.tables, ctx.line.typed(1));
    if (!target) return CommandOutcome::done();
    auto& device = ctx.console.device;
    device.current_device = target->device;
    device.host_name = target->host_name;
    if (target->device_kind) {
        device.device_kind = *target->device_kind;
        device.device_model = target->device_model;
    }
    CommandOutcome outcome = CommandOutcome::say(std::string(state::marker::kNill));
    // A workstation has its one mode; every other device starts at the user
    // prompt.
    outcome.mode =
        device.device_kind == DeviceKind::Pc ? state::CommandMode::Pc : state::CommandMode::User;
    return outcome;
}

}  // namespace

void register_show_handlers(state::HandlerRegistry& registry) {
    registry.add("build_show_output", show_output);
    registry.add("save_running_config", save_running_config);
    registry.add("erase_startup_config", erase_startup_config);
    registry.add("resume_telnet_session", resume_telnet_session);
}

}  // namespace vexlab::commands
