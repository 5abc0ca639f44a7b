#include "support/transcript.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <optional>
#include <sstream>

#include "console/console_engine.h"
#include "console/network_diagram.h"
#include "example_network.h"
#include "labs/example_lab_load.h"
#include "labs/example_labs.h"
#include "labs/lab_diagram.h"
#include "labs/lab_run.h"
#include "platform/text.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "state/database_builder.h"
#include "state/settings.h"
#include "support/test_database.h"

namespace vexlab::test {

namespace {

namespace fs = std::filesystem;
using console::KeyEvent;

// One thing done on a line, in the order the file lists them.
struct Action {
    enum Kind { Key, Click, DoubleClick, Pick } kind = Key;
    KeyEvent key;
    std::string host;  // Pick: the host name chosen in the network diagram
};

struct ExpectedLine {
    int file_line = 0;
    std::string visible;
    bool has_keys = false;
    std::vector<Action> actions;
};

using Setting = std::tuple<std::string, std::string, std::string>;  // device, key, value

struct Question {
    std::string buttons;
    std::string text;
};

// A query over the tables and the rows it must give once the session ends:
// fields joined by "|", rows by " ; ".
struct TableCheck {
    int file_line = 0;
    std::string query;
    std::string rows;
};

// When a transcript's console opens, unless it says otherwise.
constexpr const char* kStartClock = "2026-03-10 10:05:00";

struct Script {
    std::string mode = "router";
    std::string lab;                // a sublab practised in the lab console instead
    bool start_text = false;        // the file begins with the start text
    std::vector<Setting> pristine;  // made before the console loads
    std::vector<Setting> settings;
    std::vector<platform::Answer> answers;
    std::vector<std::string> messages;
    std::vector<Question> questions;
    std::vector<std::pair<state::NetworkLoad, std::string>> networks;  // @open, @load
    std::string example_lab;          // an example lab whose network Load the Lab loads
    std::string clock = kStartClock;  // the moment the console opens
    std::vector<ExpectedLine> lines;
    std::vector<TableCheck> tables;
};

// "YYYY-MM-DD HH:MM:SS" as a local time; nothing for any other text.
std::optional<std::time_t> parse_clock(const std::string& text) {
    std::tm parts{};
    std::istringstream in(text);
    in >> std::get_time(&parts, "%Y-%m-%d %H:%M:%S");
    if (in.fail()) return std::nullopt;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

struct ParseError {
    std::string message;
};

// Keys of an annotation: blank-separated names, or "text" typed as it is;
// clicks and picks among them, in their order.
std::vector<Action> parse_keys(const std::string& list, int line) {
    std::vector<Action> keys;
    auto key = [](KeyEvent event) { return Action{Action::Key, event, {}}; };
    std::size_t i = 0;
    while (i < list.size()) {
        if (list[i] == ' ') {
            ++i;
            continue;
        }
        if (list[i] == '"') {
            auto close = list.find('"', i + 1);
            if (close == std::string::npos)
                throw ParseError{"line " + std::to_string(line) + ": unclosed quote in keys"};
            for (char c : list.substr(i + 1, close - i - 1))
                keys.push_back(key(console::keys::character(c)));
            i = close + 1;
            continue;
        }
        auto end = list.find(' ', i);
        std::string name = list.substr(i, end == std::string::npos ? std::string::npos : end - i);
        i = end == std::string::npos ? list.size() : end;
        if (name == "enter")
            keys.push_back(key(console::keys::enter));
        else if (name == "?")
            keys.push_back(key(console::keys::character('?')));
        else if (name == "space")
            keys.push_back(key(console::keys::character(' ')));
        else if (name == "^Z")
            keys.push_back(key(console::keys::ctrl_z));
        else if (name == "^^")
            keys.push_back(key(console::keys::ctrl_caret));
        else if (name == "bs")
            keys.push_back(key(console::keys::backspace));
        else if (name == "del")
            keys.push_back(key(console::keys::del));
        else if (name == "up")
            keys.push_back(key(console::keys::up));
        else if (name == "down")
            keys.push_back(key(console::keys::down));
        else if (name == "left")
            keys.push_back(key(console::keys::left));
        else if (name == "right")
            keys.push_back(key(console::keys::right));
        else if (name == "end")
            keys.push_back(key(console::keys::end));
        else if (name == "click")
            keys.push_back({Action::Click, {}, {}});
        else if (name == "dblclick")
            keys.push_back({Action::DoubleClick, {}, {}});
        else if (name.rfind("pick:", 0) == 0)
            keys.push_back({Action::Pick, {}, name.substr(5)});
        else if (name.size() == 1)
            keys.push_back(key(console::keys::character(name[0])));
        else
            throw ParseError{"line " + std::to_string(line) + ": unknown key " + name};
    }
    return keys;
}

Script parse(const std::string& text) {
    Script script;
    auto lines = text::split(text, "\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    bool header = true;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const int number = static_cast<int>(n) + 1;
        if (header && (line.empty() || line[0] == '#')) continue;
        if (header && line[0] == '@') {
            std::istringstream words(line.substr(1));
            std::string directive;
            words >> directive;
            std::string rest;
            std::getline(words, rest);
            rest.erase(0, rest.find_first_not_of(' '));
            if (directive == "mode") {
                if (rest != "router" && rest != "switch" && rest != "network")
                    throw ParseError{"line " + std::to_string(number) + ": unknown mode " + rest};
                script.mode = rest;
            } else if (directive == "set" || directive == "pristine") {
                auto eq = rest.find(" = ");
                auto blank = rest.find(' ');
                if (eq == std::string::npos || blank >= eq)
                    throw ParseError{"line " + std::to_string(number) + ": @" + directive +
                                     " <device> <key> = <value>"};
                (directive == "set" ? script.settings : script.pristine)
                    .emplace_back(rest.substr(0, blank), rest.substr(blank + 1, eq - blank - 1),
                                  rest.substr(eq + 3));
            } else if (directive == "start") {
                if (!rest.empty())
                    throw ParseError{"line " + std::to_string(number) + ": @start takes nothing"};
                script.start_text = true;
            } else if (directive == "question") {
                auto close = rest.find("] ");
                if (rest.empty() || rest[0] != '[' || close == std::string::npos)
                    throw ParseError{"line " + std::to_string(number) +
                                     ": @question [<buttons>] <text>"};
                script.questions.push_back({rest.substr(1, close - 1), rest.substr(close + 2)});
            } else if (directive == "answer") {
                if (rest == "yes")
                    script.answers.push_back(platform::Answer::Yes);
                else if (rest == "no")
                    script.answers.push_back(platform::Answer::No);
                else if (rest == "cancel")
                    script.answers.push_back(platform::Answer::Cancel);
                else
                    throw ParseError{"line " + std::to_string(number) + ": @answer yes|no|cancel"};
            } else if (directive == "lab") {
                if (rest.empty())
                    throw ParseError{"line " + std::to_string(number) + ": @lab <sublab name>"};
                script.lab = rest;
            } else if (directive == "message") {
                script.messages.push_back(rest);
            } else if (directive == "clock") {
                if (!parse_clock(rest))
                    throw ParseError{"line " + std::to_string(number) +
                                     ": @clock YYYY-MM-DD HH:MM:SS"};
                script.clock = rest;
            } else if (directive == "open" || directive == "load") {
                if (rest.empty())
                    throw ParseError{"line " + std::to_string(number) + ": @" + directive +
                                     " <file>"};
                script.networks.emplace_back(directive == "open"
                                                 ? state::NetworkLoad::ExportedFile
                                                 : state::NetworkLoad::ConfigurationFile,
                                             rest);
            } else if (directive == "example") {
                if (rest.empty())
                    throw ParseError{"line " + std::to_string(number) + ": @example <lab name>"};
                script.example_lab = rest;
            } else if (directive == "expect") {
                auto arrow = rest.find(" => ");
                if (arrow == std::string::npos)
                    throw ParseError{"line " + std::to_string(number) +
                                     ": @expect <query> => <rows>"};
                script.tables.push_back({number, rest.substr(0, arrow), rest.substr(arrow + 4)});
            } else {
                throw ParseError{"line " + std::to_string(number) + ": unknown directive @" +
                                 directive};
            }
            continue;
        }
        header = false;
        ExpectedLine expected;
        expected.file_line = number;
        if (!line.empty() && line.back() == '}') {
            auto open = line.rfind('{');
            if (open != std::string::npos) {
                expected.has_keys = true;
                expected.actions =
                    parse_keys(line.substr(open + 1, line.size() - open - 2), number);
                line = line.substr(0, open);
            }
        }
        expected.visible = line;
        script.lines.push_back(std::move(expected));
    }
    if (script.lines.empty()) throw ParseError{"no session lines"};
    return script;
}

std::string show(const std::string& text) {
    return "[" + text + "]";
}

// The rows a query gives, in the form @expect writes them.
std::string rows_of(db::DatabaseSession& session, const std::string& query) {
    std::string rows;
    db::Recordset set = session.open_recordset(query);
    for (bool first = true; !set.eof(); set.move_next(), first = false) {
        if (!first) rows += " ; ";
        for (int i = 0; i < set.field_count(); ++i) {
            if (i > 0) rows += "|";
            rows += set.field(i).is_null() ? std::string("NULL") : set.text(i);
        }
    }
    return rows;
}

// A message box the file expects: its whole text, or with a final "*" the
// beginning of it.
bool message_matches(const std::string& expected, const std::string& shown) {
    if (!expected.empty() && expected.back() == '*')
        return shown.rfind(expected.substr(0, expected.size() - 1), 0) == 0;
    return shown == expected;
}

// The console a transcript drives: the simulator console, or the lab
// practice console of a sublab.
struct Console {
    std::function<const std::string&()> text;
    std::function<void(std::string_view)> type;
    std::function<void(KeyEvent)> press;
    std::function<void()> click, double_click;
    std::function<void(const std::string&)> pick;
    std::string start;  // the text before the session's first line
};

Console console_of(console::ConsoleEngine& engine, std::string start) {
    return {[&engine]() -> const std::string& { return engine.text(); },
            [&engine](std::string_view typed) { engine.type(typed); },
            [&engine](KeyEvent key) { engine.press(key); },
            [&engine] { engine.click(); },
            [&engine] { engine.double_click(); },
            [&engine](const std::string& host) { console::select_device(engine, host); },
            std::move(start)};
}

Console simulator_console(console::ConsoleEngine& engine, bool start_text) {
    if (start_text) return console_of(engine, "");
    engine.press(console::keys::enter);  // the first Return starts the session
    return console_of(engine, console::start_text() + "\r\n");
}

// The lab console starts on "press enter to begin" (Enter is pressed for
// the file) or on the menu of a menu switch, which the file shows.
Console lab_console(labs::LabPractice& practice, bool start_text) {
    std::string start;
    if (!practice.run().switch_menu_active && !start_text) {
        practice.press(console::keys::enter);
        start = std::string(labs::kPressEnter) + "\r\n";
    }
    return {[&practice]() -> const std::string& { return practice.console().text(); },
            [&practice](std::string_view typed) { practice.type(typed); },
            [&practice](KeyEvent key) { practice.press(key); },
            [&practice] { practice.click(); },
            [&practice] { practice.double_click(); },
            [&practice](const std::string& device) {
                practice.show_network_chosen();
                labs::LabDeviceChooser chooser(practice);
                chooser.choose("*" + device);
                chooser.select_and_exit("*" + device);
            },
            start};
}

}  // namespace

std::time_t transcript_start() {
    return *parse_clock(kStartClock);
}

void open_fresh_program(state::AppState& app, const TempDir& folder, std::time_t now) {
    fresh_database(folder.file("commandsbackup.mdb"));
    app.program_folder = folder.path().string();
    app.logo_picture_path = app.program_file("simulator-logo.gif");
    app.session.open(folder.file("commandsbackup.mdb"));
    fs::copy_file(resources_dir() + "/showcommands.txt", folder.file("showcommands.txt"));
    app.clock = [now] { return now; };
}

std::optional<std::string> press_load_the_lab(state::AppState& app, const std::string& lab) {
    const fs::path shipped = fs::path(resources_dir()) / "example_labs";
    const fs::path folder = app.program_folder;
    fs::copy_file(shipped / labs::kLabNetworkIndexName, folder / labs::kLabNetworkIndexName,
                  fs::copy_options::overwrite_existing);
    const std::string stored = labs::find_lab_network(app.program_folder, lab);
    if (!stored.empty()) {
        const fs::path file = labs::program_path(app.program_folder, stored);
        const fs::path source = shipped / "networks" / (file.stem().string() + ".net");
        std::ifstream in(source, std::ios::binary);
        if (in) {
            std::ostringstream text;
            text << in.rdbuf();
            fs::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << examples::export_text(
                app.session, examples::parse_example(text.str(), source.filename().string()));
        }
    }
    const auto outcome = labs::load_example_lab(app, lab);
    switch (outcome.result) {
        case labs::LabLoadResult::Loaded:
            return std::nullopt;
        case labs::LabLoadResult::NotListed:
            return std::string(labs::kLabNotListed) + ": " + lab;
        case labs::LabLoadResult::Refused:
            break;
    }
    return outcome.message;
}

TranscriptResult run_transcript(const std::string& text, const std::string& name,
                                const std::string& network_folder) {
    TranscriptResult result;
    Script script;
    try {
        script = parse(text);
    } catch (const ParseError& error) {
        result.message = name + ": " + error.message;
        return result;
    }
    TempDir folder;
    state::AppState app;
    // The clock stands still at the given moment, so times and uptimes
    // print the same at every run.
    const std::time_t now = *parse_clock(script.clock);
    open_fresh_program(app, folder, now);
    app.open_mode.start_as_router = script.mode == "router";
    app.open_mode.start_as_switch = script.mode == "switch";
    platform::ScriptedDialogs dialogs;
    for (auto answer : script.answers) dialogs.next_answer(answer);
    // The pristine columns are what the console's load resets the default
    // network from.
    for (const auto& [device, key, value] : script.pristine) {
        app.session.execute("UPDATE " + db::quote_identifier("routervariables_def") + " SET " +
                                db::quote_identifier(state::pristine_column(device)) +
                                " = ? WHERE Config_Variable = ?",
                            {value, key});
        if (app.session.changes() == 0) {
            result.message = name + ": @pristine " + device + " " + key + ": no such key";
            return result;
        }
    }
    console::ConsoleEngine engine(app, dialogs);
    labs::LabPractice practice(app, dialogs);
    if (script.lab.empty()) {
        engine.form_load(console::ConsoleEngine::Clock::from_time_t(now));
    } else {
        app.selected_sublab = script.lab;
        practice.form_load();
    }
    for (const auto& [device, key, value] : script.settings)
        if (!state::write_setting(app, key, device, value)) {
            result.message = name + ": @set " + device + " " + key + ": no such device or key";
            return result;
        }
    // As Open Exported File and Load Config do: a refused file leaves the
    // network as it was and shows its box, which @message checks.
    for (const auto& [how, file] : script.networks) {
        const fs::path path =
            fs::path(file).is_absolute() ? fs::path(file) : fs::path(network_folder) / file;
        engine.load_network_file(path.string(), how);
    }
    if (!script.example_lab.empty()) {
        if (auto failure = press_load_the_lab(app, script.example_lab)) {
            result.message = name + ": " + *failure;
            return result;
        }
        engine.network_loaded();  // as the labs window tells the console
    }
    // With @start the file begins with the start text, and Return on it is
    // the file's own.
    Console driven = script.lab.empty() ? simulator_console(engine, script.start_text)
                                        : lab_console(practice, script.start_text);
    const std::string& prefix = driven.start;

    // Logging out replaces the whole transcript by the start request: the
    // console's lines then continue from the file's next start request.
    std::size_t base = 0;
    std::string before = driven.text();
    auto restarted = [&](const std::string& now) {
        const bool restart =
            now.rfind(console::kStartRequest, 0) == 0 &&
            (before.rfind(console::kStartRequest, 0) != 0 || now.size() < before.size());
        before = now;
        return restart;
    };
    std::vector<bool> pressed(script.lines.size(), false);
    auto fail = [&](const ExpectedLine* line, const std::string& why) {
        result.message = name + (line ? ":" + std::to_string(line->file_line) : "") + ": " + why;
        return result;
    };
    for (int step = 0; step < 100000; ++step) {
        std::string session = driven.text();
        if (restarted(session)) {
            std::size_t next = base + 1;
            while (next < script.lines.size() &&
                   script.lines[next].visible != console::kStartRequest)
                ++next;
            if (next >= script.lines.size())
                return fail(&script.lines.back(), "the console ended the session here");
            base = next;
        }
        if (!prefix.empty() && session.rfind(prefix, 0) == 0)
            session = session.substr(prefix.size());
        auto lines = text::split(session, "\r\n");
        if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
        const std::size_t last = base + lines.size() - 1;
        for (std::size_t i = base; i < last; ++i) {
            const std::string& shown = lines[i - base];
            if (i >= script.lines.size())
                return fail(&script.lines.back(), "the console went on with " + show(shown));
            if (shown != script.lines[i].visible)
                return fail(&script.lines[i], "expected " + show(script.lines[i].visible) +
                                                  ", the console shows " + show(shown));
        }
        const std::string current = lines.back();  // the line the caret is on
        if (last >= script.lines.size())
            return fail(&script.lines.back(), "the console went on with " + show(current));
        const ExpectedLine& expected = script.lines[last];
        const bool final_line = last + 1 == script.lines.size();
        if (pressed[last] || (final_line && !expected.has_keys)) {
            if (current != expected.visible)
                return fail(&expected, "expected " + show(expected.visible) +
                                           ", the console shows " + show(current));
            if (!final_line) return fail(&expected, "the console stopped here");
            std::vector<std::string> shown;
            for (const auto& s : dialogs.shown())
                if (s.kind == "message") shown.push_back(s.text);
            for (std::size_t i = 0; i < std::max(shown.size(), script.messages.size()); ++i) {
                if (i >= script.messages.size())
                    return fail(nullptr, "an unexpected message box: " + shown[i]);
                if (i >= shown.size())
                    return fail(nullptr, "the message box was not shown: " + script.messages[i]);
                if (!message_matches(script.messages[i], shown[i]))
                    return fail(nullptr, "message box " + std::to_string(i + 1) +
                                             " differs: shown " + shown[i] + ", expected " +
                                             script.messages[i]);
            }
            std::vector<Question> asked;
            for (const auto& s : dialogs.shown())
                if (s.kind == "question" || s.kind == "okcancel")
                    asked.push_back({s.buttons, s.text});
            for (std::size_t i = 0; i < std::max(asked.size(), script.questions.size()); ++i) {
                if (i >= script.questions.size())
                    return fail(nullptr, "an unexpected question box: [" + asked[i].buttons + "] " +
                                             asked[i].text);
                if (i >= asked.size())
                    return fail(nullptr, "the question box was not shown: [" +
                                             script.questions[i].buttons + "] " +
                                             script.questions[i].text);
                if (asked[i].buttons != script.questions[i].buttons ||
                    !message_matches(script.questions[i].text, asked[i].text))
                    return fail(nullptr, "question box " + std::to_string(i + 1) +
                                             " differs: shown [" + asked[i].buttons + "] " +
                                             asked[i].text);
            }
            if (dialogs.answers_left() != 0)
                return fail(nullptr,
                            std::to_string(dialogs.answers_left()) + " @answer left unused");
            for (const auto& check : script.tables) {
                std::string rows;
                try {
                    rows = rows_of(app.session, check.query);
                } catch (const std::exception& error) {
                    return fail(nullptr, "line " + std::to_string(check.file_line) +
                                             ": @expect query failed: " + error.what());
                }
                if (rows != check.rows)
                    return fail(nullptr, "line " + std::to_string(check.file_line) +
                                             ": the tables hold " + show(rows) + ", expected " +
                                             show(check.rows));
            }
            result.passed = true;
            return result;
        }
        pressed[last] = true;
        if (expected.has_keys) {
            for (const auto& action : expected.actions) switch (action.kind) {
                    case Action::Key:
                        driven.press(action.key);
                        break;
                    case Action::Click:
                        driven.click();
                        break;
                    case Action::DoubleClick:
                        driven.double_click();
                        break;
                    case Action::Pick:
                        driven.pick(action.host);
                        break;
                }
            continue;
        }
        if (expected.visible.rfind(current, 0) != 0)
            return fail(&expected, "expected " + show(expected.visible) + ", the console shows " +
                                       show(current));
        driven.type(expected.visible.substr(current.size()));
        driven.press(console::keys::enter);
    }
    return fail(nullptr, "the session did not end");
}

TranscriptResult run_transcript_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {false, path + ": cannot read the file"};
    std::ostringstream text;
    text << in.rdbuf();
    return run_transcript(text.str(), fs::path(path).filename().string(),
                          fs::path(path).parent_path().string());
}

std::vector<std::string> transcript_files(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace vexlab::test
