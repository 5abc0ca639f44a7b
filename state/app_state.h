#pragma once
// The program-wide state that the windows share: the one database session,
// the program folder with the paths derived from it, how windows were opened,
// and the table set in force.  One instance, owned by the program's entry and
// handed to every window.

#include <ctime>
#include <functional>
#include <string>

#include "platform/db_session.h"
#include "state/console_session.h"
#include "state/table_set.h"

namespace vexlab::state {

// How a window was opened.
struct OpenModeFlags {
    bool start_as_router = false;
    bool start_as_switch = false;
    bool labs_opened_from_main_menu = false;
    bool labs_opened_from_console = false;
    bool labs_opened_for_editing = false;
    bool lab_editor_open = false;
    bool lab_editor_edit_mode = false;
};

struct AppState {
    std::string program_folder;
    std::string logo_picture_path;  // the program folder and "/simulator-logo.gif"
    std::string help_file;          // the help page the help key opens
    OpenModeFlags open_mode;
    std::string selected_sublab;
    NetworkTableSet table_set = NetworkTableSet::default_set();
    db::DatabaseSession session;
    ConsoleSession console;
    LoadedNetwork network;
    // The wall clock the commands read; tests pin it.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };

    // A file of the program folder.
    std::string program_file(const std::string& name) const { return program_folder + "/" + name; }
};

}  // namespace vexlab::state
