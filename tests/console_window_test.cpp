// The console window offscreen: opened from the three simulator menus with
// its caption, start device and buttons; keys reach the engine; closing it
// gives the main window back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <filesystem>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/text_control.h"
#include "console/ui/console_view.h"
#include "console/ui/frmNetdgm.h"
#include "console/ui/frmRoutSim.h"
#include "console/ui/frmSupportedcommands.h"
#include "labs/ui/frmLabs.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace {

using vexlab::console::frmRoutSim;

class ConsoleWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
    }
    void TearDown() override {
        if (program && program->main_window()) program->main_window()->close();
    }
    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
};

TEST_F(ConsoleWindowTest, EachSimulatorMenuOpensTheConsoleInItsMode) {
    auto* main = program->main_window();
    struct Case {
        QAction* item;
        const char* caption;
        const char* device;
        vexlab::state::DeviceKind kind;
        bool network_buttons;
    } cases[] = {
        {main->mnuRoutSim, "Router Simulator", "R1", vexlab::state::DeviceKind::Router, false},
        {main->mnuSwitSim, "Switch Simulator", "2950", vexlab::state::DeviceKind::Switch, false},
        {main->mnuNetSim, "Network Simulator", "R1", vexlab::state::DeviceKind::Router, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        c.item->trigger();
        frmRoutSim* console = main->routsim();
        ASSERT_NE(console, nullptr);
        EXPECT_TRUE(console->isVisible());
        EXPECT_FALSE(main->isEnabled());
        EXPECT_EQ(console->windowTitle(), c.caption);
        auto& state = program->state();
        EXPECT_EQ(state.console.device.current_device, c.device);
        EXPECT_EQ(state.console.device.device_kind, c.kind);
        EXPECT_EQ(console->engine().network_buttons_enabled(), c.network_buttons);
        // The network file and labs buttons belong to the network simulator.
        for (QPushButton* b : {console->cmdOpenExp, console->Command2, console->Command5})
            EXPECT_EQ(b->isEnabled(), c.network_buttons);
        EXPECT_EQ(console->Command3->isEnabled(), c.network_buttons);  // N/W Diagram
        EXPECT_EQ(console->Command6->isEnabled(), c.network_buttons);  // View Existing Labs
        EXPECT_TRUE(console->Command1->isEnabled());                   // Supported Commands
        EXPECT_TRUE(console->Command4->isEnabled());
        EXPECT_EQ(console->Command1->toolTip(), "List Of Supported Commands.");
        EXPECT_EQ(console->Command3->toolTip(), "Network Diagram.");
        EXPECT_EQ(console->Command6->toolTip(), "View Existing Labs.");
        EXPECT_EQ(console->Command4->toolTip(), "Go TO Main Screen.");
        EXPECT_EQ(console->Label1->text(), "Console");
        EXPECT_TRUE(console->Text1->toPlainText().endsWith("Press \"Return\" to start"));

        console->Command4->click();  // E&xit
        EXPECT_FALSE(console->isVisible());
        EXPECT_TRUE(main->isEnabled());
        EXPECT_FALSE(state.open_mode.start_as_router);
        EXPECT_FALSE(state.open_mode.start_as_switch);
        EXPECT_EQ(state.network.lab_description, " ");
    }
}

TEST_F(ConsoleWindowTest, TypedKeysReachTheConsoleAndItsAnswerIsShown) {
    auto* main = program->main_window();
    main->mnuRoutSim->trigger();
    frmRoutSim* console = main->routsim();
    QTest::keyClick(console->Text1, Qt::Key_Return);
    QTest::keyClicks(console->Text1, "enable");
    QTest::keyClick(console->Text1, Qt::Key_Return);
    QApplication::processEvents();
    const QString text = console->Text1->toPlainText();
    EXPECT_TRUE(text.endsWith("R1>enable\nR1#\n")) << text.right(40).toStdString();
    // The caret stands at the end of the prompt line.
    EXPECT_EQ(console->Text1->textCursor().block().text(), "R1#");
    QTest::keyClick(console->Text1, Qt::Key_Z, Qt::ControlModifier);  // refused at "#"
    EXPECT_EQ(console->Text1->toPlainText(), text);
    EXPECT_FALSE(console->Label2->text().isEmpty());  // the clock
    console->close();
    EXPECT_TRUE(main->isEnabled());
}

// The box as the console's text would show if written whole: CR LF as one
// line break, the caret where the console has it.
void expect_box_shows_console(frmRoutSim* console, const std::string& step) {
    const std::string& text = console->engine().text();
    QString whole = QString::fromStdString(text);
    whole.replace("\r\n", "\n");
    ASSERT_EQ(console->Text1->toPlainText(), whole) << "after " << step;
    QString before = QString::fromStdString(text.substr(0, console->engine().control().caret()));
    before.replace("\r\n", "\n");
    ASSERT_EQ(console->Text1->textCursor().position(), before.size()) << "after " << step;
}

// Each key changes only the end of the box; whatever the key did (typing,
// answers, help, paging, history, a logout that replaces everything), the
// box ends up showing exactly the console's transcript and caret.
TEST_F(ConsoleWindowTest, TheBoxFollowsTheConsoleKeyByKey) {
    auto* main = program->main_window();
    main->mnuRoutSim->trigger();
    frmRoutSim* console = main->routsim();
    struct Step {
        Qt::Key key;
        const char* text;    // typed characters, or the key alone when empty
        bool whole = false;  // the key replaces the whole transcript
        bool paged = false;  // the line before the key left long output
    } steps[] = {
        {Qt::Key_Return, ""},
        {Qt::Key_unknown, "enable"},
        {Qt::Key_Return, ""},
        {Qt::Key_Return, "", false, true},
        {Qt::Key_Return, ""},
        {Qt::Key_Space, " "},
        {Qt::Key_unknown, "q"},
        {Qt::Key_Return, "", false, true},
        {Qt::Key_Left, ""},
        {Qt::Key_unknown, "conf t"},
        {Qt::Key_Return, ""},
        {Qt::Key_unknown, "interface e0"},
        {Qt::Key_Return, ""},
        {Qt::Key_unknown, "desc\xC3\xA9x"},
        {Qt::Key_Backspace, ""},
        {Qt::Key_Backspace, ""},
        {Qt::Key_Return, ""},
        {Qt::Key_Up, ""},
        {Qt::Key_Up, ""},
        {Qt::Key_Down, ""},
        {Qt::Key_Right, ""},
        {Qt::Key_Home, ""},
        {Qt::Key_End, ""},
        {Qt::Key_unknown, "ip ?"},
        {Qt::Key_unknown, "?"},
        {Qt::Key_Z, ""},
        {Qt::Key_unknown, "exit"},
        {Qt::Key_Return, ""},
        {Qt::Key_unknown, "logout"},
        {Qt::Key_Return, "", true},
        {Qt::Key_Return, ""},
    };
    // Where the box's text first changed during a key (0: all of it).
    int first_change = -1;
    QObject::connect(console->Text1->document(), &QTextDocument::contentsChange,
                     [&first_change](int position, int, int) {
                         if (first_change < 0 || position < first_change) first_change = position;
                     });
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        first_change = -1;
        if (step.paged) {
            auto& output = program->state().console.output;
            for (int line = 1; line <= 45; ++line)
                output.pending_output += "line " + std::to_string(line) + "\r\n";
            output.output_needs_paging = true;
        }
        if (step.key == Qt::Key_Z)
            QTest::keyClick(console->Text1, Qt::Key_Z, Qt::ControlModifier);
        else if (step.key == Qt::Key_unknown)
            for (QChar c : QString::fromUtf8(step.text))
                QTest::sendKeyEvent(QTest::Click, console->Text1, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        else
            QTest::keyClick(console->Text1, step.key);
        const std::string name = "step " + std::to_string(i + 1);
        ASSERT_NO_FATAL_FAILURE(expect_box_shows_console(console, name));
        if (!step.whole) {
            EXPECT_NE(first_change, 0) << name;
        }
    }
    // The logout replaced the whole transcript.
    EXPECT_TRUE(console->Text1->toPlainText().startsWith("Press \"Return\" to start\nR1>"));

    // A click puts the caret back at the end of the last line.
    QTest::mouseClick(console->Text1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    expect_box_shows_console(console, "a click");

    // Should anything but the console write into the box, the next key shows
    // the console's text again.
    console->Text1->insertPlainText("stray\nlines");
    QTest::keyClick(console->Text1, Qt::Key_End);
    expect_box_shows_console(console, "a stray write");
}

// New lines go into the box one at a time, empty ones holding a stand-in
// until the lines after them are in; whatever shape the change has, the box
// ends up with exactly the control's text and caret.
TEST(ConsoleView, EveryShapeOfChangeLeavesTheBoxShowingTheControl) {
    using vexlab::console::TailEdit;
    using vexlab::console::TextControl;
    std::string many_lines;
    for (int i = 0; i < 80; ++i) many_lines += "line " + std::to_string(i) + "\r\n";
    struct Case {
        const char* name;
        int drop_lines;  // lines taken off the end first
        std::string added;
    } cases[] = {
        {"an Enter: an empty line, a prompt, an empty line", 0, "\r\n\r\nR1#\r\n"},
        {"empty lines only", 0, "\r\n\r\n\r\n"},
        {"the end of the last line", 0, "show version"},
        {"a lone CR and LF are line breaks too", 0, "a\rb\nc\r\n\r\r\n"},
        {"characters of several bytes", 0, "\r\ncaf\xC3\xA9\r\n\r\n\xF0\x9F\x98\x80"},
        {"more lines than the box shows", 0, "\r\n" + many_lines},
        {"the last line rewritten", 1, "\r\nR1(config)#\r\n"},
        {"several lines taken back", 3, "\r\n\r\nR1#show\r\n"},
        {"everything after the first line taken back", 1000, ""},
    };
    QPlainTextEdit box;
    box.resize(600, 300);
    box.show();
    TextControl control;
    for (const auto& c : cases) {
        control.replace_all("R1>\r\r\n" + many_lines + "R1#");
        vexlab::console::show_text_control(box, control);
        QApplication::processEvents();
        TailEdit edit(control);
        for (int i = 0; i < c.drop_lines; ++i) edit.drop_last_line();
        edit += c.added;
        edit.apply(control);
        control.move_up();  // the caret away from the end
        vexlab::console::show_text_control(box, control);
        QApplication::processEvents();
        const auto shown = vexlab::console::view_text(control.text());
        ASSERT_EQ(box.toPlainText().toStdU16String(), shown) << c.name;
        EXPECT_EQ(box.textCursor().position(),
                  vexlab::console::view_length(control.text().substr(0, control.caret())))
            << c.name;
    }
}

// A view of the box's paint events: how much of the box was painted.
struct PaintedArea : QObject {
    long long area = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                area += static_cast<long long>(r.width()) * r.height();
        return false;
    }
};

// An Enter at the end of a long session adds a few lines and scrolls: the
// box paints those lines, not the whole of what it shows.
TEST_F(ConsoleWindowTest, AnEnterPaintsOnlyTheNewLines) {
    auto* main = program->main_window();
    main->mnuRoutSim->trigger();
    frmRoutSim* console = main->routsim();
    console->Text1->setFocus();
    QTest::keyClick(console->Text1, Qt::Key_Return);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0"}) {
        QTest::keyClicks(console->Text1, line);
        QTest::keyClick(console->Text1, Qt::Key_Return);
    }
    for (int i = 0; i < 30; ++i) {
        QTest::keyClicks(console->Text1, "description uplink");
        QTest::keyClick(console->Text1, Qt::Key_Return);
    }
    QTest::keyClicks(console->Text1, "description uplink");
    QApplication::processEvents();
    PaintedArea painted;
    QWidget* viewport = console->Text1->viewport();
    viewport->installEventFilter(&painted);
    QTest::keyClick(console->Text1, Qt::Key_Return);
    QApplication::processEvents();
    viewport->removeEventFilter(&painted);
    expect_box_shows_console(console, "the Enter");
    EXPECT_GT(console->Text1->verticalScrollBar()->value(), 0);
    EXPECT_GT(painted.area, 0);
    EXPECT_LT(painted.area, static_cast<long long>(viewport->width()) * viewport->height() / 2);
}

