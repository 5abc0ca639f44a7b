// A lab run without its window: the load, the checking engine, the practice
// console, the device chooser, the countdown, the score and the answers.

#include "labs/lab_run.h"

#include <gtest/gtest.h>

#include "labs/lab_answers.h"
#include "labs/lab_diagram.h"
#include "support/lab_fixture.h"

namespace {

using vexlab::console::KeyEvent;
namespace keys = vexlab::console::keys;
using vexlab::labs::LabDeviceChooser;
using vexlab::test::LabFixture;

// Basics: four steps on R1 and R2, the third with two chained exits.
// Repeat: two commands at one prompt.  Menu: a first step on S1.  Gaps:
// steps without commands.  Nothing: no commands at all.
constexpr const char* kRows = R"(
table sublab
columns index | sublabnane | networkpath | description | flashcard | flashcardtitle | ref
1 | Basics  | net.gif | Two routers | Card text | Card title | 1
2 | Other   | nill    | nill        | nill      | nill       | 1
3 | Menu    | net.gif | Menu switch | nill      | nill       | 1
4 | Gaps    | nill    | Empty steps | nill      | nill       | 1
5 | Nothing | nill    | nill        | nill      | nill       | 1
6 | Repeat  | nill    | nill        | Text only | nill       | 1
table instructions
columns index | instruction | ref | device
1  | Enable      | 1 | R1
2  | Configure   | 1 | R1
3  | Leave       | 1 | R1
4  | On R2       | 1 | R2
10 | Other step  | 2 | R1
20 | Menu        | 3 | S1
21 | Enable S1   | 3 | S1
30 | Empty first | 4 | R1
31 | Has one     | 4 | R1
32 | Empty       | 4 | R1
33 | Empty too   | 4 | R1
34 | Last        | 4 | R1
35 | Nothing here | 5 | R1
40 | Enable      | 6 | R1
41 | Show twice  | 6 | R1
table comrestble
columns index | command | response | comprompt | resprompt | ref1
1  | enable               | nill                          | >            | #            | 1
2  | configure terminal   | Enter configuration commands. | #            | (config)#    | 2
3  | interface ethernet 0 | nill                          | (config)#    | (config-if)# | 2
4  | exit                 | nill                          | (config-if)# | (config)#    | 3
5  | exit                 | nill                          | (config)#    | #            | 3
6  | hostname Core        | nill                          | >            | >            | 4
10 | show version         | Version 1                     | >            | >            | 10
20 | k                    | nill                          | Null         | >            | 20
21 | enable               | nill                          | >            | #            | 21
30 | enable               | nill                          | >            | #            | 31
31 | disable              | nill                          | #            | >            | 34
40 | enable               | nill                          | >            | #            | 40
41 | show clock           | 09:30                         | #            | #            | 41
42 | show version         | Version 1\nLine 2             | #            | #            | 41
)";

class LabRunTest : public ::testing::Test {
public:
    LabFixture lab{kRows};
    vexlab::labs::LabPractice& practice = lab.practice;
    const std::vector<vexlab::platform::ScriptedDialogs::Shown>& shown() {
        return lab.dialogs.shown();
    }
    std::string& suffix() { return practice.run().prompt_suffix; }
    std::string& host() { return lab.app.console.device.host_name; }
};

