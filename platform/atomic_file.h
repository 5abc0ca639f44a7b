#pragma once
// Writing a file so that a failure never leaves half of it behind: the bytes
// go to a temporary file beside the target, which is flushed to the disk and
// only then renamed over the target.  Until the rename the old file stays
// exactly as it was, whether the writer fails, throws or the program is
// killed.
//
// A killed writer leaves its temporary file behind.  The name tells it for
// one of ours and which process wrote it ("lab.exp.vexlab-tmp-4711-a8Xk2Q"),
// so that tidy_interrupted_writes() can remove it once that process is gone.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::platform {

class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FileContent {
    std::string path;
    std::string bytes;
};

class AtomicFile {
public:
    // Creates the temporary file; throws FileWriteError when it cannot.
    explicit AtomicFile(std::string target);
    // Without commit() the temporary file is removed and the target untouched.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    // Flushes the temporary file to the disk and renames it over the target.
    void commit();

    const std::string& target() const { return target_; }
    const std::string& temporary_path() const { return temp_; }

private:
    friend void write_files_together(const std::vector<FileContent>& files);
    // Flushes and closes the temporary file without renaming it.
    void finish();
    // The rename of a finished file.
    void rename_into_place();
    [[noreturn]] void fail(const std::string& what);

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// The whole file in one go.
void write_file_atomically(const std::string& target, std::string_view bytes);

// Replaces files of one folder together (a network file and its picture):
// after a kill at any moment the folder holds either every old file or, once
// tidy_interrupted_writes() has run on it, every new one.  The new files are
// written and flushed first; a note that names them marks the moment the
// replacement is decided, and the renames follow.  Throws FileWriteError,
// with every target as it was, when a file cannot be written.
void write_files_together(const std::vector<FileContent>& files);

// Cleans up after writers of this program that were killed in the folder:
// a replacement that had been decided is completed, and every temporary file
// whose writing process is no longer running is removed.  A folder that
// cannot be read is left alone; this never throws.
void tidy_interrupted_writes(const std::string& folder);

}  // namespace vexlab::platform
