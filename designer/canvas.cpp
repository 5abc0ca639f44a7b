#include "designer/canvas.h"

#include <cmath>

namespace vexlab::designer {

Point label_position(const ConnectionLine& line, Point reference, Point far_device) {
    double hx = std::fabs(line.x1 - line.x2) / 2;
    double hy = std::fabs(line.y1 - line.y2) / 2;
    Point at;
    // A far device level with the reference point counts as right of it and
    // below it.
    if (far_device.x >= reference.x) {
        while (hx >= 45) hx -= 1;
        at.x = reference.x + hx;
    } else {
        while (hx >= 15) hx -= 1;
        at.x = reference.x - hx;
    }
    if (far_device.y >= reference.y) {
        while (hy >= 40) hy -= 1;
        at.y = reference.y + hy;
    } else {
        while (hy >= 10) hy -= 1;
        at.y = reference.y - hy;
    }
    return at;
}

void CanvasImage::icon(DeviceGroup group, double x, double y) {
    CanvasStroke stroke;
    stroke.kind = CanvasStroke::Kind::Icon;
    stroke.group = group;
    stroke.x = x;
    stroke.y = y;
    strokes_.push_back(std::move(stroke));
}

void CanvasImage::print(double x, double y, std::string text) {
    CanvasStroke stroke;
    stroke.kind = CanvasStroke::Kind::Text;
    stroke.x = x;
    stroke.y = y;
    stroke.text = std::move(text);
    strokes_.push_back(std::move(stroke));
}

void CanvasImage::erase_text(double x, double y, std::string text) {
    CanvasStroke stroke;
    stroke.kind = CanvasStroke::Kind::EraseText;
    stroke.x = x;
    stroke.y = y;
    stroke.text = std::move(text);
    strokes_.push_back(std::move(stroke));
}

void CanvasImage::pen_line(double x1, double y1, double x2, double y2) {
    CanvasStroke stroke;
    stroke.kind = CanvasStroke::Kind::PenLine;
    stroke.x = x1;
    stroke.y = y1;
    stroke.x2 = x2;
    stroke.y2 = y2;
    strokes_.push_back(std::move(stroke));
}

}  // namespace vexlab::designer
