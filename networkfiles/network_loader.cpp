#include "networkfiles/network_loader.h"

#include <map>
#include <unordered_map>

#include "networkfiles/file_format.h"
#include "networkfiles/network_file.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/router_ids.h"
#include "platform/atomic_file.h"
#include "platform/db_session.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "reachability/lan_tables.h"
#include "state/app_state.h"
#include "state/devices.h"
#include "state/schema_registry.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::networkfiles {

namespace {

using db::quote_identifier;
using db::Value;

std::string read_file(const std::string& path) {
    try {
        return platform::read_whole_file(path);
    } catch (const platform::FileReadError& error) {
        throw LoadError(path, 0, error.what());
    }
}

NetworkFileKind file_kind(NetworkLoad how) {
    return how == NetworkLoad::ConfigurationFile ? NetworkFileKind::Configuration
                                                 : NetworkFileKind::Exported;
}

int column_position(const TableShape& shape, std::string_view name) {
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (text::iequals(shape[i].name, name)) return static_cast<int>(i);
    return -1;
}

std::string column_list(const TableShape& shape) {
    std::string list;
    for (const auto& column : shape)
        list += (list.empty() ? "" : ", ") + quote_identifier(column.name);
    return list;
}

std::string placeholders(std::size_t count) {
    std::string marks;
    for (std::size_t i = 0; i < count; ++i) marks += i ? ", ?" : "?";
    return marks;
}

void insert_row(db::DatabaseSession& session, const std::string& table, const TableShape& shape,
                const std::vector<Value>& values) {
    session.execute("INSERT INTO " + quote_identifier(table) + " (" + column_list(shape) +
                        ") VALUES (" + placeholders(shape.size()) + ")",
                    values);
}

void add_device_row(db::DatabaseSession& session, const std::string& table, std::int64_t dev_no,
                    const std::string& dev_name) {
    session.execute("INSERT INTO " + quote_identifier(table) + " (dev_no, dev_name) VALUES (?, ?)",
                    {Value(dev_no), Value(dev_name)});
}

// One load, applied to the database inside its transaction.
class Loader {
public:
    Loader(state::AppState& app, const std::string& path, NetworkLoad how, const Progress& progress,
           const NetworkFile& file, const FileShapes& shapes)
        : session_(app.session),
          path_(path),
          how_(how),
          progress_(progress),
          file_(file),
          shapes_(shapes),
          tables_(state::NetworkTableSet::working_set()),
          device_(app.console.device),
          network_(app.network) {}

    void run() {
        empty_shared_tables();
        step(2);
        delcolumn(session_, tables_);
        step(3);
        create_settings_table();
        add_devices();
        for (std::size_t v = 0; v < 3; ++v) add_view(v);
        add_interface_rows();
        if (how_ != NetworkLoad::LabNetwork) device_id_populate(session_, tables_);
        step(4);
        if (how_ == NetworkLoad::ConfigurationFile)
            configuration_tail();
        else
            exported_tail();
    }

    // What the console follows once the transaction has been committed.
    const state::ConsoleDevice& device() const { return device_; }
    const state::LoadedNetwork& network() const { return network_; }

private:
    void step(int done) {
        if (progress_) progress_(done);
    }

    // The fixed-name tables that both networks share.
    void empty_shared_tables() {
        for (const char* table : {"device", "vlan_info", "mac_addr", "port_security"})
            session_.execute("DELETE FROM " + quote_identifier(table));
        if (how_ == NetworkLoad::ConfigurationFile)
            session_.execute("DELETE FROM " + quote_identifier(tables_.frame_map_table));
        for (const char* table : {"int_device", "int_det", "eth_iplist", "sw_riplist"})
            session_.execute("DELETE FROM " + quote_identifier(table));
    }

