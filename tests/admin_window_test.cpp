// The administrator area offscreen: the login, the chain that adds a sublab
// with its instructions and commands (which a lab run then completes), the
// modify, delete and insert tasks, and the close box acting as the way back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "labcontent/ui/admin_area.h"
#include "labcontent/ui/frmAdmCmdModify.h"
#include "labcontent/ui/frmAdmCmdsmodify.h"
#include "labcontent/ui/frmAdmInsEnter.h"
#include "labcontent/ui/frmAdminCmdsEnter.h"
#include "labcontent/ui/frmAdminInsModify.h"
#include "labcontent/ui/frmAdminLogin.h"
#include "labcontent/ui/frmAdminMain.h"
#include "labcontent/ui/frmAdminSublabEnter.h"
#include "labcontent/ui/frmInsModIndex.h"
#include "labcontent/ui/frmInserinsIndex.h"
#include "labcontent/ui/frmInsertIns.h"
#include "labcontent/ui/frmadmDelSublab.h"
#include "labs/lab_tables.h"
#include "labs/ui/frmLabPractise.h"
#include "labs/ui/frmLabs.h"
#include "labs/ui/frmScore.h"
#include "platform/db_session.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace {

using namespace vexlab::labcontent;
using vexlab::platform::Answer;
using vexlab::platform::Icon;

// Picks an entry of a combo box as the user does: the list, then the entry.
void pick(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

class AdminWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        start_program();
    }
    void TearDown() override {
        if (program && program->main_window()) program->main_window()->close();
    }
    void start_program() {
        if (program && program->main_window()) program->main_window()->close();
        program.reset();
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        ASSERT_TRUE(program->Main());
        main = program->main_window();
    }
    AdminArea& area() { return *main->admin(); }
    template <typename T>
    T* shown(AdminForm form) {
        T* window = area().window_as<T>(form);
        return window && window->isVisible() ? window : nullptr;
    }
    frmAdminMain* log_in() {
        main->mnuadmin->trigger();
        auto* login = shown<frmAdminLogin>(AdminForm::Login);
        if (!login) return nullptr;
        login->Text1->setText("tovek");
        login->Text2->setText("tovek");
        login->Command2->click();
        return shown<frmAdminMain>(AdminForm::Home);
    }
    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& s : dialogs.shown())
            if (s.kind == "message" || s.kind == "question") texts.push_back(s.text);
        return texts;
    }
    vexlab::db::DatabaseSession& session() { return program->state().session; }

    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::app::frmMain* main = nullptr;
};

TEST_F(AdminWindowTest, TheLoginWantsTheExactUserNameAndPassword) {
    ASSERT_TRUE(main->mnuadmin->isEnabled());
    main->mnuadmin->trigger();
    EXPECT_FALSE(main->isEnabled());
    auto* login = shown<frmAdminLogin>(AdminForm::Login);
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->windowTitle(), "Admin Login:");
    EXPECT_EQ(login->Text2->echoMode(), QLineEdit::Password);
    for (auto [user, password] : {std::pair{"tovek", "TOVEK"}, std::pair{"admin", "tovek"}}) {
        dialogs.clear();
        login->Text1->setText(user);
        login->Text2->setText(password);
        login->Command2->click();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].title, "Invalid Password");
        EXPECT_EQ(dialogs.shown()[0].text, "Invalid User ! Try Again ");
        EXPECT_EQ(dialogs.shown()[0].icon, Icon::Exclamation);
        EXPECT_TRUE(login->Text1->text().isEmpty());
        EXPECT_TRUE(login->Text2->text().isEmpty());
        EXPECT_TRUE(login->isVisible());
    }
    login->Command1->click();  // Back
    EXPECT_FALSE(login->isVisible());
    EXPECT_TRUE(main->isEnabled());
}

// The first two texts `quote` marks after `from` in a file: the user name
// and the password, as the page or the README writes them.
std::pair<std::string, std::string> stated_login(const std::string& path, const std::string& from,
                                                 const std::string& quote) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string all = text.str();
    const auto start = all.find(from);
    if (start == std::string::npos) return {};
    const std::string section = all.substr(start, 800);
    const std::regex quoted(quote);
    std::vector<std::string> found;
    for (std::sregex_iterator it(section.begin(), section.end(), quoted), end;
         it != end && found.size() < 2; ++it)
        found.push_back((*it)[1]);
    if (found.size() < 2) return {};
    return {found[0], found[1]};
}

