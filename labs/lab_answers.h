#pragma once
// What the answer, flash-card and score windows of a lab run show.

#include <string>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::labs {

struct LabRun;

// "Commands to execute this Instruction:" and the expected commands of the
// current step, each as the learner sees it typed: device, prompt, command.
// A run with no step has only the heading.
std::string instruction_answer(db::DatabaseSession& session, const LabRun& run);

// "List of Commands corresponding to this Sublab:" and every expected
// command of the sublab, step after step.  A sublab that no longer exists
// has only the heading.
std::string full_answer(db::DatabaseSession& session, const std::string& sublab_name);

struct FlashCard {
    std::string title;  // empty when the card has none
    bool has_title = false;
    std::string text;
    // The title and the text together (the text alone without a title).
    std::string combined() const;
};

FlashCard flash_card(db::DatabaseSession& session, const std::string& sublab_name);

// The score out of ten as the score window shows it: finished steps over
// all steps, cut (not rounded) to one decimal; "0" for a run that had
// nothing to practise.
std::string score_text(const LabRun& run, bool empty_lab);

}  // namespace vexlab::labs
