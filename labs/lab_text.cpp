#include "labs/lab_text.h"

#include <algorithm>

namespace vexlab::labs {

namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::size_t view_length(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (continuation(byte)) continue;
        length += byte >= 0xF0 ? 2 : 1;  // beyond the 16-bit plane: a surrogate pair
    }
    return length;
}

void LabTextBox::note(std::size_t position, std::size_t removed, std::string_view inserted) {
    const std::string_view old = control_.text();
    const std::size_t gone = view_length(old.substr(position, removed));
    const std::size_t tail = view_length(old.substr(position + removed));
    changes_.push_back({view_size_ - tail - gone, gone, std::string(inserted)});
    view_size_ = view_size_ - gone + view_length(inserted);
}

void LabTextBox::snap(bool forward) {
    const std::string& text = control_.text();
    std::size_t caret = control_.caret();
    while (caret > 0 && caret < text.size() &&
           continuation(static_cast<unsigned char>(text[caret])))
        forward ? ++caret : --caret;
    if (caret != control_.caret()) control_.set_caret(caret);
}

void LabTextBox::replace_all(std::string text) {
    note(0, control_.text().size(), text);
    control_.replace_all(std::move(text));
}

void LabTextBox::append(std::string_view text) {
    note(control_.text().size(), 0, text);
    control_.append(text);
}

void LabTextBox::replace_from(std::size_t position, std::string_view text) {
    position = std::min(position, control_.text().size());
    note(position, control_.text().size() - position, text);
    std::string kept = control_.text().substr(0, position);
    kept.append(text);
    control_.replace_all(std::move(kept));
}

void LabTextBox::insert(std::string_view text) {
    note(control_.caret(), 0, text);
    control_.insert(text);
}

// A typed character may take several bytes; Backspace takes all of them.
void LabTextBox::backspace() {
    const std::string& text = control_.text();
    std::size_t caret = control_.caret();
    if (caret == 0) return;
    std::size_t start = caret - 1;
    if (caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0)
        start = caret - 2;
    else
        while (start > 0 && continuation(static_cast<unsigned char>(text[start]))) --start;
    note(start, caret - start, {});
    while (control_.caret() > start) control_.backspace();
}

void LabTextBox::delete_forward() {
    const std::string& text = control_.text();
    std::size_t caret = control_.caret();
    if (caret >= text.size()) return;
    std::size_t end = caret + 1;
    if (text.compare(caret, 2, "\r\n") == 0)
        end = caret + 2;
    else
        while (end < text.size() && continuation(static_cast<unsigned char>(text[end]))) ++end;
    note(caret, end - caret, {});
    std::string kept = text.substr(0, caret) + text.substr(end);
    control_.replace_all(std::move(kept));
    control_.set_caret(caret);
}

std::vector<TextChange> LabTextBox::take_changes() {
    std::vector<TextChange> taken;
    taken.swap(changes_);
    return taken;
}

std::size_t LabTextBox::view_caret() const {
    return view_size_ - view_length(std::string_view(control_.text()).substr(control_.caret()));
}

}  // namespace vexlab::labs
