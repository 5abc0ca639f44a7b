#include "labs/example_lab_load.h"

#include "state/app_state.h"

namespace vexlab::labs {

LabLoadOutcome load_example_lab(state::AppState&, const std::string& network_file,
                                const std::function<void(int)>&) {
    return {false, "The network file could not be loaded.\n\n" + network_file};
}

}  // namespace vexlab::labs
