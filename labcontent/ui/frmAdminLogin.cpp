#include "labcontent/ui/frmAdminLogin.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labcontent/ui/admin_area.h"
#include "platform/user_dialogs.h"

namespace vexlab::labcontent {

frmAdminLogin::frmAdminLogin(AdminArea& area) : AdminWindow(area, "frmAdminLogin", "Admin Login:") {
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text2 = new QLineEdit(this);
    Text2->setObjectName("Text2");
    Text2->setEchoMode(QLineEdit::Password);
    Command2 = new QPushButton("&Login", this);
    Command2->setObjectName("Command2");
    Command2->setDefault(true);
    Command1 = new QPushButton("&Back", this);
    Command1->setObjectName("Command1");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1, 0, Qt::AlignRight);
    auto* form = new QFormLayout;
    form->addRow("User Name:", Text1);
    form->addRow("Password:", Text2);
    layout->addLayout(form);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Command2, &QPushButton::clicked, this, &frmAdminLogin::Command2_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &frmAdminLogin::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &AdminWindow::back_clicked);
}

void frmAdminLogin::Form_Load() {
    Text1->clear();
    Text2->clear();
    show_logo();
    Text1->setFocus();
}

void frmAdminLogin::Back() {
    area_.finish();
}

void frmAdminLogin::Command2_Click() {
    if (!credentials_match(Text1->text().toStdString(), Text2->text().toStdString())) {
        area_.dialogs().message("Invalid Password", "Invalid User ! Try Again ");
        Text1->clear();
        Text2->clear();
        Text1->setFocus();
        return;
    }
    area_.show(AdminForm::Home);
    leave();
}

}  // namespace vexlab::labcontent
