#pragma once
// The example-labs list "labs-sim.txt": named sections in file order, each
// with its labs and the page of each lab.  The browser only reads it; the
// editor changes it.  Nothing is cached: every operation reads the file from
// its first line.
//
// The file is line text, every written line ending in CR LF:
//
//     [section]
//     sectionname = Routing
//     NumberOfLabs = 2
//     labname = RIP on three routers
//     labpath = /labs/rip.html
//     labname = ...
//     labpath = ...
//     <empty line>
//
// An entry line holds exactly one "="; its key and value are trimmed of
// blanks.  Names compare exactly, letter case included.  A rewrite builds the
// whole new text first, keeps the file as it was in "labs-sim1.txt" and
// replaces "labs-sim.txt" in one step, so a failed write leaves it untouched.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::labs {

inline constexpr const char* kLabsFileName = "labs-sim.txt";
inline constexpr const char* kLabsCopyName = "labs-sim1.txt";
inline constexpr const char* kLabNetworkIndexName = "load_labs.txt";
inline constexpr const char* kCoverPage = "labs/cover.html";

struct LabSection {
    std::string name;
    std::vector<std::string> labs;  // the labs the tree shows, in file order
};

// What a writer did: saved, or the reason it could not.
struct SaveResult {
    bool saved = true;
    std::string error;
    explicit operator bool() const { return saved; }
};

class ExampleLabsFile {
public:
    explicit ExampleLabsFile(std::string program_folder);

    const std::string& path() const { return path_; }
    const std::string& copy_path() const { return copy_path_; }

    // --- Readers.  A missing or unreadable file reads as an empty one.
    std::vector<LabSection> read_lab_tree() const;
    // The stored page of the first lab of that name anywhere in the file, or
    // an empty text.
    std::string find_lab_page(std::string_view lab_name) const;
    // The page of the named lab, searched from the first section of that name.
    std::optional<std::string> find_lab_path_in_section(std::string_view section,
                                                        std::string_view lab_name) const;
    bool section_exists(std::string_view name) const;
    // Whether the block of the first section of that name lists the lab.
    bool lab_exists_in_section(std::string_view section, std::string_view lab_name) const;
    std::optional<int> section_lab_count(std::string_view section) const;

    // --- Writers.  Names and paths are written exactly as passed.
    SaveResult append_section(std::string_view name);
    // Adds the lab as the last of the section and raises its count.
    SaveResult add_lab(std::string_view section, std::string_view lab_name, std::string_view page);
    // Removes every block of that name.
    SaveResult remove_section(std::string_view name);
    // Removes the lab from the named section only and lowers that count.
    SaveResult remove_lab(std::string_view lab_name, std::string_view section);
    SaveResult rename_section(std::string_view old_name, std::string_view new_name);
    // Replaces the lab's two lines in place; the count is not touched.
    SaveResult replace_lab(std::string_view section, std::string_view old_lab_name,
                           std::string_view new_lab_name, std::string_view page);

private:
    std::string path_;
    std::string copy_path_;
};

// A file of the program folder named by a stored path ("/labs/x.html"; the
// old "\labs\x.html" form is read too).
std::string program_path(const std::string& program_folder, std::string_view stored);

// The stored form of a page the user picked: its path below the program
// folder with a leading "/", or nothing when the file lies outside it.
std::optional<std::string> stored_page_path(const std::string& program_folder,
                                            const std::string& chosen);

// The network file listed for a lab in "load_labs.txt": the value of the
// line that follows the lab's "labname" line, or an empty text when the lab
// is not listed (or the index cannot be read).
std::string find_lab_network(const std::string& program_folder, std::string_view lab_name);

}  // namespace vexlab::labs
