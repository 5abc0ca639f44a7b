#pragma once
// The answer window of a lab run: the expected commands of the current step
// or of the whole sublab, as the learner would type them.

#include "platform/ui/window_navigator.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

struct LabRun;

class frmShowAnswer : public platform::FormWindow {
    Q_OBJECT
public:
    frmShowAnswer(state::AppState& app, const LabRun& run);

    void Form_Load();
    void Command3_Click();  // Instruction Answer
    void Command2_Click();  // Full Answer
    void Command1_Click();  // Close

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QFrame* Line1 = nullptr;

private:
    void show_text(const std::string& text);

    state::AppState& app_;
    const LabRun& run_;
};

}  // namespace vexlab::labs
