// What a learner waits on after typing ping or traceroute on a large lab
// network: reading the network and the path search, on generated networks
// of 10, 20, 50 and 100 routers (or stages).
//
//   chain:  R1 - R2 - ... - Rn, ping from R1 to the far end of Rn
//   grid:   routers in rows and columns, each linked to its right and lower
//           neighbour, ping from one corner to the opposite one
//   stages: R0 = R1 = ... = Rn, two parallel links per stage with different
//           metrics (2^n loop-free paths), traceroute to the far end

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "platform/db_session.h"
#include "reachability/reachability_commands.h"
#include "state/table_set.h"
#include "support/test_database.h"
#include "support/test_network.h"

namespace {

using vexlab::test::TestNetwork;

struct Network {
    vexlab::test::TempDir dir;
    vexlab::db::DatabaseSession session;
    std::string target;
};

std::string name(const std::string& prefix, int n) {
    return prefix + std::to_string(n);
}

void add_link(TestNetwork& net, int& subnet, const std::string& a, const std::string& b,
              int metric_a = 1) {
    const std::string base =
        "10." + std::to_string(subnet / 250) + "." + std::to_string(subnet % 250) + ".";
    ++subnet;
    auto count = [&](const std::string& device) {
        int n = 0;
        for (const auto& i : net.interfaces)
            if (i.device == device) ++n;
        return n;
    };
    const std::string ia = "Serial" + std::to_string(count(a));
    const std::string ib = "Serial" + std::to_string(count(b));
    auto& left = net.iface(a, ia, base + "1", "255.255.255.0");
    left.rip = "r";
    left.metric = metric_a;
    net.iface(b, ib, base + "2", "255.255.255.0").rip = "r";
    net.link(a, ia, b, ib);
}

Network& chain(int n) {
    static std::map<int, std::unique_ptr<Network>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    slot = std::make_unique<Network>();
    TestNetwork net;
    int subnet = 0;
    for (int i = 1; i <= n; ++i) net.router(name("R", i));
    for (int i = 1; i < n; ++i) add_link(net, subnet, name("R", i), name("R", i + 1));
    vexlab::test::write_network(slot->session, slot->dir.file("chain.mdb"), net);
    slot->target = net.interfaces.back().ip;
    return *slot;
}

Network& grid(int n) {
    static std::map<int, std::unique_ptr<Network>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    slot = std::make_unique<Network>();
    const int rows = n == 10 ? 2 : n == 20 ? 4 : n == 50 ? 5 : 10;
    const int columns = n / rows;
    TestNetwork net;
    int subnet = 0;
    auto at = [&](int r, int c) { return "R" + std::to_string(r) + "_" + std::to_string(c); };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) net.router(at(r, c));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (c + 1 < columns) add_link(net, subnet, at(r, c), at(r, c + 1));
            if (r + 1 < rows) add_link(net, subnet, at(r, c), at(r + 1, c));
        }
    vexlab::test::write_network(slot->session, slot->dir.file("grid.mdb"), net);
    slot->target = net.find(at(rows - 1, columns - 1), "Serial0").ip;
    return *slot;
}

Network& stages(int n) {
    static std::map<int, std::unique_ptr<Network>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    slot = std::make_unique<Network>();
    TestNetwork net;
    int subnet = 0;
    // Two routes of different cost per stage, the cheaper one as often first
    // as second, so the first path found is rarely the cheapest.
    std::mt19937 random(42);
    std::uniform_int_distribution<int> metric(1, 9);
    for (int i = 0; i <= n; ++i) net.router(name("R", i));
    for (int i = 0; i < n; ++i) {
        const int first = metric(random);
        int second = metric(random);
        if (second == first) second = first % 9 + 1;
        add_link(net, subnet, name("R", i), name("R", i + 1), first);
        add_link(net, subnet, name("R", i), name("R", i + 1), second);
    }
    vexlab::test::write_network(slot->session, slot->dir.file("stages.mdb"), net);
    slot->target = net.interfaces.back().ip;
    return *slot;
}

const vexlab::state::NetworkTableSet& tables() {
    static const auto set = vexlab::state::NetworkTableSet::working_set();
    return set;
}

void BM_PingChain(benchmark::State& state) {
    Network& net = chain(static_cast<int>(state.range(0)));
    const std::string line = "ping " + net.target;
    for (auto _ : state) {
        const std::string text = vexlab::reachability::ping_command(
            net.session, tables(), {"R1", vexlab::state::DeviceKind::Router}, line);
        if (text.find("!!!!!") == std::string::npos) state.SkipWithError("not reached");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_PingChain)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_PingGrid(benchmark::State& state) {
    Network& net = grid(static_cast<int>(state.range(0)));
    const std::string line = "ping " + net.target;
    for (auto _ : state) {
        const std::string text = vexlab::reachability::ping_command(
            net.session, tables(), {"R0_0", vexlab::state::DeviceKind::Router}, line);
        if (text.find("!!!!!") == std::string::npos) state.SkipWithError("not reached");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_PingGrid)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_TracerouteStages(benchmark::State& state) {
    Network& net = stages(static_cast<int>(state.range(0)));
    const std::string line = "traceroute " + net.target;
    for (auto _ : state) {
        const std::string text = vexlab::reachability::traceroute_command(
            net.session, tables(), {"R0", vexlab::state::DeviceKind::Router}, line);
        if (text.find("!!!!!") == std::string::npos) state.SkipWithError("not reached");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_TracerouteStages)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
