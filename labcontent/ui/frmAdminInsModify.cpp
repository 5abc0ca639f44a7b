#include "labcontent/ui/frmAdminInsModify.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmAdminInsModify::frmAdminInsModify(AdminArea& area)
    : AdminWindow(area, "frmAdminInsModify", "sublab command/instruction modification screen") {
    resize(820, 540);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = make_line_edit(this, "Text1");
    Command1 = make_button(this, "Command1", "&Next");
    Command2 = back_button("Command2", "&Back");
    Label1 = make_label(this, "Label1", "Commands");
    Label3 = make_label(this, "Label3", "command");
    Label4 = make_label(this, "Label4", "Command Index");
    Label7 = make_label(this, "Label7", "command/instructuion");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Select the Sublab of the ", this), Label7, Combo1}, {Picture1});
    add_row(layout, {new QLabel("Below are the list of  ", this), Label1,
                     new QLabel("availiable under this Sublab", this)});
    layout->addWidget(MSFlexGrid1, 1);
    add_row(layout, {new QLabel("Enter the index of the ", this), Label3}, {Label4, Text1});
    add_ruled_buttons(layout, {Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &frmAdminInsModify::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdminInsModify::Command1_Click);
}

void frmAdminInsModify::Form_Load() {
    show_sublabs(Combo1);
    empty_grid(MSFlexGrid1);
    listed_sublab_.clear();
    Text1->clear();
    const AdminEditState& edit = area_.edit();
    if (edit.command_selection_mode) {
        Label7->setText("Command");
        Label1->setText("Commands");
        Label3->setText("Command");
    } else if (edit.instruction_selection_mode) {
        Label7->setText("Instruction");
        Label1->setText("Instructions");
        Label3->setText("Instruction");
    }
    if (edit.modify_instruction_mode)
        setWindowTitle("Instructions Modifaction");
    else if (edit.delete_instruction_mode)
        setWindowTitle("Instructions Deletion");
    else if (edit.modify_command_mode)
        setWindowTitle("Command Modification");
    else if (edit.delete_command_mode)
        setWindowTitle("Command Deletion");
    show_logo();
}

void frmAdminInsModify::Back() {
    area_.show(AdminForm::Home);
}

void frmAdminInsModify::Combo1_Click() {
    const std::string name = Combo1->currentText().toStdString();
    const auto sublab = area_.store().sublab_named(name);
    const AdminEditState& edit = area_.edit();
    if (edit.command_selection_mode)
        show_commands(MSFlexGrid1, 26,
                      sublab ? area_.store().commands_of_sublab(sublab->index)
                             : std::vector<labs::ExpectedCommand>{});
    else if (edit.instruction_selection_mode)
        show_instructions(MSFlexGrid1, sublab ? area_.store().instructions_of(sublab->index)
                                              : std::vector<labs::InstructionRow>{});
    listed_sublab_ = name;
}

void frmAdminInsModify::Command1_Click() {
    const auto index = listed_index(Text1, MSFlexGrid1);
    if (!index) return;
    if (Combo1->currentText().toStdString() != listed_sublab_) {
        message("Please select the Sublab", platform::Icon::None);
        return;
    }
    AdminEditState& edit = area_.edit();
    if (edit.instruction_selection_mode) {
        edit.chosen_instruction_index = *index;
        area_.show(AdminForm::InstructionModify);
    } else if (edit.command_selection_mode) {
        edit.chosen_command_index = *index;
        area_.show(AdminForm::CommandModify);
    } else {
        return;
    }
    leave();
}

}  // namespace vexlab::labcontent
