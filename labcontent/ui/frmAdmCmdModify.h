#pragma once
// The first step of adding expected commands: the instruction, chosen by its
// index among the instructions of a sublab.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::labcontent {

class frmAdmCmdModify : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdmCmdModify(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command1_Click();  // Next

    QComboBox* Combo1 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;

private:
    std::string listed_sublab_;  // the sublab whose instructions the grid lists
};

}  // namespace vexlab::labcontent
