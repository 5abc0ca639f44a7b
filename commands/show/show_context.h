#pragma once
// What one show command works from besides the network tables: the device
// the console is attached to, the interface the typed line named, the line
// itself, the history and the clock.  The builders read it and never change
// the console: whatever they leave behind travels back in a ShowOutput.

#include <ctime>
#include <string>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::commands::show {

inline constexpr const char* kCrLf = "\r\n";

struct ShowContext {
    ShowContext(db::DatabaseSession& database, const state::NetworkTableSet& table_set)
        : session(database), tables(table_set) {}

    db::DatabaseSession& session;
    const state::NetworkTableSet& tables;
    std::string device;             // current_device: the settings column and the rows' device
    std::string host_name;          // as the prompt shows it
    std::string current_interface;  // as the argument check of the line left it
    int loopback_number = 0;
    std::string command_line;                // the typed line, blanks collapsed
    std::vector<std::string> command_words;  // canonical words; empty at argument positions
    std::vector<std::string> history;        // the typed lines, from entry 1
    std::time_t opened_at = 0;               // when the console window was opened
    std::time_t now = 0;
    std::string template_path;  // the show template file

    // Canonical word `i`, empty past the end.
    const std::string& word(std::size_t i) const;
    // Blank-separated typed word `i`, empty past the end.
    std::string typed_word(std::size_t i) const;
};

// What a show command leaves for the console.
struct ShowOutput {
    std::string text;  // every line ended by CR LF
    // The interface the console continues with: a bare "loopback" becomes
    // the loopback's full name, everything else stays as it was.
    std::string current_interface;
};

}  // namespace vexlab::commands::show
