#include "labs/example_labs.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/line_file.h"
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
    const std::size_t first = line.find('=');
    Cut c;
    c.key = text::trim(line.substr(0, first));
    if (first == std::string_view::npos) return c;
    const std::size_t second = line.find('=', first + 1);
    c.entry = second == std::string_view::npos;
    c.value = text::trim(line.substr(first + 1, second - first - 1));
    return c;
}

bool is_header(std::string_view line) {
    return line == kHeader;
}

std::optional<int> lab_count(std::string_view digits) {
    const auto value = platform::whole_number(digits, 0, kMostLabs);
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
}

std::string entry_line(std::string_view key, std::string_view value) {
    return std::string(key) + " = " + std::string(value);
}

// A change that was not written, and why.
SaveResult not_saved(std::string why) {
    return {false, false, std::move(why)};
}

struct FileLines {
    std::string unreadable;  // why the file cannot be read; empty when it can
    std::vector<std::string> lines;
};

FileLines read_lines(const std::string& path) {
    FileLines result;
    std::string text;
    try {
        text = platform::read_whole_file(path);
    } catch (const platform::FileReadError& error) {
        if (!error.missing()) result.unreadable = error.what();  // a missing list is an empty one
        return result;
    }
    for (const std::string_view line : platform::split_lines(text)) result.lines.emplace_back(line);
    return result;
}

SaveResult write_lines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\r\n");
    try {
        platform::write_file_atomically(path, text);
    } catch (const platform::FileWriteError& error) {
        return not_saved(error.what());
    }
    return {};
}

using Lines = std::vector<std::string>;

// --- The list as the tree reads it -----------------------------------------

// A section block: from its header to the next header.  Line numbers are
// indexes into the file's lines.
struct Block {
    std::string name;
    std::size_t header = 0;
    std::size_t name_line = 0;
    std::optional<std::size_t> count_line;  // directly after the name line
    int count = 0;
    std::size_t end = 0;                  // the next header, or the end of the file
    std::vector<std::size_t> shown_labs;  // the "labname" lines the tree shows
    std::vector<std::size_t> all_labs;    // every "labname" entry of the block
};