    // One row per key of config_template, in its order, and one column per
    // device of the file, in file order.  A key a device block does not
    // mention stays Null for that device; a key the template lacks is not
    // stored.
    void create_settings_table() {
        const std::string& table = tables_.routervariables_table;
        session_.execute("DROP TABLE IF EXISTS " + quote_identifier(table));
        std::string columns = "Config_Variable " + state::sql_type(state::ColumnType::Text);
        for (const auto& device : file_.devices)
            columns += ", " + quote_identifier(device.name) + " " +
                       state::sql_type(state::ColumnType::Memo);
        session_.execute("CREATE TABLE " + quote_identifier(table) + " (" + columns + ")");

        std::vector<std::unordered_map<std::string, const std::string*>> values(
            file_.devices.size());
        for (std::size_t d = 0; d < file_.devices.size(); ++d)
            for (const auto& setting : file_.devices[d].settings)
                values[d][text::lower(setting.key)] = &setting.value;

        const std::string insert = "INSERT INTO " + quote_identifier(table) + " VALUES (" +
                                   placeholders(file_.devices.size() + 1) + ")";
        db::Recordset keys =
            session_.open_recordset("SELECT Config_Variable FROM " +
                                    quote_identifier("config_template") + " ORDER BY rowid");
        std::vector<Value> row(file_.devices.size() + 1);
        for (; !keys.eof(); keys.move_next()) {
            row[0] = keys.field(0);
            const std::string key = text::lower(keys.text(0));
            for (std::size_t d = 0; d < file_.devices.size(); ++d) {
                const auto found = values[d].find(key);
                row[d + 1] = found == values[d].end() ? Value() : Value(*found->second);
            }
            session_.execute(insert, row);
        }
    }

    void add_devices() {
        for (const auto& device : file_.devices)
            session_.execute(
                "INSERT INTO " + quote_identifier("device") +
                    " (\"index\", Dev_cat, Device_Name) VALUES (?, ?, ?)",
                {Value(static_cast<int>(device.kind)), Value(device.model), Value(device.name)});
    }

    const std::string& interface_table(std::size_t view) const {
        return view == 0   ? tables_.route_ip_table
               : view == 1 ? tables_.ospf_ip_table
                           : tables_.eigrp_ip_table;
    }

    // The rows of one routing view, with the next hops filled in: an
    // interface that names its neighbour's device and interface gets that
    // interface's address and mask, found in the same view.
    void add_view(std::size_t view) {
        const TableShape& shape = shapes_.views[view];
        std::vector<std::vector<Value>> rows;
        rows.reserve(file_.views[view].size());
        for (const auto& record : file_.views[view]) rows.push_back(record.values);
        // An exported network names each interface's neighbour but leaves
        // its address to the load.  A configuration file holds the next hops
        // as they were saved, and they are restored as they were.
        if (how_ != NetworkLoad::ConfigurationFile) fill_next_hops(view, rows);

        const std::string& table = interface_table(view);
        const std::string insert = "INSERT INTO " + quote_identifier(table) + " (" +
                                   column_list(shape) + ") VALUES (" + placeholders(shape.size()) +
                                   ")";
        std::map<std::int64_t, bool> known;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const RoutingRecord& record = file_.views[view][r];
            if (known.emplace(record.dev_no, true).second) add_device(view, record);
            session_.execute(insert, rows[r]);
        }
    }

    void add_device(std::size_t view, const RoutingRecord& record) {
        switch (view) {
            case 0:
                add_device_row(session_, tables_.rout_dev_table, record.dev_no, record.dev_name);
                add_device_row(session_, tables_.frame_device_table, record.dev_no,
                               record.dev_name);
                session_.execute("INSERT INTO " + quote_identifier("int_device") +
                                     " (\"index\", dev_name) VALUES (?, ?)",
                                 {Value(record.dev_no), Value(record.dev_name)});
                add_device_row(session_, tables_.nat_dev_table, record.dev_no, record.dev_name);
                break;
            case 1:
                add_device_row(session_, tables_.ospf_dev_table, record.dev_no, record.dev_name);
                break;
            default:
                add_device_row(session_, tables_.eigrp_dev_table, record.dev_no, record.dev_name);
                break;
        }
    }

