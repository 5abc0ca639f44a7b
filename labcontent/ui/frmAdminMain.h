#pragma once
// The administrator home: its menus start the editing tasks of the lab
// content and open the example labs for editing.

#include <initializer_list>

#include "labcontent/admin_state.h"
#include "labcontent/ui/admin_area.h"
#include "labcontent/ui/admin_window.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;

namespace vexlab::labcontent {

class frmAdminMain : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdminMain(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void mnuSimLabs_Click();

    QMenuBar* menu_bar = nullptr;
    QMenu* mnulab = nullptr;
    QAction* mnulabadd = nullptr;
    QMenu* mnulabmod = nullptr;
    QMenu* mnuinst = nullptr;
    QAction* mnuaddins = nullptr;
    QAction* mnuInsertIns = nullptr;
    QAction* mnumdins = nullptr;
    QAction* mnudelins = nullptr;
    QMenu* mnucmd = nullptr;
    QAction* mndaddcmd = nullptr;
    QAction* mnuInsertCommand = nullptr;
    QAction* mnumdcmd = nullptr;
    QAction* mnudelcmd = nullptr;
    QAction* mnulabdel = nullptr;
    QMenu* mnuexam = nullptr;
    QMenu* mnuSim = nullptr;
    QAction* mnuSimLabs = nullptr;
    QPushButton* Command1 = nullptr;

private:
    // A menu item that starts a task: sets its flags and opens its window.
    QAction* task(QMenu* menu, const char* name, const char* caption, AdminForm form,
                  std::initializer_list<bool AdminEditState::*> flags);
};

}  // namespace vexlab::labcontent
