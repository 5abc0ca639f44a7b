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

// A saved name gets the kind's extension only when its file name has none.
TEST(FileFilter, ANameWithoutAnExtensionGetsTheKindsOwn) {
    const struct {
        const char* name;
        const char* filter;
        std::size_t kind;
        const char* answered;
    } cases[] = {
        {"/u/natlab", "netmap(*.dgm)|*.dgm", 0, "/u/natlab.dgm"},
        {"natlab", "config(*.con)|*.con", 0, "natlab.con"},
        {"/u/natlab.con", "config(*.con)|*.con", 0, "/u/natlab.con"},
        {"/u/natlab.txt", "config(*.con)|*.con", 0, "/u/natlab.txt"},
        {"/u/natlab.", "config(*.con)|*.con", 0, "/u/natlab."},
        {"/u/.hidden", "config(*.con)|*.con", 0, "/u/.hidden"},
        // Only the file name counts, not the dots of its folders.
        {"/u/my.labs/natlab", "export(*.exp)|*.exp", 0, "/u/my.labs/natlab.exp"},
        // Quotes and semicolons are part of the name as typed.
        {"/u/my \"cfg\"; x", "config(*.con)|*.con", 0, "/u/my \"cfg\"; x.con"},
        // The chosen kind's first pattern; none from a pattern without one.
        {"/u/logo", "Pictures|*.gif;*.jpg", 0, "/u/logo.gif"},
        {"/u/notes", "Text|*.txt|All files|*.*", 1, "/u/notes"},
        {"/u/notes", "Text|*.txt|All files|*.*", 0, "/u/notes.txt"},
        {"/u/notes", "Text|*.txt", 3, "/u/notes"},
        {"/u/notes", "Anything|*", 0, "/u/notes"},
        {"/u/", "config(*.con)|*.con", 0, "/u/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vexlab::platform::with_default_extension(c.name, c.filter, c.kind), c.answered)
            << c.name << " " << c.filter;
}

}  // namespace
