#pragma once
// How windows open one another: the opener disables itself and shows the
// child modeless; when the child unloads, the opener is enabled again.  The
// child is created (and its load has run) before the opener is disabled, so a
// child that fails to load never leaves its opener stuck.
//
// An opener may have several children open at once (the main window with the
// example labs and the console those labs loaded): it gets its input back
// when the last of them unloads.

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace vexlab::platform {

// A working window of the program.  Closing it asks query_unload() (a window
// may refuse, for instance when the user cancels), then runs form_unload()
// and announces the unload.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(QWidget* parent = nullptr);

    // Keeps `opener` disabled until this window unloads.  Holding the same
    // opener twice counts once.
    void hold(QWidget* opener);

signals:
    void unloaded();

protected:
    virtual bool query_unload() { return true; }
    virtual void form_unload() {}
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<QPointer<QWidget>> held_;
};

// Disables `opener`, shows `child` modeless, and enables `opener` again when
// `child` (and every other child it holds) has unloaded.  `child` is a
// top-level window, not a child widget of `opener` (a disabled window
// disables its child widgets too).
void show_child(QWidget* opener, FormWindow* child);

// Places the frame of the top-level `window`, title bar included, with its
// top-left corner at `at` on the screen, so that a place on the screen's edge
// keeps the title bar on the screen.  Best called before the window is
// shown: a window manager tells the frame's size only once it has shown it.
void place_frame(QWidget* window, QPoint at);

}  // namespace vexlab::platform
