#pragma once
// The designer's modal dialogs as windows: each shows the lists of its
// model (designer/designer_dialogs.h) and passes its clicks on.

#include <QDialog>
#include <array>
#include <functional>

#include "designer/designer_dialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QFrame;

namespace vexlab::designer {

// Reports a failure inside a dialog's button, which must not leave the
// window system's event handling.
using FailureReport = std::function<void(const std::exception&)>;

class frminterfaces : public QDialog {
    Q_OBJECT
public:
    frminterfaces(InterfaceDialog& model, FailureReport report, QWidget* parent);
    void cmdSelect_Click();
    void cmdClose_Click();

    QLabel* lblInterface = nullptr;
    QListWidget* lstFreeInterfaces = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    InterfaceDialog& model_;
    FailureReport report_;
};

class frmSlotSel : public QDialog {
    Q_OBJECT
public:
    frmSlotSel(SlotDialog& model, QWidget* parent);
    void Close_Click();

    QFrame* Frame1 = nullptr;
    std::array<QLabel*, 3> Label1{};
    std::array<QComboBox*, 3> Combo1{};
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Close = nullptr;

private:
    SlotDialog& model_;
};

class frmIpassign : public QDialog {
    Q_OBJECT
public:
    frmIpassign(IpAssignDialog& model, FailureReport report, QWidget* parent);
    void List1_Click(int row);
    void cmdIpAssign_Click();
    void cmdClose_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QLineEdit* txtIp = nullptr;
    QLineEdit* txtMask = nullptr;
    QPushButton* cmdIpAssign = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void sync();
    IpAssignDialog& model_;
    FailureReport report_;
};

class frmSubintProp : public QDialog {
    Q_OBJECT
public:
    frmSubintProp(SubinterfaceDialog& model, FailureReport report, QWidget* parent);
    void Command1_Click();
    void Command2_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void place();
    void sync();
    SubinterfaceDialog& model_;
    FailureReport report_;
};

class frmRemcon : public QDialog {
    Q_OBJECT
public:
    frmRemcon(RemoveConnectionDialog& model, FailureReport report, QWidget* parent);
    void lstRemInt_Click(int row);
    void cmdRemove_Click();
    void cmdClose_Click();

    QLabel* lblInterface = nullptr;
    QListWidget* lstRemInt = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void sync();
    RemoveConnectionDialog& model_;
    FailureReport report_;
};

class frmdevicestats : public QDialog {
    Q_OBJECT
public:
    frmdevicestats(RouterPropertiesDialog& model, FailureReport report, QWidget* parent);
    void lstInterfaces_Click(int row);
    void cmdClose_Click();

    QLabel* lblDeviceName = nullptr;
    QListWidget* lstInterfaces = nullptr;
    QListWidget* lstIpAddress = nullptr;
    QListWidget* lstMaskAddress = nullptr;
    QListWidget* lstConnections = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    RouterPropertiesDialog& model_;
    FailureReport report_;
};

class frmSwdevicestats : public QDialog {
    Q_OBJECT
public:
    frmSwdevicestats(SwitchPropertiesDialog& model, QWidget* parent);
    void cmdClose_Click();

    QLabel* lblDeviceName = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QListWidget* lstPorts = nullptr;
    QListWidget* lstConStat = nullptr;
    QListWidget* lstConhost = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    SwitchPropertiesDialog& model_;
};

// Shows the dialogs modal over the designer.  A test sets `driver` to answer
// each dialog (it gets the shown dialog and clicks its controls) instead of a
// person.
class QtDialogHost : public DialogHost {
public:
    QtDialogHost(QWidget* parent, FailureReport report) : parent_(parent), report_(report) {}

    std::function<void(QDialog&)> driver;
    QMenu* popup = nullptr;

    void show(InterfaceDialog& dialog) override;
    void show(SlotDialog& dialog) override;
    void show(IpAssignDialog& dialog) override;
    void show(RemoveConnectionDialog& dialog) override;
    void show(SubinterfaceDialog& dialog) override;
    void show(RouterPropertiesDialog& dialog) override;
    void show(SwitchPropertiesDialog& dialog) override;
    void popup_menu() override;

private:
    void run(QDialog& dialog);
    QWidget* parent_;
    FailureReport report_;
};

}  // namespace vexlab::designer
