#pragma once
// The score that follows a lab run: finished steps out of ten.

#include "platform/ui/window_navigator.h"

class QLabel;
class QPushButton;

namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

class LabPractice;

class frmScore : public platform::FormWindow {
    Q_OBJECT
public:
    frmScore(state::AppState& app, const LabPractice& practice);

    void Form_Load();
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Picture1 = nullptr;

private:
    state::AppState& app_;
    const LabPractice& practice_;
};

}  // namespace vexlab::labs
