#pragma once
// The lab practice window: the sublab's description and steps, the current
// step, the countdown and the practice console txtRC.  Every key of txtRC
// goes to the run's model; the window applies the text changes the model
// reports and shows its state.

#include <memory>

#include "labs/lab_run.h"
#include "platform/ui/window_navigator.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vexlab::labs {

class frmLabNetDgm;
class frmShowAnswer;
class frmFlashCard;
class frmScore;

class frmLabPractise : public platform::FormWindow {
    Q_OBJECT
public:
    frmLabPractise(
        state::AppState& app, platform::UserDialogs& dialogs,
        LabCountdown::Clock clock = [] { return std::chrono::steady_clock::now(); });
    ~frmLabPractise() override;

    // The window's load: runs at every opening, on selected_sublab.
    void Form_Load();

    void cmdShowNetDgm_Click();
    void cmdShowAns_Click();
    void cmdShowFlsah_Click();
    void cmdScore_Click();
    void Timer1_Timer();

    LabPractice& practice() { return practice_; }
    frmLabNetDgm* diagram() const { return diagram_.get(); }
    frmShowAnswer* answer() const { return answer_.get(); }
    frmFlashCard* flash_card() const { return flash_card_.get(); }
    frmScore* score() const { return score_.get(); }

    // Shows what the model holds now (the children call it after changing it).
    void refresh();

    QPlainTextEdit* txtRC = nullptr;
    QPlainTextEdit* txtLabDes = nullptr;
    QPlainTextEdit* txtLabIns = nullptr;
    QPlainTextEdit* txtCurrentIns = nullptr;
    QLabel* lbltime = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* cmdShowNetDgm = nullptr;
    QPushButton* cmdShowAns = nullptr;
    QPushButton* cmdShowFlsah = nullptr;
    QPushButton* cmdScore = nullptr;
    QLabel* Picture1 = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* mnutext1pop = nullptr;

signals:
    // The score window that follows the run has closed: the exercise is over.
    void run_finished();

protected:
    void form_unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool txtRC_Key(QKeyEvent* event);
    void apply_console_changes();
    void child_closed();

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    LabPractice practice_;
    std::unique_ptr<frmLabNetDgm> diagram_;
    std::unique_ptr<frmShowAnswer> answer_;
    std::unique_ptr<frmFlashCard> flash_card_;
    std::unique_ptr<frmScore> score_;
};

}  // namespace vexlab::labs
