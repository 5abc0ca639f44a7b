// The network designer window offscreen: opened from the main window, a
// real drop from the palette onto the canvas, a connection drawn with the
// mouse, the dialogs answered through their own controls, removal through
// the pop-up menu, what the canvas shows, and closing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <functional>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/ui/frmNetdgm.h"
#include "console/ui/frmRoutSim.h"
#include "designer/ui/canvas_painter.h"
#include "designer/ui/designer_canvas.h"
#include "designer/ui/designer_windows.h"
#include "designer/ui/frmdesmain.h"
#include "platform/user_dialogs.h"
#include "support/network_state.h"
#include "support/test_database.h"

namespace {

using namespace vexlab::designer;
using vexlab::platform::Answer;
using vexlab::platform::Icon;

// Answers the designer's dialogs in order, each through its controls.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;
    void then(Step step) { steps_.push_back(std::move(step)); }
    void operator()(QDialog& dialog) {
        seen.push_back(dialog.objectName());
        if (steps_.empty()) return;  // left open: closed by its frame
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(dialog);
    }
    bool done() const { return steps_.empty(); }
    QStringList seen;

private:
    std::deque<Step> steps_;
};

void select_in(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.first());
    emit list->itemClicked(found.first());
}

// The interface dialog: choose `name` and press "Select and close".
DialogScript::Step choose(QString name) {
    return [name](QDialog& d) {
        auto& dialog = dynamic_cast<frminterfaces&>(d);
        select_in(dialog.lstFreeInterfaces, name);
        dialog.cmdSelect->click();
    };
}

// The address dialog: one address on the interface shown, then Close.
DialogScript::Step assign(QString address, QString mask) {
    return [address, mask](QDialog& d) {
        auto& dialog = dynamic_cast<frmIpassign&>(d);
        dialog.txtIp->setText(address);
        dialog.txtMask->setText(mask);
        dialog.cmdIpAssign->click();
        dialog.cmdClose->click();
    };
}

// Chooses from the pop-up menu as a person does: once the menu is up, a
// click on the item.  The menu runs the item's handler and closes itself.
class MenuChooser : public QObject {
public:
    std::deque<QString> choices;
    QStringList opened;  // the choice made at each opening; "" for none

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, this,
                               [this, menu = qobject_cast<QMenu*>(watched)] { choose(menu); });
        return false;
    }

private:
    void choose(QMenu* menu) {
        if (!menu || !menu->isVisible()) return;
        const QString choice = choices.empty() ? QString() : choices.front();
        if (!choices.empty()) choices.pop_front();
        opened << choice;
        for (QAction* a : menu->actions())
            if (!choice.isEmpty() && a->text() == choice) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        menu->close();
    }
};

class DesignerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        // The window draws with the shipped icons.
        for (const char* picture :
             {"router.ico", "switch.ico", "Pc04.ico", "serial.ico", "Cross03.cur", "Pen03.ico"})
            std::filesystem::copy_file(std::string(VEXLAB_PROGRAM_DIR) + "/" + picture,
                                       folder.file(picture));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        main = program->main_window();
        main->mnuload->trigger();
        designer = main->designer();
        ASSERT_NE(designer, nullptr);
        designer->dialog_host().driver = std::ref(script);
        designer->mnupopup->installEventFilter(&menu_chooser);
        // The drag enters the canvas and is let go at `drop_at`.
        designer->run_drag = [this](QDrag& drag) {
            QDragEnterEvent enter(drop_at.toPoint(), Qt::CopyAction | Qt::MoveAction,
                                  drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(designer->picNetwork, &enter);
            if (!enter.isAccepted()) return Qt::IgnoreAction;
            QDropEvent drop(drop_at, Qt::CopyAction | Qt::MoveAction, drag.mimeData(),
                            Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(designer->picNetwork, &drop);
            return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
        };
        designer->treDevices->expandAll();
    }
    void TearDown() override {
        if (designer) {
            designer->dialog_host().driver = nullptr;
            designer->run_drag = nullptr;
        }
        if (program && program->main_window()) program->main_window()->close();
    }

    // Presses a palette item and lets go of it over the canvas at `at`.
    void drag_palette(const QString& text, QPointF at) {
        const auto items =
            designer->treDevices->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        drop_at = at;
        QTest::mousePress(designer->treDevices->viewport(), Qt::LeftButton, {},
                          designer->treDevices->visualItemRect(items.first()).center());
        QTest::mouseRelease(designer->treDevices->viewport(), Qt::LeftButton, {},
                            designer->treDevices->visualItemRect(items.first()).center());
    }
    void click_canvas(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(designer->picNetwork, button, {}, at.toPoint());
    }
    void move_over_canvas(QPointF at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, at, designer->picNetwork->mapToGlobal(at), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(designer->picNetwork, &move);
    }
    QImage canvas_image() { return designer->picNetwork->grab().toImage(); }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::app::frmMain* main = nullptr;
    frmdesmain* designer = nullptr;
    DialogScript script;
    MenuChooser menu_chooser;
    QPointF drop_at;
};

