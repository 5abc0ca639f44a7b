#pragma once
// Loading a network file into the console's working tables: Open Exported
// File, Load Config, a lab's network from the example labs, and the
// console's reload of the network loaded last.
//
// A load reads and checks the whole file first; only a file that holds
// together is applied, in one transaction, and only then does the console
// follow it (table set, device, prompt, description, picture).  A refused or
// failed load leaves the database and the console exactly as they were.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_refusal.h"
#include "state/console_session.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct AppState;
struct NetworkTableSet;
}  // namespace vexlab::state

namespace vexlab::networkfiles {

using state::NetworkLoad;

inline constexpr const char* kLoadRefused = "The network file could not be loaded.";
inline constexpr const char* kSaveFailed = "The configuration could not be saved.";

// A refused load: the file, the line where the reading stopped (0 when the
// fault is no line's) and why.  message() is the text the user is shown.
class LoadError : public platform::FileRefusal {
public:
    LoadError(std::string path, int line, std::string reason)
        : FileRefusal(kLoadRefused, std::move(path), line, std::move(reason)) {}
};

class SaveError : public std::runtime_error {
public:
    SaveError(std::string path, std::string reason);
    std::string message() const;

private:
    std::string path_;
    std::string reason_;
};

// Told the number of load steps done, for a progress bar.
using Progress = std::function<void(int steps_done)>;

// How many steps a load of the kind counts.
int load_steps(NetworkLoad how);

// Replaces the network shown with the file's and attaches the console to
// the file's first device.  An exported file (and a lab's network, which is
// one) is opened with its subinterfaces, its picture beside it and the PC
// interfaces up; a configuration file with every table it saved.  Router
// ids are computed except for a lab's network.  Throws LoadError.
void load_network(state::AppState& app, const std::string& path, NetworkLoad how,
                  const Progress& progress = {});

// The console's reload while a loaded network is shown: the same load, from
// the same file, as the one that loaded it.  Throws LoadError.
void reload_loaded_network(state::AppState& app);

// Empties the working network ready for a load: with the working set in
// force, the device columns of its settings table go (the keys stay) and
// the set's other eleven tables are emptied; with either set, access_list
// and nat_pool are emptied.  The default set's tables are never touched.
void delcolumn(db::DatabaseSession& session, const state::NetworkTableSet& tables);

// Save Config: writes the network shown as a configuration file.  The text
// is read back before it is written, so a network the file format cannot
// carry is refused instead of saved half; the file is replaced only when the
// new one is complete.  Throws SaveError.
void save_config(state::AppState& app, const std::string& path);

// An exported network file with its picture beside it (picture_path_for),
// or the file alone when there is no picture to write (a picture already
// beside it then stays).  The picture is written first: the network file is
// what makes the export count, so a new network file never stands beside
// the picture of an earlier export.  Throws platform::FileWriteError with
// both files as they were.
void write_exported_network(const std::string& path, std::string_view text,
                            std::string_view picture);

}  // namespace vexlab::networkfiles
