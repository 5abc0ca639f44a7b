#pragma once
// Small simulated networks for the reachability tests, written into the
// working table set of an empty database: devices, interfaces with their
// addresses and settings in all three routing views, cables, routing
// protocols, OSPF areas, access lists, NAT, default gateways, and the LAN
// tables derived from the cabling.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/db_session.h"
#include "state/table_set.h"

namespace vexlab::test {

struct TestInterface {
    std::string device;
    std::string name;  // "Serial0", "Ethernet0", "FastEthernet0/1" ...
    std::string ip = "UA";
    std::string mask = "UA";
    bool up = true;
    std::int64_t metric = 0;
    // The protocol letter each view carries ("d" for none).
    std::string rip = "d", ospf = "d", eigrp = "d";
    // OSPF area of the interface itself.
    int area = -1;
    std::string area_type = "N";
    bool to_backbone = false;
    int in_acl = -1, out_acl = -1;
    int nat_inside = 0, nat_outside = 0;
    std::string encapsulation = "Not Set";  // "framerelay" for Frame Relay
    bool l2_frame = false, l2_isdn = false;
    // The cable: filled by TestNetwork::link.
    std::string far_device = "UA", far_interface = "UA";
};

class TestNetwork {
public:
    struct Device {
        std::string name;
        int kind = 1;
        std::string host_name;
        std::string default_gateway = "Unassigned";
        std::string vty_password = "nill";
        std::string management_ip = "UA", management_mask = "UA";  // switches
        bool nat = false;
        bool virtual_link = false;
    };
    struct AclEntry {
        int number;
        std::string device;  // the owning router
        std::string ip, wildcard;
        bool deny;
    };
    struct NatEntry {
        std::string device;
        std::string inside_local = "UA", inside_global = "UA", outside_local = "UA",
                    outside_global = "UA";
        std::string protocol = "d";
    };
    struct NatPool {
        std::string device, name, first, last, mask;
        int acl = 0;
        std::string protocol = "d";
    };

    Device& router(const std::string& name);
    Device& switch_device(const std::string& name);
    Device& pc(const std::string& name);
    TestInterface& iface(const std::string& device, const std::string& name,
                         const std::string& ip = "UA", const std::string& mask = "UA");
    TestInterface& find(const std::string& device, const std::string& name);
    Device& device(const std::string& name);
    // Cables two interfaces: each one's next hop becomes the other.
    void link(const std::string& device_a, const std::string& iface_a, const std::string& device_b,
              const std::string& iface_b);
    void acl(int number, const std::string& device, const std::string& ip,
             const std::string& wildcard, bool deny);
    NatEntry& nat_entry(const std::string& device);
    NatPool& nat_pool(const std::string& device, const std::string& name);

    // Writes the network into an empty database (every table of the schema,
    // no rows) and builds the LAN tables.
    void write(db::DatabaseSession& session) const;

    std::deque<Device> devices;
    std::deque<TestInterface> interfaces;
    std::vector<AclEntry> acls;
    std::vector<NatEntry> nat_entries;
    std::vector<NatPool> pools;
};

// An empty database in `path` with the network written into its working set.
void write_network(db::DatabaseSession& session, const std::string& path,
                   const TestNetwork& network);

}  // namespace vexlab::test
