// The shipped lab exercises and the compiler of their text form.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>

#include "console/console_engine.h"
#include "example_network.h"
#include "lab_diagram_source.h"
#include "labs/lab_run.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/devices.h"
#include "state/lab_source.h"
#include "state/settings.h"
#include "support/lab_fixture.h"
#include "support/network_state.h"
#include "support/test_database.h"
#include "support/transcript.h"

namespace {

namespace fs = std::filesystem;
using vexlab::state::compile_lab_sources;
using vexlab::state::TableTextError;

// ---------------------------------------------------------------------------
// The exercises against the simulator console.  The lab console prints
// whatever its sublab says, so only this replay keeps the exercises teaching
// the console the program simulates.  The sublabs of each lab are typed in
// order into the simulator's console on the network the lab's picture draws
// (resources/labs/labdiagrams/<picture>.net), so a later sublab finds what the
// earlier ones configured.  Every expected command must be accepted there,
// lead to the prompt the sublab names and answer with the lines the sublab
// shows, times of day aside.

// The picture's description, under resources/: "labdiagrams/nat.gif" is
// described by labs/labdiagrams/nat.net.
std::string diagram_source(const std::string& picture) {
    return "labs/" + fs::path(picture).replace_extension(".net").generic_string();
}

// Empty lines alone are no answer: the simulator writes one where a
// sub-mode begins.
std::vector<std::string> answer(std::vector<std::string> lines) {
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }))
        lines.clear();
    return lines;
}

// The lines as the comparison reads them.  A time of day differs from one
// run to the next: "09:30:04" and "9:30:4" both read as "hh:mm:ss".  Blanks
// at the end of a line do not show, and the lab file cannot hold them.
std::vector<std::string> compared(std::vector<std::string> lines) {
    static const std::regex time_of_day(R"(\b\d{1,2}:\d{1,2}:\d{1,2}\b)");
    for (auto& line : lines) {
        line = std::regex_replace(line, time_of_day, "hh:mm:ss");
        line.erase(line.find_last_not_of(' ') + 1);
    }
    return answer(lines);
}

// Lines as the lab file writes a response, so that a changed listing is
// copied into the sublab as it stands (the file keeps no blanks at the end of
// a line).
std::string as_response(const std::vector<std::string>& lines) {
    if (lines.empty()) return "\n        (nothing)";
    std::string text;
    for (const auto& line : lines) {
        const std::string shown = line.substr(0, line.find_last_not_of(' ') + 1);
        text += "\n        =" + (shown.empty() ? "" : " " + shown);
    }
    return text;
}

// The interface command for an interface's name: "Serial0" is
// "interface serial 0", "FastEthernet0/1" "interface fastethernet 0/1".
std::string interface_command(const std::string& name) {
    const auto digit = name.find_first_of("0123456789");
    return "interface " + vexlab::text::lower(name.substr(0, digit)) + " " + name.substr(digit);
}

class SimulatorReplay {
public:
    explicit SimulatorReplay(const std::string& network_file) : engine_(app_, dialogs_) {
        // The clock stands still, as in the transcripts.
        const std::time_t now = vexlab::test::transcript_start();
        vexlab::test::open_fresh_program(app_, dir_, now);
        app_.open_mode.start_as_router = false;
        engine_.form_load(vexlab::console::ConsoleEngine::Clock::from_time_t(now));
        vexlab::networkfiles::load_network(app_, network_file,
                                           vexlab::state::NetworkLoad::ExportedFile);
        engine_.press(vexlab::console::keys::enter);
    }

    // The diagram draws every addressed interface of a router at work: each
    // is brought up.  Answers what the console refused.
    std::vector<std::string> bring_up(const vexlab::examples::ExampleNetwork& network);

