#pragma once
// The canvas of the network designer, picNetwork: paints what the model has
// drawn and its connection lines, passes mouse events on, starts the drag
// of a device icon and takes drops.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "designer/designer_model.h"
#include "designer/ui/canvas_painter.h"

class QDrag;
class QMimeData;

namespace vexlab::designer {

// The drag data of the designer: a palette item or a device of the canvas.
inline constexpr const char* kDragFormat = "application/x-vexlab-designer";
QMimeData* drag_data(const DropSource& source);
std::optional<DropSource> drop_source(const QMimeData* data);

MouseButton mouse_button(Qt::MouseButton button);
MouseButton mouse_buttons(Qt::MouseButtons buttons);

class DesignerCanvas : public QWidget {
    Q_OBJECT
public:
    DesignerCanvas(DesignerModel& model, const CanvasIcons& icons, QWidget* parent);

    // What the canvas tells its window.
    std::function<void(MouseButton, double, double)> on_mouse_down;
    // Answers the row of a device whose icon drag starts.
    std::function<std::optional<int>(MouseButton, double, double)> on_mouse_move;
    std::function<void()> on_mouse_up;
    std::function<void()> on_double_click;
    // A drop arrived; the window finishes it once the drag has ended.
    std::function<void(const DropSource&, double, double)> on_drop;
    // Runs a drag of a device icon that the canvas starts.
    std::function<void(int row)> on_start_drag;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DesignerModel& model_;
    const CanvasIcons& icons_;
};

}  // namespace vexlab::designer
