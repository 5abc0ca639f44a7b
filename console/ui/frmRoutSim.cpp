#include "console/ui/frmRoutSim.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "console/ui/console_view.h"
#include "console/ui/frmNetdgm.h"
#include "console/ui/frmSupportedcommands.h"
#include "networkfiles/network_loader.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::console {

bool console_key(int qt_key, Qt::KeyboardModifiers modifiers, const QString& text,
                 std::vector<KeyEvent>& out) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (qt_key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            out.push_back(keys::enter);
            return true;
        case Qt::Key_Backspace:
            out.push_back(keys::backspace);
            return true;
        case Qt::Key_Up:
            out.push_back(keys::up);
            return true;
        case Qt::Key_Down:
            out.push_back(keys::down);
            return true;
        case Qt::Key_Left:
            out.push_back(keys::left);
            return true;
        case Qt::Key_Right:
            out.push_back(keys::right);
            return true;
        case Qt::Key_End:
            out.push_back(keys::end);
            return true;
        case Qt::Key_Home:
            out.push_back(keys::home);
            return true;
        case Qt::Key_Delete:
            out.push_back(keys::del);
            return true;
        default:
            break;
    }
    if (ctrl && qt_key == Qt::Key_Z) {
        out.push_back(keys::ctrl_z);
        return true;
    }
    // Ctrl+^ is Ctrl+Shift+6 on most keyboards.
    if (ctrl && (qt_key == Qt::Key_AsciiCircum || qt_key == Qt::Key_6)) {
        out.push_back(keys::ctrl_caret);
        return true;
    }
    if (ctrl || text.isEmpty()) return false;
    const std::size_t before = out.size();
    for (char c : text.toUtf8())
        if (static_cast<unsigned char>(c) >= 32) out.push_back(keys::character(c));
    return out.size() > before;
}

