#include "platform/ui/window_navigator.h"

#include <QCloseEvent>

namespace vexlab::platform {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (!query_unload()) {
        event->ignore();
        return;
    }
    form_unload();
    event->accept();
    emit unloaded();
}

void show_child(QWidget* opener, FormWindow* child) {
    if (!child) return;
    if (opener) {
        QPointer<QWidget> guard(opener);
        QObject::connect(
            child, &FormWindow::unloaded, opener,
            [guard] {
                if (guard) guard->setEnabled(true);
            },
            Qt::SingleShotConnection);
        opener->setEnabled(false);
    }
    child->show();
    child->raise();
    child->activateWindow();
}

}  // namespace vexlab::platform