TEST_F(LabRunTest, LoadFillsTheWindowAndWaitsForTheFirstEnter) {
    lab.start("Basics");
    const auto& view = practice.view();
    EXPECT_EQ(view.caption, "Basics");
    EXPECT_EQ(view.description, "Two routers");
    EXPECT_EQ(view.instruction_list,
              "1. Enable\r\n\r\n2. Configure\r\n\r\n3. Leave\r\n\r\n4. On R2\r\n");
    EXPECT_EQ(view.current_instruction, "    > Enable");
    EXPECT_EQ(view.time, "00:20:00");
    EXPECT_TRUE(view.show_network_enabled);
    EXPECT_TRUE(view.flash_card_enabled);
    EXPECT_EQ(lab.run().lab_devices, (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(lab.run().current_instruction, 1);
    EXPECT_EQ(lab.run().commands_left, 6);
    EXPECT_EQ(lab.text(), "press enter to begin");
    EXPECT_EQ(lab.prompt(), "R1>");
    EXPECT_TRUE(lab.run().lab_awaiting_start);

    practice.press(keys::enter);
    EXPECT_EQ(lab.text(), "press enter to begin\r\nR1>\r\n");
    EXPECT_EQ(lab.caret_line(), "R1>");
    EXPECT_EQ(practice.console().caret(), lab.text().size() - 2);
    EXPECT_FALSE(lab.run().lab_awaiting_start);
    EXPECT_TRUE(shown().empty());
}

TEST_F(LabRunTest, MissingPictureAndCardDisableTheirButtons) {
    lab.start("Other");
    EXPECT_FALSE(practice.view().show_network_enabled);
    EXPECT_FALSE(practice.view().flash_card_enabled);
    EXPECT_TRUE(practice.view().show_answer_enabled);
}

// The five things a line must agree on: sublab, text (any case), prompt,
// step and device.
TEST_F(LabRunTest, ALineMatchesOnlyTheCurrentStepsCommandAtItsPromptAndDevice) {
    struct Case {
        const char* what;
        std::function<void(LabRunTest&)> setup;
        const char* line;
        bool matched;
    } cases[] = {
        {"letter case", [](LabRunTest&) {}, "ENABLE", true},
        {"blanks", [](LabRunTest&) {}, "   enable   ", true},
        {"prompt", [](LabRunTest& t) { t.suffix() = "#"; }, "enable", false},
        {"device", [](LabRunTest& t) { t.lab.practice.run().selected_lab_device = "R2"; }, "enable",
         false},
        {"next step", [](LabRunTest&) {}, "configure terminal", false},
        {"other sublab", [](LabRunTest&) {}, "show version", false},
        {"prefix", [](LabRunTest&) {}, "en", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        lab.start("Basics");
        practice.press(keys::enter);
        c.setup(*this);
        const std::string before_suffix = suffix();
        lab.enter_line(c.line);
        EXPECT_EQ(lab.run().lab_command_matched, c.matched);
        EXPECT_EQ(lab.run().commands_completed(), c.matched ? 1 : 0);
        EXPECT_EQ(suffix(), c.matched ? "#" : before_suffix);
        if (!c.matched) {
            EXPECT_NE(lab.text().find("command not found\r\n"), std::string::npos);
        }
    }
}

TEST_F(LabRunTest, OneExitCompletesTwoChainedExitsAndMovesOn) {
    lab.start("Basics");
    practice.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0"})
        lab.enter_line(line);
    EXPECT_EQ(lab.run().current_instruction, 3);
    lab.enter_line("exit");
    EXPECT_EQ(lab.run().commands_completed(), 5);
    EXPECT_EQ(suffix(), "#");
    EXPECT_EQ(lab.run().current_instruction, 4);
    EXPECT_EQ(lab.run().instructions_completed, 3);
    EXPECT_EQ(practice.view().current_instruction, "    > On R2");
    EXPECT_EQ(lab.run().instruction_device, "R2");
    // The advance leaves the console on R1.
    EXPECT_EQ(lab.run().selected_lab_device, "R1");
    EXPECT_EQ(lab.caret_line(), "R1#");
}

TEST_F(LabRunTest, ARepeatedCommandPrintsAgainButCountsOnce) {
    lab.start("Repeat");
    practice.press(keys::enter);
    lab.enter_line("enable");
    lab.enter_line("show clock");
    const int left = lab.run().commands_left;
    const auto slots = lab.run().instruction_completed_commands;
    lab.enter_line("show clock");
    EXPECT_TRUE(lab.run().lab_command_matched);
    EXPECT_EQ(lab.run().commands_left, left);
    EXPECT_EQ(lab.run().instruction_completed_commands, slots);
    EXPECT_EQ(lab.run().current_instruction, 2);
    EXPECT_NE(lab.text().find("R1#show clock\r\n09:30\r\nR1#show clock\r\n09:30\r\nR1#\r\n"),
              std::string::npos);
    lab.enter_line("show version");
    EXPECT_TRUE(lab.run().lab_done);
    EXPECT_EQ(lab.run().instructions_completed, 2);
}

TEST_F(LabRunTest, OnlyALowerCaseHostnameWithANameRenamesTheDevice) {
    lab.start("Basics");
    practice.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0", "exit"})
        lab.enter_line(line);
    lab.choose_device("R2");
    ASSERT_EQ(lab.prompt(), "R2>");
    practice.run().lab_command_line = "HOSTNAME Core";
    practice.check_lab_command();
    EXPECT_TRUE(lab.run().lab_command_matched);
    EXPECT_EQ(host(), "R2");
    practice.run().lab_command_line = "hostname Core";
    practice.check_lab_command();
    EXPECT_EQ(host(), "Core");
}

TEST_F(LabRunTest, StepsWithoutCommandsArePassedOverAndCountAsFinished) {
    lab.start("Gaps");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "No Commands under the first instruction");
    EXPECT_EQ(lab.run().current_instruction, 2);
    EXPECT_EQ(lab.run().instructions_completed, 1);
    EXPECT_EQ(practice.view().current_instruction, "    > Has one");

    practice.press(keys::enter);
    lab.enter_line("enable");
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown()[1].text, "No Commands under the next Instruction");
    EXPECT_EQ(shown()[2].text, "No Commands under the next Instruction");
    EXPECT_EQ(lab.run().current_instruction, 5);
    EXPECT_EQ(lab.run().instructions_completed, 4);
    lab.enter_line("disable");
    EXPECT_TRUE(lab.run().lab_done);
    EXPECT_EQ(lab.run().current_instruction, 5);
    EXPECT_EQ(vexlab::labs::score_text(lab.run(), practice.empty_lab()), "10");
}

TEST_F(LabRunTest, TheConsolePrintsResponsesPromptsAndTheEndText) {
    lab.start("Repeat");
    practice.press(keys::enter);
    lab.enter_line("nonsense");
    EXPECT_EQ(lab.text(), "press enter to begin\r\nR1>nonsense\r\ncommand not found\r\nR1>\r\n");
    lab.enter_line("enable");
    EXPECT_TRUE(lab.text().ends_with("R1>enable\r\nR1#\r\n"));
    lab.enter_line("show clock");
    lab.enter_line("show version");
    const std::string done =
        "R1#show version\r\nVersion 1\nLine 2\r\nR1#" + vexlab::labs::end_text();
    EXPECT_TRUE(lab.text().ends_with(done)) << lab.text();
    EXPECT_TRUE(practice.console().locked);
    EXPECT_FALSE(practice.view().time_visible);

    // The lock stops typing, not Enter: the end text comes again.
    const std::string before = lab.text();
    practice.type("x");
    EXPECT_EQ(lab.text(), before);
    practice.press(keys::enter);
    EXPECT_EQ(lab.text(), before + "\r\nR1#" + vexlab::labs::end_text());
}

TEST_F(LabRunTest, BackspaceNeverErasesThePrompt) {
    lab.start("Basics");
    practice.press(keys::enter);
    const std::string start = lab.text();
    practice.press(keys::backspace);
    EXPECT_EQ(lab.text(), start);
    practice.type("xé");
    practice.press(keys::backspace);
    practice.press(keys::backspace);
    EXPECT_EQ(lab.text(), start);
    practice.press(keys::backspace);
    EXPECT_EQ(lab.text(), start);
}

TEST_F(LabRunTest, ArrowsAndClicksLeaveTheCaretAtTheEndOfThePromptLine) {
    lab.start("Basics");
    practice.press(keys::enter);
    lab.enter_line("enable");
    practice.type("conf");
    const std::size_t end_of_line = lab.text().size() - 2;
    for (KeyEvent key : {keys::up, keys::down, keys::left, keys::right, keys::up, keys::up}) {
        practice.press(key);
        EXPECT_EQ(practice.console().caret(), end_of_line) << key.key_code;
    }
    practice.click();
    EXPECT_EQ(practice.console().caret(), end_of_line);
    practice.type("igure terminal");
    practice.press(keys::enter);
    EXPECT_TRUE(lab.run().lab_command_matched);
}

TEST_F(LabRunTest, TheMenuSwitchTakesOnlyItsSelection) {
    lab.start("Menu");
    EXPECT_EQ(lab.text(), vexlab::labs::switch_menu_text());
    EXPECT_EQ(suffix(), "");
    EXPECT_EQ(host(), "");
    EXPECT_EQ(lab.run().selected_lab_device, "S1");
    EXPECT_TRUE(lab.run().switch_menu_active);

    lab.enter_line("x");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Enter Command Line Interface");
    EXPECT_EQ(lab.text(), vexlab::labs::switch_menu_text());

    lab.enter_line("k");
    EXPECT_EQ(lab.text(), vexlab::labs::switch_menu_text() + "k\r\n>\r\n");
    EXPECT_EQ(lab.caret_line(), ">");
    EXPECT_FALSE(lab.run().switch_menu_active);
    lab.enter_line("enable");
    EXPECT_TRUE(lab.run().lab_done);
}

TEST_F(LabRunTest, NothingToPractiseGivesTheEmptyLabThatScoresZero) {
    for (const char* name : {"Nothing", "No such sublab"}) {
        SCOPED_TRACE(name);
        lab.dialogs.clear();
        lab.start(name);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, "no cmds to practise");
        EXPECT_EQ(lab.text(), "Instruction Yet to be added");
        EXPECT_FALSE(practice.console().enabled);
        EXPECT_FALSE(practice.view().show_network_enabled);
        EXPECT_FALSE(practice.view().show_answer_enabled);
        EXPECT_FALSE(practice.view().flash_card_enabled);
        EXPECT_TRUE(practice.view().instruction_list.empty());
        EXPECT_EQ(practice.view().caption, name);
        EXPECT_EQ(vexlab::labs::score_text(lab.run(), practice.empty_lab()), "0");
    }
}

