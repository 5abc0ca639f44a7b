#pragma once
// Test helpers for whole networks: the console's start on the default
// network without its window, and the state of every network table as text,
// to tell whether anything changed.

#include <string>

#include "state/app_state.h"
#include "support/test_database.h"

namespace vexlab::test {

// A program state on a fresh database, on the default network in network
// mode, as the console window's load leaves it.
class DefaultNetwork {
public:
    DefaultNetwork();
    state::AppState app;
    TempDir folder;

    std::string write_file(const std::string& name, const std::string& text) const;
};

// Things a learner might have done to the default network, touching every
// table the network files carry.
void configure_default_network(state::AppState& app);

std::string read_file(const std::string& path);

// Every table but the command catalogue, with its columns and its rows in
// stored order; cells show their type, so Null, "" and 0 differ.
std::string database_state(db::DatabaseSession& session);

}  // namespace vexlab::test
