#include "labs/example_labs.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/text.h"

namespace vexlab::labs {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "[section]";
constexpr std::string_view kSectionName = "sectionname";
constexpr std::string_view kLabCount = "NumberOfLabs";
constexpr std::string_view kLabName = "labname";
constexpr std::string_view kLabPath = "labpath";

// A line cut at every "=": an entry line has exactly two parts.  Key and
// value are the first two parts without surrounding blanks (tabs stay).
struct Cut {
    bool entry = false;
    std::string key;
    std::string value;

    bool is(std::string_view k) const { return entry && key == k; }
    bool is(std::string_view k, std::string_view v) const { return is(k) && value == v; }
};

Cut cut(std::string_view line) {
    const std::vector<std::string> parts = text::split(line, "=");
    Cut c;
    c.entry = parts.size() == 2;
    c.key = text::trim(parts[0]);
    if (parts.size() > 1) c.value = text::trim(parts[1]);
    return c;
}

bool is_header(std::string_view line) {
    return line == kHeader;
}

std::optional<int> whole_number(std::string_view digits) {
    int value = 0;
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, value);
    // Counts were 16-bit numbers; anything else is not a count.
    if (error != std::errc() || stop != end || value < -32768 || value > 32767) return std::nullopt;
    return value;
}

std::string entry_line(std::string_view key, std::string_view value) {
    return std::string(key) + " = " + std::string(value);
}

struct FileLines {
    bool readable = true;
    std::vector<std::string> lines;
};

// Lines end in LF or CR LF; a last line without its end counts as a line.
FileLines read_lines(const std::string& path) {
    FileLines result;
    std::error_code ec;
    if (!fs::exists(path, ec)) return result;  // a missing list is an empty one
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        result.readable = false;
        return result;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        result.lines.push_back(std::move(line));
    }
    if (file.bad()) result.readable = false;
    return result;
}

SaveResult write_lines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    try {
        platform::write_file_atomically(path, text);
    } catch (const platform::FileWriteError& error) {
        return {false, error.what()};
    }
    return {};
}

// --- The edits of the writers, on the lines of the file -------------------

using Lines = std::vector<std::string>;

Lines with_section_appended(Lines lines, std::string_view name) {
    if (!lines.empty()) lines.emplace_back();
    lines.emplace_back(kHeader);
    lines.push_back(entry_line(kSectionName, name));
    return lines;
}

Lines with_lab_added(const Lines& in, std::string_view section, std::string_view lab_name,
                     std::string_view page, int count) {
    Lines out;
    std::size_t i = 0;
    while (i < in.size()) {
        if (!cut(in[i]).is(kSectionName, section)) {
            out.push_back(in[i++]);
            continue;
        }
        out.push_back(in[i++]);
        out.push_back(entry_line(kLabCount, std::to_string(++count)));
        // The rest of the block, without its old count line.  The empty line
        // that ended it is replaced by the one after the new lab; a header
        // that ends it is kept for the next block.
        while (i < in.size() && !is_header(in[i])) {
            const std::string& line = in[i++];
            if (line.empty()) break;
            if (!cut(line).is(kLabCount)) out.push_back(line);
        }
        out.push_back(entry_line(kLabName, lab_name));
        out.push_back(entry_line(kLabPath, page));
        out.emplace_back();
    }
    return out;
}

Lines with_section_removed(const Lines& in, std::string_view name) {
    Lines out;
    std::size_t i = 0;
    while (i < in.size()) {
        const std::string& line = in[i];
        const Cut c = cut(line);
        if (is_header(line)) {
            // Held back: written again before the name line that follows it.
            ++i;
        } else if (c.is(kSectionName, name)) {
            // The block and the empty line after it go; a header that comes
            // first starts the next block.
            ++i;
            while (i < in.size() && !is_header(in[i])) {
                if (in[i++].empty()) break;
            }
        } else if (c.is(kSectionName)) {
            out.emplace_back(kHeader);
            out.push_back(line);
            ++i;
        } else {
            out.push_back(line);
            ++i;
        }
    }
    return out;
}

