#include "platform/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace vexlab::platform {

namespace fs = std::filesystem;

namespace {

// "<target name>" + marker + "<process id>-<six characters>".
constexpr std::string_view kTemporaryMarker = ".vexlab-tmp-";
// The note of a decided replacement: the same form with its own marker.
constexpr std::string_view kDecisionMarker = ".vexlab-commit-";

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

// The process that wrote a file named with the marker, when the name ends
// in marker, digits, "-" and six characters.
std::optional<pid_t> writer_of(std::string_view name, std::string_view marker) {
    const std::size_t at = name.rfind(marker);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    std::string_view rest = name.substr(at + marker.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != 6)
        return std::nullopt;
    pid_t pid = 0;
    for (char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 99999999) return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// The writer is gone.  A file of this very process is one of a former
// process that had the same number: no write of ours is under way while the
// folder is tidied.
bool writer_gone(pid_t pid) {
    if (pid <= 0 || pid == ::getpid()) return true;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string temporary_template(const std::string& target) {
    return target + std::string(kTemporaryMarker) + std::to_string(::getpid()) + "-XXXXXX";
}

// The note lists "temporary name" TAB "target name", one file a line.
void complete_decided_replacement(const fs::path& note) {
    std::ifstream in(note, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const fs::path temp = note.parent_path() / line.substr(0, tab);
        const fs::path target = note.parent_path() / line.substr(tab + 1);
        std::error_code ec;
        if (fs::exists(temp, ec)) fs::rename(temp, target, ec);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    // The temporary file lies in the target's own folder, so the rename never
    // crosses a file system and either happens whole or not at all.
    temp_ = temporary_template(target_);
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
    // The note is named after the first temporary file, so it is as unique.
    std::string note_text;
    for (const auto& file : written)
        note_text += fs::path(file->temporary_path()).filename().string() + "\t" +
                     fs::path(file->target()).filename().string() + "\n";
    std::string note = written.front()->temporary_path();
    note.replace(note.rfind(kTemporaryMarker), kTemporaryMarker.size(), kDecisionMarker);
    write_file_atomically(note, note_text);

    // Decided: from here the temporary files belong to the note, and a kill
    // or a failed rename is completed by the next tidying of the folder.
    for (auto& file : written) file->committed_ = true;
    for (auto& file : written) file->rename_into_place();
    sync_folder(folder);
    ::unlink(note.c_str());
    sync_folder(folder);
}

void tidy_interrupted_writes(const std::string& folder) {
    std::error_code ec;
    std::vector<fs::path> notes, temporaries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (auto pid = writer_of(name, kTemporaryMarker); pid && writer_gone(*pid))
            temporaries.push_back(it->path());
        else if (auto pid = writer_of(name, kDecisionMarker); pid && writer_gone(*pid))
            notes.push_back(it->path());
    }
    // The decided replacements first: they take their temporary files into
    // place, and whatever temporary is left then was never decided.
    for (const auto& note : notes) {
        complete_decided_replacement(note);
        fs::remove(note, ec);
    }
    for (const auto& temp : temporaries) fs::remove(temp, ec);
    if (!notes.empty() || !temporaries.empty()) sync_folder(folder);
}

}  // namespace vexlab::platform
