#include "support/test_database.h"

#include <unistd.h>

#include <atomic>
#include <mutex>
#include <random>
#include <stdexcept>
#include <vector>

#include "interpreter/catalogue_compiler.h"
#include "state/schema_registry.h"

namespace vexlab::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    std::random_device random;
    path_ = fs::temp_directory_path() /
            ("vexlab-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
             std::to_string(random() % 100000));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

state::CommandMode mode(std::string_view suffix) {
    if (auto found = state::command_mode(suffix)) return *found;
    throw std::invalid_argument("no mode has the suffix " + std::string(suffix));
}

std::string resources_dir() {
    return VEXLAB_RESOURCES_DIR;
}

void fresh_database(const std::string& path) {
    static TempDir cache;
    static std::once_flag built;
    const std::string master = cache.file("master.mdb");
    std::call_once(built, [&] { interpreter::build_program_database(resources_dir(), master); });
    fs::copy_file(master, path, fs::copy_options::overwrite_existing);
}

void empty_database(db::DatabaseSession& session, const std::string& path) {
    session.create(path);
    state::SchemaRegistry::instance().create_all(session);
}

void seed_device_tables(db::DatabaseSession& session) {
    session.execute("INSERT INTO device SELECT * FROM device_def");
    session.execute("INSERT INTO int_device SELECT * FROM int_device_def");
    session.execute(
        "INSERT INTO int_det (\"index\", int_name, ref) SELECT \"index\", int_name, ref "
        "FROM int_det_def");
}

ChangeCounter::ChangeCounter(db::DatabaseSession& session) : session_(session) {
    session_.execute_script(
        "CREATE TEMP TABLE IF NOT EXISTS vexlab_changes (n INTEGER); "
        "DELETE FROM vexlab_changes; INSERT INTO vexlab_changes VALUES (0)");
    std::vector<std::string> tables;
    for (auto set = session_.open_recordset(
             "SELECT name FROM main.sqlite_master WHERE type = 'table' ORDER BY name");
         !set.eof(); set.move_next())
        tables.push_back(set.text(0));
    for (const auto& table : tables)
        for (const char* event : {"INSERT", "UPDATE", "DELETE"})
            session_.execute_script("CREATE TEMP TRIGGER IF NOT EXISTS " +
                                    db::quote_identifier("vexlab_count_" + table + "_" + event) +
                                    " AFTER " + event + " ON main." + db::quote_identifier(table) +
                                    " BEGIN UPDATE vexlab_changes SET n = n + 1; END");
}

long long ChangeCounter::count() const {
    return session_.scalar("SELECT n FROM temp.vexlab_changes").to_int();
}

}  // namespace vexlab::test
