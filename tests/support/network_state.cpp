#include "support/network_state.h"

#include <fstream>
#include <sstream>

#include "console/console_engine.h"
#include "console/default_network.h"
#include "platform/db_session.h"

namespace vexlab::test {

DefaultNetwork::DefaultNetwork() {
    fresh_database(folder.file("commandsbackup.mdb"));
    app.program_folder = folder.path().string();
    app.logo_picture_path = app.program_file("simulator-logo.gif");
    app.session.open(folder.file("commandsbackup.mdb"));
    app.table_set = state::NetworkTableSet::default_set();
    console::set_default(app);
    app.console.mode.mode_suffix = state::CommandMode::User;
    app.console.mode.prompt_text = app.console.device.host_name + ">";
    app.network.lab_description = console::default_network_description();
    app.network.network_picture_path = app.program_file("tolvane-fig.gif");
}

std::string DefaultNetwork::write_file(const std::string& name, const std::string& text) const {
    const std::string path = folder.file(name);
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string database_state(db::DatabaseSession& session) {
    std::string out;
    db::Recordset tables = session.open_recordset(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'tbl%' "
        "AND name NOT LIKE 'sqlite%' ORDER BY name");
    for (; !tables.eof(); tables.move_next()) {
        out += tables.text(1) + "\n";
        db::Recordset rows = session.open_recordset(
            "SELECT * FROM " + db::quote_identifier(tables.text(0)) + " ORDER BY rowid");
        for (; !rows.eof(); rows.move_next()) {
            for (int i = 0; i < rows.field_count(); ++i) {
                const db::Value& v = rows.field(i);
                out += v.is_null() ? "<null>"
                                   : "[" + std::to_string(static_cast<int>(v.type())) + ":" +
                                         v.to_text() + "]";
                out += "|";
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace vexlab::test
