// Loading and saving a whole network of 100 devices: Load Config, Open
// Exported File and Save Config, as the console's buttons run them.

#include <benchmark/benchmark.h>

#include "networkfiles/network_loader.h"
#include "state/app_state.h"
#include "support/generated_network.h"
#include "support/network_state.h"

namespace {

namespace nf = vexlab::networkfiles;
using vexlab::state::NetworkLoad;

struct LargeNetwork {
    vexlab::test::DefaultNetwork net;
    std::string exported;
    std::string configuration;

    explicit LargeNetwork(int devices) {
        exported = net.write_file(
            "large.exp", vexlab::examples::export_text(net.app.session,
                                                       vexlab::test::generated_network(devices)));
        nf::load_network(net.app, exported, NetworkLoad::ExportedFile);
        configuration = net.folder.file("large.con");
        nf::save_config(net.app, configuration);
    }
};

void BM_LoadConfig(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    for (auto _ : state)
        nf::load_network(large.net.app, large.configuration, NetworkLoad::ConfigurationFile);
}
BENCHMARK(BM_LoadConfig)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_OpenExportedFile(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    for (auto _ : state) nf::load_network(large.net.app, large.exported, NetworkLoad::ExportedFile);
}
BENCHMARK(BM_OpenExportedFile)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_SaveConfig(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    const std::string path = large.net.folder.file("again.con");
    for (auto _ : state) nf::save_config(large.net.app, path);
}
BENCHMARK(BM_SaveConfig)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
