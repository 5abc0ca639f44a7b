#include "console/text_control.h"

#include <algorithm>
#include <functional>

namespace vexlab::console {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length a byte announces as the first of a UTF-8 sequence; 1 for a
// byte that begins none.
std::size_t announced_length(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return 2;
    if (byte >= 0xE0 && byte <= 0xEF) return 3;
    if (byte >= 0xF0 && byte <= 0xF4) return 4;
    return 1;
}

// The length of the well-formed sequence at `i`, or 1 when there is none
// there (the byte then shows as U+FFFD).  Only the bytes from `i` on
// decide, so a text decodes the same in pieces as whole when it is cut
// between sequences.
std::size_t sequence_length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = announced_length(lead);
    if (length == 1 || i + length > text.size()) return 1;
    for (std::size_t k = 1; k < length; ++k)
        if (!continuation(static_cast<unsigned char>(text[i + k]))) return 1;
    // No overlong forms, surrogates or code points beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 1;
    return length;
}

char32_t decode(std::string_view text, std::size_t i, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t code = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return code;
}

// Walks `text` unit by unit as a view shows it; `emit` gets each UTF-16
// code unit.
template <typename Emit>
void walk_view(std::string_view text, Emit emit) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            emit(u'\n');
            i += 2;
        } else if (byte == '\r') {
            // A lone CR is a line break of its own.  The widget would take a
            // CR written before the next line's break as one CR LF with it.
            emit(u'\n');
            ++i;
        } else if (byte < 0x80) {
            emit(static_cast<char16_t>(byte));
            ++i;
        } else if (const std::size_t length = sequence_length(text, i); length == 1) {
            emit(kReplacement);
            ++i;
        } else {
            const char32_t code = decode(text, i, length);
            if (code >= 0x10000) {
                emit(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                emit(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                emit(static_cast<char16_t>(code));
            }
            i += length;
        }
    }
}

// A byte position before which the view's text stays as it is whatever
// the text from there on becomes: not between CR and LF (CR LF is one line
// break, a lone CR another), not inside what could become one UTF-8
// sequence.  Only the bytes before `position` are looked at.
std::size_t change_boundary(std::string_view text, std::size_t position) {
    for (;;) {
        if (position > 0 && text[position - 1] == '\r') {
            --position;
            continue;
        }
        std::size_t lead = position;
        while (lead > 0 && position - lead < 3 &&
               continuation(static_cast<unsigned char>(text[lead - 1])))
            --lead;
        if (lead > 0 &&
            lead - 1 + announced_length(static_cast<unsigned char>(text[lead - 1])) > position) {
            position = lead - 1;
            continue;
        }
        return position;
    }
}

// The start of the view's unit the byte position falls in: a caret inside
// a CR LF or a UTF-8 sequence stands before it.
std::size_t unit_start(std::string_view text, std::size_t position) {
    if (position > 0 && position < text.size() && text[position - 1] == '\r' &&
        text[position] == '\n')
        return position - 1;
    std::size_t lead = position;
    while (lead > 0 && position - lead < 3 &&
           continuation(static_cast<unsigned char>(text[lead - 1])))
        --lead;
    if (lead > 0 && lead - 1 + sequence_length(text, lead - 1) > position) return lead - 1;
    return position;
}

}  // namespace

std::u16string view_text(std::string_view text) {
    std::u16string shown;
    shown.reserve(text.size());
    walk_view(text, [&shown](char16_t unit) { shown.push_back(unit); });
    return shown;
}

std::size_t view_length(std::string_view text) {
    std::size_t length = 0;
    walk_view(text, [&length](char16_t) { ++length; });
    return length;
}

// ------------------------------------------------------------ the view

void TextControl::touch(std::size_t position) {
    const std::size_t from = change_boundary(text_, std::min(position, shown_));
    if (from < shown_) {
        shown_units_ -= view_length(std::string_view(text_).substr(from, shown_ - from));
        shown_ = from;
    }
    changed_ = true;
}

ViewUpdate TextControl::take_view_update() {
    ViewUpdate update;
    update.text_changed = changed_;
    if (changed_) {
        update.keep = shown_units_;
        update.tail = view_text(std::string_view(text_).substr(shown_));
        view_size_ = shown_units_ + update.tail.size();
        shown_ = text_.size();
        shown_units_ = view_size_;
        changed_ = false;
    }
    update.size = view_size_;
    // The caret is usually near the end: count from the nearer side.
    const std::size_t caret = unit_start(text_, caret_);
    const std::string_view text = text_;
    update.caret = caret <= text.size() / 2 ? view_length(text.substr(0, caret))
                                            : view_size_ - view_length(text.substr(caret));
    return update;
}