    // Types the sublab's expected commands where the lab console asks for
    // them; adds what the console does otherwise to `failures`, each with
    // its file and line, and goes on to the end of the sublab.
    void replay(const vexlab::state::LabSublab& sublab, std::vector<std::string>& failures);

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
    bool waits_for_password() const {
        const auto& password = app_.console.password;
        return password.enable_password_entry || password.login_password_entry ||
               password.vty_password_requested;
    }
    // Types a line and presses Enter, and the space bar while the answer
    // pages.  Answers what the console printed below the line, without the
    // new prompt; nothing when it did not come back to a prompt.
    std::optional<std::vector<std::string>> type_line(const std::string& line);
    // After a failure the console goes on from the mode the sublab reached,
    // so that every later fault is found too.
    void follow(const std::string& device, const std::string& suffix) {
        auto& password = app_.console.password;
        password.enable_password_entry = password.login_password_entry =
            password.vty_password_requested = false;
        if (app_.console.device.current_device != device) choose(device);
        app_.console.mode.mode_suffix = vexlab::test::mode(suffix);
        engine_.text_control().append("\r\n" + prompt());
    }

    vexlab::test::TempDir dir_;
    vexlab::state::AppState app_;
    vexlab::platform::ScriptedDialogs dialogs_;
    vexlab::console::ConsoleEngine engine_;
};

std::optional<std::vector<std::string>> SimulatorReplay::type_line(const std::string& line) {
    namespace keys = vexlab::console::keys;
    engine_.type(line);
    // The line break of the last Enter stays after the caret.
    const std::string before = engine_.text().substr(0, engine_.control().caret());
    engine_.press(keys::enter);
    for (int page = 0; app_.console.output.paging_active && page < 100; ++page)
        engine_.press(keys::character(' '));
    const std::string& after = engine_.text();
    if (waits_for_password()) return std::nullopt;
    // The typed line, what it printed and the new prompt; the line break of
    // the Enter may follow, below the caret.
    std::vector<std::string> lines;
    if (after.compare(0, before.size(), before) == 0)
        lines = vexlab::text::split(after.substr(before.size()), "\r\n");
    if (lines.size() > 2 && lines.back().empty()) lines.pop_back();
    if (lines.size() < 2 || lines.back() != prompt()) return std::nullopt;
    return std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
}

std::vector<std::string> SimulatorReplay::bring_up(
    const vexlab::examples::ExampleNetwork& network) {
    std::vector<std::string> refused;
    for (const auto& device : network.devices) {
        const auto record = vexlab::state::find_device(app_.session, device.name);
        if (!record || record->kind != vexlab::state::DeviceKind::Router || !choose(device.name))
            continue;
        std::vector<std::string> lines = {"enable", "configure terminal"};
        for (const auto& interface : device.interfaces)
            if (!interface.address.empty()) {
                lines.push_back(interface_command(interface.name));
                lines.push_back("no shutdown");
                lines.push_back("exit");
            }
        lines.push_back("end");
        lines.push_back("disable");
        for (const auto& line : lines)
            if (!type_line(line) || !engine_.last_line().succeeded())
                refused.push_back(device.name + ": \"" + line + "\" is refused");
    }
    return refused;
}

void SimulatorReplay::replay(const vexlab::state::LabSublab& sublab,
                             std::vector<std::string>& failures) {
    auto fail = [&](int line, const std::string& why) {
        failures.push_back(sublab.source + ":" + std::to_string(line) + ": " + why);
    };
    // The lab console starts every sublab at the first prompt of its first
    // device, as the simulator's picker does.
    std::string device;
    for (const auto& step : sublab.steps) {
        bool chosen = false;
        if (step.device != device || &step == &sublab.steps.front()) {
            device = step.device;
            if (!choose(device)) {
                fail(step.line, "the simulator has no device " + device + " to choose");
                device.clear();
                continue;
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
                follow(device, command.comprompt);
            }
            chosen = false;

            const auto printed = type_line(command.command);
            if (!printed) {
                fail(command.line, "\"" + command.command + "\": the simulator " +
                                       (waits_for_password() ? "asks for a password here"
                                                             : "does not come back to a prompt"));
                follow(device, command.resprompt);
                continue;
            }
            const bool refused =
                !engine_.last_line().succeeded() ||
                (!printed->empty() && (*printed)[0].rfind("% Command failed", 0) == 0);
            if (refused) {
                fail(command.line,
                     "\"" + command.command + "\" is refused:" + as_response(*printed));
            } else if (compared(*printed) != compared(command.response)) {
                fail(command.line,
                     "\"" + command.command + "\" answers otherwise.\n" +
                         "    The sublab shows:" + as_response(answer(command.response)) +
                         "\n    The console prints:" + as_response(answer(*printed)));
            }
            if (suffix() != command.resprompt) {
                if (!refused)
                    fail(command.line, "\"" + command.command + "\" leads to \"" + suffix() +
                                           "\", the sublab names \"" + command.resprompt + "\"");
                follow(device, command.resprompt);
            }
        }
    }
}

