#include "labs/ui/frmFlashCard.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrintDialog>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "labs/lab_answers.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

std::unique_ptr<QPrinter> ask_for_printer(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer.get(), parent);
    // The card prints as one piece: no page range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return printer;
}

}  // namespace

frmFlashCard::frmFlashCard(state::AppState& app) : dlgPrint(ask_for_printer), app_(app) {
    setObjectName("frmFlashCard");
    resize(520, 360);
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 4);
    Label1->setFont(heading);
    rtfData = new QTextEdit(this);
    rtfData->setObjectName("rtfData");
    rtfData->setReadOnly(true);
    rtfData->setAcceptRichText(false);
    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName("RichTextBox1");
    RichTextBox1->setVisible(false);
    Line1 = new QFrame(this);
    Line1->setObjectName("Line1");
    Line1->setFrameShape(QFrame::HLine);
    Command2 = new QPushButton("&Print", this);
    Command2->setObjectName("Command2");
    Command1 = new QPushButton("&Close", this);
    Command1->setObjectName("Command1");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(rtfData, 1);
    layout->addWidget(Line1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Command2, &QPushButton::clicked, this, &frmFlashCard::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmFlashCard::Command1_Click);
}

void frmFlashCard::Form_Load() {
    setWindowTitle(QString::fromStdString(app_.selected_sublab));
    const FlashCard card = flash_card(app_.session, app_.selected_sublab);
    rtfData->setPlainText(q(card.text));
    Label1->setVisible(card.has_title);
    Label1->setText(q(card.title));
    RichTextBox1->setPlainText(q(card.combined()));
    Picture1->setPixmap(QPixmap(QString::fromStdString(app_.logo_picture_path)));
}

// Prints the part of the card the user selected, or all of it; the title
// is not printed.  A cancelled dialog prints nothing.
void frmFlashCard::Command2_Click() {
    std::unique_ptr<QPrinter> printer = dlgPrint ? dlgPrint(this) : nullptr;
    if (!printer) return;
    const QTextCursor selection = rtfData->textCursor();
    if (!selection.hasSelection()) {
        rtfData->print(printer.get());
        return;
    }
    QTextDocument part;
    part.setDefaultFont(rtfData->document()->defaultFont());
    part.setPlainText(selection.selectedText().replace(QChar::ParagraphSeparator, '\n'));
    part.print(printer.get());
}

void frmFlashCard::Command1_Click() {
    close();
}

}  // namespace vexlab::labs
