#pragma once
// Finds the texts and pictures of a shown window that do not fit the room the
// window gives them: a caption narrower than its text, a column heading
// narrower than its title, a list narrower than its lines, a picture larger
// than its box, a tree narrower than its items (collapsed ones too), a
// control reaching past its window.  Widget tests only.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWidget>

namespace vexlab::test {

namespace fit_detail {

inline QString name_of(const QWidget* w) {
    return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

inline void check_label(const QLabel* label, QStringList& out) {
    const QRect room = label->contentsRect();
    if (!label->pixmap().isNull()) {
        if (label->hasScaledContents()) return;
        const QSize picture = label->pixmap().deviceIndependentSize().toSize();
        if (picture.width() > room.width() || picture.height() > room.height())
            out << QString("%1: picture %2x%3 in %4x%5")
                       .arg(name_of(label))
                       .arg(picture.width())
                       .arg(picture.height())
                       .arg(room.width())
                       .arg(room.height());
        return;
    }
    if (label->text().isEmpty() || label->wordWrap()) return;
    const QSize wanted = label->sizeHint();
    if (wanted.width() > label->width() || wanted.height() > label->height())
        out << QString("%1: \"%2\" needs %3x%4, has %5x%6")
                   .arg(name_of(label), label->text())
                   .arg(wanted.width())
                   .arg(wanted.height())
                   .arg(label->width())
                   .arg(label->height());
}

// The caption must fit the part of the button the style draws it in.
inline void check_button(const QPushButton* button, QStringList& out) {
    if (button->text().isEmpty()) return;
    QString caption = button->text();
    caption.remove(QRegularExpression("&(?!&)"));
    caption.replace("&&", "&");
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    int wanted = button->fontMetrics().horizontalAdvance(caption);
    if (!button->icon().isNull()) wanted += button->iconSize().width() + 4;
    if (wanted > room.width())
        out << QString("%1: \"%2\" needs %3, has %4")
                   .arg(name_of(button), button->text())
                   .arg(wanted)
                   .arg(room.width());
}

inline void check_header(const QHeaderView* header, const QString& owner, QStringList& out) {
    if (header->isHidden()) return;
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i)) continue;
        const QString title = header->model()->headerData(i, header->orientation()).toString();
        if (title.isEmpty()) continue;
        if (header->sectionSize(i) < header->sectionSizeHint(i))
            out << QString("%1: heading \"%2\" needs %3, has %4")
                       .arg(owner, title)
                       .arg(header->sectionSizeHint(i))
                       .arg(header->sectionSize(i));
    }
}

inline void check_list(const QListWidget* list, QStringList& out) {
    const int room = list->viewport()->width();
    // The item's own margins on either side of its text.
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->item(i)->text();
        const int wanted = list->fontMetrics().horizontalAdvance(text) + margin;
        if (wanted > room)
            out << QString("%1: line \"%2\" needs %3, has %4")
                       .arg(name_of(list), text)
                       .arg(wanted)
                       .arg(room);
    }
}

// Each item, in a collapsed branch too, must fit its column after its
// indentation; a column wider than the view is read with the horizontal
// scroll bar.
inline void check_tree(QTreeWidget* tree, QStringList& out) {
    const int margin = 2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int column = tree->header()->sectionSize(0);
    const bool scrolls = tree->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    const int room = scrolls ? column : std::min(column, tree->viewport()->width());
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        int depth = tree->rootIsDecorated() ? 1 : 0;
        for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent()) ++depth;
        int wanted = depth * tree->indentation() +
                     tree->fontMetrics().horizontalAdvance(item->text(0)) + margin;
        if (!item->icon(0).isNull()) wanted += tree->iconSize().width() + margin;
        if (wanted > room)
            out << QString("%1: item \"%2\" needs %3, has %4")
                       .arg(name_of(tree), item->text(0))
                       .arg(wanted)
                       .arg(room);
    }
}

// A control that reaches past its parent is cut off there.
inline void check_inside(const QWidget* w, QStringList& out) {
    const QWidget* parent = w->parentWidget();
    if (!parent || w->isWindow()) return;
    if (!parent->rect().contains(w->geometry()))
        out << QString("%1: reaches past %2").arg(name_of(w), name_of(parent));
}

}  // namespace fit_detail

// What does not fit in `window`, one line each; empty when all fits.  The
// window must be shown, so that its layouts have placed everything.
inline QStringList clipped_in(QWidget* window) {
    using namespace fit_detail;
    QApplication::processEvents();
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(window)) continue;
        // The scrolled parts of a view are its own business.
        if (qobject_cast<QAbstractScrollArea*>(w->parentWidget()) ||
            (w->parentWidget() && w->parentWidget()->objectName() == "qt_scrollarea_viewport"))
            continue;
        check_inside(w, out);
        if (auto* label = qobject_cast<QLabel*>(w))
            check_label(label, out);
        else if (auto* button = qobject_cast<QPushButton*>(w))
            check_button(button, out);
        else if (auto* list = qobject_cast<QListWidget*>(w))
            check_list(list, out);
        else if (auto* tree = qobject_cast<QTreeWidget*>(w))
            check_tree(tree, out);
        if (auto* table = qobject_cast<QTableView*>(w))
            check_header(table->horizontalHeader(), name_of(table), out);
        else if (auto* tree = qobject_cast<QTreeView*>(w))
            check_header(tree->header(), name_of(tree), out);
    }
    return out;
}

}  // namespace vexlab::test