// Reads the lines as the tree does, and refuses what it could not show
// whole: a header whose next line is no "sectionname" entry (its labs would
// belong to no section, and the writers to the block before), and a count
// that is no whole number from 0 to kMostLabs.
std::vector<Block> blocks_of(const Lines& lines, const std::string& path) {
    auto refuse = [&](std::size_t line, std::string why) {
        throw LabsListError(path, static_cast<int>(line) + 1, std::move(why));
    };
    std::vector<Block> blocks;
    std::size_t i = 0;
    while (i < lines.size() && !is_header(lines[i])) ++i;  // lines before a header are passed over
    while (i < lines.size()) {
        Block block;
        block.header = i++;
        if (i >= lines.size() || is_header(lines[i]) || cut(lines[i]).key != kSectionName)
            refuse(block.header, "\"[section]\" is not followed by its \"sectionname\" line");
        // The name line need not hold exactly one "=": its second part is
        // the name.
        block.name_line = i;
        block.name = cut(lines[i++]).value;
        if (i < lines.size() && !is_header(lines[i])) {
            // The count line is used up whatever else it holds.
            if (const Cut count = cut(lines[i]); count.is(kLabCount)) {
                const std::optional<int> n = lab_count(count.value);
                if (!n)
                    refuse(i, "the number of labs " + text::quoted(count.value) +
                                  " is not a count from 0 to " + std::to_string(kMostLabs));
                block.count_line = i;
                block.count = *n;
            }
            ++i;
        }
        for (; i < lines.size() && !is_header(lines[i]); ++i) {
            if (!cut(lines[i]).is(kLabName)) continue;
            block.all_labs.push_back(i);
            if (static_cast<int>(block.shown_labs.size()) < block.count)
                block.shown_labs.push_back(i);
        }
        block.end = i;
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// The list as the tree reads it: its lines and its section blocks.
struct List {
    Lines lines;
    std::vector<Block> blocks;
};

// Throws LabsListError.
List read_list(const std::string& path) {
    FileLines file = read_lines(path);
    if (!file.unreadable.empty()) throw LabsListError(path, 0, file.unreadable);
    List list;
    list.blocks = blocks_of(file.lines, path);
    list.lines = std::move(file.lines);
    return list;
}

// The list for the lookups, which find nothing in a list the reader refuses.
std::optional<List> accepted_list(const std::string& path) {
    try {
        return read_list(path);
    } catch (const LabsListError&) {
        return std::nullopt;
    }
}

// The block of the section at its place, if it still bears its name.
const Block* block_of(const List& list, const SectionRef& section) {
    if (section.index >= list.blocks.size()) return nullptr;
    const Block& block = list.blocks[section.index];
    return block.name == section.name ? &block : nullptr;
}

// The "labname" line of the lab at its place, if it still bears its name.
std::optional<std::size_t> lab_line(const List& list, const LabRef& lab) {
    const Block* block = block_of(list, lab.section);
    if (!block || lab.index >= block->shown_labs.size()) return std::nullopt;
    const std::size_t line = block->shown_labs[lab.index];
    if (cut(list.lines[line]).value != lab.name) return std::nullopt;
    return line;
}

// The line after a lab's name line when it is the lab's page.
std::optional<std::size_t> page_line(const Lines& lines, std::size_t lab_line) {
    if (lab_line + 1 < lines.size() && cut(lines[lab_line + 1]).is(kLabPath)) return lab_line + 1;
    return std::nullopt;
}

// The last line of a block that is not empty.
std::size_t last_filled(const Lines& lines, const Block& block) {
    std::size_t last = block.name_line;
    for (std::size_t i = block.name_line; i < block.end; ++i)
        if (!lines[i].empty()) last = i;
    return last;
}

// --- The edits of the writers, on the lines of the file -------------------

Lines with_section_appended(Lines lines, std::string_view name) {
    if (!lines.empty()) lines.emplace_back();
    lines.emplace_back(kHeader);
    lines.push_back(entry_line(kSectionName, name));
    return lines;
}

// The new lab follows the labs the section shows, so that the raised count
// shows it and not a lab the count kept hidden.  At the end of the block the
// empty line that ended it is replaced by the one after the new lab.
Lines with_lab_added(const Lines& in, const Block& block, std::string_view lab_name,
                     std::string_view page) {
    std::size_t after = block.name_line;
    if (block.count_line) after = *block.count_line;
    if (!block.shown_labs.empty())
        after = page_line(in, block.shown_labs.back()).value_or(block.shown_labs.back());
    const bool at_end = after >= last_filled(in, block);
    Lines out(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(block.name_line) + 1);
    out.push_back(entry_line(kLabCount, std::to_string(block.count + 1)));
    std::size_t i = block.name_line + 1;
    auto copy_to = [&](std::size_t stop) {
        for (; i < stop; ++i)
            if (!cut(in[i]).is(kLabCount)) out.push_back(in[i]);
    };
    copy_to(after + 1);
    out.push_back(entry_line(kLabName, lab_name));
    out.push_back(entry_line(kLabPath, page));
    if (at_end) {
        out.emplace_back();
        if (i < block.end && in[i].empty()) ++i;
    }
    copy_to(block.end);
    out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(block.end), in.end());
    return out;
}

// The block goes with the empty line after it; the empty line before it
// stays with the block before.
Lines with_section_removed(const Lines& in, const Block& block) {
    std::size_t stop = last_filled(in, block) + 1;
    if (stop < block.end && in[stop].empty()) ++stop;
    Lines out(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(block.header));
    out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(stop), in.end());
    return out;
}

