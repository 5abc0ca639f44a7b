#pragma once
// Builds the program's database file from the text sources under resources/:
// the schema, every "*.rows" file (table rows), every "*.cat" file (the
// command catalogue) and network/default_settings.conf (the settings of the
// default network's devices).  The file is written beside its final name and
// renamed into place, so a failed build never leaves half a database.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void build_database(const std::string& resources_dir, const std::string& out_path);

// The default network's settings table: one row per key of config_template,
// and for each device of the settings text a pristine column and the device's
// working column after it.  Exposed for tests.
void build_default_settings(db::DatabaseSession& session, std::string_view settings_text,
                            std::string_view source);

// The name of the pristine copy of a default device's settings column.
std::string pristine_column(std::string_view device);

}  // namespace vexlab::state
