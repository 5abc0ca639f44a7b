#pragma once
// The administrator area: the login, the administrator home and the chains
// of editing windows.  Each window shows the next one and unloads itself;
// the area owns them all and tells its owner when the area is left, so the
// main window gets its input back however the last window went.

#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "labcontent/admin_state.h"
#include "labcontent/lab_content_store.h"

class QWidget;

namespace vexlab::state {
struct AppState;
}
namespace vexlab::platform {
class UserDialogs;
}

namespace vexlab::labcontent {

class AdminWindow;

enum class AdminForm {
    Login,                   // frmAdminLogin
    Home,                    // frmAdminMain
    SublabEnter,             // frmAdminSublabEnter
    DeleteSublab,            // frmadmDelSublab
    InstructionEnter,        // frmAdmInsEnter
    CommandIndex,            // frmAdmCmdModify
    CommandsEnter,           // frmAdminCmdsEnter
    CommandModify,           // frmAdmCmdsmodify
    InsertCommandIndex,      // frmInsertcmdIndex
    InsertCommand,           // frmInsertCommand
    Selector,                // frmAdminInsModify
    InstructionModify,       // frmInsModIndex
    InsertInstructionIndex,  // frmInserinsIndex
    InsertInstruction,       // frmInsertIns
};

class AdminArea : public QObject {
    Q_OBJECT
public:
    AdminArea(state::AppState& app, platform::UserDialogs& dialogs);
    ~AdminArea() override;

    // The Administrator menu: the login window.
    void start();
    // Loads and shows a window of the area (created on first use).
    AdminWindow* show(AdminForm form);
    // The area is left (the login's or the home's Back).
    void finish();

    // The window of a form, once it has been shown.
    AdminWindow* window(AdminForm form) const;
    template <typename T>
    T* window_as(AdminForm form) const {
        return dynamic_cast<T*>(window(form));
    }

    AdminEditState& edit() { return edit_; }
    LabContentStore& store() { return store_; }
    state::AppState& app() { return app_; }
    platform::UserDialogs& dialogs() { return dialogs_; }

    // Opens the example labs for editing over the home; the program wires it
    // where that window exists.  The home's menu item is offered only then.
    std::function<void(QWidget* home)> open_example_labs;

signals:
    void finished();

private:
    std::unique_ptr<AdminWindow> create(AdminForm form);

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    AdminEditState edit_;
    LabContentStore store_;
    std::map<AdminForm, std::unique_ptr<AdminWindow>> windows_;
};

}  // namespace vexlab::labcontent
