#pragma once
// The designer's own save file, the network map: one value per line, CR LF
// line ends (read as platform::split_lines takes them).
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
// number) and one after; yes/no values read "True" or "False".  Whole
// numbers are read as whole numbers in their range, never rounded or cut.
//
// A map is read and checked whole before anything of it is used: it must
// hold every section, end with its line end, and describe a design the
// designer itself could have drawn and export (names it would take, models
// of its catalogue, connections with both ends, sub-interfaces on router
// interfaces, no value the exported file would read as the end of a
// section, lines that each carry a connection).  Whatever does not is
// refused with the line where the fault shows.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "designer/canvas.h"
#include "designer/designer_tables.h"
#include "platform/db_value.h"
#include "platform/file_refusal.h"

namespace vexlab::designer {

// The marker lines of the file, in file order.
inline constexpr std::string_view kMapSubinterfaceMarker = "<sub_int_inforamtion>";
inline constexpr std::string_view kMapCountersMarker = "<deviceindex>";
inline constexpr std::string_view kMapDescriptionMarker = "<description>";
inline constexpr std::string_view kMapConnectorsMarker = "<connectors>";
inline constexpr std::string_view kMapEndOfRecord = "EOR";  // a line that begins so

inline constexpr const char* kMapRefused = "The network could not be opened.";

class MapFileError : public platform::FileRefusal {
public:
    MapFileError(std::string path, int line, std::string reason)
        : FileRefusal(kMapRefused, std::move(path), line, std::move(reason)) {}
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
    std::array<int, 3> counters{};  // router, switch, workstation
    std::string description;        // lines joined with CR LF
    std::vector<ConnectionLine> lines;
};

// The number form of the file: " 12 ", "-3 ", " 44.5 ".
std::string map_number(double value);

std::string format_network_map(const NetworkMap& map);
// Reads and checks a whole map against the models the catalogue knows;
// throws MapFileError naming the line.
NetworkMap parse_network_map(std::string_view text, const std::vector<std::string>& models);

void write_network_map_file(const std::string& path, const NetworkMap& map);
// The same for a file; the error names the file too.  An empty file and a
// folder are refused.
NetworkMap read_network_map_file(const std::string& path, const std::vector<std::string>& models);

}  // namespace vexlab::designer
