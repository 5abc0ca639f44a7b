// The database layer: value types and their text, result-set movement, field
// lookup, identifier quoting and bound parameters.

#include "platform/db_session.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

using vexlab::db::DatabaseSession;
using vexlab::db::DbError;
using vexlab::db::Value;
using vexlab::db::ValueType;

namespace {

class DbSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.create(dir.file("t.db"));
        session.execute(
            "CREATE TABLE t (\"index\" INTEGER, name TEXT COLLATE NOCASE, ok YESNO, "
            "amount NUMERIC, \"2950\" LONGTEXT COLLATE NOCASE)");
    }
    vexlab::test::TempDir dir;
    DatabaseSession session;
};

TEST(DbValue, TextOfEachType) {
    struct Case {
        Value value;
        std::string text;
    } cases[] = {
        {Value(), ""},
        {Value("abc"), "abc"},
        {Value(12), "12"},
        {Value(-3), "-3"},
        {Value(12.0), "12"},
        {Value(2.5), "2.5"},
        {Value(true), "True"},
        {Value(false), "False"},
        {Value(std::int64_t{4294967296}), "4294967296"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value.to_text(), c.text);
    EXPECT_TRUE(Value().is_null());
    EXPECT_EQ(Value(12.0).type(), ValueType::Number);
}

TEST(DbValue, NumericAndYesNoReadings) {
    EXPECT_EQ(Value("  42abc").to_int(), 42);
    EXPECT_EQ(Value("-7").to_int(), -7);
    EXPECT_EQ(Value("x").to_int(), 0);
    EXPECT_EQ(Value(true).to_int(), 1);
    EXPECT_TRUE(Value("True").to_bool());
    EXPECT_TRUE(Value("-1").to_bool());
    EXPECT_FALSE(Value("False").to_bool());
    EXPECT_FALSE(Value().to_bool());
    EXPECT_DOUBLE_EQ(Value("0.5").to_double(), 0.5);
}

TEST_F(DbSessionTest, ValuesComeBackWithTheirLogicalType) {
    session.execute("INSERT INTO t VALUES (?, ?, ?, ?, ?)", {12, "R1", true, 12.0, Value()});
    session.execute("INSERT INTO t VALUES (?, ?, ?, ?, ?)", {3, "x", false, 2.5, "v"});
    auto set = session.open_recordset("SELECT * FROM t ORDER BY rowid");
    ASSERT_FALSE(set.eof());
    EXPECT_EQ(set.text(0), "12");
    EXPECT_EQ(set.field(2).type(), ValueType::YesNo);
    EXPECT_EQ(set.text(2), "True");
    EXPECT_EQ(set.text(3), "12");  // a whole number never reads "12.0"
    EXPECT_TRUE(set.field(4).is_null());
    EXPECT_EQ(set.text(4), "");
    set.move_next();
    EXPECT_EQ(set.text("OK"), "False");
    EXPECT_EQ(set.text("amount"), "2.5");
}

TEST_F(DbSessionTest, MovesAndEndTests) {
    auto empty = session.open_recordset("SELECT * FROM t");
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.bof());
    EXPECT_THROW(empty.field(0), DbError);

    for (int i = 1; i <= 3; ++i) session.execute("INSERT INTO t (\"index\") VALUES (?)", {i});
    auto set = session.open_recordset("SELECT \"index\" FROM t ORDER BY \"index\"");
    EXPECT_FALSE(set.eof());
    EXPECT_FALSE(set.bof());
    EXPECT_EQ(set.record_count(), 3u);
    set.move_last();
    EXPECT_EQ(set.text(0), "3");
    set.move_next();
    EXPECT_TRUE(set.eof());
    set.move_previous();
    EXPECT_EQ(set.text(0), "3");
    set.move_first();
    set.move_previous();
    EXPECT_TRUE(set.bof());
    set.move_next();
    EXPECT_EQ(set.text(0), "1");
}

