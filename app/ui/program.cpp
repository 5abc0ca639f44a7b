#include "app/ui/program.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <filesystem>
#include <fstream>

#include "app/ui/frmMain.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/window_navigator.h"

namespace vexlab::app {

namespace {

// The program changes its database while it runs, so its folder must be
// writable; try it rather than trust permission bits.
bool folder_writable(const std::string& folder) {
    std::filesystem::path probe = std::filesystem::path(folder) / ".vexlab-write-test";
    {
        std::ofstream file(probe);
        if (!file) return false;
    }
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return true;
}

}  // namespace

void set_application_identity() {
    QCoreApplication::setApplicationName("Vexlab");
    QCoreApplication::setApplicationVersion("0.1.0");
    QCoreApplication::setOrganizationName("Vexlab");
}

Program::Program(ProgramOptions options, platform::UserDialogs* dialogs)
    : options_(std::move(options)),
      registry_(options_.registry_file),
      dialogs_(dialogs ? dialogs : &qt_dialogs_) {
    state_.program_folder = options_.program_folder;
    state_.logo_picture_path = state_.program_file("simulator-logo.gif");
}

Program::~Program() {
    qApp->removeEventFilter(this);
    main_.reset();
}

bool Program::Main() {
    if (!folder_writable(state_.program_folder)) {
        dialogs_->message("Vexlab",
                          "The program folder " + state_.program_folder +
                              " is not writable.\n\nThe simulator keeps its "
                              "network state in this folder; run it from a folder "
                              "you can write to.",
                          platform::Icon::Critical);
        return false;
    }
    main_ = std::make_unique<frmMain>(state_, registry_, *dialogs_);
    if (!main_->Form_Load()) {
        main_.reset();
        return false;
    }
    qApp->installEventFilter(this);
    // The top-left corner of the screen, title bar and all.
    platform::place_frame(main_.get(), QPoint(0, 0));
    main_->show();
    return true;
}

bool Program::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        if (state_.help_file.empty() && main_) main_->model().help_chosen();
        platform::HelpViewer::show_help(QString::fromStdString(state_.help_file));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vexlab::app
