#pragma once
// The designer's canvas as the model sees it: the devices placed on it, the
// connection lines laid over it, and what has been drawn on it.  The canvas
// keeps what is drawn until it is cleared, like a picture that is painted
// on; the window replays the drawing when it repaints.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "designer/designer_catalogue.h"

namespace vexlab::designer {

// Device icons are this many canvas units square; the host name is printed
// under the icon.
inline constexpr double kIconSize = 30;
// A new device is refused when the drop point falls this close to the
// corner of a placed device.
inline constexpr double kOverlapSize = 40;

// One device on the canvas, in placing order.
struct CanvasDevice {
    double x = 0;  // the icon's top-left corner
    double y = 0;
    std::string model;
    std::string host;
};

// True when the point lies strictly inside the square of `size` units from
// the corner (x, y).
inline bool inside_square(double x, double y, double size, double px, double py) {
    return x < px && px < x + size && y < py && py < y + size;
}

// A connection line: element n is the line whose number is n + 1.
struct ConnectionLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::int32_t colour = kTemplateLineColour;
    bool operator==(const ConnectionLine&) const = default;
};

// Rounds to the nearest whole number, halves to the even neighbour.
inline double round_even(double value) {
    return std::nearbyint(value);
}

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

// Where the label of one end of `line` goes: from the reference point on
// that end's device (its icon corner, or the point clicked on it) half way
// along the line, but less than 45 units to the right of or 15 to the left
// of the point and less than 40 below or 10 above it, on the side of the
// far device.
Point label_position(const ConnectionLine& line, Point reference, Point far_device);

// What has been drawn on the canvas, in drawing order.
struct CanvasStroke {
    enum class Kind { Icon, Text, EraseText, PenLine };
    Kind kind = Kind::Text;
    double x = 0, y = 0;    // top-left of an icon or text; start of a pen line
    double x2 = 0, y2 = 0;  // end of a pen line
    DeviceGroup group = DeviceGroup::Router;
    std::string text;
};

class CanvasImage {
public:
    void clear() { strokes_.clear(); }
    void icon(DeviceGroup group, double x, double y);
    void print(double x, double y, std::string text);
    // Paints the background over the box that `text` covers when printed at
    // (x, y); the window measures the text with the canvas's font.
    void erase_text(double x, double y, std::string text);
    void pen_line(double x1, double y1, double x2, double y2);
    const std::vector<CanvasStroke>& strokes() const { return strokes_; }

private:
    std::vector<CanvasStroke> strokes_;
};

}  // namespace vexlab::designer
