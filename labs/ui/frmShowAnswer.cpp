#include "labs/ui/frmShowAnswer.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "labs/lab_answers.h"
#include "state/app_state.h"

namespace vexlab::labs {

frmShowAnswer::frmShowAnswer(state::AppState& app, const LabRun& run) : app_(app), run_(run) {
    setObjectName("frmShowAnswer");
    resize(560, 400);
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Label1 = new QLabel("Command Sequence:", this);
    Label1->setObjectName("Label1");
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setToolTip("Commands.");
    Text1->setReadOnly(true);
    Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Line1 = new QFrame(this);
    Line1->setObjectName("Line1");
    Line1->setFrameShape(QFrame::HLine);
    Command3 = new QPushButton("&Instruction Answer", this);
    Command3->setObjectName("Command3");
    Command2 = new QPushButton("&Full Answer", this);
    Command2->setObjectName("Command2");
    Command1 = new QPushButton("&Close", this);
    Command1->setObjectName("Command1");
    Command1->setToolTip("Exit Answers.");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1, Qt::AlignBottom);
    top->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(Text1, 1);
    layout->addWidget(Line1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command3, Command2, Command1}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(Command3, &QPushButton::clicked, this, &frmShowAnswer::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmShowAnswer::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmShowAnswer::Command1_Click);
}

void frmShowAnswer::Form_Load() {
    setWindowTitle(QString::fromStdString(app_.selected_sublab));
    Command3_Click();
    Picture1->setPixmap(QPixmap(QString::fromStdString(app_.logo_picture_path)));
}

void frmShowAnswer::show_text(const std::string& text) {
    Text1->setPlainText(QString::fromStdString(text).replace("\r\n", "\n"));
}

void frmShowAnswer::Command3_Click() {
    show_text(instruction_answer(app_.session, run_));
}

void frmShowAnswer::Command2_Click() {
    show_text(full_answer(app_.session, app_.selected_sublab));
}

void frmShowAnswer::Command1_Click() {
    close();
}

}  // namespace vexlab::labs
