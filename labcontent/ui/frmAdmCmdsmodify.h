#pragma once
// Modifying or deleting one expected command.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmAdmCmdsmodify : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdmCmdsmodify(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command1_Click();  // Modify
    void Command3_Click();  // Delete

    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label5 = nullptr;
};

// Said when the row to change no longer exists.
inline constexpr const char* kRecordNotFound = "record not found";

}  // namespace vexlab::labcontent
