// What a learner waits on after typing ping or traceroute on a large lab
// network: the Enter that runs the line in the console window (offscreen):
// reading the network, the path search, the answer on the screen; on
// generated networks of 10, 20, 50 and 100 routers (or stages).
//
//   chain:  N1 - N2 - ... - Nn, ping from N1 to the far end of Nn
//   grid:   routers in rows and columns, each linked to its right and lower
//           neighbour, ping from one corner to the opposite one
//   stages: N0 = N1 = ... = Nn, two parallel links per stage with different
//           metrics (2^n loop-free paths), traceroute to the far end

#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QTest>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "console/console_engine.h"
#include "console/ui/frmRoutSim.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"
#include "support/test_network.h"

namespace {

using vexlab::test::TestNetwork;

// A console window attached to the first router of a network written into
// the working tables of the shipped database.
struct Console {
    vexlab::test::TempDir folder;
    vexlab::state::AppState app;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::console::frmRoutSim> window;
    std::string target;

    Console(const TestNetwork& net, const std::string& start, std::string to) : target(to) {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        app.program_folder = folder.path().string();
        app.session.open(folder.file("commandsbackup.mdb"));
        app.open_mode.start_as_router = true;
        window = std::make_unique<vexlab::console::frmRoutSim>(app, dialogs);
        window->Form_Load();
        window->show();
        QTest::keyClick(window->Text1, Qt::Key_Return);
        net.write(app.session);
        app.table_set = vexlab::state::NetworkTableSet::working_set();
        window->engine().switch_device(start, start);
        QTest::keyClick(window->Text1, Qt::Key_Return);  // a prompt of the new device
    }
    vexlab::console::ConsoleEngine& engine() { return window->engine(); }
};

std::string name(int n) {
    return "N" + std::to_string(n);
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

Console& chain(int n) {
    static std::map<int, std::unique_ptr<Console>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    TestNetwork net;
    int subnet = 0;
    for (int i = 1; i <= n; ++i) net.router(name(i));
    for (int i = 1; i < n; ++i) add_link(net, subnet, name(i), name(i + 1));
    slot = std::make_unique<Console>(net, name(1), net.interfaces.back().ip);
    return *slot;
}

Console& grid(int n) {
    static std::map<int, std::unique_ptr<Console>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    const int rows = n == 10 ? 2 : n == 20 ? 4 : n == 50 ? 5 : 10;
    const int columns = n / rows;
    TestNetwork net;
    int subnet = 0;
    auto at = [&](int r, int c) { return "N" + std::to_string(r) + "_" + std::to_string(c); };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) net.router(at(r, c));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (c + 1 < columns) add_link(net, subnet, at(r, c), at(r, c + 1));
            if (r + 1 < rows) add_link(net, subnet, at(r, c), at(r + 1, c));
        }
    slot =
        std::make_unique<Console>(net, at(0, 0), net.find(at(rows - 1, columns - 1), "Serial0").ip);
    return *slot;
}

Console& stages(int n) {
    static std::map<int, std::unique_ptr<Console>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    TestNetwork net;
    int subnet = 0;
    // Two routes of different cost per stage, the cheaper one as often first
    // as second, so the first path found is rarely the cheapest.
    std::mt19937 random(42);
    std::uniform_int_distribution<int> metric(1, 9);
    for (int i = 0; i <= n; ++i) net.router(name(i));
    for (int i = 0; i < n; ++i) {
        const int first = metric(random);
        int second = metric(random);
        if (second == first) second = first % 9 + 1;
        add_link(net, subnet, name(i), name(i + 1), first);
        add_link(net, subnet, name(i), name(i + 1), second);
    }
    slot = std::make_unique<Console>(net, name(0), net.interfaces.back().ip);
    return *slot;
}

// One Enter on the typed line; the answer must be a success.
void run(benchmark::State& state, Console& console, const std::string& command) {
    auto& engine = console.engine();
    for (auto _ : state) {
        state.PauseTiming();
        // Each Enter starts on a short transcript: what is measured is the
        // line, not a transcript grown by the measurement itself.
        engine.text_control().replace_all(console.app.console.device.host_name + ">");
        QTest::keyClicks(console.window->Text1,
                         QString::fromStdString(command + " " + console.target));
        const std::size_t before = engine.text().size();
        state.ResumeTiming();
        QTest::keyClick(console.window->Text1, Qt::Key_Return);
        state.PauseTiming();
        if (engine.text().find("!!!!!", before) == std::string::npos) {
            state.SkipWithError(("not reached: " + engine.text().substr(before)).c_str());
            break;
        }
        state.ResumeTiming();
    }
}

void BM_PingChain(benchmark::State& state) {
    run(state, chain(static_cast<int>(state.range(0))), "ping");
}
BENCHMARK(BM_PingChain)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_PingGrid(benchmark::State& state) {
    run(state, grid(static_cast<int>(state.range(0))), "ping");
}
BENCHMARK(BM_PingGrid)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_TracerouteStages(benchmark::State& state) {
    run(state, stages(static_cast<int>(state.range(0))), "traceroute");
}
BENCHMARK(BM_TracerouteStages)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
