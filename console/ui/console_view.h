#pragma once
// A console's text box as a view of its text control.

class QPlainTextEdit;

namespace vexlab::console {

class TextControl;

// Shows the control's text and caret in `box`.  Only what changed since the
// last call is written into the box, so a key costs the same at any length
// of the transcript; the view follows the caret.
void show_text_control(QPlainTextEdit& box, TextControl& control);

}  // namespace vexlab::console
