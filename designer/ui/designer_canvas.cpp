#include "designer/ui/designer_canvas.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace vexlab::designer {

QMimeData* drag_data(const DropSource& source) {
    auto* data = new QMimeData;
    const QString payload = source.kind == DropSource::Kind::Palette
                                ? "palette\n" + QString::fromStdString(source.palette_item)
                                : "device\n" + QString::number(source.device_row);
    data->setData(kDragFormat, payload.toUtf8());
    return data;
}

std::optional<DropSource> drop_source(const QMimeData* data) {
    if (!data || !data->hasFormat(kDragFormat)) return std::nullopt;
    const QString payload = QString::fromUtf8(data->data(kDragFormat));
    const qsizetype split = payload.indexOf('\n');
    if (split < 0) return std::nullopt;
    const QString kind = payload.left(split);
    const QString value = payload.mid(split + 1);
    if (kind == "palette") return DropSource{DropSource::Kind::Palette, value.toStdString(), -1};
    if (kind == "device") {
        bool ok = false;
        const int row = value.toInt(&ok);
        if (ok) return DropSource{DropSource::Kind::Device, {}, row};
    }
    return std::nullopt;
}

MouseButton mouse_button(Qt::MouseButton button) {
    switch (button) {
        case Qt::NoButton:
            return MouseButton::None;
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        default:
            return MouseButton::Other;
    }
}

// Buttons held during a move count only one at a time: several at once are
// neither the left nor the right button.
MouseButton mouse_buttons(Qt::MouseButtons buttons) {
    if (buttons == Qt::NoButton) return MouseButton::None;
    if (buttons == Qt::LeftButton) return MouseButton::Left;
    if (buttons == Qt::RightButton) return MouseButton::Right;
    return MouseButton::Other;
}

DesignerCanvas::DesignerCanvas(DesignerModel& model, const CanvasIcons& icons, QWidget* parent)
    : QWidget(parent), model_(model), icons_(icons) {
    setObjectName("picNetwork");
    setAcceptDrops(true);
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void DesignerCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), canvas_background());
    paint_canvas(painter, model_.canvas(), model_.lines(), icons_);
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (on_mouse_down) on_mouse_down(mouse_button(event->button()), at.x(), at.y());
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (!on_mouse_move) return;
    const auto row = on_mouse_move(mouse_buttons(event->buttons()), at.x(), at.y());
    if (row && on_start_drag) on_start_drag(*row);
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent*) {
    if (on_mouse_up) on_mouse_up();
}

void DesignerCanvas::mouseDoubleClickEvent(QMouseEvent*) {
    if (on_double_click) on_double_click();
}

void DesignerCanvas::dragEnterEvent(QDragEnterEvent* event) {
    if (drop_source(event->mimeData())) event->acceptProposedAction();
}

void DesignerCanvas::dragMoveEvent(QDragMoveEvent* event) {
    if (drop_source(event->mimeData())) event->acceptProposedAction();
}

void DesignerCanvas::dropEvent(QDropEvent* event) {
    const auto source = drop_source(event->mimeData());
    if (!source) return;
    event->acceptProposedAction();
    const QPointF at = event->position();
    if (on_drop) on_drop(*source, at.x(), at.y());
}

}  // namespace vexlab::designer
