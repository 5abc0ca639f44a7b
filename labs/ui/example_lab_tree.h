#pragma once
// The lab tree both example-labs windows show: one root node per section,
// its labs below it, no keys and no images.

#include <optional>
#include <string>

#include "labs/example_labs.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vexlab::labs {

// Adds the sections and labs of `file` to `tree`, which the caller emptied.
// When the reader refuses the list the tree stays empty and the answer is
// the text to show.
std::optional<std::string> read_lab_tree(QTreeWidget& tree, const ExampleLabsFile& file);

// Makes `tree` wide enough for every name, in collapsed sections too, and
// never narrower than `least`; it stops at twice that, and a name longer
// still runs on past the tree's edge, for the horizontal scroll bar to
// reach.  Each node's tool tip holds its whole name.  Answers the width.
int fit_tree_to_names(QTreeWidget& tree, int least);

// The name a node stands for, exactly as the list holds it.
std::string node_text(const QTreeWidgetItem& node);

// The section of a root node, and the lab of a lab node, by their places.
SectionRef section_of(QTreeWidgetItem& section_node);
LabRef lab_of(QTreeWidgetItem& lab_node);

// Twips, the unit the windows are laid out in, to pixels at 96 dots an inch.
constexpr int twips(int value) {
    return value / 15;
}

}  // namespace vexlab::labs
