// "show running-config" and "show ip route" on a router in the middle of a
// generated network of 100 routers (with a switch and a workstation each),
// every addressed interface up and in OSPF: the Enter that runs the line in
// the console window (offscreen), to its first page on the screen, and the
// builders alone.

#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QTest>

#include "commands/show/show_output.h"
#include "console/ui/frmRoutSim.h"
#include "example_network.h"
#include "networkfiles/network_loader.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/generated_network.h"
#include "support/network_state.h"

namespace {

using namespace vexlab;

constexpr const char* kRouter = "R50";

// The network file of 300 devices, written once.
const std::string& exported_file() {
    static test::DefaultNetwork scratch;
    static const std::string path = scratch.write_file(
        "large.exp", examples::export_text(scratch.app.session, test::generated_network(300)));
    return path;
}

// Opens the network as Open Exported File does and runs OSPF on every
// interface that has an address; the console ends up on the router in the
// middle.
void open_large_network(state::AppState& app) {
    networkfiles::load_network(app, exported_file(), state::NetworkLoad::ExportedFile);
    app.session.execute(
        "UPDATE ospf_ip SET nw_protocol = 'o', int_status = 1, int_area_num = 0 "
        "WHERE ip <> 'UA'");
    app.session.execute("UPDATE route_ip SET int_status = 1 WHERE ip <> 'UA'");
}

void BM_ShowInConsoleWindow(benchmark::State& state, const char* line) {
    test::DefaultNetwork net;
    state::AppState& app = net.app;
    platform::ScriptedDialogs dialogs;
    console::frmRoutSim window(app, dialogs);
    window.Form_Load();
    open_large_network(app);
    window.engine().switch_device(kRouter, kRouter);
    window.show();
    QTest::keyClicks(window.Text1, "enable");
    QTest::keyClick(window.Text1, Qt::Key_Return);

    std::size_t shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Each run starts on a short transcript, as after a few commands.
        window.engine().text_control().replace_all("R50#");
        QTest::keyClicks(window.Text1, line);
        const std::size_t before = window.engine().text().size();
        state.ResumeTiming();
        QTest::keyClick(window.Text1, Qt::Key_Return);
        state.PauseTiming();
        shown = window.engine().text().size() - before;
        // Leave the pager; a short listing has none.
        if (app.console.output.paging_active) QTest::keyClick(window.Text1, Qt::Key_Q);
        state.ResumeTiming();
    }
    state.counters["chars_shown"] = static_cast<double>(shown);
    window.close();
}
BENCHMARK_CAPTURE(BM_ShowInConsoleWindow, running_config, "show running-config")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ShowInConsoleWindow, ip_route, "show ip route")->Unit(benchmark::kMicrosecond);

void BM_BuildShowOutput(benchmark::State& state, const char* key) {
    test::DefaultNetwork net;
    state::AppState& app = net.app;
    open_large_network(app);
    const state::NetworkTableSet tables = state::NetworkTableSet::working_set();
    commands::show::ShowContext context(app.session, tables);
    context.device = kRouter;
    context.host_name = kRouter;
    std::size_t size = 0;
    for (auto _ : state) {
        auto out = commands::show::build_show_output(key, context);
        size = out.text.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["chars"] = static_cast<double>(size);
}
BENCHMARK_CAPTURE(BM_BuildShowOutput, running_config, "show Router running-config")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildShowOutput, ip_route, "show Router ip route")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
