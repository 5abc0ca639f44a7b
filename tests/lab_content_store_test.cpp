// The administrator's changes to the lab tables: numbering, inserts at a
// position, cascades, and changes that fail as a whole.

#include "labcontent/lab_content_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "labcontent/admin_state.h"
#include "platform/db_session.h"
#include "platform/sha256.h"
#include "state/schema_registry.h"
#include "state/table_text.h"
#include "support/test_database.h"

namespace {

using vexlab::labcontent::CommandTexts;
using vexlab::labcontent::LabContentStore;

// Sublab 1 has steps 1 to 3, sublab 2 steps 4 and 5 (with a gap at 6) and 7.
// Step 2 holds commands 1 to 5, step 3 commands 6 to 8, step 4 command 9,
// step 7 command 12.
constexpr const char* kRows = R"(
table labs
columns index | labname
1 | Basics
table sublab
columns index | sublabnane | ref
1 | One | 1
2 | Two | 1
table instructions
columns index | instruction | ref | device
1 | s1 | 1 | R1
2 | s2 | 1 | R1
3 | s3 | 1 | R1
4 | s4 | 2 | R2
5 | s5 | 2 | R2
7 | s7 | 2 | R2
table comrestble
columns index | command | comprompt | resprompt | ref1
1  | c1  | > | # | 2
2  | c2  | > | # | 2
3  | c3  | > | # | 2
4  | c4  | > | # | 2
5  | c5  | > | # | 2
6  | c6  | > | # | 3
7  | c7  | > | # | 3
8  | c8  | > | # | 3
9  | c9  | > | # | 4
12 | c12 | > | # | 7
)";

class LabContentStoreTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    // A fresh copy of the fixture.
    void reset() {
        if (session.is_open()) session.close();
        std::filesystem::remove(dir.file("labs.db"));
        vexlab::test::empty_database(session, dir.file("labs.db"));
        vexlab::state::load_table_text(session, vexlab::state::SchemaRegistry::instance(), kRows,
                                       "fixture");
    }
    // "index:text:ref" of every row, in index order.
    std::string steps() {
        std::string out;
        auto rows = session.open_recordset(
            "SELECT \"index\", instruction, ref FROM instructions ORDER BY \"index\"");
        for (; !rows.eof(); rows.move_next())
            out += rows.text(0) + ":" + rows.text(1) + ":" + rows.text(2) + " ";
        return out;
    }
    std::string commands() {
        std::string out;
        auto rows = session.open_recordset(
            "SELECT \"index\", command, ref1 FROM comrestble ORDER BY \"index\"");
        for (; !rows.eof(); rows.move_next())
            out += rows.text(0) + ":" + rows.text(1) + ":" + rows.text(2) + " ";
        return out;
    }
    std::string sublabs() {
        std::string out;
        for (const auto& s : store.sublabs()) out += std::to_string(s.index) + ":" + s.name + " ";
        return out;
    }

    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    LabContentStore store{session};
};

CommandTexts texts(const std::string& command) {
    return {command, "", "#", "(config)#"};
}