TEST_F(LabRunTest, AnEarlierRunDoesNotLeakIntoAnEmptyLab) {
    lab.start("Repeat");
    practice.press(keys::enter);
    lab.enter_line("enable");
    lab.start("No such sublab");
    EXPECT_TRUE(practice.empty_lab());
    EXPECT_EQ(vexlab::labs::score_text(lab.run(), practice.empty_lab()), "0");
}

TEST(LabScore, FinishedStepsOverAllStepsCutToOneDecimal) {
    struct Case {
        int finished, steps;
        const char* shown;
    } cases[] = {{2, 3, "6.6"}, {1, 4, "2.5"}, {3, 3, "10"}, {0, 3, "0"}, {1, 12, "0.8"}};
    for (const auto& c : cases) {
        vexlab::labs::LabRun run;
        run.instruction_indexes.assign(static_cast<std::size_t>(c.steps), 1);
        run.instructions_completed = c.finished;
        EXPECT_EQ(vexlab::labs::score_text(run, false), c.shown) << c.finished << "/" << c.steps;
        EXPECT_EQ(run.instruction_count(), c.steps);  // the score changes nothing
    }
}

TEST_F(LabRunTest, TheCountdownRunsTwentyMinutesAndThenLocksTheConsoleOnce) {
    lab.start("Basics");
    practice.press(keys::enter);
    int messages_when_stopped = -1;
    practice.on_countdown_stopped = [&] {
        messages_when_stopped = static_cast<int>(shown().size());
    };
    lab.tick();
    EXPECT_EQ(practice.view().time, "00:19:59");
    lab.tick(1194);
    EXPECT_EQ(practice.view().time, "00:00:05");
    lab.tick(5);
    EXPECT_EQ(practice.view().time, "00:00:00");
    EXPECT_TRUE(shown().empty());
    lab.tick();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "your time up");
    EXPECT_EQ(messages_when_stopped, 0);  // stopped before the message
    EXPECT_TRUE(practice.time_up());
    lab.tick(10);
    EXPECT_EQ(shown().size(), 1u);

    // Typing is refused from now on; Enter still compares the prompt line.
    const std::string before = lab.text();
    practice.type("enable");
    EXPECT_EQ(lab.text(), before);
    practice.press(keys::enter);
    EXPECT_TRUE(lab.text().ends_with("command not found\r\nR1>"));
}

