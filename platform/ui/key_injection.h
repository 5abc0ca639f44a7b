#pragma once
// Keys the program sends to its own windows.  They are posted, not sent: they
// arrive after the event that sends them has finished, in the order sent.

#include <Qt>

class QWidget;

namespace vexlab::platform {

void send_key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace vexlab::platform
