#include "designer/ui/designer_windows.h"

#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/room_to_show.h"

namespace vexlab::designer {

namespace {

// Dialog places are given in twips; 15 twips make a pixel at 96 dpi.
constexpr int twips(int value) {
    return value / 15;
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QFont arial() {
    QFont font("Arial");
    font.setPointSize(8);
    return font;
}

// The lists widen to their longest line, and their dialogs with them.
void fill(QListWidget* list, const std::vector<std::string>& items) {
    list->clear();
    for (const auto& item : items) list->addItem(q(item));
    platform::fit_to_lines(list);
}

// Runs a button's work; a failure is reported, never thrown into the window
// system's event handling.
template <class F>
void guarded(const FailureReport& report, F&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        if (report) report(error);
    }
}

}  // namespace

// ------------------------------------------------------------ frminterfaces

frminterfaces::frminterfaces(InterfaceDialog& model, FailureReport report, QWidget* parent)
    : QDialog(parent), model_(model), report_(std::move(report)) {
    setObjectName("frminterfaces");
    setWindowTitle("frminterfaces");
    setFont(arial());
    auto* layout = new QVBoxLayout(this);
    lblInterface = named(
        new QLabel("Select the interface for which the connection has to be established", this),
        "lblInterface");
    layout->addWidget(lblInterface);
    lstFreeInterfaces = named(new QListWidget(this), "lstFreeInterfaces");
    fill(lstFreeInterfaces, model_.lstFreeInterfaces());
    layout->addWidget(lstFreeInterfaces);
    auto* buttons = new QHBoxLayout;
    cmdSelect = named(new QPushButton("Select and close", this), "cmdSelect");
    cmdClose = named(new QPushButton("Cancel", this), "cmdClose");
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    connect(cmdSelect, &QPushButton::clicked, this, &frminterfaces::cmdSelect_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frminterfaces::cmdClose_Click);
    move(twips(2200), twips(2500));
}

void frminterfaces::cmdSelect_Click() {
    QListWidgetItem* item = lstFreeInterfaces->currentItem();
    const std::string chosen =
        item && item->isSelected() ? item->text().toStdString() : std::string();
    guarded(report_, [&] { model_.cmdSelect_Click(chosen); });
    if (model_.unloaded()) accept();
}

void frminterfaces::cmdClose_Click() {
    model_.cmdClose_Click();
    reject();
}

// --------------------------------------------------------------- frmSlotSel

frmSlotSel::frmSlotSel(SlotDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("frmSlotSel");
    setWindowTitle("Slot Selection");
    setFont(arial());
    auto* layout = new QVBoxLayout(this);
    Frame1 = named(new QFrame(this), "Frame1");
    Frame1->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(new QLabel("SLOT Selection", Frame1), 0, 0, 1, 2);
    const QColor unsupported(191, 205, 219);  // the inactive title bar colour
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& position = model_.positions()[i];
        Label1[i] = new QLabel(q(position.caption), Frame1);
        Label1[i]->setObjectName(QString("Label1_%1").arg(i));
        Combo1[i] = new QComboBox(Frame1);
        Combo1[i]->setObjectName(QString("Combo1_%1").arg(i));
        Combo1[i]->setEditable(true);
        for (const auto& card : position.cards) Combo1[i]->addItem(q(card));
        // Nothing is chosen until the user chooses.
        Combo1[i]->setCurrentIndex(-1);
        Combo1[i]->setEditText(SlotDialog::kEmptyChoice);
        if (position.unsupported) {
            for (QWidget* w :
                 {static_cast<QWidget*>(Label1[i]), static_cast<QWidget*>(Combo1[i])}) {
                w->setAutoFillBackground(true);
                QPalette palette = w->palette();
                palette.setColor(QPalette::Window, unsupported);
                palette.setColor(QPalette::Base, unsupported);
                w->setPalette(palette);
            }
        }
        Label1[i]->setVisible(position.visible);
        Combo1[i]->setVisible(position.visible);
        grid->addWidget(Label1[i], static_cast<int>(i) + 1, 0);
        grid->addWidget(Combo1[i], static_cast<int>(i) + 1, 1);
    }
    Label2 = named(new QLabel(Frame1), "Label2");
    Label2->setFixedSize(12, 12);
    Label2->setAutoFillBackground(true);
    QPalette legend = Label2->palette();
    legend.setColor(QPalette::Window, unsupported);
    Label2->setPalette(legend);
    Label3 = named(new QLabel("Not Supported in This Version", Frame1), "Label3");
    grid->addWidget(Label2, 4, 0, Qt::AlignRight);
    grid->addWidget(Label3, 4, 1);
    Label2->setVisible(model_.shows_notice());
    Label3->setVisible(model_.shows_notice());
    layout->addWidget(Frame1);
    Close = named(new QPushButton("O K", this), "Close");
    layout->addWidget(Close, 0, Qt::AlignRight);
    connect(Close, &QPushButton::clicked, this, &frmSlotSel::Close_Click);
    move(twips(2700), twips(1800));
}

