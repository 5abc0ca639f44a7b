#include "labcontent/ui/frmadmDelSublab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "platform/user_dialogs.h"

namespace vexlab::labcontent {

frmadmDelSublab::frmadmDelSublab(AdminArea& area)
    : AdminWindow(area, "frmadmDelSublab", "Delete Sublab") {
    resize(760, 560);
    Combo1 = make_combo(this, "Combo1", "sublabs", false);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setMaximumHeight(80);
    MSFlexGrid1 = make_grid(this);
    Command3 = new QPushButton("&Delete", this);
    Command3->setObjectName("Command3");
    Command2 = new QPushButton("&Back", this);
    Command2->setObjectName("Command2");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Select  the  Sublab ", this));
    top->addWidget(Combo1);
    top->addStretch();
    top->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(new QLabel("Sublab Description", this));
    layout->addWidget(Text1);
    layout->addWidget(
        new QLabel("Following are the Commands Available in the above selected Sublab", this));
    layout->addWidget(MSFlexGrid1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel("Click the Delete button to remove this sublab", this));
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command2);
    layout->addLayout(buttons);

    connect(Combo1, &QComboBox::activated, this, &frmadmDelSublab::Combo1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmadmDelSublab::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmadmDelSublab::list_sublabs() {
    std::vector<std::string> names;
    for (const auto& s : area_.store().sublabs()) names.push_back(s.name);
    refill_combo(Combo1, names, "sublabs");
    Text1->clear();
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
    // Delete waits for a sublab chosen in this visit.
    Command3->setEnabled(false);
}

void frmadmDelSublab::Form_Load() {
    list_sublabs();
    show_logo();
}

void frmadmDelSublab::Back() {
    area_.show(AdminForm::Home);
}

void frmadmDelSublab::Combo1_Click() {
    picked_sublab_name_ = Combo1->currentText().toStdString();
    const auto sublab = area_.store().sublab_named(picked_sublab_name_);
    if (!sublab) return;
    picked_sublab_index_ = sublab->index;
    set_grid_format(MSFlexGrid1, command_grid_format(42));
    for (const auto& c : area_.store().commands_of_sublab(sublab->index))
        add_grid_row(MSFlexGrid1,
                     {std::to_string(c.index), c.command, c.response, c.comprompt, c.resprompt});
    Text1->setPlainText(qs(sublab->description));
    Command3->setEnabled(true);
}

void frmadmDelSublab::Command3_Click() {
    if (!Command3->isEnabled()) return;
    const auto answer = area_.dialogs().question(
        "confirm file deletion",
        "Are you sure you want to delete the sublab \"" + picked_sublab_name_ + "\"", false);
    if (answer == platform::Answer::Yes) {
        const Change change = area_.store().delete_sublab(picked_sublab_index_);
        if (!change.ok)
            message("The sublab could not be deleted; nothing was changed: " + change.error);
    }
    list_sublabs();
}

}  // namespace vexlab::labcontent
