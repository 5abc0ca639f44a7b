#pragma once
// The administrator login: user name and password, then the administrator home.

#include "labcontent/ui/admin_window.h"

class QLineEdit;
class QPushButton;

namespace vexlab::labcontent {

class frmAdminLogin : public AdminWindow {
    Q_OBJECT
public:
    explicit frmAdminLogin(AdminArea& area);

    void Form_Load() override;
    void Back() override;
    void Command2_Click();  // Login

    QLineEdit* Text1 = nullptr;  // user name
    QLineEdit* Text2 = nullptr;  // password
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace vexlab::labcontent
