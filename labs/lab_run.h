#pragma once
// One lab exercise (a sublab) as the learner practises it: the run's state,
// the load of the practice window, the checking of each typed line against
// the expected commands of the current step, the practice console's line
// discipline and the countdown.  The window frmLabPractise is a thin view of
// LabPractice.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_engine.h"
#include "labs/lab_countdown.h"
#include "labs/lab_tables.h"
#include "labs/lab_text.h"

namespace vexlab::platform {
class UserDialogs;
}
namespace vexlab::state {
struct AppState;
}

namespace vexlab::labs {

// Message boxes that have no title of their own show the program's.
inline constexpr const char* kProgramTitle = "Vexlab";

// Texts the practice window shows.
inline constexpr const char* kPressEnter = "press enter to begin";
inline constexpr const char* kEmptyLabText = "Instruction Yet to be added";
inline constexpr const char* kNotFound = "command not found";
inline constexpr const char* kMenuSelection = "Enter Selection:";
inline constexpr const char* kNoCommandsToPractise = "no cmds to practise";
inline constexpr const char* kNoCommandsFirst = "No Commands under the first instruction";
inline constexpr const char* kNoCommandsNext = "No Commands under the next Instruction";
inline constexpr const char* kEnterCommandLine = "Enter Command Line Interface";
inline constexpr const char* kTimeUp = "your time up";

// The menu console that stands in for the switches S1 and S3.
std::string switch_menu_text();
// What the console prints when the last expected command is done.
std::string end_text();
// S1 and S3 are the switches with a menu console and no host name in the prompt.
bool is_menu_switch(std::string_view device);

// The state of one run.  It outlives the practice window: the score and the
// answers read it after the window has closed.
struct LabRun {
    std::vector<int> instruction_indexes;  // the sublab's steps, in index order
    int current_instruction = 0;           // counted from 1
    std::string instruction_device;        // device of the current step
    std::vector<std::string> lab_devices;  // devices of the steps, by first appearance
    std::string selected_lab_device;       // the device the console works on
    std::string instruction_prompt;        // suffix the device chooser hands the console
    // The suffix shown after the host name.  The exercises' prompts are the
    // lab's own text (the switch menu shows none), so the lab console keeps
    // it here rather than in the simulator console's command mode.
    std::string prompt_suffix;
    bool instruction_prompt_offered = true;
    bool lab_awaiting_start = false;
    bool switch_menu_active = false;
    bool lab_done = false;
    int commands_left = 0;
    std::vector<int> completed_commands;              // in completion order
    std::vector<int> instruction_completed_commands;  // one slot per command of the step; 0 free
    int instructions_completed = 0;  // steps finished, empty steps passed over included
    bool lab_command_matched = false;
    bool lab_response_empty = false;
    std::string lab_command_line;

    int instruction_count() const { return static_cast<int>(instruction_indexes.size()); }
    int commands_completed() const { return static_cast<int>(completed_commands.size()); }
};

// What the practice window shows besides the console.
struct LabPracticeView {
    std::string caption;
    std::string description;          // txtLabDes
    std::string instruction_list;     // txtLabIns
    std::string current_instruction;  // txtCurrentIns
    std::string time;                 // lbltime
    bool time_visible = true;         // lbltime and its heading
    bool show_network_enabled = true;
    bool show_answer_enabled = true;
    bool flash_card_enabled = true;
};

class LabPractice {
public:
    LabPractice(
        state::AppState& app, platform::UserDialogs& dialogs,
        LabCountdown::Clock clock = [] { return std::chrono::steady_clock::now(); });

    // The window's load: finds the sublab named by selected_sublab and
    // prepares the run, or takes the empty-lab state.
    void form_load();

    // ---- the checking engine
    // Compares lab_command_line with the current step's expected commands.
    void check_lab_command();
    // Records a completed command; gives the number of commands left.
    int record_lab_command(int command);
    // Records a command of the current step; gives its slot, one less for a
    // repeat (a repeat never completes the step).
    int record_instruction_command(int command);
    // Moves to the next step that has expected commands.
    void advance_instruction();

    // ---- the console (txtRC)
    void press(console::KeyEvent key);
    // Typed text, one character (one key) at a time.
    void type(std::string_view text);
    void click();
    void double_click();

    // ---- the device chooser hands the console a device and its prompt
    // Show Network: decides which prompt the chooser will hand over.
    void show_network_chosen();
    // Select & Exit with the marked device (host_name already set).
    void take_chosen_device();

    // ---- the countdown; the window's timer calls tick() every second
    void tick();
    // Called when the countdown stops, before the time-up message.
    std::function<void()> on_countdown_stopped;

    const LabRun& run() const { return run_; }
    LabRun& run() { return run_; }
    const LabPracticeView& view() const { return view_; }
    LabTextBox& console() { return text_; }
    const LabTextBox& console() const { return text_; }
    int sublab_index() const { return sublab_index_; }
    // True after a load that found nothing to practise.
    bool empty_lab() const { return empty_lab_; }
    bool time_up() const { return time_up_; }
    state::AppState& app() { return app_; }
    platform::UserDialogs& dialogs() { return dialogs_; }

private:
    int cmndscount(int sublab);
    void start_console();
    void take_empty_lab_state();
    void fill_instruction_list(const std::vector<InstructionRow>& steps);
    void show_current(const InstructionRow& step);
    const InstructionRow* step(int index) const;

    // Console handlers.
    void handle(console::KeyEvent key, std::string_view typed);
    void drain();
    void send_key(console::KeyEvent key) { queue_.push_back(key); }
    void txtRC_KeyDown(int key_code);
    void txtRC_KeyPress(int character);
    void enter();
    void backspace_guard();
    std::string prompt() const;
    std::string read_typed_line() const;
    void print_after_check();

    state::AppState& app_;
    platform::UserDialogs& dialogs_;
    LabRun run_;
    LabPracticeView view_;
    LabTextBox text_;
    LabCountdown countdown_;
    std::vector<InstructionRow> steps_;
    std::vector<console::KeyEvent> queue_;

    // The window's own variables.
    int sublab_index_ = 0;
    bool empty_lab_ = false;
    bool time_up_ = false;
    bool ignore_next_down_key_ = false;
    bool ignore_up_after_down_ = false;
    bool ignore_up_after_right_ = false;
};

}  // namespace vexlab::labs
