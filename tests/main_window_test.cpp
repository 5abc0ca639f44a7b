// The main window offscreen: start-up, menus, Lab Exercises groups, help,
// window navigation, and a start on a missing or broken database.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "platform/atomic_file.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/window_navigator.h"
#include "platform/user_dialogs.h"
#include "state/schema_registry.h"
#include "state/table_text.h"
#include "support/leftovers.h"
#include "support/network_state.h"
#include "support/test_database.h"

namespace {

using vexlab::app::Program;
using vexlab::app::ProgramOptions;

class MainWindowTest : public ::testing::Test {
protected:
    ProgramOptions options() {
        return {folder.path().string(), folder.file("config/registry.txt")};
    }
    void with_database() { vexlab::test::fresh_database(folder.file("commandsbackup.mdb")); }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
};

QStringList captions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
    return out;
}

TEST_F(MainWindowTest, StartsWithEveryMenuAndCaption) {
    with_database();
    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    vexlab::app::frmMain* main = program.main_window();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->pos(), QPoint(0, 0));
    EXPECT_EQ(main->windowTitle(), "Router SImulator");
    EXPECT_TRUE(dialogs.shown().empty());

    QStringList top;
    for (QAction* a : main->menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"&Simulator", "&Network Designer", "&Lab Exercises", "&Help"}));
    EXPECT_EQ(captions(main->mnuRsim),
              (QStringList{"&Router Simulator", "&Switch Simulator", "&Network Simulator",
                           "&Example Labs", "-", "E&xit"}));
    EXPECT_EQ(captions(main->mnuhelp),
              (QStringList{"&Contents", "&Disclaimer", "&Administrator", "&About"}));
    EXPECT_EQ(captions(main->mnunwdes), QStringList{"Open Network Designer"});
    EXPECT_TRUE(main->mnunwdes->menuAction()->isVisible());
    EXPECT_TRUE(main->mnuload->isEnabled());
    EXPECT_EQ(main->mnulabex->actions().size(), 11);
    EXPECT_TRUE(main->mnulabex->actions().last()->isSeparator());
    EXPECT_EQ(main->mnuMainlab[1]->objectName(), "mnuMainLab2");
    EXPECT_EQ(main->mnuMainlab[5]->objectName(), "mnuMainlab6");

    // The data source was registered and is what the session opened.
    vexlab::platform::RegistryStore store(options().registry_file);
    auto dbq = store.value("SOFTWARE\\ODBC\\ODBC.INI\\netsrc02", "DBQ");
    ASSERT_TRUE(dbq);
    EXPECT_EQ(dbq->text, program.state().session.path());
    EXPECT_FALSE(program.state().open_mode.start_as_router);
    EXPECT_EQ(program.state().logo_picture_path, folder.file("simulator-logo.gif"));

    main->mnuExit_Click();
    EXPECT_FALSE(program.state().session.is_open());
}

// Saves killed in an earlier run left their temporary files in the folders
// the program writes; the start removes those of this machine whose process
// is gone, and nothing else.
TEST_F(MainWindowTest, TheStartRemovesTheTemporaryFilesOfKilledSaves) {
    with_database();
    // Written by a process that had this one's number, as after a restart.
    const std::string stale = ".vexlab-tmp-" + vexlab::platform::machine_name() + "-" +
                              std::to_string(getpid()) + "-q7Wm2x";
    const std::filesystem::path user = folder.path() / "user";
    const std::filesystem::path config = folder.path() / "config";
    std::filesystem::create_directories(user);
    std::filesystem::create_directories(config);
    std::vector<vexlab::test::Leftover> leftovers = {
        {folder.path() / ("labs-sim.txt" + stale), true},
        {user / ("lab.con" + stale), true},
        {config / ("registry.txt" + stale), true},
        {user / "lab.con", false},
        {user / "lab.con.tmp", false}};
    for (const auto& leftover : leftovers) std::ofstream(leftover.path) << "half";
    for (const auto& where : {user, config})
        for (const auto& leftover : vexlab::test::plant_leftovers(where, "lab.exp"))
            leftovers.push_back(leftover);
    const std::string victim = vexlab::test::read_file(folder.file("victim.txt"));

    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    for (const auto& leftover : leftovers)
        EXPECT_EQ(std::filesystem::exists(leftover.path), !leftover.removed_at_start)
            << leftover.path;
    EXPECT_EQ(vexlab::test::read_file(folder.file("victim.txt")), victim);
    program.main_window()->close();
}