TEST_F(AdminWindowTest, TheHelpPageAndTheReadmeStateTheLoginThatOpensTheArea) {
    const auto page = stated_login(std::string(VEXLAB_PROGRAM_DIR) + "/help/windows.html",
                                   "name=\"admin\"", "<code>([^<]*)</code>");
    const auto readme = stated_login(std::string(VEXLAB_SOURCE_DIR) + "/README.md",
                                     "## The administrator", "`([^`]*)`");
    ASSERT_FALSE(page.first.empty());
    EXPECT_EQ(readme, page);
    main->mnuadmin->trigger();
    auto* login = shown<frmAdminLogin>(AdminForm::Login);
    ASSERT_NE(login, nullptr);
    login->Text1->setText(QString::fromStdString(page.first));
    login->Text2->setText(QString::fromStdString(page.second));
    login->Command2->click();
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_NE(shown<frmAdminMain>(AdminForm::Home), nullptr);
}

TEST_F(AdminWindowTest, ANewSublabWithItsStepsAndCommandsCanBePractisedAfterTheNextStart) {
    frmAdminMain* home = log_in();
    ASSERT_NE(home, nullptr);
    home->mnulabadd->trigger();
    auto* sublab = shown<frmAdminSublabEnter>(AdminForm::SublabEnter);
    ASSERT_NE(sublab, nullptr);
    EXPECT_FALSE(home->isVisible());
    EXPECT_TRUE(area().edit().add_sublab_mode);

    sublab->Command1->click();
    sublab->Text1->setText("Router modes and host name");  // taken already
    sublab->Command1->click();
    pick(sublab->Combo1, "Basic Router Configuration");
    sublab->Text4->setText("Keep");
    sublab->Command1->click();
    EXPECT_TRUE(sublab->Text1->text().isEmpty());
    EXPECT_EQ(sublab->Text4->text(), "Keep");  // the flash-card boxes stay
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Please enter the Sublab Name", "Please select the Lab",
                              "sorry! Router modes and host name already  exists  please  choose  "
                              "a  new  lab"}));
    EXPECT_EQ(dialogs.shown().front().icon, Icon::None);
    EXPECT_EQ(dialogs.shown().back().title, "Warning");
    EXPECT_EQ(dialogs.shown().back().icon, Icon::Exclamation);
    dialogs.clear();

    sublab->Text1->setText("Admin's own sublab");
    sublab->Text2->setText("Made in the administrator windows.");
    dialogs.next_text(folder.file("labdiagrams/one-router.gif"));
    sublab->Command3->click();
    EXPECT_EQ(sublab->Text3->text(), "labdiagrams/one-router.gif");
    EXPECT_EQ(dialogs.shown().back().filter, "Pictures|*.gif;*.jpg;*.png;*.bmp");
    sublab->Text5->setPlainText("First line\nSecond line");
    sublab->Command1->click();
    auto* steps = shown<frmAdmInsEnter>(AdminForm::InstructionEnter);
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(steps->Label2->text(), "Admin's own sublab");
    EXPECT_FALSE(steps->Combo1->isVisible());
    const auto stored = vexlab::labs::find_sublab(session(), "Admin's own sublab");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->lab, 1);
    EXPECT_EQ(stored->networkpath, "labdiagrams/one-router.gif");
    EXPECT_EQ(stored->flashcard, "First line\r\nSecond line");
    EXPECT_EQ(stored->flashcardtitle, "Keep");

    steps->Command1->click();  // the box still holds its single blank
    steps->Text1->setPlainText("Enter privileged mode.");
    steps->Command1->click();  // no device
    EXPECT_TRUE(steps->Text1->toPlainText().isEmpty());
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"please enter Instruction", "please select the device "}));
    dialogs.clear();
    steps->Text1->setPlainText("Enter privileged mode and configuration mode.");
    pick(steps->Combo2, "R1");
    steps->Command1->click();

    auto* commands = shown<frmAdminCmdsEnter>(AdminForm::CommandsEnter);
    ASSERT_NE(commands, nullptr);
    commands->Text1->setText("enable");
    commands->Text3->setText(">");
    commands->Command1->click();  // no response prompt
    EXPECT_EQ(
        messages(),
        (std::vector<std::string>{"please enter Command , Command Prompt and Response Prompt"}));
    commands->Text4->setText("#");
    commands->Command1->click();
    for (QLineEdit* box : {commands->Text1, commands->Text3, commands->Text4})
        EXPECT_TRUE(box->text().isEmpty());
    commands->Text1->setText("configure terminal");
    commands->Text2->setPlainText("Enter configuration commands, one per line.  End with CNTL/Z.");
    commands->Text3->setText("#");
    commands->Text4->setText("(config)#");
    commands->Command1->click();

    commands->Command2->click();  // Back: another step for the same sublab
    steps = shown<frmAdmInsEnter>(AdminForm::InstructionEnter);
    ASSERT_NE(steps, nullptr);
    steps->Text1->setPlainText("Name the router O'Hare.");
    pick(steps->Combo2, "R1");
    steps->Command1->click();
    commands = shown<frmAdminCmdsEnter>(AdminForm::CommandsEnter);
    ASSERT_NE(commands, nullptr);
    commands->Text1->setText("hostname O'Hare");
    commands->Text3->setText("(config)#");
    commands->Text4->setText("(config)#");
    commands->Command1->click();
    commands->Command3->click();  // Admin Home

    home = shown<frmAdminMain>(AdminForm::Home);
    ASSERT_NE(home, nullptr);
    EXPECT_FALSE(area().edit().add_sublab_mode);
    EXPECT_EQ(area().edit().new_sublab_name, "Admin's own sublab");
    home->Command1->click();
    EXPECT_TRUE(main->isEnabled());

    // The Lab Exercises menus show the new sublab from the next start.
    start_program();
    QAction* item = main->mnulab[0].at(stored->index);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Admin's own sublab");
    item->trigger();
    auto* run = main->labpractise();
    ASSERT_NE(run, nullptr);
    QTest::keyClick(run->txtRC, Qt::Key_Return);
    for (const char* line : {"enable", "configure terminal", "hostname O'Hare"}) {
        QTest::keyClicks(run->txtRC, line);
        QTest::keyClick(run->txtRC, Qt::Key_Return);
    }
    EXPECT_TRUE(run->practice().run().lab_done);
    run->cmdScore->click();
    EXPECT_EQ(run->score()->Label3->text(), "  10");
    run->score()->close();
}

