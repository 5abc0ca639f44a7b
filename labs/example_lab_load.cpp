#include "labs/example_lab_load.h"

#include "labs/example_labs.h"
#include "networkfiles/network_loader.h"
#include "state/app_state.h"

namespace vexlab::labs {

int lab_load_steps() {
    return networkfiles::load_steps(state::NetworkLoad::LabNetwork);
}

LabLoadOutcome load_example_lab(state::AppState& app, std::string_view lab_name,
                                const std::function<void(int)>& progress) {
    LabLoadOutcome outcome;
    const std::string stored = find_lab_network(app.program_folder, lab_name);
    if (stored.empty()) {
        outcome.result = LabLoadResult::NotListed;
        return outcome;
    }
    outcome.network_file = program_path(app.program_folder, stored);
    try {
        // The load records the file and its kind, so the console's reload
        // loads this lab again.
        networkfiles::load_network(app, outcome.network_file, state::NetworkLoad::LabNetwork,
                                   progress);
    } catch (const networkfiles::LoadError& error) {
        outcome.result = LabLoadResult::Refused;
        outcome.message = error.message();
    }
    return outcome;
}

}  // namespace vexlab::labs
