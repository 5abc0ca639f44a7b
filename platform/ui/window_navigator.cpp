#include "platform/ui/window_navigator.h"

#include <QCloseEvent>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <iostream>

namespace vexlab::platform {

namespace {

// How many open children keep a window disabled.
constexpr const char* kOpenChildren = "vexlabOpenChildren";

void release(QWidget* opener) {
    const int left = std::max(0, opener->property(kOpenChildren).toInt() - 1);
    opener->setProperty(kOpenChildren, left);
    if (left == 0) opener->setEnabled(true);
}

}  // namespace

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

void FormWindow::hold(QWidget* opener) {
    if (!opener) return;
    if (std::find(held_.begin(), held_.end(), opener) == held_.end()) {
        held_.emplace_back(opener);
        opener->setProperty(kOpenChildren, opener->property(kOpenChildren).toInt() + 1);
    }
    opener->setEnabled(false);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (!query_unload()) {
        event->ignore();
        return;
    }
    // An unload that fails is reported, never carried out of the event
    // handler: the window goes all the same and the program goes on.
    try {
        form_unload();
    } catch (const std::exception& error) {
        std::cerr << "vexlab: closing " << windowTitle().toStdString() << ": " << error.what()
                  << "\n";
    }
    event->accept();
    // Whoever takes over from this window (it may hold the same opener) does
    // so before the opener is let go, so the opener never flickers enabled.
    const std::vector<QPointer<QWidget>> held = std::move(held_);
    held_.clear();
    emit unloaded();
    for (const QPointer<QWidget>& opener : held)
        if (opener) release(opener);
}

void show_child(QWidget* opener, FormWindow* child) {
    if (!child) return;
    child->hold(opener);
    child->show();
    child->raise();
    child->activateWindow();
}

// A top-level's move() places its frame only while the window has no native
// window yet, or once the frame's size is known; a native window that exists
// already (a platform menu bar makes one early) would get its client area
// placed there instead.  The native window is told the frame's place outright.
void place_frame(QWidget* window, QPoint at) {
    window->move(at);
    if (QWindow* native = window->windowHandle()) native->setFramePosition(at);
}

}  // namespace vexlab::platform
