// The lab checking engine: is a typed line one of the current step's expected
// commands, and what follows when it is.

#include <algorithm>

#include "labs/lab_run.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"

namespace vexlab::labs {

// Every expected command of the sublab is compared, in step and index order,
// and the scan goes on after a match with the values that match left: one
// typed "exit" can thus complete an "exit" at "(config-if)#" and the "exit"
// at "(config)#" that follows it.
void LabPractice::check_lab_command() {
    run_.lab_command_matched = false;
    const auto commands = sublab_commands(app_.session, sublab_index_);
    for (const ExpectedCommand& c : commands) {
        const int slot = run_.current_instruction - 1;
        if (!c.complete || slot < 0 || slot >= run_.instruction_count()) continue;
        if (!text::iequals(run_.lab_command_line, c.command)) continue;
        if (run_.prompt_suffix != shown_prompt(c.comprompt)) continue;
        if (c.instruction != run_.instruction_indexes[static_cast<std::size_t>(slot)]) continue;
        if (c.device != run_.selected_lab_device) continue;

        run_.lab_command_matched = true;
        if (c.response != kNoText) {
            app_.console.output.response_text = c.response;
            run_.lab_response_empty = false;
        } else {
            app_.console.output.response_text.clear();
            run_.lab_response_empty = true;
        }
        // Only the command typed in lower case renames the device, and only
        // when it names the new host.
        const auto words = text::split(run_.lab_command_line, " ");
        if (words.size() >= 2 && words[0] == "hostname") app_.console.device.host_name = words[1];
        run_.prompt_suffix = c.resprompt;
        const int left = record_lab_command(c.index);
        run_.lab_done = false;
        const int filled = record_instruction_command(c.index);
        if (filled >= static_cast<int>(run_.instruction_completed_commands.size()) - 1)
            advance_instruction();
        if (left == 0) run_.lab_done = true;
    }
}

int LabPractice::record_lab_command(int command) {
    const auto& done = run_.completed_commands;
    if (std::find(done.rbegin(), done.rend(), command) != done.rend()) return run_.commands_left;
    run_.completed_commands.push_back(command);
    return --run_.commands_left;
}

int LabPractice::record_instruction_command(int command) {
    auto& slots = run_.instruction_completed_commands;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] == 0) {
            slots[i] = command;
            return static_cast<int>(i);
        }
        if (slots[i] == command) return static_cast<int>(i) - 1;
    }
    return 0;
}

// The next step becomes current; steps without expected commands are
// counted as finished and passed over.  The device and the prompt stay: a
// step on another device is reached through the network diagram.
void LabPractice::advance_instruction() {
    for (;;) {
        ++run_.instructions_completed;
        if (run_.instruction_count() - 1 < run_.current_instruction) return;  // that was the last
        const int next =
            run_.instruction_indexes[static_cast<std::size_t>(run_.current_instruction)];
        const auto commands = instruction_commands(app_.session, next);
        if (!commands.empty()) {
            if (const InstructionRow* s = step(next)) show_current(*s);
            run_.instruction_prompt = shown_prompt(commands.front().comprompt);
            run_.instruction_prompt_offered = false;
            run_.instruction_completed_commands.assign(commands.size(), 0);
            ++run_.current_instruction;
            return;
        }
        dialogs_.message(kProgramTitle, kNoCommandsNext, platform::Icon::None);
        ++run_.current_instruction;
    }
}

}  // namespace vexlab::labs
