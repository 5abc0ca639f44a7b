// A lab exercise in its windows, offscreen: from the Lab Exercises menu
// through the console, the answers, the flash card and the diagram to the
// score, which gives the main window back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/ui/frmNetdgm.h"
#include "labs/lab_tables.h"
#include "labs/ui/frmFlashCard.h"
#include "labs/ui/frmLabNetDgm.h"
#include "labs/ui/frmLabPractise.h"
#include "labs/ui/frmScore.h"
#include "labs/ui/frmShowAnswer.h"
#include "platform/db_session.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace {

using vexlab::labs::frmLabPractise;

QString shown(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

class LabWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        main = program->main_window();
    }
    void TearDown() override {
        if (main) main->close();
    }

    // Starts the sublab through its Lab Exercises item.
    frmLabPractise* start(const std::string& name) {
        const auto sublab = vexlab::labs::find_sublab(program->state().session, name);
        if (!sublab) return nullptr;
        main->mnulab[static_cast<std::size_t>(sublab->lab - 1)].at(sublab->index)->trigger();
        return main->labpractise();
    }

    void type_line(frmLabPractise* window, const QString& line) {
        QTest::keyClicks(window->txtRC, line);
        QTest::keyClick(window->txtRC, Qt::Key_Return);
    }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::app::frmMain* main = nullptr;
};

TEST_F(LabWindowTest, ARunFromTheMenuToTheScore) {
    frmLabPractise* window = start("Router modes and host name");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(window->windowTitle(), "Router modes and host name");
    EXPECT_EQ(window->txtRC->toPlainText(), "press enter to begin");
    EXPECT_TRUE(window->txtLabIns->toPlainText().startsWith("1. Press Enter to start"));
    EXPECT_EQ(window->lbltime->text(), "00:20:00");
    EXPECT_EQ(window->Label1->text(), QString(59, ' ') + "Router Console");

    QTest::keyClick(window->txtRC, Qt::Key_Return);
    type_line(window, "enable");
    EXPECT_TRUE(window->txtRC->toPlainText().endsWith("R1>enable\nR1#\n"));
    EXPECT_EQ(window->txtRC->textCursor().block().text(), "R1#");
    EXPECT_EQ(
        window->txtCurrentIns->toPlainText(),
        "    > Leave privileged mode again with disable, and enter it once more with enable.");

    // The answer window shows the current step and disables the run meanwhile.
    window->cmdShowAns->click();
    auto* answer = window->answer();
    ASSERT_NE(answer, nullptr);
    EXPECT_TRUE(answer->isVisible());
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(answer->Text1->toPlainText().endsWith("R1#disable\nR1>enable"));
    answer->Command2->click();
    EXPECT_TRUE(answer->Text1->toPlainText().startsWith("List of Commands corresponding"));
    answer->Command3->click();
    EXPECT_TRUE(answer->Text1->toPlainText().startsWith("Commands to execute this Instruction:"));
    answer->close();
    EXPECT_TRUE(window->isEnabled());

    for (const char* line : {"disable", "enable", "configure terminal", "hostname Branch1"})
        type_line(window, line);
    EXPECT_EQ(window->txtRC->textCursor().block().text(), "Branch1(config)#");
    type_line(window, "end");
    EXPECT_TRUE(window->txtRC->toPlainText().endsWith("CLick on Score & exit to view score"));
    EXPECT_FALSE(window->lbltime->isVisible());
    // What the box shows is the model's transcript, built up change by change.
    EXPECT_EQ(window->txtRC->toPlainText(), shown(window->practice().console().text()));

    window->cmdScore->click();
    EXPECT_FALSE(window->isVisible());
    auto* score = window->score();
    ASSERT_NE(score, nullptr);
    EXPECT_TRUE(score->isVisible());
    EXPECT_EQ(score->Label3->text(), "  10");
    EXPECT_EQ(score->windowTitle(), "Router modes and host name");
    EXPECT_FALSE(main->isEnabled());
    score->Command1->click();
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LabWindowTest, TheDiagramMovesTheConsoleToTheNextDevice) {
    frmLabPractise* window = start("Serial link between two routers");
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window->txtRC, Qt::Key_Return);
    for (const char* line :
         {"enable", "configure terminal", "interface serial 0",
          "ip address 192.168.12.1 255.255.255.0", "clock rate 64000", "no shutdown"})
        type_line(window, line);
    EXPECT_EQ(window->practice().run().instruction_device, "R2");

    window->cmdShowNetDgm->click();
    auto* diagram = window->diagram();
    ASSERT_NE(diagram, nullptr);
    EXPECT_TRUE(diagram->isVisible());
    EXPECT_FALSE(window->isEnabled());
    diagram->Combo1->showPopup();
    ASSERT_EQ(diagram->Combo1->count(), 2);
    EXPECT_EQ(diagram->Combo1->itemText(0), "R1");
    EXPECT_EQ(diagram->Combo1->itemText(1), "*R2");
    diagram->Combo1->hidePopup();

    diagram->Combo1->setCurrentIndex(0);
    diagram->Combo1_Click();
    diagram->Command1->click();
    EXPECT_TRUE(diagram->isVisible());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Select Device");

    diagram->Combo1->setCurrentIndex(1);
    diagram->Combo1_Click();
    diagram->Command1->click();
    EXPECT_FALSE(diagram->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->txtRC->textCursor().block().text(), "R2>");
    type_line(window, "enable");
    EXPECT_TRUE(window->practice().run().lab_command_matched);
    EXPECT_EQ(window->txtRC->toPlainText(), shown(window->practice().console().text()));
    window->close();
    window->score()->close();
    EXPECT_TRUE(main->isEnabled());
}

