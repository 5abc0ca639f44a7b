#pragma once
// The lab's network diagram and device chooser: the sublab's picture and
// the list of its devices, the current step's device marked with "*".
// Choosing the marked device hands the console that device and the prompt
// of its step; any other device is refused.

#include <string>
#include <vector>

namespace vexlab::labs {

class LabPractice;

inline constexpr const char* kDevicesPlaceholder = "devices";
inline constexpr const char* kSelectDeviceTitle = "Select Device";
inline constexpr const char* kSelectDeviceMessage =
    "Please select appropriate device (denoted by *)";

class LabDeviceChooser {
public:
    explicit LabDeviceChooser(LabPractice& practice) : practice_(practice) {}

    // The sublab's network picture in the program folder; empty when the
    // sublab has none.
    std::string picture_path() const;

    // The list as it drops down.
    std::vector<std::string> entries() const;

    // An entry was chosen: the console's device and host name take it as
    // it stands, mark included, until Select & Exit checks it.
    void choose(const std::string& entry);

    enum class Outcome { Close, StayOpen };
    // Select & Exit with the combo box showing `combo_text`.
    Outcome select_and_exit(const std::string& combo_text);

private:
    LabPractice& practice_;
};

}  // namespace vexlab::labs
