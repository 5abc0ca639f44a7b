#include "support/lab_fixture.h"

#include "labs/lab_answers.h"
#include "labs/lab_diagram.h"
#include "labs/lab_tables.h"
#include "state/schema_registry.h"
#include "state/table_text.h"

namespace vexlab::test {

LabFixture::LabFixture(std::string_view rows) : practice(app, dialogs, [this] { return now; }) {
    const std::string path = dir.file("commandsbackup.mdb");
    if (rows.empty()) {
        fresh_database(path);
        app.session.open(path);
    } else {
        empty_database(app.session, path);
        state::load_table_text(app.session, state::SchemaRegistry::instance(), rows, "fixture");
    }
    app.program_folder = dir.path().string();
}

void LabFixture::start(const std::string& sublab) {
    app.selected_sublab = sublab;
    practice.form_load();
}

void LabFixture::enter_line(std::string_view line) {
    practice.type(line);
    practice.press(console::keys::enter);
}

void LabFixture::choose_device(const std::string& device) {
    practice.show_network_chosen();
    labs::LabDeviceChooser chooser(practice);
    chooser.choose("*" + device);
    chooser.select_and_exit("*" + device);
}

void LabFixture::tick(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        now += std::chrono::seconds(1);
        practice.tick();
    }
}

std::string LabFixture::caret_line() const {
    const std::string& t = text();
    const std::size_t caret = practice.console().caret();
    const auto start = caret == 0 ? std::string::npos : t.rfind('\n', caret - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    auto end = t.find("\r\n", from);
    if (end == std::string::npos) end = t.size();
    return t.substr(from, end - from);
}

std::string LabFixture::prompt() const {
    return app.console.device.host_name + practice.run().prompt_suffix;
}

std::string replay_sublab(LabFixture& lab, const std::string& name) {
    lab.dialogs.clear();
    lab.start(name);
    const auto sublab = labs::find_sublab(lab.app.session, name);
    if (!sublab) return "no sublab named " + name;
    if (!lab.run().switch_menu_active) lab.practice.press(console::keys::enter);
    const auto steps = labs::sublab_instructions(lab.app.session, sublab->index);
    for (std::size_t n = 0; n < steps.size(); ++n) {
        const auto& step = steps[n];
        const std::string where =
            name + ", step " + std::to_string(n + 1) + " (" + step.device + ")";
        if (lab.run().current_instruction != static_cast<int>(n + 1))
            return where + ": the run is on step " + std::to_string(lab.run().current_instruction);
        if (step.device != lab.run().selected_lab_device) lab.choose_device(step.device);
        for (const auto& command : labs::instruction_commands(lab.app.session, step.index)) {
            const int before = lab.run().commands_completed();
            lab.enter_line(command.command);
            const std::string at = where + ", \"" + command.command + "\"";
            if (!lab.run().lab_command_matched) return at + ": not matched";
            if (lab.run().commands_completed() != before + 1)
                return at + ": completed " +
                       std::to_string(lab.run().commands_completed() - before) + " commands";
            if (!lab.run().lab_done && lab.caret_line() != lab.prompt())
                return at + ": the caret is on \"" + lab.caret_line() + "\", not the prompt";
            const std::string expected = labs::shown_prompt(command.resprompt);
            if (lab.run().prompt_suffix != expected)
                return at + ": the prompt is \"" + lab.run().prompt_suffix + "\"";
        }
    }
    if (!lab.run().lab_done) return name + ": not done after the last command";
    if (!lab.dialogs.shown().empty())
        return name + ": showed \"" + lab.dialogs.shown().front().text + "\"";
    const std::string score = labs::score_text(lab.run(), lab.practice.empty_lab());
    if (score != "10") return name + ": scored " + score;
    return {};
}

}  // namespace vexlab::test
