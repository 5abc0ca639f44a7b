#pragma once
// The lab tree both example-labs windows show: one root node per section,
// its labs below it, no keys and no images.

#include <string>

#include "labs/example_labs.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vexlab::labs {

// Adds the sections and labs of `file` to `tree`, which the caller emptied.
void read_lab_tree(QTreeWidget& tree, const ExampleLabsFile& file);

std::string node_text(const QTreeWidgetItem& node);

// Twips, the unit the windows are laid out in, to pixels at 96 dots an inch.
constexpr int twips(int value) {
    return value / 15;
}

}  // namespace vexlab::labs
