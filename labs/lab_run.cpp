// The practice window's load, its buttons and its countdown.

#include "labs/lab_run.h"

#include <algorithm>

#include "platform/db_session.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

std::string switch_menu_text() {
    return "Only Command line option is enabled\r\n"
           "[M] Menus\r\n"
           "[k] Command Line\r\n"
           "[i] Ip Configuration\r\n"
           "[p] Console Password\r\n"
           "Enter Selection:";
}

std::string end_text() {
    return "\r\n\r\n\r\n\r\n" + std::string(42, ' ') + "DONE!\r\n" + std::string(25, ' ') +
           "CLick on Score & exit to view score";
}

bool is_menu_switch(std::string_view device) {
    return device == "S1" || device == "S3";
}

LabPractice::LabPractice(state::AppState& app, platform::UserDialogs& dialogs,
                         LabCountdown::Clock clock)
    : app_(app), dialogs_(dialogs), countdown_(std::move(clock)) {}

void LabPractice::form_load() {
    // The window's controls start from their design state at every load.
    view_ = LabPracticeView{};
    text_.replace_all({});
    text_.locked = false;
    text_.enabled = true;
    queue_.clear();
    time_up_ = false;
    empty_lab_ = false;

    run_.switch_menu_active = false;
    countdown_.start();
    view_.time = countdown_.caption();

    // A name no sublab bears (one deleted since the menus were built) finds
    // nothing to practise rather than the sublab of an earlier run.
    sublab_index_ = 0;
    if (auto sublab = find_sublab(app_.session, app_.selected_sublab)) {
        sublab_index_ = sublab->index;
        if (sublab->networkpath == kNoText) view_.show_network_enabled = false;
        if (sublab->flashcard == kNoText) view_.flash_card_enabled = false;
        view_.description = sublab->description;
    }

    const int count = cmndscount(sublab_index_);
    if (count == 0) {
        take_empty_lab_state();
        return;
    }
    run_.commands_left = count;
    run_.lab_devices.clear();
    run_.current_instruction = 1;
    run_.instructions_completed = 0;
    run_.lab_done = false;
    run_.instruction_prompt_offered = true;

    steps_ = sublab_instructions(app_.session, sublab_index_);
    fill_instruction_list(steps_);
    run_.instruction_indexes.clear();
    for (const auto& s : steps_) run_.instruction_indexes.push_back(s.index);

    const auto first = instruction_commands(app_.session, run_.instruction_indexes.front());
    if (!first.empty()) {
        run_.instruction_completed_commands.assign(first.size(), 0);
    } else {
        dialogs_.message(kProgramTitle, kNoCommandsFirst, platform::Icon::None);
        advance_instruction();
    }

    start_console();
    view_.caption = app_.selected_sublab;

    app_.console.keys.ignore_next_up_key = false;
    ignore_next_down_key_ = ignore_up_after_down_ = ignore_up_after_right_ = false;
    send_key(console::keys::end);
    app_.console.output.response_text.clear();
    drain();
}

// Gives the number of expected commands of a sublab and starts an empty list
// of completed ones.
int LabPractice::cmndscount(int sublab) {
    const int count =
        sublab > 0 ? static_cast<int>(sublab_commands(app_.session, sublab).size()) : 0;
    if (count == 0) {
        dialogs_.message(kProgramTitle, kNoCommandsToPractise, platform::Icon::None);
        return 0;
    }
    run_.completed_commands.clear();
    run_.completed_commands.reserve(static_cast<std::size_t>(count));
    return count;
}

void LabPractice::fill_instruction_list(const std::vector<InstructionRow>& steps) {
    std::string list;
    int n = 0;
    for (const auto& s : steps) {
        ++n;
        if (n == 1) {
            show_current(s);
            app_.console.device.host_name = s.device;
            run_.selected_lab_device = s.device;
        } else {
            list += kCrLf;
        }
        list += std::to_string(n) + ". " + s.instruction + kCrLf;
        if (std::find(run_.lab_devices.begin(), run_.lab_devices.end(), s.device) ==
            run_.lab_devices.end())
            run_.lab_devices.push_back(s.device);
    }
    view_.instruction_list = std::move(list);
}

void LabPractice::show_current(const InstructionRow& s) {
    view_.current_instruction = "    > " + s.instruction;
    run_.instruction_device = s.device;
}

const InstructionRow* LabPractice::step(int index) const {
    for (const auto& s : steps_)
        if (s.index == index) return &s;
    return nullptr;
}

void LabPractice::start_console() {
    std::string& host = app_.console.device.host_name;
    const bool menu = is_menu_switch(host);
    run_.prompt_suffix = menu ? "" : ">";
    text_.replace_all(kPressEnter);
    if (menu) {
        run_.switch_menu_active = true;
        text_.replace_all(switch_menu_text());
    }
    send_key(console::keys::end);
    if (menu) host.clear();
    run_.lab_awaiting_start = true;
}

// Nothing to practise: the console says so and takes no keys; the run's
// state is left as it was.
void LabPractice::take_empty_lab_state() {
    empty_lab_ = true;
    text_.replace_all(kEmptyLabText);
    view_.caption = app_.selected_sublab;
    view_.description.clear();
    text_.enabled = false;
    view_.show_network_enabled = view_.show_answer_enabled = view_.flash_card_enabled = false;
}

// Right after a step has begun, the diagram offers that step's prompt; at
// any other time choosing the marked device keeps the console's prompt.  The
// step's prompt stays on offer until a device has been taken, so a diagram
// closed without a choice does not lose it.
void LabPractice::show_network_chosen() {
    if (run_.instruction_prompt_offered) run_.instruction_prompt = run_.prompt_suffix;
}

// The marked device has been chosen in the diagram: the console works on it
// from its step's prompt.
void LabPractice::take_chosen_device() {
    std::string& host = app_.console.device.host_name;
    std::string& suffix = run_.prompt_suffix;
    if (is_menu_switch(host)) host.clear();
    suffix = run_.instruction_prompt;
    run_.instruction_prompt_offered = true;
    if (!run_.lab_awaiting_start) {
        // The old prompt line stays; the new prompt follows on the next line.
        const std::string& text = text_.text();
        const auto last_break = text.rfind(kCrLf);
        text_.replace_from(last_break == std::string::npos ? 0 : last_break,
                           kCrLf + host + suffix + kCrLf);
        app_.console.keys.ignore_next_up_key = true;
        send_key(console::keys::up);
        send_key(console::keys::end);
    } else if (host == "S2") {
        suffix = ">";
        run_.switch_menu_active = false;
        text_.replace_all(host + suffix);
        send_key(console::keys::end);
    }
    drain();
}

void LabPractice::tick() {
    switch (countdown_.tick()) {
        case LabCountdown::Tick::Running:
            view_.time = countdown_.caption();
            break;
        case LabCountdown::Tick::TimeUp:
            // Stopped and locked before the message, so the box opens once.
            time_up_ = true;
            text_.locked = true;
            if (on_countdown_stopped) on_countdown_stopped();
            dialogs_.message(kProgramTitle, kTimeUp, platform::Icon::None);
            break;
        case LabCountdown::Tick::Stopped:
            break;
    }
}

}  // namespace vexlab::labs
