#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace vexlab::platform {

namespace {

std::string reason() {
    return std::strerror(errno);
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    // The temporary file lies in the target's own folder, so the rename never
    // crosses a file system and either happens whole or not at all.
    temp_ = target_ + ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        const std::string why = reason();
        temp_.clear();
        throw FileWriteError("cannot create a file beside " + target_ + ": " + why);
    }
    // mkstemp makes the file private; a saved file gets the usual rights.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
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

void AtomicFile::commit() {
    if (::fsync(fd_) != 0) fail("flush");
    if (::close(fd_) != 0) {
        fd_ = -1;
        fail("close");
    }
    fd_ = -1;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) fail("rename");
    committed_ = true;
    // Make the rename itself durable.
    std::filesystem::path folder = std::filesystem::path(target_).parent_path();
    if (folder.empty()) folder = std::filesystem::current_path();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void write_file_atomically(const std::string& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

}  // namespace vexlab::platform