frmRoutSim::frmRoutSim(state::AppState& app, platform::UserDialogs& dialogs)
    : app_(app), dialogs_(dialogs), engine_(std::make_unique<ConsoleEngine>(app, dialogs)) {
    setObjectName("frmRoutSim");
    resize(820, 600);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Label1 = new QLabel("Console", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(Label2);
    top->addWidget(Picture1);
    layout->addLayout(top);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setUndoRedoEnabled(false);
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text1->setAcceptDrops(false);  // only the console writes into the box
    Text1->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);
    layout->addWidget(Text1, 1);

    auto button = [this](QPushButton*& b, const char* name, const QString& caption,
                         const char* tip) {
        b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(cmdOpenExp, "cmdOpenExp", "&Open Exported File",
                              "Load the configuration from the Exported file."));
    buttons->addWidget(
        button(Command2, "Command2", "&Save Config", "Save The Current Configuration."));
    buttons->addWidget(
        button(Command5, "Command5", "&Load Config", "Load The Saved Configuration."));
    buttons->addWidget(button(Command3, "Command3", "N/W &Diagram", "Network Diagram."));
    buttons->addWidget(
        button(Command1, "Command1", "Supported &Commands", "List Of Supported Commands."));
    buttons->addWidget(button(Command6, "Command6", QString(), "View Existing Labs."));
    buttons->addWidget(button(Command4, "Command4", "E&xit", "Go TO Main Screen."));
    layout->addLayout(buttons);
    Command6->setIcon(QIcon(QString::fromStdString(app_.program_file("labs.ico"))));
    // The console stays in use beside the example labs it opens, which are
    // then the active window: its buttons explain themselves all the same.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    // Only the network simulator enables these (Form_Load).
    for (QPushButton* network : {cmdOpenExp, Command2, Command5, Command6, Command3})
        network->setEnabled(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    layout->addWidget(ProgressBar1);
    connect(cmdOpenExp, &QPushButton::clicked, this, &frmRoutSim::cmdOpenExp_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRoutSim::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &frmRoutSim::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &frmRoutSim::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRoutSim::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRoutSim::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &frmRoutSim::Command6_Click);

    mnutext1pop = new QMenu("text1pop", this);
    mnutext1pop->setObjectName("mnutext1pop");
    for (const char* item :
         {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}) {
        if (QString(item) == "-")
            mnutext1pop->addSeparator();
        else
            mnutext1pop->addAction(item)->setEnabled(false);
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmRoutSim::Timer1_Timer);
}

frmRoutSim::~frmRoutSim() = default;

void frmRoutSim::Form_Load() {
    engine_->form_load();
    setWindowTitle(QString::fromStdString(engine_->caption()));
    for (QPushButton* network : {cmdOpenExp, Command2, Command5, Command3, Command6})
        network->setEnabled(engine_->network_buttons_enabled());
    QPixmap logo(QString::fromStdString(app_.logo_picture_path));
    Picture1->setPixmap(logo);  // a missing picture leaves the box empty
    Timer1->start();
    Timer1_Timer();
    refresh();
}

void frmRoutSim::form_unload() {
    Timer1->stop();
    if (netdgm_ && netdgm_->isVisible()) netdgm_->close();
    if (supported_ && supported_->isVisible()) supported_->close();
    engine_->form_unload();
}

void frmRoutSim::Timer1_Timer() {
    Label2->setText(QString::fromStdString(engine_->clock_caption(ConsoleEngine::Clock::now())));
}

// The child windows are loaded first; only then does the console give up
// its input, so a window that fails to load never leaves it stuck.
void frmRoutSim::Command1_Click() {
    if (!supported_) {
        supported_ = std::make_unique<frmSupportedcommands>(
            QString::fromStdString(app_.program_file("help/html/supportdcommands.html")),
            QString::fromStdString(app_.logo_picture_path));
        connect(supported_.get(), &platform::FormWindow::unloaded, this, &frmRoutSim::child_closed);
    }
    supported_->Form_Load();
    platform::show_child(this, supported_.get());
}

void frmRoutSim::Command3_Click() {
    if (!netdgm_) {
        netdgm_ = std::make_unique<frmNetdgm>(app_, *engine_);
        connect(netdgm_.get(), &platform::FormWindow::unloaded, this, &frmRoutSim::child_closed);
    }
    netdgm_->Fill();
    platform::show_child(this, netdgm_.get());
}

// Back from a child window: typing goes on at the end of the last line.
void frmRoutSim::child_closed() {
    Text1->setFocus();
    engine_->press(keys::end);
    refresh();
}

// ------------------------------------------------------------ network files

void frmRoutSim::cmdOpenExp_Click() {
    load_file(state::NetworkLoad::ExportedFile, "Open Exported File", "export(*.exp)|*.exp");
}

void frmRoutSim::Command5_Click() {
    load_file(state::NetworkLoad::ConfigurationFile, "Load Config File", "config(*.con)|*.con");
}

// The chosen file replaces the network shown and the console starts a new
// session on it.  A refused file leaves the network as it was and the box
// names the file and the line.
void frmRoutSim::load_file(state::NetworkLoad how, const char* title, const char* filter) {
    const auto name = dialogs_.open_file_name(title, app_.program_file("user"), filter);
    if (name && !name->empty()) {
        const QPixmap wait(QString::fromStdString(app_.program_file("Wait05.cur")));
        setCursor(wait.isNull() ? QCursor(Qt::WaitCursor) : QCursor(wait, 16, 16));
        ProgressBar1->show();
        ProgressBar1->setRange(0, networkfiles::load_steps(how));
        ProgressBar1->setValue(0);
        engine_->load_network_file(
            *name, how,
            [this](int steps_done) {
                ProgressBar1->setValue(steps_done);
                ProgressBar1->repaint();
            },
            [this] {
                unsetCursor();
                ProgressBar1->hide();
            });
    }
    Text1->setFocus();
    refresh();
}

void frmRoutSim::network_loaded() {
    engine_->network_loaded();
    refresh();
    if (netdgm_ && netdgm_->isVisible()) netdgm_->Fill();
}

// Save Config writes the network shown, default or loaded.
void frmRoutSim::Command2_Click() {
    const auto name =
        dialogs_.save_file_name("Save Config As", app_.program_file("user"), "config(*.con)|*.con");
    if (name && !name->empty()) {
        try {
            networkfiles::save_config(app_, *name);
        } catch (const networkfiles::SaveError& error) {
            dialogs_.message("Vexlab", error.message(), platform::Icon::Critical);
        }
    }
    Text1->setFocus();
}

void frmRoutSim::Command4_Click() {
    app_.network.lab_description.assign(1, ' ');  // one blank
    close();
}

// The labs open beside the console, which stays usable.
void frmRoutSim::Command6_Click() {
    app_.open_mode.labs_opened_from_console = true;
    emit view_labs_requested();
}

void frmRoutSim::refresh() {
    show_text_control(*Text1, engine_->text_control());
}

bool frmRoutSim::Text1_Key(QKeyEvent* event) {
    std::vector<KeyEvent> keys;
    if (!console_key(event->key(), event->modifiers(), event->text(), keys)) return false;
    for (const KeyEvent& key : keys) engine_->press(key);
    refresh();
    return true;
}

bool frmRoutSim::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        Text1_Key(static_cast<QKeyEvent*>(event));
        return true;  // the engine is the text control
    }
    if (watched == Text1->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                    Text1->setEnabled(false);
                    mnutext1pop->exec(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                    Text1->setEnabled(true);
                }
                Text1->setFocus();
                return true;
            case QEvent::MouseButtonRelease:
                engine_->click();
                refresh();
                return true;
            case QEvent::MouseButtonDblClick:
                engine_->double_click();
                refresh();
                return true;
            default:
                break;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

}  // namespace vexlab::console
