#include "interpreter/mode_list.h"

#include "platform/db_session.h"
#include "state/app_state.h"

namespace vexlab::interpreter {

std::string mode_command_list(state::AppState& app) {
    std::string list = kModeListHeading;
    db::Recordset rows =
        app.session.open_recordset("SELECT * FROM tblsublabcmds WHERE ref = ? ORDER BY command",
                                   {app.console.device.device_kind});
    for (; !rows.eof(); rows.move_next()) {
        if (rows.text(2) != app.console.mode.mode_suffix || !rows.field(5).to_bool()) continue;
        const std::string command = rows.text(3);
        // Two blanks for every character short of twenty line the texts up.
        const std::size_t pad = command.size() < 20 ? 2 * (20 - command.size()) : 0;
        list += "\r\n" + command + std::string(pad, ' ') + rows.text(15);
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
