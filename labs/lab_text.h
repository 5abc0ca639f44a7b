#pragma once
// The lab console's text box: the console's text control, with typed
// characters of several bytes kept whole.  A window shows it through the
// control's view updates, so a long transcript costs no more per key than a
// short one.

#include <cstddef>
#include <string>
#include <string_view>

#include "console/text_control.h"

namespace vexlab::labs {

class LabTextBox {
public:
    const std::string& text() const { return control_.text(); }
    std::size_t caret() const { return control_.caret(); }
    bool locked = false;  // refuses typing, keeps caret moves
    bool enabled = true;  // takes no keys at all

    // Writers of the transcript.
    void replace_all(std::string text) { control_.replace_all(std::move(text)); }
    void append(std::string_view text) { control_.append(text); }
    // Keeps the text before `position` (a line start) and puts `text` after it.
    void replace_from(std::size_t position, std::string_view text) {
        control_.replace_from(position, text);
    }

    // What the box does with a key it accepts.
    void insert(std::string_view text) { control_.insert(text); }  // at the caret
    void backspace();  // one character, or one line break
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

    // The text control, as a window shows it.
    console::TextControl& control() { return control_; }

private:
    void snap(bool forward);

    console::TextControl control_;
};

}  // namespace vexlab::labs
