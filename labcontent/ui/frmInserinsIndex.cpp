#include "labcontent/ui/frmInserinsIndex.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmInserinsIndex::frmInserinsIndex(AdminArea& area)
    : AdminWindow(area, "frmInserinsIndex", "Insert instruction index screen") {
    resize(760, 520);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = make_line_edit(this, "Text1");
    Command1 = make_button(this, "Command1", "Next");
    Command2 = back_button("Command2", "Back");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Select the Sublab of the Instruction", this), Combo1}, {Picture1});
    layout->addWidget(
        new QLabel("Below are the list of Instructions availiable under this Sublab", this));
    layout->addWidget(MSFlexGrid1, 1);
    auto* enter = new QLabel("Enter the index of the  Instruction and click on Next Button", this);
    add_row(layout, {enter}, {new QLabel("Index", this), Text1});
    add_ruled_buttons(layout, {Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &frmInserinsIndex::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmInserinsIndex::Command1_Click);
}

void frmInserinsIndex::Form_Load() {
    show_sublabs(Combo1);
    empty_grid(MSFlexGrid1);
    listed_sublab_.clear();
    listed_sublab_index_ = 0;
    Text1->clear();
    show_logo();
}

void frmInserinsIndex::Back() {
    area_.show(AdminForm::Home);
}

void frmInserinsIndex::Combo1_Click() {
    listed_sublab_ = Combo1->currentText().toStdString();
    const auto sublab = area_.store().sublab_named(listed_sublab_);
    listed_sublab_index_ = sublab ? sublab->index : 0;
    show_instructions(MSFlexGrid1, sublab ? area_.store().instructions_of(sublab->index)
                                          : std::vector<labs::InstructionRow>{});
}

void frmInserinsIndex::Command1_Click() {
    const auto index = listed_index(Text1, MSFlexGrid1);
    if (!index) return;
    // The new instruction goes to the sublab listed now, which the box must still show.
    if (Combo1->currentText().toStdString() != listed_sublab_ || listed_sublab_index_ == 0) {
        message("Please select the Sublab", platform::Icon::None);
        return;
    }
    area_.edit().chosen_sublab_index = listed_sublab_index_;
    area_.edit().chosen_instruction_index = *index;
    area_.show(AdminForm::InsertInstruction);
    leave();
}

}  // namespace vexlab::labcontent