TEST_F(LabRunTest, ALateTimerEventShowsTheTimeThatHasReallyGone) {
    lab.start("Basics");
    lab.now += std::chrono::milliseconds(30400);
    practice.tick();
    EXPECT_EQ(practice.view().time, "00:19:30");
    lab.now += std::chrono::minutes(25);
    practice.tick();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "your time up");
}

TEST_F(LabRunTest, TheDeviceChooserMarksTheStepsDeviceAndRefusesOthers) {
    lab.start("Basics");
    practice.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0", "exit"})
        lab.enter_line(line);
    practice.show_network_chosen();
    LabDeviceChooser chooser(practice);
    EXPECT_EQ(chooser.entries(), (std::vector<std::string>{"R1", "*R2"}));
    EXPECT_EQ(chooser.picture_path(), lab.dir.file("net.gif"));

    // Nothing chosen: the window just closes.
    EXPECT_EQ(chooser.select_and_exit("devices"), LabDeviceChooser::Outcome::Close);
    chooser.choose("R1");
    EXPECT_EQ(chooser.select_and_exit("R1"), LabDeviceChooser::Outcome::StayOpen);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Select Device");
    EXPECT_EQ(shown()[0].text, "Please select appropriate device (denoted by *)");

    const std::string before = lab.text();
    chooser.choose("*R2");
    EXPECT_EQ(host(), "*R2");
    EXPECT_EQ(chooser.select_and_exit("*R2"), LabDeviceChooser::Outcome::Close);
    EXPECT_EQ(host(), "R2");
    EXPECT_EQ(lab.run().selected_lab_device, "R2");
    EXPECT_EQ(suffix(), ">");  // the prompt of the step's first command
    EXPECT_EQ(lab.text(), before.substr(0, before.size() - 2) + "\r\nR2>\r\n");
    EXPECT_EQ(lab.caret_line(), "R2>");
    lab.enter_line("hostname Core");
    EXPECT_TRUE(lab.run().lab_done);
}

