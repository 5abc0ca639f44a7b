#include "labcontent/ui/frmAdminCmdsEnter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmAdminCmdsEnter::frmAdminCmdsEnter(AdminArea& area)
    : AdminWindow(area, "frmAdminCmdsEnter", "commands entering interface") {
    resize(600, 440);
    Text1 = make_line_edit(this, "Text1");
    Text2 = make_text_box(this, "Text2");
    Text3 = make_line_edit(this, "Text3");
    Text4 = make_line_edit(this, "Text4");
    Command1 = make_button(this, "Command1", "&Add");
    Command2 = back_button("Command2", "&Back");
    Command3 = make_button(this, "Command3", "Admin &Home");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(
        new QLabel("Enter the commands for the instruction entered in previous screen", this), 1);
    top->addWidget(Picture1);
    layout->addLayout(top);
    add_command_fields(layout, Text1, Text2, Text3, Text4, "Response Prompt");
    add_ruled_buttons(layout, {Command1, Command2, Command3});
    setTabOrder(Text1, Text2);
    Text2->setTabChangesFocus(true);

    connect(Command1, &QPushButton::clicked, this, &frmAdminCmdsEnter::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAdminCmdsEnter::Command3_Click);
}

void frmAdminCmdsEnter::Form_Load() {
    clear_boxes(Text1, Text2, Text3, Text4);
    show_logo();
    Text1->setFocus();
}

// Back to the window of the task that opened this one.
void frmAdminCmdsEnter::Back() {
    const AdminEditState& edit = area_.edit();
    if (edit.modify_instruction_mode)
        area_.show(AdminForm::InstructionModify);
    else if (!edit.add_command_mode)
        area_.show(AdminForm::InstructionEnter);
    else
        area_.show(AdminForm::CommandIndex);
}

void frmAdminCmdsEnter::Command3_Click() {
    area_.show(AdminForm::Home);
    leave();
}

void frmAdminCmdsEnter::Command1_Click() {
    if (Text1->text().isEmpty()) {
        message("please enter Command", platform::Icon::None);
        clear_boxes(Text2, Text3, Text4);
        Text1->setFocus();
        return;
    }
    if (Text3->text().isEmpty()) {
        message("please enter Command and Command Prompt", platform::Icon::None);
        clear_boxes(Text2, Text4);
        Text1->setFocus();
        return;
    }
    if (Text4->text().isEmpty()) {
        message("please enter Command , Command Prompt and Response Prompt", platform::Icon::None);
        Text2->clear();
        Text1->setFocus();
        return;
    }
    const AdminEditState& edit = area_.edit();
    const int instruction = edit.instruction_selection_mode || edit.add_command_mode
                                ? edit.chosen_instruction_index
                                : edit.added_instruction_index;
    const Change change =
        area_.store().add_command(typed_command(Text1, Text2, Text3, Text4), instruction);
    if (!change.ok) {
        message("The command could not be added: " + change.error, platform::Icon::Critical);
        return;
    }
    clear_boxes(Text1, Text2, Text3, Text4);
    Text1->setFocus();
}

}  // namespace vexlab::labcontent
