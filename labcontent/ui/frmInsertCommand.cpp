#include "labcontent/ui/frmInsertCommand.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
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
    auto line_edit = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        return box;
    };
    Text1 = line_edit("Text1");
    Text2 = new QPlainTextEdit(this);
    Text2->setObjectName("Text2");
    Text2->setTabChangesFocus(true);
    Text3 = line_edit("Text3");
    Text4 = line_edit("Text4");
    Command1 = new QPushButton("&Insert", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("&Back", this);
    Command2->setObjectName("Command2");
    Command3 = new QPushButton("Admin &Home", this);
    Command3->setObjectName("Command3");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        "Enter the following details and Click the Insert button to insert the command", this));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Command ", this), 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(new QLabel("Response", this), 1, 0, Qt::AlignTop);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(new QLabel("(Optional)", this), 1, 2, Qt::AlignTop);
    grid->addWidget(new QLabel("Command Prompt", this), 2, 0);
    grid->addWidget(Text3, 2, 1);
    grid->addWidget(new QLabel("Response Promt", this), 3, 0);
    grid->addWidget(Text4, 3, 1);
    layout->addLayout(grid, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    layout->addLayout(buttons);
    Picture1->setVisible(false);  // this window shows no logo

    connect(Command1, &QPushButton::clicked, this, &frmInsertCommand::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
    connect(Command3, &QPushButton::clicked, this, &frmInsertCommand::Command3_Click);
}

void frmInsertCommand::Form_Load() {
    for (QLineEdit* box : {Text1, Text3, Text4}) box->clear();
    Text2->clear();
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
        message("please enter all the required details");
        Text1->setFocus();
        return;
    }
    const AdminEditState& edit = area_.edit();
    const Change change = area_.store().insert_command_after(
        edit.chosen_command_index,
        {Text1->text().toStdString(), stored(Text2->toPlainText()), Text3->text().toStdString(),
         Text4->text().toStdString()},
        edit.chosen_instruction_index);
    if (!change.ok) {
        message("The command could not be inserted; nothing was changed: " + change.error);
        return;
    }
    message("Command Inserted Successfully");
    for (QLineEdit* box : {Text1, Text3, Text4}) box->clear();
    Text2->clear();
}

}  // namespace vexlab::labcontent
