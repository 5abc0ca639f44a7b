#include "labs/lab_diagram.h"

#include <algorithm>

#include "labs/lab_run.h"
#include "labs/lab_tables.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

std::string LabDeviceChooser::picture_path() const {
    state::AppState& app = practice_.app();
    const auto sublab = find_sublab(app.session, app.selected_sublab);
    if (!sublab || sublab->networkpath.empty() || sublab->networkpath == kNoText) return {};
    // Stored paths are relative to the program folder and may use either
    // separator.
    std::string relative = sublab->networkpath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return app.program_file(relative);
}

std::vector<std::string> LabDeviceChooser::entries() const {
    const LabRun& run = practice_.run();
    std::vector<std::string> list;
    for (const std::string& device : run.lab_devices) {
        if (device.empty()) continue;
        list.push_back(device == run.instruction_device ? "*" + device : device);
    }
    return list;
}

void LabDeviceChooser::choose(const std::string& entry) {
    if (entry.empty()) return;
    practice_.run().selected_lab_device = entry;
    practice_.app().console.device.host_name = entry;
}

LabDeviceChooser::Outcome LabDeviceChooser::select_and_exit(const std::string& combo_text) {
    if (combo_text.empty() || combo_text == kDevicesPlaceholder) return Outcome::Close;
    std::string& host = practice_.app().console.device.host_name;
    LabRun& run = practice_.run();
    if (host.find('*') != std::string::npos) {
        host.erase(0, 1);
        run.selected_lab_device = host;
    }
    if (host != run.instruction_device) {
        practice_.dialogs().message(kSelectDeviceTitle, kSelectDeviceMessage, platform::Icon::None);
        return Outcome::StayOpen;
    }
    practice_.take_chosen_device();
    return Outcome::Close;
}

}  // namespace vexlab::labs
