#pragma once
// The console's multi-line text box, as a text buffer with a caret.  The
// console's handlers are written against how such a control behaves: a key
// handler runs before the control applies the key; a locked control refuses
// the key being handled (once); arrow keys move the caret after the key-down
// handler.  Lines are separated by CR LF.

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlab::console {

class TextControl {
public:
    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }
    bool locked = false;

    // Replaces the whole text (select all, set the selection); the caret goes
    // to the end.
    void replace_all(std::string text);
    void append(std::string_view text);  // the same as replace_all(text() + text)
    void set_caret(std::size_t position);

    // What the control does with a key when it is not locked.
    void insert(std::string_view text);  // at the caret
    void backspace();                    // the character (or line break) before the caret
    void delete_forward();
    void move_up();
    void move_down();
    void move_left();
    void move_right();
    void move_end();  // end of the caret's line
    void move_home();

    // The last line (after the last CR LF) and the line before it.
    std::string_view last_line() const;
    std::string_view line_before_last() const;
    // The line a reader of typed text takes: the last line when it is not
    // empty, otherwise the line before it.
    std::string_view current_line() const;

private:
    std::size_t line_start(std::size_t position) const;
    std::size_t line_end(std::size_t position) const;

    std::string text_;
    std::size_t caret_ = 0;
};

// Text without its last line (and the CR LF before it).
std::string drop_last_line(std::string_view text);

}  // namespace vexlab::console
