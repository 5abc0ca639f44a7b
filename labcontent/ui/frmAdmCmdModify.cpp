#include "labcontent/ui/frmAdmCmdModify.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmAdmCmdModify::frmAdmCmdModify(AdminArea& area)
    : AdminWindow(area, "frmAdmCmdModify", "Add Command  Index Screen") {
    resize(760, 520);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = make_line_edit(this, "Text1");
    Command1 = make_button(this, "Command1", "Next");
    Command2 = back_button("Command2", "Back");
    Label7 = make_label(this, "Label7");
    Label1 = make_label(this, "Label1");
    Label3 = make_label(this, "Label3");
    Label9 = make_label(this, "Label9");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Select the Sublab of the", this), Label7, Combo1}, {Picture1});
    add_row(layout, {new QLabel("Below are the list of  ", this), Label1,
                     new QLabel("availiable under this Sublab", this)});
    layout->addWidget(MSFlexGrid1, 1);
    auto* enter = new QLabel("Enter the index of the ", this);
    add_row(layout, {enter, Label3}, {Label9, new QLabel("Index", this), Text1});
    add_ruled_buttons(layout, {Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &frmAdmCmdModify::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdmCmdModify::Command1_Click);
}

void frmAdmCmdModify::Form_Load() {
    show_sublabs(Combo1);
    empty_grid(MSFlexGrid1);
    listed_sublab_.clear();
    Text1->clear();
    if (area_.edit().add_command_mode) {
        Label7->setText("Command");
        Label1->setText("Instructions");
        Label3->setText("Instruction");
        Label9->setText("Instruction");
    }
    show_logo();
}

void frmAdmCmdModify::Back() {
    area_.show(AdminForm::Home);
}

void frmAdmCmdModify::Combo1_Click() {
    const std::string name = Combo1->currentText().toStdString();
    const auto sublab = area_.store().sublab_named(name);
    show_instructions(MSFlexGrid1, sublab ? area_.store().instructions_of(sublab->index)
                                          : std::vector<labs::InstructionRow>{});
    listed_sublab_ = name;
}

void frmAdmCmdModify::Command1_Click() {
    const auto index = listed_index(Text1, MSFlexGrid1);
    if (!index) return;
    if (Combo1->currentText().toStdString() != listed_sublab_) {
        message("Please select the Sublab", platform::Icon::None);
        return;
    }
    area_.edit().chosen_instruction_index = *index;
    area_.show(AdminForm::CommandsEnter);
    leave();
}

}  // namespace vexlab::labcontent
