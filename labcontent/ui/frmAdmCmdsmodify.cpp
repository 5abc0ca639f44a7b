#include "labcontent/ui/frmAdmCmdsmodify.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "platform/user_dialogs.h"

namespace vexlab::labcontent {

frmAdmCmdsmodify::frmAdmCmdsmodify(AdminArea& area)
    : AdminWindow(area, "frmAdmCmdsmodify", "command modify/delete") {
    resize(600, 440);
    Text1 = make_line_edit(this, "Text1");
    Text2 = make_text_box(this, "Text2");
    Text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text3 = make_line_edit(this, "Text3");
    Text4 = make_line_edit(this, "Text4");
    Command1 = make_button(this, "Command1", "&Modify");
    Command3 = make_button(this, "Command3", "&Delete");
    Command2 = back_button("Command2", "&Back");
    Label7 =
        make_label(this, "Label7",
                   "Make all the necessary changes of the command and click on modify button ");
    Label5 = make_label(this, "Label5", "To delete the record you selected click on delete");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label7, 1);
    top->addWidget(Label5, 1);
    top->addWidget(Picture1);
    layout->addLayout(top);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Command", this), 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(new QLabel("Response", this), 1, 0, Qt::AlignTop);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(new QLabel("CommandPrompt", this), 2, 0);
    grid->addWidget(Text3, 2, 1);
    grid->addWidget(new QLabel("Response Prompt", this), 3, 0);
    grid->addWidget(Text4, 3, 1);
    layout->addLayout(grid, 1);
    add_ruled_buttons(layout, {Command1, Command3, Command2});

    connect(Command1, &QPushButton::clicked, this, &frmAdmCmdsmodify::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAdmCmdsmodify::Command3_Click);
}

void frmAdmCmdsmodify::Form_Load() {
    Label5->setVisible(false);
    clear_boxes(Text1, Text2, Text3, Text4);
    if (const auto c = area_.store().command(area_.edit().chosen_command_index)) {
        Text1->setText(qs(c->command));
        Text2->setPlainText(qs(c->response));
        Text3->setText(qs(c->comprompt));
        Text4->setText(qs(c->resprompt));
    }
    const AdminEditState& edit = area_.edit();
    Label7->setVisible(true);
    Command1->setVisible(true);
    Command3->setVisible(true);
    if (edit.delete_command_mode) {
        Label7->setVisible(false);
        Command1->setVisible(false);
        Label5->setVisible(true);
        setWindowTitle("Delete Command");
    } else if (edit.modify_command_mode) {
        Command3->setVisible(false);
        Label5->setVisible(false);
        setWindowTitle("Modify Command");
    }
    show_logo();
}

void frmAdmCmdsmodify::Back() {
    area_.show(AdminForm::Selector);
}

void frmAdmCmdsmodify::Command1_Click() {
    if (area_.dialogs().question("confirm file deletion", "Are you sure you want to Modify", false,
                                 platform::Icon::None) != platform::Answer::Yes)
        return;
    const Change change = area_.store().modify_command(area_.edit().chosen_command_index,
                                                       typed_command(Text1, Text2, Text3, Text4));
    if (!change.ok)
        message("The command could not be modified; nothing was changed: " + change.error,
                platform::Icon::Critical);
    else if (change.rows == 0)
        message(kRecordNotFound, platform::Icon::Exclamation);
    else
        message("Modified Successfully", platform::Icon::None);
}

void frmAdmCmdsmodify::Command3_Click() {
    if (area_.dialogs().question("confirm file deletion", "Are you sure you want to delete", false,
                                 platform::Icon::None) != platform::Answer::Yes)
        return;
    const Change change = area_.store().delete_command(area_.edit().chosen_command_index);
    if (!change.ok) {
        message("The command could not be deleted; nothing was changed: " + change.error,
                platform::Icon::Critical);
        return;
    }
    if (change.rows == 0) {
        message(kRecordNotFound, platform::Icon::Exclamation);
        return;
    }
    clear_boxes(Text1, Text2, Text3, Text4);
    message("record deleted succussfully click on  back for further deletion",
            platform::Icon::None);
}

}  // namespace vexlab::labcontent
