#pragma once
// "Load the Lab": the network of a lab of the example labs, found through
// "load_labs.txt", put into the working tables with the network loader, so
// the console attaches to the network's first device as Open Exported File
// makes it do for a file the user picks.

#include <functional>
#include <string>
#include <string_view>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

enum class LabLoadResult {
    Loaded,
    NotListed,  // the lab has no network in the index
    Refused,    // the network file could not be loaded; nothing changed
};

struct LabLoadOutcome {
    LabLoadResult result = LabLoadResult::Loaded;
    std::string network_file;  // the full path, once known
    std::string message;       // why not, when refused
};

inline constexpr const char* kLabNotListed = "Not able to find the Lab Path";
inline constexpr const char* kLabLoaded = "Lab has been Successfully loaded into the Simulator";

// The number of steps `progress` counts up to.
int lab_load_steps();

// Looks the lab up and loads its network.  `progress` hears the finished
// steps from the moment the file is known.  A lab that is not listed, or a
// file that is refused, leaves the network on screen as it was.
LabLoadOutcome load_example_lab(state::AppState& app, std::string_view lab_name,
                                const std::function<void(int steps_done)>& progress = {});

}  // namespace vexlab::labs
