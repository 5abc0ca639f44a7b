#pragma once
// The line grammar both network files share: the exported network the
// designer writes and the configuration file Save Config writes.  The
// writers end lines with CR LF; the reader takes line ends as
// platform::split_lines does.  Marker lines are whole lines compared exactly.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/console_session.h"
#include "state/schema_registry.h"
#include "state/table_set.h"

namespace vexlab::db {
class DatabaseSession;
class Value;
}  // namespace vexlab::db

namespace vexlab::networkfiles {

inline constexpr std::string_view kLineEnd = "\r\n";

inline constexpr std::string_view kRoutingHeader = "<routing information>";
inline constexpr std::string_view kOspfHeader = "<ospf information>";
inline constexpr std::string_view kEigrpHeader = "<eigrp information>";
inline constexpr std::string_view kDescriptionHeader = "<description>";
inline constexpr std::string_view kSubinterfaceHeader = "<subint information>";
inline constexpr std::string_view kNetpathKey = "netpath";
inline constexpr std::string_view kEndOfRecord = "EOR";

// The three routing views, in the order the files hold them.
enum class RoutingView { Routing, Ospf, Eigrp };
inline constexpr RoutingView kRoutingViews[] = {RoutingView::Routing, RoutingView::Ospf,
                                                RoutingView::Eigrp};
std::string_view view_header(RoutingView view);

// The table dumps of a configuration file, in file order.  A record of the
// Insert kind becomes a new row; one of the Update kind changes the rows
// the routing section made for the device named in its second value.
enum class DumpKind { Insert, Update };
struct DumpSection {
    std::string_view header;
    std::string_view table;  // the fixed name, or the base name of a table-set member
    bool in_table_set;       // the table comes from the table set in force
    DumpKind kind;
};
inline constexpr DumpSection kDumpSections[] = {
    {"<vlan information>", "vlan_info", false, DumpKind::Insert},
    {"<mac information>", "mac_addr", false, DumpKind::Insert},
    {"<port security>", "port_security", false, DumpKind::Insert},
    {"framemap", "frame_map", true, DumpKind::Insert},
    {"intdevice", "int_device", false, DumpKind::Update},
    {"intdet", "int_det", false, DumpKind::Insert},
    {"virtual link", "ospf_dev", true, DumpKind::Update},
    {"nat device", "nat_dev", true, DumpKind::Update},
    {"nat mapping", "nat_inout", true, DumpKind::Insert},
    {"Access list", "access_list", false, DumpKind::Insert},
    {"nat pool", "nat_pool", false, DumpKind::Insert},
};
inline constexpr std::size_t kDumpCount = std::size(kDumpSections);

// The name of a dump's table under a table set ("frame_map_def" while the
// default network is shown).
std::string dump_table(const DumpSection& dump, const state::NetworkTableSet& tables);

// One field as a value line: text unchanged, a number with a blank before
// it (a minus sign when negative) and a blank after it, yes/no as "True" or
// "False", Null and the empty text as an empty line.
std::string value_line(const db::Value& value);

// The key of the host name, the one setting every device block holds.
inline constexpr std::string_view kHostNameKey = "hostname";

// A value of several lines continues on the lines after its key line.  A
// further line that the reader could take for a line of the file's own (a
// line that begins with "<", a key line, the netpath line) is written with
// a backslash before it, and so is such a line that already begins with
// backslashes; the reader takes that one backslash away again.
std::string escaped_value_line(std::string_view line);
std::string_view unescaped_value_line(std::string_view line);

// The description's lines are kept apart from the marker that ends them the
// same way: a line that reads as a marker after its leading backslashes
// gets one more.
std::string escaped_description_line(std::string_view line);
std::string_view unescaped_description_line(std::string_view line);

// The device kind of a model line's text, exactly as written.
std::optional<state::DeviceKind> kind_of_model(std::string_view model);

// The picture shown with a network file: the same folder and name with the
// name's last extension replaced by "jpg" ("lab.old.exp" gives "lab.old.jpg",
// "lab" gives "lab.jpg").
std::string picture_path_for(std::string_view file_path);

// A table's columns in physical order with the type each value line takes.
struct ColumnShape {
    std::string name;
    state::ColumnType type;
};
using TableShape = std::vector<ColumnShape>;
TableShape table_shape(db::DatabaseSession& session, std::string_view table);

}  // namespace vexlab::networkfiles
