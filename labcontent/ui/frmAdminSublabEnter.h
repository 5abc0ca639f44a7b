#pragma once
// Adding a sublab to a lab, then its instructions.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmAdminSublabEnter : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdminSublabEnter(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Combo1_Click();
    void Command3_Click();  // "...." browse for the picture
    void Command1_Click();  // Add

    QComboBox* Combo1 = nullptr;
    QLineEdit* Text1 = nullptr;  // name
    QLineEdit* Text2 = nullptr;  // description
    QLineEdit* Text3 = nullptr;  // network picture
    QPushButton* Command3 = nullptr;
    QLineEdit* Text4 = nullptr;       // flash card heading
    QPlainTextEdit* Text5 = nullptr;  // flash card
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    std::string picked_lab_name_;
    bool lab_picked_ = false;  // in this visit
    std::string last_picture_;
};

}  // namespace vexlab::labcontent
