#include "support/test_database.h"

#include <unistd.h>

#include <atomic>
#include <mutex>
#include <random>

#include "state/database_builder.h"
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

std::string resources_dir() {
    return VEXLAB_RESOURCES_DIR;
}

void fresh_database(const std::string& path) {
    static TempDir cache;
    static std::once_flag built;
    const std::string master = cache.file("master.mdb");
    std::call_once(built, [&] { state::build_database(resources_dir(), master); });
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

}  // namespace vexlab::test
