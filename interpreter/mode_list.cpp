#include "interpreter/mode_list.h"

#include "interpreter/catalogue.h"
#include "platform/db_session.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

std::string mode_command_list(state::AppState& app) {
    std::string list = kModeListHeading;
    for (const auto& row : Catalogue(app.session).all_first_words(app.console.device.device_kind)) {
        if (row.mode != app.console.mode.mode_suffix || !row.enabled) continue;
        // Two blanks for every character short of twenty line the texts up.
        const std::size_t pad = row.command.size() < 20 ? 2 * (20 - row.command.size()) : 0;
        list += "\r\n" + row.command + std::string(pad, ' ') + row.description;
    }
    return list;
}

void list_mode_commands(state::AppState& app) {
    const std::string list = mode_command_list(app);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        auto end = list.find("\r\n", start);
        lines.push_back(list.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    auto& output = app.console.output;
    if (lines.size() > 20) {
        output.paging_active = true;
        output.output_lines = lines;
        output.pending_output.clear();
        for (std::size_t i = 0; i < 20; ++i) output.pending_output += lines[i] + "\r\n";
        output.pending_output += "--MORE--";
    } else {
        output.pending_output = list;
    }
}

}  // namespace vexlab::interpreter
