#pragma once
// What the main window does, without the window: its load registers the data
// source, opens the database session and builds the Lab Exercises menus; its
// menu items set the open-mode flags; its unload closes the session.

#include <memory>
#include <stdexcept>
#include <string>

#include "app/lab_menus.h"
#include "platform/data_source.h"
#include "platform/registry_store.h"
#include "state/app_state.h"

namespace vexlab::app {

// The program cannot start: the message tells the user what failed (never a
// statement; those go to the log).
class StartError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MainWindowModel {
public:
    MainWindowModel(state::AppState& state, platform::RegistryStore& registry);

    // The work of the window's load.  First removes the temporary files that
    // saves of this machine killed in an earlier run left in the folders the
    // program writes.  Throws StartError when the settings cannot be
    // written, or the database cannot be opened or cannot serve the program
    // (damaged pages, a table or a column of the schema missing, a shipped
    // default-network copy that differs from its table, a table shipped
    // filled that is empty, a level of the command catalogue that lacks the
    // words the level before announces, any database error while the menus
    // are read); the session is closed again then.
    void form_load();
    // Closes the connection, then the workspace.
    void form_unload();

    const LabMenus& lab_menus() const { return lab_menus_; }
    bool loaded() const { return loaded_; }

    // Menu choices.
    void router_simulator_chosen() { state_.open_mode.start_as_router = true; }
    void switch_simulator_chosen() { state_.open_mode.start_as_switch = true; }
    // A Lab Exercises item: the sublab the exercise opens on.
    void lab_item_chosen(int group, int index);
    // A help item: the page the help key opens.
    void help_chosen();

    state::AppState& state() { return state_; }

private:
    state::AppState& state_;
    platform::RegistryStore& registry_;
    std::unique_ptr<platform::Workspace> workspace_;
    LabMenus lab_menus_;
    bool loaded_ = false;
};

inline constexpr const char* kWorkspaceName = "CommandsODBCWorkspace";
inline constexpr const char* kWorkspaceUser = "tovek";
inline constexpr const char* kConnectionName = "Connection1";
inline constexpr const char* kHelpIndex = "help/index.html";

}  // namespace vexlab::app
