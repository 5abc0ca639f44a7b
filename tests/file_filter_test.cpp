// The windows' "description|pattern" filters in the form Qt's file dialogs
// read: the description the user sees, the patterns Qt filters by.

#include "platform/file_filter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilter, EachKindBecomesOneQtFilter) {
    const struct {
        const char* written;
        const char* qt;
    } cases[] = {
        // A description that names its pattern already is not named twice.
        {"netmap(*.dgm)|*.dgm", "netmap(*.dgm)"},
        {"export(*.exp)|*.exp", "export(*.exp)"},
        {"config(*.con)|*.con", "config(*.con)"},
        {"html(*.html)|*.html", "html(*.html)"},
        {"Text (*.txt) |*.txt", "Text (*.txt) "},
        // Otherwise the patterns follow in parentheses, separated by blanks.
        {"Pictures|*.gif;*.jpg;*.png;*.bmp", "Pictures (*.gif *.jpg *.png *.bmp)"},
        {"Old(*.txt)|*.log", "Old(*.txt) (*.log)"},
        {"Text|*.txt|All files|*.*", "Text (*.txt);;All files (*.*)"},
        // A description without a pattern is left to Qt as it stands.
        {"html(*.html)", "html(*.html)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vexlab::platform::qt_name_filters(c.written), c.qt) << c.written;
}

}  // namespace
