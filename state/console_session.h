#pragma once
// The simulator console's run-time state, shared by the console, the
// interpreter and the command actions while a typed line is handled.  One
// instance lives in the program state; the console's load re-initialises
// what it names, everything else keeps its value between sessions.

#include <ctime>
#include <string>
#include <vector>

#include "state/vocabulary.h"

namespace vexlab::state {

// The device the console is attached to.
struct ConsoleDevice {
    std::string current_device;  // Device_Name, and the device's settings column
    std::string host_name;       // printed in front of every prompt
    DeviceKind device_kind = DeviceKind::Router;
    std::string device_model;    // "2501", "2950", "PC"; "Router"/"Switch" once a show ran
    std::string home_host_name;  // where the telnet escape returns to
    std::string home_device;
};

// The command mode and the configuration context.
struct ConsoleMode {
    CommandMode mode_suffix = CommandMode::User;
    std::string prompt_text;
    std::string config_prefix;      // interface or line name prefixing setting keys; "nill"
    std::string current_interface;  // interface being configured; empty outside
    std::string switch_port;
    std::string interface_number;
    std::string subinterface_number;
    int loopback_number = 0;
    std::string routing_protocol;  // "r", "o", "e" or empty
};

// Text waiting to be printed and the "--MORE--" pager.
struct ConsoleOutput {
    std::string response_text;  // "nill" prints nothing
    std::string pending_output;
    bool output_needs_paging = false;
    bool paging_active = false;
    std::vector<std::string> output_lines;
};

// Flags the key handlers pass to each other across the keys the console
// sends itself.
struct ConsoleKeys {
    bool ignore_next_up_key = false;
    bool prompt_redraw_pending = false;
    bool help_redraw_pending = false;
    std::vector<std::string> help_words;
    int help_word_count = 0;
    bool help_line_ends_with_space = false;
};

// A "password:" prompt.
struct PasswordEntry {
    std::string login_password;
    int expected_password_length = 0;
    std::vector<std::string> typed_password_chars;
    int typed_password_length = 0;
    bool login_password_entry = false;
    bool enable_password_entry = false;
    bool console_login_check = false;
    bool vty_password_requested = false;
    bool password_echo_pending = false;
};

struct ConsoleSession {
    ConsoleDevice device;
    ConsoleMode mode;
    ConsoleOutput output;
    ConsoleKeys keys;
    PasswordEntry password;
    bool awaiting_start = false;
    std::vector<std::string> command_history{std::string()};  // entry 0 unused
    int telnetsession_count = 0;
    int start_minute = 0;
    int start_hour = 0;
    std::time_t opened_at = 0;  // the whole moment the console was opened
};

// How the network shown in the console came from a file: Open Exported
// File, Load Config, or a lab's network loaded from the example labs.
enum class NetworkLoad { None, ExportedFile, ConfigurationFile, LabNetwork };

// One router's half of an OSPF virtual link, configured on `from` towards
// `to`, waiting for `to` to name `from`.
struct VirtualLinkHalf {
    std::string from, to;
};

// The network shown in the console.
struct LoadedNetwork {
    std::string lab_description;
    std::string network_picture_path;
    std::vector<VirtualLinkHalf> virtual_link_entries;
    // The network file loaded last, and how, so that a reload repeats that
    // very load; never cleared.
    std::string loaded_file_path;
    NetworkLoad loaded_by = NetworkLoad::None;
};

}  // namespace vexlab::state