    void fill_next_hops(std::size_t view, std::vector<std::vector<Value>>& rows) const {
        const TableShape& shape = shapes_.views[view];
        const int name = column_position(shape, "int_name");
        const int ip = column_position(shape, "ip");
        const int mask = column_position(shape, "mask");
        const int far_device = column_position(shape, "next_hop_devname");
        const int far_interface = column_position(shape, "next_hop_intname");
        const int hop_ip = column_position(shape, "next_hopip");
        const int hop_mask = column_position(shape, "next_hopmask");
        if (std::min({name, ip, mask, far_device, far_interface, hop_ip, hop_mask}) < 0) return;

        const auto& records = file_.views[view];
        // Interfaces by device name and interface name (the first of equal
        // ones answers), and the rows of one device's interface of one name.
        std::unordered_map<std::string, std::size_t> by_name;
        std::map<std::pair<std::int64_t, std::string>, std::vector<std::size_t>> same_interface;
        for (std::size_t r = 0; r < records.size(); ++r) {
            const std::string interface = text::lower(rows[r][name].to_text());
            by_name.emplace(text::lower(records[r].dev_name) + '\n' + interface, r);
            same_interface[{records[r].dev_no, interface}].push_back(r);
        }
        for (std::size_t r = 0; r < records.size(); ++r) {
            const std::string device = rows[r][far_device].to_text();
            const std::string interface = rows[r][far_interface].to_text();
            if (device == state::marker::kUnassigned || interface == state::marker::kUnassigned)
                continue;
            const auto far = by_name.find(text::lower(device) + '\n' + text::lower(interface));
            if (far == by_name.end()) continue;
            std::string address = rows[far->second][ip].to_text();
            std::string far_mask = rows[far->second][mask].to_text();
            if (address.empty()) address = state::marker::kUnassigned;
            if (far_mask.empty()) far_mask = state::marker::kUnassigned;
            for (std::size_t own :
                 same_interface[{records[r].dev_no, text::lower(rows[r][name].to_text())}]) {
                rows[own][hop_ip] = Value(address);
                rows[own][hop_mask] = Value(far_mask);
            }
        }
    }

    // Every numbered interface of the routing view gets its Frame Relay row
    // and its interface details.
    void add_interface_rows() {
        db::Recordset rows =
            session_.open_recordset("SELECT \"index\", int_name, ip, mask, ref FROM " +
                                    quote_identifier(tables_.route_ip_table) + " ORDER BY rowid");
        const std::string frame_ip = "INSERT INTO " + quote_identifier(tables_.frame_ip_table) +
                                     " (\"index\", int_name, ref) VALUES (?, ?, ?)";
        for (; !rows.eof(); rows.move_next()) {
            const Value& index = rows.field(0);
            if (index.is_null() || index.to_double() == 0) continue;
            session_.execute(frame_ip, {index, rows.field(1), rows.field(4)});
            session_.execute("INSERT INTO " + quote_identifier("int_det") +
                                 " (\"index\", int_name, ip_address, mask_address, ref) "
                                 "VALUES (?, ?, ?, ?, ?)",
                             {index, rows.field(1), rows.field(2), rows.field(3), rows.field(4)});
        }
    }

    // ------------------------------------------------------------ exported file

    void exported_tail() {
        network_.lab_description = file_.description;
        step(5);
        add_subinterfaces();
        step(6);
        network_.network_picture_path = picture_path_for(path_);
        attach_to_first_device();
        pc_interfaces_up();
        step(7);
        remove_switch_and_pc_interfaces();
        step(8);
        add_lan_members();
        step(9);
        reachability::build_sw_riplist(session_, tables_);
        step(10);
    }

