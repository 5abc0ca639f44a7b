#pragma once
// Data-source registration and the workspace/connection that opens the
// database through it.  The registration is what the connection really uses:
// the connect string names a data source, and the data source's DBQ value
// names the database file.

#include <string>
#include <string_view>

#include "platform/db_session.h"
#include "platform/registry_store.h"

namespace vexlab::platform {

inline constexpr const char* kDataSourceName = "netsrc02";
inline constexpr const char* kDatabaseFileName = "commandsbackup.mdb";
inline constexpr const char* kDataSourcesKey = "SOFTWARE\\ODBC\\ODBC.INI";

// The data source's key path: "SOFTWARE\ODBC\ODBC.INI\" and the name.
std::string data_source_key(std::string_view name);

// Writes the data source for the database in `program_folder`: the values of
// the data-source key and its "\Engines\Jet" subkey, then its entry in
// "ODBC Data Sources".  Listed values are overwritten; others stay.
void register_data_source(RegistryStore& store, const std::string& program_folder);

// A workspace: the named context in which connections are opened.
class Workspace {
public:
    Workspace(std::string name, std::string user, std::string password);
    const std::string& name() const { return name_; }
    const std::string& user() const { return user_; }
    bool is_open() const { return open_; }

    // Opens `session` from an ODBC-style connect string such as
    // "ODBC;DATABASE=commandsbackup;UID=;PWD=...;DSN=netsrc02": the DSN is
    // looked up in `store` and its DBQ names the file.  Throws db::DbError.
    void open_connection(db::DatabaseSession& session, std::string_view connection_name,
                         std::string_view connect, const RegistryStore& store);
    void close() { open_ = false; }

private:
    std::string name_, user_, password_;
    bool open_ = true;
};

// One field of a connect string ("DSN", "DATABASE" ...), or "".
std::string connect_field(std::string_view connect, std::string_view field);

// The connect string the program opens its database with.
std::string program_connect_string();

}  // namespace vexlab::platform
