#pragma once
// What interrupted saves may leave in a folder handed round, of every kind,
// and the state of a folder tree to compare before and after a read.

#include <filesystem>
#include <string>
#include <vector>

namespace vexlab::test {

struct Leftover {
    std::filesystem::path path;
    // Whether the program's start removes it: a temporary file of this
    // machine whose process is gone.  Nothing else is ever removed.
    bool removed_at_start = false;
};

// Puts beside the file of the given name: temporary files of this machine
// and of others with process numbers no process has, names of other forms,
// notes of replacements (as earlier versions wrote them) that name files of
// the folder, of the folder above ("..") and absolute paths, and a file in
// the folder above that those notes name.  Answers what it put there.
std::vector<Leftover> plant_leftovers(const std::filesystem::path& folder,
                                      const std::string& file_name);

// Every file and folder under the folder, with each file's bytes and rights.
std::string tree_state(const std::filesystem::path& folder);

}  // namespace vexlab::test