Lines with_lab_removed(const Lines& in, const Block& block, std::size_t lab) {
    Lines out = in;
    const std::size_t last = page_line(in, lab).value_or(lab);
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(lab),
              out.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    // A shown lab has its count line, which stands before it.
    if (block.count_line) {
        if (block.count - 1 > 0)
            out[*block.count_line] = entry_line(kLabCount, std::to_string(block.count - 1));
        else
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(*block.count_line));
    }
    return out;
}

Lines with_lab_replaced(Lines lines, std::size_t lab, std::string_view new_lab_name,
                        std::string_view page) {
    lines[lab] = entry_line(kLabName, new_lab_name);
    if (const auto path = page_line(lines, lab))
        lines[*path] = entry_line(kLabPath, page);
    else
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lab) + 1,
                     entry_line(kLabPath, page));
    return lines;
}

}  // namespace

std::string shown_name(std::string_view typed) {
    return cut(entry_line(kSectionName, typed)).value;
}

std::optional<std::string> unreadable_entry(std::string_view typed) {
    const std::string line = entry_line(kLabName, typed);
    if (platform::split_lines(line).size() != 1) return "it holds a line break";
    if (!cut(line).entry) return "it holds \"=\"";
    return std::nullopt;
}

ExampleLabsFile::ExampleLabsFile(std::string program_folder)
    : path_(program_folder + "/" + kLabsFileName),
      copy_path_(program_folder + "/" + kLabsCopyName) {}

// ------------------------------------------------------------------ readers