    // Each record becomes a Frame Relay map row of the interface that the
    // routing view numbered.
    void add_subinterfaces() {
        const TableShape& shape = shapes_.frame_map;
        const std::string parent_query =
            "SELECT i.\"index\" FROM " + quote_identifier(tables_.frame_device_table) +
            " AS d INNER JOIN " + quote_identifier(tables_.frame_ip_table) +
            " AS i ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name = ? "
            "ORDER BY i.rowid LIMIT 1";
        for (const auto& record : file_.subinterfaces) {
            const Value parent =
                session_.scalar(parent_query, {Value(record.device), Value(record.interface)});
            TableShape columns;
            std::vector<Value> values;
            for (std::size_t i = 0; i < record.values.size(); ++i) {
                if (text::iequals(shape[i + 1].name, "ref")) continue;
                columns.push_back(shape[i + 1]);
                values.push_back(record.values[i]);
            }
            // The designer writes the number as a number line; stored with
            // its blanks, no command would find the subinterface.
            if (!values.empty() && values[0].type() == db::ValueType::Text)
                values[0] = Value(text::trim(values[0].to_text()));
            columns.push_back({"ref", state::ColumnType::Integer});
            values.push_back(parent);
            insert_row(session_, tables_.frame_map_table, columns, values);
        }
    }

    // ------------------------------------------------------------ configuration file

    void configuration_tail() {
        if (file_.picture_path) network_.network_picture_path = *file_.picture_path;
        attach_to_first_device();
        step(5);
        network_.lab_description = file_.description;
        step(6);
        for (std::size_t d = 0; d < 4; ++d) {  // VLANs, MAC entries, port security, maps
            restore_dump(d);
            step(7 + static_cast<int>(d));
        }
        remove_switch_and_pc_interfaces();
        step(11);
        session_.execute("DELETE FROM " + quote_identifier("int_det"));
        for (std::size_t d = 4; d < kDumpCount; ++d) restore_dump(d);
        step(12);
        add_lan_members();
        step(13);
        reachability::build_sw_riplist(session_, tables_);
        step(14);
    }

    void restore_dump(std::size_t d) {
        const std::string table = dump_table(kDumpSections[d], tables_);
        const TableShape& shape = shapes_.dumps[d];
        if (kDumpSections[d].kind == DumpKind::Insert) {
            const std::string insert = "INSERT INTO " + quote_identifier(table) + " (" +
                                       column_list(shape) + ") VALUES (" +
                                       placeholders(shape.size()) + ")";
            for (const auto& row : file_.dumps[d]) session_.execute(insert, row);
            return;
        }
        // The first two columns are the device's number and name; the rows
        // the routing section made for that name take the rest.
        if (shape.size() <= 2) return;
        std::string assignments;
        for (std::size_t i = 2; i < shape.size(); ++i)
            assignments += (i > 2 ? ", " : "") + quote_identifier(shape[i].name) + " = ?";
        const std::string update =
            "UPDATE " + quote_identifier(table) + " SET " + assignments + " WHERE dev_name = ?";
        for (const auto& row : file_.dumps[d]) {
            std::vector<Value> values(row.begin() + 2, row.end());
            values.push_back(Value(row[1].to_text()));
            session_.execute(update, values);
        }
    }

    // ------------------------------------------------------------ both

    // The console attaches to the file's first device, at its user prompt.
    // That device is home too, as a device chosen in the network diagram of
    // a loaded network is: the telnet escape must come back to a device of
    // the network shown.
    void attach_to_first_device() {
        const DeviceBlock& first = file_.devices.front();
        device_.current_device = first.name;
        device_.host_name.clear();
        for (const auto& setting : first.settings)
            if (text::iequals(setting.key, "hostname")) device_.host_name = setting.value;
        device_.home_device = device_.current_device;
        device_.home_host_name = device_.host_name;
        device_.device_kind = first.kind;
        device_.device_model = first.model;
    }

    std::optional<state::DeviceKind> kind_of(const std::string& device_name) {
        if (auto record = state::find_device(session_, device_name)) return record->kind;
        return std::nullopt;
    }

