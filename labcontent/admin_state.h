#pragma once
// What the administrator windows hand each other along an editing task: the
// task the administrator home started (its mode flags) and the sublab,
// instruction and command chosen on the way.  One instance lives as long as
// the program; the home clears the flags each time it loads, the chosen
// values stay.

#include <string>

namespace vexlab::labcontent {

struct AdminEditState {
    bool add_sublab_mode = false;
    bool add_instruction_mode = false;
    bool add_command_mode = false;
    bool modify_command_mode = false;
    bool delete_command_mode = false;
    bool command_selection_mode = false;
    bool modify_instruction_mode = false;
    bool delete_instruction_mode = false;
    bool instruction_selection_mode = false;

    int chosen_sublab_index = 0;
    std::string new_sublab_name;
    int added_instruction_index = 0;
    int chosen_command_index = 0;
    int chosen_instruction_index = 0;

    void clear_modes() {
        add_sublab_mode = add_instruction_mode = add_command_mode = false;
        modify_command_mode = delete_command_mode = command_selection_mode = false;
        modify_instruction_mode = delete_instruction_mode = instruction_selection_mode = false;
    }
};

// The devices a step can be typed on, in the order the lists offer them.
inline constexpr const char* kLabDevices[] = {"R1", "R2", "R3", "S1", "S2", "S3", "WS11", "WS12"};

// The administrator's user name and password, checked against their stored
// digest; letter case counts.
bool credentials_match(const std::string& user_name, const std::string& password);

// A picture chosen in a file dialog, as the lab tables keep it: relative to
// the program folder, where the lab's diagram window looks for it.
std::string stored_picture_path(const std::string& program_folder, const std::string& chosen);

}  // namespace vexlab::labcontent
