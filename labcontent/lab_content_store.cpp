#include "labcontent/lab_content_store.h"

#include "platform/db_session.h"

namespace vexlab::labcontent {

namespace {

// The lab tables, quoted once for the statements below.
const std::string kLabs = db::quote_identifier("labs");
const std::string kSublab = db::quote_identifier("sublab");
const std::string kInstructions = db::quote_identifier("instructions");
const std::string kComrestble = db::quote_identifier("comrestble");

db::Value or_nill(const std::string& text) {
    return text.empty() ? db::Value(labs::kNoText) : db::Value(text);
}

// A change that cannot be made; nothing has been written.
struct Refused {
    std::string why;
};

}  // namespace

template <typename Work>
Change LabContentStore::write(Work work) {
    Change change;
    try {
        db::DatabaseSession::Transaction transaction(session_);
        work(change);
        transaction.commit();
    } catch (const Refused& refused) {
        return {false, 0, 0, refused.why};
    } catch (const db::DbError& error) {
        return {false, 0, 0, error.engine_message()};
    }
    return change;
}

int LabContentStore::next_index(const char* table) {
    const db::Value highest =
        session_.scalar("SELECT MAX(\"index\") FROM " + db::quote_identifier(table));
    const long long next = highest.is_null() ? 1 : highest.to_int() + 1;
    if (next > kMaxIndex)
        throw Refused{std::string("no index above ") + std::to_string(kMaxIndex) + " is left in " +
                      table};
    return static_cast<int>(next);
}

// Makes room after `index`: every later row moves one up, the highest first,
// so no two rows ever share an index.  A step's expected commands are moved
// to its new index before the step itself.
void LabContentStore::move_up_after(const char* table, int index, bool with_commands) {
    const std::string quoted_table = db::quote_identifier(table);
    db::Recordset later = session_.open_recordset(
        "SELECT \"index\" FROM " + quoted_table + " WHERE \"index\" > ? ORDER BY \"index\" DESC",
        {index});
    if (!later.eof() && later.field(0).to_int() >= kMaxIndex)
        throw Refused{std::string("no index above ") + std::to_string(kMaxIndex) + " is left in " +
                      table};
    for (; !later.eof(); later.move_next()) {
        const int old_index = static_cast<int>(later.field(0).to_int());
        if (with_commands)
            session_.execute("UPDATE " + kComrestble + " SET ref1 = ? WHERE ref1 = ?",
                             {old_index + 1, old_index});
        session_.execute("UPDATE " + quoted_table + " SET \"index\" = ? WHERE \"index\" = ?",
                         {old_index + 1, old_index});
    }
}

// ---------------------------------------------------------------- reads

std::vector<LabRow> LabContentStore::labs() {
    std::vector<LabRow> rows;
    db::Recordset set =
        session_.open_recordset("SELECT \"index\", labname FROM " + kLabs + " ORDER BY \"index\"");
    for (; !set.eof(); set.move_next())
        rows.push_back({static_cast<int>(set.field(0).to_int()), set.text(1)});
    return rows;
}

std::vector<labs::SublabRow> LabContentStore::sublabs() {
    std::vector<labs::SublabRow> rows;
    db::Recordset set = session_.open_recordset(
        "SELECT \"index\", sublabnane, networkpath, description, flashcard, flashcardtitle, "
        "ref FROM " +
        kSublab + " ORDER BY \"index\"");
    for (; !set.eof(); set.move_next())
        rows.push_back({static_cast<int>(set.field(0).to_int()), set.text(1), set.text(2),
                        set.text(3), set.text(4), set.text(5),
                        static_cast<int>(set.field(6).to_int())});
    return rows;
}

std::optional<labs::SublabRow> LabContentStore::sublab_named(const std::string& name) {
    return labs::find_sublab(session_, name);
}

std::vector<labs::InstructionRow> LabContentStore::instructions_of(int sublab) {
    return labs::sublab_instructions(session_, sublab);
}

std::optional<labs::InstructionRow> LabContentStore::instruction(int index) {
    db::Recordset set = session_.open_recordset(
        "SELECT \"index\", instruction, ref, device FROM " + kInstructions + " WHERE \"index\" = ?",
        {index});
    if (set.eof()) return std::nullopt;
    return labs::InstructionRow{index, set.text(1), static_cast<int>(set.field(2).to_int()),
                                set.text(3)};
}

std::vector<labs::ExpectedCommand> LabContentStore::commands_of(int instruction) {
    return labs::instruction_commands(session_, instruction);
}

std::vector<labs::ExpectedCommand> LabContentStore::commands_of_sublab(int sublab) {
    return labs::sublab_commands(session_, sublab);
}

std::optional<labs::ExpectedCommand> LabContentStore::command(int index) {
    db::Recordset set =
        session_.open_recordset("SELECT command, response, comprompt, resprompt, ref1 FROM " +
                                    kComrestble + " WHERE \"index\" = ?",
                                {index});
    if (set.eof()) return std::nullopt;
    labs::ExpectedCommand c;
    c.index = index;
    c.command = set.text(0);
    c.response = set.text(1);
    c.comprompt = set.text(2);
    c.resprompt = set.text(3);
    c.instruction = static_cast<int>(set.field(4).to_int());
    return c;
}

// ---------------------------------------------------------------- sublabs

Change LabContentStore::add_sublab(const NewSublab& s) {
    return write([&](Change& change) {
        change.index = next_index("sublab");
        session_.execute("INSERT INTO " + kSublab +
                             " (\"index\", sublabnane, ref, description, networkpath, "
                             "flashcardtitle, flashcard) VALUES (?, ?, ?, ?, ?, ?, ?)",
                         {change.index, s.name, s.lab, or_nill(s.description),
                          or_nill(s.networkpath), or_nill(s.flashcardtitle), or_nill(s.flashcard)});
        change.rows = 1;
    });
}

Change LabContentStore::delete_sublab(int index) {
    return write([&](Change& change) {
        session_.execute("DELETE FROM " + kComrestble + " WHERE ref1 IN (SELECT \"index\" FROM " +
                             kInstructions + " WHERE ref = ?)",
                         {index});
        session_.execute("DELETE FROM " + kInstructions + " WHERE ref = ?", {index});
        session_.execute("DELETE FROM " + kSublab + " WHERE \"index\" = ?", {index});
        change.rows = session_.changes();
    });
}

// ---------------------------------------------------------------- steps

Change LabContentStore::add_instruction(const std::string& text, const std::string& device,
                                        int sublab) {
    return write([&](Change& change) {
        change.index = next_index("instructions");
        session_.execute("INSERT INTO " + kInstructions +
                             " (\"index\", instruction, device, ref) VALUES (?, ?, ?, ?)",
                         {change.index, text, device, sublab});
        change.rows = 1;
    });
}

Change LabContentStore::insert_instruction_after(int index, const std::string& text,
                                                 const std::string& device, int sublab) {
    return write([&](Change& change) {
        if (index + 1 > kMaxIndex) throw Refused{"no index above 32767 is left in instructions"};
        move_up_after("instructions", index, true);
        change.index = index + 1;
        session_.execute("INSERT INTO " + kInstructions +
                             " (\"index\", instruction, device, ref) VALUES (?, ?, ?, ?)",
                         {change.index, text, device, sublab});
        change.rows = 1;
    });
}

Change LabContentStore::modify_instruction(int index, const std::string& text) {
    return write([&](Change& change) {
        session_.execute("UPDATE " + kInstructions + " SET instruction = ? WHERE \"index\" = ?",
                         {text, index});
        change.rows = session_.changes();
    });
}

Change LabContentStore::delete_instruction(int index) {
    return write([&](Change& change) {
        session_.execute("DELETE FROM " + kComrestble + " WHERE ref1 = ?", {index});
        session_.execute("DELETE FROM " + kInstructions + " WHERE \"index\" = ?", {index});
        change.rows = session_.changes();
    });
}

// ---------------------------------------------------------------- expected commands

Change LabContentStore::add_command(const CommandTexts& t, int instruction) {
    return write([&](Change& change) {
        change.index = next_index("comrestble");
        session_.execute(
            "INSERT INTO " + kComrestble +
                " (\"index\", command, response, comprompt, resprompt, ref1) "
                "VALUES (?, ?, ?, ?, ?, ?)",
            {change.index, t.command, or_nill(t.response), t.comprompt, t.resprompt, instruction});
        change.rows = 1;
    });
}

Change LabContentStore::insert_command_after(int index, const CommandTexts& t, int instruction) {
    return write([&](Change& change) {
        if (index + 1 > kMaxIndex) throw Refused{"no index above 32767 is left in comrestble"};
        move_up_after("comrestble", index, false);
        change.index = index + 1;
        session_.execute(
            "INSERT INTO " + kComrestble +
                " (\"index\", command, response, comprompt, resprompt, ref1) "
                "VALUES (?, ?, ?, ?, ?, ?)",
            {change.index, t.command, or_nill(t.response), t.comprompt, t.resprompt, instruction});
        change.rows = 1;
    });
}

Change LabContentStore::modify_command(int index, const CommandTexts& t) {
    return write([&](Change& change) {
        session_.execute("UPDATE " + kComrestble +
                             " SET command = ?, response = ?, comprompt = ?, resprompt = ? "
                             "WHERE \"index\" = ?",
                         {t.command, or_nill(t.response), t.comprompt, t.resprompt, index});
        change.rows = session_.changes();
    });
}

Change LabContentStore::delete_command(int index) {
    return write([&](Change& change) {
        session_.execute("DELETE FROM " + kComrestble + " WHERE \"index\" = ?", {index});
        change.rows = session_.changes();
    });
}

}  // namespace vexlab::labcontent
