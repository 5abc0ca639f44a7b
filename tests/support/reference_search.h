#pragma once
// A second, deliberately plain implementation of the path search and its
// probes, for the differential tests only: every lookup is a statement on the
// database run at the moment the procedure asks, every list a scan, and a
// traceroute re-expands every hop of every path it finds.  Slow, and easy to
// hold against the written procedure line by line.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/db_session.h"
#include "state/table_set.h"

namespace vexlab::test::reference {

struct Probe {
    std::string console_device;
    int console_kind = 1;
    std::string source_device;
    std::string answering_device;
    std::string packet_source_ip;
};

struct Outcome {
    bool reachable = false;
    std::vector<std::string> recorded_paths;
    std::vector<std::size_t> path_end_offsets;
};

Outcome check_ping_reachable(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                             const Probe& probe, const std::string& target);
Outcome check_telnet_reachable(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               const Probe& probe, const std::string& target);

// The traceroute's text, or nothing when the target is not reached.  Gives up
// (and sets `gave_up`) once the re-expansions have recorded more than
// `path_limit` paths.
std::optional<std::string> run_traceroute(db::DatabaseSession& session,
                                          const state::NetworkTableSet& tables, const Probe& probe,
                                          const std::string& traced, const std::string& shown,
                                          std::size_t path_limit, bool& gave_up);

}  // namespace vexlab::test::reference
