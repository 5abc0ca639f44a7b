#pragma once
// Test fixtures: temporary folders and fresh databases built from resources/.

#include <filesystem>
#include <string>

#include "platform/db_session.h"

namespace vexlab::test {

// A temporary folder removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes a fresh copy of the shipped database to `path`.  The database is
// built from resources/ once per test program and copied for each caller.
void fresh_database(const std::string& path);

// An empty database with every table of the schema and no rows.
void empty_database(db::DatabaseSession& session, const std::string& path);

std::string resources_dir();

// Fills device, int_device and int_det from their seeds, as the console's
// reset of the default network does.
void seed_device_tables(db::DatabaseSession& session);

}  // namespace vexlab::test