    // A workstation has no shutdown command: its interfaces are up.
    void pc_interfaces_up() {
        db::Recordset devices =
            session_.open_recordset("SELECT dev_no, dev_name FROM " +
                                    quote_identifier(tables_.rout_dev_table) + " ORDER BY rowid");
        for (; !devices.eof(); devices.move_next()) {
            if (kind_of(devices.text(1)) != state::DeviceKind::Pc) continue;
            const Value dev_no = devices.field(0);
            for (const std::string* table :
                 {&tables_.route_ip_table, &tables_.ospf_ip_table, &tables_.eigrp_ip_table})
                session_.execute(
                    "UPDATE " + quote_identifier(*table) + " SET int_status = 1 WHERE ref = ?",
                    {dev_no});
            session_.execute(
                "UPDATE " + quote_identifier("int_det") + " SET shutdown = 'up' WHERE ref = ?",
                {dev_no});
        }
    }

    // Only routers keep interface details and Frame Relay rows.
    void remove_switch_and_pc_interfaces() {
        db::Recordset devices =
            session_.open_recordset("SELECT \"index\", dev_name FROM " +
                                    quote_identifier("int_device") + " ORDER BY rowid");
        for (; !devices.eof(); devices.move_next()) {
            const auto kind = kind_of(devices.text(1));
            if (kind != state::DeviceKind::Switch && kind != state::DeviceKind::Pc) continue;
            const Value number = devices.field(0);
            session_.execute(
                "DELETE FROM " + quote_identifier("int_device") + " WHERE \"index\" = ?", {number});
            session_.execute("DELETE FROM " + quote_identifier("int_det") + " WHERE ref = ?",
                             {number});
            session_.execute(
                "DELETE FROM " + quote_identifier(tables_.frame_device_table) + " WHERE dev_no = ?",
                {number});
            session_.execute(
                "DELETE FROM " + quote_identifier(tables_.frame_ip_table) + " WHERE ref = ?",
                {number});
        }
    }

    // The LAN members are derived from the whole network at once, so one
    // run stands for the run per router Ethernet interface; a network
    // without one needs none.
    void add_lan_members() {
        const Value routers_with_ethernet =
            session_.scalar("SELECT count(*) FROM " + quote_identifier(tables_.rout_dev_table) +
                            " AS d INNER JOIN " + quote_identifier(tables_.route_ip_table) +
                            " AS r ON d.dev_no = r.ref INNER JOIN " + quote_identifier("device") +
                            " AS k ON k.Device_Name = d.dev_name "
                            "WHERE k.\"index\" = 1 AND r.int_name LIKE '%ethernet%'");
        if (routers_with_ethernet.to_int() > 0) reachability::add_lan_members(session_, tables_);
    }

    db::DatabaseSession& session_;
    const std::string& path_;
    NetworkLoad how_;
    const Progress& progress_;
    const NetworkFile& file_;
    const FileShapes& shapes_;
    const state::NetworkTableSet tables_;
    state::ConsoleDevice device_;
    state::LoadedNetwork network_;
};

}  // namespace

SaveError::SaveError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string SaveError::message() const {
    return std::string(kSaveFailed) + "\n" + path_ + "\n" + reason_;
}

int load_steps(NetworkLoad how) {
    return how == NetworkLoad::ConfigurationFile ? 14 : 10;
}

void load_network(state::AppState& app, const std::string& path, NetworkLoad how,
                  const Progress& progress) {
    if (how == NetworkLoad::None) throw LoadError(path, 0, "no way to load the file was given");
    if (progress) progress(1);
    const std::string text = read_file(path);
    db::DatabaseSession& session = app.session;
    const FileShapes shapes = working_shapes(session);
    NetworkFile file;
    try {
        file = parse_network_file(text, file_kind(how), shapes);
    } catch (const NetworkFileError& error) {
        throw LoadError(path, error.line(), error.reason());
    }

    std::optional<Loader> loader;
    try {
        db::DatabaseSession::Transaction transaction(session);
        loader.emplace(app, path, how, progress, file, shapes);
        loader->run();
        transaction.commit();
    } catch (const db::DbError& error) {
        throw LoadError(path, 0, error.engine_message());
    } catch (const std::exception& error) {
        throw LoadError(path, 0, error.what());
    }

    // The console follows only a load that took place.
    app.table_set = state::NetworkTableSet::working_set();
    app.console.device = loader->device();
    app.network = loader->network();
    app.network.loaded_file_path = path;
    app.network.loaded_by = how;
    auto& console = app.console;
    console.mode.mode_suffix = console.device.device_kind == state::DeviceKind::Pc
                                   ? state::CommandMode::Pc
                                   : state::CommandMode::User;
    console.mode.prompt_text =
        console.device.host_name + std::string(state::prompt_suffix(console.mode.mode_suffix));
    console.keys.ignore_next_up_key = false;
    console.output.pending_output.clear();
    console.output.response_text = state::marker::kNill;
    console.output.paging_active = false;
}

