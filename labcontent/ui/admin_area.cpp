#include "labcontent/ui/admin_area.h"

#include "labcontent/ui/frmAdmCmdModify.h"
#include "labcontent/ui/frmAdmCmdsmodify.h"
#include "labcontent/ui/frmAdmInsEnter.h"
#include "labcontent/ui/frmAdminCmdsEnter.h"
#include "labcontent/ui/frmAdminInsModify.h"
#include "labcontent/ui/frmAdminLogin.h"
#include "labcontent/ui/frmAdminMain.h"
#include "labcontent/ui/frmAdminSublabEnter.h"
#include "labcontent/ui/frmInsModIndex.h"
#include "labcontent/ui/frmInserinsIndex.h"
#include "labcontent/ui/frmInsertCommand.h"
#include "labcontent/ui/frmInsertIns.h"
#include "labcontent/ui/frmInsertcmdIndex.h"
#include "labcontent/ui/frmadmDelSublab.h"
#include "state/app_state.h"

namespace vexlab::labcontent {

AdminArea::AdminArea(state::AppState& app, platform::UserDialogs& dialogs)
    : app_(app), dialogs_(dialogs), store_(app.session) {}

AdminArea::~AdminArea() = default;

std::unique_ptr<AdminWindow> AdminArea::create(AdminForm form) {
    switch (form) {
        case AdminForm::Login:
            return std::make_unique<frmAdminLogin>(*this);
        case AdminForm::Home:
            return std::make_unique<frmAdminMain>(*this);
        case AdminForm::SublabEnter:
            return std::make_unique<frmAdminSublabEnter>(*this);
        case AdminForm::DeleteSublab:
            return std::make_unique<frmadmDelSublab>(*this);
        case AdminForm::InstructionEnter:
            return std::make_unique<frmAdmInsEnter>(*this);
        case AdminForm::CommandIndex:
            return std::make_unique<frmAdmCmdModify>(*this);
        case AdminForm::CommandsEnter:
            return std::make_unique<frmAdminCmdsEnter>(*this);
        case AdminForm::CommandModify:
            return std::make_unique<frmAdmCmdsmodify>(*this);
        case AdminForm::InsertCommandIndex:
            return std::make_unique<frmInsertcmdIndex>(*this);
        case AdminForm::InsertCommand:
            return std::make_unique<frmInsertCommand>(*this);
        case AdminForm::Selector:
            return std::make_unique<frmAdminInsModify>(*this);
        case AdminForm::InstructionModify:
            return std::make_unique<frmInsModIndex>(*this);
        case AdminForm::InsertInstructionIndex:
            return std::make_unique<frmInserinsIndex>(*this);
        case AdminForm::InsertInstruction:
            return std::make_unique<frmInsertIns>(*this);
    }
    return nullptr;
}

void AdminArea::start() {
    show(AdminForm::Login);
}

AdminWindow* AdminArea::show(AdminForm form) {
    auto& slot = windows_[form];
    if (!slot) slot = create(form);
    slot->Form_Load();
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.get();
}

void AdminArea::finish() {
    emit finished();
}

AdminWindow* AdminArea::window(AdminForm form) const {
    const auto found = windows_.find(form);
    return found == windows_.end() ? nullptr : found->second.get();
}

}  // namespace vexlab::labcontent
