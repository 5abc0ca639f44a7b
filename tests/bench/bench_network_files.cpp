// Loading and saving a whole network of 100 devices as the user waits for
// it: the console window's Load Config, Open Exported File and Save Config
// buttons, offscreen, with the dialogs answered by a script.

#include <benchmark/benchmark.h>

#include <QPushButton>

#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "console/ui/frmRoutSim.h"
#include "example_network.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/generated_network.h"
#include "support/network_state.h"
#include "support/test_database.h"

namespace {

// The network simulator's console with a generated network saved both as an
// exported file and as a configuration file.
struct LargeNetwork {
    vexlab::test::TempDir folder;
    vexlab::platform::ScriptedDialogs dialogs;
    std::unique_ptr<vexlab::app::Program> program;
    vexlab::console::frmRoutSim* console = nullptr;
    std::string exported;
    std::string configuration;

    explicit LargeNetwork(int devices) {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        program = std::make_unique<vexlab::app::Program>(
            vexlab::app::ProgramOptions{folder.path().string(), folder.file("registry.txt")},
            &dialogs);
        program->Main();
        program->main_window()->mnuNetSim->trigger();
        console = program->main_window()->routsim();
        exported = folder.file("large.exp");
        const auto text = vexlab::examples::export_text(program->state().session,
                                                        vexlab::test::generated_network(devices));
        FILE* file = std::fopen(exported.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        click(console->cmdOpenExp, exported);
        configuration = folder.file("large.con");
        click(console->Command2, configuration);
    }
    ~LargeNetwork() { program->main_window()->close(); }

    void click(QPushButton* button, const std::string& file) {
        dialogs.next_text(file);
        button->click();
    }
    bool refused() {
        for (const auto& shown : dialogs.shown())
            if (shown.kind == "message") return true;
        return false;
    }
};

void BM_LoadConfig(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    for (auto _ : state) large.click(large.console->Command5, large.configuration);
    if (large.refused()) state.SkipWithError("the load was refused");
}
BENCHMARK(BM_LoadConfig)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_OpenExportedFile(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    for (auto _ : state) large.click(large.console->cmdOpenExp, large.exported);
    if (large.refused()) state.SkipWithError("the load was refused");
}
BENCHMARK(BM_OpenExportedFile)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_SaveConfig(benchmark::State& state) {
    LargeNetwork large(static_cast<int>(state.range(0)));
    const std::string path = large.folder.file("again.con");
    for (auto _ : state) large.click(large.console->Command2, path);
    if (large.refused()) state.SkipWithError("the save failed");
}
BENCHMARK(BM_SaveConfig)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
