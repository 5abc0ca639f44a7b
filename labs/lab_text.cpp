#include "labs/lab_text.h"

namespace vexlab::labs {

namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

void LabTextBox::snap(bool forward) {
    const std::string& text = control_.text();
    std::size_t caret = control_.caret();
    while (caret > 0 && caret < text.size() &&
           continuation(static_cast<unsigned char>(text[caret])))
        forward ? ++caret : --caret;
    if (caret != control_.caret()) control_.set_caret(caret);
}

// A typed character may take several bytes; Backspace takes all of them.
void LabTextBox::backspace() {
    const std::string& text = control_.text();
    const std::size_t caret = control_.caret();
    if (caret == 0) return;
    std::size_t start = caret - 1;
    if (caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0)
        start = caret - 2;
    else
        while (start > 0 && continuation(static_cast<unsigned char>(text[start]))) --start;
    control_.erase(start, caret - start);
}

void LabTextBox::delete_forward() {
    const std::string& text = control_.text();
    const std::size_t caret = control_.caret();
    if (caret >= text.size()) return;
    std::size_t end = caret + 1;
    if (text.compare(caret, 2, "\r\n") == 0)
        end = caret + 2;
    else
        while (end < text.size() && continuation(static_cast<unsigned char>(text[end]))) ++end;
    control_.erase(caret, end - caret);
}

}  // namespace vexlab::labs