TEST_F(DesignerWindow, OpensFromTheMainWindowWithItsPaletteMenusAndDescription) {
    EXPECT_TRUE(designer->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(designer->windowTitle(), "Network Map Designer");
    EXPECT_EQ(designer->Label1->text(),
              "Devices And Connectors:              Network Design Area:");
    EXPECT_EQ(designer->Label2->text(), "Network Description:");
    EXPECT_EQ(designer->Text1->toPlainText(),
              "Please enter the Description of \nthe Network here\n");
    QStringList groups;
    for (int i = 0; i < designer->treDevices->topLevelItemCount(); ++i)
        groups << designer->treDevices->topLevelItem(i)->text(0);
    EXPECT_EQ(groups, (QStringList{"Routers", "Switches", "Other devices", "Connectors"}));
    EXPECT_EQ(designer->treDevices->topLevelItem(3)->child(3)->text(0), "Frame Relay");
    QStringList bar;
    for (QAction* a : designer->menu_bar->actions())
        if (a->isVisible()) bar << a->text();
    EXPECT_EQ(bar, QStringList{"&File"});
    QStringList file;
    for (QAction* a : designer->mnuFile->actions()) file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"&Open Config File", "&Save Configuaration",
                                 "&Export Configuration", "-", "E&xit"}));
    QStringList popup;
    for (QAction* a : designer->mnupopup->actions()) popup << a->text();
    EXPECT_EQ(popup, (QStringList{"Configure Device", "Device Properties", "Remove Connection",
                                  "Remove Device"}));
    // The first click into the description empties it, the second keeps it.
    QTest::mouseClick(designer->Text1->viewport(), Qt::LeftButton);
    EXPECT_EQ(designer->Text1->toPlainText(), "");
    QTest::keyClicks(designer->Text1, "Lab network");
    QTest::mouseClick(designer->Text1->viewport(), Qt::LeftButton);
    EXPECT_EQ(designer->model().description(), "Lab network");
    // Closing an empty designer asks nothing and gives the main window back.
    designer->close();
    EXPECT_FALSE(designer->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DesignerWindow, DropConnectAndRemoveThroughTheWidgets) {
    // Two routers from the palette; the second gets an address in its dialog.
    dialogs.next_text("R1");
    drag_palette("2501", {60, 60});
    dialogs.next_text("R2");
    script.then([](QDialog& d) {
        auto& dialog = dynamic_cast<frmIpassign&>(d);
        EXPECT_EQ(dialog.windowTitle(), "IP Address Assign");
        EXPECT_EQ(dialog.Label4->text(), "Serial0");
        EXPECT_EQ(dialog.List1->count(), 3);
        assign("10.0.0.2", "255.0.0.0")(dialog);
    });
    drag_palette("2501", {260, 160});
    ASSERT_EQ(designer->model().devices().size(), 2u);
    EXPECT_EQ(script.seen, (QStringList{"frmIpassign", "frmIpassign"}));
    EXPECT_EQ(designer->model().tables().address_of("R2", "Serial0"), "10.0.0.2");

    // A serial connector dropped on R1, then a click on R2.
    script.then(choose("Serial1"));
    drag_palette("Serial", {70, 70});
    EXPECT_EQ(designer->model().interaction(), Interaction::Connecting);
    move_over_canvas({270, 170});
    EXPECT_EQ(designer->picNetwork->cursor().shape(), Qt::BitmapCursor);  // the cross
    move_over_canvas({450, 300});
    EXPECT_FALSE(designer->picNetwork->testAttribute(Qt::WA_SetCursor));
    script.then(choose("Serial0"));
    click_canvas({270, 170});
    EXPECT_EQ(designer->model().interaction(), Interaction::Idle);
    ASSERT_EQ(designer->model().lines().size(), 1u);
    const auto r1 = designer->model().tables().interface_row("R1", "Serial1");
    ASSERT_TRUE(r1);
    EXPECT_EQ(r1->todevice, "R2");
    EXPECT_EQ(r1->lineno, 1);

    // The canvas shows both icons and the line.
    QImage image = canvas_image();
    const QColor background = image.pixelColor(500, 400);
    EXPECT_NE(image.pixelColor(75, 75), background);    // R1's icon
    EXPECT_NE(image.pixelColor(275, 175), background);  // R2's icon
    const QPointF middle((70 + 270) / 2.0, (70 + 170) / 2.0);
    EXPECT_NE(image.pixelColor(middle.toPoint()), background);

    // Remove the connection from R2's pop-up menu.
    menu_chooser.choices = {"Remove Connection"};
    script.then([](QDialog& d) {
        auto& dialog = dynamic_cast<frmRemcon&>(d);
        EXPECT_EQ(dialog.windowTitle(), "Remove Connection");
        select_in(dialog.lstRemInt, "Serial0");
        dialog.cmdRemove->click();
        EXPECT_EQ(dialog.lstRemInt->count(), 0);
        dialog.cmdClose->click();
    });
    dialogs.next_answer(Answer::Yes);
    click_canvas({270, 170}, Qt::RightButton);
    EXPECT_TRUE(script.done());
    EXPECT_TRUE(designer->model().lines().empty());
    EXPECT_EQ(dialogs.shown().back().text, "The Connection has been removed successfully");
    image = canvas_image();
    EXPECT_EQ(image.pixelColor(middle.toPoint()), background);

    // Remove R1 itself.
    menu_chooser.choices = {"Remove Device"};
    dialogs.next_answer(Answer::Yes);
    click_canvas({70, 70}, Qt::RightButton);
    EXPECT_EQ(designer->model().devices().size(), 1u);
    image = canvas_image();
    EXPECT_EQ(image.pixelColor(75, 75), background);
}

