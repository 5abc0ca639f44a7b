#include "labcontent/ui/frmAdminInsModify.h"

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

frmAdminInsModify::frmAdminInsModify(AdminArea& area)
    : AdminWindow(area, "frmAdminInsModify", "sublab command/instruction modification screen") {
    resize(820, 540);
    Combo1 = make_combo(this, "Combo1", "sublabs", true);
    MSFlexGrid1 = make_grid(this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command1 = new QPushButton("&Next", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("&Back", this);
    Command2->setObjectName("Command2");
    auto label = [this](const char* name, const char* text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    Label1 = label("Label1", "Commands");
    Label3 = label("Label3", "command");
    Label4 = label("Label4", "Command Index");
    Label7 = label("Label7", "command/instructuion");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Select the Sublab of the ", this));
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
    index->addWidget(Label4);
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

    connect(Combo1, &QComboBox::activated, this, &frmAdminInsModify::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdminInsModify::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmAdminInsModify::Form_Load() {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(Combo1, names, "sublabs");
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
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
    if (edit.command_selection_mode) {
        set_grid_format(MSFlexGrid1, command_grid_format(26));
        if (sublab)
            for (const auto& c : area_.store().commands_of_sublab(sublab->index))
                add_grid_row(MSFlexGrid1, {std::to_string(c.index), c.command, c.response,
                                           c.comprompt, c.resprompt});
    } else if (edit.instruction_selection_mode) {
        set_grid_format(MSFlexGrid1, instruction_grid_format());
        if (sublab)
            for (const auto& step : area_.store().instructions_of(sublab->index))
                add_grid_row(MSFlexGrid1, {std::to_string(step.index), step.instruction});
    }
    listed_sublab_ = name;
}

void frmAdminInsModify::Command1_Click() {
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
    AdminEditState& edit = area_.edit();
    if (edit.instruction_selection_mode) {
        edit.chosen_instruction_index = std::stoi(typed);
        area_.show(AdminForm::InstructionModify);
    } else if (edit.command_selection_mode) {
        edit.chosen_command_index = std::stoi(typed);
        area_.show(AdminForm::CommandModify);
    } else {
        return;
    }
    leave();
}

}  // namespace vexlab::labcontent
