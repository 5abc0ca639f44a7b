#include "labs/lab_tables.h"

#include "platform/db_session.h"

namespace vexlab::labs {

namespace {

int number(const db::Recordset& rows, int position) {
    return static_cast<int>(rows.field(position).to_int());
}

// The lab tables, quoted once for the statements below.
const std::string kSublab = db::quote_identifier("sublab");
const std::string kInstructions = db::quote_identifier("instructions");
const std::string kComrestble = db::quote_identifier("comrestble");

// Columns of the expected commands (c) in the order the command reads below
// select them.
constexpr const char* kCommandColumns =
    "c.\"index\", c.command, c.response, c.comprompt, c.resprompt, c.ref1";

ExpectedCommand command_row(const db::Recordset& rows) {
    ExpectedCommand c;
    c.index = number(rows, 0);
    c.command = rows.text(1);
    c.response = rows.text(2);
    c.comprompt = rows.text(3);
    c.resprompt = rows.text(4);
    c.instruction = number(rows, 5);
    c.complete = !rows.field(1).is_null() && !rows.field(3).is_null() && !rows.field(5).is_null();
    return c;
}

}  // namespace

std::optional<SublabRow> find_sublab(db::DatabaseSession& session, const std::string& name) {
    // The column compares without regard to case; the run wants the exact name.
    db::Recordset rows = session.open_recordset(
        "SELECT \"index\", sublabnane, networkpath, description, flashcard, flashcardtitle, "
        "ref FROM " +
            kSublab + " WHERE sublabnane = ? ORDER BY \"index\"",
        {name});
    for (; !rows.eof(); rows.move_next()) {
        if (rows.text(1) != name) continue;
        SublabRow row;
        row.index = number(rows, 0);
        row.name = rows.text(1);
        row.networkpath = rows.text(2);
        row.description = rows.text(3);
        row.flashcard = rows.text(4);
        row.flashcardtitle = rows.text(5);
        row.lab = number(rows, 6);
        return row;
    }
    return std::nullopt;
}

std::vector<InstructionRow> sublab_instructions(db::DatabaseSession& session, int sublab) {
    std::vector<InstructionRow> result;
    db::Recordset rows =
        session.open_recordset("SELECT \"index\", instruction, ref, device FROM " + kInstructions +
                                   " WHERE ref = ? ORDER BY \"index\"",
                               {sublab});
    for (; !rows.eof(); rows.move_next())
        result.push_back({number(rows, 0), rows.text(1), number(rows, 2), rows.text(3)});
    return result;
}

std::vector<ExpectedCommand> sublab_commands(db::DatabaseSession& session, int sublab) {
    std::vector<ExpectedCommand> result;
    db::Recordset rows = session.open_recordset(
        std::string("SELECT ") + kCommandColumns + ", i.device FROM " + kInstructions +
            " AS i INNER JOIN " + kComrestble +
            " AS c ON i.\"index\" = c.ref1 WHERE i.ref = ? ORDER BY i.\"index\", c.\"index\"",
        {sublab});
    for (; !rows.eof(); rows.move_next()) {
        ExpectedCommand c = command_row(rows);
        c.device = rows.text(6);
        c.complete = c.complete && !rows.field(6).is_null();
        result.push_back(std::move(c));
    }
    return result;
}

std::vector<ExpectedCommand> instruction_commands(db::DatabaseSession& session, int instruction) {
    std::vector<ExpectedCommand> result;
    db::Recordset rows =
        session.open_recordset(std::string("SELECT ") + kCommandColumns + " FROM " + kComrestble +
                                   " AS c WHERE c.ref1 = ? ORDER BY c.\"index\"",
                               {instruction});
    for (; !rows.eof(); rows.move_next()) result.push_back(command_row(rows));
    return result;
}

std::string shown_prompt(const std::string& stored) {
    return stored == kEmptyPrompt ? std::string() : stored;
}

}  // namespace vexlab::labs
