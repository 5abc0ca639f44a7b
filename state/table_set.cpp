#include "state/table_set.h"

namespace vexlab::state {

namespace {

NetworkTableSet make_set(const std::string& suffix) {
    NetworkTableSet set;
    std::string* names[] = {
        &set.routervariables_table, &set.rout_dev_table, &set.route_ip_table,
        &set.ospf_dev_table,        &set.ospf_ip_table,  &set.eigrp_dev_table,
        &set.eigrp_ip_table,        &set.nat_dev_table,  &set.nat_inout_table,
        &set.frame_device_table,    &set.frame_ip_table, &set.frame_map_table,
    };
    for (std::size_t i = 0; i < std::size(names); ++i)
        *names[i] = std::string(kNetworkTables[i]) + suffix;
    return set;
}

}  // namespace

NetworkTableSet NetworkTableSet::default_set() {
    return make_set("_def");
}
NetworkTableSet NetworkTableSet::working_set() {
    return make_set("");
}

}  // namespace vexlab::state
