#pragma once
// The built-in default network put back as shipped: every table of the
// default set from its shipped copy, the settings' working columns from
// their pristine columns, the shared device tables from their seeds, then the
// derived LAN tables built again.

#include <stdexcept>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::networkfiles {

// A shipped copy the reset needs is not in the database.
class MissingSeedError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs on the table set in force, which the caller has checked is the
// default one.  Throws MissingSeedError when a shipped copy is missing, and
// db::DbError when a statement fails; the caller runs it in a transaction.
void reset_default_tables(state::AppState& app);

}  // namespace vexlab::networkfiles