TEST_F(DesignerWindow, EachMenuChoiceRunsItsHandlerOnce) {
    dialogs.next_text("R1");
    drag_palette("2501", {60, 60});
    dialogs.next_text("SW1");
    drag_palette("2950", {260, 60});
    script.seen.clear();

    // Configure Device on the switch: its management address, once; its
    // ports take none.
    menu_chooser.choices = {"Configure Device"};
    script.then([](QDialog& d) {
        auto& dialog = dynamic_cast<frmIpassign&>(d);
        EXPECT_EQ(dialog.Label4->text(), "SW1 IP Configuration");
        EXPECT_FALSE(dialog.List1->isEnabled());
        assign("10.0.0.5", "255.0.0.0")(dialog);
    });
    click_canvas({270, 70}, Qt::RightButton);
    EXPECT_EQ(menu_chooser.opened, QStringList{"Configure Device"});
    EXPECT_EQ(script.seen, QStringList{"frmIpassign"});
    for (const auto& row : designer->model().tables().interfaces("SW1")) {
        if (row.interfacetype != "FastEthernet1") {
            EXPECT_EQ(row.ipadd, "NA") << row.interfacetype;
        }
    }
    EXPECT_EQ(designer->model().tables().address_of("SW1", "FastEthernet1"), "10.0.0.5");

    // Configure Device on the router: one address dialog.
    script.seen.clear();
    menu_chooser.choices = {"Configure Device"};
    click_canvas({70, 70}, Qt::RightButton);
    EXPECT_EQ(script.seen, QStringList{"frmIpassign"});

    // Remove Device: one question, one removal, one report of it.
    dialogs.clear();
    menu_chooser.choices = {"Remove Device"};
    dialogs.next_answer(Answer::Yes);
    click_canvas({70, 70}, Qt::RightButton);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].title, "Confirm Remove Device");
    EXPECT_EQ(dialogs.shown()[0].icon, Icon::Question);
    EXPECT_EQ(dialogs.shown()[1].title, "Device Removal Success");
    EXPECT_EQ(dialogs.shown()[1].icon, Icon::None);
    ASSERT_EQ(designer->model().devices().size(), 1u);
    EXPECT_EQ(designer->model().devices()[0].host, "SW1");
    EXPECT_EQ(menu_chooser.opened.size(), 3);
}

