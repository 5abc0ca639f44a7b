#include "platform/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "platform/line_file.h"

namespace vexlab::platform {

namespace fs = std::filesystem;

namespace {

// "<target name>" + marker + "<machine>-<process id>-<six characters>".
constexpr std::string_view kTemporaryMarker = ".vexlab-tmp-";

std::string reason() {
    return std::strerror(errno);
}

std::string folder_of(const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    return folder.string();
}

// Makes renames and removals in the folder durable.
void sync_folder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool is_letter_or_digit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool is_name_character(char c) {
    return is_letter_or_digit(c) || c == '.' || c == '_' || c == '-';
}

// The process that wrote a temporary file of ours, when the name ends in
// the marker of this machine, digits, "-" and six letters or digits.
std::optional<pid_t> writer_of(std::string_view name, std::string_view marker) {
    const std::size_t at = name.rfind(marker);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    const std::string_view rest = name.substr(at + marker.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 || rest.size() - dash - 1 != 6)
        return std::nullopt;
    pid_t pid = 0;
    for (char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9') return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    for (char c : rest.substr(dash + 1))
        if (!is_letter_or_digit(c)) return std::nullopt;
    return pid;
}

// The writer is gone.  A file of this very process is one of a former
// process that had the same number: the folders are tidied at the start,
// before any write of ours.
bool writer_gone(pid_t pid) {
    if (pid <= 0 || pid == ::getpid()) return true;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string temporary_template(const std::string& target) {
    return target + std::string(kTemporaryMarker) + machine_name() + "-" +
           std::to_string(::getpid()) + "-XXXXXX";
}

// The rights the new file gets: those of the file it replaces, else the
// usual ones.
mode_t rights_for(const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A copy of the file at the target, beside it and not yet flushed, to put
// back when a later file of the same save cannot be renamed into place.
// Nothing when there is no file there.
std::unique_ptr<AtomicFile> copy_of(const std::string& target) {
    struct stat old {};
    if (::lstat(target.c_str(), &old) != 0) {
        if (errno == ENOENT) return nullptr;
        throw FileWriteError("cannot write " + target + ": " + reason());
    }
    if (!S_ISREG(old.st_mode))
        throw FileWriteError("cannot write " + target + ": something else than a file is there");
    std::string bytes;
    try {
        bytes = read_whole_file(target);
    } catch (const FileReadError& error) {
        throw FileWriteError("cannot write " + target + ": " + error.what());
    }
    auto copy = std::make_unique<AtomicFile>(target);
    copy->write(bytes);
    return copy;
}

}  // namespace

std::string machine_name() {
    char host[256] = {};
    std::string name;
    if (::gethostname(host, sizeof host - 1) == 0)
        for (const char* c = host; *c && name.size() < 64; ++c)
            name += is_name_character(*c) ? *c : '_';
    return name.empty() ? "unknown" : name;
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    // The temporary file lies in the target's own folder, so the rename never
    // crosses a file system and either happens whole or not at all.
    const mode_t rights = rights_for(target_);
    temp_ = temporary_template(target_);
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        const std::string why = reason();
        temp_.clear();
        throw FileWriteError("cannot create a file beside " + target_ + ": " + why);
    }
    // mkstemp makes the file private.
    ::fchmod(fd_, rights);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFile::fail(const std::string& what) {
    const std::string why = reason();
    throw FileWriteError("cannot write " + target_ + ": " + what + ": " + why);
}

void AtomicFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0) {
            if (errno == EINTR) continue;
            fail("write");
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
}

void AtomicFile::finish() {
    if (::fsync(fd_) != 0) fail("flush");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("close");
}

void AtomicFile::rename_into_place() {
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) fail("rename");
    committed_ = true;
}

void AtomicFile::commit() {
    finish();
    rename_into_place();
    sync_folder(folder_of(target_));
}

void write_file_atomically(const std::string& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

void write_files_together(const std::vector<FileContent>& files) {
    if (files.empty()) return;
    const std::string folder = folder_of(files.front().path);
    for (const auto& file : files)
        if (fs::path(folder_of(file.path)) != fs::path(folder))
            throw FileWriteError("cannot write " + file.path + " together with " +
                                 files.front().path + ": they lie in different folders");

    std::vector<std::unique_ptr<AtomicFile>> written;
    for (const auto& file : files) {
        written.push_back(std::make_unique<AtomicFile>(file.path));
        written.back()->write(file.bytes);
        written.back()->finish();
    }
    // The last file is renamed last and needs no copy: when its rename
    // fails, no file after it has to be undone.
    std::vector<std::unique_ptr<AtomicFile>> kept;
    for (std::size_t i = 0; i + 1 < files.size(); ++i) kept.push_back(copy_of(files[i].path));

    std::size_t placed = 0;
    try {
        for (; placed < written.size(); ++placed) {
            // The files before the last are on the disk before it counts.
            if (placed + 1 == written.size() && placed > 0) sync_folder(folder);
            written[placed]->rename_into_place();
        }
    } catch (const FileWriteError& error) {
        std::string unrestored;
        for (std::size_t i = 0; i < placed; ++i) {
            try {
                if (kept[i]) {
                    kept[i]->finish();
                    kept[i]->rename_into_place();
                } else if (::unlink(files[i].path.c_str()) != 0 && errno != ENOENT) {
                    throw FileWriteError("cannot remove " + files[i].path + ": " + reason());
                }
            } catch (const FileWriteError& undo) {
                unrestored += std::string("; the old file could not be put back: ") + undo.what();
            }
        }
        sync_folder(folder);
        if (unrestored.empty()) throw;
        throw FileWriteError(error.what() + unrestored);
    }
    sync_folder(folder);
}

void tidy_interrupted_writes(const std::string& folder) {
    const std::string marker = std::string(kTemporaryMarker) + machine_name() + "-";
    std::error_code ec;
    std::vector<fs::path> left;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (it->symlink_status(kind).type() != fs::file_type::regular) continue;
        const auto pid = writer_of(it->path().filename().string(), marker);
        if (pid && writer_gone(*pid)) left.push_back(it->path());
    }
    for (const auto& temp : left) fs::remove(temp, ec);
    if (!left.empty()) sync_folder(folder);
}

}  // namespace vexlab::platform
