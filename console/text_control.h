#pragma once
// The console's multi-line text box, as a text buffer with a caret.  The
// console's handlers are written against how such a control behaves: a key
// handler runs before the control applies the key; a locked control refuses
// the key being handled (once); arrow keys move the caret after the key-down
// handler.  Lines are separated by CR LF.
//
// A window shows the text in a text widget.  Resetting the widget's whole
// text on every key would make each key cost more the longer the session
// runs, so the control remembers where its text first changed since the
// window last looked and hands over only the tail from there on.

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlab::console {

// What a view must do to show the control's text and caret as they are now.
// Positions are in the view's units: the text as a text widget holds it,
// UTF-16 code units, each CR LF one line break.
struct ViewUpdate {
    bool text_changed = false;
    std::size_t keep = 0;  // the view keeps its first `keep` units and drops the rest,
    std::u16string tail;   // then appends this
    std::size_t size = 0;  // the view's length afterwards
    std::size_t caret = 0;
};

class TextControl {
public:
    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }
    bool locked = false;

    // Replaces the whole text (select all, set the selection); the caret goes
    // to the end.  Copying the text to change its end costs time on a long
    // transcript: writers that keep the beginning use replace_from.
    void replace_all(std::string text);
    // Keeps the text before `position` and puts `text` after it; the caret
    // goes to the end.  This is replace_all(text().substr(0, position) +
    // text) without copying what stays.
    void replace_from(std::size_t position, std::string_view text);
    void append(std::string_view text);  // the same as replace_all(text() + text)
    void set_caret(std::size_t position);

    // What the control does with a key when it is not locked.
    void insert(std::string_view text);  // at the caret
    void backspace();                    // the character (or line break) before the caret
    void delete_forward();
    // Removes `length` bytes at `position`; the caret stays where it was
    // relative to the text around it.
    void erase(std::size_t position, std::size_t length);
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

    // The change since the last call (for a view that showed the text as it
    // was then), with the caret.  The first call gives the whole text.
    ViewUpdate take_view_update();
    // The next update gives the whole text again (for a view that lost track
    // of it).
    void resend_all();

private:
    std::size_t line_start(std::size_t position) const;
    std::size_t line_end(std::size_t position) const;
    // Notes that the text is about to change from byte `position` on.
    void touch(std::size_t position);

    std::string text_;
    std::size_t caret_ = 0;

    // The view shows text_[0, shown_) unchanged, which is shown_units_ units
    // long; the whole view is view_size_ units long.
    std::size_t shown_ = 0;
    std::size_t shown_units_ = 0;
    std::size_t view_size_ = 0;
    bool changed_ = true;
};

// Text without its last line (and the CR LF before it).
std::string drop_last_line(std::string_view text);

// The text as a view shows it: UTF-16, CR LF as one line break, a lone CR
// or LF as one too (all of them as LF), and U+FFFD for each byte that
// begins no complete UTF-8 sequence.
std::u16string view_text(std::string_view text);
// Its length, without building it.
std::size_t view_length(std::string_view text);

// A transcript being rewritten from its end: the control's text up to some
// position, kept, followed by new text.  The console's writers build the
// text they want the control to show this way and apply it as the
// equivalent edit of the control's tail, so a long transcript is never
// copied to change its last lines.
class TailEdit {
public:
    // The control must not change until the edit is applied.
    explicit TailEdit(const TextControl& control)
        : control_(&control), keep_(control.text().size()) {}

    bool empty() const { return keep_ == 0 && added_.empty(); }
    bool ends_with(std::string_view end) const;
    // The last line (after the last CR LF).
    std::string last_line() const;
    TailEdit& operator+=(std::string_view text) {
        added_.append(text);
        return *this;
    }
    TailEdit& operator+=(char c) {
        added_.push_back(c);
        return *this;
    }
    // Drops the last line and the CR LF before it (drop_last_line).
    void drop_last_line();

    // Makes the control show the rewritten text, the caret at its end.
    void apply(TextControl& control) const { control.replace_from(keep_, added_); }

    // The whole rewritten text (for tests).
    std::string str() const { return control_->text().substr(0, keep_) + added_; }

private:
    const TextControl* control_;
    std::size_t keep_;
    std::string added_;
};

}  // namespace vexlab::console
