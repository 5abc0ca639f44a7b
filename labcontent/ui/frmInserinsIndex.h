#pragma once
// The first step of inserting an instruction: the sublab and the instruction
// after which the new one goes.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::labcontent {

class frmInserinsIndex : public AdminWindow {
    Q_OBJECT
public:
    explicit frmInserinsIndex(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command1_Click();  // Next

    QComboBox* Combo1 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    std::string listed_sublab_;
    int listed_sublab_index_ = 0;
};

}  // namespace vexlab::labcontent
