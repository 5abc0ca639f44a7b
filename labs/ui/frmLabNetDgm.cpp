#include "labs/ui/frmLabNetDgm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/ui/frmNetdgm.h"
#include "labs/ui/frmLabPractise.h"
#include "platform/ui/room_to_show.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {
const QSize kLeastPicture(480, 320);
}  // namespace

frmLabNetDgm::frmLabNetDgm(frmLabPractise& practice_window)
    : practice_window_(practice_window), chooser_(practice_window.practice()) {
    setObjectName("frmLabNetDgm");
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setMinimumSize(kLeastPicture);
    Image1->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel("Select the Device to Configure it", this);
    Label1->setObjectName("Label1");
    Combo1 = new console::DropDownCombo(this);
    Combo1->setObjectName("Combo1");
    Combo1->setPlaceholderText(kDevicesPlaceholder);
    Combo1->setMinimumWidth(120);
    Command1 = new QPushButton("Select && Exit", this);
    Command1->setObjectName("Command1");
    Command1->setToolTip("Exit Network Diagram.");
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 1);
    top->addWidget(Picture1, 0, Qt::AlignTop);
    layout->addLayout(top, 1);
    auto* choice = new QHBoxLayout;
    choice->addWidget(Label1);
    choice->addWidget(Combo1);
    choice->addStretch();
    choice->addWidget(Command1);
    layout->addLayout(choice);

    Combo1->on_drop_down = [this] { Combo1_DropDown(); };
    connect(Combo1, &QComboBox::activated, this, &frmLabNetDgm::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmLabNetDgm::Command1_Click);
}

void frmLabNetDgm::Form_Load() {
    // The controls start from their design state at every opening.
    Combo1->clear();
    Combo1->setCurrentIndex(-1);
    const QPixmap picture(QString::fromStdString(chooser_.picture_path()));
    // A missing picture leaves the frame empty; a large one widens the window.
    platform::show_whole_picture(Image1, picture, kLeastPicture);
    state::AppState& app = practice_window_.practice().app();
    setWindowTitle(QString::fromStdString(app.selected_sublab));
    Picture1->setPixmap(QPixmap(QString::fromStdString(app.logo_picture_path)));
}

void frmLabNetDgm::Combo1_DropDown() {
    const QString chosen = Combo1->currentText();
    Combo1->clear();
    for (const std::string& entry : chooser_.entries())
        Combo1->addItem(QString::fromStdString(entry));
    Combo1->setCurrentIndex(Combo1->findText(chosen));
}

void frmLabNetDgm::Combo1_Click() {
    chooser_.choose(Combo1->currentText().toStdString());
    practice_window_.refresh();
}

void frmLabNetDgm::Command1_Click() {
    practice_window_.setEnabled(true);
    const auto outcome = chooser_.select_and_exit(Combo1->currentText().toStdString());
    practice_window_.refresh();
    if (outcome == LabDeviceChooser::Outcome::Close) close();
}

void frmLabNetDgm::form_unload() {
    practice_window_.setEnabled(true);
}

}  // namespace vexlab::labs
