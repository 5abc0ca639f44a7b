#include "designer/designer_tables.h"

#include <algorithm>

#include "platform/db_session.h"

namespace vexlab::designer {

namespace {

// The designer's tables, quoted once for the statements below.
const std::string kIp = db::quote_identifier("ip");
const std::string kSubIntDet = db::quote_identifier("sub_int_det");
const std::string kDeviceNames = db::quote_identifier("devicenames");
const std::string kDeviceModels = db::quote_identifier("device_models");
const std::string kDeviceTemplate = db::quote_identifier("devicetemplate");
const std::string kSlotInfo = db::quote_identifier("slot_info");
const std::string kInterfaceInfo = db::quote_identifier("interface_info");

// A device model (m) with its slots (s) and the interface cards (c) in them.
const std::string kModelCards = "FROM (" + kDeviceModels + " AS m INNER JOIN " + kSlotInfo +
                                " AS s ON m.\"index\" = s.ref) INNER JOIN " + kInterfaceInfo +
                                " AS c ON s.\"index\" = c.ref ";

// An interface (i) with its sub-interfaces (s).
const std::string kSubinterfaceJoin =
    "FROM " + kIp + " AS i INNER JOIN " + kSubIntDet + " AS s ON i.\"index\" = s.ref ";

InterfaceRow interface_from(const db::Recordset& rs) {
    InterfaceRow row;
    row.interfacetype = rs.text(0);
    row.ipadd = rs.text(1);
    row.maskadd = rs.text(2);
    row.hostname = rs.text(3);
    row.connected = rs.field(4).to_bool();
    row.todevice = rs.text(5);
    row.tointerface = rs.text(6);
    row.lineno = static_cast<int>(rs.field(7).to_int());
    row.int_category = rs.text(8);
    row.label_x = rs.field(9).to_double();
    row.label_y = rs.field(10).to_double();
    row.index = static_cast<int>(rs.field(11).to_int());
    return row;
}

}  // namespace

void DesignerTables::pgmexit() {
    session_.execute("DELETE FROM " + kDeviceNames);
    session_.execute("DELETE FROM " + kIp);
    session_.execute("DELETE FROM " + kSubIntDet);
}

// ------------------------------------------------------------------ devices

std::vector<std::string> DesignerTables::host_names() {
    std::vector<std::string> names;
    auto rs = session_.open_recordset("SELECT hostname FROM " + kDeviceNames + " ORDER BY rowid");
    for (; !rs.eof(); rs.move_next()) names.push_back(rs.text(0));
    return names;
}

bool DesignerTables::has_devices() {
    return !session_.scalar("SELECT hostname FROM " + kDeviceNames + " LIMIT 1").is_null();
}

std::optional<ModelRow> DesignerTables::find_model(std::string_view model) {
    auto rs =
        session_.open_recordset("SELECT \"index\", device_model, configure FROM " + kDeviceModels +
                                    " WHERE device_model = ? COLLATE BINARY ORDER BY rowid LIMIT 1",
                                {std::string(model)});
    if (rs.eof()) return std::nullopt;
    return ModelRow{static_cast<int>(rs.field(0).to_int()), rs.text(1), rs.field(2).to_bool()};
}

void DesignerTables::insert_device(const std::string& host, double x, double y, int model_index) {
    session_.execute("INSERT INTO " + kDeviceNames +
                         " (\"index\", hostname, xpos, ypos, ref) "
                         "VALUES ((SELECT coalesce(max(\"index\"), 0) + 1 FROM " +
                         kDeviceNames + "), ?, ?, ?, ?)",
                     {host, x, y, model_index});
}

void DesignerTables::update_position(const std::string& host, double x, double y) {
    session_.execute("UPDATE " + kDeviceNames + " SET xpos = ?, ypos = ? WHERE hostname = ?",
                     {x, y, host});
}

void DesignerTables::delete_device(const std::string& host) {
    session_.execute("DELETE FROM " + kDeviceNames + " WHERE hostname = ?", {host});
}

std::vector<PlacedDevice> DesignerTables::placed_devices() {
    std::vector<PlacedDevice> devices;
    auto rs = session_.open_recordset("SELECT t.device, n.hostname, n.xpos, n.ypos FROM " +
                                      kDeviceNames + " AS n LEFT JOIN " + kDeviceTemplate +
                                      " AS t ON t.\"index\" = n.ref ORDER BY n.\"index\", n.rowid");
    for (; !rs.eof(); rs.move_next())
        devices.push_back(
            {rs.text(0), rs.text(1), rs.field(2).to_double(), rs.field(3).to_double()});
    return devices;
}

int DesignerTables::last_interface_index() {
    return static_cast<int>(
        session_.scalar("SELECT coalesce(max(\"index\"), 0) FROM " + kIp).to_int());
}

// ---------------------------------------------------------------- catalogue

std::vector<CatalogueCard> DesignerTables::default_slot(std::string_view model) {
    std::vector<CatalogueCard> cards;
    auto rs = session_.open_recordset(
        "SELECT c.interface_type, c.interface_num " + kModelCards +
            "WHERE m.device_model = ? COLLATE BINARY AND s.slot_number = 'default_slot' "
            "ORDER BY s.\"index\", c.rowid",
        {std::string(model)});
    for (; !rs.eof(); rs.move_next())
        cards.push_back({rs.text(0), static_cast<int>(rs.field(1).to_int())});
    return cards;
}

std::vector<SlotOffer> DesignerTables::optional_slots(std::string_view model) {
    std::vector<SlotOffer> slots;
    auto rs = session_.open_recordset(
        "SELECT s.slot_number, c.interface_type, c.interface_num " + kModelCards +
            "WHERE m.device_model = ? COLLATE BINARY AND s.slot_number <> 'default_slot' "
            "ORDER BY s.slot_number, s.\"index\", c.rowid",
        {std::string(model)});
    for (; !rs.eof(); rs.move_next()) {
        const std::string slot = rs.text(0);
        if (slots.empty() || slots.back().slot_number != slot) slots.push_back({slot, {}});
        slots.back().cards.push_back({rs.text(1), static_cast<int>(rs.field(2).to_int())});
    }
    return slots;
}

// ------------------------------------------------------- making interfaces

void DesignerTables::create_interfaces(const std::string& host, const std::string& type, int count,
                                       const std::string& prefix) {
    int index = last_interface_index();
    for (int i = 0; i < count; ++i)
        session_.execute("INSERT INTO " + kIp +
                             " (interfacetype, hostname, int_category, \"index\") "
                             "VALUES (?, ?, ?, ?)",
                         {prefix + type + std::to_string(i), host, type, ++index});
}

void DesignerTables::portsadd_ip(const std::string& host, std::string_view model) {
    std::string port;
    if (model == "2950")
        port = "FastEthernet0/";
    else if (model == "1912")
        port = "Ethernet0/";
    else
        return;
    auto add_port = [&](const std::string& name, int index) {
        session_.execute("INSERT INTO " + kIp +
                             " (interfacetype, ipadd, maskadd, hostname, int_category, \"index\") "
                             "VALUES (?, 'NA', 'NA', ?, 'Ethernet', ?)",
                         {name, host, index});
    };
    auto add_management = [&](const std::string& name, int index) {
        session_.execute("INSERT INTO " + kIp +
                             " (interfacetype, hostname, todevice, tointerface, int_category, "
                             "\"index\") VALUES (?, ?, 'NA', 'NA', 'Ethernet', ?)",
                         {name, host, index});
    };
    int index = last_interface_index();
    for (int n = 1; n <= 12; ++n) add_port(port + std::to_string(n), ++index);
    if (model == "2950") {
        add_management("FastEthernet1", ++index);
    } else {
        add_port("FastEthernet0/26", ++index);
        add_port("FastEthernet0/27", ++index);
        add_management("Ethernet0", ++index);
    }
}

// ---------------------------------------------------------------- interfaces

std::vector<InterfaceRow> DesignerTables::interfaces(const std::string& host) {
    std::vector<InterfaceRow> rows;
    auto rs = session_.open_recordset("SELECT * FROM " + kIp + " WHERE hostname = ? ORDER BY rowid",
                                      {host});
    for (; !rs.eof(); rs.move_next()) rows.push_back(interface_from(rs));
    return rows;
}

std::optional<InterfaceRow> DesignerTables::interface_row(const std::string& host,
                                                          const std::string& name) {
    auto rs = session_.open_recordset(
        "SELECT * FROM " + kIp + " WHERE hostname = ? AND interfacetype = ? ORDER BY rowid LIMIT 1",
        {host, name});
    if (rs.eof()) return std::nullopt;
    return interface_from(rs);
}

std::optional<int> DesignerTables::interface_index(const std::string& host,
                                                   const std::string& name) {
    auto value = session_.scalar("SELECT \"index\" FROM " + kIp +
                                     " WHERE hostname = ? AND interfacetype = ? ORDER BY rowid "
                                     "LIMIT 1",
                                 {host, name});
    if (value.is_null()) return std::nullopt;
    return static_cast<int>(value.to_int());
}

std::vector<std::string> DesignerTables::free_interfaces(const std::string& host,
                                                         ConnectorKind kind) {
    std::vector<std::string> names;
    auto rs =
        session_.open_recordset("SELECT interfacetype FROM " + kIp +
                                    " WHERE hostname = ? AND connected = 0 "
                                    "AND int_category = ? AND todevice <> 'NA' ORDER BY rowid",
                                {host, std::string(connector_category(kind))});
    for (; !rs.eof(); rs.move_next()) names.push_back(rs.text(0));
    if (kind == ConnectorKind::FrameRelay) {
        auto carrying =
            session_.open_recordset(std::string("SELECT DISTINCT i.interfacetype, s.ref ") +
                                        kSubinterfaceJoin + "WHERE i.hostname = ? ORDER BY s.ref",
                                    {host});
        for (; !carrying.eof(); carrying.move_next()) names.push_back(carrying.text(0));
    }
    return names;
}

std::string DesignerTables::address_of(const std::string& host, const std::string& name) {
    return session_
        .scalar(
            "SELECT ipadd FROM " + kIp + " WHERE hostname = ? AND interfacetype = ? ORDER BY rowid",
            {host, name})
        .to_text();
}

void DesignerTables::clear_address(const std::string& host, const std::string& name) {
    session_.execute(
        "UPDATE " + kIp +
            " SET ipadd = 'UA', maskadd = 'UA' WHERE hostname = ? AND interfacetype = ?",
        {host, name});
}

bool DesignerTables::address_taken(const std::string& address, const std::string& host,
                                   const std::string& name) {
    return !session_
                .scalar("SELECT interfacetype FROM " + kIp +
                            " WHERE ipadd = ? "
                            "AND (hostname <> ? OR interfacetype <> ?) LIMIT 1",
                        {address, host, name})
                .is_null();
}

void DesignerTables::assign_address(const std::string& host, const std::string& name,
                                    const std::string& address, const std::string& mask) {
    session_.execute(
        "UPDATE " + kIp + " SET ipadd = ?, maskadd = ? WHERE hostname = ? AND interfacetype = ?",
        {address, mask, host, name});
}

std::vector<std::string> DesignerTables::connected_interfaces(const std::string& host) {
    std::vector<std::string> names;
    auto rs = session_.open_recordset("SELECT interfacetype FROM " + kIp +
                                          " WHERE hostname = ? AND connected <> 0 ORDER BY rowid",
                                      {host});
    for (; !rs.eof(); rs.move_next()) names.push_back(rs.text(0));
    return names;
}

// --------------------------------------------------------------- connections

void DesignerTables::write_plain_connection(const LinkEnd& a, const LinkEnd& b, int line) {
    const std::string sql = "UPDATE " + kIp +
                            " SET todevice = ?, tointerface = ?, lineno = ?, connected = 1 "
                            "WHERE hostname = ? AND interfacetype = ?";
    session_.execute(sql, {b.host, b.interface, line, a.host, a.interface});
    session_.execute(sql, {a.host, a.interface, line, b.host, b.interface});
}

bool DesignerTables::linked_by_subinterfaces(const LinkEnd& from, const LinkEnd& to) {
    return !session_
                .scalar(std::string("SELECT s.ref ") + kSubinterfaceJoin +
                            "WHERE i.hostname = ? AND i.interfacetype = ? "
                            "AND s.todevice = ? AND s.tointerface = ? LIMIT 1",
                        {from.host, from.interface, to.host, to.interface})
                .is_null();
}

bool DesignerTables::write_frame_relay_connection(const LinkEnd& a, const LinkEnd& b, int line) {
    const bool own_line = !linked_by_subinterfaces(b, a) || !linked_by_subinterfaces(a, b);
    // One new sub-interface at an end: the next number of its main interface,
    // which counts as connected from its first sub-interface on.
    auto add_end = [&](const LinkEnd& end, const LinkEnd& far) {
        const auto index = interface_index(end.host, end.interface);
        if (!index) throw db::DbError("frame relay", "no interface " + end.interface);
        const int last = static_cast<int>(session_
                                              .scalar("SELECT coalesce(max(sun_int_num), 0) FROM " +
                                                          kSubIntDet + " WHERE ref = ?",
                                                      {*index})
                                              .to_int());
        if (last == 0) set_connected(end.host, end.interface, true);
        session_.execute("INSERT INTO " + kSubIntDet +
                             " (sun_int_num, todevice, tointerface, ref) "
                             "VALUES (?, ?, ?, ?)",
                         {last + 1, far.host, far.interface, *index});
        return std::pair{*index, last + 1};
    };
    const auto [index_a, number_a] = add_end(a, b);
    const auto [index_b, number_b] = add_end(b, a);
    const std::string cross =
        "UPDATE " + kSubIntDet + " SET to_sub_int_num = ? WHERE ref = ? AND sun_int_num = ?";
    session_.execute(cross, {number_b, index_a, number_a});
    session_.execute(cross, {number_a, index_b, number_b});

    int shared = line;
    if (!own_line) {
        // The pairs made before between these interfaces carry the line; the
        // new pair's row, without a number yet, comes last.
        shared = static_cast<int>(session_
                                      .scalar(std::string("SELECT s.lineno ") + kSubinterfaceJoin +
                                                  "WHERE i.hostname = ? AND i.interfacetype = ? "
                                                  "AND s.todevice = ? AND s.tointerface = ? "
                                                  "ORDER BY s.rowid LIMIT 1",
                                              {b.host, b.interface, a.host, a.interface})
                                      .to_int());
    }
    const std::string number = "UPDATE " + kSubIntDet +
                               " SET lineno = ? WHERE ref = ? AND todevice = ? AND tointerface = ?";
    session_.execute(number, {shared, index_b, a.host, a.interface});
    session_.execute(number, {shared, index_a, b.host, b.interface});
    return own_line;
}

// -------------------------------------------------------------------- labels

void DesignerTables::store_plain_label(const std::string& host, int line, Point at) {
    session_.execute(
        "UPDATE " + kIp + " SET label_x = ?, label_y = ? WHERE hostname = ? AND lineno = ?",
        {at.x, at.y, host, line});
}

void DesignerTables::store_subinterface_label(const LinkEnd& end, const LinkEnd& far, Point at) {
    const auto index = interface_index(end.host, end.interface);
    if (!index) return;
    session_.execute("UPDATE " + kSubIntDet +
                         " SET label_x = ?, label_y = ? "
                         "WHERE ref = ? AND todevice = ? AND tointerface = ?",
                     {at.x, at.y, *index, far.host, far.interface});
}

void DesignerTables::copy_pair_label(const LinkEnd& end, const LinkEnd& far) {
    auto rs = session_.open_recordset(
        std::string("SELECT s.label_x, s.label_y ") + kSubinterfaceJoin +
            "WHERE i.hostname = ? AND i.interfacetype = ? AND s.todevice = ? "
            "AND s.tointerface = ? ORDER BY s.rowid LIMIT 1",
        {end.host, end.interface, far.host, far.interface});
    if (rs.eof()) return;
    store_subinterface_label(end, far, {rs.field(0).to_double(), rs.field(1).to_double()});
}

std::optional<LineEnd> DesignerTables::line_end(int line, const std::string& host) {
    auto rs = session_.open_recordset(
        "SELECT interfacetype, todevice, tointerface, label_x, label_y FROM " + kIp +
            " WHERE lineno = ? AND hostname = ? ORDER BY rowid LIMIT 1",
        {line, host});
    if (!rs.eof())
        return LineEnd{rs.text(0),
                       rs.text(1),
                       rs.text(2),
                       {rs.field(3).to_double(), rs.field(4).to_double()},
                       false};
    rs = session_.open_recordset(
        std::string("SELECT i.interfacetype, s.todevice, s.tointerface, "
                    "s.label_x, s.label_y ") +
            kSubinterfaceJoin + "WHERE s.lineno = ? AND i.hostname = ? ORDER BY s.rowid LIMIT 1",
        {line, host});
    if (rs.eof()) return std::nullopt;
    return LineEnd{rs.text(0),
                   rs.text(1),
                   rs.text(2),
                   {rs.field(3).to_double(), rs.field(4).to_double()},
                   true};
}

std::vector<StoredLabel> DesignerTables::interface_labels() {
    std::vector<StoredLabel> labels;
    auto rs = session_.open_recordset("SELECT interfacetype, label_x, label_y FROM " + kIp +
                                      " WHERE connected <> 0 ORDER BY rowid");
    for (; !rs.eof(); rs.move_next()) {
        const double x = rs.field(1).to_double();
        if (x == 0) continue;
        labels.push_back({rs.text(0), {x, rs.field(2).to_double()}});
    }
    return labels;
}

std::vector<StoredLabel> DesignerTables::subinterface_labels() {
    std::vector<StoredLabel> labels;
    auto rs = session_.open_recordset(std::string("SELECT i.interfacetype, s.label_x, s.label_y ") +
                                      kSubinterfaceJoin + "ORDER BY s.rowid");
    for (; !rs.eof(); rs.move_next())
        labels.push_back({rs.text(0), {rs.field(1).to_double(), rs.field(2).to_double()}});
    return labels;
}

// ------------------------------------------------------------- whole rows

std::optional<int> DesignerTables::template_index(std::string_view model) {
    auto value = session_.scalar(
        "SELECT \"index\" FROM " + kDeviceTemplate + " WHERE device = ? ORDER BY rowid LIMIT 1",
        {std::string(model)});
    if (value.is_null()) return std::nullopt;
    return static_cast<int>(value.to_int());
}

std::vector<std::string> DesignerTables::template_models() {
    std::vector<std::string> models;
    auto rs = session_.open_recordset("SELECT device FROM " + kDeviceTemplate + " ORDER BY rowid");
    for (; !rs.eof(); rs.move_next()) models.push_back(rs.text(0));
    return models;
}

void DesignerTables::insert_interface(const InterfaceRow& row) {
    session_.execute(
        "INSERT INTO " + kIp +
            " (interfacetype, ipadd, maskadd, hostname, connected, todevice, "
            "tointerface, lineno, int_category, label_x, label_y, \"index\") "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {row.interfacetype, row.ipadd, row.maskadd, row.hostname, row.connected, row.todevice,
         row.tointerface, row.lineno, row.int_category, row.label_x, row.label_y, row.index});
}

std::vector<std::vector<db::Value>> DesignerTables::subinterface_rows() {
    std::vector<std::vector<db::Value>> rows;
    auto rs = session_.open_recordset("SELECT * FROM " + kSubIntDet + " ORDER BY rowid");
    for (; !rs.eof(); rs.move_next()) {
        std::vector<db::Value> row;
        for (int i = 0; i < rs.field_count(); ++i) row.push_back(rs.field(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

void DesignerTables::insert_subinterface_row(const std::vector<db::Value>& values) {
    const auto columns = session_.column_names("sub_int_det");
    std::string names;
    std::string marks;
    for (std::size_t i = 0; i < columns.size() && i < values.size(); ++i) {
        if (i) {
            names += ", ";
            marks += ", ";
        }
        names += db::quote_identifier(columns[i]);
        marks += "?";
    }
    if (names.empty()) return;
    std::vector<db::Value> bound(values.begin(),
                                 values.begin() + std::min(values.size(), columns.size()));
    session_.execute("INSERT INTO " + kSubIntDet + " (" + names + ") VALUES (" + marks + ")",
                     bound);
}

// ------------------------------------------------------------------- removal

void DesignerTables::lower_line_numbers(int line) {
    session_.execute("UPDATE " + kIp + " SET lineno = lineno - 1 WHERE lineno > 0 AND lineno > ?",
                     {line});
    session_.execute(
        "UPDATE " + kSubIntDet + " SET lineno = lineno - 1 WHERE lineno > 0 AND lineno > ?",
        {line});
}

void DesignerTables::clear_connection(const std::string& host, const std::string& name) {
    session_.execute("UPDATE " + kIp +
                         " SET connected = 0, todevice = 'UA', tointerface = 'UA', lineno = 0, "
                         "label_x = 0, label_y = 0 WHERE hostname = ? AND interfacetype = ?",
                     {host, name});
}

void DesignerTables::delete_interfaces(const std::string& host) {
    session_.execute("DELETE FROM " + kIp + " WHERE hostname = ?", {host});
}

void DesignerTables::delete_interface_on_line(const std::string& host, int line) {
    session_.execute("DELETE FROM " + kIp + " WHERE hostname = ? AND lineno = ?", {host, line});
}

std::vector<SubinterfaceLink> DesignerTables::subinterfaces(const std::string& host,
                                                            const std::string& name) {
    std::vector<SubinterfaceLink> links;
    auto rs = session_.open_recordset(std::string("SELECT s.sun_int_num, s.todevice, "
                                                  "s.tointerface, s.to_sub_int_num ") +
                                          kSubinterfaceJoin +
                                          "WHERE i.hostname = ? AND i.interfacetype = ? "
                                          "ORDER BY s.sun_int_num, s.rowid",
                                      {host, name});
    for (; !rs.eof(); rs.move_next())
        links.push_back(
            {static_cast<int>(rs.field(0).to_int()), rs.text(1), rs.text(2), rs.text(3)});
    return links;
}

bool DesignerTables::has_subinterfaces(const std::string& host, const std::string& name) {
    return !session_
                .scalar(std::string("SELECT s.ref ") + kSubinterfaceJoin +
                            "WHERE i.hostname = ? AND i.interfacetype = ? LIMIT 1",
                        {host, name})
                .is_null();
}

int DesignerTables::count_on_line(int line) {
    return static_cast<int>(
        session_
            .scalar(std::string("SELECT count(*) ") + kSubinterfaceJoin + "WHERE s.lineno = ?",
                    {line})
            .to_int());
}

void DesignerTables::delete_subinterface(int ref, int number) {
    session_.execute("DELETE FROM " + kSubIntDet + " WHERE ref = ? AND sun_int_num = ?",
                     {ref, number});
}

void DesignerTables::set_connected(const std::string& host, const std::string& name,
                                   bool connected) {
    session_.execute(
        "UPDATE " + kIp + " SET connected = ? WHERE hostname = ? AND interfacetype = ?",
        {connected, host, name});
}

std::vector<DesignerTables::SubinterfaceEnd> DesignerTables::subinterface_ends(
    const std::string& host) {
    std::vector<SubinterfaceEnd> ends;
    auto rs =
        session_.open_recordset(std::string("SELECT i.interfacetype, s.sun_int_num, s.lineno, "
                                            "s.todevice, s.tointerface, "
                                            "s.to_sub_int_num ") +
                                    kSubinterfaceJoin +
                                    "WHERE i.hostname = ? AND i.connected <> 0 "
                                    "ORDER BY s.lineno, s.rowid",
                                {host});
    for (; !rs.eof(); rs.move_next())
        ends.push_back({rs.text(0), static_cast<int>(rs.field(1).to_int()),
                        static_cast<int>(rs.field(2).to_int()), rs.text(3), rs.text(4),
                        static_cast<int>(rs.field(5).to_int())});
    return ends;
}

std::vector<InterfaceRow> DesignerTables::plain_connections(const std::string& host) {
    std::vector<InterfaceRow> rows;
    auto rs = session_.open_recordset("SELECT * FROM " + kIp +
                                          " WHERE hostname = ? AND connected <> 0 AND lineno <> 0 "
                                          "ORDER BY lineno, rowid",
                                      {host});
    for (; !rs.eof(); rs.move_next()) rows.push_back(interface_from(rs));
    return rows;
}

std::optional<DesignerTables::SubinterfacePeer> DesignerTables::subinterface_peer(int ref,
                                                                                  int number) {
    auto rs = session_.open_recordset(
        "SELECT todevice, tointerface, to_sub_int_num, lineno FROM " + kSubIntDet +
            " WHERE sun_int_num = ? AND ref = ? ORDER BY rowid LIMIT 1",
        {number, ref});
    if (rs.eof()) return std::nullopt;
    return SubinterfacePeer{rs.text(0), rs.text(1), static_cast<int>(rs.field(2).to_int()),
                            static_cast<int>(rs.field(3).to_int())};
}

int DesignerTables::count_towards(const LinkEnd& end, const LinkEnd& far) {
    return static_cast<int>(session_
                                .scalar(std::string("SELECT count(*) ") + kSubinterfaceJoin +
                                            "WHERE i.hostname = ? AND i.interfacetype = ? "
                                            "AND s.todevice = ? AND s.tointerface = ?",
                                        {end.host, end.interface, far.host, far.interface})
                                .to_int());
}

}  // namespace vexlab::designer
