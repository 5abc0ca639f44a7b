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
    Text1 = make_text_box(this, "Text1");
    Text1->setReadOnly(true);
    Text1->setMaximumHeight(80);
    MSFlexGrid1 = make_grid(this);
    Command3 = make_button(this, "Command3", "&Delete");
    Command2 = back_button("Command2", "&Back");

    auto* layout = new QVBoxLayout(this);
    add_row(layout, {new QLabel("Select  the  Sublab ", this), Combo1}, {Picture1});
    layout->addWidget(new QLabel("Sublab Description", this));
    layout->addWidget(Text1);
    layout->addWidget(
        new QLabel("Following are the Commands Available in the above selected Sublab", this));
    layout->addWidget(MSFlexGrid1, 1);
    add_row(layout, {new QLabel("Click the Delete button to remove this sublab", this), Command3},
            {Command2});

    connect(Combo1, &QComboBox::activated, this, &frmadmDelSublab::Combo1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmadmDelSublab::Command3_Click);
}

void frmadmDelSublab::list_sublabs() {
    show_sublabs(Combo1);
    Text1->clear();
    empty_grid(MSFlexGrid1);
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
    show_commands(MSFlexGrid1, 42, area_.store().commands_of_sublab(sublab->index));
    Text1->setPlainText(qs(sublab->description));
    Command3->setEnabled(true);
}

void frmadmDelSublab::Command3_Click() {
    if (!Command3->isEnabled()) return;
    const auto answer = area_.dialogs().question(
        "confirm file deletion",
        "Are you sure you want to delete the sublab \"" + picked_sublab_name_ + "\"", false,
        platform::Icon::None);
    if (answer == platform::Answer::Yes) {
        const Change change = area_.store().delete_sublab(picked_sublab_index_);
        if (!change.ok)
            message("The sublab could not be deleted; nothing was changed: " + change.error,
                    platform::Icon::Critical);
    }
    list_sublabs();
}

}  // namespace vexlab::labcontent
