// The shipped lab exercises and the compiler of their text form.

#include <gtest/gtest.h>

#include <map>

#include "labs/lab_tables.h"
#include "platform/db_session.h"
#include "state/lab_source.h"
#include "support/lab_fixture.h"

namespace {

using vexlab::state::compile_lab_sources;
using vexlab::state::TableTextError;

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
