#pragma once
// Test fixtures: temporary folders and fresh databases built from resources/.

#include <filesystem>
#include <string>

#include "platform/db_session.h"
#include "state/vocabulary.h"

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

// The mode a prompt suffix names; a suffix that names none fails the test
// program (std::invalid_argument).
state::CommandMode mode(std::string_view suffix);

// Fills device, int_device and int_det from their seeds, as the console's
// reset of the default network does.
void seed_device_tables(db::DatabaseSession& session);

// Counts the rows inserted, updated and deleted in every table of the
// session's database, through temporary triggers.  The count lives in the
// same transactions as the changes, so work that was rolled back leaves it
// as it was: a line that changed nothing for good leaves it unchanged.
class ChangeCounter {
public:
    explicit ChangeCounter(db::DatabaseSession& session);
    long long count() const;

private:
    db::DatabaseSession& session_;
};

}  // namespace vexlab::test
