// The per-user settings store and the data-source registration on top of it.

#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/data_source.h"
#include "platform/db_session.h"
#include "support/test_database.h"

using vexlab::platform::RegistryStore;
using vexlab::platform::RegistryType;

namespace {

const std::string kKey = "SOFTWARE\\ODBC\\ODBC.INI\\netsrc02";

TEST(RegistryStore, ValuesSurviveAReopenWithTypesAndLengths) {
    vexlab::test::TempDir dir;
    const std::string file = dir.file("sub/registry.txt");
    {
        RegistryStore store(file);
        auto key = store.create_key("A\\B\\C");
        store.set_string(key, "Text", "line one\nwith = and %");
        store.set_string(key, "Empty", "");
        store.set_dword(key, "Number", 4294967295u);
        store.close_key(key);
    }
    RegistryStore again(file);
    EXPECT_TRUE(again.key_exists("A"));
    EXPECT_TRUE(again.key_exists("a\\b"));  // parents exist, case ignored
    auto text = again.value("A\\B\\C", "text");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, RegistryType::String);
    EXPECT_EQ(text->text, "line one\nwith = and %");
    EXPECT_EQ(text->length, text->text.size());
    auto empty = again.value("A\\B\\C", "Empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->length, 0u);
    EXPECT_EQ(again.value("A\\B\\C", "Number")->number, 4294967295u);
    EXPECT_FALSE(again.value("A\\B\\C", "Other"));
}

TEST(DataSourceRegistration, WritesEveryValueWithItsTypeAndLength) {
    vexlab::test::TempDir dir;
    RegistryStore store(dir.file("registry.txt"));
    const std::string folder = "/opt/my programs/vexlab";  // blanks go in unchanged
    vexlab::platform::register_data_source(store, folder);

    struct Expected {
        std::string key, name;
        RegistryType type;
        std::string text;
        std::uint32_t number;
    } expected[] = {
        {kKey, "DBQ", RegistryType::String, folder + "/commandsbackup.mdb", 0},
        {kKey, "Description", RegistryType::String, "<Desired Description>", 0},
        {kKey, "Driver", RegistryType::String, "C:\\windows\\System\\odbcjt32.dll", 0},
        {kKey, "DriverID", RegistryType::DWord, "", 25},
        {kKey, "FIL", RegistryType::String, "MS Access", 0},
        {kKey, "PWD", RegistryType::String, "", 0},
        {kKey, "SafeTransactions", RegistryType::DWord, "", 0},
        {kKey, "UID", RegistryType::String, "tovek", 0},
        {kKey + "\\Engines\\Jet", "ImplicitCommitSync", RegistryType::String, "", 0},
        {kKey + "\\Engines\\Jet", "MaxBufferSize", RegistryType::DWord, "", 2048},
        {kKey + "\\Engines\\Jet", "PageTimeout", RegistryType::DWord, "", 5},
        {kKey + "\\Engines\\Jet", "Threads", RegistryType::DWord, "", 3},
        {kKey + "\\Engines\\Jet", "UserCommitSync", RegistryType::String, "Yes", 0},
        {"SOFTWARE\\ODBC\\ODBC.INI\\ODBC Data Sources", "netsrc02", RegistryType::String,
         "MIcrosoft Access Driver (*.mdb)", 0},
    };
    RegistryStore reread(store.file());
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        auto value = reread.value(e.key, e.name);
        ASSERT_TRUE(value);  // empty values are present, not left out
        EXPECT_EQ(value->type, e.type);
        if (e.type == RegistryType::String) {
            EXPECT_EQ(value->text, e.text);
            EXPECT_EQ(value->length, e.text.size());
        } else {
            EXPECT_EQ(value->number, e.number);
        }
    }
    EXPECT_EQ(reread.value_names(kKey),
              (std::vector<std::string>{"DBQ", "Description", "Driver", "DriverID", "FIL", "PWD",
                                        "SafeTransactions", "UID"}));
}

TEST(DataSourceRegistration, AnExistingKeyIsReusedAndOtherValuesStay) {
    vexlab::test::TempDir dir;
    RegistryStore store(dir.file("registry.txt"));
    auto key = store.create_key(kKey);
    store.set_string(key, "DBQ", "/old/place/commandsbackup.mdb");
    store.set_string(key, "Mine", "keep me");
    store.close_key(key);

    vexlab::platform::register_data_source(store, "/new");
    RegistryStore reread(store.file());
    EXPECT_EQ(reread.value(kKey, "DBQ")->text, "/new/commandsbackup.mdb");
    EXPECT_EQ(reread.value(kKey, "Mine")->text, "keep me");
    EXPECT_EQ(reread.value_names(kKey).front(), "DBQ");  // overwritten in place
}

TEST(DataSourceRegistration, TheConnectionOpensTheFileTheDataSourceNames) {
    vexlab::test::TempDir dir;
    vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
    RegistryStore store(dir.file("registry.txt"));
    vexlab::db::DatabaseSession session;
    vexlab::platform::Workspace workspace("CommandsODBCWorkspace", "tovek", "");
    const std::string connect = vexlab::platform::program_connect_string();
    EXPECT_EQ(vexlab::platform::connect_field(connect, "DSN"), "netsrc02");

    // Not registered yet: the connection has nothing to open.
    EXPECT_THROW(workspace.open_connection(session, "Connection1", connect, store),
                 vexlab::db::DbError);

    vexlab::platform::register_data_source(store, dir.path().string());
    workspace.open_connection(session, "Connection1", connect, store);
    EXPECT_TRUE(session.is_open());
    EXPECT_EQ(session.path(), dir.file("commandsbackup.mdb"));

    // Point the registration elsewhere and the connection follows it.
    auto key = store.create_key(kKey);
    store.set_string(key, "DBQ", dir.file("elsewhere.mdb"));
    store.close_key(key);
    EXPECT_THROW(workspace.open_connection(session, "Connection1", connect, store),
                 vexlab::db::DbError);
}

}  // namespace
