// The console engine below the transcripts: the order of the keys it sends
// itself, a locked key refused once, the pager, double clicks, determinism
// and the history of a new session.

#include "console/console_engine.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "networkfiles/network_loader.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace {

using vexlab::console::ConsoleEngine;
namespace keys = vexlab::console::keys;

class ConsoleEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        app.program_folder = folder.path().string();
        app.session.open(folder.file("commandsbackup.mdb"));
        app.open_mode.start_as_router = true;
        engine.form_load();
        engine.press(keys::enter);
    }
    // The session as text: after the start text, CR LF shown as new lines.
    std::string session() const {
        std::string text = engine.text();
        const std::string prefix = vexlab::console::start_text() + "\r\n";
        if (text.rfind(prefix, 0) == 0) text = text.substr(prefix.size());
        std::string out;
        for (char c : text)
            if (c != '\r') out += c;
        return out;
    }
    std::string caret_line() const {
        const std::string& text = engine.text();
        auto start = text.rfind('\n', engine.control().caret() ? engine.control().caret() - 1 : 0);
        start = start == std::string::npos ? 0 : start + 1;
        auto end = text.find("\r\n", start);
        return text.substr(start, end - start);
    }
    void line(const std::string& typed) {
        engine.type(typed);
        engine.press(keys::enter);
    }
    // Puts long output where a show command leaves it, and answers an
    // empty line with it.
    void long_output(int count) {
        std::string out;
        for (int i = 1; i <= count; ++i) out += "line " + std::to_string(i) + "\r\n";
        out.resize(out.size() - 2);
        app.console.output.pending_output = out;
        app.console.output.output_needs_paging = true;
        engine.press(keys::enter);
    }

    vexlab::test::TempDir folder;
    vexlab::state::AppState app;
    vexlab::platform::ScriptedDialogs dialogs;
    ConsoleEngine engine{app, dialogs};
};

TEST_F(ConsoleEngineTest, AfterEveryAnswerTheCaretEndsThePromptLine) {
    EXPECT_EQ(session(), "R1>\n");
    EXPECT_EQ(caret_line(), "R1>");
    line("enable");
    EXPECT_EQ(session(), "R1>enable\nR1#\n");
    EXPECT_EQ(caret_line(), "R1#");
    EXPECT_EQ(engine.control().caret(), engine.text().size() - 2);  // before the last CR LF
}

TEST_F(ConsoleEngineTest, KeysTheConsoleSendsItselfArriveAfterTheKeyInOrder) {
    // Right sends Up and End: the Up is swallowed, the caret comes back.
    engine.type("en");
    engine.press(keys::right);
    EXPECT_EQ(caret_line(), "R1>en");
    EXPECT_EQ(engine.control().caret(), engine.text().size() - 2);
    engine.press(keys::left);
    EXPECT_EQ(engine.control().caret(), engine.text().size() - 2);
}

TEST_F(ConsoleEngineTest, ALockedKeyIsRefusedOnlyOnce) {
    engine.press(keys::backspace);  // at the bare prompt: refused
    engine.press(keys::del);        // Delete: always refused
    engine.type("x");
    EXPECT_EQ(caret_line(), "R1>x");
    engine.press(keys::backspace);  // now allowed
    EXPECT_EQ(caret_line(), "R1>");
}

TEST_F(ConsoleEngineTest, ADoubleClickNeverTakesTheLineEnd) {
    engine.type("ena");
    const std::string before = engine.text();
    engine.double_click();
    EXPECT_EQ(engine.text(), before);
    engine.type("ble");
    engine.press(keys::enter);
    EXPECT_EQ(session(), "R1>enable\nR1#\n");
}

TEST_F(ConsoleEngineTest, PagerShowsTwentyLinesThenLinePageAndEnd) {
    long_output(45);
    std::string s = session();
    EXPECT_NE(s.find("line 20\n--MORE--\n"), std::string::npos) << s;
    EXPECT_EQ(s.find("line 21"), std::string::npos);
    engine.press(keys::enter);  // one more line
    s = session();
    EXPECT_NE(s.find("line 20\nline 21\n--MORE--"), std::string::npos) << s;
    engine.press(keys::character(' '));  // the next twenty
    s = session();
    EXPECT_NE(s.find("line 41\n--MORE--"), std::string::npos) << s;
    EXPECT_EQ(s.find("line 42"), std::string::npos);
    engine.press(keys::character(' '));  // the rest and the prompt
    s = session();
    EXPECT_NE(s.find("line 45\nR1>"), std::string::npos) << s;
    EXPECT_EQ(s.find("--MORE--"), std::string::npos);
    EXPECT_FALSE(app.console.output.paging_active);
    EXPECT_EQ(caret_line(), "R1>");
}

