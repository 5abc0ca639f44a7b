#include "support/network_state.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "console/console_engine.h"
#include "console/default_network.h"
#include "platform/db_session.h"
#include "state/settings.h"

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

namespace {

void require(bool done) {
    if (!done) throw std::logic_error("the default network lacks a setting the test writes");
}

}  // namespace

void configure_default_network(state::AppState& app) {
    auto& s = app.session;
    s.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.1', mask = '255.0.0.0', "
        "next_hopip = '10.0.0.2', next_hopmask = '255.0.0.0', "
        "nw_protocol = 'r', int_status = 1 WHERE ref = 1 AND int_name = 'Serial0'");
    s.execute(
        "UPDATE route_ip_def SET ip = '10.0.0.2', mask = '255.0.0.0', "
        "next_hopip = '10.0.0.1', next_hopmask = '255.0.0.0' "
        "WHERE ref = 2 AND int_name = 'Serial0'");
    s.execute(
        "INSERT INTO route_ip_def (ref, int_name, ip, mask) "
        "VALUES (1, 'loopback0', '1.1.1.1', '255.255.255.255')");
    s.execute("UPDATE ospf_ip_def SET int_area_num = 0, con_to_backbone = 1 WHERE ref = 1");
    s.execute(
        "UPDATE ospf_dev_def SET device_id = '10.0.0.1', virtual_link = 1, "
        "transit_area = 5 WHERE dev_no = 1");
    s.execute("UPDATE nat_dev_def SET nat_status = 1 WHERE dev_no = 2");
    s.execute(
        "INSERT INTO nat_inout_def (inside_local, inside_global, ref) "
        "VALUES ('192.168.1.5', '200.1.1.5', 2)");
    s.execute("INSERT INTO frame_map_def (subint_num, dlci_num, ref) VALUES ('1', 102, 2)");
    s.execute("INSERT INTO vlan_info VALUES (10, 'sales'), (20, 'virtual link')");
    s.execute(
        "INSERT INTO mac_addr (vla_num, mac_addr, ports) "
        "VALUES (10, '0000.1111.2222', 'FastEthernet0/3')");
    s.execute("INSERT INTO port_security VALUES ('FastEthernet0/4', '0000.aaaa.bbbb')");
    s.execute(
        "UPDATE int_det SET description = 'EOR is a word', shutdown = 'up' "
        "WHERE ref = 1 AND int_name = 'Serial0'");
    s.execute("UPDATE int_det SET description = 'nat pool' WHERE ref = 2");
    s.execute(
        "INSERT INTO access_list VALUES (10, '10.0.0.0', '0.255.255.255', 1, 1), "
        "(10, 'any', 'any', 0, 1), (1, '192.168.1.0', '0.0.0.255', 0, 2)");
    s.execute(
        "INSERT INTO nat_pool VALUES ('pool1', '200.1.1.1', '200.1.1.9', "
        "'255.255.255.0', 1, 'o', 2)");
    require(state::write_setting(app, "enable_password", "R1", "cisco"));
    require(state::write_setting(
        app, "startup-config", "R1",
        "!\r\nhostname R1\r\n!\r\ninterface Serial0\r\n description link: to R2\r\n"
        " ip address 10.0.0.1 255.0.0.0\r\n\r\n!\r\nend"));
    app.network.lab_description = "Line one\r\nLine two\r\n\r\nLine four";
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
