#include "labs/ui/example_lab_tree.h"

#include <QTreeWidget>

namespace vexlab::labs {

void read_lab_tree(QTreeWidget& tree, const ExampleLabsFile& file) {
    for (const LabSection& section : file.read_lab_tree()) {
        auto* node = new QTreeWidgetItem(&tree, {QString::fromStdString(section.name)});
        for (const std::string& lab : section.labs)
            new QTreeWidgetItem(node, {QString::fromStdString(lab)});
    }
}

std::string node_text(const QTreeWidgetItem& node) {
    return node.text(0).toStdString();
}

}  // namespace vexlab::labs