// In a long session the view stays on the line being typed.
TEST_F(ConsoleWindowTest, TheViewFollowsTheCaretToTheEnd) {
    auto* main = program->main_window();
    main->mnuRoutSim->trigger();
    frmRoutSim* console = main->routsim();
    QTest::keyClick(console->Text1, Qt::Key_Return);
    for (int i = 0; i < 60; ++i) {
        QTest::keyClicks(console->Text1, "enable");
        QTest::keyClick(console->Text1, Qt::Key_Return);
        QTest::keyClicks(console->Text1, "disable");
        QTest::keyClick(console->Text1, Qt::Key_Return);
    }
    QTest::keyClicks(console->Text1, "ena");
    QApplication::processEvents();
    EXPECT_GT(console->Text1->verticalScrollBar()->value(), 0);
    const QRect caret = console->Text1->cursorRect();
    EXPECT_TRUE(console->Text1->viewport()->rect().contains(caret.center()));
    EXPECT_EQ(console->Text1->textCursor().block().text(), "R1>ena");
}

TEST(ConsoleKeys, WindowKeysMapToConsoleKeys) {
    std::vector<vexlab::console::KeyEvent> keys;
    EXPECT_TRUE(vexlab::console::console_key(Qt::Key_Z, Qt::ControlModifier, "\x1a", keys));
    EXPECT_EQ(keys.back().char_code, 26);
    EXPECT_TRUE(vexlab::console::console_key(Qt::Key_AsciiCircum,
                                             Qt::ControlModifier | Qt::ShiftModifier, "", keys));
    EXPECT_EQ(keys.back().char_code, 30);
    EXPECT_TRUE(vexlab::console::console_key(Qt::Key_Up, Qt::NoModifier, "", keys));
    EXPECT_EQ(keys.back().key_code, 38);
    keys.clear();
    EXPECT_TRUE(vexlab::console::console_key(Qt::Key_ParenLeft, Qt::ShiftModifier, "(", keys));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].char_code, '(');
    EXPECT_NE(keys[0].key_code, 40);  // not the Down arrow
    EXPECT_FALSE(vexlab::console::console_key(Qt::Key_Tab, Qt::NoModifier, "\t", keys));
}

}  // namespace

