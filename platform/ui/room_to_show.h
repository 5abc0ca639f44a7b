#pragma once
// Room for what a window shows: a picture shown whole and a list as wide as
// its longest line, whatever the font and the picture.

#include <QSize>

class QLabel;
class QListWidget;
class QPixmap;

namespace vexlab::platform {

// Shows `picture` in `box`, which grows to the picture (and never shrinks
// below `least`); the window around it grows with it.
void show_whole_picture(QLabel* box, const QPixmap& picture, QSize least);

// The width a list needs to show its longest line without cutting it.
int width_for_lines(const QListWidget* list);

// Keeps `list` at least as wide as its longest line.
void fit_to_lines(QListWidget* list);

}  // namespace vexlab::platform
