// The network designer on a generated design of 100 devices and 150
// connections (plain and Frame Relay): the repaint of the real window's
// canvas (offscreen) after an edit, the export with its picture, and the
// saving of the network map.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "designer/network_map_file.h"
#include "designer/ui/designer_canvas.h"
#include "designer/ui/frmdesmain.h"
#include "support/designer_script.h"

namespace {

using namespace vexlab::designer;

// Places 60 routers, 20 switches and 20 workstations on a grid and draws
// 150 connections of every kind between devices that still have a free
// interface of that kind.
NetworkMap generated_design() {
    vexlab::test::DesignerDriver d;
    int number = 0;
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 10; ++column) {
            const char* model = number < 60 ? "2503" : number < 80 ? "2950" : "PC";
            d.drop(model, 2 + column * 58.0, 2 + row * 41.0, "D" + std::to_string(++number));
        }
    std::mt19937 random(7);
    const char* kinds[] = {"Serial", "Ethernet", "IsdnBri", "Frame Relay", "Ethernet"};
    int made = 0;
    for (int attempt = 0; made < 150 && attempt < 100000; ++attempt) {
        const std::string kind = kinds[random() % 5];
        const std::string a = "D" + std::to_string(1 + random() % 100);
        const std::string b = "D" + std::to_string(1 + random() % 100);
        if (a == b) continue;
        const auto k = *connector_kind(kind);
        const auto free_a = d.model->tables().free_interfaces(a, k);
        const auto free_b = d.model->tables().free_interfaces(b, k);
        if (free_a.empty() || free_b.empty()) continue;
        d.connect(kind, a, free_a[random() % free_a.size()], b, free_b[random() % free_b.size()]);
        ++made;
    }
    return d.model->network_map();
}

struct Designer {
    Designer() {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        for (const char* picture : {"router.ico", "switch.ico", "Pc04.ico", "serial.ico"})
            std::filesystem::copy_file(std::string(VEXLAB_PROGRAM_DIR) + "/" + picture,
                                       folder.file(picture));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        program->Main();
        program->main_window()->mnuload->trigger();
        window = program->main_window()->designer();
        window->model().open_network_map(generated_design());
    }
    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    frmdesmain* window = nullptr;
};

Designer& designer() {
    static Designer d;
    return d;
}

void BM_RepaintCanvas(benchmark::State& state) {
    auto& d = designer();
    auto& model = d.window->model();
    for (auto _ : state) {
        // What a move or a removal does: the canvas is drawn again from the
        // tables, then the window paints it.
        model.repaint_from_tables();
        QPixmap painted = d.window->picNetwork->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
    state.counters["devices"] = static_cast<double>(model.devices().size());
    state.counters["lines"] = static_cast<double>(model.lines().size());
}
BENCHMARK(BM_RepaintCanvas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_ExportWithPicture(benchmark::State& state) {
    auto& d = designer();
    const std::string path = d.folder.file("bench.exp");
    for (auto _ : state)
        if (!d.window->model().export_network(path)) state.SkipWithError("export failed");
}
BENCHMARK(BM_ExportWithPicture)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_SaveNetworkMap(benchmark::State& state) {
    auto& d = designer();
    const std::string path = d.folder.file("bench.dgm");
    for (auto _ : state) write_network_map_file(path, d.window->model().network_map());
}
BENCHMARK(BM_SaveNetworkMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
