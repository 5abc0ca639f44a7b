#include "reachability/reachability_handlers.h"

namespace vexlab::reachability {

void register_reachability_handlers(state::HandlerRegistry& registry) {
    // Not built yet: these refuse their lines until the path search exists.
    registry.add_unbuilt("ping");
    registry.add_unbuilt("traceroute");
    registry.add_unbuilt("telnet");
}

}  // namespace vexlab::reachability
