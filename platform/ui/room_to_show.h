#pragma once
// Room for what a window shows: a picture shown whole and a list as wide as
// its longest line, whatever the font and the picture.

#include <QSize>

class QLabel;
class QListWidget;
class QPixmap;
class QTreeWidget;

namespace vexlab::platform {

// Shows `picture` in `box`, which grows to the picture (and never shrinks
// below `least`); the window around it grows with it.
void show_whole_picture(QLabel* box, const QPixmap& picture, QSize least);

// The width a list needs to show its longest line without cutting it.
int width_for_lines(const QListWidget* list);

// Keeps `list` at least as wide as its longest line.
void fit_to_lines(QListWidget* list);

// Makes `tree` wide enough to show every item whole with its indentation,
// whether its parent is expanded or not, but never narrower than `least`
// nor wider than `most`; an item wider still runs past the tree's edge, for
// the horizontal scroll bar to reach.  Answers the tree's width.
int fit_to_items(QTreeWidget* tree, int least, int most);

}  // namespace vexlab::platform
