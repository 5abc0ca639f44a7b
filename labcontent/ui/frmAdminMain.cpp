#include "labcontent/ui/frmAdminMain.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "state/app_state.h"

namespace vexlab::labcontent {

frmAdminMain::frmAdminMain(AdminArea& area) : AdminWindow(area, "frmAdminMain", "Admin Main") {
    resize(520, 300);
    auto* layout = new QVBoxLayout(this);
    menu_bar = new QMenuBar(this);
    layout->setMenuBar(menu_bar);

    auto menu = [](QMenu* parent_menu, QMenuBar* bar, const char* name, const char* caption) {
        QMenu* m = parent_menu ? parent_menu->addMenu(caption) : bar->addMenu(caption);
        m->setObjectName(name);
        return m;
    };
    using E = AdminEditState;
    mnulab = menu(nullptr, menu_bar, "mnulab", "Labs");
    mnulabadd = task(mnulab, "mnulabadd", "Add", AdminForm::SublabEnter, {&E::add_sublab_mode});
    mnulabmod = menu(mnulab, nullptr, "mnulabmod", "Modify");
    mnuinst = menu(mnulabmod, nullptr, "mnuinst", "Insruction");
    mnuaddins = task(mnuinst, "mnuaddins", "AddInstuction", AdminForm::InstructionEnter,
                     {&E::add_instruction_mode});
    mnuInsertIns =
        task(mnuinst, "mnuInsertIns", "Insert Instruction", AdminForm::InsertInstructionIndex, {});
    mnumdins = task(mnuinst, "mnumdins", "ModifyInstruction", AdminForm::Selector,
                    {&E::instruction_selection_mode, &E::modify_instruction_mode});
    mnudelins = task(mnuinst, "mnudelins", "DeleteInstruction", AdminForm::Selector,
                     {&E::instruction_selection_mode, &E::delete_instruction_mode});
    mnucmd = menu(mnulabmod, nullptr, "mnucmd", "Command");
    mndaddcmd =
        task(mnucmd, "mndaddcmd", "AddCommand", AdminForm::CommandIndex, {&E::add_command_mode});
    mnuInsertCommand =
        task(mnucmd, "mnuInsertCommand", "Insert Command", AdminForm::InsertCommandIndex, {});
    mnumdcmd = task(mnucmd, "mnumdcmd", "ModifyCommand", AdminForm::Selector,
                    {&E::command_selection_mode, &E::modify_command_mode});
    mnudelcmd = task(mnucmd, "mnudelcmd", "DeleteCommand", AdminForm::Selector,
                     {&E::command_selection_mode, &E::delete_command_mode});
    mnulabdel = task(mnulab, "mnulabdel", "Delete", AdminForm::DeleteSublab, {});

    // The example-labs menu offers nothing.
    mnuexam = menu(nullptr, menu_bar, "mnuexam", "Example Labs");
    for (const char* item : {"Add", "Modify", "Delete"}) mnuexam->addAction(item);
    mnuexam->setEnabled(false);
    mnuexam->menuAction()->setEnabled(false);

    mnuSim = menu(nullptr, menu_bar, "mnuSim", "simulator");
    mnuSimLabs = mnuSim->addAction("Load Simulator Labs");
    mnuSimLabs->setObjectName("mnuSimLabs");
    connect(mnuSimLabs, &QAction::triggered, this, &frmAdminMain::mnuSimLabs_Click);

    Command1 = back_button("Command1", "&Back");

    add_rule(layout);
    layout->addWidget(Picture1, 1, Qt::AlignCenter);
    add_ruled_buttons(layout, {Command1});
}

QAction* frmAdminMain::task(QMenu* menu, const char* name, const char* caption, AdminForm form,
                            std::initializer_list<bool AdminEditState::*> flags) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    std::vector<bool AdminEditState::*> set(flags);
    connect(item, &QAction::triggered, this, [this, form, set] {
        for (auto flag : set) area_.edit().*flag = true;
        area_.show(form);
        leave();
    });
    return item;
}

void frmAdminMain::Form_Load() {
    area_.edit().clear_modes();
    mnuSimLabs->setEnabled(static_cast<bool>(area_.open_example_labs));
    setEnabled(true);
    show_logo();
}

void frmAdminMain::Back() {
    area_.finish();
}

// The example labs open over the home, which waits disabled until they close.
void frmAdminMain::mnuSimLabs_Click() {
    if (!area_.open_example_labs) return;
    area_.app().open_mode.labs_opened_for_editing = true;
    setEnabled(false);
    area_.open_example_labs(this);
}

}  // namespace vexlab::labcontent
