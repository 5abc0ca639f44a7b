#include "platform/ui/qt_user_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

#include "platform/file_filter.h"

namespace vexlab::platform {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon qt_icon(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The box is built by hand because QMessageBox's static helpers each fix
// their own icon.
QMessageBox::StandardButton ask(QWidget* parent, Icon icon, const std::string& title,
                                const std::string& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button) {
    QMessageBox box(qt_icon(icon), q(title), q(text), buttons, parent);
    box.setDefaultButton(default_button);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

constexpr const char* kQuotedFileName =
    "A file name with double quotes (\") cannot be typed here: this dialog reads quoted names as "
    "a list of several files.\nPlease type the name without double quotes.";

// Qt's own file dialog reads double quotes in a typed name as a list of
// names and keeps the first quoted one ("my \"cfg\"; x.con" would be saved
// as "cfg"): such a name is refused before the dialog reads it, and the
// dialog stays open for another.  A dialog of the window system has no such
// box and answers what was typed.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* typed = findChild<QLineEdit*>("fileNameEdit");
        if (typed && typed->isVisible() && typed->text().contains('"')) {
            ask(this, Icon::Critical, windowTitle().toStdString(), kQuotedFileName, QMessageBox::Ok,
                QMessageBox::Ok);
            return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

void QtUserDialogs::message(const std::string& title, const std::string& text, Icon icon) {
    ask(parent_, icon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtUserDialogs::question(const std::string& title, const std::string& text, bool with_cancel,
                               Icon icon) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (with_cancel) buttons |= QMessageBox::Cancel;
    switch (ask(parent_, icon, title, text, buttons, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

Answer QtUserDialogs::ok_cancel(const std::string& title, const std::string& text, Icon icon) {
    const auto button =
        ask(parent_, icon, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return button == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> QtUserDialogs::input(const std::string& title, const std::string& prompt,
                                                const std::string& initial) {
    bool ok = false;
    QString text =
        QInputDialog::getText(parent_, q(title), q(prompt), QLineEdit::Normal, q(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtUserDialogs::open_file_name(const std::string& title,
                                                         const std::string& folder,
                                                         const std::string& filter) {
    QString name =
        QFileDialog::getOpenFileName(parent_, q(title), q(folder), q(qt_name_filters(filter)));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> QtUserDialogs::save_file_name(const std::string& title,
                                                         const std::string& folder,
                                                         const std::string& filter) {
    SaveDialog dialog(parent_, q(title), q(folder), q(qt_name_filters(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the chosen kind's extension itself, so that it asks
    // before replacing the file the name will really be.
    std::size_t kind = 0;
    dialog.setDefaultSuffix(q(default_extension(filter, kind)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        kind =
            static_cast<std::size_t>(std::max<qsizetype>(0, dialog.nameFilters().indexOf(chosen)));
        dialog.setDefaultSuffix(q(default_extension(filter, kind)));
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList names = dialog.selectedFiles();
    if (names.isEmpty() || names.front().isEmpty()) return std::nullopt;
    return with_default_extension(names.front().toStdString(), filter, kind);
}

}  // namespace vexlab::platform
