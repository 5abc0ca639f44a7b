#include "commands/show/show_handlers.h"

namespace vexlab::commands {

void register_show_handlers(state::HandlerRegistry& registry) {
    // Not built yet: these refuse their lines until their services exist.
    registry.add_unbuilt("build_show_output");
    registry.add_unbuilt("save_running_config");
    registry.add_unbuilt("erase_startup_config");
    registry.add_unbuilt("resume_telnet_session");
}

}  // namespace vexlab::commands
