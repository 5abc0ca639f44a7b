#include "labcontent/ui/frmInsertcmdIndex.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

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
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command1 = new QPushButton("Next", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("Back", this);
    Command2->setObjectName("Command2");

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Select the Sublab for the Command", this), 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(new QLabel("Select the Instruction for the Command", this), 1, 0);
    grid->addWidget(Combo2, 1, 1);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Below are the list of commands for this Instruction", this));
    layout->addWidget(MSFlexGrid1, 1);
    auto* index = new QHBoxLayout;
    index->addStretch();
    index->addWidget(new QLabel("Command Index", this));
    index->addWidget(Text1);
    layout->addLayout(index);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    Picture1->setVisible(false);  // this window shows no logo

    Combo2->on_drop_down = [this] { Combo2_DropDown(); };
    connect(Combo2, &QComboBox::activated, this, &frmInsertcmdIndex::Combo2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmInsertcmdIndex::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmInsertcmdIndex::Form_Load() {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(Combo1, names, "sublabs");
    refill_combo(Combo2, {}, "Instructions");
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
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
    set_grid_format(MSFlexGrid1, command_grid_format(42));
    for (const auto& c : area_.store().commands_of(picked_instruction_index_))
        add_grid_row(MSFlexGrid1,
                     {std::to_string(c.index), c.command, c.response, c.comprompt, c.resprompt});
}

void frmInsertcmdIndex::Command1_Click() {
    const std::string sublab = Combo1->currentText().toStdString();
    if (sublab.empty() || sublab == "sublabs") {
        message("Please select the Sublab");
        return;
    }
    const std::string instruction = Combo2->currentText().toStdString();
    if (instruction.empty() || instruction == "Instructions") {
        message("Please select the Instruction");
        return;
    }
    // Both choices made now, and the boxes still showing them.
    if (sublab != listed_for_sublab_ || !area_.store().sublab_named(sublab)) {
        message("Please select the Sublab");
        return;
    }
    if (!instruction_picked_ || instruction != picked_instruction_) {
        message("Please select the Instruction");
        return;
    }
    const std::string typed = Text1->text().toStdString();
    const auto listed = grid_indexes(MSFlexGrid1);
    if (typed.empty() || std::find(listed.begin(), listed.end(), typed) == listed.end()) {
        message("please select the appropriate index");
        Text1->clear();
        Text1->setFocus();
        return;
    }
    area_.edit().chosen_instruction_index = picked_instruction_index_;
    area_.edit().chosen_command_index = std::stoi(typed);
    area_.show(AdminForm::InsertCommand);
    leave();
}

}  // namespace vexlab::labcontent
