#pragma once
// Modifying the text of an instruction, or deleting it with its expected
// commands.

#include "labcontent/ui/admin_window.h"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::labcontent {

class frmInsModIndex : public AdminWindow {
    Q_OBJECT
public:
    explicit frmInsModIndex(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command1_Click();  // Modify
    void Command3_Click();  // Delete

    QPlainTextEdit* Text1 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;  // Admin Home
    QLabel* Label3 = nullptr;

private:
    void clear_grid();
};

}  // namespace vexlab::labcontent
