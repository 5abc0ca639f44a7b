// The example-labs browser and its editor offscreen: opened from the main
// menu, the console and the administrator's side, browsing the tree, Always
// On Top, and each editing operation with its messages.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/ui/frmNetdgm.h"
#include "console/ui/frmRoutSim.h"
#include "example_network.h"
#include "labs/example_lab_load.h"
#include "labs/ui/example_lab_tree.h"
#include "labs/ui/frmLabs.h"
#include "labs/ui/frmLabsimAd.h"
#include "platform/user_dialogs.h"
#include "support/file_mutations.h"
#include "support/test_database.h"
#include "support/window_fit.h"

namespace {

using vexlab::labs::frmLabs;
using vexlab::labs::frmLabsimAd;
using vexlab::labs::LabsOpening;

constexpr const char* kLabs =
    "[section]\r\n"
    "sectionname = Basics\r\n"
    "NumberOfLabs = 2\r\n"
    "labname = Modes\r\n"
    "labpath = /labs/modes.html\r\n"
    "labname = Routing\r\n"
    "labpath = /labs/basics-routing.html\r\n"
    "\r\n"
    "[section]\r\n"
    "sectionname = Routing\r\n"
    "NumberOfLabs = 2\r\n"
    "labname = RIP\r\n"
    "labpath = /labs/rip.html\r\n"
    "labname = No page\r\n"
    "\r\n";

void write_file(const std::filesystem::path& path, std::string_view text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

QStringList tree_text(QTreeWidget* tree) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* section = tree->topLevelItem(i);
        QString line = section->text(0) + ":";
        for (int j = 0; j < section->childCount(); ++j) line += " " + section->child(j)->text(0);
        out << line;
    }
    return out;
}

QTreeWidgetItem* node(QTreeWidget* tree, const QString& section, const QString& lab = {}) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* s = tree->topLevelItem(i);
        if (s->text(0) != section) continue;
        if (lab.isEmpty()) return s;
        for (int j = 0; j < s->childCount(); ++j)
            if (s->child(j)->text(0) == lab) return s->child(j);
    }
    return nullptr;
}

QStringList visible_items(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (a->isVisible()) out << (a->isSeparator() ? "-" : a->text());
    return out;
}

class LabsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        write_file(folder.path() / "labs-sim.txt", kLabs);
        for (const char* page : {"labs/cover.html", "labs/modes.html", "labs/rip.html"})
            write_file(folder.path() / page, "<html><body><p>page</p></body></html>");
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        main = program->main_window();
    }
    void TearDown() override {
        if (main) main->close();
    }

    QString page(const char* name) const { return QString::fromStdString(folder.file(name)); }
    QString shown(frmLabs* labs) const { return labs->WebBrowser1->source().toLocalFile(); }
    std::string last_message() const {
        return dialogs.shown().empty() ? "" : dialogs.shown().back().text;
    }
    std::string labs_file() const { return read_file(folder.file("labs-sim.txt")); }

    // The lab "RIP" of the list gets the shipped RIP lab's network.
    void give_rip_its_network() {
        write_file(folder.path() / "load_labs.txt",
                   "labname = RIP\r\nlabpath = /labs/networks/rip.exp\r\n");
        const std::string source =
            read_file(vexlab::test::resources_dir() + "/example_labs/networks/rip.net");
        write_file(folder.path() / "labs/networks/rip.exp",
                   vexlab::examples::export_text(program->state().session,
                                                 vexlab::examples::parse_example(source, "rip")));
    }
    int device_count() {
        auto rows = program->state().session.open_recordset("SELECT count(*) FROM device");
        return static_cast<int>(rows.field(0).to_int());
    }

    // Opens the browser as the administrator's home does, and an editor from it.
    frmLabsimAd* editor_for(QAction*(frmLabs::*menu), QWidget* home) {
        frmLabs* labs = main->labs_window();
        labs->open(LabsOpening::Administrator, home);
        (labs->*menu)->trigger();
        return labs->editor();
    }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::app::frmMain* main = nullptr;
};