namespace {

TEST_F(ConsoleWindowTest, NetworkDiagramPicksADeviceAndGivesTheConsoleBack) {
    auto* main = program->main_window();
    main->mnuNetSim->trigger();
    frmRoutSim* console = main->routsim();
    QTest::keyClick(console->Text1, Qt::Key_Return);
    ASSERT_TRUE(console->Command3->isEnabled());
    console->Command3->click();
    auto* diagram = console->netdgm();
    ASSERT_NE(diagram, nullptr);
    EXPECT_TRUE(diagram->isVisible());
    EXPECT_FALSE(console->isEnabled());
    EXPECT_EQ(diagram->windowTitle(), "Form1");
    EXPECT_EQ(diagram->Combo1->currentText(), "R1");
    EXPECT_EQ(diagram->List1->item(0)->text(), "R1");
    EXPECT_EQ(diagram->List1->item(1)->text(), "E0_ipaddress:Unassigned");
    EXPECT_TRUE(diagram->txtNetDesc->toPlainText().startsWith("The default lab consists"));
    diagram->Combo1_DropDown();
    QStringList hosts;
    for (int i = 0; i < diagram->Combo1->count(); ++i) hosts << diagram->Combo1->itemText(i);
    EXPECT_EQ(hosts, (QStringList{"R1", "R2", "R3", "2950", "PC"}));
    diagram->Combo1->setEditText("R3");
    diagram->Combo1_Click();
    EXPECT_EQ(diagram->List1->item(0)->text(), "R3");
    diagram->Command1->click();  // Select && Exit
    EXPECT_FALSE(diagram->isVisible());
    EXPECT_TRUE(console->isEnabled());
    EXPECT_EQ(program->state().console.device.current_device, "R3");
    EXPECT_TRUE(console->Text1->toPlainText().endsWith("R3>\n") ||
                console->Text1->toPlainText().endsWith("R3>"));

    console->Command1->click();  // Supported Commands
    ASSERT_NE(console->supported(), nullptr);
    EXPECT_FALSE(console->isEnabled());
    EXPECT_EQ(console->supported()->windowTitle(), "Supported Commands");
    console->supported()->Command1->click();
    EXPECT_TRUE(console->isEnabled());
    console->close();
}

}  // namespace

