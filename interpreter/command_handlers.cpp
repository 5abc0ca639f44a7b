#include "interpreter/command_handlers.h"

#include "commands/config/config_handlers.h"
#include "commands/show/show_handlers.h"
#include "interpreter/dispatch.h"
#include "reachability/reachability_handlers.h"

namespace vexlab::interpreter {

const state::HandlerRegistry& command_handlers() {
    static const state::HandlerRegistry registry = [] {
        state::HandlerRegistry r;
        register_interpreter_handlers(r);
        commands::register_config_handlers(r);
        commands::register_show_handlers(r);
        reachability::register_reachability_handlers(r);
        return r;
    }();
    return registry;
}

}  // namespace vexlab::interpreter
