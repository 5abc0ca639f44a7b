// Test programs run their databases without flushing them to the disk: a
// test's database lives no longer than the test, and the flushes cost the
// tests that open many networks most of their time.  The program's sessions
// set their durability as always (write-ahead log, synchronous NORMAL); only
// the flush itself, which the file system would do, is skipped here.  The
// benchmarks do not take this file: they measure the program as it runs.
//
// A file system layer over the default one that answers every flush at
// once, made the default when the test program starts.

#include <sqlite3.h>

#include <map>
#include <memory>
#include <mutex>

namespace {

sqlite3_vfs* disk = nullptr;
sqlite3_vfs unflushed;
std::mutex guard;
std::map<const sqlite3_io_methods*, std::unique_ptr<sqlite3_io_methods>> without_flush;

int skip_flush(sqlite3_file*, int) {
    return SQLITE_OK;
}

int open_file(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* out_flags) {
    const int rc = disk->xOpen(disk, name, file, flags, out_flags);
    if (rc != SQLITE_OK || !file->pMethods) return rc;
    std::lock_guard<std::mutex> lock(guard);
    auto& methods = without_flush[file->pMethods];
    if (!methods) {
        methods = std::make_unique<sqlite3_io_methods>(*file->pMethods);
        methods->xSync = skip_flush;
    }
    file->pMethods = methods.get();
    return rc;
}

int delete_file(sqlite3_vfs*, const char* name, int) {
    return disk->xDelete(disk, name, 0);
}

const bool registered = [] {
    disk = sqlite3_vfs_find(nullptr);
    if (!disk) return false;
    unflushed = *disk;
    unflushed.zName = "vexlab-unflushed";
    unflushed.pNext = nullptr;
    unflushed.xOpen = open_file;
    unflushed.xDelete = delete_file;
    return sqlite3_vfs_register(&unflushed, 1) == SQLITE_OK;
}();

}  // namespace
