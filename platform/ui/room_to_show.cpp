#include "platform/ui/room_to_show.h"

#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <algorithm>

namespace vexlab::platform {

void show_whole_picture(QLabel* box, const QPixmap& picture, QSize least) {
    box->setPixmap(picture);
    const QSize whole = picture.isNull() ? least : picture.deviceIndependentSize().toSize();
    const QMargins frame = box->contentsMargins();
    box->setMinimumSize(whole.expandedTo(least).grownBy(frame));
    QWidget* window = box->window();
    if (window->layout()) window->layout()->activate();
    window->resize(window->size().expandedTo(window->sizeHint()));
}

int width_for_lines(const QListWidget* list) {
    // Room for a vertical scroll bar too, so that a long list cuts nothing.
    const int scroll_bar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return list->sizeHintForColumn(0) + 2 * list->frameWidth() + scroll_bar;
}

void fit_to_lines(QListWidget* list) {
    list->setMinimumWidth(std::max(list->minimumWidth(), width_for_lines(list)));
}

namespace {

// The widest item with its indentation.
int width_of_items(const QTreeWidget* tree) {
    QStyleOptionViewItem option;
    option.initFrom(tree);
    option.font = tree->font();
    const QAbstractItemModel* model = tree->model();
    int widest = 0;
    const auto measure = [&](const auto& self, const QModelIndex& parent, int indent) -> void {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            widest =
                std::max(widest, indent + tree->itemDelegate()->sizeHint(option, item).width());
            self(self, item, indent + tree->indentation());
        }
    };
    measure(measure, QModelIndex(), tree->rootIsDecorated() ? tree->indentation() : 0);
    return widest;
}

}  // namespace

int fit_to_items(QTreeWidget* tree, int least, int most) {
    const int items = width_of_items(tree);
    // The column fills the view and is never narrower than its widest item.
    tree->header()->setStretchLastSection(true);
    tree->header()->setMinimumSectionSize(items);
    // Room for a vertical scroll bar too, as for a list.
    const int scroll_bar = tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree);
    tree->setFixedWidth(std::clamp(items + 2 * tree->frameWidth() + scroll_bar, least, most));
    return tree->width();
}

}  // namespace vexlab::platform
