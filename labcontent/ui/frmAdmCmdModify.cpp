#include "labcontent/ui/frmAdmCmdModify.h"

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

frmAdmCmdModify::frmAdmCmdModify(AdminArea& area)
    : AdminWindow(area, "frmAdmCmdModify", "Add Command  Index Screen") {
    resize(760, 520);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command1 = new QPushButton("Next", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("Back", this);
    Command2->setObjectName("Command2");
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    Label7 = label("Label7");
    Label1 = label("Label1");
    Label3 = label("Label3");
    Label9 = label("Label9");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Select the Sublab of the", this));
    top->addWidget(Label7);
    top->addWidget(Combo1);
    top->addStretch();
    top->addWidget(Picture1);
    layout->addLayout(top);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel("Below are the list of  ", this));
    heading->addWidget(Label1);
    heading->addWidget(new QLabel("availiable under this Sublab", this));
    heading->addStretch();
    layout->addLayout(heading);
    layout->addWidget(MSFlexGrid1, 1);
    auto* index = new QHBoxLayout;
    index->addWidget(new QLabel("Enter the index of the ", this));
    index->addWidget(Label3);
    index->addStretch();
    index->addWidget(Label9);
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

    connect(Combo1, &QComboBox::activated, this, &frmAdmCmdModify::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdmCmdModify::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmAdmCmdModify::Form_Load() {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(Combo1, names, "sublabs");
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
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
    set_grid_format(MSFlexGrid1, instruction_grid_format());
    listed_sublab_ = name;
    if (!sublab) return;
    for (const auto& step : area_.store().instructions_of(sublab->index))
        add_grid_row(MSFlexGrid1, {std::to_string(step.index), step.instruction});
}

void frmAdmCmdModify::Command1_Click() {
    const std::string typed = Text1->text().toStdString();
    const auto listed = grid_indexes(MSFlexGrid1);
    if (typed.empty() || std::find(listed.begin(), listed.end(), typed) == listed.end()) {
        message("please select the appropriate index");
        Text1->clear();
        Text1->setFocus();
        return;
    }
    if (Combo1->currentText().toStdString() != listed_sublab_) {
        message("Please select the Sublab");
        return;
    }
    area_.edit().chosen_instruction_index = std::stoi(typed);
    area_.show(AdminForm::CommandsEnter);
    leave();
}

}  // namespace vexlab::labcontent
