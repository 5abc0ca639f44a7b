#pragma once
// The ping, traceroute and telnet commands: what is probed, from where, in
// which order, and what the console prints.  A typed target with a "." is an
// address; any other word is a host name, resolved to the addresses of the
// device that carries it.  A router probes from itself; a switch or PC from
// each router its LAN hangs off, entering it at the interface that faces
// the LAN.  A target on a LAN is probed through the router addresses of that
// LAN.

#include <optional>
#include <string>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {
struct NetworkTableSet;
struct ConsoleSession;
}  // namespace vexlab::state

namespace vexlab::reachability {

// The console a command was typed at.
struct ConsoleAt {
    std::string device;  // current_device
    state::DeviceKind kind = state::DeviceKind::Router;
};

// The text ping prints: the success block for the address that answered,
// or the failure text naming the typed target.
std::string ping_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                         const ConsoleAt& console, const std::string& command_line);

// The hops of the best path, or the failure text.
std::string traceroute_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                               const ConsoleAt& console, const std::string& command_line);

// Where a telnet session lands.
struct TelnetSession {
    std::string device;     // the device's name (its settings column)
    std::string host_name;  // shown in front of the prompt
    state::DeviceKind device_kind = state::DeviceKind::Router;
    std::string vty_password;  // "nill" when the device asks none
};

struct TelnetOutcome {
    // The session reached, or nothing with the failure text in `response`.
    std::optional<TelnetSession> session;
    std::string response;
    int telnetsession_count = 0;  // the console's counter after the command
};

// Probes the target and, when it answers, gives the reached device its
// session number the first time and records it among the telnetted hosts of
// the device the session leaves.
TelnetOutcome telnet_command(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                             const ConsoleAt& console, const std::string& command_line,
                             int telnetsession_count);

// Moves the console onto the session's device: the device left becomes the
// one Ctrl+^ x returns to; a PC's prompt ends in ":"; a device with a vty
// password asks it before its prompt.
void switch_console(state::ConsoleSession& console, const TelnetSession& session);

inline constexpr const char* kTelnetFailure =
    "% Unrecognized host or address, or protocol not running.";

}  // namespace vexlab::reachability
