#pragma once
// Writing a file so that a failure never leaves half of it behind: the bytes
// go to a temporary file beside the target, which is flushed to the disk and
// only then renamed over the target.  Until the rename the old file stays
// exactly as it was, whether the writer fails, throws or the program is
// killed.  The new file keeps the permissions of the file it replaces.
//
// A killed writer leaves its temporary file behind.  The name tells it for
// one of ours and which writer it was, the machine and the process
// ("lab.exp.vexlab-tmp-<machine>-<process>-<six characters>"), so that
// tidy_interrupted_writes() at the next start can remove the ones of this
// machine whose process is gone.  Nothing else ever acts on such a file.

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

// Replaces files of one folder that belong together (a picture and the
// network file that shows it), renamed into place in the order given: the
// last one is the file that counts, so it comes last.  A kill before that
// last rename leaves the last file as it was (the ones before it may be new
// already); after it, every file is new.  Throws FileWriteError with every
// target as it was when a file cannot be written or renamed: a file already
// renamed is put back from a copy kept beside it.
void write_files_together(const std::vector<FileContent>& files);

// This machine's name as the temporary files carry it.
std::string machine_name();

// Removes the temporary files that writers of this program on this machine
// left in the folder when they were killed: plain files whose name has the
// form above, whose process is no longer running.  The temporary files of
// other machines, which may share the folder and still be writing, and
// every other file are left alone; nothing is renamed.  Meant for the
// program's start, before it writes anything.  A folder that cannot be read
// is left alone; this never throws.
void tidy_interrupted_writes(const std::string& folder);

}  // namespace vexlab::platform