TEST_F(AdminWindowTest, CommandsAreModifiedAndDeletedOnlyWhereTheyExist) {
    frmAdminMain* home = log_in();
    ASSERT_NE(home, nullptr);
    home->mnumdcmd->trigger();
    auto* selector = shown<frmAdminInsModify>(AdminForm::Selector);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->windowTitle(), "Command Modification");
    EXPECT_EQ(selector->Label1->text(), "Commands");
    selector->Text1->setText("1");
    selector->Command1->click();  // nothing listed yet
    pick(selector->Combo1, "Router modes and host name");
    const int listed = selector->MSFlexGrid1->rowCount();
    EXPECT_EQ(listed, 6);
    selector->Text1->setText(" 1");
    selector->Command1->click();
    EXPECT_EQ(messages(), (std::vector<std::string>(2, "please select the appropriate index")));
    dialogs.clear();
    selector->Text1->setText("2");
    selector->Command1->click();

    auto* editor = shown<frmAdmCmdsmodify>(AdminForm::CommandModify);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Modify Command");
    EXPECT_EQ(editor->Text1->text(), "disable");
    EXPECT_FALSE(editor->Command3->isVisible());
    editor->Text1->setText("disable 'now'");
    dialogs.next_answer(Answer::No);
    editor->Command1->click();
    EXPECT_EQ(vexlab::labs::instruction_commands(session(), 2).front().command, "disable");
    dialogs.next_answer(Answer::Yes);
    editor->Command1->click();
    EXPECT_EQ(vexlab::labs::instruction_commands(session(), 2).front().command, "disable 'now'");
    EXPECT_EQ(messages().back(), "Modified Successfully");

    // The close box goes back to the selector, whose Back leads home.
    editor->close();
    selector = shown<frmAdminInsModify>(AdminForm::Selector);
    ASSERT_NE(selector, nullptr);
    selector->close();
    home = shown<frmAdminMain>(AdminForm::Home);
    ASSERT_NE(home, nullptr);
    EXPECT_FALSE(area().edit().modify_command_mode);

    home->mnudelcmd->trigger();
    selector = shown<frmAdminInsModify>(AdminForm::Selector);
    pick(selector->Combo1, "Router modes and host name");
    selector->Text1->setText("2");
    selector->Command1->click();
    editor = shown<frmAdmCmdsmodify>(AdminForm::CommandModify);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Delete Command");
    EXPECT_FALSE(editor->Command1->isVisible());
    dialogs.clear();
    dialogs.next_answer(Answer::Yes);
    dialogs.next_answer(Answer::Yes);
    editor->Command3->click();
    editor->Command3->click();
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Are you sure you want to delete",
                              "record deleted succussfully click on  back for further deletion",
                              "Are you sure you want to delete", "record not found"}));
    editor->Command2->click();
    area().window(AdminForm::Selector)->close();
    area().window(AdminForm::Home)->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(AdminWindowTest, AnInstructionInsertedAfterAnotherTakesItsPlaceInTheRun) {
    frmAdminMain* home = log_in();
    ASSERT_NE(home, nullptr);
    home->mnuInsertIns->trigger();
    auto* index = shown<frmInserinsIndex>(AdminForm::InsertInstructionIndex);
    ASSERT_NE(index, nullptr);
    pick(index->Combo1, "RIP on one router");
    const auto sublab = vexlab::labs::find_sublab(session(), "RIP on one router");
    const auto before = vexlab::labs::sublab_instructions(session(), sublab->index);
    ASSERT_EQ(index->MSFlexGrid1->rowCount(), static_cast<int>(before.size()));
    const auto moved_commands = vexlab::labs::instruction_commands(session(), before[2].index);
    // The box must still show the sublab whose instructions are listed.
    index->Text1->setText(QString::number(before[1].index));
    index->Combo1->setEditText("RIP between three routers");
    index->Command1->click();
    EXPECT_EQ(messages(), (std::vector<std::string>{"Please select the Sublab"}));
    index->Combo1->setEditText("RIP on one router");
    index->Command1->click();

    auto* insert = shown<frmInsertIns>(AdminForm::InsertInstruction);
    ASSERT_NE(insert, nullptr);
    pick(insert->Combo1, "R1");
    insert->Text1->setPlainText("Look at the routing table.");
    insert->Command1->click();
    EXPECT_EQ(messages().back(), "Instruction inserted");
    const auto after = vexlab::labs::sublab_instructions(session(), sublab->index);
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after[2].index, before[1].index + 1);
    EXPECT_EQ(after[2].instruction, "Look at the routing table.");
    EXPECT_EQ(after[3].index, before[2].index + 1);  // moved up with its commands
    const auto followed = vexlab::labs::instruction_commands(session(), after[3].index);
    ASSERT_EQ(followed.size(), moved_commands.size());
    EXPECT_EQ(followed.front().index, moved_commands.front().index);
    insert->close();  // back to the index window
    EXPECT_NE(shown<frmInserinsIndex>(AdminForm::InsertInstructionIndex), nullptr);
    area().window(AdminForm::InsertInstructionIndex)->close();
    area().window(AdminForm::Home)->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(AdminWindowTest, ASublabIsDeletedOnlyAfterItWasChosenAndTheQuestionNamesIt) {
    frmAdminMain* home = log_in();
    ASSERT_NE(home, nullptr);
    home->mnulabdel->trigger();
    auto* window = shown<frmadmDelSublab>(AdminForm::DeleteSublab);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->Command3->isEnabled());
    pick(window->Combo1, "Static NAT");
    EXPECT_TRUE(window->Command3->isEnabled());
    EXPECT_GT(window->MSFlexGrid1->rowCount(), 0);
    EXPECT_FALSE(window->Text1->toPlainText().isEmpty());
    dialogs.next_answer(Answer::Yes);
    window->Command3->click();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "confirm file deletion");
    EXPECT_NE(dialogs.shown()[0].text.find("Static NAT"), std::string::npos);
    EXPECT_FALSE(vexlab::labs::find_sublab(session(), "Static NAT"));
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_EQ(window->Combo1->findText("Static NAT"), -1);
    window->close();
    area().window(AdminForm::Home)->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(AdminWindowTest, TheHomeOpensTheExampleLabsForEditingAndWaitsForThem) {
    frmAdminMain* home = log_in();
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(home->mnuSimLabs->isEnabled());
    home->mnuSimLabs->trigger();
    auto* labs = main->labs_window();
    ASSERT_TRUE(labs->isVisible());
    EXPECT_TRUE(home->isVisible());
    EXPECT_FALSE(home->isEnabled());
    EXPECT_TRUE(labs->mnuAddLab->isVisible());
    EXPECT_TRUE(program->state().open_mode.labs_opened_for_editing);
    labs->close();
    EXPECT_TRUE(home->isEnabled());
    EXPECT_FALSE(main->isEnabled());
    home->Command1->click();
    EXPECT_TRUE(main->isEnabled());
}

}  // namespace

