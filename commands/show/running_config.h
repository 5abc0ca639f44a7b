#pragma once
// A router's running configuration, and the configuration sections that
// "show interfaces serial" prints ahead of its template text when the
// interface carries Frame Relay subinterfaces or maps.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

// The running configuration of the router: a fixed frame around one section
// per interface.  Returns the lines written, each ended by CR LF; a label
// and its value stand on lines of their own, and an empty value leaves no
// line once the output is read back.
std::string build_running_config_output(const ShowContext& context);

// The sections of a serial interface's Frame Relay subinterfaces and maps.
struct SerialSections {
    std::string text;                    // empty when the interface has none
    bool use_frame_relay_block = false;  // none, but Frame Relay encapsulated
};
SerialSections build_serial_sections(const ShowContext& context, const std::string& interface);

}  // namespace vexlab::commands::show
