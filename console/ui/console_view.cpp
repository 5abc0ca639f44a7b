#include "console/ui/console_view.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

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

}  // namespace

void show_text_control(QPlainTextEdit& box, TextControl& control) {
    ViewUpdate update = control.take_view_update();
    if (update.text_changed) {
        if (update.keep == 0 || update.keep > shown_length(box)) {
            show_whole_text(box, control, update);
        } else {
            QTextCursor edit(box.document());
            edit.setPosition(static_cast<int>(update.keep));
            edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            if (edit.hasSelection()) edit.removeSelectedText();
            if (!update.tail.empty()) edit.insertText(as_qstring(update.tail));
        }
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
