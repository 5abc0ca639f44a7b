#pragma once
// The names of the twelve per-network tables.  Every statement that touches a
// network's state takes its table names from here, so switching between the
// default network and a loaded one is one assignment.

#include <string>

namespace vexlab::state {

struct NetworkTableSet {
    std::string routervariables_table;
    std::string rout_dev_table;
    std::string route_ip_table;
    std::string ospf_dev_table;
    std::string ospf_ip_table;
    std::string eigrp_dev_table;
    std::string eigrp_ip_table;
    std::string nat_dev_table;
    std::string nat_inout_table;
    std::string frame_device_table;
    std::string frame_ip_table;
    std::string frame_map_table;

    // The default network: every name followed by "_def".
    static NetworkTableSet default_set();
    // The working set of a loaded network: the plain names.
    static NetworkTableSet working_set();

    bool is_default() const { return routervariables_table == "routervariables_def"; }
};

// The base names of the twelve tables, in the order above.
inline constexpr const char* kNetworkTables[] = {
    "routervariables", "rout_dev", "route_ip",  "ospf_dev",     "ospf_ip",  "eigrp_dev",
    "eigrp_ip",        "nat_dev",  "nat_inout", "frame_device", "frame_ip", "frame_map",
};

}  // namespace vexlab::state
