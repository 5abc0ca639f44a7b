// The console's network file buttons offscreen: Open Exported File and Load
// Config with their dialogs, progress bar and wait cursor; Save Config; the
// refusal of a malformed file with the network left as it was.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/ui/frmRoutSim.h"
#include "example_network.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "support/leftovers.h"
#include "support/network_state.h"
#include "support/test_database.h"

namespace {

using vexlab::console::frmRoutSim;

class NetworkFileButtons : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        program->main_window()->mnuNetSim->trigger();
        console = program->main_window()->routsim();
        ASSERT_NE(console, nullptr);
        QObject::connect(console->ProgressBar1, &QProgressBar::valueChanged, [this](int value) {
            progress.push_back(value);
            EXPECT_TRUE(console->ProgressBar1->isVisible());
            EXPECT_NE(console->cursor().shape(), Qt::ArrowCursor);  // the wait cursor
        });
    }
    void TearDown() override {
        if (program && program->main_window()) program->main_window()->close();
    }

    vexlab::state::AppState& app() { return program->state(); }

    std::string example(const std::string& name) {
        const auto text =
            vexlab::test::read_file(vexlab::test::resources_dir() + "/examples/" + name + ".net");
        const auto network = vexlab::examples::parse_example(text, name);
        return write(name + ".exp", vexlab::examples::export_text(app().session, network));
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = folder.file(name);
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        return path;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown())
            if (shown.kind == "message") texts.push_back(shown.text);
        return texts;
    }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    frmRoutSim* console = nullptr;
    std::vector<int> progress;
};

TEST_F(NetworkFileButtons, OpenExportedFileLoadsTheChosenFileWithProgress) {
    const std::string path = example("three-routers");
    auto& engine = console->engine();
    for (const char* line : {"", "enable"}) {
        engine.type(line);
        engine.press(vexlab::console::keys::enter);
    }
    dialogs.next_text(path);
    console->cmdOpenExp->click();
    // The session on the network shown before is gone: the console starts
    // anew on the file's network.
    EXPECT_EQ(engine.text(), vexlab::console::start_text());

    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown()[0].kind, "open");
    EXPECT_EQ(dialogs.shown()[0].title, "Open Exported File");
    EXPECT_EQ(dialogs.shown()[0].filter, "export(*.exp)|*.exp");
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(console->ProgressBar1->isVisible());
    EXPECT_EQ(console->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(app().network.loaded_file_path, path);
    EXPECT_EQ(app().console.mode.prompt_text, "R1>");
    EXPECT_EQ(app().network.network_picture_path, folder.file("three-routers.jpg"));

    // The console answers on the loaded network.
    engine.press(vexlab::console::keys::enter);
    const std::string& text = engine.text();
    EXPECT_GT(text.rfind("\r\nR1>"), text.rfind("Press \"Return\" to start"));
}

TEST_F(NetworkFileButtons, SaveConfigThenLoadConfigGivesTheNetworkBack) {
    dialogs.next_text(example("two-lans"));
    console->cmdOpenExp->click();
    const std::string saved = folder.file("saved.con");
    dialogs.next_text(saved);
    console->Command2->click();
    EXPECT_EQ(dialogs.shown().back().kind, "save");
    EXPECT_EQ(dialogs.shown().back().title, "Save Config As");
    EXPECT_EQ(dialogs.shown().back().filter, "config(*.con)|*.con");
    const std::string text = vexlab::test::read_file(saved);
    EXPECT_EQ(text.rfind("<2501>\r\n[R1]\r\nhostname:R1\r\n", 0), 0u);

    progress.clear();
    dialogs.next_text(saved);
    console->Command5->click();
    EXPECT_EQ(dialogs.shown().back().title, "Load Config File");
    EXPECT_EQ(dialogs.shown().back().filter, "config(*.con)|*.con");
    EXPECT_EQ(progress.back(), 14);
    EXPECT_EQ(console->ProgressBar1->maximum(), 14);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(app().network.loaded_file_path, saved);
    const std::string again = folder.file("again.con");
    dialogs.next_text(again);
    console->Command2->click();
    EXPECT_EQ(vexlab::test::read_file(again), text);
}

// A banner that reads like a setting is saved into the startup
// configuration; Save Config and Load Config give it back as text, and the
// router asks no enable password it never had.
TEST_F(NetworkFileButtons, ABannerThatReadsLikeASettingLocksNoOneOut) {
    // The running configuration is written from the program's show template.
    std::filesystem::copy_file(vexlab::test::resources_dir() + "/showcommands.txt",
                               folder.file("showcommands.txt"));
    dialogs.next_text(example("two-lans"));
    console->cmdOpenExp->click();
    auto& engine = console->engine();
    auto type = [&](const char* line) {
        engine.type(line);
        engine.press(vexlab::console::keys::enter);
    };
    for (const char* line :
         {"", "enable", "configure terminal", "banner motd #enable_password:cisco#", "end",
          "copy running-config startup-config"})
        type(line);
    const auto startup = vexlab::state::read_setting(app(), "startup-config", "R1");
    ASSERT_TRUE(startup);
    ASSERT_NE(startup->find("\r\nenable_password:cisco\r\n"), std::string::npos) << *startup;
    const std::string saved = folder.file("banner.con");
    dialogs.next_text(saved);
    console->Command2->click();
    dialogs.next_text(saved);
    console->Command5->click();
    ASSERT_TRUE(messages().empty()) << messages().front();

    type("");
    type("enable");
    const std::string& text = engine.text();
    const std::size_t enable = text.rfind("R1>enable");
    // Load Config starts a fresh session on the loaded network.
    ASSERT_NE(enable, std::string::npos) << text;
    EXPECT_EQ(text.find("copy running-config startup-config"), std::string::npos) << text;
    EXPECT_EQ(text.substr(enable), "R1>enable\r\nR1#\r\n");
    EXPECT_EQ(vexlab::state::read_setting(app(), "startup-config", "R1"), startup);
    const std::string again = folder.file("again.con");
    dialogs.next_text(again);
    console->Command2->click();
    EXPECT_EQ(vexlab::test::read_file(again), vexlab::test::read_file(saved));
}

