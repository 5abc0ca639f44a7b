#pragma once
// The lab console's text box as a text buffer that remembers how it changed.
// The console rewrites its transcript after every Enter; a view that reset
// its whole text each time would slow down as the transcript grows, so every
// change is kept as "replace this stretch by that text" and the window
// applies only those.
//
// Positions in a change are in the view's units: the text as a text widget
// holds it, each CR LF one line break and each character counted in UTF-16
// code units.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/text_control.h"

namespace vexlab::labs {

struct TextChange {
    std::size_t start = 0;    // where the changed stretch begins (view units)
    std::size_t removed = 0;  // its length before the change (view units)
    std::string inserted;     // the text that takes its place (CR LF line ends)
};

// Length of a text in view units.
std::size_t view_length(std::string_view text);

class LabTextBox {
public:
    const std::string& text() const { return control_.text(); }
    std::size_t caret() const { return control_.caret(); }
    bool locked = false;  // refuses typing, keeps caret moves
    bool enabled = true;  // takes no keys at all

    // Writers of the transcript.
    void replace_all(std::string text);
    void append(std::string_view text);
    // Keeps the text before `position` (a line start) and puts `text` after it.
    void replace_from(std::size_t position, std::string_view text);

    // What the box does with a key it accepts.
    void insert(std::string_view text);  // at the caret
    void backspace();                    // one character, or one line break
    void delete_forward();
    // The caret never stands inside a character of several bytes.
    void move_up() { control_.move_up(), snap(false); }
    void move_down() { control_.move_down(), snap(false); }
    void move_left() { control_.move_left(), snap(false); }
    void move_right() { control_.move_right(), snap(true); }
    void move_end() { control_.move_end(); }
    void move_home() { control_.move_home(); }
    void set_caret(std::size_t position) { control_.set_caret(position), snap(false); }

    std::string_view last_line() const { return control_.last_line(); }
    std::string_view current_line() const { return control_.current_line(); }

    // The changes since the last call, oldest first.
    std::vector<TextChange> take_changes();
    std::size_t view_size() const { return view_size_; }
    std::size_t view_caret() const;

private:
    void snap(bool forward);
    // Notes a change before it is made: `removed` bytes at `position` give
    // way to `inserted`.
    void note(std::size_t position, std::size_t removed, std::string_view inserted);

    console::TextControl control_;
    std::size_t view_size_ = 0;
    std::vector<TextChange> changes_;
};

}  // namespace vexlab::labs
