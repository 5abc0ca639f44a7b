#pragma once
// Writing a file so that a failure never leaves half of it behind: the bytes
// go to a temporary file beside the target, which is flushed to the disk and
// only then renamed over the target.  Until the rename the old file stays
// exactly as it was, whether the writer fails, throws or the program is
// killed.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vexlab::platform {

class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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

    const std::string& temporary_path() const { return temp_; }

private:
    [[noreturn]] void fail(const std::string& what);
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// The whole file in one go.
void write_file_atomically(const std::string& target, std::string_view bytes);

}  // namespace vexlab::platform
