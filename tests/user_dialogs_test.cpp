// The Qt dialogs show the icon each box asks for; the scripted ones record it.

#include "platform/user_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
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
