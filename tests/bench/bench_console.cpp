// What a learner waits for at the console: a key, from the key event to the
// repainted text box of the real console window (offscreen), on sessions of
// 1,000, 10,000 and 50,000 transcript lines.  Each case keeps the length
// fixed while it measures (the measured key's lines are taken back between
// keys), so a key should cost the same at every length.
//
// Each case reports, per key, the median time to the repainted box
// ("median_us"), the median time until the key is handled and the box holds
// the new text and caret, before the repaint ("update_us"), and the median
// processor time of the program's thread ("cpu_us"); the machine is shared,
// so the medians say more than the means.  Beside the window: the console
// engine alone, and a bare text box taking the same change in one edit,
// which is what the toolkit's own editing and painting cost when it paints
// all it shows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "console/console_engine.h"
#include "console/ui/frmRoutSim.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

namespace keys = vexlab::console::keys;

constexpr const char* kPrompt = "R1(config-if)#";
constexpr const char* kLine = "description #link to the switch#";
const int kLengths[] = {1000, 10000, 50000};

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double thread_cpu_us() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Times the keys of one case: start() before the key, handled() once the
// box holds the change, done() after the repaint.
class KeyTimes {
public:
    void start() {
        cpu_ = thread_cpu_us();
        start_ = std::chrono::steady_clock::now();
        handled_ = start_;
    }
    void handled() { handled_ = std::chrono::steady_clock::now(); }
    void done(benchmark::State& state) {
        const auto end = std::chrono::steady_clock::now();
        const std::chrono::duration<double> took = end - start_;
        state.SetIterationTime(took.count());
        total_.push_back(took.count() * 1e6);
        update_.push_back(std::chrono::duration<double>(handled_ - start_).count() * 1e6);
        cpu_times_.push_back(thread_cpu_us() - cpu_);
    }
    void report(benchmark::State& state, double lines) const {
        state.counters["median_us"] = median(total_);
        state.counters["update_us"] = median(update_);
        state.counters["cpu_us"] = median(cpu_times_);
        state.counters["lines"] = lines;
    }

private:
    std::chrono::steady_clock::time_point start_, handled_;
    double cpu_ = 0;
    std::vector<double> total_, update_, cpu_times_;
};

double line_count(const std::string& text) {
    return static_cast<double>(std::count(text.begin(), text.end(), '\n'));
}

// A fresh database for a router console.
struct Session {
    Session() {
        vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
        app.program_folder = folder.path().string();
        app.logo_picture_path = app.program_file("simulator-logo.gif");
        app.session.open(folder.file("commandsbackup.mdb"));
        app.open_mode.start_as_router = true;
    }
    vexlab::test::TempDir folder;
    vexlab::state::AppState app;
    vexlab::platform::ScriptedDialogs dialogs;
};

void enter_interface_mode(vexlab::console::ConsoleEngine& engine) {
    engine.press(keys::enter);
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0"}) {
        engine.type(line);
        engine.press(keys::enter);
    }
}

// Earlier configuration lines, as the learner would have typed them, up to
// `lines` lines; the transcript ends at the prompt.
void fill(vexlab::console::ConsoleEngine& engine, int lines) {
    std::string transcript = engine.text();
    transcript.resize(transcript.size() - std::string(kPrompt).size());
    for (auto count = std::count(transcript.begin(), transcript.end(), '\n'); count < lines;
         ++count)
        transcript += std::string(kPrompt) + kLine + "\r\n";
    engine.text_control().replace_all(transcript + kPrompt);
}

// Takes back what the measured key added: the transcript ends at the prompt
// again, `size` bytes long.
void take_back(vexlab::console::ConsoleEngine& engine, std::size_t size) {
    engine.text_control().replace_from(size - std::string(kPrompt).size(), kPrompt);
}

void key(QWidget* box, Qt::Key code, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
}

// The console window with its transcript filled, shown.
struct Window {
    explicit Window(int lines) : window(session.app, session.dialogs) {
        window.Form_Load();
        window.show();
        window.Text1->setFocus();
        enter_interface_mode(window.engine());
        fill(window.engine(), lines);
        key(window.Text1, Qt::Key_End);  // the box shows the filled transcript
        QApplication::processEvents();
    }
    bool box_shows_console() {
        QString text = QString::fromStdString(window.engine().text());
        text.replace("\r\n", "\n");
        return window.Text1->toPlainText() == text;
    }
    Session session;
    vexlab::console::frmRoutSim window;
};