std::vector<vexlab::state::LabSource> shipped_lab_sources() {
    const fs::path resources(vexlab::test::resources_dir());
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(resources))
        if (entry.is_regular_file() && entry.path().extension() == ".lab")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<vexlab::state::LabSource> sources;
    for (const auto& file : files)
        sources.push_back({fs::relative(file, resources).generic_string(),
                           vexlab::test::read_file(file.string())});
    return sources;
}

// The lab's network as an exported network file in `dir`.
std::string lab_network_file(const vexlab::test::TempDir& dir,
                             const vexlab::examples::LabDiagram& diagram) {
    const std::string network = dir.file("lab-network.exp");
    vexlab::db::DatabaseSession scratch;
    vexlab::test::fresh_database(dir.file("scratch.mdb"));
    scratch.open(dir.file("scratch.mdb"));
    std::ofstream(network, std::ios::binary)
        << vexlab::examples::export_text(scratch, diagram.network);
    return network;
}

// Replays each lab's sublabs in order on the network of the lab's picture;
// answers every fault, each with its file and line.
std::vector<std::string> replay_labs(const std::vector<vexlab::state::LabSublab>& sublabs) {
    std::vector<std::string> failures;
    for (auto first = sublabs.begin(); first != sublabs.end();) {
        const auto last = std::find_if(
            first, sublabs.end(), [&](const auto& sublab) { return sublab.lab != first->lab; });
        // One network for the whole lab: every sublab shows the same picture.
        bool one_picture = true;
        for (auto sublab = first; sublab != last; ++sublab)
            if (sublab->picture != first->picture) {
                failures.push_back(sublab->source + ":" + std::to_string(sublab->line) +
                                   ": the sublab shows " + sublab->picture + ", the lab " +
                                   first->picture);
                one_picture = false;
            }
        const std::string source = diagram_source(first->picture);
        const fs::path description = fs::path(vexlab::test::resources_dir()) / source;
        if (!one_picture || !fs::exists(description)) {
            if (one_picture)
                failures.push_back(first->source + ":" + std::to_string(first->line) +
                                   ": no network describes " + first->picture);
            first = last;
            continue;
        }
        const auto diagram = vexlab::examples::parse_lab_diagram(
            vexlab::test::read_file(description.string()), source);
        vexlab::test::TempDir dir;
        SimulatorReplay simulator(lab_network_file(dir, diagram));
        for (const auto& refused : simulator.bring_up(diagram.network))
            failures.push_back(source + ": " + refused);
        for (; first != last; ++first) simulator.replay(*first, failures);
    }
    return failures;
}

TEST(ShippedLabs, EveryLabPlaysOnTheNetworkOfItsPictureAsItsSublabsShow) {
    const auto sublabs = vexlab::state::read_lab_sources(shipped_lab_sources());
    ASSERT_FALSE(sublabs.empty());
    const auto failures = replay_labs(sublabs);
    std::string list;
    for (const auto& failure : failures) list += "\n  " + failure;
    EXPECT_TRUE(failures.empty()) << failures.size() << " expected commands the simulator does "
                                  << "not take as their sublab shows them:" << list;
}