TEST_F(LabContentStoreTest, InsertingACommandMovesEveryLaterCommandUpByOne) {
    struct Case {
        const char* what;
        int after;
        int instruction;
        const char* expected;
    } cases[] = {
        {"first position", 0, 2,
         "1:new:2 2:c1:2 3:c2:2 4:c3:2 5:c4:2 6:c5:2 7:c6:3 8:c7:3 9:c8:3 10:c9:4 13:c12:7 "},
        {"middle, moving the later steps' commands too", 3, 2,
         "1:c1:2 2:c2:2 3:c3:2 4:new:2 5:c4:2 6:c5:2 7:c6:3 8:c7:3 9:c8:3 10:c9:4 13:c12:7 "},
        {"after the highest: nothing moves", 12, 7,
         "1:c1:2 2:c2:2 3:c3:2 4:c4:2 5:c5:2 6:c6:3 7:c7:3 8:c8:3 9:c9:4 12:c12:7 13:new:7 "},
        {"into a gap: the gap moves along", 9, 4,
         "1:c1:2 2:c2:2 3:c3:2 4:c4:2 5:c5:2 6:c6:3 7:c7:3 8:c8:3 9:c9:4 10:new:4 13:c12:7 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const auto change = store.insert_command_after(c.after, texts("new"), c.instruction);
        ASSERT_TRUE(change.ok) << change.error;
        EXPECT_EQ(change.index, c.after + 1);
        EXPECT_EQ(commands(), c.expected);
    }
}

TEST_F(LabContentStoreTest, RepeatedInsertsAtOnePositionEndUpInReverseOrder) {
    store.insert_command_after(3, texts("a"), 2);
    store.insert_command_after(3, texts("b"), 2);
    EXPECT_EQ(commands(),
              "1:c1:2 2:c2:2 3:c3:2 4:b:2 5:a:2 6:c4:2 7:c5:2 8:c6:3 9:c7:3 10:c8:3 11:c9:4 "
              "14:c12:7 ");
}

TEST_F(LabContentStoreTest, InsertingAStepMovesLaterStepsWithTheirCommands) {
    struct Case {
        const char* what;
        int after;
        int sublab;
        const char* steps;
        const char* commands;
    } cases[] = {
        {"first position", 0, 1, "1:new:1 2:s1:1 3:s2:1 4:s3:1 5:s4:2 6:s5:2 8:s7:2 ",
         "1:c1:3 2:c2:3 3:c3:3 4:c4:3 5:c5:3 6:c6:4 7:c7:4 8:c8:4 9:c9:5 12:c12:8 "},
        {"end of a sublab, before another's", 3, 1,
         "1:s1:1 2:s2:1 3:s3:1 4:new:1 5:s4:2 6:s5:2 8:s7:2 ",
         "1:c1:2 2:c2:2 3:c3:2 4:c4:2 5:c5:2 6:c6:3 7:c7:3 8:c8:3 9:c9:5 12:c12:8 "},
        {"last position", 7, 2, "1:s1:1 2:s2:1 3:s3:1 4:s4:2 5:s5:2 7:s7:2 8:new:2 ",
         "1:c1:2 2:c2:2 3:c3:2 4:c4:2 5:c5:2 6:c6:3 7:c7:3 8:c8:3 9:c9:4 12:c12:7 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const auto change = store.insert_instruction_after(c.after, "new", "R1", c.sublab);
        ASSERT_TRUE(change.ok) << change.error;
        EXPECT_EQ(change.index, c.after + 1);
        EXPECT_EQ(steps(), c.steps);
        EXPECT_EQ(commands(), c.commands);
    }
}

TEST_F(LabContentStoreTest, AppendedRowsTakeTheHighestIndexPlusOne) {
    EXPECT_EQ(store.add_command(texts("x"), 2).index, 13);
    ASSERT_EQ(store.delete_command(13).rows, 1);
    EXPECT_EQ(store.add_command(texts("y"), 2).index, 13);
    EXPECT_EQ(store.add_instruction("new", "R3", 2).index, 8);
    EXPECT_EQ(store.add_sublab({"Three", 1, "", "", "", ""}).index, 3);

    session.execute("DELETE FROM comrestble");
    session.execute("DELETE FROM instructions");
    session.execute("DELETE FROM sublab");
    EXPECT_EQ(store.add_sublab({"First", 0, "", "", "", ""}).index, 1);
    EXPECT_EQ(store.add_instruction("first", "R1", 1).index, 1);
    EXPECT_EQ(store.add_command(texts("first"), 1).index, 1);
}

TEST_F(LabContentStoreTest, DeletesTakeTheChildrenAndLeaveGaps) {
    auto change = store.delete_instruction(2);
    EXPECT_EQ(change.rows, 1);
    EXPECT_EQ(steps(), "1:s1:1 3:s3:1 4:s4:2 5:s5:2 7:s7:2 ");
    EXPECT_EQ(commands(), "6:c6:3 7:c7:3 8:c8:3 9:c9:4 12:c12:7 ");

    change = store.delete_sublab(2);
    EXPECT_EQ(change.rows, 1);
    EXPECT_EQ(sublabs(), "1:One ");
    EXPECT_EQ(steps(), "1:s1:1 3:s3:1 ");
    EXPECT_EQ(commands(), "6:c6:3 7:c7:3 8:c8:3 ");

    // Nothing left to delete: nothing is reported as deleted.
    EXPECT_EQ(store.delete_sublab(2).rows, 0);
    EXPECT_EQ(store.delete_instruction(2).rows, 0);
    EXPECT_EQ(store.delete_command(1).rows, 0);
    EXPECT_EQ(store.modify_command(1, texts("gone")).rows, 0);
    EXPECT_EQ(store.modify_instruction(2, "gone").rows, 0);
}

TEST_F(LabContentStoreTest, AFailingStatementLeavesTheTablesAsTheyWere) {
    // The fifth command refuses to move: the insert fails half way.
    session.execute_script(
        "CREATE TRIGGER refuse BEFORE UPDATE ON comrestble WHEN OLD.\"index\" = 5 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
        "CREATE TRIGGER refuse_step BEFORE DELETE ON instructions WHEN OLD.ref = 2 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    const std::string steps_before = steps(), commands_before = commands();

    auto change = store.insert_command_after(2, texts("new"), 2);
    EXPECT_FALSE(change.ok);
    EXPECT_NE(change.error.find("refused"), std::string::npos);
    EXPECT_EQ(commands(), commands_before);

    change = store.insert_instruction_after(1, "new", "R1", 1);  // moves commands 1 to 5 along
    EXPECT_FALSE(change.ok);
    EXPECT_EQ(steps(), steps_before);
    EXPECT_EQ(commands(), commands_before);

    change = store.delete_sublab(2);  // its commands go first, then its steps refuse
    EXPECT_FALSE(change.ok);
    EXPECT_EQ(sublabs(), "1:One 2:Two ");
    EXPECT_EQ(steps(), steps_before);
    EXPECT_EQ(commands(), commands_before);
}

TEST_F(LabContentStoreTest, TypedTextIsStoredAsTyped) {
    const CommandTexts quoted{"banner motd #It's 'quoted'#", "line one\r\nline 'two'", " # ",
                              "(config)#"};
    const auto change = store.add_command(quoted, 2);
    ASSERT_TRUE(change.ok) << change.error;
    const auto stored = store.command(change.index);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->command, quoted.command);
    EXPECT_EQ(stored->response, quoted.response);
    EXPECT_EQ(stored->comprompt, " # ");
    EXPECT_EQ(store.modify_command(change.index, {"x", "", "#", "#"}).rows, 1);
    EXPECT_EQ(store.command(change.index)->response, "nill");
    const auto sublab = store.add_sublab({"O'Brien's lab", 1, "", "", "", ""});
    EXPECT_EQ(store.sublab_named("O'Brien's lab")->networkpath, "nill");
    EXPECT_EQ(store.sublab_named("o'brien's lab"), std::nullopt);  // letter case counts
    EXPECT_EQ(sublab.index, 3);
}

TEST_F(LabContentStoreTest, NoIndexAboveTheLimitIsGiven) {
    session.execute("UPDATE comrestble SET \"index\" = 32767 WHERE \"index\" = 12");
    const std::string before = commands();
    auto change = store.add_command(texts("x"), 2);
    EXPECT_FALSE(change.ok);
    change = store.insert_command_after(3, texts("x"), 2);
    EXPECT_FALSE(change.ok);
    EXPECT_EQ(commands(), before);
}

TEST(AdminLogin, OnlyTheExactUserNameAndPasswordAreAccepted) {
    using vexlab::labcontent::credentials_match;
    EXPECT_TRUE(credentials_match("tovek", "tovek"));
    EXPECT_FALSE(credentials_match("tovek", "Tovek"));
    EXPECT_FALSE(credentials_match("TOVEK", "tovek"));
    EXPECT_FALSE(credentials_match("tovek", "wrong"));
    EXPECT_FALSE(credentials_match("", ""));
    EXPECT_FALSE(credentials_match("tovek\ntovek", ""));
}

TEST(Sha256, KnownDigests) {
    using vexlab::platform::sha256_hex;
    EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256_hex("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256_hex(std::string(1000, 'a')),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST(PicturePath, AChosenPictureIsKeptRelativeToTheProgramFolder) {
    using vexlab::labcontent::stored_picture_path;
    EXPECT_EQ(stored_picture_path("/opt/vexlab", "/opt/vexlab/labdiagrams/x.gif"),
              "labdiagrams/x.gif");
    EXPECT_EQ(stored_picture_path("/opt/vexlab", "/home/me/pic.gif"), "../../home/me/pic.gif");
}

}  // namespace