// Every key leaves the box showing the model's transcript and caret,
// characters of several bytes and line breaks counted as the box counts
// them.
TEST_F(LabWindowTest, TheConsoleBoxFollowsTheModelKeyByKey) {
    frmLabPractise* window = start("Router modes and host name");
    ASSERT_NE(window, nullptr);
    const auto& box = window->practice().console();
    auto check = [&](const std::string& step) {
        ASSERT_EQ(window->txtRC->toPlainText(), shown(box.text())) << step;
        ASSERT_EQ(window->txtRC->textCursor().position(),
                  shown(box.text().substr(0, box.caret())).size())
            << step;
    };
    QTest::keyClick(window->txtRC, Qt::Key_Return);
    check("Return");
    type_line(window, "enable");
    check("enable");
    QTest::keyClicks(window->txtRC, "conf");
    QTest::sendKeyEvent(QTest::Click, window->txtRC, Qt::Key_unknown, QString::fromUtf8("\xC3\xA9"),
                        Qt::NoModifier);
    check("a typed character of two bytes");
    for (Qt::Key key :
         {Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
          Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Return}) {
        QTest::keyClick(window->txtRC, key);
        check(QKeySequence(key).toString().toStdString());
    }
    window->close();
    window->score()->close();
}

TEST_F(LabWindowTest, TheFlashCardPrintsTheSelectionOrAllOfItAndNothingWhenCancelled) {
    frmLabPractise* window = start("Router modes and host name");
    ASSERT_NE(window, nullptr);
    window->cmdShowFlsah->click();
    auto* card = window->flash_card();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->Label1->isVisible());
    EXPECT_EQ(card->Label1->text(), "Command modes");
    EXPECT_TRUE(card->rtfData->toPlainText().startsWith("R1>"));
    EXPECT_EQ(card->RichTextBox1->toPlainText(), "Command modes\n" + card->rtfData->toPlainText());

    int asked = 0;
    const QString pdf = QString::fromStdString(folder.file("card.pdf"));
    card->dlgPrint = [&](QWidget*) -> std::unique_ptr<QPrinter> {
        ++asked;
        return nullptr;  // cancelled
    };
    card->Command2->click();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    card->dlgPrint = [&](QWidget*) {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    };
    card->Command2->click();
    ASSERT_TRUE(QFile::exists(pdf));
    const qint64 whole = QFile(pdf).size();
    EXPECT_GT(whole, 0);
    QFile::remove(pdf);
    QTextCursor part = card->rtfData->textCursor();
    part.setPosition(0);
    part.setPosition(3, QTextCursor::KeepAnchor);
    card->rtfData->setTextCursor(part);
    card->Command2->click();
    ASSERT_TRUE(QFile::exists(pdf));

    card->Command1->click();
    EXPECT_TRUE(window->isEnabled());
    window->close();
    window->score()->close();
}

TEST(LabPictures, EveryShippedSublabHasADiagramTheProgramCanShow) {
    vexlab::test::TempDir folder;
    vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
    vexlab::db::DatabaseSession session;
    session.open(folder.file("commandsbackup.mdb"));
    auto rows = session.open_recordset("SELECT sublabnane, networkpath FROM sublab");
    for (; !rows.eof(); rows.move_next()) {
        const QString path =
            QString(VEXLAB_PROGRAM_DIR) + "/" + QString::fromStdString(rows.text(1));
        EXPECT_FALSE(QPixmap(path).isNull()) << rows.text(0) << ": " << path.toStdString();
    }
}

TEST(LabWindowClock, TimeUpStopsTheTimerBeforeItsOneMessage) {
    vexlab::test::TempDir folder;
    vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
    vexlab::state::AppState app;
    app.session.open(folder.file("commandsbackup.mdb"));
    app.program_folder = folder.path().string();
    app.selected_sublab = "Router modes and host name";
    vexlab::platform::ScriptedDialogs dialogs;
    auto now = std::chrono::steady_clock::time_point{};
    frmLabPractise window(app, dialogs, [&] { return now; });
    window.Form_Load();
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 1000);
    now += std::chrono::seconds(1200);
    window.Timer1_Timer();
    EXPECT_EQ(window.lbltime->text(), "00:00:00");
    now += std::chrono::seconds(1);
    window.Timer1_Timer();
    EXPECT_FALSE(window.Timer1->isActive());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "your time up");
    EXPECT_EQ(dialogs.shown()[0].icon, vexlab::platform::Icon::None);
    window.Timer1_Timer();
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(LabWindowTest, ALabWithNothingToPractiseLeavesOnlyScoreAndExit) {
    program->state().selected_sublab = "No such sublab";
    main->mnulab_Click(1, 999);  // no such item: the name stays as set
    frmLabPractise* window = main->labpractise();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->txtRC->isEnabled());
    EXPECT_EQ(window->txtRC->toPlainText(), "Instruction Yet to be added");
    EXPECT_FALSE(window->cmdShowAns->isEnabled());
    EXPECT_TRUE(window->cmdScore->isEnabled());
    window->cmdScore->click();
    EXPECT_EQ(window->score()->Label3->text(), "  0");
    window->score()->close();
    EXPECT_TRUE(main->isEnabled());
}

}  // namespace