// The replay lists every fault of a lab, carries what a sublab configured
// into the next one and gives a changed answer as lines of the lab file.
TEST(LabReplay, ListsEveryFaultWithItsLineAndCarriesTheStateFromSublabToSublab) {
    const auto sublabs = vexlab::state::read_lab_sources({{"labs/x.lab", R"(lab 1 | Fixture
sublab Secret
picture labdiagrams/one-router.gif
step R1 | x
    > | enable | #
    # | show ip interface brief | #
    = Interface                   IP-Address     OK?   Method     Status    Protocol
    = Ethernet0    192.168.1.1      YES  Manual   up   up
    # | configure terminal | (config)#
    (config)# | enable secret class | (config)#
    (config)# | end | #
sublab After the secret
picture labdiagrams/one-router.gif
step R1 | y
    > | enable | #
    # | ping 192.168.1.10 | #
    = Success rate is 0 percent
lab 2 | Two pictures
sublab One
picture labdiagrams/one-router.gif
step R1 | z
    > | enable | #
sublab Other
picture labdiagrams/two-routers.gif
step R1 | z
    > | enable | #
)"}});
    const auto failures = replay_labs(sublabs);
    const std::vector<std::string> expected = {
        "labs/x.lab:6: \"show ip interface brief\" answers otherwise.\n"
        "    The sublab shows:\n"
        "        = Interface                   IP-Address     OK?   Method     Status    Protocol\n"
        "        = Ethernet0    192.168.1.1      YES  Manual   up   up\n"
        "    The console prints:\n"
        "        = Interface                   IP-Address     OK?   Method     Status    Protocol\n"
        "        = Ethernet0    192.168.1.1      YES  Manual   up   up\n"
        "        = Serial0    192.168.12.1      YES  Manual   up   up\n"
        "        = Serial1    UA      YES  Manual   down   down",
        "labs/x.lab:9: \"configure terminal\" answers otherwise.\n"
        "    The sublab shows:\n"
        "        (nothing)\n"
        "    The console prints:\n"
        "        = Enter configuration commands, one per line.  End with CNTL/Z.",
        "labs/x.lab:15: \"enable\": the simulator asks for a password here",
        "labs/x.lab:16: \"ping 192.168.1.10\" answers otherwise.\n"
        "    The sublab shows:\n"
        "        = Success rate is 0 percent\n"
        "    The console prints:\n"
        "        =\n"
        "        = Type escape sequence to abort.\n"
        "        = Sending 5,100-byte ICMP Echos to  192.168.1.10 ,\n"
        "        = Timeout is 2 seconds:\n"
        "        =  !!!!!\n"
        "        = Success rate is 100 percent (5/5), round-trip min/avg/max = 6/6/6 ms",
        "labs/x.lab:23: the sublab shows labdiagrams/two-routers.gif, the lab "
        "labdiagrams/one-router.gif",
    };
    EXPECT_EQ(failures, expected);
}

TEST(LabReplay, ComparesAnswersWithoutTimesOfDayOrBlanksAtTheEndOfALine) {
    struct Case {
        std::vector<std::string> shown, printed;
        bool same;
    } cases[] = {
        {{"9:30:4 Mar 1 2024"}, {"10:05:00 Mar 1 2024"}, true},
        {{"9:30:4 Mar 1 2024"}, {"9:30:4 Mar 10 2026"}, false},
        {{"Neighbor 00:00:36 Serial0"}, {"Neighbor 00:00:31 Serial0"}, true},
        {{"10 Sales  active"}, {"10 Sales  active     "}, true},
        {{" !!!!!"}, {"!!!!!"}, false},
        {{}, {"", ""}, true},
        {{"a", ""}, {"a"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compared(c.shown) == compared(c.printed), c.same)
            << as_response(c.shown) << "\n  against" << as_response(c.printed);
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

TEST(LabDiagramSource, ReadsTheNetworkAndTheLinesOnlyTheDrawingReads) {
    const auto diagram = vexlab::examples::parse_lab_diagram(R"(# a comment
title Two routers and a cloud
size 620 360
device R1 2501 170 150
device R2 2501 450 150
link R1 Serial0 R2 Serial0
address R1 Serial0 10.1.1.1 255.255.255.0
address R2 Serial0 10.1.1.2 255.255.255.0
address R1 Ethernet0 192.168.1.1 255.255.255.0
end R1 Ethernet0 170 300 to the LAN
end R2 Ethernet0 450 300
cloud 310 150 200 Frame Relay
caption 310 300 point-to-point s0.102: 10.1.12.0/24
)",
                                                             "x.net");
    EXPECT_EQ(diagram.title, "Two routers and a cloud");
    EXPECT_EQ(diagram.width, 620);
    EXPECT_EQ(diagram.height, 360);
    ASSERT_EQ(diagram.network.devices.size(), 2u);
    EXPECT_EQ(diagram.network.devices[0].interfaces[1].far_device, "R2");
    ASSERT_EQ(diagram.loose_ends.size(), 2u);
    EXPECT_EQ(diagram.loose_ends[0].text, "to the LAN");
    EXPECT_EQ(diagram.loose_ends[1].text, "");
    EXPECT_EQ(diagram.loose_ends[1].y, 300);
    ASSERT_EQ(diagram.clouds.size(), 1u);
    EXPECT_EQ(diagram.clouds[0].width, 200);
    EXPECT_EQ(diagram.clouds[0].text, "Frame Relay");
    ASSERT_EQ(diagram.captions.size(), 1u);
    EXPECT_EQ(diagram.captions[0].text, "point-to-point s0.102: 10.1.12.0/24");
}

TEST(LabDiagramSource, RefusesADiagramThatCannotShowItsNetwork) {
    const std::string head = "title T\nsize 100 100\ndevice R1 2501 10 10\ndevice R2 2501 90 10\n";
    struct Case {
        const char* what;
        std::string text;
        const char* error;
    } cases[] = {
        {"no title", "size 100 100\ndevice R1 2501 10 10\n", "x.net: no title"},
        {"no size", "title T\ndevice R1 2501 10 10\n", "x.net: no size"},
        {"size not a number", "title T\nsize 100 wide\ndevice R1 2501 10 10\n",
         "x.net:2: not a number: wide"},
        {"caption without text", head + "caption 5 5\n", "x.net:5: caption takes 3 words"},
        {"network line", head + "link R1 Serial0 R9 Serial0\n", "x.net:5: no device R9"},
        {"end of a cabled interface", head + "link R1 Serial0 R2 Serial0\nend R1 Serial0 5 5\n",
         "x.net:6: R1 Serial0 is cabled in the picture"},
        {"end of no interface", head + "end R1 Serial7 5 5\n", "x.net:5: R1 has no interface"},
        {"an address not drawn", head + "address R1 Ethernet0 10.0.0.1 255.0.0.0\n",
         "x.net: R1 Ethernet0 has an address but no cable to draw"},
        {"a cable across two networks",
         head + "link R1 Serial0 R2 Serial0\naddress R1 Serial0 10.0.1.1 255.255.255.0\n"
                "address R2 Serial0 10.0.2.2 255.255.255.0\n",
         "x.net: R1 Serial0 and R2 Serial0 are not in one network"},
        {"the built-in network", "builtin\n", "x.net: a lab diagram draws its own network"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            vexlab::examples::parse_lab_diagram(c.text, "x.net");
            ADD_FAILURE() << "accepted";
        } catch (const vexlab::examples::ExampleError& error) {
            EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
        }
    }
}

TEST(LabDiagramSource, NetworksAndHostPartsAsTheDiagramsWriteThem) {
    struct Case {
        const char *address, *mask, *network, *host;
    } cases[] = {
        {"192.168.1.1", "255.255.255.0", "192.168.1.0/24", ".1"},
        {"10.1.1.1", "255.255.0.0", "10.1.0.0/16", ".1.1"},
        {"10.1.1.1", "255.255.255.255", "10.1.1.1/32", ".1"},
        {"172.16.5.130", "255.255.255.128", "172.16.5.128/25", ".130"},
        {"UA", "UA", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vexlab::examples::network_of(c.address, c.mask), c.network) << c.address;
        EXPECT_EQ(vexlab::examples::host_part(c.address, c.mask), c.host) << c.address;
    }
}

}  // namespace
