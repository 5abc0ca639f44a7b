#pragma once
// The two table-driven actions of configuration commands.  A catalogue row
// that carries an action names, in its parameter list, the settings it writes
// (configuration keys, or interface columns in interface modes); the
// interpreter hands that list and the matched words to one of these.

#include <string>
#include <vector>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::commands {

// Writes configuration keys of the current device (and the few settings with
// a treatment of their own: host name, loopback, passwords ...).
// `setting_names` may be changed in place; `command_key` is the matched
// command words joined by single blanks.
void set_config_variables(state::AppState& app, std::vector<std::string>& setting_names,
                          const std::string& command_key);

// Writes interface settings of the current interface (interface and
// subinterface modes on routers and workstations).  Refuses a command by
// setting command_found to false.
void config_interface(state::AppState& app, std::vector<std::string>& setting_names,
                      const std::string& command_key);

}  // namespace vexlab::commands
