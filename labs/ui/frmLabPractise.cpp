#include "labs/ui/frmLabPractise.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "console/ui/console_view.h"
#include "labs/ui/frmFlashCard.h"
#include "labs/ui/frmLabNetDgm.h"
#include "labs/ui/frmScore.h"
#include "labs/ui/frmShowAnswer.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {

QString q(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    shown.replace('\r', '\n');
    return shown;
}

QPlainTextEdit* text_box(QWidget* parent, const char* name, const char* tip) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    if (tip) box->setToolTip(tip);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

}  // namespace

frmLabPractise::frmLabPractise(state::AppState& app, platform::UserDialogs& dialogs,
                               LabCountdown::Clock clock)
    : app_(app), dialogs_(dialogs), practice_(app, dialogs, std::move(clock)) {
    setObjectName("frmLabPractise");
    resize(900, 680);
    const char* steps_tip =
        "Given below are the step by step instruction for completion of this lab.";

    Label5 = label(this, "Label5", "Lab Description:");
    txtLabDes = text_box(this, "txtLabDes", nullptr);
    Label2 = label(this, "Label2", "Lab Instructions:");
    Label2->setToolTip(steps_tip);
    txtLabIns = text_box(this, "txtLabIns", "Lab Instruction");
    Label3 = label(this, "Label3", "Current Instruction:");
    Label3->setToolTip(steps_tip);
    txtCurrentIns = text_box(this, "txtCurrentIns", "Instruction to be executed");
    txtCurrentIns->setMaximumHeight(60);
    Label4 = label(this, "Label4", "Time remaining:");
    lbltime = label(this, "lbltime", QString());
    Picture1 = label(this, "Picture1", QString());
    Label1 = label(this, "Label1", QString(59, ' ') + "Router Console");

    txtRC = new QPlainTextEdit(this);
    txtRC->setObjectName("txtRC");
    txtRC->setToolTip("Please enter device commands one at time at the prompt.");
    txtRC->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtRC->setUndoRedoEnabled(false);
    txtRC->setTabChangesFocus(true);
    txtRC->setContextMenuPolicy(Qt::NoContextMenu);
    txtRC->setAcceptDrops(false);
    txtRC->installEventFilter(this);
    txtRC->viewport()->installEventFilter(this);

    auto button = [this](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    cmdShowNetDgm = button("cmdShowNetDgm", "Show &Network", "View the network diagram.");
    cmdShowAns = button("cmdShowAns", "Show &Answer", "View lab answers.");
    cmdShowFlsah = button("cmdShowFlsah", "&Flash Card", "View lab answers.");
    cmdScore = button("cmdScore", "Score &Exit", "View lab answers.");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    top->addWidget(Label5, 0, 0);
    top->addWidget(Label2, 0, 1);
    top->addWidget(Picture1, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
    top->addWidget(txtLabDes, 1, 0);
    top->addWidget(txtLabIns, 1, 1);
    top->addWidget(Label3, 2, 0);
    auto* time = new QHBoxLayout;
    time->addStretch();
    time->addWidget(Label4);
    time->addWidget(lbltime);
    top->addLayout(time, 2, 1, 1, 2);
    top->addWidget(txtCurrentIns, 3, 0, 1, 3);
    layout->addLayout(top);
    layout->addWidget(Label1);
    layout->addWidget(txtRC, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdShowNetDgm, cmdShowAns, cmdShowFlsah, cmdScore})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    // The console's pop-up menu offers the usual items, none of which acts.
    mnutext1pop = new QMenu("text1pop", this);
    mnutext1pop->setObjectName("mnutext1pop");
    for (const char* item :
         {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&delete", "-", "Select &All"}) {
        if (QString(item) == "-")
            mnutext1pop->addSeparator();
        else
            mnutext1pop->addAction(item);
    }

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmLabPractise::Timer1_Timer);
    // The countdown's time-up message is a modal box: the timer stops first,
    // so no second box can follow it.
    practice_.on_countdown_stopped = [this] { Timer1->stop(); };

    connect(cmdShowNetDgm, &QPushButton::clicked, this, &frmLabPractise::cmdShowNetDgm_Click);
    connect(cmdShowAns, &QPushButton::clicked, this, &frmLabPractise::cmdShowAns_Click);
    connect(cmdShowFlsah, &QPushButton::clicked, this, &frmLabPractise::cmdShowFlsah_Click);
    connect(cmdScore, &QPushButton::clicked, this, &frmLabPractise::cmdScore_Click);
}

frmLabPractise::~frmLabPractise() = default;

void frmLabPractise::Form_Load() {
    practice_.form_load();
    Picture1->setPixmap(QPixmap(QString::fromStdString(app_.logo_picture_path)));
    Timer1->start(1000);
    refresh();
    txtRC->setFocus();
    // An empty lab's console takes no keys; the focus moves on.
    if (!practice_.console().enabled) {
        focusNextChild();
        focusNextChild();
    }
}

void frmLabPractise::refresh() {
    const LabPracticeView& view = practice_.view();
    setWindowTitle(QString::fromStdString(view.caption));
    if (txtLabDes->toPlainText() != q(view.description))
        txtLabDes->setPlainText(q(view.description));
    if (txtLabIns->toPlainText() != q(view.instruction_list))
        txtLabIns->setPlainText(q(view.instruction_list));
    // Each key refreshes the window: a box whose text stays is not laid out
    // and painted again.
    if (txtCurrentIns->toPlainText() != q(view.current_instruction))
        txtCurrentIns->setPlainText(q(view.current_instruction));
    lbltime->setText(QString::fromStdString(view.time));
    lbltime->setVisible(view.time_visible);
    Label4->setVisible(view.time_visible);
    cmdShowNetDgm->setEnabled(view.show_network_enabled);
    cmdShowAns->setEnabled(view.show_answer_enabled);
    cmdShowFlsah->setEnabled(view.flash_card_enabled);
    apply_console_changes();
}

void frmLabPractise::apply_console_changes() {
    LabTextBox& box = practice_.console();
    console::show_text_control(*txtRC, box.control());
    txtRC->setEnabled(box.enabled);
}

void frmLabPractise::Timer1_Timer() {
    practice_.tick();
    refresh();
}

void frmLabPractise::cmdShowNetDgm_Click() {
    practice_.show_network_chosen();
    if (!diagram_) {
        diagram_ = std::make_unique<frmLabNetDgm>(*this);
        connect(diagram_.get(), &platform::FormWindow::unloaded, this,
                &frmLabPractise::child_closed);
    }
    diagram_->Form_Load();
    platform::show_child(this, diagram_.get());
}

void frmLabPractise::cmdShowAns_Click() {
    if (!answer_) {
        answer_ = std::make_unique<frmShowAnswer>(app_, practice_.run());
        connect(answer_.get(), &platform::FormWindow::unloaded, this,
                &frmLabPractise::child_closed);
    }
    answer_->move(1450 / 15, 1500 / 15);
    answer_->Form_Load();
    platform::show_child(this, answer_.get());
}

void frmLabPractise::cmdShowFlsah_Click() {
    if (!flash_card_) {
        flash_card_ = std::make_unique<frmFlashCard>(app_);
        connect(flash_card_.get(), &platform::FormWindow::unloaded, this,
                &frmLabPractise::child_closed);
    }
    flash_card_->Form_Load();
    flash_card_->move(2500 / 15, 2300 / 15);
    platform::show_child(this, flash_card_.get());
}

void frmLabPractise::cmdScore_Click() {
    close();
}

// Back from a child window: typing goes on in the console.
void frmLabPractise::child_closed() {
    setEnabled(true);
    txtRC->setFocus();
    refresh();
}

// The run ends here; its score follows.  Nothing of the run is reset.
void frmLabPractise::form_unload() {
    Timer1->stop();
    for (platform::FormWindow* child : std::initializer_list<platform::FormWindow*>{
             diagram_.get(), answer_.get(), flash_card_.get()})
        if (child && child->isVisible()) child->close();
    if (!score_) {
        score_ = std::make_unique<frmScore>(app_, practice_);
        connect(score_.get(), &platform::FormWindow::unloaded, this, &frmLabPractise::run_finished);
    }
    score_->Form_Load();
    score_->show();
    score_->raise();
    score_->activateWindow();
}

bool frmLabPractise::txtRC_Key(QKeyEvent* event) {
    namespace keys = console::keys;
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;  // the focus moves on
        case Qt::Key_Return:
        case Qt::Key_Enter:
            practice_.press(keys::enter);
            break;
        case Qt::Key_Backspace:
            practice_.press(keys::backspace);
            break;
        case Qt::Key_Up:
            practice_.press(keys::up);
            break;
        case Qt::Key_Down:
            practice_.press(keys::down);
            break;
        case Qt::Key_Left:
            practice_.press(keys::left);
            break;
        case Qt::Key_Right:
            practice_.press(keys::right);
            break;
        case Qt::Key_End:
            practice_.press(keys::end);
            break;
        case Qt::Key_Home:
            practice_.press(keys::home);
            break;
        case Qt::Key_Delete:
            practice_.press(keys::del);
            break;
        default: {
            // The console knows no shortcuts; typed characters go in one by one.
            if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return true;
            const QString typed = event->text();
            if (typed.isEmpty() || !typed.at(0).isPrint()) return true;
            practice_.type(typed.toStdString());
            break;
        }
    }
    refresh();
    return true;
}

bool frmLabPractise::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtRC && event->type() == QEvent::KeyPress)
        return txtRC_Key(static_cast<QKeyEvent*>(event));
    if (watched == txtRC->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::RightButton) {
                    // Disabled while the menu is up, so the box's own menu stays shut.
                    txtRC->setEnabled(false);
                    mnutext1pop->exec(mouse->globalPosition().toPoint());
                    txtRC->setEnabled(practice_.console().enabled);
                }
                txtRC->setFocus();
                return true;
            }
            case QEvent::MouseButtonRelease:
                practice_.click();
                refresh();
                return true;
            case QEvent::MouseButtonDblClick:
                practice_.double_click();
                refresh();
                return true;
            case QEvent::MouseMove:
                return true;
            default:
                break;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

}  // namespace vexlab::labs