void frmSlotSel::Close_Click() {
    std::array<std::string, 3> texts;
    for (std::size_t i = 0; i < 3; ++i) texts[i] = Combo1[i]->currentText().toStdString();
    model_.Close_Click(texts);
    accept();
}

// -------------------------------------------------------------- frmIpassign

frmIpassign::frmIpassign(IpAssignDialog& model, FailureReport report, QWidget* parent)
    : QDialog(parent), model_(model), report_(std::move(report)) {
    setObjectName("frmIpassign");
    setWindowTitle("IP Address Assign");
    setFont(arial());
    auto* grid = new QGridLayout(this);
    Label1 = named(new QLabel("Please Select the Interface to assign I.P Address", this), "Label1");
    grid->addWidget(Label1, 0, 0, 1, 3);
    Label5 = named(new QLabel("Interface Name", this), "Label5");
    Label6 = named(new QLabel("I.P Address", this), "Label6");
    Label7 = named(new QLabel("Mask Address", this), "Label7");
    grid->addWidget(Label5, 1, 0);
    grid->addWidget(Label6, 1, 1);
    grid->addWidget(Label7, 1, 2);
    List1 = named(new QListWidget(this), "List1");
    List2 = named(new QListWidget(this), "List2");
    List3 = named(new QListWidget(this), "List3");
    grid->addWidget(List1, 2, 0);
    grid->addWidget(List2, 2, 1);
    grid->addWidget(List3, 2, 2);
    Label4 = named(new QLabel(this), "Label4");
    grid->addWidget(Label4, 3, 0, 1, 3);
    Label2 = named(new QLabel("Enter the Ip Address:", this), "Label2");
    txtIp = named(new QLineEdit(this), "txtIp");
    grid->addWidget(Label2, 4, 0);
    grid->addWidget(txtIp, 4, 1, 1, 2);
    Label3 = named(new QLabel("Enter the Mask Address:", this), "Label3");
    txtMask = named(new QLineEdit(this), "txtMask");
    grid->addWidget(Label3, 5, 0);
    grid->addWidget(txtMask, 5, 1, 1, 2);
    cmdIpAssign = named(new QPushButton("Assign", this), "cmdIpAssign");
    cmdClose = named(new QPushButton("Close", this), "cmdClose");
    grid->addWidget(cmdIpAssign, 6, 1);
    grid->addWidget(cmdClose, 6, 2);
    for (QListWidget* list : {List1, List2, List3}) list->setEnabled(model_.lists_enabled());
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });
    connect(cmdIpAssign, &QPushButton::clicked, this, &frmIpassign::cmdIpAssign_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmIpassign::cmdClose_Click);
    sync();
    move(twips(2000), twips(2000));
}

