// The console's text control hands a view only the tail that changed.  A
// view that applies every update must always show exactly the control's
// text, however the text was edited in between and wherever the edits cut
// line breaks or characters of several bytes.

#include "console/text_control.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using vexlab::console::TailEdit;
using vexlab::console::TextControl;
using vexlab::console::view_length;
using vexlab::console::view_text;

TEST(ViewText, ShowsLineBreaksAndCharactersAsAWidgetHoldsThem) {
    struct Case {
        const char* text;
        std::u16string shown;
    } cases[] = {
        {"R1>\r\nR1#", u"R1>\nR1#"},
        {"a\rb\nc", u"a\nb\nc"},  // a lone CR or LF is a line break of its own
        {"a\r\r\nb", u"a\n\nb"},  // a lone CR before a CR LF: two line breaks
        {"\r\n\r\n", u"\n\n"},
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"Cisco\xE2\x84\xA2", u"Cisco\u2122"},
        {"\xF0\x9F\x98\x80!", u"\U0001F600!"},  // a surrogate pair
        {"a\xC3", u"a\uFFFD"},                  // a character cut short
        {"\xC3\x41", u"\uFFFDA"},
        {"\xA9\xA9", u"\uFFFD\uFFFD"},                      // stray continuation bytes
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(view_text(c.text), c.shown) << c.text;
        EXPECT_EQ(view_length(c.text), c.shown.size()) << c.text;
    }
}

// A view as a text widget would be: it keeps what it is told to keep and
// appends the tail.
struct MirrorView {
    std::u16string shown;

    void take(TextControl& control) {
        const auto update = control.take_view_update();
        if (update.text_changed) {
            ASSERT_LE(update.keep, shown.size());
            shown.resize(update.keep);
            shown += update.tail;
        }
        ASSERT_EQ(update.size, shown.size());
        const std::string& text = control.text();
        const std::size_t caret = control.caret();
        // The caret stands before the unit it falls in (a CR LF, a character
        // of several bytes): after the last place that cuts the text cleanly.
        for (std::size_t at = caret;; --at) {
            const auto before = view_text(std::string_view(text).substr(0, at));
            if (before + view_text(std::string_view(text).substr(at)) == shown) {
                ASSERT_EQ(update.caret, before.size()) << "caret " << caret;
                break;
            }
        }
    }
};

TEST(TextControlView, UpdatesAppliedInTurnAlwaysGiveTheWholeText) {
    std::mt19937 random(20240407);
    const std::string pieces[] = {"R1>",
                                  "enable",
                                  "\r\n",
                                  "\r",
                                  "\n",
                                  "caf\xC3\xA9",
                                  "\xC3",
                                  "\xA9",
                                  "\xE2\x84",
                                  "\x84\xA2",
                                  "\xF0\x9F\x98\x80",
                                  " ",
                                  "Command Not Found\r\nR1(config)#"};
    auto piece = [&] { return pieces[random() % std::size(pieces)]; };
    TextControl control;
    MirrorView view;
    for (int step = 0; step < 20000; ++step) {
        const std::size_t size = control.text().size();
        const std::size_t anywhere = size ? random() % (size + 1) : 0;
        switch (random() % 12) {
            case 0:
            case 1:
                control.append(piece());
                break;
            case 2:
            case 3:
                control.insert(piece());
                break;
            case 4:
                control.backspace();
                break;
            case 5:
                control.delete_forward();
                break;
            case 6:
                control.erase(anywhere, random() % 4);
                break;
            case 7:
                control.replace_from(size - std::min<std::size_t>(size, random() % 40), piece());
                break;
            case 8:
                if (random() % 50 == 0) control.replace_all(piece());
                break;
            case 9:
                control.set_caret(anywhere);
                break;
            case 10:
                if (random() % 200 == 0) control.resend_all();
                break;
            default:
                (random() % 2 ? control.move_up() : control.move_left());
                break;
        }
        // Several edits may come between two looks of the view.
        if (random() % 3 == 0) {
            ASSERT_NO_FATAL_FAILURE(view.take(control)) << "step " << step;
            ASSERT_EQ(view.shown, view_text(control.text())) << "step " << step;
        }
        // Keep the text short enough for the whole-text comparisons.
        if (control.text().size() > 3000) control.replace_from(0, std::string(control.last_line()));
    }
}

TEST(TextControlView, AnEditAtTheEndHandsOverOnlyTheEnd) {
    TextControl control;
    std::string long_text;
    for (int i = 0; i < 1000; ++i) long_text += "R1(config-if)#description link\r\n";
    control.replace_all(long_text + "R1(config-if)#");
    MirrorView view;
    view.take(control);
    const std::size_t before = view.shown.size();

    control.insert("d");
    auto update = control.take_view_update();
    EXPECT_EQ(update.keep, before);
    EXPECT_EQ(update.tail, u"d");
    EXPECT_EQ(update.caret, before + 1);

    control.backspace();
    update = control.take_view_update();
    EXPECT_TRUE(update.text_changed);
    EXPECT_EQ(update.keep, before);
    EXPECT_EQ(update.tail, u"");

    // Rewriting the last line hands over what differs, not the line.
    TailEdit edit(control);
    edit.drop_last_line();
    edit += "\r\nR1(config-if)#exit";
    edit.apply(control);
    update = control.take_view_update();
    EXPECT_EQ(update.keep, before);
    EXPECT_EQ(update.tail, u"exit");

    // Moving the caret alone changes no text.
    control.move_home();
    update = control.take_view_update();
    EXPECT_FALSE(update.text_changed);
    EXPECT_EQ(update.caret, before - std::string("R1(config-if)#").size());
}

// A tail edit gives the text that rebuilding the whole transcript gives.
TEST(TailEdit, RewritesTheTextAsAWholeCopyWould) {
    std::mt19937 random(7);
    const std::string pieces[] = {"R1#", "\r\n", "\r", "\n", "show version\r\n", ""};
    for (int round = 0; round < 2000; ++round) {
        TextControl control;
        std::string start;
        for (int i = random() % 5; i > 0; --i) start += pieces[random() % std::size(pieces)];
        control.replace_all(start);
        control.set_caret(0);
        TailEdit edit(control);
        std::string whole = start;
        for (int i = random() % 6; i > 0; --i) {
            if (random() % 3 == 0) {
                edit.drop_last_line();
                whole = vexlab::console::drop_last_line(whole);
            } else {
                const std::string& added = pieces[random() % std::size(pieces)];
                edit += added;
                whole += added;
            }
            ASSERT_EQ(edit.str(), whole);
            ASSERT_EQ(edit.empty(), whole.empty());
            const auto last = whole.rfind("\r\n");
            ASSERT_EQ(edit.last_line(), last == std::string::npos ? whole : whole.substr(last + 2));
            for (const char* end : {"\r\n", "#", "\n", "R1#\r\n"})
                ASSERT_EQ(edit.ends_with(end), whole.ends_with(end)) << end;
        }
        edit.apply(control);
        ASSERT_EQ(control.text(), whole);
        ASSERT_EQ(control.caret(), whole.size());
    }
}

}  // namespace