namespace {

// The console unloads while the database is still open, then the main
// window closes the session; nothing escapes the close.
TEST_F(ConsoleWindowTest, ClosingTheMainWindowUnloadsTheConsoleFirst) {
    auto* main = program->main_window();
    main->mnuRoutSim->trigger();
    ASSERT_TRUE(main->routsim()->isVisible());
    auto& state = program->state();
    state.session.execute("INSERT INTO access_list (accesslist_num) VALUES (5)");
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(main->routsim()->isVisible());
    EXPECT_FALSE(state.session.is_open());
    // The console's unload (which empties the default network's access
    // lists) ran on the open session.
    vexlab::db::DatabaseSession check;
    check.open(folder.file("commandsbackup.mdb"));
    EXPECT_EQ(check.scalar("SELECT count(*) FROM access_list").to_int(), 0);
}

}  // namespace

namespace {

// The labs button shows a picture made for it, whole at the button's icon
// size, and its tool tip shows also while the example labs it opened are
// the active window beside the console.
TEST_F(ConsoleWindowTest, TheLabsButtonShowsItsPictureAndItsTip) {
    std::filesystem::copy_file(std::filesystem::path(VEXLAB_PROGRAM_DIR) / "labs.ico",
                               folder.path() / "labs.ico");
    auto* main = program->main_window();
    main->mnuNetSim->trigger();
    frmRoutSim* console = main->routsim();
    QPushButton* labs = console->Command6;
    ASSERT_FALSE(labs->icon().isNull());
    EXPECT_EQ(labs->icon().actualSize(labs->iconSize()), labs->iconSize());

    auto tip_on_hover = [](QWidget* control) {
        QToolTip::hideText();
        QTest::mouseMove(control->window(), QPoint(1, 1));
        QTest::mouseMove(control, control->rect().center());
        return QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000) ? QToolTip::text()
                                                                           : QString();
    };
    console->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(console));
    EXPECT_EQ(tip_on_hover(labs), "View Existing Labs.");
    labs->click();
    QWidget* browser = main->labs_window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
    EXPECT_EQ(tip_on_hover(labs), "View Existing Labs.");
    QToolTip::hideText();
    console->close();
}

}  // namespace
