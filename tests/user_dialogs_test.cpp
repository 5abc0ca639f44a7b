// The Qt dialogs show the icon each box asks for; the scripted ones record it.

#include "platform/user_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <utility>

#include "platform/ui/qt_user_dialogs.h"

namespace {

using vexlab::platform::Answer;
using vexlab::platform::Icon;
using vexlab::platform::QtUserDialogs;
using vexlab::platform::ScriptedDialogs;

// Reads the icon of the box that opens next and presses its first button.
class BoxReader {
public:
    BoxReader() {
        QTimer::singleShot(0, [this] { read(); });
    }
    std::optional<QMessageBox::Icon> icon;

private:
    void read() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this] { read(); });
            return;
        }
        icon = box->icon();
        box->done(box->buttons().isEmpty() ? 0 : box->standardButton(box->buttons().front()));
    }
};

TEST(QtDialogs, EachBoxShowsTheIconItAsksFor) {
    const std::pair<Icon, QMessageBox::Icon> cases[] = {
        {Icon::Critical, QMessageBox::Critical},
        {Icon::Exclamation, QMessageBox::Warning},
        {Icon::Information, QMessageBox::Information},
        {Icon::Question, QMessageBox::Question},
        {Icon::None, QMessageBox::NoIcon},
    };
    QtUserDialogs dialogs;
    for (const auto& [icon, expected] : cases) {
        {
            BoxReader reader;
            dialogs.message("Title", "Text", icon);
            EXPECT_EQ(reader.icon, expected) << "message " << static_cast<int>(icon);
        }
        {
            BoxReader reader;
            dialogs.question("Title", "Text", true, icon);
            EXPECT_EQ(reader.icon, expected) << "question " << static_cast<int>(icon);
        }
        {
            BoxReader reader;
            dialogs.ok_cancel("Title", "Text", icon);
            EXPECT_EQ(reader.icon, expected) << "ok_cancel " << static_cast<int>(icon);
        }
    }
}

// The file dialogs show each kind's description once, and filter by its
// pattern.
TEST(QtDialogs, FileDialogsShowTheWindowsFilters) {
    QtUserDialogs dialogs;
    for (bool open : {true, false}) {
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                shown = dialog->nameFilters();
                dialog->reject();
            }
        });
        const auto name = open ? dialogs.open_file_name("Open", {}, "netmap(*.dgm)|*.dgm")
                               : dialogs.save_file_name("Save", {}, "Pictures|*.gif;*.jpg");
        EXPECT_FALSE(name);
        EXPECT_EQ(shown,
                  open ? QStringList{"netmap(*.dgm)"} : QStringList{"Pictures (*.gif *.jpg)"});
    }
}

// Types `name` into the file name box of a save dialog and presses Save.
void type_and_save(QFileDialog* dialog, const QString& name) {
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
}

// The same in the save dialog that opens next.
void type_into_save_dialog(const QString& name) {
    QTimer::singleShot(0, [name] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            type_and_save(dialog, name);
    });
}

// A name typed without an extension gets the one of the dialog's kind, as
// the windows' three save dialogs write their filters; a name with its own
// extension keeps it.
TEST(QtDialogs, ASavedNameWithoutAnExtensionGetsTheDialogsOwn) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        const char* filter;
        const char* typed;
        const char* saved;
    } cases[] = {
        {"netmap(*.dgm)|*.dgm", "natlab", "natlab.dgm"},
        {"config(*.con)|*.con", "natlab", "natlab.con"},
        {"export(*.exp)|*.exp", "natlab", "natlab.exp"},
        {"config(*.con)|*.con", "natlab.con", "natlab.con"},
        {"config(*.con)|*.con", "natlab.txt", "natlab.txt"},
        {"Pictures|*.gif;*.jpg", "logo", "logo.gif"},
    };
    QtUserDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        type_into_save_dialog(c.typed);
        const auto name = dialogs.save_file_name("Save", folder.path().toStdString(), c.filter);
        EXPECT_EQ(name, folder.filePath(c.saved).toStdString());
    }
}

// Double quotes in a typed name are not read as a list of names: the name
// is refused with a message and the dialog stays open for another.
TEST(QtDialogs, ASavedNameWithDoubleQuotesIsRefusedAndTheDialogStaysOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::optional<QString> refusal;
    bool still_open = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refusal = box->text();
                EXPECT_EQ(box->icon(), QMessageBox::Critical);
                box->accept();
            }
        });
        type_and_save(dialog, "my \"cfg\"; x.con");
        still_open = dialog->isVisible();
        type_and_save(dialog, "natlab");
    });
    QtUserDialogs dialogs;
    const auto name = dialogs.save_file_name("Save Config As", folder.path().toStdString(),
                                             "config(*.con)|*.con");
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->startsWith("A file name with double quotes")) << refusal->toStdString();
    EXPECT_TRUE(still_open);
    EXPECT_EQ(name, folder.filePath("natlab.con").toStdString());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("cfg.con")));
}

// The scripted dialog answers a typed name as the real one does.
TEST(ScriptedDialogBoxes, ASavedNameGetsTheExtensionAsInTheRealDialog) {
    ScriptedDialogs dialogs;
    for (const char* typed : {"/tmp/natlab", "/tmp/natlab.con", ""}) dialogs.next_text(typed);
    dialogs.next_text(std::nullopt);
    EXPECT_EQ(dialogs.save_file_name("Save", {}, "config(*.con)|*.con"), "/tmp/natlab.con");
    EXPECT_EQ(dialogs.save_file_name("Save", {}, "config(*.con)|*.con"), "/tmp/natlab.con");
    EXPECT_EQ(dialogs.save_file_name("Save", {}, "config(*.con)|*.con"), "");
    EXPECT_EQ(dialogs.save_file_name("Save", {}, "config(*.con)|*.con"), std::nullopt);
    // An open dialog answers the name as typed.
    dialogs.next_text("/tmp/natlab");
    EXPECT_EQ(dialogs.open_file_name("Open", {}, "config(*.con)|*.con"), "/tmp/natlab");
}

TEST(ScriptedDialogBoxes, RecordsTheIconOfEveryBox) {
    ScriptedDialogs dialogs;
    dialogs.message("T", "critical", Icon::Critical);
    dialogs.message("T", "plain", Icon::None);
    dialogs.question("T", "ask", false, Icon::Exclamation);
    dialogs.ok_cancel("T", "sure", Icon::Information);
    ASSERT_EQ(dialogs.shown().size(), 4u);
    EXPECT_EQ(dialogs.shown()[0].icon, Icon::Critical);
    EXPECT_EQ(dialogs.shown()[1].icon, Icon::None);
    EXPECT_EQ(dialogs.shown()[2].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs.shown()[3].icon, Icon::Information);
}

}  // namespace
