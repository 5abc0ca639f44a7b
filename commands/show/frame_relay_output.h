#pragma once
// A router's Frame Relay show output: the static maps of its main serial
// interfaces, and the circuits "show frame-relay pvc" finds for its block of
// the show template file.

#include <string>
#include <vector>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

inline constexpr const char* kNoPvcMessage = "PVC Statistics for interface";

// One circuit of the router: the interface that carries it and its DLCI.
struct Circuit {
    std::string interface;
    std::string dlci;
};

// The circuits "show frame-relay pvc" lists: with a DLCI, the router's first
// map or subinterface of that DLCI (the DLCI as typed); without one, every
// map and subinterface that has a DLCI.  Empty when nothing matches.
std::vector<Circuit> frame_relay_pvc_lookup(const ShowContext& context);

// "show frame-relay map": one line per map of a main interface.  Returns the
// lines written, each ended by CR LF.
std::string build_frame_relay_map_output(const ShowContext& context);

}  // namespace vexlab::commands::show
