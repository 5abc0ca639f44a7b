// The shipped lab exercises and the compiler of their text form.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "console/console_engine.h"
#include "example_network.h"
#include "interpreter/interpreter.h"
#include "labs/lab_run.h"
#include "labs/lab_tables.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/lab_source.h"
#include "state/settings.h"
#include "support/lab_fixture.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using vexlab::state::compile_lab_sources;
using vexlab::state::TableTextError;

// ---------------------------------------------------------------------------
// The exercises against the simulator console.  The lab console prints
// whatever its sublab says, so only this replay keeps the exercises teaching
// the console the program simulates: every expected command is typed into
// the simulator's console on a device of the same model, in the mode the
// sublab has reached, and must be accepted there, lead to the prompt the
// sublab names and, where the simulator's answer is always the same text,
// give the response the sublab shows.

// The exercises' devices on one network, cabled much as their pictures draw
// them.
std::string lab_devices_network() {
    std::string text;
    int x = 40;
    for (const auto& device : vexlab::state::lab_devices()) {
        text += "device " + std::string(device.name) + " " + std::string(device.model) + " " +
                std::to_string(x) + " 120\n";
        x += 70;
    }
    return text +
           "link R1 Serial0 R2 Serial0\n"
           "link R2 Serial1 R3 Serial0\n"
           "link R1 Ethernet0 S2 FastEthernet0/12\n"
           "link S2 FastEthernet0/1 S1 FastEthernet0/26\n"
           "link S2 FastEthernet0/2 WS11 Ethernet0\n"
           "link S2 FastEthernet0/3 WS12 Ethernet0\n"
           "link R3 Ethernet0 S3 Ethernet0/1\n";
}

// Listings and probes answer with what the network holds, which is the
// sublab's own network and not this one's: their responses are not compared.
bool computed_answer(const std::string& handler) {
    static const std::set<std::string> computed = {"build_show_output", "ping", "traceroute",
                                                   "telnet", "resume_telnet_session"};
    return computed.count(handler) > 0;
}

// Empty lines alone are no answer: the simulator writes one where a
// sub-mode begins.
std::vector<std::string> answer(std::vector<std::string> lines) {
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }))
        lines.clear();
    return lines;
}

std::string quoted(const std::vector<std::string>& lines) {
    if (lines.empty()) return "nothing";
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "\"" : " / \"") + line + "\"";
    return text;
}

class SimulatorReplay {
public:
    explicit SimulatorReplay(const std::string& network_file) : engine_(app_, dialogs_) {
        const std::string database = dir_.file("commandsbackup.mdb");
        vexlab::test::fresh_database(database);
        app_.program_folder = dir_.path().string();
        app_.session.open(database);
        fs::copy_file(vexlab::test::resources_dir() + "/showcommands.txt",
                      dir_.file("showcommands.txt"));
        const std::time_t now = 1773137100;  // the clock stands still
        app_.clock = [now] { return now; };
        app_.open_mode.start_as_router = false;
        engine_.form_load(vexlab::console::ConsoleEngine::Clock::from_time_t(now));
        vexlab::networkfiles::load_network(app_, network_file,
                                           vexlab::state::NetworkLoad::ExportedFile);
        engine_.press(vexlab::console::keys::enter);
    }

    // What the sublab asks of the console that it does not do, each with its
    // file and line.
    std::vector<std::string> replay(const vexlab::state::LabSublab& sublab);

private:
    std::string suffix() const {
        return std::string(vexlab::state::prompt_suffix(app_.console.mode.mode_suffix));
    }
    std::string prompt() const { return app_.console.device.host_name + suffix(); }
    // The device picker of the console's network diagram.
    bool choose(const std::string& device) {
        const auto host = vexlab::state::read_setting(app_, "HostName", device);
        if (!host) return false;
        engine_.switch_device(*host, device);
        return app_.console.device.current_device == device;
    }
    // After a failure the console goes on from the mode the sublab reached,
    // so that every later fault is found too.
    void follow(const std::string& suffix) {
        app_.console.mode.mode_suffix = vexlab::test::mode(suffix);
        engine_.text_control().append("\r\n" + prompt());
    }
    bool waits_for_password() const {
        const auto& password = app_.console.password;
        return password.enable_password_entry || password.login_password_entry ||
               password.vty_password_requested;
    }

