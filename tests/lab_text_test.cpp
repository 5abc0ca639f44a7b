// The lab console's text box keeps a typed character of several bytes
// whole: Backspace and Delete take all of it, and the caret never stands
// inside it.

#include "labs/lab_text.h"

#include <gtest/gtest.h>

namespace {

using vexlab::labs::LabTextBox;

TEST(LabTextBox, BackspaceAndDeleteTakeAWholeCharacterOrLineBreak) {
    LabTextBox box;
    box.append("ab\r\n");
    box.insert("\xC3\xA9");
    box.backspace();
    EXPECT_EQ(box.text(), "ab\r\n");
    box.backspace();
    EXPECT_EQ(box.text(), "ab");
    box.insert("\xF0\x9F\x98\x80z");
    box.set_caret(2);
    box.delete_forward();
    EXPECT_EQ(box.text(), "abz");
    EXPECT_EQ(box.caret(), 2u);
}

TEST(LabTextBox, TheCaretStepsOverAWholeCharacter) {
    LabTextBox box;
    box.append("a\xE2\x84\xA2z");
    box.set_caret(2);  // inside the three bytes
    EXPECT_EQ(box.caret(), 1u);
    box.move_right();
    EXPECT_EQ(box.caret(), 4u);
    box.move_left();
    EXPECT_EQ(box.caret(), 1u);
    // The view counts the character as one place.
    const auto update = box.control().take_view_update();
    EXPECT_EQ(update.tail, u"a\u2122z");
    EXPECT_EQ(update.caret, 1u);
}

}  // namespace