namespace {

// The darkest pixel of the text a closed combo box shows.
int darkest_text(QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    const QImage image = box->grab(field).toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// A box to choose from that shows its first text, before anything is chosen,
// reads as ready for a choice: the text is as dark as a chosen entry's, not
// the grey of a box that cannot be used.
TEST_F(AdminWindowTest, ABoxToChooseFromLooksReadyBeforeTheChoice) {
    ASSERT_NE(log_in(), nullptr);
    struct Box {
        AdminForm form;
        const char* first_text;
    };
    for (const Box& b :
         {Box{AdminForm::SublabEnter, "Lab Exercise"}, Box{AdminForm::DeleteSublab, "sublabs"}}) {
        SCOPED_TRACE(b.first_text);
        AdminWindow* window = area().show(b.form);
        ASSERT_NE(window, nullptr);
        auto* box = window->findChild<QComboBox*>("Combo1");
        ASSERT_NE(box, nullptr);
        ASSERT_GT(box->count(), 0);
        EXPECT_TRUE(box->isEnabled());
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_EQ(box->placeholderText(), b.first_text);
        const int before_choice = darkest_text(box);
        box->setCurrentIndex(0);
        EXPECT_NEAR(before_choice, darkest_text(box), 40);
        window->hide();
    }
}

}  // namespace
