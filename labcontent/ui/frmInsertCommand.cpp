#include "labcontent/ui/frmInsertCommand.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmInsertCommand::frmInsertCommand(AdminArea& area)
    : AdminWindow(area, "frmInsertCommand", "Command insert screen") {
    resize(600, 440);
    Text1 = make_line_edit(this, "Text1");
    Text2 = make_text_box(this, "Text2");
    Text2->setTabChangesFocus(true);
    Text3 = make_line_edit(this, "Text3");
    Text4 = make_line_edit(this, "Text4");
    Command1 = make_button(this, "Command1", "&Insert");
    Command2 = back_button("Command2", "&Back");
    Command3 = make_button(this, "Command3", "Admin &Home");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        "Enter the following details and Click the Insert button to insert the command", this));
    add_command_fields(layout, Text1, Text2, Text3, Text4, "Response Promt");
    add_ruled_buttons(layout, {Command1, Command2, Command3});
    Picture1->setVisible(false);  // this window shows no logo

    connect(Command1, &QPushButton::clicked, this, &frmInsertCommand::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmInsertCommand::Command3_Click);
}

void frmInsertCommand::Form_Load() {
    clear_boxes(Text1, Text2, Text3, Text4);
    Text1->setFocus();
}

void frmInsertCommand::Back() {
    area_.show(AdminForm::InsertCommandIndex);
}

void frmInsertCommand::Command3_Click() {
    area_.show(AdminForm::Home);
    leave();
}

void frmInsertCommand::Command1_Click() {
    if (Text1->text().isEmpty() || Text3->text().isEmpty() || Text4->text().isEmpty()) {
        message("please enter all the required details", platform::Icon::None);
        Text1->setFocus();
        return;
    }
    const AdminEditState& edit = area_.edit();
    const Change change = area_.store().insert_command_after(
        edit.chosen_command_index, typed_command(Text1, Text2, Text3, Text4),
        edit.chosen_instruction_index);
    if (!change.ok) {
        message("The command could not be inserted; nothing was changed: " + change.error,
                platform::Icon::Critical);
        return;
    }
    message("Command Inserted Successfully", platform::Icon::None);
    clear_boxes(Text1, Text2, Text3, Text4);
}

}  // namespace vexlab::labcontent
