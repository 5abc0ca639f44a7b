#pragma once
// The network diagram: the picture and description of the network shown in
// the console, its devices by host name, one device's addresses, and the
// switch of the console to a chosen device.

#include <QComboBox>
#include <functional>

#include "platform/ui/window_navigator.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vexlab::state {
struct AppState;
}

namespace vexlab::console {

class ConsoleEngine;

// A combo box that says when its list is about to drop down.
class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    std::function<void()> on_drop_down;
    void showPopup() override;
};

class frmNetdgm : public platform::FormWindow {
    Q_OBJECT
public:
    frmNetdgm(state::AppState& app, ConsoleEngine& engine);

    // Fills the window for the network shown in the console: the console's
    // N/W Diagram button does this before it shows the window, and the
    // console again when a network is loaded while the window is open.
    void Fill();

    void Combo1_DropDown();
    void Combo1_Click();
    void Command1_Click();  // Select && Exit
    void Command2_Click();  // Close

    QLabel* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QPlainTextEdit* txtNetDesc = nullptr;
    QLabel* Label1 = nullptr;
    DropDownCombo* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void show_details(const std::string& host, bool picked);

    state::AppState& app_;
    ConsoleEngine& engine_;
};

}  // namespace vexlab::console
