#include "labs/ui/example_lab_tree.h"

#include <QTreeWidget>

#include "platform/ui/room_to_show.h"

namespace vexlab::labs {

namespace {

// The name as the list holds it, also when its bytes are no UTF-8 and the
// node's text could not give them back.
constexpr int kListedName = Qt::UserRole;

QTreeWidgetItem* named_node(const std::string& name) {
    auto* node = new QTreeWidgetItem({QString::fromStdString(name)});
    node->setData(0, kListedName, QByteArray::fromStdString(name));
    node->setToolTip(0, node->text(0));
    return node;
}

// A node outside any tree stands at no place of the list.
std::size_t place(int index) {
    return index < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(index);
}

}  // namespace

std::optional<std::string> read_lab_tree(QTreeWidget& tree, const ExampleLabsFile& file) {
    std::vector<LabSection> sections;
    try {
        sections = file.read_lab_tree();
    } catch (const LabsListError& error) {
        return error.message();
    }
    for (const LabSection& section : sections) {
        QTreeWidgetItem* node = named_node(section.name);
        tree.addTopLevelItem(node);
        for (const std::string& lab : section.labs) node->addChild(named_node(lab));
    }
    return std::nullopt;
}

int fit_tree_to_names(QTreeWidget& tree, int least) {
    return platform::fit_to_items(&tree, least, 2 * least);
}

std::string node_text(const QTreeWidgetItem& node) {
    const QVariant listed = node.data(0, kListedName);
    if (listed.isValid()) return listed.toByteArray().toStdString();
    return node.text(0).toStdString();
}

SectionRef section_of(QTreeWidgetItem& section_node) {
    QTreeWidget* tree = section_node.treeWidget();
    const int index = tree ? tree->indexOfTopLevelItem(&section_node) : -1;
    return {place(index), node_text(section_node)};
}

LabRef lab_of(QTreeWidgetItem& lab_node) {
    QTreeWidgetItem* section = lab_node.parent();
    if (!section) return {{place(-1), {}}, place(-1), node_text(lab_node)};
    return {section_of(*section), place(section->indexOfChild(&lab_node)), node_text(lab_node)};
}

}  // namespace vexlab::labs
