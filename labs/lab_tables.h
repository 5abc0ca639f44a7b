#pragma once
// Reads of the lab tables that the lab run, its answers and the diagram
// share.  Steps and their expected commands always come in index order.

#include <optional>
#include <string>
#include <vector>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::labs {

// Marker texts of the lab tables.
inline constexpr std::string_view kNoText = state::marker::kNill;  // an optional text left empty
inline constexpr const char* kEmptyPrompt = "Null";  // a command typed at an empty suffix

struct SublabRow {
    int index = 0;
    std::string name;  // sublabnane
    std::string networkpath;
    std::string description;
    std::string flashcard;
    std::string flashcardtitle;
    int lab = 0;  // ref
};

struct InstructionRow {
    int index = 0;
    std::string instruction;
    int sublab = 0;  // ref
    std::string device;
};

struct ExpectedCommand {
    int index = 0;
    std::string command;
    std::string response;
    std::string comprompt;  // as stored ("Null" for an empty suffix)
    std::string resprompt;
    int instruction = 0;  // ref1
    // Its instruction's device, where the read joins it in.
    std::string device;
    // False when a column that a match compares holds no value: such a row
    // never matches.
    bool complete = true;
};

// The first sublab (in index order) whose name is exactly `name`, letter
// case included.
std::optional<SublabRow> find_sublab(db::DatabaseSession& session, const std::string& name);

std::vector<InstructionRow> sublab_instructions(db::DatabaseSession& session, int sublab);

// The expected commands of one sublab, step by step, each step's in index
// order, with the step's device.
std::vector<ExpectedCommand> sublab_commands(db::DatabaseSession& session, int sublab);

// The expected commands of one step, in index order.
std::vector<ExpectedCommand> instruction_commands(db::DatabaseSession& session, int instruction);

// A stored prompt as the console shows it: "Null" is the empty suffix.
std::string shown_prompt(const std::string& stored);

}  // namespace vexlab::labs