void reload_loaded_network(state::AppState& app) {
    const std::string path = app.network.loaded_file_path;
    if (app.network.loaded_by == NetworkLoad::None || path.empty())
        throw LoadError(path, 0, "no network file has been loaded");
    load_network(app, path, app.network.loaded_by);
}

void delcolumn(db::DatabaseSession& session, const state::NetworkTableSet& tables) {
    db::DatabaseSession::Transaction transaction(session);
    // Only the plain name means the working set: the default network's
    // tables are never emptied here.
    if (tables.routervariables_table == "routervariables") {
        const std::string& settings = tables.routervariables_table;
        if (session.table_exists(settings)) {
            const auto columns = session.column_names(settings);
            if (columns.size() > 1) {
                // The key column alone, with its rows in their order.
                const std::string kept = settings + "_keys";
                session.execute("DROP TABLE IF EXISTS " + quote_identifier(kept));
                session.execute("CREATE TABLE " + quote_identifier(kept) + " (" +
                                quote_identifier(columns[0]) + " " +
                                state::sql_type(state::ColumnType::Text) + ")");
                session.execute("INSERT INTO " + quote_identifier(kept) + " SELECT " +
                                quote_identifier(columns[0]) + " FROM " +
                                quote_identifier(settings) + " ORDER BY rowid");
                session.execute("DROP TABLE " + quote_identifier(settings));
                session.execute("ALTER TABLE " + quote_identifier(kept) + " RENAME TO " +
                                quote_identifier(settings));
            }
        }
        for (const std::string* table :
             {&tables.rout_dev_table, &tables.route_ip_table, &tables.ospf_dev_table,
              &tables.ospf_ip_table, &tables.eigrp_dev_table, &tables.eigrp_ip_table,
              &tables.frame_device_table, &tables.frame_ip_table, &tables.frame_map_table,
              &tables.nat_dev_table, &tables.nat_inout_table})
            if (session.table_exists(*table))
                session.execute("DELETE FROM " + quote_identifier(*table));
    }
    session.execute("DELETE FROM " + quote_identifier("access_list"));
    session.execute("DELETE FROM " + quote_identifier("nat_pool"));
    transaction.commit();
}

void save_config(state::AppState& app, const std::string& path) {
    std::string text;
    try {
        text = configuration_file_text(app.session, app.table_set, app.network);
        check_file_reads_back(text, NetworkFileKind::Configuration, working_shapes(app.session));
    } catch (const NetworkFileError& error) {
        throw SaveError(path, "The network holds a value the file cannot carry (line " +
                                  std::to_string(error.line()) +
                                  " of the file): " + error.reason());
    } catch (const db::DbError& error) {
        throw SaveError(path, error.engine_message());
    }
    try {
        platform::write_file_atomically(path, text);
    } catch (const platform::FileWriteError& error) {
        throw SaveError(path, error.what());
    }
}

void write_exported_network(const std::string& path, std::string_view text,
                            std::string_view picture) {
    if (picture.empty())
        platform::write_file_atomically(path, text);
    else
        platform::write_files_together(
            {{picture_path_for(path), std::string(picture)}, {path, std::string(text)}});
}

}  // namespace vexlab::networkfiles
