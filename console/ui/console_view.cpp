#include "console/ui/console_view.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "console/text_control.h"

namespace vexlab::console {

namespace {

QString as_qstring(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The length of the box's text (a document counts one more, for its end).
std::size_t shown_length(const QPlainTextEdit& box) {
    return static_cast<std::size_t>(std::max(box.document()->characterCount() - 1, 0));
}

void show_whole_text(QPlainTextEdit& box, TextControl& control, ViewUpdate& update) {
    if (!update.text_changed || update.keep != 0) {
        control.resend_all();
        update = control.take_view_update();
    }
    box.setPlainText(as_qstring(update.tail));
}

// How many lines the box shows at once.
qsizetype visible_lines(const QPlainTextEdit& box) {
    const int spacing = box.fontMetrics().lineSpacing();
    return spacing > 0 ? box.viewport()->height() / spacing + 1 : 0;
}

// The box repaints only the lines an edit touches when the edit stays within
// its last line or adds one line to the end; an edit that adds several lines
// at once, or a bare line break at the end, repaints the whole box.  An
// Enter adds two or three lines, most of the box unchanged and scrolled, so
// new lines go in one at a time, an empty one holding a blank until the
// lines after it are in.  A tail of a screenful or more changes all that
// shows anyway and goes in whole.
void append_lines(QPlainTextEdit& box, QTextCursor& edit, const QString& tail) {
    const QStringList lines = tail.split(u'\n');
    if (lines.size() == 1 || lines.size() > visible_lines(box)) {
        edit.insertText(tail);
        return;
    }
    edit.insertText(lines.front());
    std::vector<int> blanks;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) {
            edit.insertText(QStringLiteral("\n "));
            blanks.push_back(edit.position() - 1);
        } else {
            edit.insertText(u'\n' + lines[i]);
        }
    }
    // From the end, so the blanks before stay where they were put.
    for (auto blank = blanks.rbegin(); blank != blanks.rend(); ++blank) {
        QTextCursor take(box.document());
        take.setPosition(*blank);
        take.setPosition(*blank + 1, QTextCursor::KeepAnchor);
        take.removeSelectedText();
    }
}

void apply_tail(QPlainTextEdit& box, std::size_t keep, const QString& tail) {
    QTextDocument& document = *box.document();
    QTextCursor edit(&document);
    edit.setPosition(static_cast<int>(keep));
    // Taking back more than the last line repaints the whole box whatever
    // follows.
    const bool whole_box = document.findBlock(static_cast<int>(keep)) != document.lastBlock();
    edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    if (edit.hasSelection()) edit.removeSelectedText();
    if (tail.isEmpty()) return;
    if (whole_box)
        edit.insertText(tail);
    else
        append_lines(box, edit, tail);
}

}  // namespace

void show_text_control(QPlainTextEdit& box, TextControl& control) {
    ViewUpdate update = control.take_view_update();
    if (update.text_changed) {
        if (update.keep == 0 || update.keep > shown_length(box))
            show_whole_text(box, control, update);
        else
            apply_tail(box, update.keep, as_qstring(update.tail));
    }
    // Only the console writes into the box; should anything else have (a
    // drop, an input method), the box shows the console's text again.
    if (shown_length(box) != update.size) show_whole_text(box, control, update);
    QTextCursor caret = box.textCursor();
    caret.setPosition(static_cast<int>(std::min(update.caret, shown_length(box))));
    box.setTextCursor(caret);
    box.ensureCursorVisible();
}

}  // namespace vexlab::console
