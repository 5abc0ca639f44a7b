#pragma once
// The designer's own save file, the network map: one value per line, CR LF
// line ends.
//
//   <2501>                  a model line, when the model changes
//   [R1]                    a host block: the name and the icon's position
//    100
//    80
//   Serial0                 eleven lines per interface: name, address, mask,
//   10.0.0.1                connected, far device, far interface, line,
//   255.0.0.0               category, label x, label y, number
//   ...
//   <sub_int_inforamtion>   one line per sub_int_det column, then "EOR"
//   <deviceindex>           the numbers of the last R, SW and PC names
//   <description>           the description, line by line
//   <connectors>            five lines per line: X1, X2, Y1, Y2, colour
//
// Numbers carry one blank before (a minus sign instead for a negative
// number) and one after; yes/no values read "True" or "False".

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "designer/canvas.h"
#include "designer/designer_tables.h"
#include "platform/db_value.h"

namespace vexlab::designer {

class MapFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MapDevice {
    std::string model;
    std::string host;
    double x = 0;
    double y = 0;
    std::vector<InterfaceRow> interfaces;
};

struct NetworkMap {
    std::vector<MapDevice> devices;
    // sub_int_det rows, each in the table's column order.
    std::vector<std::vector<db::Value>> subinterfaces;
    std::optional<std::array<int, 3>> counters;  // router, switch, workstation
    std::string description;                     // lines joined with CR LF
    std::vector<ConnectionLine> lines;
};

// The number form of the file: " 12 ", "-3 ", " 44.5 ".
std::string map_number(double value);

std::string format_network_map(const NetworkMap& map);
// Throws MapFileError naming the line of a value that does not fit.
NetworkMap parse_network_map(std::string_view text);

void write_network_map_file(const std::string& path, const NetworkMap& map);
NetworkMap read_network_map_file(const std::string& path);

}  // namespace vexlab::designer
