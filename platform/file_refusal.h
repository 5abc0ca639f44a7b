#pragma once
// A file a reader would not take.  Every reader of the program's files checks
// a file whole before it changes anything, so a refusal means nothing was
// changed; it carries the file, the line where reading stopped and why, and
// the readers differ only in the headline that says what failed.

#include <stdexcept>
#include <string>

namespace vexlab::platform {

class FileRefusal : public std::runtime_error {
public:
    FileRefusal(std::string headline, std::string path, int line, std::string reason);
    const std::string& path() const { return path_; }  // empty for a text read from memory
    int line() const { return line_; }                 // 0 when the fault is no line's
    const std::string& reason() const { return reason_; }
    // The text a window shows: the headline, the file, the line and why.
    std::string message() const;

private:
    std::string headline_;
    std::string path_;
    int line_;
    std::string reason_;
};

}  // namespace vexlab::platform