void frmIpassign::sync() {
    Label4->setText(q(model_.Label4()));
    fill(List1, model_.List1());
    fill(List2, model_.List2());
    fill(List3, model_.List3());
}

void frmIpassign::List1_Click(int row) {
    model_.List1_Click(row);
    Label4->setText(q(model_.Label4()));
}

void frmIpassign::cmdIpAssign_Click() {
    const int row = List1->currentRow();
    guarded(report_, [&] {
        switch (
            model_.cmdIpAssign_Click(txtIp->text().toStdString(), txtMask->text().toStdString())) {
            case IpAssignDialog::Boxes::Keep:
                return;
            case IpAssignDialog::Boxes::ClearAndFocusAddress:
                txtIp->clear();
                txtMask->clear();
                txtIp->setFocus();
                return;
            case IpAssignDialog::Boxes::Clear:
                txtIp->clear();
                txtMask->clear();
                break;
        }
        fill(List2, model_.List2());
        fill(List3, model_.List3());
        if (row >= 0) List1->setCurrentRow(row);
    });
}

void frmIpassign::cmdClose_Click() {
    model_.cmdClose_Click();
    accept();
}

// ------------------------------------------------------------ frmSubintProp

frmSubintProp::frmSubintProp(SubinterfaceDialog& model, FailureReport report, QWidget* parent)
    : QDialog(parent), model_(model), report_(std::move(report)) {
    setObjectName("frmSubintProp");
    setWindowTitle("Sub Interface Configuration Details");
    setFont(arial());
    Label4 = named(new QLabel(q(model_.Label4()), this), "Label4");
    Label1 = named(new QLabel("Interface.SubIf ", this), "Label1");
    Label2 = named(new QLabel("Connected Device Name", this), "Label2");
    Label3 = named(new QLabel("Interface.SubIf ", this), "Label3");
    List1 = named(new QListWidget(this), "List1");
    List2 = named(new QListWidget(this), "List2");
    List3 = named(new QListWidget(this), "List3");
    Command1 = named(new QPushButton("Close", this), "Command1");
    Command2 = named(new QPushButton("Remove", this), "Command2");
    Command2->setVisible(model_.remove_mode());
    connect(Command1, &QPushButton::clicked, this, &frmSubintProp::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSubintProp::Command2_Click);
    sync();
    place();
    move(twips(2000), twips(2000));
}

// The design's places, with the columns widened where a heading or a line
// would not fit them at the font in use.
void frmSubintProp::place() {
    int column = twips(1920);
    for (auto [label, list] : {std::pair{Label1, List1}, {Label2, List2}, {Label3, List3}})
        column = std::max({column, label->sizeHint().width(), platform::width_for_lines(list)});
    const int gap = twips(120);
    const int widened = column - twips(1920);
    setFixedSize(twips(6600) + 3 * widened, twips(4200));
    Label4->setGeometry(twips(240), twips(120), width() - twips(600), twips(300));
    int left = twips(240);
    for (auto [label, list] : {std::pair{Label1, List1}, {Label2, List2}, {Label3, List3}}) {
        label->setGeometry(left, twips(540), column, twips(300));
        list->setGeometry(left, twips(840), column, twips(2400));
        left += column + gap;
    }
    Command1->setGeometry(twips(2640) + widened, twips(3480), twips(1215), twips(375));
    Command2->setGeometry(twips(1800) + widened, twips(3480), twips(1215), twips(375));
    // In remove mode Close makes room for Remove.
    if (model_.remove_mode()) Command1->move(twips(4200) + widened, Command1->y());
}

void frmSubintProp::sync() {
    fill(List1, model_.List1());
    fill(List2, model_.List2());
    fill(List3, model_.List3());
}

void frmSubintProp::Command2_Click() {
    QListWidgetItem* item = List1->currentItem();
    std::optional<int> row;
    if (item && item->isSelected()) row = List1->row(item);
    guarded(report_, [&] { model_.Command2_Click(row); });
    sync();
}

