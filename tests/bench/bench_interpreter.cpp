// interpret_command on the shipped catalogue: a one-word line, a five-word
// interface command with two address arguments, and a line that is not found.

#include <benchmark/benchmark.h>

#include "interpreter/interpreter.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

struct Fixture {
    Fixture() {
        vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
        app.session.open(dir.file("commandsbackup.mdb"));
        vexlab::test::seed_device_tables(app.session);
        app.console.device = {"R1", "R1", vexlab::state::DeviceKind::Router, "2501", "", ""};
    }
    void run(const std::string& mode, const std::string& interface, const std::string& line) {
        app.console.mode.mode_suffix = vexlab::test::mode(mode);
        app.console.mode.current_interface = interface;
        app.console.mode.config_prefix = interface.empty() ? "nill" : interface;
        benchmark::DoNotOptimize(vexlab::interpreter::interpret_command(app, line));
    }
    vexlab::test::TempDir dir;
    vexlab::state::AppState app;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_OneWord(benchmark::State& state) {
    for (auto _ : state) fixture().run(">", "", "enable");
}
BENCHMARK(BM_OneWord)->Unit(benchmark::kMicrosecond);

void BM_InterfaceAddress(benchmark::State& state) {
    // Alternating two addresses keeps the duplicate check from refusing.
    int n = 0;
    for (auto _ : state) {
        fixture().run(
            "(config-if)#", "serial0",
            ++n % 2 ? "ip address 10.0.0.1 255.255.255.0" : "ip address 10.0.0.2 255.255.255.0");
        state.PauseTiming();
        fixture().app.session.execute(
            "UPDATE route_ip_def SET ip = 'UA', mask = 'UA' WHERE int_name = 'serial0'");
        fixture().app.session.execute(
            "UPDATE ospf_ip_def SET ip = 'UA', mask = 'UA' WHERE int_name = 'serial0'");
        fixture().app.session.execute(
            "UPDATE eigrp_ip_def SET ip = 'UA', mask = 'UA' WHERE int_name = 'serial0'");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InterfaceAddress)->Unit(benchmark::kMicrosecond);

void BM_NotFound(benchmark::State& state) {
    for (auto _ : state) fixture().run("(config)#", "", "frobnicate the widget now");
}
BENCHMARK(BM_NotFound)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
