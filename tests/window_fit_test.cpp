// Every caption, heading, list line and picture of every window fits the room
// its window gives it at the default font: each window is opened as a user
// opens it, with the program folder's own pictures, pages and networks.

#include "support/window_fit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/ui/frmMain.h"
#include "app/ui/frmSplash.h"
#include "app/ui/program.h"
#include "console/ui/frmNetdgm.h"
#include "console/ui/frmRoutSim.h"
#include "console/ui/frmSupportedcommands.h"
#include "designer/ui/designer_canvas.h"
#include "designer/ui/designer_windows.h"
#include "designer/ui/frmdesmain.h"
#include "labcontent/ui/admin_area.h"
#include "labcontent/ui/admin_window.h"
#include "labcontent/ui/frmAdminLogin.h"
#include "labs/lab_tables.h"
#include "labs/ui/frmFlashCard.h"
#include "labs/ui/frmLabNetDgm.h"
#include "labs/ui/frmLabPractise.h"
#include "labs/ui/frmLabs.h"
#include "labs/ui/frmLabsimAd.h"
#include "labs/ui/frmScore.h"
#include "labs/ui/frmShowAnswer.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace {

namespace fs = std::filesystem;
using vexlab::test::clipped_in;

class WindowFit : public ::testing::Test {
protected:
    void SetUp() override {
        // The program folder as the build lays it out, with a fresh database.
        const fs::path shipped(VEXLAB_PROGRAM_DIR);
        for (const char* entry : {"help", "labdiagrams", "labs", "user"})
            fs::copy(shipped / entry, folder.path() / entry, fs::copy_options::recursive);
        for (const auto& file : fs::directory_iterator(shipped)) {
            const auto ext = file.path().extension();
            if (ext == ".gif" || ext == ".ico" || ext == ".cur" || ext == ".txt")
                fs::copy_file(file.path(), folder.path() / file.path().filename());
        }
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        main = program->main_window();
    }
    void TearDown() override {
        if (program && program->main_window()) program->main_window()->close();
    }

    // Every window checked, and what did not fit in it.
    void check(QWidget* window) {
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible()) << window->objectName().toStdString();
        const QStringList clipped = clipped_in(window);
        EXPECT_TRUE(clipped.isEmpty())
            << window->objectName().toStdString() << ":\n  " << clipped.join("\n  ").toStdString();
        checked << window->objectName();
    }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::app::frmMain* main = nullptr;
    QStringList checked;
};

TEST_F(WindowFit, TheMainWindowTheConsoleAndItsWindows) {
    // The splash deletes itself when closed.
    auto* splash =
        new vexlab::app::frmSplash(QString::fromStdString(folder.file("simulator-logo.gif")));
    splash->show();
    check(splash);
    splash->close();
    check(main);
    main->mnuNetSim->trigger();
    auto* console = main->routsim();
    check(console);
    console->Command1->click();
    check(console->supported());
    console->supported()->close();
    // The default network's picture, then each example network's.
    console->Command3->click();
    check(console->netdgm());
    console->netdgm()->close();
    // Every network is loaded, so its own picture is the one checked.
    int loaded = 0;
    for (const auto& file : fs::directory_iterator(folder.path() / "user")) {
        if (file.path().extension() != ".exp") continue;
        SCOPED_TRACE(file.path().filename().string());
        const std::size_t shown = dialogs.shown().size();
        dialogs.next_text(file.path().string());
        console->cmdOpenExp->click();
        ASSERT_EQ(dialogs.shown().size(), shown + 1) << dialogs.shown().back().text;
        ASSERT_EQ(program->state().network.loaded_file_path, file.path().string());
        ++loaded;
        console->Command3->click();
        check(console->netdgm());
        console->netdgm()->close();
    }
    const auto examples = std::count_if(
        fs::directory_iterator(VEXLAB_RESOURCES_DIR "/examples"), fs::directory_iterator(),
        [](const fs::directory_entry& e) { return e.path().extension() == ".net"; });
    EXPECT_EQ(loaded, examples);
}

TEST_F(WindowFit, TheExampleLabsAndTheirEditor) {
    main->mnuadmin->trigger();
    auto& area = *main->admin();
    auto* login =
        area.window_as<vexlab::labcontent::frmAdminLogin>(vexlab::labcontent::AdminForm::Login);
    login->Text1->setText("tovek");
    login->Text2->setText("tovek");
    login->Command2->click();
    ASSERT_TRUE(area.open_example_labs);
    area.open_example_labs(area.window(vexlab::labcontent::AdminForm::Home));
    auto* labs = main->labs_window();
    check(labs);
    labs->mnuEdit->trigger();
    auto* editor = labs->editor();
    check(editor);
    editor->close();
}