    vexlab::test::TempDir dir_;
    vexlab::state::AppState app_;
    vexlab::platform::ScriptedDialogs dialogs_;
    vexlab::console::ConsoleEngine engine_;
};

std::vector<std::string> SimulatorReplay::replay(const vexlab::state::LabSublab& sublab) {
    namespace keys = vexlab::console::keys;
    std::vector<std::string> failures;
    auto fail = [&](int line, const std::string& why) {
        failures.push_back(sublab.source + ":" + std::to_string(line) + ": " + why);
    };
    std::string device;
    for (const auto& step : sublab.steps) {
        // The lab console hands a newly chosen device the prompt of the
        // step; the simulator's picker starts it at its first prompt.
        bool chosen = false;
        if (step.device != device) {
            device = step.device;
            if (!choose(device)) {
                fail(step.line, "the simulator has no device " + device + " to choose");
                return failures;
            }
            chosen = true;
        }
        for (const auto& command : step.commands) {
            if (command.comprompt.empty()) {
                // The menu of a 1900 switch belongs to the lab console; the
                // simulator's console opens on the command line.
                if (!vexlab::labs::is_menu_switch(device))
                    fail(command.line, "typed at the menu, which " + device + " does not have");
                else if (command.resprompt != suffix())
                    fail(command.line, "the menu leads to \"" + command.resprompt +
                                           "\", but the simulator opens " + device + " at \"" +
                                           suffix() + "\"");
                continue;
            }
            if (command.comprompt != suffix()) {
                fail(command.line,
                     chosen ? "typed at \"" + command.comprompt + "\", but the simulator shows " +
                                  device + " at \"" + suffix() + "\" when it is chosen"
                            : "typed at \"" + command.comprompt + "\", but the simulator is at \"" +
                                  suffix() + "\" here");
                follow(command.comprompt);
            }
            chosen = false;

            const std::string line = vexlab::interpreter::normalise_command_line(command.command);
            const auto matched = vexlab::interpreter::match_line(app_, line);
            const bool computed =
                matched.completion && computed_answer(matched.completion->row.handler);
            engine_.type(command.command);
            // The line break of the last Enter stays after the caret.
            const std::string before = engine_.text().substr(0, engine_.control().caret());
            engine_.press(keys::enter);
            for (int page = 0; app_.console.output.paging_active && page < 100; ++page)
                engine_.press(keys::character(' '));
            const std::string& after = engine_.text();
            if (waits_for_password()) {
                fail(command.line,
                     "\"" + command.command + "\": the simulator asks for a password here");
                return failures;
            }
            // The command's line, what it printed and the new prompt; the
            // line break of the Enter may follow, below the caret.
            std::vector<std::string> lines;
            if (after.compare(0, before.size(), before) == 0)
                lines = vexlab::text::split(after.substr(before.size()), "\r\n");
            if (lines.size() > 2 && lines.back().empty()) lines.pop_back();
            if (lines.size() < 2 || lines.back() != prompt()) {
                fail(command.line, "\"" + command.command + "\": the simulator does not come " +
                                       "back to a prompt");
                return failures;
            }
            const std::vector<std::string> printed(lines.begin() + 1, lines.end() - 1);
            const bool refused = !engine_.last_line().succeeded() ||
                                 (!printed.empty() && printed[0].rfind("% Command failed", 0) == 0);
            if (refused) {
                fail(command.line, "\"" + command.command + "\" is refused: " + quoted(printed));
            } else if (!computed && answer(printed) != answer(command.response)) {
                fail(command.line, "\"" + command.command + "\": the simulator answers " +
                                       quoted(answer(printed)) + ", the sublab shows " +
                                       quoted(answer(command.response)));
            }
            if (suffix() != command.resprompt) {
                if (!refused)
                    fail(command.line, "\"" + command.command + "\" leads to \"" + suffix() +
                                           "\", the sublab names \"" + command.resprompt + "\"");
                follow(command.resprompt);
            }
        }
    }
    return failures;
}

std::vector<vexlab::state::LabSource> shipped_lab_sources() {
    const fs::path resources(vexlab::test::resources_dir());
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(resources))
        if (entry.is_regular_file() && entry.path().extension() == ".lab")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<vexlab::state::LabSource> sources;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        sources.push_back({fs::relative(file, resources).string(), text.str()});
    }
    return sources;
}