// Enter on a configuration line: the line is interpreted, the next prompt
// written and shown.
void BM_EnterInConsoleWindow(benchmark::State& state) {
    Window w(static_cast<int>(state.range(0)));
    auto& engine = w.window.engine();
    const std::size_t size = engine.text().size();
    KeyTimes times;
    for (auto _ : state) {
        QTest::keyClicks(w.window.Text1, kLine);
        QApplication::processEvents();
        times.start();
        key(w.window.Text1, Qt::Key_Return, "\r");
        times.handled();
        QApplication::processEvents();  // the repaint
        times.done(state);
        take_back(engine, size);
        key(w.window.Text1, Qt::Key_End);
        QApplication::processEvents();
    }
    if (!w.box_shows_console()) state.SkipWithError("the box does not show the transcript");
    times.report(state, line_count(engine.text()));
}

// One typed character, shown.
void BM_CharacterInConsoleWindow(benchmark::State& state) {
    Window w(static_cast<int>(state.range(0)));
    auto& engine = w.window.engine();
    KeyTimes times;
    for (auto _ : state) {
        times.start();
        key(w.window.Text1, Qt::Key_D, "d");
        times.handled();
        QApplication::processEvents();
        times.done(state);
        key(w.window.Text1, Qt::Key_Backspace, "\b");
        QApplication::processEvents();
    }
    if (!w.box_shows_console()) state.SkipWithError("the box does not show the transcript");
    times.report(state, line_count(engine.text()));
}

// The console engine alone: Enter on the same line, without a window.
void BM_EnterInConsoleEngine(benchmark::State& state) {
    Session session;
    vexlab::console::ConsoleEngine engine(session.app, session.dialogs);
    engine.form_load();
    enter_interface_mode(engine);
    fill(engine, static_cast<int>(state.range(0)));
    const std::size_t size = engine.text().size();
    KeyTimes times;
    for (auto _ : state) {
        engine.type(kLine);
        times.start();
        engine.press(keys::enter);
        times.handled();
        times.done(state);
        take_back(engine, size);
    }
    times.report(state, line_count(engine.text()));
}

// The toolkit alone: a bare text box of the console's size and font takes
// the change an Enter makes (a line break and the next prompt) in one edit
// and is repainted.  An edit of several lines repaints all the box shows;
// the console window puts new lines in one at a time and paints only them,
// so it can come in under this.
void BM_EnterInBareTextBox(benchmark::State& state) {
    QPlainTextEdit box;
    box.resize(800, 480);
    box.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box.setUndoRedoEnabled(false);
    QString text;
    for (int i = 0; i < state.range(0); ++i) text += QString(kPrompt) + kLine + "\n";
    box.setPlainText(text + kPrompt);
    box.show();
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    box.setTextCursor(end);
    box.ensureCursorVisible();
    QApplication::processEvents();
    const int size = box.document()->characterCount() - 1;
    KeyTimes times;
    for (auto _ : state) {
        QTextCursor edit(box.document());
        edit.movePosition(QTextCursor::End);
        edit.insertText(kLine);
        box.setTextCursor(edit);
        QApplication::processEvents();
        times.start();
        edit.insertText(QString("\n") + kPrompt + "\n");
        edit.movePosition(QTextCursor::PreviousCharacter);
        box.setTextCursor(edit);
        box.ensureCursorVisible();
        times.handled();
        QApplication::processEvents();
        times.done(state);
        edit.setPosition(size - static_cast<int>(std::string(kPrompt).size()));
        edit.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        edit.insertText(kPrompt);
        box.setTextCursor(edit);
        box.ensureCursorVisible();
        QApplication::processEvents();
    }
    times.report(state, box.document()->blockCount() - 1);
}

void lengths(benchmark::internal::Benchmark* case_) {
    for (int lines : kLengths) case_->Arg(lines);
    case_->UseManualTime()->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_EnterInConsoleWindow)->Apply(lengths);
BENCHMARK(BM_CharacterInConsoleWindow)->Apply(lengths);
BENCHMARK(BM_EnterInConsoleEngine)->Apply(lengths);
BENCHMARK(BM_EnterInBareTextBox)->Apply(lengths);

}  // namespace
