#include "platform/data_source.h"

#include <algorithm>
#include <cctype>

#include "platform/text.h"

namespace vexlab::platform {

using text::iequals;

namespace {}  // namespace

std::string data_source_key(std::string_view name) {
    return std::string(kDataSourcesKey) + "\\" + std::string(name);
}

void register_data_source(RegistryStore& store, const std::string& program_folder) {
    const std::string database = program_folder + "/" + kDatabaseFileName;
    const std::string key_path = data_source_key(kDataSourceName);

    RegistryStore::Key key = store.create_key(key_path);
    store.set_string(key, "DBQ", database);
    store.set_string(key, "Description", "<Desired Description>");
    store.set_string(key, "Driver", "C:\\windows\\System\\odbcjt32.dll");
    store.set_dword(key, "DriverID", 25);
    store.set_string(key, "FIL", "MS Access");
    store.set_string(key, "PWD", "");
    store.set_dword(key, "SafeTransactions", 0);
    store.set_string(key, "UID", "tovek");

    RegistryStore::Key engine = store.create_key(key_path + "\\Engines\\Jet");
    store.set_string(engine, "ImplicitCommitSync", "");
    store.set_dword(engine, "MaxBufferSize", 2048);
    store.set_dword(engine, "PageTimeout", 5);
    store.set_dword(engine, "Threads", 3);
    store.set_string(engine, "UserCommitSync", "Yes");
    store.close_key(engine);
    store.close_key(key);

    RegistryStore::Key sources =
        store.create_key(std::string(kDataSourcesKey) + "\\ODBC Data Sources");
    store.set_string(sources, kDataSourceName, "MIcrosoft Access Driver (*.mdb)");
    store.close_key(sources);
}

std::string connect_field(std::string_view connect, std::string_view field) {
    std::size_t start = 0;
    while (start <= connect.size()) {
        std::size_t end = connect.find(';', start);
        if (end == std::string_view::npos) end = connect.size();
        std::string_view part = connect.substr(start, end - start);
        auto eq = part.find('=');
        if (eq != std::string_view::npos && iequals(part.substr(0, eq), field))
            return std::string(part.substr(eq + 1));
        start = end + 1;
    }
    return {};
}

std::string program_connect_string() {
    return std::string("ODBC;DATABASE=commandsbackup;UID=;PWD=") + "Rolqu58" +
           ";DSN=" + kDataSourceName;
}

Workspace::Workspace(std::string name, std::string user, std::string password)
    : name_(std::move(name)), user_(std::move(user)), password_(std::move(password)) {}

void Workspace::open_connection(db::DatabaseSession& session, std::string_view connection_name,
                                std::string_view connect, const RegistryStore& store) {
    (void)connection_name;
    std::string dsn = connect_field(connect, "DSN");
    if (dsn.empty()) throw db::DbError({}, "the connect string names no data source");
    auto dbq = store.value(data_source_key(dsn), "DBQ");
    if (!dbq || dbq->type != RegistryType::String || dbq->text.empty())
        throw db::DbError({},
                          "the data source " + dsn + " is not registered (" + store.file() + ")");
    session.open(dbq->text);
}

}  // namespace vexlab::platform