void TextControl::resend_all() {
    shown_ = 0;
    shown_units_ = 0;
    changed_ = true;
}

// ------------------------------------------------------------ the text

void TextControl::replace_all(std::string text) {
    // A writer that rebuilt the whole text mostly changed only its end; the
    // view keeps what is the same.
    const std::size_t same =
        std::mismatch(text_.begin(), text_.end(), text.begin(), text.end()).first - text_.begin();
    if (same != text_.size() || same != text.size()) touch(same);
    text_ = std::move(text);
    caret_ = text_.size();
}

void TextControl::replace_from(std::size_t position, std::string_view text) {
    const std::less_equal<const char*> not_after;
    if (!text.empty() && not_after(text_.data(), text.data()) &&
        !not_after(text_.data() + text_.size(), text.data())) {
        replace_from(position, std::string(text));  // a piece of the text itself
        return;
    }
    position = std::min(position, text_.size());
    // What the new tail repeats of the old one stays as the view shows it.
    const auto old_tail = std::string_view(text_).substr(position);
    const std::size_t same =
        std::mismatch(old_tail.begin(), old_tail.end(), text.begin(), text.end()).first -
        old_tail.begin();
    if (same != old_tail.size() || same != text.size()) {
        touch(position + same);
        text_.resize(position + same);
        text_.append(text.substr(same));
    }
    caret_ = text_.size();
}

void TextControl::append(std::string_view text) {
    if (!text.empty()) touch(text_.size());
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
    if (text.empty()) return;
    touch(caret_);
    text_.insert(caret_, text);
    caret_ += text.size();
}

void TextControl::erase(std::size_t position, std::size_t length) {
    position = std::min(position, text_.size());
    length = std::min(length, text_.size() - position);
    if (length == 0) return;
    touch(position);
    text_.erase(position, length);
    if (caret_ >= position + length)
        caret_ -= length;
    else if (caret_ > position)
        caret_ = position;
}

void TextControl::backspace() {
    if (caret_ == 0) return;
    // A line break is one character to the user.
    if (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0)
        erase(caret_ - 2, 2);
    else
        erase(caret_ - 1, 1);
}

void TextControl::delete_forward() {
    if (caret_ >= text_.size()) return;
    erase(caret_, text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1);
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

// ------------------------------------------------------------ tail edits

bool TailEdit::ends_with(std::string_view end) const {
    if (added_.size() >= end.size())
        return std::string_view(added_).substr(added_.size() - end.size()) == end;
    // The end reaches back into the kept text.
    const std::size_t from_base = end.size() - added_.size();
    if (keep_ < from_base) return false;
    return control_->text().compare(keep_ - from_base, from_base, end.substr(0, from_base)) == 0 &&
           std::string_view(added_) == end.substr(from_base);
}

std::string TailEdit::last_line() const {
    const auto found = added_.rfind("\r\n");
    if (found != std::string::npos) return added_.substr(found + 2);
    const std::string_view kept = std::string_view(control_->text()).substr(0, keep_);
    // A CR LF may straddle the kept text and the added text.
    if (!kept.empty() && kept.back() == '\r' && !added_.empty() && added_.front() == '\n')
        return added_.substr(1);
    const auto kept_break = kept.rfind("\r\n");
    const std::size_t start = kept_break == std::string_view::npos ? 0 : kept_break + 2;
    return std::string(kept.substr(start)) + added_;
}

void TailEdit::drop_last_line() {
    const auto found = added_.rfind("\r\n");
    if (found != std::string::npos) {
        added_.resize(found);
        return;
    }
    const std::string_view kept = std::string_view(control_->text()).substr(0, keep_);
    if (!kept.empty() && kept.back() == '\r' && !added_.empty() && added_.front() == '\n') {
        keep_ -= 1;
        added_.clear();
        return;
    }
    const auto kept_break = kept.rfind("\r\n");
    keep_ = kept_break == std::string_view::npos ? 0 : kept_break;
    added_.clear();
}

}  // namespace vexlab::console