std::vector<LabSection> ExampleLabsFile::read_lab_tree() const {
    const List list = read_list(path_);
    std::vector<LabSection> tree;
    for (const Block& block : list.blocks) {
        LabSection& section = tree.emplace_back(LabSection{block.name, {}});
        for (std::size_t lab : block.shown_labs) section.labs.push_back(cut(list.lines[lab]).value);
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

// By the names the tree shows: a name line that holds a second "=" shows its
// section too, and a stray name line inside a block shows none.
bool ExampleLabsFile::section_exists(std::string_view name) const {
    const auto list = accepted_list(path_);
    return list && std::any_of(list->blocks.begin(), list->blocks.end(),
                               [&](const Block& block) { return block.name == name; });
}

bool ExampleLabsFile::holds(const SectionRef& section) const {
    const auto list = accepted_list(path_);
    return list && block_of(*list, section);
}

bool ExampleLabsFile::holds(const LabRef& lab) const {
    const auto list = accepted_list(path_);
    return list && lab_line(*list, lab);
}

bool ExampleLabsFile::lab_exists_in_section(const SectionRef& section,
                                            std::string_view lab_name) const {
    const auto list = accepted_list(path_);
    const Block* block = list ? block_of(*list, section) : nullptr;
    // Labs the count keeps hidden count too: a raised count shows them.
    return block &&
           std::any_of(block->all_labs.begin(), block->all_labs.end(),
                       [&](std::size_t lab) { return cut(list->lines[lab]).value == lab_name; });
}

std::optional<std::string> ExampleLabsFile::lab_page(const LabRef& lab) const {
    const auto list = accepted_list(path_);
    const auto line = list ? lab_line(*list, lab) : std::nullopt;
    const auto page = line ? page_line(list->lines, *line) : std::nullopt;
    if (!page) return std::nullopt;
    return cut(list->lines[*page]).value;
}

// ------------------------------------------------------------------ writers

namespace {

std::string section_text(const SectionRef& section) {
    return "the section " + text::quoted(section.name);
}

std::string lab_text(const LabRef& lab) {
    return "the lab " + text::quoted(lab.name) + " of " + section_text(lab.section);
}

// The section or lab has left the list since it was shown.
SaveResult gone(const std::string& what) {
    return {false, true, what + " is no longer in the list"};
}

// A name or page the reader would not read back as written.
std::optional<SaveResult> unwritable(std::string_view typed) {
    if (const auto why = unreadable_entry(typed))
        return not_saved(text::quoted(typed) + " cannot be written: " + *why);
    return std::nullopt;
}

// Makes the changed lines of the list, or says why it does not.
using Edit = std::function<SaveResult(const List& list, Lines& changed)>;

// Reads and checks the file, makes the edit, keeps the file as it was in
// the copy and writes the edited text.  A list the reader refuses and an
// edit that is refused leave both files alone.
SaveResult rewrite(const std::string& path, const std::string& copy_path, const Edit& edit) {
    List current;
    try {
        current = read_list(path);
    } catch (const LabsListError& error) {
        return not_saved(error.what());
    }
    Lines changed;
    if (SaveResult edited = edit(current, changed); !edited) return edited;
    if (SaveResult kept = write_lines(copy_path, current.lines); !kept) return kept;
    return write_lines(path, changed);
}

}  // namespace

SaveResult ExampleLabsFile::append_section(std::string_view name) {
    if (auto refused = unwritable(name)) return *refused;
    // An appended section changes nothing that was there, so no copy is kept.
    List current;
    try {
        current = read_list(path_);
    } catch (const LabsListError& error) {
        return not_saved(error.what());
    }
    return write_lines(path_, with_section_appended(std::move(current.lines), name));
}

SaveResult ExampleLabsFile::add_lab(const SectionRef& section, std::string_view lab_name,
                                    std::string_view page) {
    for (const std::string_view entry : {lab_name, page})
        if (auto refused = unwritable(entry)) return *refused;
    return rewrite(path_, copy_path_, [&](const List& list, Lines& changed) -> SaveResult {
        const Block* block = block_of(list, section);
        if (!block) return gone(section_text(section));
        if (block->count >= kMostLabs)
            return not_saved(section_text(section) + " counts " + std::to_string(block->count) +
                             " labs, the most the list can count");
        changed = with_lab_added(list.lines, *block, lab_name, page);
        return {};
    });
}

SaveResult ExampleLabsFile::remove_section(const SectionRef& section) {
    return rewrite(path_, copy_path_, [&](const List& list, Lines& changed) -> SaveResult {
        const Block* block = block_of(list, section);
        if (!block) return gone(section_text(section));
        changed = with_section_removed(list.lines, *block);
        return {};
    });
}

SaveResult ExampleLabsFile::remove_lab(const LabRef& lab) {
    return rewrite(path_, copy_path_, [&](const List& list, Lines& changed) -> SaveResult {
        const auto line = lab_line(list, lab);
        if (!line) return gone(lab_text(lab));
        changed = with_lab_removed(list.lines, *block_of(list, lab.section), *line);
        return {};
    });
}

SaveResult ExampleLabsFile::rename_section(const SectionRef& section, std::string_view new_name) {
    if (auto refused = unwritable(new_name)) return *refused;
    return rewrite(path_, copy_path_, [&](const List& list, Lines& changed) -> SaveResult {
        const Block* block = block_of(list, section);
        if (!block) return gone(section_text(section));
        changed = list.lines;
        changed[block->name_line] = entry_line(kSectionName, new_name);
        return {};
    });
}

SaveResult ExampleLabsFile::replace_lab(const LabRef& lab, std::string_view new_lab_name,
                                        std::string_view page) {
    for (const std::string_view entry : {new_lab_name, page})
        if (auto refused = unwritable(entry)) return *refused;
    return rewrite(path_, copy_path_, [&](const List& list, Lines& changed) -> SaveResult {
        const auto line = lab_line(list, lab);
        if (!line) return gone(lab_text(lab));
        changed = with_lab_replaced(list.lines, *line, new_lab_name, page);
        return {};
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
        // An index line with a "=" or more: its first two parts count.
        if (lines[i].find('=') == std::string::npos) continue;  // not an entry of the index
        const Cut entry = cut(lines[i]);
        if (entry.key != kLabName || entry.value != lab_name) continue;
        if (i + 1 >= lines.size() || lines[i + 1].find('=') == std::string::npos) return {};
        return cut(lines[i + 1]).value;
    }
    return {};
}

}  // namespace vexlab::labs
