// Seeded random sessions at the console engine: lines of catalogue words,
// abbreviations, odd numbers and characters, help requests and control keys,
// on every device kind of the default network.  Whatever is typed, no
// exception leaves a key, no line takes a second, a refused line leaves every
// table as it was, and a device never reaches a mode its kind does not have.
//
// A short run belongs to the test suite.  For a long one (the README's test
// section tells more):
//   VEXLAB_FUZZ_LINES=100000 VEXLAB_FUZZ_SEED=7 build/bin/core_tests --gtest_filter='ConsoleFuzz.*'

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <set>

#include "console/console_engine.h"
#include "console/network_diagram.h"
#include "interpreter/catalogue.h"
#include "platform/db_session.h"
#include "platform/user_dialogs.h"
#include "state/app_state.h"
#include "support/awkward_words.h"
#include "support/test_database.h"

namespace {

using namespace vexlab;
using console::KeyEvent;
namespace keys = console::keys;

long environment_number(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : random_(seed) {
        test::fresh_database(dir_.file("commandsbackup.mdb"));
        app_.program_folder = dir_.path().string();
        app_.session.open(dir_.file("commandsbackup.mdb"));
        for (int level = 0; level <= interpreter::kLastLevel; ++level)
            for (auto rows = app_.session.open_recordset(
                     "SELECT DISTINCT command FROM " +
                     db::quote_identifier(interpreter::catalogue_table(level)));
                 !rows.eof(); rows.move_next())
                if (rows.text(0)[0] != '<') vocabulary_.push_back(rows.text(0));
        // The modes each kind's commands lead to, and the two EXEC modes the
        // console itself moves routers and switches between.
        for (auto rows = app_.session.open_recordset(
                 "SELECT ref, commandprompt, modeafter FROM tblsublabcmds");
             !rows.eof(); rows.move_next()) {
            const auto kind = state::device_kind(rows.field(0).to_int());
            if (!kind) continue;
            for (int column : {1, 2})
                if (auto mode = state::command_mode(rows.text(column))) modes_[*kind].insert(*mode);
        }
        for (auto kind : {state::DeviceKind::Router, state::DeviceKind::Switch}) {
            modes_[kind].insert(state::CommandMode::User);
            modes_[kind].insert(state::CommandMode::Privileged);
        }
    }

    // One session on `host`: `lines` typed lines with keys in between.
    void session(const std::string& host, long lines) {
        engine_.form_load();
        engine_.press(keys::enter);
        if (host != app_.console.device.host_name) {
            ASSERT_TRUE(console::select_device(engine_, host)) << host;
        }
        const test::ChangeCounter changes(app_.session);
        for (long n = 0; n < lines; ++n) {
            const std::string typed = line();
            SCOPED_TRACE(host + " line " + std::to_string(n) + " [" + typed + "]");
            for (char c : typed) press(keys::character(c));
            if (random_() % 8 == 0) {
                press(keys::character('?'));
                continue;
            }
            if (random_() % 6 == 0) press(control_key());
            const long long before = changes.count();
            const auto start = std::chrono::steady_clock::now();
            press(keys::enter);
            const auto took = std::chrono::steady_clock::now() - start;
            EXPECT_LT(took, std::chrono::seconds(1));
            if (!engine_.last_line().succeeded()) {
                EXPECT_EQ(changes.count(), before) << "a refused line changed a table";
            }
            if (::testing::Test::HasFailure()) return;
        }
    }

private:
    void press(KeyEvent key) {
        try {
            engine_.press(key);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "a key let out: " << error.what();
        }
        const auto kind = app_.console.device.device_kind;
        const auto mode = app_.console.mode.mode_suffix;
        EXPECT_TRUE(modes_[kind].count(mode))
            << "a " << kind << " reached the mode " << mode << "\n"
            << engine_.text().substr(engine_.text().size() > 600 ? engine_.text().size() - 600 : 0);
    }

    KeyEvent control_key() {
        static const KeyEvent controls[] = {
            keys::ctrl_z, keys::up,  keys::down, keys::left,      keys::right,
            keys::del,    keys::end, keys::home, keys::backspace, keys::ctrl_caret};
        return controls[random_() % std::size(controls)];
    }

    std::string line() {
        std::string text;
        const int words = static_cast<int>(random_() % 12);
        for (int i = 0; i < words; ++i) text += (i ? " " : "") + word();
        return text;
    }

    std::string word() {
        const std::vector<std::string>& odd = vexlab::test::awkward_words();
        switch (random_() % 5) {
            case 0:
                return odd[random_() % odd.size()];
            case 1:
                return random_() % 50 ? std::string(1 + random_() % 8, 'a')
                                      : std::string(10000, 'w');
            case 2: {
                std::string w;
                for (int i = 0, n = 1 + static_cast<int>(random_() % 6); i < n; ++i)
                    w += static_cast<char>(33 + random_() % 94);
                return w;
            }
            default: {
                const std::string& w = vocabulary_[random_() % vocabulary_.size()];
                return random_() % 3 ? w : w.substr(0, 1 + random_() % w.size());
            }
        }
    }

    test::TempDir dir_;
    state::AppState app_;
    platform::ScriptedDialogs dialogs_;
    console::ConsoleEngine engine_{app_, dialogs_};
    std::mt19937 random_;
    std::vector<std::string> vocabulary_;
    std::map<state::DeviceKind, std::set<state::CommandMode>> modes_;
};

TEST(ConsoleFuzz, RandomSessionsOnEveryDeviceKindKeepTheInvariants) {
    const long lines = environment_number("VEXLAB_FUZZ_LINES", 1000);
    const auto seed = static_cast<unsigned>(environment_number("VEXLAB_FUZZ_SEED", 20261212));
    for (const char* host : {"R1", "2950", "PC"}) {
        Fuzzer fuzzer(seed);
        fuzzer.session(host, lines);
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