void frmSubintProp::Command1_Click() {
    guarded(report_, [&] { model_.Command1_Click(); });
    accept();
}

// ---------------------------------------------------------------- frmRemcon

frmRemcon::frmRemcon(RemoveConnectionDialog& model, FailureReport report, QWidget* parent)
    : QDialog(parent), model_(model), report_(std::move(report)) {
    setObjectName("frmRemcon");
    setWindowTitle("Remove Connection");
    setFont(arial());
    auto* layout = new QVBoxLayout(this);
    lblInterface =
        named(new QLabel("Select the interface for which the connection has to be removed", this),
              "lblInterface");
    layout->addWidget(lblInterface);
    lstRemInt = named(new QListWidget(this), "lstRemInt");
    layout->addWidget(lstRemInt);
    auto* buttons = new QHBoxLayout;
    cmdRemove = named(new QPushButton("Remove", this), "cmdRemove");
    cmdClose = named(new QPushButton("Close", this), "cmdClose");
    buttons->addWidget(cmdRemove);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    connect(lstRemInt, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { lstRemInt_Click(lstRemInt->row(item)); });
    connect(cmdRemove, &QPushButton::clicked, this, &frmRemcon::cmdRemove_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRemcon::cmdClose_Click);
    sync();
    move(twips(2200), twips(2500));
}

void frmRemcon::sync() {
    fill(lstRemInt, model_.lstRemInt());
    if (auto selected = model_.selected()) lstRemInt->setCurrentRow(*selected);
}

void frmRemcon::lstRemInt_Click(int row) {
    guarded(report_, [&] { model_.lstRemInt_Click(row); });
    sync();
}

void frmRemcon::cmdRemove_Click() {
    guarded(report_, [&] { model_.cmdRemove_Click(); });
    sync();
}

void frmRemcon::cmdClose_Click() {
    model_.cmdClose_Click();
    accept();
}

// ----------------------------------------------------------- frmdevicestats

frmdevicestats::frmdevicestats(RouterPropertiesDialog& model, FailureReport report, QWidget* parent)
    : QDialog(parent), model_(model), report_(std::move(report)) {
    setObjectName("frmdevicestats");
    setWindowTitle("devicestats");
    setFont(arial());
    auto* grid = new QGridLayout(this);
    lblDeviceName = named(new QLabel(q(model_.lblDeviceName()), this), "lblDeviceName");
    grid->addWidget(lblDeviceName, 0, 0, 1, 4);
    const char* captions[] = {"Interface", "IP Address", "Mask Address", "Connected to:"};
    const char* names[] = {"Label2", "Label3", "Label4", "Label5"};
    for (int i = 0; i < 4; ++i)
        grid->addWidget(named(new QLabel(captions[i], this), names[i]), 1, i);
    lstInterfaces = named(new QListWidget(this), "lstInterfaces");
    lstIpAddress = named(new QListWidget(this), "lstIpAddress");
    lstMaskAddress = named(new QListWidget(this), "lstMaskAddress");
    lstConnections = named(new QListWidget(this), "lstConnections");
    fill(lstInterfaces, model_.lstInterfaces());
    fill(lstIpAddress, model_.lstIpAddress());
    fill(lstMaskAddress, model_.lstMaskAddress());
    fill(lstConnections, model_.lstConnections());
    grid->addWidget(lstInterfaces, 2, 0);
    grid->addWidget(lstIpAddress, 2, 1);
    grid->addWidget(lstMaskAddress, 2, 2);
    grid->addWidget(lstConnections, 2, 3);
    grid->setColumnStretch(3, 2);
    cmdClose = named(new QPushButton("Close", this), "cmdClose");
    grid->addWidget(cmdClose, 3, 3, Qt::AlignRight);
    connect(lstInterfaces, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { lstInterfaces_Click(lstInterfaces->row(item)); });
    connect(cmdClose, &QPushButton::clicked, this, &frmdevicestats::cmdClose_Click);
    move(twips(450), twips(2200));
}

