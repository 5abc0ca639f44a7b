#pragma once
// The designer's export: the drawn network as the exported network file the
// console opens.  The settings of each device (the template's keys with the
// host name and the interface addresses) and the rows of the three routing
// views are built in the designer's own scratch tables, inside a
// transaction that is rolled back once the text is written, so the export
// leaves the database as it found it; a network loaded in the console stays
// intact.

#include <string>
#include <string_view>

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::designer {

// The exported file's text: the device blocks in the order the devices were
// made, the routing, OSPF and EIGRP sections, the description (one blank
// when there is none) and the sub-interface list.
std::string exported_network_text(db::DatabaseSession& session, std::string_view description);

}  // namespace vexlab::designer
