#pragma once
// The selector of the modify and delete tasks: an instruction or an expected
// command of a sublab, chosen by its index.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::labcontent {

class frmAdminInsModify : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdminInsModify(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command1_Click();  // Next

    QComboBox* Combo1 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label7 = nullptr;

private:
    std::string listed_sublab_;
};

}  // namespace vexlab::labcontent
