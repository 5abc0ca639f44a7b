#pragma once
// Turns the readable command catalogue (resources/catalogue/*.cat) into the
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
// words and "null" for further words when left out, where "null" leaves the
// line's response as it was), set=a,b (the parameter list handed to the
// generic write), do=name (the handler a line calls when it ends at this row
// or below it, unless a row below names another), and on first words only
// mode=<mode> (mode after the command; the section's mode when left out) and
// disabled.  A section with several kinds and modes holds its words once for
// each.
//
// Besides the form, the build refuses: an argument token that the token
// table does not list or that no syntax check knows, a handler name that no
// service registered, a command that can end where it neither writes (set=)
// nor calls a handler (do=) nor changes the mode (mode=), and a command the
// command dispatch names a handler for that names another.

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/catalogue.h"
#include "state/database_builder.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::interpreter {

class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using CatalogueSource = state::SourceText;

struct CompiledCatalogue {
    std::vector<CatalogueRow> roots;
    std::array<std::vector<CatalogueRow>, 9> words;  // levels 1 to 9
};

// What the rows may name.
struct CatalogueNames {
    std::set<std::string> tokens;    // the argument tokens the token table lists
    std::set<std::string> handlers;  // the registered handlers
    // Hold the commands to the handlers the command dispatch names.  Off only
    // for catalogues written to exercise the matcher with words of their own.
    bool check_dispatch = true;
};

// The token table's tokens with the handlers every service registers.
CatalogueNames shipped_names(std::set<std::string> tokens);

CompiledCatalogue compile_catalogue(const std::vector<CatalogueSource>& sources,
                                    const CatalogueNames& names);

// Writes the rows into the (empty) catalogue tables.
void store_catalogue(db::DatabaseSession& session, const CompiledCatalogue& catalogue);

// Compiles the shipped sources against the token table already loaded in the
// session and the registered handlers, and stores the rows.
void build_catalogue_tables(db::DatabaseSession& session,
                            const std::vector<CatalogueSource>& sources);

// The program's database file built from resources/, catalogue included.
void build_program_database(const std::string& resources_dir, const std::string& out_path);

}  // namespace vexlab::interpreter
