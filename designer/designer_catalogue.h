#pragma once
// What the designer knows of its palette without asking the database: the
// groups and items of the palette, the device group of each model (its icon
// and name prefix), the connector kinds with the interfaces they join and the
// colour of their lines, and the short label of an interface name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::designer {

enum class DeviceGroup { Router, Switch, Workstation };
enum class ConnectorKind { Serial, Ethernet, IsdnBri, FrameRelay };

struct PaletteGroup {
    std::string caption;
    int image;  // 1-based place in the palette's image list
    std::vector<std::string> items;
};

// "Routers", "Switches", "Other devices", "Connectors" with their items.
const std::vector<PaletteGroup>& palette();
// The palette's images, in image-list order.
const std::vector<std::string>& palette_images();

// The group of one of the seven models; none for any other text.
std::optional<DeviceGroup> model_group(std::string_view model);
std::optional<ConnectorKind> connector_kind(std::string_view palette_text);
std::string_view connector_text(ConnectorKind kind);
// The int_category of the interfaces a connector joins ("Frame Relay" joins
// serial interfaces).
std::string_view connector_category(ConnectorKind kind);
// The colour number of a connector's line, as the map file stores it.
std::int32_t connector_colour(ConnectorKind kind);

// Line colours are numbers in the blue-green-red order of the window system;
// a number with the top bit set names a system colour by its low byte.
inline constexpr std::int32_t kTemplateLineColour = -2147483630;  // button text
inline constexpr std::int32_t kEthernetLineColour = 0x80FFFF;
inline constexpr std::int32_t kIsdnLineColour = 0xC0C0FF;
inline constexpr std::int32_t kFrameRelayLineColour = 0xFF00;

std::string_view icon_file(DeviceGroup group);
std::string_view name_prefix(DeviceGroup group);

bool is_switch_model(std::string_view model);
// The interface through which a switch is managed: "FastEthernet1" on a 2950,
// "Ethernet0" on a 1912, empty for other models.
std::string_view management_interface(std::string_view model);

// The short label printed at a line end: FastEthernet0/5 gives F0/5, Serial0
// gives S0.
std::string short_interface_label(std::string_view interface_name);

inline constexpr const char* kProgramTitle = "Vexlab";

}  // namespace vexlab::designer
