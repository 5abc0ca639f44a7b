#pragma once
// "Load the Lab": a lab's network file put into the working tables, with the
// console attached to the network's first device, as Open Exported File does
// for a file the user picks.

#include <functional>
#include <string>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

struct LabLoadOutcome {
    bool loaded = false;
    std::string message;  // why not, when not loaded
};

// Loads `network_file` (a full path).  `progress` hears the finished steps,
// 1 to 10.  When the file cannot be loaded the network on screen stays as it
// was.
LabLoadOutcome load_example_lab(state::AppState& app, const std::string& network_file,
                                const std::function<void(int)>& progress);

}  // namespace vexlab::labs
