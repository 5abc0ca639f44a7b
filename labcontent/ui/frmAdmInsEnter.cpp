#include "labcontent/ui/frmAdmInsEnter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"

namespace vexlab::labcontent {

frmAdmInsEnter::frmAdmInsEnter(AdminArea& area)
    : AdminWindow(area, "frmAdmInsEnter", "Instruction") {
    resize(600, 420);
    Label1 = make_label(this, "Label1", "Insruction for ");
    Label2 = make_label(this, "Label2");
    Label3 = make_label(this, "Label3", "Select the Sublab ");
    Combo1 = make_combo(this, "Combo1", "sublabs", false);
    Combo2 = make_combo(this, "Combo2", "Devices", true);
    Text1 = make_text_box(this, "Text1");
    Command1 = make_button(this, "Command1", "&Add");
    Command2 = back_button("Command2", "&Back");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(Label2, 1);
    top->addWidget(Picture1);
    layout->addLayout(top);
    auto* grid = new QGridLayout;
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(new QLabel("Select the device for the instruction", this), 1, 0);
    grid->addWidget(Combo2, 1, 1);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Type the Instruction below and click  the Add button", this));
    layout->addWidget(Text1, 1);
    add_row(layout, {}, {Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &frmAdmInsEnter::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdmInsEnter::Command1_Click);
}

void frmAdmInsEnter::Form_Load() {
    Text1->setPlainText(" ");
    show_sublabs(Combo1);
    sublab_picked_ = false;
    const AdminEditState& edit = area_.edit();
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, Combo1})
        w->setVisible(true);
    if (edit.add_sublab_mode) {
        Label2->setText(qs(edit.new_sublab_name));
        Label3->setVisible(false);
        Combo1->setVisible(false);
    } else if (edit.add_instruction_mode) {
        Label1->setVisible(false);
        Label2->setVisible(false);
    }
    show_logo();
    refill_combo(Combo2, {std::begin(kLabDevices), std::end(kLabDevices)}, "Devices");
    Text1->setFocus();
    Text1->moveCursor(QTextCursor::End);
}

void frmAdmInsEnter::Back() {
    area_.show(AdminForm::Home);
}

void frmAdmInsEnter::Combo1_Click() {
    if (const auto sublab = area_.store().sublab_named(Combo1->currentText().toStdString())) {
        picked_sublab_index_ = sublab->index;
        picked_sublab_name_ = sublab->name;
        sublab_picked_ = true;
    }
}

void frmAdmInsEnter::Command1_Click() {
    const std::string text = stored(Text1->toPlainText());
    if (text == " ") {
        message("please enter Instruction", platform::Icon::None);
        return;
    }
    const std::string device = Combo2->currentText().toStdString();
    if (device.empty() || device == "Devices") {
        message("please select the device ", platform::Icon::None);
        Text1->clear();
        return;
    }
    AdminEditState& edit = area_.edit();
    int sublab = edit.chosen_sublab_index;
    if (!edit.add_sublab_mode) {
        // The sublab must be chosen now, and still be the one the box shows.
        if (!sublab_picked_ || Combo1->currentText().toStdString() != picked_sublab_name_) {
            message("Please select the Sublab", platform::Icon::None);
            return;
        }
        sublab = picked_sublab_index_;
    }
    const Change change = area_.store().add_instruction(text, device, sublab);
    if (!change.ok) {
        message("The instruction could not be added: " + change.error, platform::Icon::Critical);
        return;
    }
    edit.added_instruction_index = change.index;
    area_.show(AdminForm::CommandsEnter);
    leave();
}

}  // namespace vexlab::labcontent
