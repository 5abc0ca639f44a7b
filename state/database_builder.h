#pragma once
// Builds the program's database file from the text sources under resources/:
// the schema, every "*.rows" file (table rows), every "*.cat" file (the
// command catalogue) and network/default_settings.conf (the settings of the
// default network's devices).  The file is written beside its final name and
// renamed into place, so a failed build never leaves half a database.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One source file: its name for messages, and its text.
struct SourceText {
    std::string name;
    std::string text;
};

// Turns the catalogue sources ("*.cat") into the catalogue tables of the
// database being built (the table rows are loaded by then).  The command
// interpreter supplies it: it knows the catalogue's rules.
using CatalogueStep =
    std::function<void(db::DatabaseSession& session, const std::vector<SourceText>& sources)>;

void build_database(const std::string& resources_dir, const std::string& out_path,
                    const CatalogueStep& build_catalogue);

// The default network's settings table: one row per key of config_template,
// and for each device of the settings text a pristine column and the device's
// working column after it.  Exposed for tests.
void build_default_settings(db::DatabaseSession& session, std::string_view settings_text,
                            std::string_view source);

// The name of the pristine copy of a default device's settings column.
std::string pristine_column(std::string_view device);

// The default tables the build keeps a shipped copy of: every member of the
// default set but the settings table, whose device columns carry their own
// pristine copies.  Commands change these tables in place and nothing else
// remembers what the program shipped, so the reset puts each back from its
// copy.
std::vector<std::string> seeded_default_tables();

// The name of the shipped copy of a default table: "route_ip_def" gives
// "route_ip_seed".
std::string seed_table(std::string_view default_table);

// Makes the shipped copies from the default tables as loaded: same columns,
// types and defaults, same rows in the same order.
void build_default_seeds(db::DatabaseSession& session);

}  // namespace vexlab::state
