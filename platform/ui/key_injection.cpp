#include "platform/ui/key_injection.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vexlab::platform {

void send_key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (!target) return;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

}  // namespace vexlab::platform
