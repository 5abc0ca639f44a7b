#pragma once
// The example-labs list "labs-sim.txt": named sections in file order, each
// with its labs and the page of each lab.  The browser only reads it; the
// editor changes it.  Nothing is cached: every operation reads the file from
// its first line.
//
// The file is line text, every written line ending in CR LF (read as
// platform::split_lines takes line ends):
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
// blanks.  Names compare exactly, letter case included, in the form the tree
// shows them: a typed " Routing" is the section "Routing".  A rewrite builds the
// whole new text first, keeps the file as it was in "labs-sim1.txt" and
// replaces "labs-sim.txt" in one step, so a failed write leaves it untouched.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_refusal.h"

namespace vexlab::labs {

inline constexpr const char* kLabsFileName = "labs-sim.txt";
inline constexpr const char* kLabsCopyName = "labs-sim1.txt";
inline constexpr const char* kLabNetworkIndexName = "load_labs.txt";
inline constexpr const char* kCoverPage = "labs/cover.html";

// The most labs a section's count line may give: the reader refuses a larger
// count, so no writer raises a count beyond it.
inline constexpr int kMostLabs = 32767;

struct LabSection {
    std::string name;
    std::vector<std::string> labs;  // the labs the tree shows, in file order
};

// A list the reader will not show: a header without its name line, a count
// that is no count, or a folder in the file's place.  Nothing was changed.
class LabsListError : public platform::FileRefusal {
public:
    LabsListError(std::string path, int line, std::string reason)
        : FileRefusal("The list of labs could not be read.", std::move(path), line,
                      std::move(reason)) {}
};

// One section of the tree, by its place among the sections (from 0) and the
// name it showed there.  Sections and labs of one name may stand more than
// once in a list; their place tells them apart.
struct SectionRef {
    std::size_t index = 0;
    std::string name;
};

// One lab of the tree: its section, its place among the labs the section
// shows (from 0) and its name.
struct LabRef {
    SectionRef section;
    std::size_t index = 0;
    std::string name;
};

// What a writer did: saved, or the reason it could not.  `gone` tells that
// the section or lab it was given is no longer in the list.
struct SaveResult {
    bool saved = true;
    bool gone = false;
    std::string error;
    explicit operator bool() const { return saved; }
};

// A typed name as the list will show it once written: without the blanks
// around it, and cut at a "=" as the reader cuts the line.
std::string shown_name(std::string_view typed);

// Why a typed name or page cannot stand in the list: written as an entry
// line and read back by the reader's own rules it would not be the entry
// it was (a "=" makes the line no entry, a line break two lines).  Nothing
// when it can.
std::optional<std::string> unreadable_entry(std::string_view typed);

class ExampleLabsFile {
public:
    explicit ExampleLabsFile(std::string program_folder);

    const std::string& path() const { return path_; }
    const std::string& copy_path() const { return copy_path_; }

    // --- Readers.  A missing file reads as an empty one; a list the reader
    // refuses throws LabsListError from read_lab_tree and holds nothing for
    // the lookups by name and place.
    std::vector<LabSection> read_lab_tree() const;
    // The stored page of the first lab of that name anywhere in the file's
    // lines, or an empty text; the file is not checked as the tree reads it.
    std::string find_lab_page(std::string_view lab_name) const;
    // Whether any section of the tree shows that name.
    bool section_exists(std::string_view name) const;
    // Whether the list still holds the section or the lab at its place.
    bool holds(const SectionRef& section) const;
    bool holds(const LabRef& lab) const;
    // Whether the section's block lists a lab of that name.
    bool lab_exists_in_section(const SectionRef& section, std::string_view lab_name) const;
    // The stored page of the lab, if its name line is followed by one.
    std::optional<std::string> lab_page(const LabRef& lab) const;

    // --- Writers.  Names and paths are written exactly as passed; one the
    // reader would not read back (see unreadable_entry) is refused.  Each
    // acts on the one section or lab it is given; when the list no longer
    // holds it at its place, nothing is written and the result says it is
    // gone.  A list the reader refuses is not written, and neither is a
    // count beyond kMostLabs.
    SaveResult append_section(std::string_view name);
    // Adds the lab after the labs the section shows and raises its count.
    SaveResult add_lab(const SectionRef& section, std::string_view lab_name, std::string_view page);
    SaveResult remove_section(const SectionRef& section);
    // Removes the lab and lowers its section's count.
    SaveResult remove_lab(const LabRef& lab);
    SaveResult rename_section(const SectionRef& section, std::string_view new_name);
    // Replaces the lab's two lines in place; the count is not touched.
    SaveResult replace_lab(const LabRef& lab, std::string_view new_lab_name, std::string_view page);

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
