#pragma once
// Inserting an expected command after the chosen one.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmInsertCommand : public AdminWindow {
    Q_OBJECT
public:
    explicit frmInsertCommand(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command1_Click();  // Insert
    void Command3_Click();  // Admin Home

    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

}  // namespace vexlab::labcontent
