#pragma once
// Appending an instruction to a sublab, then its expected commands.

#include "labcontent/ui/admin_window.h"

class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmAdmInsEnter : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdmInsEnter(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command1_Click();  // Add

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo1 = nullptr;  // sublabs
    QComboBox* Combo2 = nullptr;  // devices
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    int picked_sublab_index_ = 0;
    std::string picked_sublab_name_;
    bool sublab_picked_ = false;  // in this visit
};

}  // namespace vexlab::labcontent