TEST_F(ConsoleEngineTest, PagerEdges) {
    long_output(20);  // exactly twenty lines: written at once
    EXPECT_NE(session().find("line 20\nR1>"), std::string::npos);
    EXPECT_FALSE(app.console.output.paging_active);

    long_output(21);
    engine.press(keys::enter);  // line 21 and the prompt
    EXPECT_NE(session().rfind("line 21\nR1>"), std::string::npos) << session();
    EXPECT_FALSE(app.console.output.paging_active);

    long_output(30);
    engine.press(keys::character('q'));  // any other key ends the listing
    std::string s = session();
    EXPECT_EQ(s.substr(s.size() - 4), "\nR1>") << s;
    EXPECT_EQ(caret_line(), "R1>");
    EXPECT_EQ(s.find("q"), std::string::npos);
    EXPECT_EQ(s.rfind("--MORE--"), std::string::npos);
    EXPECT_FALSE(app.console.output.paging_active);

    long_output(40);
    engine.press(keys::up);  // an arrow ends it too
    EXPECT_FALSE(app.console.output.paging_active);
    line("enable");
    EXPECT_NE(session().rfind("R1>enable\nR1#"), std::string::npos) << session();
}

TEST_F(ConsoleEngineTest, TheSameKeysGiveTheSameTranscript) {
    auto run = [](vexlab::state::AppState& state, const std::string& db) {
        state.session.open(db);
        state.open_mode.start_as_router = true;
        vexlab::platform::ScriptedDialogs d;
        ConsoleEngine e(state, d);
        e.form_load(ConsoleEngine::Clock::time_point{});
        for (const char* l : {"", "en", "conf t", "int s 0", "ip add 10.0.0.1 255.0.0.0", "exit",
                              "hostname X", "bogus", "end"}) {
            e.type(l);
            e.press(keys::enter);
        }
        e.press(keys::up);
        e.press(keys::up);
        e.press(keys::enter);
        return e.text();
    };
    vexlab::test::TempDir a, b;
    vexlab::test::fresh_database(a.file("db"));
    vexlab::test::fresh_database(b.file("db"));
    vexlab::state::AppState first, second;
    EXPECT_EQ(run(first, a.file("db")), run(second, b.file("db")));
}

TEST_F(ConsoleEngineTest, ANewSessionCutsTheHistoryBack) {
    line("enable");
    line("show");
    line("logout");
    engine.press(keys::enter);  // a new session
    line("enable");
    const auto& history = app.console.command_history;
    ASSERT_EQ(history.size(), 4u);  // entry 0 unused, then enable, show, enable
    engine.form_load();             // the console opened again
    engine.press(keys::enter);
    line("disable");
    EXPECT_EQ(app.console.command_history.size(), 2u);
    EXPECT_EQ(app.console.command_history[1], "disable");
}

