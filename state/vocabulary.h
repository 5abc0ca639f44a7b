#pragma once
// The words every part of the program shares: the command modes (each knows
// the prompt suffix the catalogue and the prompt spell it with), the device
// kinds, and the marker texts the tables and the catalogue store.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace vexlab::state {

// A command mode.  The catalogue stores a mode as its prompt suffix; the text
// is turned into the enum once, where a catalogue row is read.
enum class CommandMode : std::uint8_t {
    User,              // ">"
    Privileged,        // "#"
    Config,            // "(config)#"
    ConfigIf,          // "(config-if)#"
    ConfigSubif,       // "(config-subif)#"
    ConfigRouter,      // "(config-router)#"
    ConfigLine,        // "(config-line)#"
    ConfigController,  // "(config-controller)#"
    ConfigExtNacl,     // "(config-ext-nacl)#"
    Vlan,              // "(vlan)#"
    Pc,                // ":", the workstation's only mode
};

inline constexpr std::array<CommandMode, 11> kCommandModes = {
    CommandMode::User,
    CommandMode::Privileged,
    CommandMode::Config,
    CommandMode::ConfigIf,
    CommandMode::ConfigSubif,
    CommandMode::ConfigRouter,
    CommandMode::ConfigLine,
    CommandMode::ConfigController,
    CommandMode::ConfigExtNacl,
    CommandMode::Vlan,
    CommandMode::Pc,
};

// The text printed after the host name: ">", "#", "(config-if)#" ...
std::string_view prompt_suffix(CommandMode mode);
// The mode a suffix names (exactly as written), or nothing.
std::optional<CommandMode> command_mode(std::string_view suffix);

// The configuration sub-modes that "exit" leaves for "(config)#".
bool is_sub_mode(CommandMode mode);
// Interface and subinterface mode, where a row's generic write goes to the
// interface's own settings (except on a switch).
bool is_interface_mode(CommandMode mode);

// Device kinds, numbered as the catalogue's ref column and table device do.
enum class DeviceKind : int { Router = 1, Switch = 2, Pc = 3 };

// The number the tables store for a kind.
constexpr int kind_number(DeviceKind kind) {
    return static_cast<int>(kind);
}
// The kind a stored number names, or nothing.
std::optional<DeviceKind> device_kind(std::int64_t number);
// The kind named in words: "router", "switch" or "pc" (any letter case).
std::optional<DeviceKind> device_kind_named(std::string_view name);

// The suffix and the kind's name, for messages and test output.
std::ostream& operator<<(std::ostream& out, CommandMode mode);
std::ostream& operator<<(std::ostream& out, DeviceKind kind);

// Marker texts stored in tables, the catalogue and the session state.
namespace marker {
inline constexpr std::string_view kNill = "nill";      // no value; a response that prints nothing
inline constexpr std::string_view kNull = "null";      // a further word's "no response"
inline constexpr std::string_view kUnassigned = "UA";  // unassigned address, mask or next hop
inline constexpr std::string_view kNotApplicable = "NA";  // not applicable
inline constexpr std::string_view kEndCmd = "end_cmd";    // the catalogue's end marker row
inline constexpr std::string_view kNotSet = "Not Set";    // a text setting not configured
}  // namespace marker

}  // namespace vexlab::state