// The designer and each of its dialogs, on a network with every kind of
// connection; each dialog is checked as it comes up.
TEST_F(WindowFit, TheDesignerAndItsDialogs) {
    using namespace vexlab::designer;
    main->mnuload->trigger();
    frmdesmain* designer = main->designer();
    check(designer);
    auto& model = designer->model();
    std::function<void(QDialog&)> answer = [&](QDialog& d) {
        check(&d);
        if (auto* dialog = dynamic_cast<frminterfaces*>(&d)) {
            dialog->lstFreeInterfaces->setCurrentRow(0);
            dialog->cmdSelect->click();
        } else if (auto* dialog = dynamic_cast<frmdevicestats*>(&d)) {
            // The interface with sub-interfaces opens their dialog.
            for (int row = 0; row < dialog->lstConnections->count(); ++row)
                if (dialog->lstConnections->item(row)->text().startsWith("Please Click"))
                    emit dialog->lstInterfaces->itemClicked(dialog->lstInterfaces->item(row));
        }
    };
    designer->dialog_host().driver = answer;
    auto drop = [&](const char* item, double x, double y, const char* name) {
        dialogs.next_text(name);
        model.treDevices_MouseDown(std::string(item), false, MouseButton::Left);
        model.picNetwork_DragDrop({DropSource::Kind::Palette, item, -1}, x, y);
    };
    auto connect = [&](const char* connector, double x1, double y1, double x2, double y2) {
        model.treDevices_MouseDown(std::string(connector), false, MouseButton::Left);
        model.picNetwork_DragDrop({DropSource::Kind::Palette, connector, -1}, x1, y1);
        model.picNetwork_MouseDown(MouseButton::Left, x2, y2);
    };
    auto double_click = [&](double x, double y) {
        model.picNetwork_MouseDown(MouseButton::Left, x, y);
        model.picNetwork_MouseUp();
        model.picNetwork_DblClick();
    };
    drop("2501", 40, 40, "R1");
    drop("2501", 240, 40, "R2");
    drop("2950", 40, 240, "SW1");
    drop("2620", 240, 240, "R3");
    connect("Frame Relay", 55, 55, 255, 55);
    connect("Ethernet", 55, 55, 55, 255);
    ASSERT_EQ(model.lines().size(), 2u);
    double_click(55, 55);
    double_click(55, 255);
    model.picNetwork_MouseDown(MouseButton::Left, 255, 55);
    model.picNetwork_MouseUp();
    designer->mnuremcon_Click();
    for (const char* form : {"frmSlotSel", "frmIpassign", "frminterfaces", "frmdevicestats",
                             "frmSubintProp", "frmSwdevicestats", "frmRemcon"})
        EXPECT_TRUE(checked.contains(form)) << form;
    designer->dialog_host().driver = nullptr;
}

TEST_F(WindowFit, TheLabExerciseWindows) {
    const auto sublab =
        vexlab::labs::find_sublab(program->state().session, "Router modes and host name");
    ASSERT_TRUE(sublab);
    main->mnulab[static_cast<std::size_t>(sublab->lab - 1)].at(sublab->index)->trigger();
    auto* practice = main->labpractise();
    check(practice);
    practice->cmdShowAns->click();
    check(practice->answer());
    practice->answer()->close();
    practice->cmdShowFlsah->click();
    check(practice->flash_card());
    practice->flash_card()->close();
    practice->cmdShowNetDgm->click();
    check(practice->diagram());
    practice->diagram()->close();
    practice->cmdScore->click();
    check(practice->score());
}

TEST_F(WindowFit, TheAdministratorWindows) {
    using vexlab::labcontent::AdminForm;
    main->mnuadmin->trigger();
    auto& area = *main->admin();
    check(area.window(AdminForm::Login));
    for (AdminForm form :
         {AdminForm::Home, AdminForm::SublabEnter, AdminForm::DeleteSublab,
          AdminForm::InstructionEnter, AdminForm::CommandIndex, AdminForm::CommandsEnter,
          AdminForm::CommandModify, AdminForm::InsertCommandIndex, AdminForm::InsertCommand,
          AdminForm::Selector, AdminForm::InstructionModify, AdminForm::InsertInstructionIndex,
          AdminForm::InsertInstruction}) {
        check(area.show(form));
        area.window(form)->hide();
    }
}

}  // namespace
