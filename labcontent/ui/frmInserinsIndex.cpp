#include "labcontent/ui/frmInserinsIndex.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmInserinsIndex::frmInserinsIndex(AdminArea& area)
    : AdminWindow(area, "frmInserinsIndex", "Insert instruction index screen") {
    resize(760, 520);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command1 = new QPushButton("Next", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("Back", this);
    Command2->setObjectName("Command2");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Select the Sublab of the Instruction", this));
    top->addWidget(Combo1);
    top->addStretch();
    top->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(
        new QLabel("Below are the list of Instructions availiable under this Sublab", this));
    layout->addWidget(MSFlexGrid1, 1);
    auto* index = new QHBoxLayout;
    index->addWidget(
        new QLabel("Enter the index of the  Instruction and click on Next Button", this));
    index->addStretch();
    index->addWidget(new QLabel("Index", this));
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

    connect(Combo1, &QComboBox::activated, this, &frmInserinsIndex::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmInserinsIndex::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmInserinsIndex::Form_Load() {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(Combo1, names, "sublabs");
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
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
    set_grid_format(MSFlexGrid1, instruction_grid_format());
    if (sublab)
        for (const auto& step : area_.store().instructions_of(sublab->index))
            add_grid_row(MSFlexGrid1, {std::to_string(step.index), step.instruction});
}

void frmInserinsIndex::Command1_Click() {
    const std::string typed = Text1->text().toStdString();
    const auto listed = grid_indexes(MSFlexGrid1);
    if (typed.empty() || std::find(listed.begin(), listed.end(), typed) == listed.end()) {
        message("please select the appropriate index");
        Text1->clear();
        Text1->setFocus();
        return;
    }
    // The new instruction goes to the sublab listed now, which the box must still show.
    if (Combo1->currentText().toStdString() != listed_sublab_ || listed_sublab_index_ == 0) {
        message("Please select the Sublab");
        return;
    }
    area_.edit().chosen_sublab_index = listed_sublab_index_;
    area_.edit().chosen_instruction_index = std::stoi(typed);
    area_.show(AdminForm::InsertInstruction);
    leave();
}

}  // namespace vexlab::labcontent
