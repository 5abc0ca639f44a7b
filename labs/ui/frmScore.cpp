#include "labs/ui/frmScore.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "labs/lab_answers.h"
#include "labs/lab_run.h"
#include "state/app_state.h"

namespace vexlab::labs {

frmScore::frmScore(state::AppState& app, const LabPractice& practice)
    : app_(app), practice_(practice) {
    setObjectName("frmScore");
    auto label = [this](const char* name, const char* caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    Label1 = label("Label1", "Score");
    QFont heading = Label1->font();
    heading.setPointSize(heading.pointSize() * 2);
    heading.setBold(true);
    Label1->setFont(heading);
    Label2 = label("Label2", "You have scored ");
    Label3 = label("Label3", " 10");
    QFont big = Label3->font();
    big.setBold(true);
    Label3->setFont(big);
    Label5 = label("Label5", "Of 10");
    Picture1 = label("Picture1", "");
    Command1 = new QPushButton("&Close", this);
    Command1->setObjectName("Command1");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(Picture1);
    layout->addLayout(top);
    auto* line = new QHBoxLayout;
    line->addWidget(Label2);
    line->addWidget(Label3);
    line->addWidget(Label5);
    line->addStretch();
    layout->addLayout(line);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &frmScore::Command1_Click);
}

void frmScore::Form_Load() {
    setWindowTitle(QString::fromStdString(app_.selected_sublab));
    move(2450 / 15, 2000 / 15);
    Label3->setText(
        QString::fromStdString("  " + score_text(practice_.run(), practice_.empty_lab())));
    Picture1->setPixmap(QPixmap(QString::fromStdString(app_.logo_picture_path)));
}

void frmScore::Command1_Click() {
    close();
}

}  // namespace vexlab::labs
