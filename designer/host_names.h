#pragma once
// Host names of designed devices: the name proposed for a new device and
// the test a chosen name must pass.  A host name becomes a column of the
// settings tables and a line of the network files, so it must differ from
// every other name also in letter case and must not break either: it may
// not hold a line break, read as one of the files' marker lines, take the
// name of a column the exported settings already have, nor be a name the
// network file reader refuses for a device.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designer/designer_catalogue.h"

namespace vexlab::designer {

// "R" + n for routers, "SW" + n for switches, "PC" + n for workstations.
std::string proposed_name(DeviceGroup group, int number);

enum class HostNameVerdict {
    Accepted,
    Empty,     // no name (an empty text or a cancelled prompt)
    Taken,     // used by another device
    Unusable,  // no other device has it, but no device can be named so
};

HostNameVerdict check_host_name(std::string_view name, const std::vector<std::string>& taken);

// Why no device can be named `name`, as a refusal that names it and gives
// the reason ("a device cannot be named "default": ..."); nothing when a
// device can be.
std::optional<std::string> unusable_host_name(std::string_view name);

}  // namespace vexlab::designer
