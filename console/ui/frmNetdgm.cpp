#include "console/ui/frmNetdgm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "console/console_engine.h"
#include "console/network_diagram.h"
#include "platform/ui/room_to_show.h"
#include "state/app_state.h"

namespace vexlab::console {

namespace {
const QSize kLeastPicture(480, 320);
}  // namespace

void DropDownCombo::showPopup() {
    if (on_drop_down) on_drop_down();
    QComboBox::showPopup();
}

frmNetdgm::frmNetdgm(state::AppState& app, ConsoleEngine& engine) : app_(app), engine_(engine) {
    setObjectName("frmNetdgm");
    setWindowTitle("Form1");
    resize(900, 560);
    auto* layout = new QGridLayout(this);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setMinimumSize(kLeastPicture);
    Image1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Image1, 0, 0, 6, 1);
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    layout->addWidget(Picture1, 0, 1);
    Label5 = new QLabel("Network Description:", this);
    Label5->setObjectName("Label5");
    layout->addWidget(Label5, 1, 1);
    txtNetDesc = new QPlainTextEdit(this);
    txtNetDesc->setObjectName("txtNetDesc");
    txtNetDesc->setReadOnly(true);
    layout->addWidget(txtNetDesc, 2, 1);
    Label1 = new QLabel("Select Device to Configure:", this);
    Label1->setObjectName("Label1");
    layout->addWidget(Label1, 3, 1);
    Combo1 = new DropDownCombo(this);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->setEditText("Device list");
    Combo1->on_drop_down = [this] { Combo1_DropDown(); };
    layout->addWidget(Combo1, 4, 1);
    Label2 = new QLabel("Device Configuration Details", this);
    Label2->setObjectName("Label2");
    layout->addWidget(Label2, 5, 1);
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    layout->addWidget(List1, 6, 1);
    Command1 = new QPushButton("Select && Exit", this);
    Command1->setObjectName("Command1");
    Command1->setToolTip("Select the Device And Exit Network Diagram.");
    Command2 = new QPushButton("Close", this);
    Command2->setObjectName("Command2");
    Command2->setToolTip("Exit Network Diagram.");
    layout->addWidget(Command1, 7, 0);
    layout->addWidget(Command2, 7, 1);
    connect(Command1, &QPushButton::clicked, this, &frmNetdgm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmNetdgm::Command2_Click);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
}

void frmNetdgm::show_details(const std::string& host, bool picked) {
    List1->clear();
    for (const auto& line : device_details(app_, host, picked))
        List1->addItem(QString::fromStdString(line));
}

void frmNetdgm::Fill() {
    Combo1->clear();
    const auto hosts = device_host_names(app_);
    const std::string first = hosts.empty() ? std::string() : hosts.front();
    Combo1->setEditText(QString::fromStdString(first));
    show_details(first, false);
    txtNetDesc->setPlainText(QString::fromStdString(app_.network.lab_description));
    // A missing picture leaves its box empty; a picture larger than the box
    // widens the window rather than lose its edges.
    platform::show_whole_picture(
        Image1, QPixmap(QString::fromStdString(app_.network.network_picture_path)), kLeastPicture);
    Picture1->setPixmap(QPixmap(QString::fromStdString(app_.logo_picture_path)));
}

void frmNetdgm::Combo1_DropDown() {
    const QString text = Combo1->currentText();
    Combo1->clear();
    for (const auto& host : device_host_names(app_)) Combo1->addItem(QString::fromStdString(host));
    Combo1->setEditText(text);
}

void frmNetdgm::Combo1_Click() {
    const std::string host = Combo1->currentText().toStdString();
    List1->clear();
    if (!host.empty()) show_details(host, true);
}

void frmNetdgm::Command1_Click() {
    select_device(engine_, Combo1->currentText().toStdString());
    close();
}

void frmNetdgm::Command2_Click() {
    close();
}

}  // namespace vexlab::console
