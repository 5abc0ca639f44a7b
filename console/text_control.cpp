#include "console/text_control.h"

#include <algorithm>

namespace vexlab::console {

void TextControl::replace_all(std::string text) {
    text_ = std::move(text);
    caret_ = text_.size();
}

void TextControl::append(std::string_view text) {
    text_.append(text);
    caret_ = text_.size();
}

void TextControl::set_caret(std::size_t position) {
    caret_ = std::min(position, text_.size());
    // A line break is one unit: the caret never stands inside it.
    if (caret_ > 0 && caret_ < text_.size() && text_[caret_ - 1] == '\r' && text_[caret_] == '\n')
        --caret_;
}

void TextControl::insert(std::string_view text) {
    text_.insert(caret_, text);
    caret_ += text.size();
}

void TextControl::backspace() {
    if (caret_ == 0) return;
    // A line break is one character to the user.
    if (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0) {
        text_.erase(caret_ - 2, 2);
        caret_ -= 2;
        return;
    }
    text_.erase(caret_ - 1, 1);
    --caret_;
}

void TextControl::delete_forward() {
    if (caret_ >= text_.size()) return;
    text_.erase(caret_, text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1);
}

std::size_t TextControl::line_start(std::size_t position) const {
    if (position == 0) return 0;
    auto found = text_.rfind('\n', position - 1);
    return found == std::string::npos ? 0 : found + 1;
}

std::size_t TextControl::line_end(std::size_t position) const {
    auto found = text_.find("\r\n", position);
    return found == std::string::npos ? text_.size() : found;
}

void TextControl::move_up() {
    std::size_t start = line_start(caret_);
    if (start == 0) return;
    std::size_t column = caret_ - start;
    std::size_t previous_end = start >= 2 ? start - 2 : 0;
    std::size_t previous_start = line_start(previous_end);
    caret_ = std::min(previous_start + column, previous_end);
}

void TextControl::move_down() {
    std::size_t start = line_start(caret_);
    std::size_t end = line_end(caret_);
    if (end >= text_.size()) return;
    std::size_t column = caret_ - start;
    std::size_t next_start = end + 2;
    caret_ = std::min(next_start + column, line_end(next_start));
}

void TextControl::move_left() {
    if (caret_ == 0) return;
    caret_ -= (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0) ? 2 : 1;
}

void TextControl::move_right() {
    if (caret_ >= text_.size()) return;
    caret_ += text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1;
}

void TextControl::move_end() {
    caret_ = line_end(caret_);
}
void TextControl::move_home() {
    caret_ = line_start(caret_);
}

std::string_view TextControl::last_line() const {
    auto found = text_.rfind("\r\n");
    if (found == std::string::npos) return text_;
    return std::string_view(text_).substr(found + 2);
}

std::string_view TextControl::line_before_last() const {
    auto last = text_.rfind("\r\n");
    if (last == std::string::npos) return {};
    auto before = last == 0 ? std::string::npos : text_.rfind("\r\n", last - 1);
    std::size_t start = before == std::string::npos ? 0 : before + 2;
    return std::string_view(text_).substr(start, last - start);
}

std::string_view TextControl::current_line() const {
    auto last = last_line();
    return last.empty() ? line_before_last() : last;
}

std::string drop_last_line(std::string_view text) {
    auto found = text.rfind("\r\n");
    if (found == std::string_view::npos) return {};
    return std::string(text.substr(0, found));
}

}  // namespace vexlab::console
