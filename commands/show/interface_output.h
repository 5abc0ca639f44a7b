#pragma once
// A router's interface listings and its static NAT translations.  Columns
// are fixed runs of blanks between the values, not padded to a width.

#include <string>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

inline constexpr const char* kLoopbackDisabledMessage = "Loopback Interface";

// "show ip interface brief": one line per interface.  Lines each ended by
// CR LF.
std::string build_ip_interface_brief_output(const ShowContext& context);

// "show protocols": the global routing line and four lines per interface.
std::string build_protocols_output(const ShowContext& context);

// Whether the device's loopback interface is switched off ("loopback_int"
// is "disable"); a device without the setting counts as switched on.
bool loopback_disabled(const ShowContext& context);

// "show ip nat translations": the router's static translations.
std::string build_nat_translations_output(const ShowContext& context);

}  // namespace vexlab::commands::show
