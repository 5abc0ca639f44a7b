#pragma once
// A lab run without its window: the program state on a fresh database (the
// shipped one, or an empty one holding only the given rows), scripted
// dialogs and a clock the test moves by hand.

#include <chrono>
#include <string>
#include <string_view>

#include "labs/lab_run.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace vexlab::test {

class LabFixture {
public:
    // With no rows the run works on the shipped database.
    explicit LabFixture(std::string_view rows = {});

    // Chooses the sublab as the Lab Exercises menu does and loads the run.
    void start(const std::string& sublab);
    // Types a line at the prompt and presses Enter.
    void enter_line(std::string_view line);
    // Show Network, the marked entry for `device`, Select & Exit.
    void choose_device(const std::string& device);
    // Moves the clock on by whole seconds, one timer event each.
    void tick(int seconds = 1);

    // The line the caret stands on.
    std::string caret_line() const;
    const std::string& text() const { return practice.console().text(); }
    const labs::LabRun& run() const { return practice.run(); }
    std::string prompt() const;

    TempDir dir;
    state::AppState app;
    platform::ScriptedDialogs dialogs;
    std::chrono::steady_clock::time_point now{};
    labs::LabPractice practice;
};

// Plays a sublab through by typing its expected commands, changing device
// where a step asks for it.  Answers what went wrong, or the empty text.
std::string replay_sublab(LabFixture& lab, const std::string& sublab);

}  // namespace vexlab::test
