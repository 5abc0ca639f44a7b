#include "designer/host_names.h"

#include "designer/network_map_file.h"
#include "networkfiles/file_format.h"
#include "networkfiles/network_file.h"
#include "platform/text.h"

namespace vexlab::designer {

namespace {

// The exported settings table has, besides one column per device, the
// column of setting names (the network file reader refuses a device of that
// name) and this one.
constexpr std::string_view kDefaultsColumn = "default";

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

// Why the name would be read as structure of the files, if it would.
std::optional<std::string> reads_as_marker(std::string_view name) {
    // A line that begins with "EOR" ends a record, whatever follows.
    if (name.substr(0, networkfiles::kEndOfRecord.size()) == networkfiles::kEndOfRecord ||
        name.substr(0, kMapEndOfRecord.size()) == kMapEndOfRecord)
        return "the network files and the map end a record at every line that begins with " +
               text::quoted(networkfiles::kEndOfRecord) + ", and a host name is a line of its own";
    for (std::string_view marker : marker_lines()) {
        if (text::iequals(name, marker))
            return "the network files and the map read the line " + text::quoted(marker) +
                   " as a section heading, and a host name is a line of its own";
        const bool bracketed = marker.size() > 2 && marker.front() == '<' && marker.back() == '>';
        if (bracketed && text::iequals(name, marker.substr(1, marker.size() - 2)))
            return "the network files also write a host name between \"<\" and \">\", where " +
                   text::quoted(name) + " would read as the section heading " +
                   text::quoted(marker);
    }
    return std::nullopt;
}

}  // namespace

std::string proposed_name(DeviceGroup group, int number) {
    return std::string(name_prefix(group)) + std::to_string(number);
}

HostNameVerdict check_host_name(std::string_view name, const std::vector<std::string>& taken) {
    if (name.empty()) return HostNameVerdict::Empty;
    for (const auto& other : taken)
        if (text::iequals(name, other)) return HostNameVerdict::Taken;
    if (unusable_host_name(name)) return HostNameVerdict::Unusable;
    return HostNameVerdict::Accepted;
}

std::optional<std::string> unusable_host_name(std::string_view name) {
    // A name the network file reader would refuse could be designed but never
    // exported and opened again; it says why itself.
    if (auto why = networkfiles::unusable_device_name(name)) return why;
    const auto refusal = [&](const std::string& why) {
        return "a device cannot be named " + text::quoted(name) + ": " + why;
    };
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return refusal("the network files write a host name on a line of its own");
    if (text::iequals(name, kDefaultsColumn))
        return refusal(
            "the exported settings keep each setting's default value in a column of "
            "that name, beside one column per device");
    if (auto why = reads_as_marker(name)) return refusal(*why);
    return std::nullopt;
}

}  // namespace vexlab::designer
