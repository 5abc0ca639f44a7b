#include "support/generated_network.h"

#include <string>

namespace vexlab::test {

examples::ExampleNetwork generated_network(int devices) {
    examples::ExampleNetwork network;
    network.description = {"A generated network of " + std::to_string(devices) + " devices."};
    const int routers = (devices + 2) / 3;
    auto add = [&](const std::string& name, const std::string& model, int x, int y) {
        network.devices.push_back({name, model, x, y, examples::model_interfaces(model), {}, {}});
        return network.devices.size() - 1;
    };
    auto link = [&](std::size_t a, const std::string& ia, std::size_t b, const std::string& ib) {
        for (auto& i : network.devices[a].interfaces)
            if (i.name == ia) i.far_device = network.devices[b].name, i.far_interface = ib;
        for (auto& i : network.devices[b].interfaces)
            if (i.name == ib) i.far_device = network.devices[a].name, i.far_interface = ia;
    };
    auto address = [&](std::size_t d, const std::string& name, const std::string& ip,
                       const std::string& mask) {
        for (auto& i : network.devices[d].interfaces)
            if (i.name == name) i.address = ip, i.mask = mask;
    };
    std::size_t previous = 0;
    int made = 0;
    for (int r = 1; r <= routers && made < devices; ++r) {
        const std::string n = std::to_string(r);
        const std::size_t router = add("R" + n, "2501", 60 * r, 40);
        ++made;
        address(router, "Ethernet0", "10." + n + ".0.1", "255.255.0.0");
        if (r > 1) {
            link(previous, "Serial1", router, "Serial0");
            const std::string net =
                "172." + std::to_string(16 + r / 250) + "." + std::to_string(r % 250) + ".";
            address(previous, "Serial1", net + "1", "255.255.255.0");
            address(router, "Serial0", net + "2", "255.255.255.0");
        }
        previous = router;
        if (made < devices) {
            const std::size_t sw = add("SW" + n, "2950", 60 * r, 160);
            ++made;
            link(router, "Ethernet0", sw, "FastEthernet0/1");
            address(sw, "FastEthernet1", "10." + n + ".0.2", "255.255.0.0");
        }
        if (made < devices) {
            const std::size_t pc = add("PC" + n, "PC", 60 * r, 280);
            ++made;
            link(network.devices[router + 1].name == "SW" + n ? router + 1 : router,
                 network.devices[router + 1].name == "SW" + n ? "FastEthernet0/2" : "Ethernet0", pc,
                 "Ethernet0");
            address(pc, "Ethernet0", "10." + n + ".0.10", "255.255.0.0");
        }
    }
    return network;
}

}  // namespace vexlab::test
