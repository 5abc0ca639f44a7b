#include "designer/host_names.h"

#include "platform/text.h"

namespace vexlab::designer {

namespace {

// Columns the settings table has besides its device columns, and the
// scratch column the file readers add.
constexpr std::string_view kReservedNames[] = {"Config_Variable", "default", "default_value",
                                               "rec_index"};

}  // namespace

std::string proposed_name(DeviceGroup group, int number) {
    return std::string(name_prefix(group)) + std::to_string(number);
}

HostNameVerdict check_host_name(std::string_view name, const std::vector<std::string>& taken) {
    if (name.empty()) return HostNameVerdict::Empty;
    if (name.find_first_of("'\"\r\n") != std::string_view::npos) return HostNameVerdict::Taken;
    for (std::string_view reserved : kReservedNames)
        if (text::iequals(name, reserved)) return HostNameVerdict::Taken;
    for (const auto& other : taken)
        if (text::iequals(name, other)) return HostNameVerdict::Taken;
    return HostNameVerdict::Accepted;
}

}  // namespace vexlab::designer
