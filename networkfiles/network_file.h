#pragma once
// A network file read into memory and checked from its first line to its
// last before anything of it reaches the database.  A file that does not
// keep the grammar in full (a section cut off, a record with too few or too
// many values, a bad number, an unknown model, a device named twice or by a
// name the tables cannot hold), or whose records name what the file does
// not hold (a device, the far end of a connection, an interface index), is
// refused with the line where the fault shows.  The records of each routing
// view come out in the order of their interface index, the order the
// writers give them.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "networkfiles/file_format.h"
#include "platform/db_value.h"
#include "state/console_session.h"

namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::networkfiles {

// The two kinds of network file: a network exported by the designer, and
// a whole network saved with Save Config.
enum class NetworkFileKind { Exported, Configuration };

class NetworkFileError : public std::runtime_error {
public:
    NetworkFileError(int line, std::string reason);
    int line() const { return line_; }  // 0 when the fault is no line's
    const std::string& reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

struct Setting {
    std::string key;
    std::string value;  // a value of several lines has them joined by CR LF
    int line = 0;       // the key line
};

// "<" model ">", "[" name "]", then one "key:value" line per setting.  The
// keys come in the order of the settings table, so a line that names a key
// at or before the one read last is a further line of that key's value, as
// is a line that names no key; such a line that looks like a key line is
// written with a backslash before it (see escaped_value_line).
struct DeviceBlock {
    int line = 0;
    std::string model;
    state::DeviceKind kind = state::DeviceKind::Router;
    std::string name;
    std::vector<Setting> settings;
};

// "<" dev_no ">", "<" dev_name ">", then one value per column of the view's
// interface table.
struct RoutingRecord {
    int line = 0;
    std::int64_t dev_no = 0;
    std::string dev_name;
    std::vector<db::Value> values;
};

// "<" host ">", the interface that carries the subinterface, then the
// values of frame_map's columns from position 1 on.
struct SubinterfaceRecord {
    int line = 0;
    std::string device;
    std::string interface;
    std::vector<db::Value> values;
};

using DumpRows = std::vector<std::vector<db::Value>>;

struct NetworkFile {
    NetworkFileKind kind = NetworkFileKind::Exported;
    std::vector<DeviceBlock> devices;
    std::optional<std::string> picture_path;  // the netpath line
    std::array<std::vector<RoutingRecord>, 3> views;
    std::string description;
    std::array<DumpRows, kDumpCount> dumps;               // configuration files
    std::array<std::vector<int>, kDumpCount> dump_lines;  // the first line of each dumped row
    std::vector<SubinterfaceRecord> subinterfaces;        // exported files
};

// The columns the records of a file fill: the three interface tables, the
// dumped tables and frame_map, as the working tables have them.
struct FileShapes {
    std::array<TableShape, 3> views;
    std::array<TableShape, kDumpCount> dumps;
    TableShape frame_map;
    std::vector<std::string> setting_keys;  // the settings table's keys, in its order
};
FileShapes working_shapes(db::DatabaseSession& session);

// Reads and checks a whole file; throws NetworkFileError.
NetworkFile parse_network_file(std::string_view text, NetworkFileKind kind,
                               const FileShapes& shapes);

// Why a device could not bear the name: a device name becomes a column of
// the settings table, so it must be one that table can hold and must not
// stand for anything else there.  Nothing when the name will do.
std::optional<std::string> unusable_device_name(std::string_view name);

// The value a value line gives a column of the type; nothing when the line
// is no value of that type.
std::optional<db::Value> column_value(std::string_view line, state::ColumnType type);

}  // namespace vexlab::networkfiles
