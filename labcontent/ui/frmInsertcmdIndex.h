#pragma once
// The first step of inserting an expected command: the sublab, the
// instruction and the command after which the new one goes.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vexlab::console {
class DropDownCombo;
}

namespace vexlab::labcontent {

class frmInsertcmdIndex : public AdminWindow {
    Q_OBJECT
public:
    explicit frmInsertcmdIndex(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo2_DropDown();
    void Combo2_Click();
    void Command1_Click();  // Next

    QComboBox* Combo1 = nullptr;               // sublabs
    console::DropDownCombo* Combo2 = nullptr;  // instructions
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    std::vector<int> instruction_list_indexes_;
    std::string listed_for_sublab_;  // the sublab the instruction list was made for
    int picked_instruction_index_ = 0;
    std::string picked_instruction_;  // its text, as chosen in this visit
    bool instruction_picked_ = false;
};

}  // namespace vexlab::labcontent
