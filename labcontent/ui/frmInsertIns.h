#pragma once
// Inserting an instruction after the chosen one.

#include "labcontent/ui/admin_window.h"

class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmInsertIns : public AdminWindow {
    Q_OBJECT
public:
    explicit frmInsertIns(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command1_Click();  // Insert

    QComboBox* Combo1 = nullptr;  // devices
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

}  // namespace vexlab::labcontent