TEST_F(DbSessionTest, FieldsByPositionAndByNameIgnoringCase) {
    session.execute("INSERT INTO t (\"index\", name) VALUES (1, 'R1')");
    auto set = session.open_recordset("SELECT * FROM t");
    EXPECT_EQ(set.field_count(), 5);
    EXPECT_EQ(set.field_name(4), "2950");
    EXPECT_EQ(set.text("NAME"), "R1");
    EXPECT_EQ(set.text("Index"), "1");
    EXPECT_EQ(*set.field_index("2950"), 4);
    EXPECT_FALSE(set.field_index("missing"));
    EXPECT_THROW(set.field("missing"), DbError);
    EXPECT_THROW(set.field(5), DbError);
}

TEST_F(DbSessionTest, TextComparesWithoutRegardToCase) {
    session.execute("INSERT INTO t (name) VALUES ('HostName')");
    EXPECT_EQ(session.scalar("SELECT count(*) FROM t WHERE name = ?", {"hostname"}).to_int(), 1);
}

TEST_F(DbSessionTest, ParametersKeepQuotesAndWildcardsAsText) {
    const std::string awkward = "it's a \"test\"; DROP TABLE t; --";
    session.execute("INSERT INTO t (name) VALUES (?)", {awkward});
    session.execute("INSERT INTO t (name) VALUES (?)", {"a%b_c"});
    session.execute("INSERT INTO t (name) VALUES (?)", {"axbyc"});
    EXPECT_EQ(session.scalar("SELECT name FROM t WHERE name = ?", {awkward}).to_text(), awkward);
    // A typed % or _ matches itself in a prefix test, not anything.
    auto like = session.open_recordset("SELECT name FROM t WHERE name LIKE ? ESCAPE '\\'",
                                       {vexlab::db::like_prefix("a%b_")});
    ASSERT_EQ(like.record_count(), 1u);
    EXPECT_EQ(like.text(0), "a%b_c");
    EXPECT_EQ(session
                  .scalar("SELECT count(*) FROM t WHERE name LIKE ? ESCAPE '\\'",
                          {vexlab::db::like_prefix("A")})
                  .to_int(),
              2);
}

TEST_F(DbSessionTest, QuotedIdentifiersReachAwkwardNames) {
    const std::vector<std::string> awkward = {"1912", "default", "a b", "we\"ird", "select"};
    for (const auto& name : awkward)
        session.execute("ALTER TABLE t ADD COLUMN " + vexlab::db::quote_identifier(name) + " TEXT");
    session.execute("INSERT INTO t (" + vexlab::db::quote_identifier("we\"ird") + ", " +
                        vexlab::db::quote_identifier("2950") + ") VALUES (?, ?)",
                    {"odd", "switch"});
    auto names = session.column_names("t");
    EXPECT_EQ(std::vector<std::string>(names.end() - 5, names.end()), awkward);
    auto set = session.open_recordset("SELECT * FROM t");
    EXPECT_EQ(set.text("we\"ird"), "odd");
    EXPECT_EQ(set.text("2950"), "switch");
}

