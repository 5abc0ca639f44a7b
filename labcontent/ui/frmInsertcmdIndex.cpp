#include "labcontent/ui/frmInsertcmdIndex.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "console/ui/frmNetdgm.h"
#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmInsertcmdIndex::frmInsertcmdIndex(AdminArea& area)
    : AdminWindow(area, "frmInsertcmdIndex", "Insert Command Index") {
    resize(820, 540);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    Combo2 = new console::DropDownCombo(this);
    Combo2->setObjectName("Combo2");
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setMinimumWidth(300);
    MSFlexGrid1 = make_grid(this);
    Text1 = make_line_edit(this, "Text1");
    Command1 = make_button(this, "Command1", "Next");
    Command2 = back_button("Command2", "Back");

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Select the Sublab for the Command", this), 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(new QLabel("Select the Instruction for the Command", this), 1, 0);
    grid->addWidget(Combo2, 1, 1);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Below are the list of commands for this Instruction", this));
    layout->addWidget(MSFlexGrid1, 1);
    add_row(layout, {}, {new QLabel("Command Index", this), Text1});
    add_ruled_buttons(layout, {Command1, Command2});
    Picture1->setVisible(false);  // this window shows no logo

    Combo2->on_drop_down = [this] { Combo2_DropDown(); };
    connect(Combo2, &QComboBox::activated, this, &frmInsertcmdIndex::Combo2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmInsertcmdIndex::Command1_Click);
}

void frmInsertcmdIndex::Form_Load() {
    show_sublabs(Combo1);
    refill_combo(Combo2, {}, "Instructions");
    empty_grid(MSFlexGrid1);
    Text1->clear();
    instruction_list_indexes_.clear();
    listed_for_sublab_.clear();
    instruction_picked_ = false;
}

void frmInsertcmdIndex::Back() {
    area_.show(AdminForm::Home);
}

// The instructions of the sublab the first box names, each time the list opens.
void frmInsertcmdIndex::Combo2_DropDown() {
    const QString shown = Combo2->currentText();
    listed_for_sublab_ = Combo1->currentText().toStdString();
    const auto sublab = area_.store().sublab_named(listed_for_sublab_);
    Combo2->clear();
    instruction_list_indexes_.clear();
    if (sublab)
        for (const auto& step : area_.store().instructions_of(sublab->index)) {
            Combo2->addItem(qs(step.instruction));
            instruction_list_indexes_.push_back(step.index);
        }
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(shown);
}

void frmInsertcmdIndex::Combo2_Click() {
    const int position = Combo2->currentIndex();
    if (position < 0 || position >= static_cast<int>(instruction_list_indexes_.size())) return;
    picked_instruction_index_ = instruction_list_indexes_[static_cast<std::size_t>(position)];
    picked_instruction_ = Combo2->currentText().toStdString();
    instruction_picked_ = true;
    show_commands(MSFlexGrid1, 42, area_.store().commands_of(picked_instruction_index_));
}

void frmInsertcmdIndex::Command1_Click() {
    const std::string sublab = Combo1->currentText().toStdString();
    if (sublab.empty() || sublab == "sublabs") {
        message("Please select the Sublab", platform::Icon::None);
        return;
    }
    const std::string instruction = Combo2->currentText().toStdString();
    if (instruction.empty() || instruction == "Instructions") {
        message("Please select the Instruction", platform::Icon::None);
        return;
    }
    // Both choices made now, and the boxes still showing them.
    if (sublab != listed_for_sublab_ || !area_.store().sublab_named(sublab)) {
        message("Please select the Sublab", platform::Icon::None);
        return;
    }
    if (!instruction_picked_ || instruction != picked_instruction_) {
        message("Please select the Instruction", platform::Icon::None);
        return;
    }
    const auto index = listed_index(Text1, MSFlexGrid1);
    if (!index) return;
    area_.edit().chosen_instruction_index = picked_instruction_index_;
    area_.edit().chosen_command_index = *index;
    area_.show(AdminForm::InsertCommand);
    leave();
}

}  // namespace vexlab::labcontent