TEST_F(LabsWindowTest, MainMenuOpensTheBrowserOnTheCoverPage) {
    ASSERT_TRUE(main->mnuExLabs->isEnabled());
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    EXPECT_TRUE(labs->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(labs->windowTitle(), "Labs");
    EXPECT_EQ(labs->pos(), QPoint(0, 8));  // 120 twips down
    EXPECT_TRUE(program->state().open_mode.labs_opened_from_main_menu);
    EXPECT_EQ(tree_text(labs->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page"}));
    EXPECT_EQ(shown(labs), page("labs/cover.html"));
    EXPECT_FALSE(labs->Command1->isVisibleTo(labs));
    // A learner's menu: no editing items.
    EXPECT_EQ(visible_items(labs->mnuFile), (QStringList{"-", "Always On Top", "-", "E&xit"}));
    EXPECT_FALSE(labs->mnuAddSec->isEnabled());

    labs->mnuExit->trigger();
    EXPECT_FALSE(labs->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(program->state().open_mode.labs_opened_from_main_menu);
}

TEST_F(LabsWindowTest, NodeClicksShowPagesAndTheLoadButton) {
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    struct Click {
        const char* section;
        const char* lab;
        const char* page;  // empty: the program folder
        bool load_button;
    };
    const Click clicks[] = {
        {"Basics", "Modes", "labs/modes.html", true},
        {"Routing", nullptr, "labs/cover.html", false},
        {"Routing", "RIP", "labs/rip.html", true},
        {"Routing", "No page", "", true},
        // Two labs of one name: the page of the first in the file.
        {"Routing", nullptr, "labs/cover.html", false},
        {"Basics", "Routing", "labs/basics-routing.html", true},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(std::string(c.section) + "/" + (c.lab ? c.lab : ""));
        labs->TreeView1_NodeClick(node(labs->TreeView1, c.section, c.lab ? c.lab : ""));
        EXPECT_EQ(labs->chosen_lab_name(), c.lab ? c.lab : c.section);
        EXPECT_EQ(shown(labs), *c.page ? page(c.page) : QString::fromStdString(folder.path()));
        EXPECT_EQ(labs->Command1->isVisibleTo(labs), c.load_button);
    }

    // A new load starts with nothing chosen on screen; the name stays.
    labs->close();
    main->mnuExLabs->trigger();
    EXPECT_FALSE(labs->Command1->isVisibleTo(labs));
    EXPECT_EQ(shown(labs), page("labs/cover.html"));
    EXPECT_EQ(labs->chosen_lab_name(), "Routing");
    labs->close();
}

TEST_F(LabsWindowTest, AlwaysOnTopTwiceLeavesAnOrdinaryWindow) {
    // The place is the frame's, the size the client area's.
    auto place_and_size = [](QWidget* w) {
        QApplication::processEvents();
        return std::pair{w->pos(), w->size()};
    };
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    labs->mnuOnTop->trigger();
    EXPECT_TRUE(labs->mnuOnTop->isChecked());
    EXPECT_TRUE(labs->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(place_and_size(labs), (std::pair{QPoint(0, 100), QSize(800, 150)}));
    EXPECT_TRUE(labs->isVisible());

    labs->mnuOnTop_Click();
    EXPECT_FALSE(labs->mnuOnTop->isChecked());
    EXPECT_FALSE(labs->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(place_and_size(labs), (std::pair{QPoint(0, 0), QSize(500, 500)}));
    EXPECT_TRUE(labs->isVisible());

    // The next opening starts at the window's own size and place.
    const std::pair own{QPoint(0, 120 / 15),
                        QSize(frmLabs::kClientWidth / 15, frmLabs::kClientHeight / 15)};
    labs->close();
    main->mnuExLabs->trigger();
    EXPECT_EQ(place_and_size(labs), own);

    // Each load starts unchecked, at that size and place again.
    labs->mnuOnTop->trigger();
    labs->close();
    main->mnuExLabs->trigger();
    EXPECT_FALSE(labs->mnuOnTop->isChecked());
    EXPECT_FALSE(labs->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(place_and_size(labs), own);
    labs->close();

    // The console's opening too.
    main->mnuNetSim->trigger();
    labs->mnuOnTop->trigger();
    main->routsim()->Command6->click();
    labs->mnuOnTop->trigger();
    labs->mnuOnTop->trigger();
    labs->close();
    main->routsim()->Command6->click();
    EXPECT_EQ(place_and_size(labs), own);
    labs->close();
}

// Every placement is of the frame, so the title bar is on the screen.
// Offscreen the frame is known from the start and a client area placed past
// the screen's top or left edge is pushed back onto it: a client-area
// placement shows only away from that corner (Always On Top, 100 pixels down).
TEST_F(LabsWindowTest, TitleBarsStayOnTheScreen) {
    frmLabs* labs = main->labs_window();
    struct Step {
        const char* what;
        std::function<void()> act;
        QWidget* window;
        QPoint frame;
    };
    const Step steps[] = {
        {"the program's start", [] {}, main, {0, 0}},
        {"Example Labs", [&] { main->mnuExLabs->trigger(); }, labs, {0, 120 / 15}},
        {"Always On Top", [&] { labs->mnuOnTop->trigger(); }, labs, {0, 100}},
        {"Always On Top again", [&] { labs->mnuOnTop->trigger(); }, labs, {0, 0}},
        // Placed again when its native window exists already.
        {"the console's labs button",
         [&] {
             labs->close();
             labs->winId();
             main->mnuNetSim->trigger();
             main->routsim()->Command6->click();
         },
         labs,
         {0, 120 / 15}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QApplication::processEvents();
        ASSERT_TRUE(step.window->isVisible());
        EXPECT_EQ(step.window->frameGeometry().topLeft(), step.frame);
        EXPECT_LT(step.window->frameGeometry().top(), step.window->geometry().top());
    }
    labs->close();
}

// "Load the Lab" stands clear of the page at every size of the window, and
// the page keeps its place when the button comes and goes.
TEST_F(LabsWindowTest, LoadTheLabNeverCoversThePage) {
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    auto on_screen = [](QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); };
    const QRect page_at_cover = on_screen(labs->WebBrowser1);
    labs->TreeView1_NodeClick(node(labs->TreeView1, "Basics", "Modes"));
    QApplication::processEvents();
    EXPECT_EQ(on_screen(labs->WebBrowser1), page_at_cover);
    for (const QSize size : {labs->size(), QSize(800, 150), QSize(500, 500), QSize(1400, 1000)}) {
        SCOPED_TRACE(QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        labs->resize(size);
        QApplication::processEvents();
        ASSERT_TRUE(labs->Command1->isVisible());
        const QRect button = on_screen(labs->Command1);
        EXPECT_FALSE(button.intersects(on_screen(labs->WebBrowser1)));
        EXPECT_TRUE(on_screen(labs).contains(button));
        EXPECT_EQ(labs->Command1->visibleRegion(), QRegion(labs->Command1->rect()));
    }
    labs->close();
}

// Every name in the tree reads whole, in the browser and in the editor: the
// tree widens for a long name up to twice its own width, and the window
// widens with it, so the page and the editor's controls keep their room; a
// longer name still runs past the tree's edge, for the horizontal scroll bar
// to reach.  Each node's tool tip holds its name.
TEST_F(LabsWindowTest, TheTreesShowEveryNameWhole) {
    struct Case {
        const char* what;
        std::string lab;
        bool wider;
        bool scrolls;
    };
    const Case cases[] = {
        {"short names", "RIP", false, false},
        {"a long name", "Ethernet and Serial Interfaces", true, false},
        {"a name longer than twice the tree",
         "Routing between three sites over Frame Relay, with OSPF stub areas and NAT", true, true},
    };
    const int browser_tree = frmLabs::kTreeWidth / 15,
              page_room = (frmLabs::kClientWidth - frmLabs::kTreeWidth) / 15;
    const int editor_tree = 2415 / 15, editor_controls = (9690 - 2415) / 15;
    const Case* now = nullptr;
    // `rest`: the room beside the tree.
    auto check = [&](QWidget* window, QTreeWidget* tree, int least, int rest) {
        tree->expandAll();
        QApplication::processEvents();
        EXPECT_EQ(vexlab::test::clipped_in(window), QStringList());
        EXPECT_EQ(window->width() - tree->width(), rest);
        EXPECT_EQ(tree->width() > least, now->wider) << tree->width();
        EXPECT_LE(tree->width(), 2 * least);
        EXPECT_EQ(tree->horizontalScrollBar()->maximum() > 0, now->scrolls);
        QTreeWidgetItem* lab = node(tree, "Basics", QString::fromStdString(now->lab));
        ASSERT_NE(lab, nullptr);
        EXPECT_EQ(lab->toolTip(0), QString::fromStdString(now->lab));
    };
    auto check_editor = [&](frmLabsimAd* editor) {
        check(editor, editor->TreeView1, editor_tree, editor_controls);
        for (QWidget* control : editor->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control == editor->TreeView1) continue;
            EXPECT_FALSE(control->geometry().intersects(editor->TreeView1->geometry()))
                << control->objectName().toStdString();
        }
    };

    auto write_list = [&](const std::string& lab) {
        write_file(folder.path() / "labs-sim.txt",
                   "[section]\r\nsectionname = Basics\r\nNumberOfLabs = 1\r\nlabname = " + lab +
                       "\r\nlabpath = /labs/modes.html\r\n");
    };

    QWidget home;
    frmLabs* labs = main->labs_window();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        now = &c;
        write_list(c.lab);
        labs->open(LabsOpening::Administrator, &home);
        check(labs, labs->TreeView1, browser_tree, page_room);
        labs->mnuEdit->trigger();
        check_editor(labs->editor());
        labs->editor()->close();
        labs->close();
    }

    // A long name added in the editor widens its tree at once.
    write_list("RIP");
    frmLabsimAd* editor = editor_for(&frmLabs::mnuAddLab, &home);
    now = &cases[1];
    editor->TreeView1_NodeClick(node(editor->TreeView1, "Basics"));
    editor->Text2->setText(QString::fromStdString(now->lab));
    editor->Text3->setText("/labs/interfaces.html");
    editor->Command4->click();
    check_editor(editor);
    editor->close();
    labs->close();
}

TEST_F(LabsWindowTest, ConsoleOpensTheLabsBesideItAndTakesThemAlongOnExit) {
    main->mnuNetSim->trigger();
    vexlab::console::frmRoutSim* console = main->routsim();
    ASSERT_TRUE(console->Command6->isEnabled());
    console->Command6->click();
    frmLabs* labs = main->labs_window();
    EXPECT_TRUE(labs->isVisible());
    EXPECT_TRUE(console->isEnabled());
    EXPECT_TRUE(program->state().open_mode.labs_opened_from_console);
    EXPECT_EQ(visible_items(labs->mnuFile), (QStringList{"-", "Always On Top", "-", "E&xit"}));

    // Closing the labs alone gives nobody anything; pressing the button
    // again shows the same window at its place.
    labs->move(200, 200);
    console->Command6->click();
    EXPECT_EQ(labs, main->labs_window());
    EXPECT_EQ(labs->pos(), QPoint(0, 8));
    labs->close();
    EXPECT_TRUE(console->isEnabled());
    EXPECT_FALSE(main->isEnabled());

    console->Command6->click();
    console->Command4->click();  // E&xit
    EXPECT_FALSE(console->isVisible());
    EXPECT_FALSE(labs->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(program->state().open_mode.labs_opened_from_console);
}

TEST_F(LabsWindowTest, UnknownLabOpensTheConsoleAndSaysSo) {
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    labs->TreeView1_NodeClick(node(labs->TreeView1, "Basics", "Modes"));
    labs->Command1->click();
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().back().title, "Load Lab Failure");
    EXPECT_EQ(last_message(), "Not able to find the Lab Path");
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
    EXPECT_FALSE(labs->ProgressBar1->isVisibleTo(labs));
    // The console came up first and stays on the default network.
    vexlab::console::frmRoutSim* console = main->routsim();
    ASSERT_NE(console, nullptr);
    EXPECT_TRUE(console->isVisible());
    EXPECT_TRUE(program->state().table_set.is_default());

    // The main window waits for both windows.
    labs->close();
    EXPECT_FALSE(main->isEnabled());
    console->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(LabsWindowTest, LoadTheLabPutsTheLabIntoTheConsole) {
    give_rip_its_network();
    main->mnuExLabs->trigger();
    frmLabs* labs = main->labs_window();
    labs->TreeView1_NodeClick(node(labs->TreeView1, "Routing", "RIP"));
    labs->Command1->click();
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().back().title, "Load Lab Success");
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::None);
    EXPECT_EQ(last_message(), vexlab::labs::kLabLoaded);
    EXPECT_FALSE(labs->ProgressBar1->isVisibleTo(labs));

    vexlab::console::frmRoutSim* console = main->routsim();
    ASSERT_NE(console, nullptr);
    EXPECT_TRUE(console->isVisible());
    EXPECT_TRUE(labs->isVisible());
    auto& state = program->state();
    EXPECT_FALSE(state.table_set.is_default());
    EXPECT_EQ(state.console.device.current_device, "R1");
    EXPECT_EQ(device_count(), 5);  // three routers, two workstations
    EXPECT_EQ(state.network.network_picture_path, folder.file("labs/networks/rip.jpg"));

    // The console works on the lab: Return starts, the lab's R1 answers.
    QTest::keyClick(console->Text1, Qt::Key_Return);
    QTest::keyClicks(console->Text1, "enable");
    QTest::keyClick(console->Text1, Qt::Key_Return);
    EXPECT_TRUE(console->Text1->toPlainText().contains("R1>enable\nR1#"))
        << console->Text1->toPlainText().right(30).toStdString();
    console->Command3->click();  // N/W Diagram: the lab's description
    ASSERT_NE(console->netdgm(), nullptr);
    EXPECT_TRUE(console->netdgm()->txtNetDesc->toPlainText().startsWith("Three 2501 routers"));
    console->netdgm()->close();

    // The main window waits for the labs and the console the labs opened.
    labs->close();
    EXPECT_FALSE(main->isEnabled());
    console->Command4->click();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(LabsWindowTest, LoadTheLabFromTheConsoleKeepsItsWindow) {
    give_rip_its_network();
    main->mnuNetSim->trigger();
    vexlab::console::frmRoutSim* console = main->routsim();
    QTest::keyClick(console->Text1, Qt::Key_Return);
    QTest::keyClicks(console->Text1, "enable");
    QTest::keyClick(console->Text1, Qt::Key_Return);
    const QString before = console->Text1->toPlainText();
    console->Command6->click();
    frmLabs* labs = main->labs_window();
    labs->TreeView1_NodeClick(node(labs->TreeView1, "Routing", "RIP"));
    labs->Command1->click();
    EXPECT_EQ(last_message(), vexlab::labs::kLabLoaded);
    EXPECT_EQ(console, main->routsim());
    EXPECT_NE(console->Text1->toPlainText(), before);  // a new session on the lab
    EXPECT_EQ(device_count(), 5);
    EXPECT_EQ(program->state().console.mode.prompt_text, "R1>");
    EXPECT_TRUE(console->isEnabled());

    // A refused file: the message names it, and the lab stays loaded.
    write_file(folder.path() / "labs/networks/rip.exp", "<2501>\r\n");
    labs->Command1->click();
    EXPECT_EQ(dialogs.shown().back().title, "Load Lab Failure");
    EXPECT_EQ(last_message().rfind("The network file could not be loaded.", 0), 0u);
    EXPECT_EQ(device_count(), 5);
    console->Command4->click();
    EXPECT_FALSE(labs->isVisible());
    EXPECT_TRUE(main->isEnabled());
}

// Load the Lab while the console and its network diagram are open: both
// show the lab as they would if they had been opened on it.  The console
// drops the old session (a device renamed Branch2, at its privileged
// prompt) for the start text, and Return starts on the lab's first device;
// the diagram shows the lab's picture, description and devices.
TEST_F(LabsWindowTest, LoadTheLabShowsTheLabInEveryOpenWindow) {
    give_rip_its_network();
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(page("labs/networks/rip.jpg"), "BMP"));
    main->mnuNetSim->trigger();
    vexlab::console::frmRoutSim* console = main->routsim();
    for (const char* line : {"", "enable", "configure terminal", "hostname Branch2", "end"}) {
        QTest::keyClicks(console->Text1, line);
        QTest::keyClick(console->Text1, Qt::Key_Return);
    }
    ASSERT_TRUE(console->Text1->toPlainText().endsWith("\nBranch2#\n"));
    console->Command6->click();
    frmLabs* labs = main->labs_window();
    console->Command3->click();
    vexlab::console::frmNetdgm* diagram = console->netdgm();
    ASSERT_TRUE(diagram && diagram->isVisible());
    ASSERT_TRUE(diagram->Image1->pixmap().isNull());  // the default network's is not here

    labs->TreeView1_NodeClick(node(labs->TreeView1, "Routing", "RIP"));
    labs->Command1->click();
    EXPECT_EQ(last_message(), vexlab::labs::kLabLoaded);

    const QString fresh =
        QString::fromStdString(vexlab::console::start_text()).replace("\r\n", "\n");
    EXPECT_EQ(console->Text1->toPlainText().toStdString(), fresh.toStdString());
    EXPECT_TRUE(diagram->isVisible());
    EXPECT_TRUE(diagram->txtNetDesc->toPlainText().startsWith("Three 2501 routers"))
        << diagram->txtNetDesc->toPlainText().toStdString();
    EXPECT_EQ(diagram->Image1->pixmap().size(), QSize(40, 30));
    EXPECT_EQ(diagram->Combo1->currentText().toStdString(), "R1");
    diagram->Combo1_DropDown();
    EXPECT_EQ(diagram->Combo1->count(), 5);
    diagram->close();

    // The session starts on the lab's R1, and the typed line is the one
    // the console takes.
    QTest::keyClick(console->Text1, Qt::Key_Return);
    EXPECT_TRUE(console->Text1->toPlainText().endsWith("Press \"Return\" to start\nR1>\n"))
        << console->Text1->toPlainText().right(40).toStdString();
    QTest::keyClicks(console->Text1, "enable");
    QTest::keyClick(console->Text1, Qt::Key_Return);
    EXPECT_TRUE(console->Text1->toPlainText().endsWith("R1>enable\nR1#\n"))
        << console->Text1->toPlainText().right(40).toStdString();
    console->Command4->click();
}

TEST_F(LabsWindowTest, EditingMenusHandOverToTheEditorAndBack) {
    QWidget home;  // stands in for the administrator's home window
    home.show();
    frmLabs* labs = main->labs_window();
    labs->open(LabsOpening::Administrator, &home);
    EXPECT_FALSE(home.isEnabled());
    EXPECT_EQ(visible_items(labs->mnuFile), (QStringList{"Add Section", "Add Lab", "Edit", "Remove",
                                                         "-", "Always On Top", "-", "E&xit"}));

    labs->mnuAddSec->trigger();
    frmLabsimAd* editor = labs->editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(labs->isVisible());
    EXPECT_FALSE(home.isEnabled());
    EXPECT_EQ(editor->windowTitle(), "LabsAD");
    EXPECT_TRUE(editor->Text1->isEnabled());
    EXPECT_TRUE(editor->Command2->isEnabled());
    for (QWidget* w :
         std::initializer_list<QWidget*>{editor->Text2, editor->Text3, editor->Command1,
                                         editor->Command4, editor->Command6, editor->Command3})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

    editor->Text1->setText("Switching");
    editor->Command2->click();
    editor->Command5->click();  // Back
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(labs->isVisible());
    EXPECT_FALSE(home.isEnabled());
    EXPECT_TRUE(program->state().open_mode.labs_opened_for_editing);
    EXPECT_EQ(tree_text(labs->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page", "Switching:"}));

    labs->close();
    EXPECT_TRUE(home.isEnabled());
    EXPECT_FALSE(program->state().open_mode.labs_opened_for_editing);
}

TEST_F(LabsWindowTest, EditorClosedByItsCloseBoxActsAsBack) {
    QWidget home;
    home.show();
    frmLabsimAd* editor = editor_for(&frmLabs::mnuRem, &home);
    editor->close();
    EXPECT_TRUE(main->labs_window()->isVisible());
    EXPECT_FALSE(home.isEnabled());
    main->labs_window()->close();
    EXPECT_TRUE(home.isEnabled());
}

TEST_F(LabsWindowTest, AddSectionChecksTheName) {
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuAddSec, &home);
    editor->Command2->click();
    EXPECT_EQ(last_message(), "please enter the section name");
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::None);
    editor->Text1->setText("Basics");
    editor->Command2->click();
    EXPECT_EQ(last_message(),
              "this section name already exists,Please choose another section name");
    // Names compare as the tree shows them: blanks around a name are not
    // shown, so " Basics " is Basics again; other letter case is new.
    editor->Text1->setText(" Basics ");
    editor->Command2->click();
    EXPECT_EQ(last_message(),
              "this section name already exists,Please choose another section name");
    editor->Text1->setText("   ");
    editor->Command2->click();
    EXPECT_EQ(last_message(), "please enter the section name");
    EXPECT_EQ(labs_file(), kLabs);
    editor->Text1->setText(" basics");
    editor->Command2->click();
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page", "basics:"}));
    EXPECT_NE(labs_file().find("sectionname =  basics\r\n"), std::string::npos);
    editor->close();
}

// A list written before names were checked as shown holds " Routing" beside
// "Routing".  Each node stands for its own block: removing the empty one
// keeps the other section and its labs, and a change of one never reaches
// the other.
TEST_F(LabsWindowTest, TwoSectionsThatShowAlikeAreChangedOneAtATime) {
    const std::string both = std::string(kLabs) + "\r\n[section]\r\nsectionname =  Routing\r\n";
    write_file(folder.path() / "labs-sim.txt", both);
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuAddSec, &home);
    editor->Text1->setText(" Routing");
    editor->Command2->click();
    EXPECT_EQ(last_message(),
              "this section name already exists,Please choose another section name");
    editor->close();
    main->labs_window()->close();

    editor = editor_for(&frmLabs::mnuAddLab, &home);
    editor->TreeView1_NodeClick(editor->TreeView1->topLevelItem(2));
    editor->Text2->setText("RIP");  // the other Routing's lab, not this one's
    editor->Text3->setText("/labs/rip.html");
    editor->Command4->click();
    editor->Text2->setText(" RIP ");
    editor->Command4->click();
    EXPECT_EQ(last_message(), "this lab name already exis,please choose another lab name");
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page", "Routing: RIP"}));
    editor->close();
    main->labs_window()->close();

    editor = editor_for(&frmLabs::mnuRem, &home);
    editor->TreeView1_NodeClick(editor->TreeView1->topLevelItem(2));
    dialogs.next_answer(vexlab::platform::Answer::Yes);
    editor->Command3->click();
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page"}));
    EXPECT_EQ(labs_file(), std::string(kLabs) + "\r\n");
    editor->close();
    main->labs_window()->close();
    main->mnuExLabs->trigger();
    EXPECT_EQ(tree_text(main->labs_window()->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page"}));
    main->labs_window()->close();
}

TEST_F(LabsWindowTest, AListTheReaderRefusesIsShownAsNothingAndSaysWhy) {
    const std::string broken = "[section]\r\nsectionname = A\r\nNumberOfLabs = many\r\n";
    write_file(folder.path() / "labs-sim.txt", broken);
    main->mnuExLabs->trigger();
    EXPECT_EQ(main->labs_window()->TreeView1->topLevelItemCount(), 0);
    EXPECT_EQ(last_message(), "The list of labs could not be read.\n" +
                                  folder.file("labs-sim.txt") +
                                  "\nLine 3: the number of labs \"many\" is not a count from 0 "
                                  "to 32767");
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
    main->labs_window()->close();

    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuAddSec, &home);
    editor->Text1->setText("New");
    editor->Command2->click();
    EXPECT_EQ(last_message().rfind("The list of labs could not be saved; it is as it was.", 0), 0u);
    EXPECT_EQ(labs_file(), broken);
    editor->close();
}

// Whatever list the reader accepts, mutated as the file fuzz test mutates
// lists, the editor shows each of its sections and labs under the name the
// list holds, and each node leads the writers to its own section or lab.
TEST_F(LabsWindowTest, TheEditorShowsEveryListTheReaderAccepts) {
    using namespace vexlab::labs;
    const std::string seeds[] = {
        read_file(vexlab::test::resources_dir() + "/example_labs/labs-sim.txt"),
        read_file(std::string(VEXLAB_SOURCE_DIR) + "/tests/fixtures/labs-list/hand-edited.txt")};
    const ExampleLabsFile list(folder.path().string());
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuEdit, &home);
    vexlab::test::Mutator mutate(vexlab::test::fuzz_seed());
    const long files = vexlab::test::files_per_reader();
    long accepted = 0;
    for (long n = 0; n < files; ++n) {
        const vexlab::test::Mutation m = mutate(seeds[n % 2], n);
        if (m.folder) continue;
        SCOPED_TRACE("list " + std::to_string(n) + ": " + m.what);
        write_file(list.path(), m.bytes);
        std::vector<LabSection> tree;
        try {
            tree = list.read_lab_tree();
        } catch (const LabsListError&) {
            continue;
        }
        ++accepted;
        editor->Form_Load();
        QTreeWidget* shown = editor->TreeView1;
        ASSERT_EQ(shown->topLevelItemCount(), static_cast<int>(tree.size()));
        for (int s = 0; s < shown->topLevelItemCount(); ++s) {
            QTreeWidgetItem* section = shown->topLevelItem(s);
            EXPECT_EQ(node_text(*section), tree[s].name);
            EXPECT_TRUE(list.holds(section_of(*section))) << tree[s].name;
            ASSERT_EQ(section->childCount(), static_cast<int>(tree[s].labs.size()));
            for (int l = 0; l < section->childCount(); ++l) {
                EXPECT_EQ(node_text(*section->child(l)), tree[s].labs[l]);
                EXPECT_TRUE(list.holds(lab_of(*section->child(l)))) << tree[s].labs[l];
            }
        }
        if (HasFailure()) break;
    }
    EXPECT_GE(accepted, files / 4);
    editor->close();
}

TEST_F(LabsWindowTest, AddLabGoesIntoTheClickedSection) {
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuAddLab, &home);
    editor->Command4->click();
    EXPECT_EQ(last_message(), "please fill the details properly");

    // Browse: a page outside the program folder is refused, one inside is
    // kept relative to it.
    dialogs.next_text("/etc/hosts");
    editor->Command1->click();
    ASSERT_GE(dialogs.shown().size(), 2u);
    const auto& browse = dialogs.shown()[dialogs.shown().size() - 2];
    EXPECT_EQ(browse.kind, "open");
    EXPECT_EQ(browse.filter, "html(*.html)|*.html");
    EXPECT_EQ(last_message(),
              "Please choose a page inside the program folder " + folder.path().string() + ".");
    EXPECT_EQ(editor->Text3->text(), "");
    dialogs.next_text(folder.file("labs/ospf.html"));
    editor->Command1->click();
    EXPECT_EQ(editor->Text3->text(), "/labs/ospf.html");
    dialogs.next_text(std::nullopt);  // cancelled: the dialog's last choice again
    editor->Text3->clear();
    editor->Command1->click();
    EXPECT_EQ(editor->Text3->text(), "/labs/ospf.html");

    editor->Text2->setText("OSPF");
    editor->TreeView1_NodeClick(node(editor->TreeView1, "Basics", "Modes"));
    editor->Command4->click();
    EXPECT_EQ(last_message(), "Please selct the section");
    editor->TreeView1_NodeClick(node(editor->TreeView1, "Routing"));
    editor->Text2->setText("RIP");
    editor->Command4->click();
    EXPECT_EQ(last_message(), "this lab name already exis,please choose another lab name");
    editor->Text2->setText("OSPF");
    editor->Command4->click();
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page OSPF"}));
    EXPECT_NE(labs_file().find("NumberOfLabs = 3\r\nlabname = RIP"), std::string::npos);
    editor->close();
}

TEST_F(LabsWindowTest, EditRenamesSectionsAndReplacesLabs) {
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuEdit, &home);
    editor->Command6->click();
    EXPECT_EQ(last_message(), "please select either section or lab");

    editor->TreeView1_NodeClick(node(editor->TreeView1, "Routing"));
    EXPECT_EQ(editor->Text1->text(), "Routing");
    EXPECT_FALSE(editor->Text2->isEnabled());
    for (const char* taken : {"Basics", "Basics "}) {
        editor->Text1->setText(taken);
        editor->Command6->click();
        EXPECT_EQ(last_message(), "this Section name already exis,please choose another lab name");
    }
    EXPECT_EQ(labs_file(), kLabs);
    editor->Text1->setText("Routing protocols");
    editor->Command6->click();
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing protocols: RIP No page"}));

    editor->TreeView1_NodeClick(node(editor->TreeView1, "Basics", "Modes"));
    EXPECT_FALSE(editor->Text1->isEnabled());
    EXPECT_EQ(editor->Text2->text(), "Modes");
    EXPECT_EQ(editor->Text3->text(), "/labs/modes.html");
    for (const char* taken : {"Routing", " Routing"}) {
        editor->Text2->setText(taken);
        editor->Command6->click();
        EXPECT_EQ(last_message(), "this lab name already exis,please choose another lab name");
    }
    editor->Text2->setText("Device modes");
    editor->Command6->click();
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Device modes Routing", "Routing protocols: RIP No page"}));
    EXPECT_NE(labs_file().find("labname = Device modes\r\nlabpath = /labs/modes.html\r\n"),
              std::string::npos);
    editor->close();
}

TEST_F(LabsWindowTest, RemoveAsksAndTakesOnlyTheClickedNode) {
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuRem, &home);
    editor->Command3->click();
    EXPECT_EQ(last_message(), "please select either section or lab");

    // "Routing" is a section and, in Basics, a lab.
    editor->TreeView1_NodeClick(node(editor->TreeView1, "Basics", "Routing"));
    editor->Command3->click();  // answered No
    EXPECT_EQ(dialogs.shown().back().title, "confirm file deletion");
    EXPECT_EQ(last_message(), "Are you sure you want to remove Routing");
    EXPECT_EQ(labs_file(), kLabs);

    dialogs.next_answer(vexlab::platform::Answer::Yes);
    editor->Command3->click();
    EXPECT_EQ(tree_text(editor->TreeView1), (QStringList{"Basics: Modes", "Routing: RIP No page"}));
    EXPECT_NE(labs_file().find("NumberOfLabs = 1\r\nlabname = Modes"), std::string::npos);
    EXPECT_EQ(read_file(folder.file("labs-sim1.txt")), kLabs);

    editor->TreeView1_NodeClick(node(editor->TreeView1, "Routing"));
    dialogs.next_answer(vexlab::platform::Answer::Yes);
    editor->Command3->click();
    EXPECT_EQ(tree_text(editor->TreeView1), (QStringList{"Basics: Modes"}));
    EXPECT_EQ(labs_file().find("Routing"), std::string::npos);
    editor->close();
}

// Another window or instance removes the section or lab the editor shows:
// Edit and Remove say it is gone, write nothing (neither the list, whose
// LF line ends stay, nor the copy beside it) and show the list as it is.
TEST_F(LabsWindowTest, EditAndRemoveOfWhatIsGoneSayItAndWriteNothing) {
    const std::string meanwhile =
        "[section]\nsectionname = Basics\nNumberOfLabs = 1\nlabname = Modes\nlabpath = "
        "/labs/modes.html\n";
    const struct {
        const char* name;
        QAction* frmLabs::*menu;
        const char* section;
        const char* lab;  // nullptr: the section node
        const char* gone;
    } cases[] = {
        {"edit a section", &frmLabs::mnuEdit, "Routing", nullptr, "the section \"Routing\""},
        {"edit a lab", &frmLabs::mnuEdit, "Basics", "Routing", "the lab \"Routing\""},
        {"remove a section", &frmLabs::mnuRem, "Routing", nullptr, "the section \"Routing\""},
        {"remove a lab", &frmLabs::mnuRem, "Basics", "Routing", "the lab \"Routing\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_file(folder.path() / "labs-sim.txt", kLabs);
        std::filesystem::remove(folder.file("labs-sim1.txt"));
        QWidget home;
        frmLabsimAd* editor = editor_for(c.menu, &home);
        editor->TreeView1_NodeClick(c.lab ? node(editor->TreeView1, c.section, c.lab)
                                          : node(editor->TreeView1, c.section));
        write_file(folder.path() / "labs-sim.txt", meanwhile);
        dialogs.next_answer(vexlab::platform::Answer::Yes);
        if (c.menu == &frmLabs::mnuEdit) {
            (c.lab ? editor->Text2 : editor->Text1)->setText("Renamed");
            editor->Command6->click();
        } else {
            editor->Command3->click();
        }
        EXPECT_EQ(last_message().rfind("The list of labs was changed meanwhile: ", 0), 0u)
            << last_message();
        EXPECT_NE(last_message().find(c.gone), std::string::npos) << last_message();
        EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Exclamation);
        EXPECT_EQ(labs_file(), meanwhile);
        EXPECT_FALSE(std::filesystem::exists(folder.file("labs-sim1.txt")));
        EXPECT_EQ(tree_text(editor->TreeView1), (QStringList{"Basics: Modes"}));
        editor->close();
        main->labs_window()->close();
    }
}

// A name is typed as the list will read it: one holding "=" is refused with
// a message, and nothing is written.
TEST_F(LabsWindowTest, ANameHoldingAnEqualsSignIsRefusedWhereItIsTyped) {
    const struct {
        QAction* frmLabs::*menu;
        const char* section;
        const char* lab;  // nullptr: the section node
        QLineEdit* frmLabsimAd::*box;
        const char* typed;
        QPushButton* frmLabsimAd::*button;
        const char* message;
    } cases[] = {
        {&frmLabs::mnuAddSec, nullptr, nullptr, &frmLabsimAd::Text1, "Extra = Section",
         &frmLabsimAd::Command2, "The section name cannot be used: it holds \"=\""},
        {&frmLabs::mnuAddLab, "Basics", nullptr, &frmLabsimAd::Text2, "My \"lab\"; = test",
         &frmLabsimAd::Command4, "The lab name cannot be used: it holds \"=\""},
        {&frmLabs::mnuEdit, "Routing", nullptr, &frmLabsimAd::Text1, "a=b", &frmLabsimAd::Command6,
         "The section name cannot be used: it holds \"=\""},
        {&frmLabs::mnuEdit, "Basics", "Modes", &frmLabsimAd::Text2, "Modes = 2",
         &frmLabsimAd::Command6, "The lab name cannot be used: it holds \"=\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QWidget home;
        frmLabsimAd* editor = editor_for(c.menu, &home);
        if (c.section)
            editor->TreeView1_NodeClick(c.lab ? node(editor->TreeView1, c.section, c.lab)
                                              : node(editor->TreeView1, c.section));
        (editor->*c.box)->setText(c.typed);
        if (c.box == &frmLabsimAd::Text2) editor->Text3->setText("/labs/x.html");
        (editor->*c.button)->click();
        EXPECT_EQ(last_message(), c.message);
        EXPECT_EQ(labs_file(), kLabs);
        editor->close();
        main->labs_window()->close();
    }
}

TEST_F(LabsWindowTest, AFailedSaveSaysSoAndChangesNothing) {
    QWidget home;
    frmLabsimAd* editor = editor_for(&frmLabs::mnuEdit, &home);
    std::filesystem::create_directories(folder.path() / "labs-sim1.txt" / "taken");
    editor->TreeView1_NodeClick(node(editor->TreeView1, "Routing"));
    editor->Text1->setText("Routing protocols");
    editor->Command6->click();
    EXPECT_EQ(last_message().rfind("The list of labs could not be saved", 0), 0u);
    EXPECT_EQ(labs_file(), kLabs);
    EXPECT_EQ(tree_text(editor->TreeView1),
              (QStringList{"Basics: Modes Routing", "Routing: RIP No page"}));
    editor->close();
}

}  // namespace
