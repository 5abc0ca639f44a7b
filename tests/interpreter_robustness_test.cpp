// Seeded random lines through the interpreter in every mode of every device
// kind, on the shipped catalogue: nothing escapes as an exception, and a line
// the interpreter refuses changes no table.

#include <gtest/gtest.h>

#include <random>

#include "interpreter/catalogue_compiler.h"
#include "interpreter/interpreter.h"
#include "state/app_state.h"
#include "support/awkward_words.h"
#include "support/test_database.h"

namespace {

std::string random_word(std::mt19937& random, const std::vector<std::string>& vocabulary) {
    const std::vector<std::string>& odd = vexlab::test::awkward_words();
    switch (random() % 4) {
        case 0:
            return odd[random() % odd.size()];
        case 1: {
            std::string word;
            for (int i = 0, n = 1 + random() % 8; i < n; ++i)
                word += static_cast<char>(33 + random() % 94);
            return word;
        }
        default: {
            const std::string& w = vocabulary[random() % vocabulary.size()];
            return random() % 3 ? w : w.substr(0, 1 + random() % w.size());
        }
    }
}

TEST(InterpreterRobustness, RandomLinesNeverThrowAndRefusedLinesChangeNothing) {
    vexlab::test::TempDir dir;
    vexlab::test::fresh_database(dir.file("commandsbackup.mdb"));
    vexlab::state::AppState app;
    app.session.open(dir.file("commandsbackup.mdb"));
    vexlab::test::seed_device_tables(app.session);

    std::vector<std::string> vocabulary;
    for (int level = 0; level <= 9; ++level) {
        std::string table = level ? "tblsublabcmds" + std::to_string(level) : "tblsublabcmds";
        for (auto rows = app.session.open_recordset("SELECT DISTINCT command FROM " + table);
             !rows.eof(); rows.move_next())
            if (rows.text(0)[0] != '<') vocabulary.push_back(rows.text(0));
    }
    ASSERT_FALSE(vocabulary.empty());

    using vexlab::state::DeviceKind;
    struct Device {
        DeviceKind kind;
        const char* name;
    } devices[] = {
        {DeviceKind::Router, "R1"}, {DeviceKind::Switch, "2950"}, {DeviceKind::Pc, "PC"}};
    const vexlab::test::ChangeCounter changes(app.session);
    std::mt19937 random(20261210);
    int lines = 0, refused = 0;
    for (const auto& device : devices)
        for (const auto mode : vexlab::state::kCommandModes)
            for (int n = 0; n < 120; ++n) {
                std::string line;
                const int count = static_cast<int>(random() % 14);
                for (int i = 0; i < count; ++i)
                    line += (i ? " " : "") + random_word(random, vocabulary);
                SCOPED_TRACE(std::string(device.name) + " " +
                             std::string(vexlab::state::prompt_suffix(mode)) + " [" + line + "]");
                app.console.device.current_device = device.name;
                app.console.device.host_name = device.name;
                app.console.device.device_kind = device.kind;
                app.console.mode.mode_suffix = mode;
                app.console.mode.config_prefix = "nill";
                app.console.mode.current_interface = random() % 2 ? "serial0" : "";
                app.console.mode.routing_protocol = random() % 2 ? "o" : "r";
                const long long before = changes.count();
                vexlab::interpreter::InterpreterState result;
                ASSERT_NO_THROW(result = vexlab::interpreter::interpret_command(app, line));
                ++lines;
                if (!result.succeeded()) {
                    ++refused;
                    EXPECT_EQ(changes.count(), before);
                }
            }
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, lines);
}

}  // namespace
