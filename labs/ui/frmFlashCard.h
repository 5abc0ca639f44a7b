#pragma once
// The flash card of a sublab: its title and text, which can be printed.

#include <QPrinter>
#include <functional>
#include <memory>

#include "platform/ui/window_navigator.h"

class QLabel;
class QPushButton;
class QTextEdit;
class QFrame;

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

class frmFlashCard : public platform::FormWindow {
    Q_OBJECT
public:
    explicit frmFlashCard(state::AppState& app);

    void Form_Load();
    void Command2_Click();  // Print
    void Command1_Click();  // Close

    // The print dialog: the printer the user chose, or nothing when the
    // dialog was cancelled.  Tests put their own in its place.
    std::function<std::unique_ptr<QPrinter>(QWidget* parent)> dlgPrint;

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QTextEdit* rtfData = nullptr;
    QTextEdit* RichTextBox1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QFrame* Line1 = nullptr;

private:
    state::AppState& app_;
};

}  // namespace vexlab::labs
