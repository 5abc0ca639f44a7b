#include "platform/file_refusal.h"

#include <utility>

namespace vexlab::platform {

namespace {

// "file:line: why" for the log, as compilers write it.
std::string log_text(const std::string& path, int line, const std::string& reason) {
    std::string where = path;
    if (line > 0) where += (where.empty() ? "line " : ":") + std::to_string(line);
    return where.empty() ? reason : where + ": " + reason;
}

}  // namespace

FileRefusal::FileRefusal(std::string headline, std::string path, int line, std::string reason)
    : std::runtime_error(log_text(path, line, reason)),
      headline_(std::move(headline)),
      path_(std::move(path)),
      line_(line),
      reason_(std::move(reason)) {}

std::string FileRefusal::message() const {
    std::string text = headline_ + "\n";
    if (!path_.empty()) text += path_ + "\n";
    if (line_ > 0) text += "Line " + std::to_string(line_) + ": ";
    return text + reason_;
}

}  // namespace vexlab::platform
