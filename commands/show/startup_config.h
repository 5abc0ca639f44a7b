#pragma once
// The privileged commands that keep the startup configuration (copy
// running-config startup-config, write memory, erase startup-config, write
// erase) and the one that goes back to an open telnet session (resume).
//
// The startup configuration is the device's "startup-config" setting.  It is
// built from the "show Router running-config" or "show Switch running-config"
// block of the show template file, whose "$<key>" lines stand for the
// device's value of that key.

#include <optional>
#include <string>
#include <vector>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::commands::show {

inline constexpr const char* kStartupConfigKey = "startup-config";
inline constexpr const char* kNoStartupConfig =
    "%% Non-volatile configuration memory is not present";
// What show startup-config says on a device that has never saved.
inline constexpr const char* kStartupConfigNotPresent = "startup-config is not present";

// The template key of a device kind's running configuration.
std::string running_config_key(state::DeviceKind kind, const std::string& device_model);

// The startup configuration text of the device from the template block of
// `key`: "Current Configuration: 500 bytes", then every line of the block
// after its first one, each after a CR LF, "$<key>" lines replaced by the
// device's value and left out while it has none.  Nothing when the template
// has no such block.
std::optional<std::string> startup_config_text(db::DatabaseSession& session,
                                               const state::NetworkTableSet& tables,
                                               const std::string& device,
                                               const std::vector<std::string>& template_lines,
                                               const std::string& key);

// copy running-config startup-config, write memory: stores the text above
// as the device's startup configuration.  Nothing changes when the template
// has no block for the device kind.
void save_running_config(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                         const std::string& device, state::DeviceKind kind,
                         const std::string& device_model, const std::string& template_path);

// erase startup-config, write erase: the device's value of `key` becomes the
// message that nothing is saved.
void erase_startup_config(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                          const std::string& device, const std::string& key);

// The device an open telnet session leads to.
struct SessionDevice {
    std::string device;  // its settings column, the new current_device
    std::string host_name;
    // Nothing when the device table does not list the device.
    std::optional<state::DeviceKind> device_kind;
    std::string device_model;
};

// resume <n>: the first device, in key and column order, whose telnet
// session number (or host name) is `session_number`.
std::optional<SessionDevice> resume_telnet_session(db::DatabaseSession& session,
                                                   const state::NetworkTableSet& tables,
                                                   const std::string& session_number);

}  // namespace vexlab::commands::show
