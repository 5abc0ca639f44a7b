#pragma once
// The output of every show command (and of write terminal).  A matched show
// line is named by its show key: "show", the device word ("Router",
// "Switch", or a PC's model) and the line's keywords, e.g.
// "show Router ip route".  The key picks the builder: one of the hard-coded
// listings, or the key's block of the show template file.

#include <string>
#include <vector>

#include "commands/show/show_context.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

// The device word of a show key: "Router" for a router, "Switch" for a
// switch, the model text ("PC") for anything else.
std::string device_word(state::DeviceKind kind, const std::string& device_model);

// The show key of a matched line from its canonical words: "show history"
// and "show clock" as they are; every other line "show", the device word
// and each keyword (argument positions are empty and left out).
std::string show_key(const std::vector<std::string>& command_words, state::DeviceKind kind,
                     const std::string& device_model);

// Builds the output of `key`.
ShowOutput build_show_output(std::string key, const ShowContext& context);

// "show history": the typed lines, from entry 1, each ended by CR LF.
std::string build_history_output(const std::vector<std::string>& history);

// "show clock": the time as "h:m:s" and the date as "mmm d yyyy", without
// leading zeros (9:5:7 Dec 9 2026).
std::string build_clock_output(std::time_t now);

}  // namespace vexlab::commands::show