TEST_F(MainWindowTest, LabGroupsFollowTheLabTables) {
    // The shipped database with other lab tables: a database without a
    // command catalogue does not start.
    with_database();
    vexlab::db::DatabaseSession session;
    session.open(folder.file("commandsbackup.mdb"));
    session.execute("DELETE FROM labs");
    session.execute("DELETE FROM sublab");
    vexlab::state::load_table_text(session, vexlab::state::SchemaRegistry::instance(), R"(
table labs
columns index | labname
2 | Switching
table sublab
columns index | sublabnane | ref
8 | VLANs | 2
3 | Ports | 2
)",
                                   "fixture");
    session.close();
    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    auto* main = program.main_window();
    QMenu* group = main->mnuMainlab[1];
    EXPECT_TRUE(group->menuAction()->isVisible());
    EXPECT_EQ(group->title(), "Switching");
    QStringList visible;
    for (QAction* a : group->actions())
        if (a->isVisible()) visible << a->text();
    EXPECT_EQ(visible, (QStringList{"Ports", "VLANs"}));
    EXPECT_FALSE(main->mnulab[1].at(0)->isVisible());  // the template goes
    EXPECT_TRUE(main->mnulab[0].at(0)->isVisible());   // and stays in an empty group
    EXPECT_FALSE(main->mnuMainlab[0]->menuAction()->isVisible());
    EXPECT_EQ(main->mnulab[1].at(8)->text(), "VLANs");
    main->model().lab_item_chosen(2, 8);
    EXPECT_EQ(program.state().selected_sublab, "VLANs");
    main->close();
}

// A fresh database with one statement run on it.
void damage(const std::string& path, const std::string& sql) {
    vexlab::test::fresh_database(path);
    vexlab::db::DatabaseSession session;
    session.open(path);
    session.execute(sql);
}

// Writes a fresh database and answers where in the file the first page of
// a table or an index of it begins.
long long fresh_database_page(const std::string& path, const std::string& name) {
    vexlab::test::fresh_database(path);
    vexlab::db::DatabaseSession session;
    session.open(path);
    const long long page =
        session
            .scalar("SELECT rootpage FROM sqlite_master WHERE name = ?", {vexlab::db::Value(name)})
            .to_int();
    return (page - 1) * session.scalar("PRAGMA page_size").to_int();
}

// A fresh database with the page that holds the start of a table
// overwritten, as a disk fault would leave it.
void damage_pages(const std::string& path, const std::string& table) {
    const long long page = fresh_database_page(path, table);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(page);
    file << std::string(64, '\x55');
}

// A fresh database with one bit of an index's page flipped, in the first
// entry's record header: the quick check of the pages passes it, the first
// read through the index finds it malformed.
void flip_index_bit(const std::string& path, const std::string& index) {
    const long long page = fresh_database_page(path, index);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[8] = {};
    file.seekg(page);
    file.read(reinterpret_cast<char*>(header), sizeof header);
    const long long at = page + header[5] * 256 + header[6] + 1;  // the entries begin at 5-6
    char byte = 0;
    file.seekg(at);
    file.get(byte);
    file.seekp(at);
    file.put(static_cast<char>(byte ^ 1));
}

