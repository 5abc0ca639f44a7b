#pragma once
// Paints the designer's canvas: what has been drawn on it (icons, names,
// labels, pen strokes, erased boxes) and the connection lines over it.  The
// canvas window and the exported picture share it.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSize>
#include <array>
#include <string>
#include <vector>

#include "designer/canvas.h"

class QPainter;

namespace vexlab::designer {

// The device icons, loaded once from the program folder.
class CanvasIcons {
public:
    explicit CanvasIcons(const std::string& program_folder);
    const QPixmap& icon(DeviceGroup group) const;

private:
    std::array<QPixmap, 3> icons_;
};

// The colour of a line colour number: blue-green-red, or a system colour
// when the top bit is set.
QColor line_colour(std::int32_t colour);

// The canvas's background, the window system's window colour.
QColor canvas_background();

// The font the canvas prints with.
QFont canvas_font();

void paint_canvas(QPainter& painter, const CanvasImage& image,
                  const std::vector<ConnectionLine>& lines, const CanvasIcons& icons);

// A text's width and height as the canvas prints it.
Point canvas_text_size(const std::string& text);

// How far right and down the drawing reaches from the canvas's corner:
// every icon, text and line whole within it.
QSize painted_size(const CanvasImage& image, const std::vector<ConnectionLine>& lines);

}  // namespace vexlab::designer
