#include "labs/lab_answers.h"

#include <cstdio>

#include "labs/lab_run.h"
#include "labs/lab_tables.h"

namespace vexlab::labs {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string device_part(const std::string& device) {
    return is_menu_switch(device) ? std::string() : device;
}

void add_commands(std::string& text, db::DatabaseSession& session, int instruction,
                  const std::string& device) {
    for (const ExpectedCommand& c : instruction_commands(session, instruction))
        text += kCrLf + device_part(device) + shown_prompt(c.comprompt) + c.command;
}

}  // namespace

std::string instruction_answer(db::DatabaseSession& session, const LabRun& run) {
    std::string text =
        "Commands to execute this Instruction:" + std::string(kCrLf) + std::string(49, '-');
    const int slot = run.current_instruction - 1;
    if (slot < 0 || slot >= run.instruction_count()) return text;
    add_commands(text, session, run.instruction_indexes[static_cast<std::size_t>(slot)],
                 run.instruction_device);
    return text;
}

std::string full_answer(db::DatabaseSession& session, const std::string& sublab_name) {
    std::string text = "List of Commands corresponding to this Sublab:" + std::string(kCrLf) +
                       std::string(61, '-');
    const auto sublab = find_sublab(session, sublab_name);
    if (!sublab) return text;
    for (const InstructionRow& step : sublab_instructions(session, sublab->index))
        add_commands(text, session, step.index, step.device);
    return text;
}

std::string FlashCard::combined() const {
    return has_title ? title + kCrLf + text : text;
}

FlashCard flash_card(db::DatabaseSession& session, const std::string& sublab_name) {
    FlashCard card;
    if (const auto sublab = find_sublab(session, sublab_name)) {
        card.text = sublab->flashcard;
        card.has_title = sublab->flashcardtitle != kNoText;
        if (card.has_title) card.title = sublab->flashcardtitle;
    }
    return card;
}

std::string score_text(const LabRun& run, bool empty_lab) {
    const int count = run.instruction_count();
    if (empty_lab || count == 0) return "0";
    const double score = static_cast<double>(run.instructions_completed) / count * 10;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", score);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) text.resize(3);
    return text;
}

}  // namespace vexlab::labs
