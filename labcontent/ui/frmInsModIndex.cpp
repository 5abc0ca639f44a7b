#include "labcontent/ui/frmInsModIndex.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "labcontent/ui/frmAdmCmdsmodify.h"
#include "platform/user_dialogs.h"

namespace vexlab::labcontent {

frmInsModIndex::frmInsModIndex(AdminArea& area)
    : AdminWindow(area, "frmInsModIndex", "Instruction Modification/Deletion Screen") {
    resize(780, 520);
    Text1 = make_text_box(this, "Text1");
    Text1->setMaximumHeight(90);
    MSFlexGrid1 = make_grid(this);
    Command1 = make_button(this, "Command1", "&Modify");
    Command3 = make_button(this, "Command3", "&Delete");
    Command2 = back_button("Command2", "Admin &Home");
    Label3 = make_label(this, "Label3");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Instruction To Be ", this), Label3}, {Picture1});
    layout->addWidget(Text1);
    layout->addWidget(new QLabel("Commands corresponding to the above Instruction", this));
    layout->addWidget(MSFlexGrid1, 1);
    add_ruled_buttons(layout, {Command1, Command3, Command2});

    connect(Command1, &QPushButton::clicked, this, &frmInsModIndex::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmInsModIndex::Command3_Click);
}

void frmInsModIndex::clear_grid() {
    set_grid_format(MSFlexGrid1, command_grid_format(26));
}

void frmInsModIndex::Form_Load() {
    const int index = area_.edit().chosen_instruction_index;
    const auto step = area_.store().instruction(index);
    Text1->setPlainText(step ? qs(step->instruction) : QString());
    show_commands(MSFlexGrid1, 26, area_.store().commands_of(index));
    const AdminEditState& edit = area_.edit();
    Command1->setVisible(true);
    Command3->setVisible(true);
    if (edit.modify_instruction_mode) {
        Label3->setText("Modified");
        Command3->setVisible(false);
    } else if (edit.delete_instruction_mode) {
        Label3->setText("Deleted");
        Command1->setVisible(false);
    }
    // Typing goes on at the end of the instruction's first line.
    Text1->setFocus();
    QTextCursor caret(Text1->document()->firstBlock());
    caret.movePosition(QTextCursor::EndOfBlock);
    Text1->setTextCursor(caret);
    show_logo();
}

// The window's way back is Admin Home.
void frmInsModIndex::Back() {
    area_.show(AdminForm::Home);
}

void frmInsModIndex::Command1_Click() {
    const Change change = area_.store().modify_instruction(area_.edit().chosen_instruction_index,
                                                           stored(Text1->toPlainText()));
    if (!change.ok) {
        message("The instruction could not be modified; nothing was changed: " + change.error,
                platform::Icon::Critical);
        return;
    }
    if (change.rows == 0) {
        message(kRecordNotFound, platform::Icon::Exclamation);
        return;
    }
    Text1->setPlainText(" ");
    const auto answer = area_.dialogs().question("confirm file deletion",
                                                 "Do you want to add Commands to this Instruction",
                                                 false, platform::Icon::None);
    area_.show(answer == platform::Answer::Yes ? AdminForm::CommandsEnter : AdminForm::Home);
    leave();
}

void frmInsModIndex::Command3_Click() {
    if (area_.dialogs().question("confirm file deletion", "Are you sure you want to delete", false,
                                 platform::Icon::None) == platform::Answer::Yes) {
        const Change change =
            area_.store().delete_instruction(area_.edit().chosen_instruction_index);
        if (!change.ok)
            message("The instruction could not be deleted; nothing was changed: " + change.error,
                    platform::Icon::Critical);
        else if (change.rows == 0)
            message(kRecordNotFound, platform::Icon::Exclamation);
        else
            message("record deleted succussfully", platform::Icon::None);
    }
    Text1->setPlainText(" ");
    clear_grid();
}

}  // namespace vexlab::labcontent
