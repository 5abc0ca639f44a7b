#include "designer/network_export.h"

#include <map>
#include <vector>

#include "networkfiles/network_file_writer.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/schema_registry.h"
#include "state/vocabulary.h"

namespace vexlab::designer {

namespace {

// The scratch copies of the three routing views the export fills.
constexpr const char* kScratchTables[] = {"rout_dev", "route_ip",  "ospf_dev",
                                          "ospf_ip",  "eigrp_dev", "eigrp_ip"};

std::string scratch(std::string_view table) {
    return "designer_" + std::string(table);
}

// The design's tables, quoted once for the statements below.
const std::string kIp = db::quote_identifier("ip");
const std::string kSubIntDet = db::quote_identifier("sub_int_det");
const std::string kDeviceNames = db::quote_identifier("devicenames");
const std::string kDeviceTemplate = db::quote_identifier("devicetemplate");
const std::string kConfigTemplate = db::quote_identifier("config_template");
const std::string kConfigData = db::quote_identifier("configdata");

struct Device {
    std::string host;
    std::string model;
};

std::vector<Device> devices_in_order(db::DatabaseSession& session) {
    std::vector<Device> devices;
    auto rs = session.open_recordset("SELECT n.hostname, t.device FROM " + kDeviceNames +
                                     " AS n LEFT JOIN " + kDeviceTemplate +
                                     " AS t ON t.\"index\" = n.ref ORDER BY n.\"index\", n.rowid");
    for (; !rs.eof(); rs.move_next()) devices.push_back({rs.text(0), rs.text(1)});
    return devices;
}

// The settings of every device: the template's keys in stored order, one
// column per device, each cell the key's default unless the design says
// otherwise.
void build_settings(db::DatabaseSession& session, const std::vector<Device>& devices) {
    std::vector<std::string> keys;
    std::vector<std::string> defaults;
    auto rs = session.open_recordset("SELECT * FROM " + kConfigTemplate + " ORDER BY rowid");
    for (; !rs.eof(); rs.move_next()) {
        keys.push_back(rs.text(0));
        defaults.push_back(rs.text(1));
    }
    // Keys are found without regard to letter case, as the settings table
    // finds them.
    std::map<std::string, std::vector<std::size_t>> rows_of_key;
    for (std::size_t i = 0; i < keys.size(); ++i) rows_of_key[text::lower(keys[i])].push_back(i);
    std::map<std::string, std::size_t> column_of_host;
    std::vector<std::vector<std::string>> cells(devices.size(), defaults);
    for (std::size_t d = 0; d < devices.size(); ++d) column_of_host[devices[d].host] = d;
    auto set = [&](std::size_t device, const std::string& key, const std::string& value) {
        auto found = rows_of_key.find(text::lower(key));
        if (found == rows_of_key.end()) return;
        for (std::size_t row : found->second) cells[device][row] = value;
    };
    for (std::size_t d = 0; d < devices.size(); ++d) set(d, "hostname", devices[d].host);
    auto ip = session.open_recordset("SELECT interfacetype, ipadd, maskadd, hostname FROM " + kIp +
                                     " WHERE ipadd <> 'NA' ORDER BY rowid");
    for (; !ip.eof(); ip.move_next()) {
        auto device = column_of_host.find(ip.text(3));
        if (device == column_of_host.end()) continue;
        const std::string interface = ip.text(0);
        const bool assigned = !ip.text(1).empty();
        set(device->second, interface + "_ip_address", assigned ? ip.text(1) : "Unassigned");
        set(device->second, interface + "_dec_mask", assigned ? ip.text(2) : "Unassigned");
    }

    session.execute("DROP TABLE IF EXISTS " + kConfigData);
    std::string create =
        "CREATE TABLE " + kConfigData +
        " (Config_Variable TEXT COLLATE NOCASE, \"default\" LONGTEXT COLLATE NOCASE";
    std::string marks = "?, ?";
    for (const auto& device : devices) {
        create += ", " + db::quote_identifier(device.host) + " LONGTEXT COLLATE NOCASE";
        marks += ", ?";
    }
    session.execute(create + ")");
    const std::string insert = "INSERT INTO " + kConfigData + " VALUES (" + marks + ")";
    for (std::size_t row = 0; row < keys.size(); ++row) {
        std::vector<db::Value> values = {keys[row], defaults[row]};
        for (std::size_t d = 0; d < devices.size(); ++d) values.emplace_back(cells[d][row]);
        session.execute(insert, values);
    }
}

void create_scratch_tables(db::DatabaseSession& session) {
    const auto& schema = state::SchemaRegistry::instance();
    for (const char* base : kScratchTables) {
        state::TableDef table = schema.get(base);
        table.name = scratch(base);
        table.lookups.clear();
        session.execute("DROP TABLE IF EXISTS " + db::quote_identifier(table.name));
        session.execute(state::SchemaRegistry::create_sql(table));
    }
}

// One row per device in each device table, one per interface that takes a
// connection and one per sub-interface in each interface table.
void build_routing_rows(db::DatabaseSession& session, const std::vector<Device>& devices) {
    std::map<std::string, int> number_of_host;
    for (std::size_t d = 0; d < devices.size(); ++d) {
        const int number = static_cast<int>(d) + 1;
        number_of_host[devices[d].host] = number;
        for (const char* table : {"rout_dev", "ospf_dev", "eigrp_dev"})
            session.execute("INSERT INTO " + db::quote_identifier(scratch(table)) +
                                " (dev_no, dev_name) VALUES (?, ?)",
                            {number, devices[d].host});
    }
    auto insert = [&](const std::string& columns, const std::vector<db::Value>& values) {
        std::string marks;
        for (std::size_t i = 0; i < values.size(); ++i) marks += i ? ", ?" : "?";
        for (const char* table : {"route_ip", "ospf_ip", "eigrp_ip"})
            session.execute("INSERT INTO " + db::quote_identifier(scratch(table)) + " (" + columns +
                                ") VALUES (" + marks + ")",
                            values);
    };
    const std::string unassigned(state::marker::kUnassigned);
    auto or_unassigned = [&](const std::string& value) {
        return value.empty() ? unassigned : value;
    };
    auto ip = session.open_recordset(
        "SELECT interfacetype, ipadd, maskadd, hostname, connected, todevice, tointerface FROM " +
        kIp + " WHERE todevice <> 'NA' ORDER BY rowid");
    int running = 0;
    for (; !ip.eof(); ip.move_next()) {
        ++running;
        const auto device = number_of_host.find(ip.text(3));
        if (device == number_of_host.end()) continue;
        const bool faces = ip.field(4).to_bool() && !ip.text(5).empty();
        insert("int_name, ip, mask, next_hop_devname, next_hop_intname, ref, \"index\"",
               {ip.text(0), or_unassigned(ip.text(1)), or_unassigned(ip.text(2)),
                faces ? ip.text(5) : unassigned, faces ? ip.text(6) : unassigned, device->second,
                running});
    }
    auto sub = session.open_recordset(
        "SELECT i.hostname, i.interfacetype, s.sun_int_num, s.todevice, s.tointerface, "
        "s.to_sub_int_num FROM " +
        kIp + " AS i INNER JOIN " + kSubIntDet + " AS s ON i.\"index\" = s.ref ORDER BY s.rowid");
    for (; !sub.eof(); sub.move_next()) {
        const auto device = number_of_host.find(sub.text(0));
        if (device == number_of_host.end()) continue;
        insert("int_name, next_hop_devname, next_hop_intname, ref",
               {sub.text(1) + "." + sub.text(2), sub.text(3), sub.text(4) + "." + sub.text(5),
                device->second});
    }
}

}  // namespace

std::string exported_network_text(db::DatabaseSession& session, std::string_view description) {
    // Everything built here is scratch: the transaction is never committed.
    db::DatabaseSession::Transaction scratch_work(session);
    const auto devices = devices_in_order(session);
    build_settings(session, devices);
    create_scratch_tables(session);
    build_routing_rows(session, devices);

    networkfiles::NetworkFileWriter writer;
    std::vector<std::string> hosts;
    std::map<std::string, std::string> model_of_host;
    for (const auto& device : devices) {
        hosts.push_back(device.host);
        model_of_host[device.host] = device.model;
    }
    writer.device_blocks(session, "configdata", hosts,
                         [&](const std::string& host) { return model_of_host[host]; });
    using networkfiles::RoutingView;
    writer.routing_view(session, RoutingView::Routing, scratch("rout_dev"), scratch("route_ip"));
    writer.routing_view(session, RoutingView::Ospf, scratch("ospf_dev"), scratch("ospf_ip"));
    writer.routing_view(session, RoutingView::Eigrp, scratch("eigrp_dev"), scratch("eigrp_ip"));
    writer.description(description);
    writer.line(networkfiles::kSubinterfaceHeader);
    auto sub = session.open_recordset("SELECT i.hostname, i.interfacetype, s.sun_int_num FROM " +
                                      kIp + " AS i INNER JOIN " + kSubIntDet +
                                      " AS s ON i.\"index\" = s.ref ORDER BY s.rowid");
    for (; !sub.eof(); sub.move_next()) writer.subinterface(sub.text(0), sub.text(1), sub.field(2));
    return writer.take();
}

}  // namespace vexlab::designer
