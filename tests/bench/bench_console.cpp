// One Enter on a typical configuration line through the console engine (key
// handling, interpretation, transcript write), on transcripts of growing
// length: the cost grows with the transcript no more than linearly.

#include <benchmark/benchmark.h>

#include "console/console_engine.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

namespace keys = vexlab::console::keys;

void BM_EnterOnConfigurationLine(benchmark::State& state) {
    vexlab::test::TempDir folder;
    vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
    vexlab::state::AppState app;
    app.program_folder = folder.path().string();
    app.session.open(folder.file("commandsbackup.mdb"));
    app.open_mode.start_as_router = true;
    vexlab::platform::ScriptedDialogs dialogs;
    vexlab::console::ConsoleEngine engine(app, dialogs);
    engine.form_load();
    engine.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0"}) {
        engine.type(line);
        engine.press(keys::enter);
    }
    // Fill the transcript to the wanted length with answered lines.
    while (std::count(engine.text().begin(), engine.text().end(), '\n') < state.range(0)) {
        engine.type("description #link to the switch#");
        engine.press(keys::enter);
    }
    for (auto _ : state) {
        state.PauseTiming();
        engine.type("description #link to the switch#");
        state.ResumeTiming();
        engine.press(keys::enter);
    }
    state.counters["lines"] =
        static_cast<double>(std::count(engine.text().begin(), engine.text().end(), '\n'));
}
BENCHMARK(BM_EnterOnConfigurationLine)
    ->Arg(500)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
