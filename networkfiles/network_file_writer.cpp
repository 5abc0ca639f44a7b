#include "networkfiles/network_file_writer.h"

#include <algorithm>

#include "networkfiles/network_file.h"
#include "platform/db_session.h"
#include "platform/db_value.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "state/console_session.h"
#include "state/table_set.h"

namespace vexlab::networkfiles {

void NetworkFileWriter::line(std::string_view text) {
    text_.append(text);
    text_.append(kLineEnd);
}

void NetworkFileWriter::value(const db::Value& field) {
    line(value_line(field));
}

void NetworkFileWriter::device_blocks(
    db::DatabaseSession& session, std::string_view settings_table,
    const std::vector<std::string>& device_columns,
    const std::function<std::string(const std::string&)>& model_of) {
    db::Recordset rows = session.open_recordset(
        "SELECT * FROM " + db::quote_identifier(settings_table) + " ORDER BY rowid");
    for (const auto& device : device_columns) {
        const auto column = rows.field_index(device);
        line("<" + model_of(device) + ">");
        line("[" + device + "]");
        for (rows.move_first(); !rows.eof(); rows.move_next())
            setting(rows.text(0), column ? rows.text(*column) : std::string());
    }
}

void NetworkFileWriter::setting(std::string_view key, std::string_view value) {
    const std::vector<std::string> lines = text::split(value, kLineEnd);
    line(std::string(key) + ":" + lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) line(escaped_value_line(lines[i]));
}

void NetworkFileWriter::routing_view(db::DatabaseSession& session, RoutingView view,
                                     std::string_view device_table,
                                     std::string_view interface_table) {
    line(view_header(view));
    if (!session.table_exists(device_table) || !session.table_exists(interface_table)) return;
    // Only the device's number and name come from the device table: the
    // OSPF device table's other columns travel in their own dump.
    db::Recordset rows = session.open_recordset(
        "SELECT d.dev_no, d.dev_name, t.* FROM " + db::quote_identifier(device_table) +
        " AS d INNER JOIN " + db::quote_identifier(interface_table) +
        " AS t ON d.dev_no = t.ref ORDER BY t.\"index\", t.rowid, d.rowid");
    for (; !rows.eof(); rows.move_next()) {
        line("<" + rows.text(0) + ">");
        line("<" + rows.text(1) + ">");
        for (int i = 2; i < rows.field_count(); ++i) value(rows.field(i));
    }
}

void NetworkFileWriter::description(std::string_view text) {
    line(kDescriptionHeader);
    for (const std::string& part : text::split(text, kLineEnd))
        line(escaped_description_line(part));
}

void NetworkFileWriter::dump(db::DatabaseSession& session, std::string_view header,
                             std::string_view table) {
    line(header);
    if (!session.table_exists(table)) return;
    db::Recordset rows =
        session.open_recordset("SELECT * FROM " + db::quote_identifier(table) + " ORDER BY rowid");
    for (; !rows.eof(); rows.move_next()) {
        for (int i = 0; i < rows.field_count(); ++i) value(rows.field(i));
        line(kEndOfRecord);
    }
}

void NetworkFileWriter::subinterface(std::string_view host, std::string_view interface,
                                     const db::Value& number) {
    line("<" + std::string(host) + ">");
    value(db::Value(std::string(interface)));
    value(number);
}

std::vector<std::string> saved_device_columns(db::DatabaseSession& session,
                                              const state::NetworkTableSet& tables) {
    const auto names = session.column_names(tables.routervariables_table);
    std::vector<std::string> devices;
    const std::size_t step = tables.is_default() ? 2 : 1;
    for (std::size_t i = step; i < names.size(); i += step) devices.push_back(names[i]);
    return devices;
}

std::string configuration_file_text(db::DatabaseSession& session,
                                    const state::NetworkTableSet& tables,
                                    const state::LoadedNetwork& network) {
    NetworkFileWriter writer;
    auto model_of = [&session](const std::string& device) {
        return session
            .scalar("SELECT Dev_cat FROM " + db::quote_identifier("device") +
                        " WHERE Device_Name = ? ORDER BY rowid LIMIT 1",
                    {device})
            .to_text();
    };
    writer.device_blocks(session, tables.routervariables_table,
                         saved_device_columns(session, tables), model_of);
    writer.line(std::string(kNetpathKey) + ":" + network.network_picture_path);
    writer.routing_view(session, RoutingView::Routing, tables.rout_dev_table,
                        tables.route_ip_table);
    writer.routing_view(session, RoutingView::Ospf, tables.ospf_dev_table, tables.ospf_ip_table);
    writer.routing_view(session, RoutingView::Eigrp, tables.eigrp_dev_table, tables.eigrp_ip_table);
    writer.description(network.lab_description);
    for (const auto& section : kDumpSections)
        writer.dump(session, section.header, dump_table(section, tables));
    return writer.take();
}

std::string network_file_text(const NetworkFile& file) {
    NetworkFileWriter writer;
    for (const DeviceBlock& device : file.devices) {
        writer.line("<" + device.model + ">");
        writer.line("[" + device.name + "]");
        for (const Setting& setting : device.settings) writer.setting(setting.key, setting.value);
    }
    if (file.picture_path) writer.line(std::string(kNetpathKey) + ":" + *file.picture_path);
    for (std::size_t view = 0; view < 3; ++view) {
        writer.line(view_header(kRoutingViews[view]));
        for (const RoutingRecord& record : file.views[view]) {
            writer.line("<" + std::to_string(record.dev_no) + ">");
            writer.line("<" + record.dev_name + ">");
            for (const db::Value& value : record.values) writer.value(value);
        }
    }
    writer.description(file.description);
    if (file.kind == NetworkFileKind::Configuration) {
        for (std::size_t d = 0; d < kDumpCount; ++d) {
            writer.line(kDumpSections[d].header);
            for (const auto& row : file.dumps[d]) {
                for (const db::Value& value : row) writer.value(value);
                writer.line(kEndOfRecord);
            }
        }
    } else {
        writer.line(kSubinterfaceHeader);
        for (const SubinterfaceRecord& record : file.subinterfaces) {
            writer.line("<" + record.device + ">");
            writer.line(record.interface);
            for (const db::Value& value : record.values) writer.value(value);
        }
    }
    return writer.take();
}

void check_file_reads_back(std::string_view text, NetworkFileKind kind, const FileShapes& shapes) {
    const std::string again = network_file_text(parse_network_file(text, kind, shapes));
    if (again == text) return;
    const auto written = platform::split_lines(text);
    const auto read = platform::split_lines(again);
    std::size_t line = 0;
    while (line < written.size() && line < read.size() && written[line] == read[line]) ++line;
    const std::string_view shown = line < written.size() ? written[line] : std::string_view();
    throw NetworkFileError(static_cast<int>(line) + 1,
                           "the line " + text::quoted(shown) + " would be read back otherwise");
}

}  // namespace vexlab::networkfiles
