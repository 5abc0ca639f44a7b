// The lab console's text box reports each change so that a view can apply
// it alone; applying the reported changes must always give the same text as
// showing the whole text afresh.

#include "labs/lab_text.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using vexlab::labs::LabTextBox;

// The text as a text widget holds it: UTF-16, CR LF as one line break.
std::u16string as_view(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        char32_t code = byte;
        std::size_t length = 1;
        if (byte >= 0xF0)
            code = byte & 0x07, length = 4;
        else if (byte >= 0xE0)
            code = byte & 0x0F, length = 3;
        else if (byte >= 0xC0)
            code = byte & 0x1F, length = 2;
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += length;
    }
    return out;
}

void apply(std::u16string& view, LabTextBox& box) {
    for (const auto& change : box.take_changes()) {
        ASSERT_LE(change.start + change.removed, view.size());
        view.replace(change.start, change.removed, as_view(change.inserted));
    }
}

TEST(LabTextBox, ChangesAppliedOneByOneGiveTheWholeText) {
    std::mt19937 random(20240301);
    const char* pieces[] = {
        "R1>", "enable", "\r\n", "é", "\xF0\x9F\x98\x80", "command not found\r\n", " "};
    LabTextBox box;
    std::u16string view;
    for (int step = 0; step < 3000; ++step) {
        const char* piece = pieces[random() % std::size(pieces)];
        switch (random() % 9) {
            case 0:
            case 1:
                box.append(piece);
                break;
            case 2:
            case 3:
                box.insert(piece);
                break;
            case 4:
                box.backspace();
                break;
            case 5:
                box.delete_forward();
                break;
            case 6: {
                const auto& text = box.text();
                const auto line = text.rfind("\r\n");
                box.replace_from(line == std::string::npos ? 0 : line, std::string("\r\n") + piece);
                break;
            }
            case 7:
                if (random() % 20 == 0) box.replace_all(piece);
                break;
            default:
                (random() % 2 ? box.move_up() : box.move_left());
                break;
        }
        apply(view, box);
        ASSERT_EQ(view, as_view(box.text())) << "step " << step;
        ASSERT_EQ(box.view_size(), view.size());
        const std::size_t caret = box.view_caret();
        ASSERT_EQ(caret, as_view(std::string_view(box.text()).substr(0, box.caret())).size());
    }
}

TEST(LabTextBox, BackspaceTakesAWholeCharacterOrLineBreak) {
    LabTextBox box;
    box.append("ab\r\n");
    box.insert("é");
    box.backspace();
    EXPECT_EQ(box.text(), "ab\r\n");
    box.backspace();
    EXPECT_EQ(box.text(), "ab");
    auto changes = box.take_changes();
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[3].start, 2u);
    EXPECT_EQ(changes[3].removed, 1u);  // a line break is one place in the view
}

}  // namespace
