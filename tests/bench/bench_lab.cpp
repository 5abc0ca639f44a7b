// The lab practice console: what a learner waits for after Enter, in the
// real window (offscreen), with a short and with a long transcript.  The
// window applies only the text the line added, so a long transcript should
// cost about what a short one does.

#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>

#include "labs/ui/frmLabPractise.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

void BM_EnterInLabConsole(benchmark::State& state) {
    vexlab::test::TempDir dir;
    vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
    vexlab::state::AppState app;
    app.session.open(dir.file("commandsbackup.mdb"));
    app.program_folder = dir.path().string();
    app.selected_sublab = "RIP between three routers";
    vexlab::platform::ScriptedDialogs dialogs;
    vexlab::labs::frmLabPractise window(app, dialogs);
    window.Form_Load();
    window.show();
    QTest::keyClick(window.txtRC, Qt::Key_Return);
    // A transcript of the given number of lines: wrong commands, two lines each.
    for (int i = 0; i < state.range(0) / 2; ++i) {
        window.practice().type("show running-config");
        window.practice().press(vexlab::console::keys::enter);
    }
    window.refresh();
    for (auto _ : state) {
        QTest::keyClicks(window.txtRC, "show version");
        QTest::keyClick(window.txtRC, Qt::Key_Return);
    }
    state.counters["lines"] = window.txtRC->document()->blockCount();
    window.hide();
}
BENCHMARK(BM_EnterInLabConsole)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