TEST(ShippedLabs, TheSimulatorConsoleTakesEveryExpectedCommandAsTheSublabShowsIt) {
    const auto sublabs = vexlab::state::read_lab_sources(shipped_lab_sources());
    ASSERT_FALSE(sublabs.empty());

    vexlab::test::TempDir dir;
    const std::string network = dir.file("lab-devices.exp");
    {
        vexlab::db::DatabaseSession scratch;
        vexlab::test::fresh_database(dir.file("scratch.mdb"));
        scratch.open(dir.file("scratch.mdb"));
        std::ofstream(network, std::ios::binary) << vexlab::examples::export_text(
            scratch, vexlab::examples::parse_example(lab_devices_network(), "lab devices"));
    }
    std::vector<std::string> failures;
    for (const auto& sublab : sublabs) {
        SimulatorReplay simulator(network);
        for (auto& failure : simulator.replay(sublab)) failures.push_back(std::move(failure));
    }
    std::string list;
    for (const auto& failure : failures) list += "\n  " + failure;
    EXPECT_TRUE(failures.empty()) << failures.size() << " expected commands the simulator does "
                                  << "not take as their sublab shows them:" << list;
}

TEST(ShippedLabs, EverySublabCanBeCompletedByTypingItsExpectedCommands) {
    vexlab::test::LabFixture lab;
    auto names = lab.app.session.open_recordset("SELECT sublabnane FROM sublab ORDER BY \"index\"");
    int replayed = 0;
    for (; !names.eof(); names.move_next(), ++replayed) {
        const std::string name = names.text(0);
        EXPECT_EQ(vexlab::test::replay_sublab(lab, name), "") << name;
    }
    EXPECT_GT(replayed, 0);
}

TEST(ShippedLabs, SixLabsOrMoreOfTwoToFourSublabsEach) {
    vexlab::test::LabFixture lab;
    auto rows = lab.app.session.open_recordset(
        "SELECT labs.\"index\", count(sublab.\"index\") FROM labs LEFT JOIN sublab "
        "ON sublab.ref = labs.\"index\" GROUP BY labs.\"index\"");
    int labs = 0;
    for (; !rows.eof(); rows.move_next(), ++labs) {
        const auto count = rows.field(1).to_int();
        EXPECT_GE(count, 2) << "lab " << rows.text(0);
        EXPECT_LE(count, 4) << "lab " << rows.text(0);
    }
    EXPECT_GE(labs, 6);
    // Every sublab has a flash card, and its picture names a file of its own folder.
    auto sublabs =
        lab.app.session.open_recordset("SELECT sublabnane, flashcard, networkpath FROM sublab");
    for (; !sublabs.eof(); sublabs.move_next()) {
        EXPECT_NE(sublabs.text(1), "nill") << sublabs.text(0);
        EXPECT_EQ(sublabs.text(2).rfind("labdiagrams/", 0), 0u) << sublabs.text(0);
    }
}

