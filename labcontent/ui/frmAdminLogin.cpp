#include "labcontent/ui/frmAdminLogin.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "platform/user_dialogs.h"

namespace vexlab::labcontent {

frmAdminLogin::frmAdminLogin(AdminArea& area) : AdminWindow(area, "frmAdminLogin", "Admin Login:") {
    Text1 = make_line_edit(this, "Text1");
    Text2 = make_line_edit(this, "Text2");
    Text2->setEchoMode(QLineEdit::Password);
    Command2 = make_button(this, "Command2", "&Login");
    Command2->setDefault(true);
    Command1 = back_button("Command1", "&Back");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1, 0, Qt::AlignRight);
    auto* form = new QFormLayout;
    form->addRow("User Name:", Text1);
    form->addRow("Password:", Text2);
    layout->addLayout(form);
    add_ruled_buttons(layout, {Command2, Command1});

    connect(Command2, &QPushButton::clicked, this, &frmAdminLogin::Command2_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &frmAdminLogin::Command2_Click);
}

void frmAdminLogin::Form_Load() {
    clear_boxes(Text1, Text2);
    show_logo();
    Text1->setFocus();
}

void frmAdminLogin::Back() {
    area_.finish();
}

void frmAdminLogin::Command2_Click() {
    if (!credentials_match(Text1->text().toStdString(), Text2->text().toStdString())) {
        area_.dialogs().message("Invalid Password", "Invalid User ! Try Again ",
                                platform::Icon::Exclamation);
        clear_boxes(Text1, Text2);
        Text1->setFocus();
        return;
    }
    area_.show(AdminForm::Home);
    leave();
}

}  // namespace vexlab::labcontent
