#include "state/database_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/lab_source.h"
#include "state/schema_registry.h"
#include "state/table_set.h"
#include "state/table_text.h"

namespace vexlab::state {

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> files_with_extension(const fs::path& dir, std::string_view extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string trim(std::string_view line) {
    return vexlab::text::trim(line, " \t\r");
}

}  // namespace

std::string pristine_column(std::string_view device) {
    return std::string(device) + "_pristine";
}

std::vector<std::string> seeded_default_tables() {
    const NetworkTableSet set = NetworkTableSet::default_set();
    return {set.rout_dev_table,     set.route_ip_table, set.ospf_dev_table, set.ospf_ip_table,
            set.eigrp_dev_table,    set.eigrp_ip_table, set.nat_dev_table,  set.nat_inout_table,
            set.frame_device_table, set.frame_ip_table, set.frame_map_table};
}

std::string seed_table(std::string_view default_table) {
    std::string_view base = default_table;
    if (base.size() > 4 && base.substr(base.size() - 4) == "_def") base.remove_suffix(4);
    return std::string(base) + "_seed";
}

void build_default_seeds(db::DatabaseSession& session) {
    const SchemaRegistry& schema = SchemaRegistry::instance();
    for (const auto& table : seeded_default_tables()) {
        TableDef copy = schema.get(table);
        copy.name = seed_table(table);
        copy.lookups.clear();  // read whole, never searched
        session.execute("DROP TABLE IF EXISTS " + db::quote_identifier(copy.name));
        session.execute(SchemaRegistry::create_sql(copy));
        session.execute("INSERT INTO " + db::quote_identifier(copy.name) + " SELECT * FROM " +
                        db::quote_identifier(table) + " ORDER BY rowid");
    }
}

void build_default_settings(db::DatabaseSession& session, std::string_view settings_text,
                            std::string_view source) {
    std::vector<std::string> devices;
    std::map<std::string, std::map<std::string, std::string>> values;  // device -> key -> value
    std::istringstream in{std::string(settings_text)};
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        throw BuildError(std::string(source) + ":" + std::to_string(number) + ": " + why);
    };
    std::set<std::string> keys;
    {
        db::Recordset set = session.open_recordset("SELECT Config_Variable FROM " +
                                                   db::quote_identifier("config_template"));
        for (; !set.eof(); set.move_next()) keys.insert(set.text(0));
    }
    while (std::getline(in, line)) {
        ++number;
        std::string text = trim(line);
        if (text.empty() || text[0] == '#') continue;
        std::istringstream words(text);
        std::string first;
        words >> first;
        if (first == "devices") {
            if (!devices.empty()) fail("devices listed twice");
            std::string device;
            while (words >> device) devices.push_back(device);
            if (devices.empty()) fail("no devices listed");
            continue;
        }
        if (devices.empty()) fail("the devices line comes first");
        if (std::find(devices.begin(), devices.end(), first) == devices.end())
            fail("unknown device " + first);
        auto eq = text.find('=');
        if (eq == std::string::npos) fail("expected: <device> <key> = <value>");
        std::string key = trim(text.substr(first.size(), eq - first.size()));
        std::string value = trim(text.substr(eq + 1));
        if (!keys.count(key)) fail("key " + key + " is not in config_template");
        values[first][key] = value;
    }
    if (devices.empty()) throw BuildError(std::string(source) + ": no devices line");
    for (const auto& device : devices)
        if (session
                .scalar("SELECT count(*) FROM " + db::quote_identifier("device_def") +
                            " WHERE Device_Name = ?",
                        {device})
                .to_int() == 0)
            throw BuildError(std::string(source) + ": device " + device +
                             " has no row in device_def");

    const TableDef& table = SchemaRegistry::instance().get("routervariables_def");
    std::string create = "CREATE TABLE " + db::quote_identifier("routervariables_def") + " (" +
                         db::quote_identifier(table.columns.at(0).name) + " " +
                         sql_type(table.columns.at(0).type);
    for (const auto& device : devices)
        create += ", " + db::quote_identifier(pristine_column(device)) + " " +
                  sql_type(ColumnType::Memo) + ", " + db::quote_identifier(device) + " " +
                  sql_type(ColumnType::Memo);
    session.execute("DROP TABLE IF EXISTS " + db::quote_identifier("routervariables_def"));
    session.execute(create + ")");

    std::string insert =
        "INSERT INTO " + db::quote_identifier("routervariables_def") + " VALUES (?";
    for (std::size_t i = 0; i < devices.size(); ++i) insert += ", ?, ?";
    insert += ")";
    db::Recordset rows = session.open_recordset(
        "SELECT * FROM " + db::quote_identifier("config_template") + " ORDER BY rowid");
    for (; !rows.eof(); rows.move_next()) {
        std::string key = rows.text(0);
        std::vector<db::Value> params{db::Value(key)};
        for (const auto& device : devices) {
            db::Value value = rows.field(1);
            auto& own = values[device];
            if (auto it = own.find(key); it != own.end()) value = db::Value(it->second);
            params.push_back(value);
            params.push_back(value);
        }
        session.execute(insert, params);
    }
}

void build_database(const std::string& resources_dir, const std::string& out_path,
                    const CatalogueStep& build_catalogue) {
    const fs::path resources(resources_dir);
    const fs::path target(out_path);
    fs::path temp = target;
    temp += ".building";
    std::error_code ec;
    fs::remove(temp, ec);
    try {
        db::DatabaseSession session;
        session.create(temp.string());
        session.execute_script("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
        {
            db::DatabaseSession::Transaction transaction(session);
            const SchemaRegistry& schema = SchemaRegistry::instance();
            schema.create_all(session);
            for (const auto& file : files_with_extension(resources, ".rows"))
                load_table_text(session, schema, read_file(file),
                                fs::relative(file, resources).string());
            std::vector<LabSource> labs;
            for (const auto& file : files_with_extension(resources, ".lab"))
                labs.push_back({fs::relative(file, resources).string(), read_file(file)});
            insert_rows(session, schema, compile_lab_sources(labs), "labs");

            const fs::path settings = resources / "network" / "default_settings.conf";
            build_default_settings(session, read_file(settings), "network/default_settings.conf");
            build_default_seeds(session);
            // A table the start would refuse empty is a fault of the sources.
            if (auto empty = schema.emptied(session)) throw BuildError(*empty);

            std::vector<SourceText> sources;
            for (const auto& file : files_with_extension(resources, ".cat"))
                sources.push_back({fs::relative(file, resources).string(), read_file(file)});
            if (build_catalogue) build_catalogue(session, sources);
            transaction.commit();
        }
        session.close();
    } catch (const std::exception& error) {
        fs::remove(temp, ec);
        throw BuildError(error.what());
    }
    fs::rename(temp, target, ec);
    if (ec) throw BuildError("cannot move the database into place: " + ec.message());
}

}  // namespace vexlab::state