TEST(LabSource, RowsAreNumberedInOrderWithMarkersForWhatIsLeftOut) {
    const auto blocks = compile_lab_sources({{"a.lab", R"(lab 2 | Routing
sublab First
description Line one
description Line two
step R1 | Enter privileged mode.
    > | enable | #
    = first line
    =
    =   third line
step R1 | Configure.
    # | configure terminal | (config)#
sublab Menu
picture labdiagrams/x.gif
card title T
card Text
step S1 | Choose k.
     | k | >
)"}});
    ASSERT_EQ(blocks.size(), 4u);
    const auto& labs = blocks[0];
    ASSERT_EQ(labs.rows.size(), 1u);
    EXPECT_EQ(*labs.rows[0][0], "2");
    EXPECT_EQ(*labs.rows[0][1], "Routing");

    const auto& sublab = blocks[1];  // index, name, picture, description, card, card title, ref
    ASSERT_EQ(sublab.rows.size(), 2u);
    EXPECT_EQ(*sublab.rows[0][0], "1");
    EXPECT_EQ(*sublab.rows[0][2], "nill");
    EXPECT_EQ(*sublab.rows[0][3], "Line one\r\nLine two");
    EXPECT_EQ(*sublab.rows[0][4], "nill");
    EXPECT_EQ(*sublab.rows[0][5], "nill");
    EXPECT_EQ(*sublab.rows[0][6], "2");
    EXPECT_EQ(*sublab.rows[1][2], "labdiagrams/x.gif");
    EXPECT_EQ(*sublab.rows[1][3], "nill");
    EXPECT_EQ(*sublab.rows[1][5], "T");

    const auto& steps = blocks[2];  // index, instruction, ref, flashcard, spare, device
    ASSERT_EQ(steps.rows.size(), 3u);
    EXPECT_EQ(*steps.rows[2][0], "3");
    EXPECT_EQ(*steps.rows[2][2], "2");
    EXPECT_EQ(*steps.rows[2][5], "S1");

    const auto& commands =
        blocks[3];  // index, command, response, comprompt, resprompt, spare, ref1
    ASSERT_EQ(commands.rows.size(), 3u);
    EXPECT_EQ(*commands.rows[0][2], "first line\r\n\r\n  third line");
    EXPECT_EQ(*commands.rows[1][2], "nill");
    EXPECT_EQ(*commands.rows[1][6], "2");
    EXPECT_EQ(*commands.rows[2][3], "Null");
    EXPECT_EQ(*commands.rows[2][4], ">");
}

TEST(LabSource, RefusesWhatALearnerCouldNotComplete) {
    const std::string head = "lab 1 | L\nsublab S\n";
    struct Case {
        const char* what;
        std::string text;
        const char* error;
    } cases[] = {
        {"unknown keyword", head + "stepp R1 | x\n", "x.lab:3: unknown line"},
        {"lab number", "lab 11 | L\n", "x.lab:1: the lab number must be 1 to 10"},
        {"sublab before lab", "sublab S\n", "x.lab:1: a sublab belongs to a lab"},
        {"command before step", head + "    > | enable | #\n",
         "x.lab:3: a command belongs to a step"},
        {"unknown device", head + "step R9 | x\n", "x.lab:3: unknown device \"R9\""},
        {"unknown prompt", head + "step R1 | x\n    > | enable | #?\n",
         "x.lab:4: \"#?\" is not a prompt suffix"},
        {"two blanks", head + "step R1 | x\n    > | show  ip | >\n",
         "x.lab:4: write the command with one blank"},
        {"hostname without name", head + "step R1 | x\n    > | hostname | >\n",
         "x.lab:4: hostname needs the new name"},
        {"step without commands", head + "step R1 | x\nstep R1 | y\n    > | enable | #\n",
         "x.lab:3: the step has no commands"},
        {"sublab without steps", head, "x.lab:2: sublab \"S\" has no steps"},
        {"wrong prompt", head + "step R1 | x\n    > | enable | #\n    (config)# | end | #\n",
         "x.lab:5: typed at \"(config)#\", but R1 shows \"#\" here"},
        {"continuity across steps",
         head + "step R1 | x\n    > | enable | #\nstep R1 | y\n    > | enable | #\n",
         "x.lab:6: typed at \">\", but R1 shows \"#\""},
        {"one Enter completes two",
         head + "step R1 | x\n    > | enable | #\n    # | configure terminal | (config-if)#\n"
                "    (config-if)# | exit | (config)#\n    (config)# | EXIT | #\n",
         "x.lab:7: the command before it is the same"},
        {"menu switch starts at the empty prompt", head + "step S1 | x\n    > | enable | #\n",
         "x.lab:4: typed at \">\", but S1 shows \"\""},
        {"second device without picture",
         head + "step R1 | x\n    > | enable | #\nstep R2 | y\n    > | enable | #\n",
         "x.lab:5: the sublab moves to another device, so it needs a picture"},
        {"same sublab twice", head + "step R1 | x\n    > | enable | #\nsublab S\n",
         "x.lab:5: sublab \"S\" is already defined at x.lab:2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            compile_lab_sources({{"x.lab", c.text}});
            ADD_FAILURE() << "accepted";
        } catch (const TableTextError& error) {
            EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
        }
    }
}

TEST(LabSource, ADeviceChangeTakesThePromptOfTheNewStep) {
    EXPECT_NO_THROW(compile_lab_sources({{"x.lab", R"(lab 1 | L
sublab S
picture p.gif
step R1 | x
    > | enable | #
step R2 | y
    # | configure terminal | (config)#
step R1 | z
    (config)# | end | #
)"}}));
}

}  // namespace