void frmdevicestats::lstInterfaces_Click(int row) {
    guarded(report_, [&] { model_.lstInterfaces_Click(row); });
}

void frmdevicestats::cmdClose_Click() {
    model_.cmdClose_Click();
    accept();
}

// --------------------------------------------------------- frmSwdevicestats

frmSwdevicestats::frmSwdevicestats(SwitchPropertiesDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("frmSwdevicestats");
    setWindowTitle("devicestats");
    setFont(arial());
    auto* grid = new QGridLayout(this);
    lblDeviceName = named(new QLabel(q(model_.lblDeviceName()), this), "lblDeviceName");
    grid->addWidget(lblDeviceName, 0, 0, 1, 3);
    grid->addWidget(new QLabel("IP Address:", this), 1, 0);
    Text1 = named(new QLineEdit(q(model_.Text1()), this), "Text1");
    grid->addWidget(Text1, 1, 1);
    grid->addWidget(new QLabel("Mask Address:", this), 2, 0);
    Text2 = named(new QLineEdit(q(model_.Text2()), this), "Text2");
    grid->addWidget(Text2, 2, 1);
    grid->addWidget(new QLabel("Port", this), 3, 0);
    grid->addWidget(new QLabel("Connection Status", this), 3, 1);
    grid->addWidget(new QLabel("Connected Host Name", this), 3, 2);
    lstPorts = named(new QListWidget(this), "lstPorts");
    lstConStat = named(new QListWidget(this), "lstConStat");
    lstConhost = named(new QListWidget(this), "lstConhost");
    fill(lstPorts, model_.lstPorts());
    fill(lstConStat, model_.lstConStat());
    fill(lstConhost, model_.lstConhost());
    grid->addWidget(lstPorts, 4, 0);
    grid->addWidget(lstConStat, 4, 1);
    grid->addWidget(lstConhost, 4, 2);
    cmdClose = named(new QPushButton("Close", this), "cmdClose");
    grid->addWidget(cmdClose, 5, 2, Qt::AlignRight);
    connect(cmdClose, &QPushButton::clicked, this, &frmSwdevicestats::cmdClose_Click);
    move(twips(450), twips(2200));
}

void frmSwdevicestats::cmdClose_Click() {
    model_.cmdClose_Click();
    accept();
}

// ------------------------------------------------------------- the host

void QtDialogHost::run(QDialog& dialog) {
    dialog.setModal(true);
    if (!driver) {
        dialog.exec();
        return;
    }
    dialog.show();
    driver(dialog);
    // A dialog the driver left open is closed by its frame.
    if (dialog.isVisible()) dialog.reject();
}

void QtDialogHost::show(InterfaceDialog& model) {
    frminterfaces dialog(model, report_, parent_);
    run(dialog);
}

void QtDialogHost::show(SlotDialog& model) {
    frmSlotSel dialog(model, parent_);
    run(dialog);
}

void QtDialogHost::show(IpAssignDialog& model) {
    frmIpassign dialog(model, report_, parent_);
    run(dialog);
}

void QtDialogHost::show(RemoveConnectionDialog& model) {
    frmRemcon dialog(model, report_, parent_);
    run(dialog);
}

void QtDialogHost::show(SubinterfaceDialog& model) {
    frmSubintProp dialog(model, report_, parent_);
    run(dialog);
}

void QtDialogHost::show(RouterPropertiesDialog& model) {
    frmdevicestats dialog(model, report_, parent_);
    run(dialog);
}

void QtDialogHost::show(SwitchPropertiesDialog& model) {
    frmSwdevicestats dialog(model, parent_);
    run(dialog);
}

// The menu runs the chosen item's handler itself, before exec() returns.
void QtDialogHost::popup_menu() {
    if (popup) popup->exec(QCursor::pos());
}

}  // namespace vexlab::designer