// The router and switch simulators have no home device until a telnet
// session leaves one: the home of a network simulator opened before them
// is not theirs, and Ctrl+^ x there changes nothing.
TEST_F(ConsoleEngineTest, ASimulatorOpenedAfterTheNetworkSimulatorHasNoHomeToEscapeTo) {
    const struct {
        bool router;
        const char* prompt;
    } cases[] = {{true, "R1>"}, {false, "2950>"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        app.open_mode.start_as_router = app.open_mode.start_as_switch = false;
        engine.form_load();
        engine.press(keys::enter);
        ASSERT_EQ(app.console.device.home_device, "R1");
        engine.form_unload();
        app.open_mode.start_as_router = c.router;
        app.open_mode.start_as_switch = !c.router;
        engine.form_load();
        engine.press(keys::enter);
        engine.press(keys::ctrl_caret);
        engine.press(keys::character('x'));
        EXPECT_EQ(caret_line(), c.prompt);
        EXPECT_EQ(app.console.mode.mode_suffix, vexlab::state::CommandMode::User);
    }
}

// Whatever key meets the failure, the console reports it (the reason, never
// the statement) and goes on at a new prompt.
TEST_F(ConsoleEngineTest, AFailingStatementIsReportedAndTheConsoleGoesOn) {
    app.session.execute("DROP TABLE tblsublabcmds1");
    line("show clock");
    EXPECT_NE(session().find("% Command failed: no such table: tblsublabcmds1"), std::string::npos)
        << session();
    EXPECT_EQ(caret_line(), "R1>");

    engine.type("show ");
    EXPECT_NO_THROW(engine.press(keys::character('?')));
    EXPECT_EQ(caret_line(), "R1>");
    engine.type("sh ?");
    EXPECT_EQ(caret_line(), "R1>");
    EXPECT_EQ(session().find("SELECT"), std::string::npos) << session();

    app.session.execute("DROP TABLE tblsublabcmds");
    EXPECT_NO_THROW(engine.press(keys::character('?')));  // the list of the mode
    EXPECT_EQ(caret_line(), "R1>");
    line("enable");
    EXPECT_EQ(caret_line(), "R1>");
}

// The network simulator, with R1's enable password "one".
class NetworkConsoleTest : public ConsoleEngineTest {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        app.program_folder = folder.path().string();
        app.session.open(folder.file("commandsbackup.mdb"));
        engine.form_load();
        ASSERT_TRUE(vexlab::state::write_setting(app, "enable_password", "R1", "one"));
        engine.press(keys::enter);
    }
    static std::string network(const std::string& name) {
        return std::string(VEXLAB_TRANSCRIPTS_DIR) + "/networks/" + name;
    }
    bool session_ends_with(const std::string& end) const {
        const std::string text = session();
        return text.size() >= end.size() &&
               text.compare(text.size() - end.size(), end.size(), end) == 0;
    }
};

// Ctrl+^ x after a load comes back to the loaded network's start device,
// and what the console kept of the old home device's password is not put
// on it: after the console's own load, and after one the labs window makes
// past the console, whose start device bears the old home device's name.
TEST_F(NetworkConsoleTest, ALoadedNetworksStartDeviceIsHome) {
    const struct {
        const char* file;
        bool by_the_console;
        const char* start;
    } cases[] = {
        {"branches-ab.exp", true, "RA"},
        {"two-lans.exp", false, "R1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        engine.form_load();
        ASSERT_TRUE(vexlab::state::write_setting(app, "enable_password", "R1", "one"));
        engine.press(keys::enter);
        engine.switch_device("R2", "R2");  // leaves R1, whose password is kept for the way back
        if (c.by_the_console) {
            ASSERT_TRUE(engine.load_network_file(network(c.file),
                                                 vexlab::state::NetworkLoad::ExportedFile));
        } else {
            vexlab::networkfiles::load_network(app, network(c.file),
                                               vexlab::state::NetworkLoad::LabNetwork);
            engine.network_loaded();
        }
        EXPECT_EQ(app.console.device.home_device, c.start);
        engine.press(keys::enter);  // the new session starts
        engine.press(keys::ctrl_caret);
        engine.press(keys::character('x'));
        const std::string start = c.start;
        EXPECT_EQ(caret_line(), start + "#");
        line("disable");
        line("enable");
        EXPECT_TRUE(session_ends_with(start + "#disable\n" + start + ">enable\n" + start + "#\n"))
            << session();
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

// A refused file: the box says why, after the window's end of the load, and
// the network stays.
TEST_F(NetworkConsoleTest, ARefusedFileLeavesTheNetworkAndSaysWhy) {
    const std::string path = folder.file("not-a-network.exp");
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("no network here\n", file);
    std::fclose(file);
    std::size_t shown_at_end = 99;
    EXPECT_FALSE(engine.load_network_file(path, vexlab::state::NetworkLoad::ExportedFile, {},
                                          [&] { shown_at_end = dialogs.shown().size(); }));
    EXPECT_EQ(shown_at_end, 0u);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Vexlab");
    EXPECT_EQ(dialogs.shown()[0].text.rfind("The network file could not be loaded.\n" + path, 0),
              0u)
        << dialogs.shown()[0].text;
    EXPECT_TRUE(app.table_set.is_default());
    EXPECT_EQ(app.console.device.current_device, "R1");
    EXPECT_EQ(app.console.device.home_device, "R1");
}

}  // namespace
