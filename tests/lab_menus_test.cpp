// The Lab Exercises menus built from the lab tables.

#include "app/lab_menus.h"

#include <gtest/gtest.h>

#include "platform/db_session.h"
#include "state/schema_registry.h"
#include "state/table_text.h"
#include "support/test_database.h"

namespace {

vexlab::app::LabMenus menus_for(const std::string& rows) {
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    vexlab::test::empty_database(session, dir.file("labs.db"));
    // The menus must cope with a database that lacks the sublab key (one
    // index used twice), so the fixture goes without it.
    session.execute("DROP INDEX sublab_key1");
    vexlab::state::load_table_text(session, vexlab::state::SchemaRegistry::instance(), rows,
                                   "fixture");
    return vexlab::app::load_labs(session);
}

TEST(LabMenus, GroupsTakeTheLabNameAndItemsComeInIndexOrder) {
    auto menus = menus_for(R"(
table labs
columns index | labname
1  | Basics
3  | Routing
4  | Empty lab
11 | Beyond the menu
table sublab
columns index | sublabnane | ref
7  | Later item | 1
2  | Earlier item | 1
5  | RIP | 3
9  | Lost | 11
12 | Orphan | 0
)");
    const auto& g1 = menus.groups[0];
    EXPECT_TRUE(g1.visible);
    EXPECT_EQ(g1.caption, "Basics");
    EXPECT_FALSE(g1.template_visible);
    ASSERT_EQ(g1.items.size(), 2u);
    EXPECT_EQ(g1.items.begin()->second, "Earlier item");
    EXPECT_EQ(g1.items.rbegin()->first, 7);

    EXPECT_FALSE(menus.groups[1].visible);  // no lab 2
    EXPECT_EQ(menus.groups[1].caption, "Lab2");
    EXPECT_TRUE(menus.groups[1].template_visible);
    EXPECT_TRUE(menus.groups[2].visible);
    EXPECT_EQ(menus.groups[2].items.at(5), "RIP");
    EXPECT_FALSE(menus.groups[3].visible);  // a lab without sublabs stays hidden
    for (const auto& group : menus.groups)
        for (const auto& item : group.items) EXPECT_NE(item.second, "Lost");
}

TEST(LabMenus, NoLabsGiveNoGroups) {
    auto menus = menus_for("table labs\ncolumns index | labname\n");
    for (const auto& group : menus.groups) EXPECT_FALSE(group.visible);
}

TEST(LabMenus, BadSublabIndexesAreSkippedNotFatal) {
    auto menus = menus_for(R"(
table labs
columns index | labname
1 | Basics
table sublab
columns index | sublabnane | ref
0     | Zero | 1
4     | First four | 1
4     | Second four | 1
40000 | Too big | 1
-2    | Negative | 1
6     | Fine | 1
)");
    const auto& g1 = menus.groups[0];
    ASSERT_EQ(g1.items.size(), 2u);
    EXPECT_EQ(g1.items.at(4), "First four");
    EXPECT_EQ(g1.items.at(6), "Fine");
    EXPECT_EQ(menus.skipped.size(), 4u);
}

}  // namespace
