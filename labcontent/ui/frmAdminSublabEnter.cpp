#include "labcontent/ui/frmAdminSublabEnter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labcontent {

frmAdminSublabEnter::frmAdminSublabEnter(AdminArea& area)
    : AdminWindow(area, "frmAdminSublabEnter", "sublabs entering interface") {
    resize(620, 520);
    Combo1 = make_combo(this, "Combo1", "Lab Exercise", false);
    Text1 = make_line_edit(this, "Text1");
    Text1->setMaxLength(50);
    Text2 = make_line_edit(this, "Text2");
    Text2->setMaxLength(150);
    Text3 = make_line_edit(this, "Text3");
    Text3->setMaxLength(150);
    Text4 = make_line_edit(this, "Text4");
    Text5 = make_text_box(this, "Text5");
    Command3 = make_button(this, "Command3", "....");
    Command1 = make_button(this, "Command1", "&Add");
    Command2 = back_button("Command2", "&Back");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1, 0, Qt::AlignRight);
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel("Select the Lab to which new sublab should be entered", this), row,
                    0);
    grid->addWidget(Combo1, row++, 1);
    grid->addWidget(new QLabel("Enter the Sublab Name", this), row, 0);
    grid->addWidget(Text1, row++, 1);
    grid->addWidget(new QLabel("Enter the Description\n(Optional)", this), row, 0);
    grid->addWidget(Text2, row++, 1);
    grid->addWidget(new QLabel("Enter the Path of N/W diagram\n(Optional)", this), row, 0);
    auto* path = new QHBoxLayout;
    path->addWidget(Text3);
    path->addWidget(Command3);
    grid->addLayout(path, row++, 1);
    grid->addWidget(new QLabel("Eg. (C:\\My Documents\\My Pictures\\picture1.gif)", this), row++,
                    1);
    grid->addWidget(new QLabel("Enter Flash Card Heading\n(Optional)", this), row, 0);
    grid->addWidget(Text4, row++, 1);
    grid->addWidget(new QLabel("Enter Flash Card Details for this Instruction\n(Optional)", this),
                    row, 0, Qt::AlignTop);
    grid->addWidget(Text5, row++, 1);
    layout->addLayout(grid);
    add_row(layout, {}, {Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &frmAdminSublabEnter::Combo1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAdminSublabEnter::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAdminSublabEnter::Command1_Click);
}

void frmAdminSublabEnter::Form_Load() {
    std::vector<std::string> names;
    for (const auto& lab : area_.store().labs()) names.push_back(lab.name);
    refill_combo(Combo1, names, "Lab Exercise");
    clear_boxes(Text1, Text2, Text3, Text4, Text5);
    lab_picked_ = false;
    show_logo();
    Text1->setFocus();
}

void frmAdminSublabEnter::Back() {
    area_.edit().new_sublab_name = Text1->text().toStdString();
    area_.show(AdminForm::Home);
}

void frmAdminSublabEnter::Combo1_Click() {
    picked_lab_name_ = Combo1->currentText().toStdString();
    lab_picked_ = true;
}

// The picture is kept relative to the program folder, where the lab's
// diagram window looks for it.
void frmAdminSublabEnter::Command3_Click() {
    const std::string folder = area_.app().program_folder;
    if (auto chosen = area_.dialogs().open_file_name("Network diagram", folder,
                                                     "Pictures|*.gif;*.jpg;*.png;*.bmp"))
        last_picture_ = stored_picture_path(folder, *chosen);
    Text3->setText(qs(last_picture_));
}

void frmAdminSublabEnter::Command1_Click() {
    const std::string name = Text1->text().toStdString();
    if (name.empty()) {
        message("Please enter the Sublab Name", platform::Icon::None);
        Text1->setFocus();
        return;
    }
    // The lab must be chosen now, and still be the one the box shows.
    int lab = 0;
    for (const auto& row : area_.store().labs())
        if (row.name == picked_lab_name_) {
            lab = row.index;
            break;
        }
    if (!lab_picked_ || lab == 0 || Combo1->currentText().toStdString() != picked_lab_name_) {
        message("Please select the Lab", platform::Icon::Exclamation);
        Combo1->setFocus();
        return;
    }
    if (area_.store().sublab_named(name)) {
        area_.dialogs().message("Warning",
                                "sorry! " + name + " already  exists  please  choose  a  new  lab",
                                platform::Icon::Exclamation);
        clear_boxes(Text1, Text2, Text3);
        Text1->setFocus();
        return;
    }
    const Change change = area_.store().add_sublab(
        {name, lab, Text2->text().toStdString(), Text3->text().toStdString(),
         Text4->text().toStdString(), stored(Text5->toPlainText())});
    if (!change.ok) {
        message("The sublab could not be added: " + change.error, platform::Icon::Critical);
        return;
    }
    area_.edit().chosen_sublab_index = change.index;
    area_.edit().new_sublab_name = name;
    area_.show(AdminForm::InstructionEnter);
    leave();
}

}  // namespace vexlab::labcontent
