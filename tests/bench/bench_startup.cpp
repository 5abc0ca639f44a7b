// Start-up cost: opening the database session through the registered data
// source, and the whole road from the program's entry to a shown main window.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/main_model.h"
#include "app/ui/frmMain.h"
#include "app/ui/program.h"
#include "platform/data_source.h"
#include "platform/user_dialogs.h"
#include "support/test_database.h"

namespace {

struct Folder {
    Folder() { vexlab::test::fresh_database(dir.file("commandsbackup.mdb")); }
    vexlab::test::TempDir dir;
};

Folder& folder() {
    static Folder f;
    return f;
}

void BM_OpenSession(benchmark::State& state) {
    auto& f = folder();
    vexlab::platform::RegistryStore store(f.dir.file("registry.txt"));
    vexlab::platform::register_data_source(store, f.dir.path().string());
    for (auto _ : state) {
        vexlab::db::DatabaseSession session;
        vexlab::platform::Workspace workspace("CommandsODBCWorkspace", "tovek", "");
        workspace.open_connection(session, "Connection1",
                                  vexlab::platform::program_connect_string(), store);
        benchmark::DoNotOptimize(session.is_open());
    }
}
BENCHMARK(BM_OpenSession)->Unit(benchmark::kMillisecond);

void BM_StartToShownMainWindow(benchmark::State& state) {
    auto& f = folder();
    for (auto _ : state) {
        vexlab::platform::ScriptedDialogs dialogs;
        vexlab::app::Program program({f.dir.path().string(), f.dir.file("registry.txt")}, &dialogs);
        if (!program.Main()) state.SkipWithError("start failed");
        QApplication::processEvents();
        benchmark::DoNotOptimize(program.main_window()->isVisible());
        state.PauseTiming();
        program.main_window()->close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToShownMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
