#include "designer/designer_catalogue.h"

#include "platform/text.h"

namespace vexlab::designer {

const std::vector<PaletteGroup>& palette() {
    static const std::vector<PaletteGroup> groups = {
        {"Routers", 1, {"2501", "2503", "2610", "2620"}},
        {"Switches", 2, {"2950", "1912"}},
        {"Other devices", 3, {"PC"}},
        {"Connectors", 4, {"Serial", "Ethernet", "IsdnBri", "Frame Relay"}},
    };
    return groups;
}

const std::vector<std::string>& palette_images() {
    static const std::vector<std::string> images = {"router.ico", "switch.ico", "Pc04.ico",
                                                    "serial.ico"};
    return images;
}

std::optional<DeviceGroup> model_group(std::string_view model) {
    if (model == "2501" || model == "2503" || model == "2610" || model == "2620")
        return DeviceGroup::Router;
    if (model == "2950" || model == "1912") return DeviceGroup::Switch;
    if (model == "PC") return DeviceGroup::Workstation;
    return std::nullopt;
}

std::optional<ConnectorKind> connector_kind(std::string_view palette_text) {
    if (palette_text == "Serial") return ConnectorKind::Serial;
    if (palette_text == "Ethernet") return ConnectorKind::Ethernet;
    if (palette_text == "IsdnBri") return ConnectorKind::IsdnBri;
    if (palette_text == "Frame Relay") return ConnectorKind::FrameRelay;
    return std::nullopt;
}

std::string_view connector_text(ConnectorKind kind) {
    switch (kind) {
        case ConnectorKind::Serial:
            return "Serial";
        case ConnectorKind::Ethernet:
            return "Ethernet";
        case ConnectorKind::IsdnBri:
            return "IsdnBri";
        case ConnectorKind::FrameRelay:
            return "Frame Relay";
    }
    return "Serial";
}

std::string_view connector_category(ConnectorKind kind) {
    return kind == ConnectorKind::FrameRelay ? "Serial" : connector_text(kind);
}

std::int32_t connector_colour(ConnectorKind kind) {
    switch (kind) {
        case ConnectorKind::Serial:
            return kTemplateLineColour;
        case ConnectorKind::Ethernet:
            return kEthernetLineColour;
        case ConnectorKind::IsdnBri:
            return kIsdnLineColour;
        case ConnectorKind::FrameRelay:
            return kFrameRelayLineColour;
    }
    return kTemplateLineColour;
}

std::string_view icon_file(DeviceGroup group) {
    switch (group) {
        case DeviceGroup::Router:
            return "router.ico";
        case DeviceGroup::Switch:
            return "switch.ico";
        case DeviceGroup::Workstation:
            return "Pc04.ico";
    }
    return "router.ico";
}

std::string_view name_prefix(DeviceGroup group) {
    switch (group) {
        case DeviceGroup::Router:
            return "R";
        case DeviceGroup::Switch:
            return "SW";
        case DeviceGroup::Workstation:
            return "PC";
    }
    return "R";
}

bool is_switch_model(std::string_view model) {
    return model == "2950" || model == "1912";
}

std::string_view management_interface(std::string_view model) {
    if (model == "2950") return "FastEthernet1";
    if (model == "1912") return "Ethernet0";
    return {};
}

namespace {

// A text of more than one character keeps its first and last character.
std::string shorten(std::string_view text) {
    if (text.size() <= 1) return std::string(text);
    return {text.front(), text.back()};
}

}  // namespace

std::string short_interface_label(std::string_view interface_name) {
    const auto parts = text::split(interface_name, "/");
    if (parts.size() < 2) return shorten(interface_name);
    // The prefix takes the first and the last character of the slot part even
    // when that part is a single character.
    std::string prefix;
    if (!parts[0].empty()) prefix = {parts[0].front(), parts[0].back()};
    return prefix + "/" + shorten(parts[1]);
}

}  // namespace vexlab::designer