TEST_F(MainWindowTest, MissingOrBrokenDatabaseIsReportedAndNothingStarts) {
    struct Case {
        std::string name;
        std::function<void(const std::string&)> prepare;
        std::string expect;
    } cases[] = {
        {"missing", [](const std::string&) {}, "does not exist"},
        {"corrupt", [](const std::string& path) { std::ofstream(path) << std::string(4096, 'x'); },
         "not a database"},
        // A database that lacks a table or a column of the schema is refused
        // once, by name, rather than answering lines with failures.
        {"table missing", [](const std::string& path) { damage(path, "DROP TABLE int_det"); },
         "is damaged: the table int_det is missing"},
        {"catalogue table missing",
         [](const std::string& path) { damage(path, "DROP TABLE tblsublabcmds3"); },
         "is damaged: the table tblsublabcmds3 is missing"},
        {"default settings missing",
         [](const std::string& path) { damage(path, "DROP TABLE routervariables_def"); },
         "is damaged: the table routervariables_def is missing"},
        {"column missing",
         [](const std::string& path) {
             damage(path, "ALTER TABLE config_template DROP COLUMN " +
                              vexlab::state::SchemaRegistry::instance()
                                  .get("config_template")
                                  .columns.back()
                                  .name);
         },
         "is damaged: the table config_template has no column"},
        // The shipped copies the console's reset restores the default
        // network from are checked too.
        {"seed column renamed",
         [](const std::string& path) {
             damage(path, "ALTER TABLE route_ip_seed RENAME COLUMN int_name TO interface_name");
         },
         "is damaged: the table route_ip_seed has interface_name where int_name belongs"},
        {"seed column added",
         [](const std::string& path) {
             damage(path, "ALTER TABLE frame_map_seed ADD COLUMN extra TEXT");
         },
         "is damaged: the table frame_map_seed has the column extra too many"},
        {"seed missing", [](const std::string& path) { damage(path, "DROP TABLE nat_dev_seed"); },
         "is damaged: the table nat_dev_seed is missing"},
        {"empty catalogue",
         [](const std::string& path) { damage(path, "DELETE FROM tblsublabcmds"); },
         "is damaged: the command catalogue tblsublabcmds is empty"},
        // Without a level of further words every longer line would answer
        // "Command Not Found".
        {"second words emptied",
         [](const std::string& path) { damage(path, "DELETE FROM tblsublabcmds1"); },
         "is damaged: the command catalogue tblsublabcmds1 is empty"},
        {"a command's further words removed",
         [](const std::string& path) {
             damage(path,
                    "DELETE FROM tblsublabcmds3 WHERE ref = (SELECT \"index\" FROM tblsublabcmds2 "
                    "WHERE further <> 0 AND command = 'pool' ORDER BY rowid LIMIT 1)");
         },
         "is damaged: the command catalogue tblsublabcmds3 lacks the words after \"pool\" of "
         "tblsublabcmds2"},
        // The tables the program ships filled and cannot do without.
        {"default interfaces emptied",
         [](const std::string& path) { damage(path, "DELETE FROM int_det_def"); },
         "is damaged: the table int_det_def is empty"},
        {"default routing emptied",
         [](const std::string& path) { damage(path, "DELETE FROM route_ip_def"); },
         "is damaged: the table route_ip_def is empty"},
        {"shipped copy emptied",
         [](const std::string& path) { damage(path, "DELETE FROM ospf_dev_seed"); },
         "is damaged: the table ospf_dev_seed is empty"},
        {"device models emptied",
         [](const std::string& path) { damage(path, "DELETE FROM device_models"); },
         "is damaged: the table device_models is empty"},
        {"damaged pages", [](const std::string& path) { damage_pages(path, "tblsublabcmds2"); },
         "is damaged: its integrity check fails (Page "},
        {"damaged index", [](const std::string& path) { flip_index_bit(path, "sublab_key1"); },
         "is damaged: database disk image is malformed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vexlab::test::TempDir dir;
        vexlab::platform::ScriptedDialogs seen;
        const std::string db = dir.file("commandsbackup.mdb");
        c.prepare(db);
        Program program({dir.path().string(), dir.file("registry.txt")}, &seen);
        EXPECT_FALSE(program.Main());
        EXPECT_EQ(program.main_window(), nullptr);
        EXPECT_EQ(seen.shown().size(), 1u);
        if (seen.shown().empty()) continue;
        EXPECT_NE(seen.shown()[0].text.find(db), std::string::npos) << seen.shown()[0].text;
        EXPECT_NE(seen.shown()[0].text.find(c.expect), std::string::npos) << seen.shown()[0].text;
    }
}

// A window that fails to open says why without the statement behind a
// database failure; the statement goes to the log.
TEST_F(MainWindowTest, AWindowThatCannotOpenShowsNoStatement) {
    with_database();
    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    auto* main = program.main_window();
    program.state().session.execute("DROP TABLE device");
    main->mnuRoutSim_Click();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const std::string& text = dialogs.shown()[0].text;
    EXPECT_NE(text.find("The console could not be opened."), std::string::npos) << text;
    EXPECT_EQ(dialogs.shown()[0].icon, vexlab::platform::Icon::Critical);
    EXPECT_NE(text.find("no such table: device"), std::string::npos) << text;
    for (const char* verb : {"SELECT", "INSERT", "UPDATE", "DELETE"})
        EXPECT_EQ(text.find(verb), std::string::npos) << text;
    main->close();
}

TEST_F(MainWindowTest, HelpItemsOpenTheHelpPageAndKeepTheWindowEnabled) {
    with_database();
    std::filesystem::create_directories(folder.path() / "help");
    std::ofstream(folder.path() / "help" / "index.html")
        << "<html><body><h1>Help</h1></body></html>";
    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    auto* main = program.main_window();
    for (QAction* item : {main->mnucont, main->mnudisc, main->mnuabout}) {
        SCOPED_TRACE(item->text().toStdString());
        if (auto* old = vexlab::platform::HelpViewer::instance()) old->close();
        QApplication::processEvents();
        item->trigger();
        QApplication::processEvents();  // the help key arrives after the click
        auto* viewer = vexlab::platform::HelpViewer::instance();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->current_file().toStdString(), folder.file("help/index.html"));
        EXPECT_TRUE(main->isEnabled());
    }
    vexlab::platform::HelpViewer::instance()->close();
    main->close();
}

