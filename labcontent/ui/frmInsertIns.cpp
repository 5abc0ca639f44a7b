#include "labcontent/ui/frmInsertIns.h"

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
    Text1 = make_text_box(this, "Text1");
    Command1 = make_button(this, "Command1", "&Insert");
    Command2 = back_button("Command2", "&Back");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Select the device for the Instruction", this), Combo1},
            {Picture1});
    layout->addWidget(new QLabel("Enter the Instruction:", this));
    layout->addWidget(Text1, 1);
    layout->addWidget(
        new QLabel("Click the Insert button to insert the above typed Instruction", this));
    add_ruled_buttons(layout, {Command1, Command2});
    setTabOrder(Combo1, Text1);

    connect(Command1, &QPushButton::clicked, this, &frmInsertIns::Command1_Click);
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
        message("please select the device ", platform::Icon::None);
        Text1->clear();
        return;
    }
    const std::string text = stored(Text1->toPlainText());
    if (text.empty()) {
        message("please enter Instruction", platform::Icon::None);
        return;
    }
    const AdminEditState& edit = area_.edit();
    const Change change = area_.store().insert_instruction_after(
        edit.chosen_instruction_index, text, device, edit.chosen_sublab_index);
    if (!change.ok) {
        message("The instruction could not be inserted; nothing was changed: " + change.error,
                platform::Icon::Critical);
        return;
    }
    message("Instruction inserted", platform::Icon::None);
    Text1->clear();
}

}  // namespace vexlab::labcontent
