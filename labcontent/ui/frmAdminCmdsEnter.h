#pragma once
// Appending expected commands to the instruction the task has chosen.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmAdminCmdsEnter : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdminCmdsEnter(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command1_Click();  // Add
    void Command3_Click();  // Admin Home

    QLineEdit* Text1 = nullptr;       // command
    QPlainTextEdit* Text2 = nullptr;  // response
    QLineEdit* Text3 = nullptr;       // command prompt
    QLineEdit* Text4 = nullptr;       // response prompt
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

}  // namespace vexlab::labcontent
