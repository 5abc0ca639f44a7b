#pragma once
// The program's start: the shared state, the settings store and the main
// window, in the order the program relies on.

#include <QObject>
#include <memory>
#include <string>

#include "platform/registry_store.h"
#include "platform/ui/qt_user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::app {

class frmMain;

struct ProgramOptions {
    std::string program_folder;  // the executable's folder
    std::string registry_file;   // the per-user settings store
};

class Program : public QObject {
    Q_OBJECT
public:
    Program(ProgramOptions options, platform::UserDialogs* dialogs = nullptr);
    ~Program() override;

    // Loads and shows the main window at the top-left corner.  Answers false
    // (after telling the user why) when the program cannot run.
    bool Main();

    frmMain* main_window() const { return main_.get(); }
    state::AppState& state() { return state_; }

protected:
    // The help key opens the help page the help menu named, in any window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramOptions options_;
    state::AppState state_;
    platform::RegistryStore registry_;
    platform::QtUserDialogs qt_dialogs_;
    platform::UserDialogs* dialogs_;
    std::unique_ptr<frmMain> main_;
};

// Identity of the program shown by its windows.
void set_application_identity();

}  // namespace vexlab::app
