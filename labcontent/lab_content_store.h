#pragma once
// The administrator's changes to the lab tables: sublabs, steps
// (instructions) and their expected commands.  A new row takes the highest
// index plus one; a row inserted after index p takes p + 1 and every later
// row moves one up, highest first, a step's expected commands moving with
// it.  Every change runs as one transaction: when a statement fails nothing
// is changed and the result says why.  Typed texts are stored as typed.

#include <optional>
#include <string>
#include <vector>

#include "labs/lab_tables.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::labcontent {

struct LabRow {
    int index = 0;
    std::string name;
};

struct NewSublab {
    std::string name;
    int lab = 0;
    std::string description, networkpath, flashcardtitle, flashcard;  // empty: "nill"
};

struct CommandTexts {
    std::string command;
    std::string response;  // empty: "nill"
    std::string comprompt;
    std::string resprompt;
};

// What a change did.
struct Change {
    bool ok = true;  // false: nothing was changed, `error` says why
    int index = 0;   // the index of the row added
    int rows = 0;    // rows changed or deleted (the row named, not its children)
    std::string error;
};

// The highest index a row can take.
inline constexpr int kMaxIndex = 32767;

class LabContentStore {
public:
    explicit LabContentStore(db::DatabaseSession& session) : session_(session) {}

    // ---- reads, in index order
    std::vector<LabRow> labs();
    std::vector<labs::SublabRow> sublabs();
    std::optional<labs::SublabRow> sublab_named(const std::string& name);
    std::vector<labs::InstructionRow> instructions_of(int sublab);
    std::optional<labs::InstructionRow> instruction(int index);
    std::vector<labs::ExpectedCommand> commands_of(int instruction);
    // Step by step, each step's commands in index order.
    std::vector<labs::ExpectedCommand> commands_of_sublab(int sublab);
    std::optional<labs::ExpectedCommand> command(int index);

    // ---- sublabs
    Change add_sublab(const NewSublab& sublab);
    // The sublab, its steps and their expected commands.
    Change delete_sublab(int index);

    // ---- steps
    Change add_instruction(const std::string& text, const std::string& device, int sublab);
    Change insert_instruction_after(int index, const std::string& text, const std::string& device,
                                    int sublab);
    Change modify_instruction(int index, const std::string& text);
    // The step and its expected commands.
    Change delete_instruction(int index);

    // ---- expected commands
    Change add_command(const CommandTexts& texts, int instruction);
    Change insert_command_after(int index, const CommandTexts& texts, int instruction);
    Change modify_command(int index, const CommandTexts& texts);
    Change delete_command(int index);

private:
    template <typename Work>
    Change write(Work work);
    int next_index(const char* table);
    void move_up_after(const char* table, int index, bool with_commands);

    db::DatabaseSession& session_;
};

}  // namespace vexlab::labcontent