Lines with_lab_removed(const Lines& in, std::string_view lab_name, std::string_view section) {
    Lines out;
    bool in_section = false;
    bool removed = false;
    std::optional<std::size_t> count_line;  // in `out`, of the current section
    auto lower_count = [&] {
        if (!in_section || !removed || !count_line) return;
        const std::optional<int> n = whole_number(cut(out[*count_line]).value);
        if (!n) return;
        if (*n - 1 > 0)
            out[*count_line] = entry_line(kLabCount, std::to_string(*n - 1));
        else
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(*count_line));
    };
    std::size_t i = 0;
    while (i < in.size()) {
        const std::string& line = in[i];
        const Cut c = cut(line);
        if (is_header(line)) {
            lower_count();
            in_section = false;
            out.push_back(line);
            ++i;
        } else if (c.is(kSectionName)) {
            lower_count();
            in_section = c.value == section;
            removed = false;
            count_line.reset();
            out.push_back(line);
            ++i;
            if (in_section && i < in.size() && cut(in[i]).is(kLabCount)) {
                count_line = out.size();
                out.push_back(in[i++]);
            }
        } else if (in_section && !removed && c.is(kLabName, lab_name)) {
            removed = true;
            ++i;
            if (i < in.size() && cut(in[i]).is(kLabPath)) ++i;
        } else {
            out.push_back(line);
            ++i;
        }
    }
    lower_count();
    return out;
}

Lines with_section_renamed(Lines lines, std::string_view old_name, std::string_view new_name) {
    for (std::string& line : lines)
        if (cut(line).is(kSectionName, old_name)) line = entry_line(kSectionName, new_name);
    return lines;
}

Lines with_lab_replaced(Lines lines, std::string_view section, std::string_view old_lab_name,
                        std::string_view new_lab_name, std::string_view page) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!cut(lines[i]).is(kSectionName, section)) continue;
        // Only this section's block is searched: a lab of the same name in a
        // later section is not this one.
        for (std::size_t j = i + 1; j < lines.size() && !is_header(lines[j]); ++j) {
            if (!cut(lines[j]).is(kLabName, old_lab_name)) continue;
            lines[j] = entry_line(kLabName, new_lab_name);
            if (j + 1 < lines.size() && cut(lines[j + 1]).is(kLabPath))
                lines[j + 1] = entry_line(kLabPath, page);
            else
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(j + 1),
                             entry_line(kLabPath, page));
            break;
        }
    }
    return lines;
}

}  // namespace

ExampleLabsFile::ExampleLabsFile(std::string program_folder)
    : path_(program_folder + "/" + kLabsFileName),
      copy_path_(program_folder + "/" + kLabsCopyName) {}

// ------------------------------------------------------------------ readers

std::vector<LabSection> ExampleLabsFile::read_lab_tree() const {
    const Lines lines = read_lines(path_).lines;
    std::vector<LabSection> tree;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (!is_header(lines[i])) {
            ++i;  // lines before a header are passed over
            continue;
        }
        if (++i >= lines.size()) break;
        // The name line: a block without one gets no node, nor do its labs.
        const Cut name = cut(lines[i]);
        if (is_header(lines[i])) continue;
        LabSection* section = nullptr;
        if (name.key == kSectionName) section = &tree.emplace_back(LabSection{name.value, {}});
        if (++i >= lines.size()) break;
        if (is_header(lines[i])) continue;
        // The count line is used up whatever else it holds.
        const Cut count = cut(lines[i++]);
        int limit = 0;
        if (count.is(kLabCount)) limit = whole_number(count.value).value_or(0);
        int shown = 0;
        for (; i < lines.size() && !is_header(lines[i]); ++i) {
            const Cut lab = cut(lines[i]);
            if (section && lab.is(kLabName) && shown < limit) {
                section->labs.push_back(lab.value);
                ++shown;
            }
        }
    }
    return tree;
}

std::string ExampleLabsFile::find_lab_page(std::string_view lab_name) const {
    const Lines lines = read_lines(path_).lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!cut(lines[i]).is(kLabName, lab_name)) continue;
        if (++i >= lines.size()) break;
        if (const Cut next = cut(lines[i]); next.is(kLabPath)) return next.value;
    }
    return {};
}

