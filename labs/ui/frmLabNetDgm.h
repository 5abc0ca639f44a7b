#pragma once
// The lab's network diagram: the sublab's picture and the device chooser
// that moves the practice console to the current step's device.

#include "labs/lab_diagram.h"
#include "platform/ui/window_navigator.h"

class QLabel;
class QPushButton;

namespace vexlab::console {
class DropDownCombo;
}

namespace vexlab::labs {

class frmLabPractise;

class frmLabNetDgm : public platform::FormWindow {
    Q_OBJECT
public:
    explicit frmLabNetDgm(frmLabPractise& practice_window);

    void Form_Load();
    void Combo1_DropDown();
    void Combo1_Click();
    void Command1_Click();  // Select & Exit

    QLabel* Image1 = nullptr;
    console::DropDownCombo* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Picture1 = nullptr;

protected:
    void form_unload() override;

private:
    frmLabPractise& practice_window_;
    LabDeviceChooser chooser_;
};

}  // namespace vexlab::labs