// The session keeps prepared statements between calls; what they report
// must follow the tables as they change, a rolled-back change included.
TEST_F(DbSessionTest, ColumnsFollowTheTableAsItChanges) {
    const std::vector<std::string> first = {"index", "name", "ok", "amount", "2950"};
    EXPECT_EQ(session.column_names("T"), first);
    EXPECT_EQ(session.open_recordset("SELECT * FROM t").field_count(), 5);

    session.execute("ALTER TABLE t ADD COLUMN extra YESNO");
    session.execute("INSERT INTO t (\"index\", extra) VALUES (1, 1)");
    auto names = session.column_names("t");
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names.back(), "extra");
    auto set = session.open_recordset("SELECT * FROM t");
    ASSERT_EQ(set.field_count(), 6);
    EXPECT_EQ(set.field_name(5), "extra");
    EXPECT_EQ(set.field("extra").type(), ValueType::YesNo);

    {
        DatabaseSession::Transaction undone(session);
        session.execute("ALTER TABLE t ADD COLUMN gone TEXT");
        EXPECT_EQ(session.column_names("t").back(), "gone");
    }
    EXPECT_EQ(session.column_names("t").back(), "extra");
    session.execute("ALTER TABLE t ADD COLUMN later INTEGER");
    EXPECT_EQ(session.column_names("t").back(), "later");
    EXPECT_EQ(session.open_recordset("SELECT * FROM t").field("later").type(), ValueType::Null);

    session.execute("DROP TABLE t");
    EXPECT_TRUE(session.column_names("t").empty());
    EXPECT_TRUE(session.column_names("never").empty());
    session.execute("CREATE TABLE t (flag INTEGER, label TEXT)");
    session.execute("INSERT INTO t VALUES (1, 'a')");
    EXPECT_EQ(session.column_names("t"), (std::vector<std::string>{"flag", "label"}));
    set = session.open_recordset("SELECT * FROM t");
    EXPECT_EQ(set.field_count(), 2);
    EXPECT_EQ(set.field("flag").type(), ValueType::Number);
}

TEST_F(DbSessionTest, ErrorsCarryStatementAndEngineMessage) {
    try {
        session.execute("INSERT INTO nowhere VALUES (1)");
        FAIL() << "no error";
    } catch (const DbError& error) {
        EXPECT_EQ(error.statement(), "INSERT INTO nowhere VALUES (1)");
        EXPECT_NE(error.engine_message().find("no such table"), std::string::npos);
    }
    EXPECT_THROW(session.execute("SELECT ?", {1, 2}), DbError);
}

TEST_F(DbSessionTest, TransactionRollsBackUnlessCommitted) {
    {
        DatabaseSession::Transaction transaction(session);
        session.execute("INSERT INTO t (\"index\") VALUES (1)");
    }
    EXPECT_EQ(session.scalar("SELECT count(*) FROM t").to_int(), 0);
    {
        DatabaseSession::Transaction outer(session);
        session.execute("INSERT INTO t (\"index\") VALUES (1)");
        {
            DatabaseSession::Transaction inner(session);
            session.execute("INSERT INTO t (\"index\") VALUES (2)");
        }
        outer.commit();
    }
    EXPECT_EQ(session.scalar("SELECT count(*) FROM t").to_int(), 1);
}

TEST(DbOpen, MissingCorruptAndReadOnlyFilesAreRefusedWithTheirName) {
    vexlab::test::TempDir dir;
    DatabaseSession session;
    const std::string missing = dir.file("missing.mdb");
    try {
        session.open(missing);
        FAIL();
    } catch (const DbError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));  // opening never creates

    const std::string corrupt = dir.file("corrupt.mdb");
    {
        std::FILE* f = std::fopen(corrupt.c_str(), "wb");
        std::fputs(
            "this is not a database file, just some text long enough to matter........"
            "................................................................",
            f);
        std::fclose(f);
    }
    try {
        session.open(corrupt);
        FAIL();
    } catch (const DbError& error) {
        EXPECT_NE(std::string(error.what()).find("not a database"), std::string::npos);
    }
    EXPECT_FALSE(session.is_open());
}

// The test programs skip the disk's flushes (support/unflushed_databases.cpp);
// what the program asks of the engine is unchanged: every commit goes to a
// write-ahead log that keeps the file whole across a crash.
TEST(DbOpen, AnOpenedDatabaseKeepsItsDurability) {
    vexlab::test::TempDir dir;
    vexlab::test::fresh_database(dir.file("d.mdb"));
    DatabaseSession session;
    session.open(dir.file("d.mdb"));
    EXPECT_EQ(session.scalar("PRAGMA journal_mode").to_text(), "wal");
    EXPECT_EQ(session.scalar("PRAGMA synchronous").to_int(), 1);  // NORMAL
}

}  // namespace