std::optional<std::string> ExampleLabsFile::find_lab_path_in_section(
    std::string_view section, std::string_view lab_name) const {
    const Lines lines = read_lines(path_).lines;
    std::size_t i = 0;
    while (i < lines.size() && !cut(lines[i]).is(kSectionName, section)) ++i;
    for (++i; i < lines.size(); ++i) {
        if (lines[i].empty() || is_header(lines[i])) continue;
        const Cut c = cut(lines[i]);
        if (c.key != kLabName || c.value != lab_name) continue;
        if (i + 1 < lines.size()) {
            if (const Cut next = cut(lines[i + 1]); next.key == kLabPath) return next.value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool ExampleLabsFile::section_exists(std::string_view name) const {
    for (const std::string& line : read_lines(path_).lines)
        if (cut(line).is(kSectionName, name)) return true;
    return false;
}

bool ExampleLabsFile::lab_exists_in_section(std::string_view section,
                                            std::string_view lab_name) const {
    const Lines lines = read_lines(path_).lines;
    std::size_t i = 0;
    while (i < lines.size() && !cut(lines[i]).is(kSectionName, section)) ++i;
    for (++i; i < lines.size() && !lines[i].empty() && !is_header(lines[i]); ++i) {
        const Cut c = cut(lines[i]);
        if (c.key == kLabName && c.value == lab_name) return true;
    }
    return false;
}

std::optional<int> ExampleLabsFile::section_lab_count(std::string_view section) const {
    const Lines lines = read_lines(path_).lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!cut(lines[i]).is(kSectionName, section)) continue;
        if (++i >= lines.size()) break;
        if (const Cut next = cut(lines[i]); next.is(kLabCount)) return whole_number(next.value);
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ writers

namespace {

// Reads the file, keeps it as it was in the copy, and writes the edited text.
SaveResult rewrite(const std::string& path, const std::string& copy_path,
                   const std::function<Lines(const Lines&)>& edit) {
    const FileLines current = read_lines(path);
    if (!current.readable) return {false, "cannot read " + path};
    const Lines changed = edit(current.lines);
    if (SaveResult kept = write_lines(copy_path, current.lines); !kept) return kept;
    return write_lines(path, changed);
}

}  // namespace

SaveResult ExampleLabsFile::append_section(std::string_view name) {
    // An appended section changes nothing that was there, so no copy is kept.
    const FileLines current = read_lines(path_);
    if (!current.readable) return {false, "cannot read " + path_};
    return write_lines(path_, with_section_appended(current.lines, name));
}

SaveResult ExampleLabsFile::add_lab(std::string_view section, std::string_view lab_name,
                                    std::string_view page) {
    const int count = section_lab_count(section).value_or(0);
    return rewrite(path_, copy_path_, [&](const Lines& lines) {
        return with_lab_added(lines, section, lab_name, page, count);
    });
}

SaveResult ExampleLabsFile::remove_section(std::string_view name) {
    return rewrite(path_, copy_path_,
                   [&](const Lines& lines) { return with_section_removed(lines, name); });
}

SaveResult ExampleLabsFile::remove_lab(std::string_view lab_name, std::string_view section) {
    return rewrite(path_, copy_path_,
                   [&](const Lines& lines) { return with_lab_removed(lines, lab_name, section); });
}

SaveResult ExampleLabsFile::rename_section(std::string_view old_name, std::string_view new_name) {
    return rewrite(path_, copy_path_, [&](const Lines& lines) {
        return with_section_renamed(lines, old_name, new_name);
    });
}

SaveResult ExampleLabsFile::replace_lab(std::string_view section, std::string_view old_lab_name,
                                        std::string_view new_lab_name, std::string_view page) {
    return rewrite(path_, copy_path_, [&](const Lines& lines) {
        return with_lab_replaced(lines, section, old_lab_name, new_lab_name, page);
    });
}

// ------------------------------------------------------------------ paths

std::string program_path(const std::string& program_folder, std::string_view stored) {
    std::string relative(stored);
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (relative.empty() || relative.front() != '/') relative.insert(relative.begin(), '/');
    return program_folder + relative;
}

std::optional<std::string> stored_page_path(const std::string& program_folder,
                                            const std::string& chosen) {
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(program_folder, ec);
    if (ec) return std::nullopt;
    const fs::path file = fs::weakly_canonical(chosen, ec);
    if (ec) return std::nullopt;
    const fs::path relative = file.lexically_relative(folder);
    if (relative.empty() || relative == "." || *relative.begin() == "..") return std::nullopt;
    return "/" + relative.generic_string();
}

std::string find_lab_network(const std::string& program_folder, std::string_view lab_name) {
    const Lines lines = read_lines(program_folder + "/" + kLabNetworkIndexName).lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> parts = text::split(lines[i], "=");
        if (parts.size() < 2) continue;  // not an entry of the index
        if (text::trim(parts[0]) != kLabName || text::trim(parts[1]) != lab_name) continue;
        if (i + 1 >= lines.size()) return {};
        const std::vector<std::string> path = text::split(lines[i + 1], "=");
        return path.size() < 2 ? std::string() : text::trim(path[1]);
    }
    return {};
}

}  // namespace vexlab::labs
