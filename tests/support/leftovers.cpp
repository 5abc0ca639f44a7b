#include "support/leftovers.h"

#include <fstream>
#include <map>
#include <sstream>

#include "platform/atomic_file.h"

namespace vexlab::test {

namespace fs = std::filesystem;

namespace {

// No process has this number: it lies above the largest one the system gives.
constexpr const char* kNoProcess = "99999999";

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

std::vector<Leftover> plant_leftovers(const fs::path& folder, const std::string& file_name) {
    const std::string ours = ".vexlab-tmp-" + platform::machine_name() + "-" + kNoProcess;
    const std::string note = file_name + ".vexlab-commit-" + kNoProcess;
    const fs::path above = folder.parent_path();
    const std::string own_temporary = file_name + ".vexlab-tmp-" + kNoProcess + "-q7Wm2x";
    std::vector<Leftover> planted = {
        {folder / (file_name + ours + "-a1B2c3"), true},
        {folder / (file_name + ".vexlab-tmp-other-machine-" + kNoProcess + "-a1B2c3"), false},
        {folder / own_temporary, false},
        {folder / (file_name + ours + "-a1B"), false},
        {folder / (ours + "-a1B2c3"), false},
        {folder / "payload", false},
        {above / "victim.txt", false},
    };
    for (const auto& leftover : planted) write(leftover.path, "left by " + leftover.path.string());
    for (const auto& [name, text] : std::map<std::string, std::string>{
             {note + "-aaaaaa", "payload\t../victim.txt\n"},
             {note + "-bbbbbb", "payload\t" + (above / "victim.txt").string() + "\n"},
             {note + "-cccccc", own_temporary + "\t" + file_name + "\n"},
             {note + "-dddddd", "payload\t" + file_name + "\n"}}) {
        write(folder / name, text);
        planted.push_back({folder / name, false});
    }
    // A folder under a name of ours is no file of ours.
    planted.push_back({folder / (file_name + ours + "-d4E5f6"), false});
    fs::create_directory(planted.back().path);
    return planted;
}

std::string tree_state(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = entry.symlink_status();
        std::ostringstream state;
        state << static_cast<int>(status.type()) << " " << static_cast<int>(status.permissions());
        if (status.type() == fs::file_type::regular) {
            std::ifstream in(entry.path(), std::ios::binary);
            state << "\n" << in.rdbuf();
        }
        entries[fs::relative(entry.path(), folder).string()] = state.str();
    }
    std::string text;
    for (const auto& [name, state] : entries) text += name + ": " + state + "\n";
    return text;
}

}  // namespace vexlab::test
