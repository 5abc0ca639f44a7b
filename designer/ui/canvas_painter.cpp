#include "designer/ui/canvas_painter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace vexlab::designer {

CanvasIcons::CanvasIcons(const std::string& program_folder) {
    for (DeviceGroup group : {DeviceGroup::Router, DeviceGroup::Switch, DeviceGroup::Workstation}) {
        const std::string path = program_folder + "/" + std::string(icon_file(group));
        QPixmap pixmap(QString::fromStdString(path));
        // A missing icon leaves an empty square rather than stopping the
        // designer.
        if (!pixmap.isNull())
            pixmap = pixmap.scaled(static_cast<int>(kIconSize), static_cast<int>(kIconSize),
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        icons_[static_cast<std::size_t>(group)] = pixmap;
    }
}

const QPixmap& CanvasIcons::icon(DeviceGroup group) const {
    return icons_[static_cast<std::size_t>(group)];
}

QColor line_colour(std::int32_t colour) {
    if (colour < 0) {
        switch (colour & 0xFF) {
            case 5:  // window background
                return canvas_background();
            case 13:  // highlight
                return QApplication::palette().color(QPalette::Highlight);
            default:  // 18, button text, and anything else
                return QApplication::palette().color(QPalette::ButtonText);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QColor canvas_background() {
    return QApplication::palette().color(QPalette::Base);
}

QFont canvas_font() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}

void paint_canvas(QPainter& painter, const CanvasImage& image,
                  const std::vector<ConnectionLine>& lines, const CanvasIcons& icons) {
    painter.setFont(canvas_font());
    const QFontMetricsF metrics(painter.font());
    const QColor foreground = QApplication::palette().color(QPalette::WindowText);
    painter.setPen(foreground);
    for (const auto& stroke : image.strokes()) {
        const QString text = QString::fromStdString(stroke.text);
        switch (stroke.kind) {
            case CanvasStroke::Kind::Icon:
                painter.drawPixmap(QPointF(stroke.x, stroke.y), icons.icon(stroke.group));
                break;
            case CanvasStroke::Kind::Text:
                painter.drawText(QPointF(stroke.x, stroke.y + metrics.ascent()), text);
                break;
            case CanvasStroke::Kind::EraseText:
                painter.fillRect(
                    QRectF(stroke.x, stroke.y, metrics.horizontalAdvance(text), metrics.height()),
                    canvas_background());
                break;
            case CanvasStroke::Kind::PenLine:
                painter.drawLine(QPointF(stroke.x, stroke.y), QPointF(stroke.x2, stroke.y2));
                break;
        }
    }
    for (const auto& line : lines) {
        painter.setPen(QPen(line_colour(line.colour), 1));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    painter.setPen(foreground);
}

Point canvas_text_size(const std::string& text) {
    const QFontMetricsF metrics(canvas_font());
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

QSize painted_size(const CanvasImage& image, const std::vector<ConnectionLine>& lines) {
    double right = 0;
    double bottom = 0;
    const auto reach = [&](double x, double y) {
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    };
    for (const auto& stroke : image.strokes()) {
        switch (stroke.kind) {
            case CanvasStroke::Kind::Icon:
                reach(stroke.x + kIconSize, stroke.y + kIconSize);
                break;
            case CanvasStroke::Kind::Text:
            case CanvasStroke::Kind::EraseText: {
                const Point size = canvas_text_size(stroke.text);
                reach(stroke.x + size.x, stroke.y + size.y);
                break;
            }
            case CanvasStroke::Kind::PenLine:
                reach(std::max(stroke.x, stroke.x2), std::max(stroke.y, stroke.y2));
                break;
        }
    }
    for (const auto& line : lines) reach(std::max(line.x1, line.x2), std::max(line.y1, line.y2));
    return {static_cast<int>(std::ceil(right)) + 1, static_cast<int>(std::ceil(bottom)) + 1};
}

}  // namespace vexlab::designer
