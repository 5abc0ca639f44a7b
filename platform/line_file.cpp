#include "platform/line_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/text.h"

namespace vexlab::platform {

std::string read_whole_file(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        throw FileReadError("the file does not exist", true);
    if (status.type() == std::filesystem::file_type::directory)
        throw FileReadError("a folder stands in the place of the file", false);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileReadError(std::string("the file cannot be opened: ") + std::strerror(errno),
                            false);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw FileReadError("the file cannot be read", false);
    return std::move(content).str();
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool ends_with_line_end(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

std::optional<std::int64_t> whole_number(std::string_view text, std::int64_t low,
                                         std::int64_t high) {
    const std::string trimmed = text::trim(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    // A plus sign may stand where a minus sign could, not before one.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return std::nullopt;
    }
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < low || number > high) return std::nullopt;
    return number;
}

}  // namespace vexlab::platform