// The help names every menu of the main window and every item in it, and
// the page of each window opened from the menus says which item opens it.
TEST_F(MainWindowTest, TheHelpNamesEveryMenuAndHowToOpenEachWindow) {
    with_database();
    Program program(options(), &dialogs);
    ASSERT_TRUE(program.Main());
    auto* main = program.main_window();
    auto html_of = [](const char* page) {
        std::ifstream file(std::string(VEXLAB_PROGRAM_DIR) + "/help/" + page);
        std::stringstream html;
        html << file.rdbuf();
        return QString::fromStdString(html.str());
    };
    auto plain = [](const QString& html) {
        QTextDocument document;
        document.setHtml(html);
        return document.toPlainText().simplified();
    };
    auto caption = [](QString text) { return text.remove('&'); };

    const QString started = plain(html_of("getting-started.html"));
    ASSERT_FALSE(started.isEmpty());
    for (QAction* menu : main->menuBar()->actions()) {
        SCOPED_TRACE(caption(menu->text()).toStdString());
        EXPECT_TRUE(started.contains(caption(menu->text())));
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isVisible() || item->isSeparator() || item->menu()) continue;
            EXPECT_TRUE(started.contains(caption(item->text())))
                << caption(item->text()).toStdString();
        }
    }

    const QString windows = html_of("windows.html");
    struct Opening {
        const char* section;  // the anchor of the window's section
        QMenu* menu;
        QAction* item;
    };
    for (const Opening& o : {Opening{"designer", main->mnunwdes, main->mnuload},
                             Opening{"admin", main->mnuhelp, main->mnuadmin}}) {
        SCOPED_TRACE(o.section);
        const qsizetype anchor = windows.indexOf(QString("name=\"%1\"").arg(o.section));
        ASSERT_GE(anchor, 0);
        const qsizetype start = windows.lastIndexOf("<h2", anchor);
        const QString section = plain(windows.mid(start, windows.indexOf("<h2", anchor) - start));
        EXPECT_TRUE(section.contains(caption(o.menu->title()) + " > " + caption(o.item->text())))
            << section.toStdString();
    }
    main->close();
}

class ProbeWindow : public vexlab::platform::FormWindow {
public:
    bool refuse = false;
    int unloads = 0;

protected:
    bool query_unload() override { return !refuse; }
    void form_unload() override { ++unloads; }
};

TEST(WindowNavigation, AChildDisablesItsOpenerUntilItUnloads) {
    QWidget opener;
    opener.show();
    ProbeWindow child;
    vexlab::platform::show_child(&opener, &child);
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_TRUE(child.isVisible());
    EXPECT_TRUE(child.isEnabled());

    child.refuse = true;  // a refused close is no unload
    child.close();
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_EQ(child.unloads, 0);

    child.refuse = false;
    child.close();
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_EQ(child.unloads, 1);

    // Reused single instance: a second opening links it again, once.
    vexlab::platform::show_child(&opener, &child);
    vexlab::platform::show_child(&opener, &child);
    EXPECT_FALSE(opener.isEnabled());
    child.close();
    EXPECT_TRUE(opener.isEnabled());
}

// Counts how often a window's enabled state changes.
class EnabledWatch : public QObject {
public:
    int changes = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) ++changes;
        return false;
    }
};

TEST(WindowNavigation, AnOpenerWithTwoChildrenWaitsForTheLast) {
    QWidget opener;
    opener.show();
    ProbeWindow first, second;
    vexlab::platform::show_child(&opener, &first);
    vexlab::platform::show_child(&opener, &second);
    first.close();
    EXPECT_FALSE(opener.isEnabled());
    second.close();
    EXPECT_TRUE(opener.isEnabled());

    // A window that takes over from a closing one holds the opener first.
    vexlab::platform::show_child(&opener, &first);
    QObject::connect(&first, &vexlab::platform::FormWindow::unloaded, &second,
                     [&] { vexlab::platform::show_child(&opener, &second); });
    EnabledWatch watch;
    opener.installEventFilter(&watch);
    first.close();
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_EQ(watch.changes, 0);
    second.close();
    EXPECT_TRUE(opener.isEnabled());
}

// A settings folder that cannot be written is reported as such, naming the
// settings file; no statement text reaches the user.
TEST_F(MainWindowTest, AnUnwritableSettingsFileIsReportedByName) {
    with_database();
    // The settings file's folder is a plain file: nothing can be written in it.
    std::ofstream(folder.file("config")) << "not a folder";
    Program program(options(), &dialogs);
    EXPECT_FALSE(program.Main());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const std::string& text = dialogs.shown()[0].text;
    EXPECT_NE(text.find("settings could not be written to " + folder.file("config/registry.txt")),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("database"), std::string::npos) << text;
    EXPECT_EQ(text.find("SELECT"), std::string::npos) << text;
}

}  // namespace
