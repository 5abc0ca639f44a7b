#include "platform/ui/room_to_show.h"

#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>

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

}  // namespace vexlab::platform
