#include "labcontent/ui/frmInsertIns.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmInsertIns::frmInsertIns(AdminArea& area)
    : AdminWindow(area, "frmInsertIns", "Insert Instruction") {
    resize(600, 400);
    Combo1 = make_combo(this, "Combo1", "Devices", true);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Command1 = new QPushButton("&Insert", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("&Back", this);
    Command2->setObjectName("Command2");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Select the device for the Instruction", this));
    top->addWidget(Combo1);
    top->addStretch();
    top->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(new QLabel("Enter the Instruction:", this));
    layout->addWidget(Text1, 1);
    layout->addWidget(
        new QLabel("Click the Insert button to insert the above typed Instruction", this));
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    setTabOrder(Combo1, Text1);

    connect(Command1, &QPushButton::clicked, this, &frmInsertIns::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmInsertIns::Form_Load() {
    refill_combo(Combo1, {std::begin(kLabDevices), std::end(kLabDevices)}, "Devices");
    Text1->clear();
    show_logo();
    Combo1->setFocus();
}

void frmInsertIns::Back() {
    area_.show(AdminForm::InsertInstructionIndex);
}

void frmInsertIns::Command1_Click() {
    const std::string device = Combo1->currentText().toStdString();
    if (device.empty() || device == "Devices") {
        message("please select the device ");
        Text1->clear();
        return;
    }
    const std::string text = stored(Text1->toPlainText());
    if (text.empty()) {
        message("please enter Instruction");
        return;
    }
    const AdminEditState& edit = area_.edit();
    const Change change = area_.store().insert_instruction_after(
        edit.chosen_instruction_index, text, device, edit.chosen_sublab_index);
    if (!change.ok) {
        message("The instruction could not be inserted; nothing was changed: " + change.error);
        return;
    }
    message("Instruction inserted");
    Text1->clear();
}

}  // namespace vexlab::labcontent