TEST_F(DesignerWindow, RefusalsShowTheStopSign) {
    designer->mnufilesave->trigger();
    dialogs.next_text("R1");
    drag_palette("2501", {60, 60});
    dialogs.next_text("R1");
    drag_palette("2501", {260, 60});
    dialogs.next_text("default");
    drag_palette("2501", {460, 60});
    dialogs.next_text("PC1");
    drag_palette("PC", {60, 260});
    drag_palette("Serial", {70, 270});  // a PC has no serial interface
    std::vector<std::pair<std::string, Icon>> boxes;
    for (const auto& shown : dialogs.shown())
        if (shown.kind == "message") boxes.emplace_back(shown.text, shown.icon);
    EXPECT_EQ(boxes,
              (std::vector<std::pair<std::string, Icon>>{
                  {"No Network has been designed to save", Icon::Critical},
                  {"This hosname is already used,Please choose another name", Icon::Critical},
                  {"A device cannot be named \"default\": the exported settings keep each "
                   "setting's default value in a column of that name, beside one column per "
                   "device.\nPlease choose another name.",
                   Icon::Critical},
                  {"There are no free interfaces for this device", Icon::Critical},
              }));
}

TEST_F(DesignerWindow, DraggingAnIconMovesTheDeviceAndItsLine) {
    dialogs.next_text("R1");
    drag_palette("2501", {60, 60});
    dialogs.next_text("R2");
    drag_palette("2501", {260, 60});
    script.then(choose("Serial0"));
    drag_palette("Serial", {70, 70});
    script.then(choose("Serial0"));
    click_canvas({270, 70});
    // Pick R2 up and drag it down.
    QTest::mousePress(designer->picNetwork, Qt::LeftButton, {}, QPoint(270, 70));
    drop_at = {260, 260};
    move_over_canvas({275, 75}, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(designer->model().devices()[1].y, 260);
    EXPECT_DOUBLE_EQ(designer->model().lines()[0].y2, 270);
    EXPECT_EQ(designer->model().interaction(), Interaction::Idle);
    const QImage image = canvas_image();
    EXPECT_NE(image.pixelColor(275, 275), image.pixelColor(500, 400));
}

TEST_F(DesignerWindow, SlotAndPropertyDialogsShowTheirControls) {
    script.then([](QDialog& d) {
        auto& dialog = dynamic_cast<frmSlotSel&>(d);
        EXPECT_EQ(dialog.windowTitle(), "Slot Selection");
        // The two WAN slots; no slot whose card would make nothing, so no
        // legend for one.
        EXPECT_EQ(dialog.Label1[0]->text(), "WAN 1");
        EXPECT_EQ(dialog.Label1[1]->text(), "WAN 2");
        EXPECT_FALSE(dialog.Combo1[2]->isVisibleTo(&dialog));
        EXPECT_FALSE(dialog.Label2->isVisibleTo(&dialog));
        EXPECT_FALSE(dialog.Label3->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.Combo1[0]->currentText(), "(empty)");
        dialog.Combo1[0]->setCurrentIndex(dialog.Combo1[0]->findText("2 Serial"));
        dialog.Close->click();
    });
    dialogs.next_text("R1");
    drag_palette("2620", {60, 60});
    EXPECT_EQ(designer->model().tables().interfaces("R1").size(), 3u);
    // A double click on the router shows its interfaces.
    script.then([](QDialog& d) {
        auto& dialog = dynamic_cast<frmdevicestats&>(d);
        EXPECT_EQ(dialog.windowTitle(), "devicestats");
        EXPECT_EQ(dialog.lblDeviceName->text(), "R1(2620) Interface Configuration Details ");
        EXPECT_EQ(dialog.lstInterfaces->item(1)->text(), "WAN 1/Serial0");
        EXPECT_EQ(dialog.lstConnections->item(0)->text(), "not connected");
        dialog.cmdClose->click();
    });
    // The window system sends a press and a release before the double click.
    QTest::mouseClick(designer->picNetwork, Qt::LeftButton, {}, QPoint(70, 70));
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(70, 70),
                      designer->picNetwork->mapToGlobal(QPointF(70, 70)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(designer->picNetwork, &twice);
    EXPECT_TRUE(script.done()) << script.seen.join(",").toStdString();
}

// Whatever the window's size, the palette and the description keep their
// width on the left and the drawing area takes all the rest, down to the
// window's bottom edge: nothing else lies beside or below it.  A device
// dropped anywhere in it, however near an edge, lies whole with its name
// in the part shown; made smaller again, the window still reaches every
// device.
TEST_F(DesignerWindow, TheDrawingAreaFillsTheWindowAndEveryDropShowsWhole) {
    auto settle = [] { QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); };
    auto* area = designer->findChild<QScrollArea*>("drawing_area");
    ASSERT_NE(area, nullptr);
    const QSize own = designer->size();
    const int palette_width = designer->treDevices->width();
    int dropped = 0;
    for (const QSize size : {own, QSize(1200, 900)}) {
        SCOPED_TRACE(size.width());
        designer->resize(size);
        settle();
        ASSERT_EQ(designer->size(), size);
        EXPECT_EQ(designer->treDevices->width(), palette_width);
        EXPECT_EQ(designer->Text1->geometry().bottom(), designer->height() - 1);
        // Every point right of the description, along the bottom row and
        // the right-hand column, is the canvas.
        const int left = designer->Text1->geometry().right() + 1;
        for (int x = left; x < designer->width(); x += 7)
            EXPECT_EQ(designer->childAt(x, designer->height() - 1), designer->picNetwork) << x;
        for (int y = designer->Label1->geometry().bottom() + 1; y < designer->height(); y += 7)
            EXPECT_EQ(designer->childAt(designer->width() - 1, y), designer->picNetwork) << y;

        // Drops at the four corners of the part shown, one with a long name.
        const QSize shown = area->viewport()->size();
        const double right = shown.width() - 1;
        const double bottom = shown.height() - 1;
        const struct {
            const char* item;
            QPointF at;
            QString name;
        } drops[] = {
            {"2501", {right, bottom}, "Core-Router-Number-%1"},
            {"PC", {1, bottom}, "PC%1"},
            {"2950", {right, 1}, "SW%1"},
        };
        for (const auto& d : drops) {
            const QString name = d.name.arg(++dropped);
            dialogs.next_text(name.toStdString());
            drag_palette(d.item, d.at);
            const auto& devices = designer->model().devices();
            ASSERT_EQ(devices.back().host, name.toStdString());
            const Point text = canvas_text_size(devices.back().host);
            EXPECT_GE(devices.back().x, 0);
            EXPECT_GE(devices.back().y, 0);
            EXPECT_LE(devices.back().x + std::max(30.0, text.x), shown.width())
                << name.toStdString();
            EXPECT_LE(devices.back().y + 30 + text.y, shown.height()) << name.toStdString();
        }
    }
    // Back at its own size the canvas reaches beyond the part shown, to the
    // devices placed while the window was larger.
    designer->resize(own);
    settle();
    const auto& far = designer->model().devices().back();
    EXPECT_GE(designer->picNetwork->width(), far.x + 30);
    EXPECT_GT(designer->picNetwork->width(), area->viewport()->width());
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    EXPECT_TRUE(designer->picNetwork->visibleRegion().boundingRect().contains(
        QPoint(static_cast<int>(far.x), static_cast<int>(far.y))));
}

TEST_F(DesignerWindow, ClosingWithADesignAsksAndCancelKeepsItOpen) {
    dialogs.next_text("R1");
    drag_palette("PC", {60, 60});
    dialogs.next_answer(Answer::Cancel);
    designer->close();
    EXPECT_TRUE(designer->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(dialogs.shown().back().text, "Do you want to save the netwotk");
    dialogs.next_answer(Answer::No);
    designer->close();
    EXPECT_FALSE(designer->isVisible());
    EXPECT_TRUE(main->isEnabled());
    // Opening again starts an empty design.
    main->mnuload->trigger();
    EXPECT_TRUE(designer->model().devices().empty());
    EXPECT_TRUE(designer->model().canvas().strokes().empty());
}

// The design of every connector kind, placed through the window's model.
class DesignerWindowFiles : public DesignerWindow {
protected:
    void build() {
        auto& model = designer->model();
        auto drop = [&](const char* item, double x, double y, const char* name) {
            dialogs.next_text(name);
            model.treDevices_MouseDown(std::string(item), false, MouseButton::Left);
            model.picNetwork_DragDrop({DropSource::Kind::Palette, item, -1}, x, y);
        };
        drop("2503", 40, 40, "R1");
        drop("2501", 240, 40, "R2");
        drop("PC", 240, 240, "PC1");
        script.then(choose("Serial0"));
        drag_palette("Serial", {55, 55});
        script.then(choose("Serial0"));
        click_canvas({255, 55});
        script.then(choose("Ethernet0"));
        drag_palette("Ethernet", {255, 255});
        script.then(choose("Ethernet0"));
        click_canvas({255, 55});
        script.then(choose("Serial1"));
        drag_palette("Frame Relay", {55, 55});
        script.then(choose("Serial1"));
        click_canvas({255, 55});
        ASSERT_TRUE(script.done());
        ASSERT_EQ(model.lines().size(), 3u);
    }
};

TEST_F(DesignerWindowFiles, SaveCloseAndOpenShowsTheSameCanvas) {
    build();
    QTest::mouseClick(designer->Text1->viewport(), Qt::LeftButton);
    QTest::keyClicks(designer->Text1, "Three devices");
    const QImage before = canvas_image();
    const std::string path = folder.file("net.dgm");
    dialogs.next_text(path);
    designer->mnufilesave->trigger();
    EXPECT_EQ(dialogs.shown().back().filter, "netmap(*.dgm)|*.dgm");
    // Close without saving again; the designer's tables are emptied.
    dialogs.next_answer(Answer::No);
    designer->close();
    ASSERT_FALSE(designer->isVisible());
    main->mnuload->trigger();
    EXPECT_NE(canvas_image(), before);
    dialogs.next_text(path);
    designer->mnufileopen->trigger();
    EXPECT_EQ(dialogs.shown().back().filter, "netmap(*.dgm)|*.dgm");
    EXPECT_EQ(canvas_image(), before);
    EXPECT_EQ(designer->Text1->toPlainText(), "Three devices");
    EXPECT_EQ(designer->model().router_counter(), 2);
}

TEST_F(DesignerWindowFiles, ExportWritesABitmapPictureThatTheConsoleShows) {
    build();
    const std::string path = folder.file("lab.exp");
    dialogs.next_text(path);
    designer->mnuExpCon->trigger();
    EXPECT_EQ(dialogs.shown().back().filter, "export(*.exp)|*.exp");
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string picture_path = folder.file("lab.jpg");
    const std::string bytes = vexlab::test::read_file(picture_path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");  // a bitmap under the ".jpg" name
    // The picture shows what the canvas shows: icons, names, labels, lines.
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(QByteArray::fromStdString(bytes), "BMP"));
    const QImage canvas = canvas_image().convertToFormat(picture.format());
    EXPECT_EQ(picture.size(), canvas.size());
    EXPECT_EQ(picture, canvas);
    const QColor background = picture.pixelColor(500, 400);
    EXPECT_NE(picture.pixelColor(155, 55), background);  // the serial line
    EXPECT_NE(picture.pixelColor(50, 50), background);   // R1's icon

    // Close the designer and open the file in the network simulator.
    dialogs.next_answer(Answer::No);
    designer->close();
    main->mnuNetSim->trigger();
    auto* console = main->routsim();
    ASSERT_NE(console, nullptr);
    dialogs.next_text(path);
    console->cmdOpenExp->click();
    EXPECT_EQ(program->state().console.mode.prompt_text, "R1>");
    EXPECT_EQ(program->state().network.network_picture_path, picture_path);
    console->Command3->click();
    ASSERT_NE(console->netdgm(), nullptr);
    const QPixmap shown = console->netdgm()->Image1->pixmap();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), picture.size());
}

}  // namespace
