#pragma once
// The simulator console window: the transcript, the clock, the logo and the
// buttons.  Every key goes to the console engine; the window only shows its
// text and caret.

#include <QPointer>
#include <memory>

#include "console/console_engine.h"
#include "platform/ui/window_navigator.h"
#include "state/console_session.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QMenu;

namespace vexlab::state {
struct AppState;
}
namespace vexlab::platform {
class UserDialogs;
}

namespace vexlab::console {

class frmNetdgm;
class frmSupportedcommands;

class frmRoutSim : public platform::FormWindow {
    Q_OBJECT
public:
    frmRoutSim(state::AppState& app, platform::UserDialogs& dialogs);
    ~frmRoutSim() override;

    // The window's load: runs at every opening.
    void Form_Load();

    ConsoleEngine& engine() { return *engine_; }

    void Timer1_Timer();
    void Command1_Click();    // Supported Commands
    void Command3_Click();    // N/W Diagram
    void Command4_Click();    // E&xit
    void cmdOpenExp_Click();  // Open Exported File
    void Command2_Click();    // Save Config
    void Command5_Click();    // Load Config
    void Command6_Click();    // View Existing Labs

    // A network loaded past the console (Load the Lab) replaces the one
    // shown: the console starts a new session on it and its network
    // diagram, when open, shows it, as both would if opened on it.
    void network_loaded();

    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QTimer* Timer1 = nullptr;
    QPushButton* Command1 = nullptr;    // Supported Commands
    QPushButton* Command2 = nullptr;    // Save Config
    QPushButton* Command3 = nullptr;    // N/W Diagram
    QPushButton* Command4 = nullptr;    // Exit
    QPushButton* Command5 = nullptr;    // Load Config
    QPushButton* Command6 = nullptr;    // View Existing Labs
    QPushButton* cmdOpenExp = nullptr;  // Open Exported File
    QMenu* mnutext1pop = nullptr;
    QProgressBar* ProgressBar1 = nullptr;  // shown while a network file loads

signals:
    // The example labs live above the console; the program opens them.
    void view_labs_requested();

protected:
    void form_unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    bool Text1_Key(QKeyEvent* event);

    void child_closed();

    void load_file(state::NetworkLoad how, const char* title, const char* filter);

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    std::unique_ptr<ConsoleEngine> engine_;
    std::unique_ptr<frmNetdgm> netdgm_;
    std::unique_ptr<frmSupportedcommands> supported_;

public:
    frmNetdgm* netdgm() const { return netdgm_.get(); }
    frmSupportedcommands* supported() const { return supported_.get(); }
};

// The key the console sees for a key of the window system; false for keys
// the console does not take.
bool console_key(int qt_key, Qt::KeyboardModifiers modifiers, const QString& text,
                 std::vector<KeyEvent>& out);

}  // namespace vexlab::console
