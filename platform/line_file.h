#pragma once
// Reading the program's line files (the network files, the designer's maps
// and the example-labs list) in one way: the whole file at once, its lines
// by one rule for line ends, and the whole numbers its lines hold.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexlab::platform {

// Why a file could not be read; missing() tells a file that is not there
// from one that is there and cannot be read (a folder in its place too).
class FileReadError : public std::runtime_error {
public:
    FileReadError(std::string reason, bool missing)
        : std::runtime_error(std::move(reason)), missing_(missing) {}
    bool missing() const { return missing_; }

private:
    bool missing_;
};

// The whole content of the file; throws FileReadError.
std::string read_whole_file(const std::string& path);

// The lines of a text.  CR LF, a lone LF and a lone CR each end a line, the
// way text editors show a file; a final line end does not start one more
// line.
std::vector<std::string_view> split_lines(std::string_view text);

// Whether the text's last line has its line end.
bool ends_with_line_end(std::string_view text);

// A whole number as a line holds it, with blanks around it and an optional
// sign (" 12 ", "-3 "), from low to high; nothing for anything else (a
// fraction, an exponent, digits beyond the range, no digits at all).
std::optional<std::int64_t> whole_number(std::string_view text, std::int64_t low,
                                         std::int64_t high);

}  // namespace vexlab::platform
