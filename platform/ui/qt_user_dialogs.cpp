#include "platform/ui/qt_user_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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
    QString name =
        QFileDialog::getSaveFileName(parent_, q(title), q(folder), q(qt_name_filters(filter)));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

}  // namespace vexlab::platform