// The step's prompt stays on offer until a device has been taken: a diagram
// closed without a choice does not lose it.
TEST_F(LabRunTest, ADiagramClosedWithoutAChoiceKeepsTheNewStepsPrompt) {
    lab.start("Basics");
    practice.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0", "exit"})
        lab.enter_line(line);
    ASSERT_EQ(suffix(), "#");
    practice.show_network_chosen();  // closed by its close box
    lab.choose_device("R2");
    EXPECT_EQ(lab.prompt(), "R2>");
    // Once taken, the next opening keeps the console's prompt for the same device.
    suffix() = ">";
    lab.choose_device("R2");
    EXPECT_EQ(lab.prompt(), "R2>");
}

TEST_F(LabRunTest, TheMenuSwitchChosenInTheDiagramShowsOnlyTheSuffix) {
    lab.start("Menu");
    lab.enter_line("k");
    practice.run().instruction_device = "S1";
    practice.run().instruction_prompt_offered = true;
    suffix() = "#";
    lab.choose_device("S1");
    EXPECT_EQ(host(), "");
    EXPECT_EQ(lab.caret_line(), "#");
}

TEST_F(LabRunTest, AnswersListTheStepsCommandsAsTheyAreTyped) {
    lab.start("Basics");
    practice.press(keys::enter);
    lab.enter_line("enable");
    const std::string rule49(49, '-'), rule61(61, '-');
    EXPECT_EQ(vexlab::labs::instruction_answer(lab.app.session, lab.run()),
              "Commands to execute this Instruction:\r\n" + rule49 +
                  "\r\nR1#configure terminal\r\nR1(config)#interface ethernet 0");
    EXPECT_EQ(vexlab::labs::full_answer(lab.app.session, "Basics"),
              "List of Commands corresponding to this Sublab:\r\n" + rule61 +
                  "\r\nR1>enable\r\nR1#configure terminal\r\nR1(config)#interface ethernet 0"
                  "\r\nR1(config-if)#exit\r\nR1(config)#exit\r\nR2>hostname Core");
    EXPECT_EQ(vexlab::labs::full_answer(lab.app.session, "Menu"),
              "List of Commands corresponding to this Sublab:\r\n" + rule61 + "\r\nk\r\n>enable");
    EXPECT_EQ(vexlab::labs::full_answer(lab.app.session, "Gone"),
              "List of Commands corresponding to this Sublab:\r\n" + rule61);

    lab.start("Nothing");
    EXPECT_EQ(vexlab::labs::instruction_answer(lab.app.session, vexlab::labs::LabRun{}),
              "Commands to execute this Instruction:\r\n" + rule49);
}

TEST_F(LabRunTest, TheFlashCardHasItsTitleOnlyWhenOneIsStored) {
    const auto card = vexlab::labs::flash_card(lab.app.session, "Basics");
    EXPECT_EQ(card.title, "Card title");
    EXPECT_EQ(card.combined(), "Card title\r\nCard text");
    const auto plain = vexlab::labs::flash_card(lab.app.session, "Repeat");
    EXPECT_FALSE(plain.has_title);
    EXPECT_EQ(plain.combined(), "Text only");
}

}  // namespace
