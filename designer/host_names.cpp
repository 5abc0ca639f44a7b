#include "designer/host_names.h"

#include "designer/network_map_file.h"
#include "networkfiles/file_format.h"
#include "networkfiles/network_file.h"
#include "platform/text.h"

namespace vexlab::designer {

namespace {

// Columns the settings table has besides its device columns, and the
// scratch column the file readers add.
constexpr std::string_view kReservedNames[] = {"Config_Variable", "default", "default_value",
                                               "rec_index"};

// Every line the network files, the configuration file and the map give a
// meaning of its own.  A host name is written as a line of its own (a far
// end, a device of a table dump) and between "<" and ">" (a routing
// record), so it must read as neither.
std::vector<std::string_view> marker_lines() {
    std::vector<std::string_view> markers = {networkfiles::kRoutingHeader,
                                             networkfiles::kOspfHeader,
                                             networkfiles::kEigrpHeader,
                                             networkfiles::kDescriptionHeader,
                                             networkfiles::kSubinterfaceHeader,
                                             kMapSubinterfaceMarker,
                                             kMapCountersMarker,
                                             kMapDescriptionMarker,
                                             kMapConnectorsMarker};
    for (const auto& dump : networkfiles::kDumpSections) markers.push_back(dump.header);
    return markers;
}

bool reads_as_marker(std::string_view name) {
    // A line that begins with "EOR" ends a record, whatever follows.
    if (name.substr(0, networkfiles::kEndOfRecord.size()) == networkfiles::kEndOfRecord ||
        name.substr(0, kMapEndOfRecord.size()) == kMapEndOfRecord)
        return true;
    for (std::string_view marker : marker_lines()) {
        if (text::iequals(name, marker)) return true;
        const bool bracketed = marker.size() > 2 && marker.front() == '<' && marker.back() == '>';
        if (bracketed && text::iequals(name, marker.substr(1, marker.size() - 2))) return true;
    }
    return false;
}

}  // namespace

std::string proposed_name(DeviceGroup group, int number) {
    return std::string(name_prefix(group)) + std::to_string(number);
}

HostNameVerdict check_host_name(std::string_view name, const std::vector<std::string>& taken) {
    if (name.empty()) return HostNameVerdict::Empty;
    if (name.find_first_of("'\"\r\n") != std::string_view::npos) return HostNameVerdict::Taken;
    // A name the network file reader would refuse could be designed but never
    // exported and opened again.
    if (networkfiles::unusable_device_name(name)) return HostNameVerdict::Taken;
    for (std::string_view reserved : kReservedNames)
        if (text::iequals(name, reserved)) return HostNameVerdict::Taken;
    if (reads_as_marker(name)) return HostNameVerdict::Taken;
    for (const auto& other : taken)
        if (text::iequals(name, other)) return HostNameVerdict::Taken;
    return HostNameVerdict::Accepted;
}

}  // namespace vexlab::designer
