#pragma once
// Turns the readable command catalogue (resources/catalogue/*.txt) into the
// rows of the catalogue tables, refusing a catalogue that breaks the rules the
// interpreter relies on.
//
// Source form: a section line names device kinds and modes, then one word per
// line, indented two blanks per level below its parent word:
//
//   [router switch > #]
//   show                          desc="Show running system information"
//     clock                       desc="Display the system clock" resp="..."
//   enable                        mode=# desc="Turn on privileged commands"
//   hostname                      desc="Set system's network name"
//     <WORD>                      set=hostname desc="This system's network name"
//   interface                     mode=(config-if)#
//     ...
//       end_cmd                   set=...    (the command may end at its parent)
//
// Attributes: desc="…" (help text), resp="…" (response; "nill" for first
// words and "null" for further words when left out), set=a,b (the parameter
// list handed to the generic executor), and on first words only mode=<mode>
// (mode after the command; the section's mode when left out) and disabled.
// A section with several kinds and modes holds its words once for each.

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::interpreter {

class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CatalogueSource {
    std::string name;  // shown in messages
    std::string text;
};

struct CatalogueRow {
    int index = 0;
    int ref = 0;             // first words: device kind; further words: parent index
    std::string mode;        // first words only
    std::string mode_after;  // first words only
    bool enabled = true;     // first words only
    std::string command;
    std::vector<std::string> parameters;
    bool further = false;
    std::string response;
    std::string description;
    std::string origin;  // "file:line", for messages
};

struct CompiledCatalogue {
    std::vector<CatalogueRow> roots;
    std::array<std::vector<CatalogueRow>, 9> words;  // levels 1 to 9
};

// The modes a catalogue row may name.
const std::vector<std::string>& command_modes();
// Device kinds by name: router 1, switch 2, pc 3.
int device_kind_number(std::string_view name);

CompiledCatalogue compile_catalogue(const std::vector<CatalogueSource>& sources,
                                    const std::set<std::string>& tokens);

// Writes the rows into the (empty) catalogue tables.
void store_catalogue(db::DatabaseSession& session, const CompiledCatalogue& catalogue);

// The first word that may be typed in full although it is a prefix of another
// first word: the matcher takes an exact match for these in multi-word lines.
bool exact_first_word(std::string_view word);

constexpr int kMaxRootIndex = 32767;
constexpr int kMaxWordLength = 40;

}  // namespace vexlab::interpreter