TEST_F(NetworkFileButtons, AMalformedFileIsRefusedAndTheNetworkStays) {
    const std::string before = vexlab::test::database_state(app().session);
    const std::string bad = write("bad.exp", "<2501>\r\n[R1]\r\nhostname:R1\r\n<9999>\r\n[X]\r\n");
    dialogs.next_text(bad);
    console->cmdOpenExp->click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0].rfind("The network file could not be loaded.\n" + bad + "\nLine 4: ", 0), 0u)
        << messages()[0];
    EXPECT_EQ(vexlab::test::database_state(app().session), before);
    EXPECT_TRUE(app().table_set.is_default());
    EXPECT_FALSE(console->ProgressBar1->isVisible());
    EXPECT_EQ(console->cursor().shape(), Qt::ArrowCursor);
}

// A labs folder handed round may hold what interrupted saves left, of every
// kind, and notes naming files anywhere: opening, loading and refusing its
// files leave it and the folder above byte for byte as they were.
TEST_F(NetworkFileButtons, LoadsLeaveTheFolderOfTheFileAsItWas) {
    const std::filesystem::path shared = folder.path() / "shared", labs = shared / "labs";
    std::filesystem::create_directories(labs);
    const std::string exported = (labs / "lab.exp").string(), saved = (labs / "lab.con").string();
    std::filesystem::rename(example("two-lans"), exported);
    std::ofstream(labs / "lab.jpg") << "the picture";
    dialogs.next_text(exported);
    console->cmdOpenExp->click();
    dialogs.next_text(saved);
    console->Command2->click();
    std::ofstream(labs / "bad.exp") << "<2501>\r\n[R1]\r\nhostname:R1\r\n<9999>\r\n[X]\r\n";
    for (const char* name : {"lab.exp", "lab.con", "bad.exp"})
        vexlab::test::plant_leftovers(labs, name);
    const std::string before = vexlab::test::tree_state(shared);
    ASSERT_TRUE(messages().empty()) << messages()[0];

    dialogs.next_text(exported);
    console->cmdOpenExp->click();
    EXPECT_EQ(app().network.network_picture_path, (labs / "lab.jpg").string());
    dialogs.next_text(saved);
    console->Command5->click();
    EXPECT_TRUE(messages().empty());
    dialogs.next_text((labs / "bad.exp").string());
    console->cmdOpenExp->click();
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(vexlab::test::tree_state(shared), before);
}

TEST_F(NetworkFileButtons, CancelledDialogsChangeNothing) {
    const std::string before = vexlab::test::database_state(app().session);
    for (QPushButton* button : {console->cmdOpenExp, console->Command2, console->Command5}) {
        dialogs.next_text(std::nullopt);
        button->click();
    }
    EXPECT_EQ(dialogs.shown().size(), 3u);
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(vexlab::test::database_state(app().session), before);
}

TEST_F(NetworkFileButtons, AFailedSaveSaysSo) {
    dialogs.next_text(folder.file("missing/folder/x.con"));
    console->Command2->click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("The configuration could not be saved.\n", 0), 0u);
}

TEST_F(NetworkFileButtons, AReloadWhoseFileIsGoneKeepsTheNetworkAndSaysWhy) {
    const std::string path = example("two-lans");
    dialogs.next_text(path);
    console->cmdOpenExp->click();
    std::filesystem::remove(path);
    const std::string before = vexlab::test::database_state(app().session);
    dialogs.next_answer(vexlab::platform::Answer::No);
    auto& engine = console->engine();
    for (const char* line : {"", "enable", "reload"}) {
        engine.type(line);
        engine.press(vexlab::console::keys::enter);
    }
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("The network file could not be loaded.\n" + path + "\n", 0), 0u);
    // The reload's own question shows no icon; the refusal the stop sign.
    ASSERT_GE(dialogs.shown().size(), 2u);
    const auto& question = dialogs.shown()[dialogs.shown().size() - 2];
    EXPECT_EQ(question.text, "Do you like to save the changes to the configuration");
    EXPECT_EQ(question.icon, vexlab::platform::Icon::None);
    EXPECT_EQ(dialogs.shown().back().icon, vexlab::platform::Icon::Critical);
    EXPECT_EQ(vexlab::test::database_state(app().session), before);
    EXPECT_EQ(app().console.device.host_name, "R1");
}

TEST_F(NetworkFileButtons, ClosingTheConsoleEmptiesTheLoadedNetwork) {
    dialogs.next_text(example("two-lans"));
    console->cmdOpenExp->click();
    console->Command4->click();  // E&xit
    EXPECT_EQ(app().session.column_names("routervariables"),
              std::vector<std::string>{"Config_Variable"});
    EXPECT_EQ(app().session.scalar("SELECT count(*) FROM route_ip").to_int(), 0);
}

}  // namespace
