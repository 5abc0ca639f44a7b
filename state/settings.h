#pragma once
// Reading and writing one device's settings: the cell at a key's row and the
// device's column of the settings table in force.

#include <optional>
#include <string>
#include <vector>

namespace vexlab::state {

struct AppState;

// The device's value of a key; nothing when the key has no row, the device
// no column, or the cell is empty (Null).
std::optional<std::string> read_setting(AppState& app, const std::string& key,
                                        const std::string& device);

// The name of the device's column as the table spells it (found without
// regard to letter case), or nothing.
std::optional<std::string> device_column(AppState& app, const std::string& device);

// Writes the device's value of a key; false when the key has no row or the
// device no column.
bool write_setting(AppState& app, const std::string& key, const std::string& device,
                   const std::string& value);

// The device columns of the settings table in force: every column after the
// key in a loaded network, the working columns (2, 4, 6 ...) of the default.
std::vector<std::string> device_columns(AppState& app);

}  // namespace vexlab::state
