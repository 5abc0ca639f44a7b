#pragma once
// The device table: what kind of device a name is, and its model.

#include <optional>
#include <string>
#include <string_view>

#include "state/vocabulary.h"

namespace vexlab::db {
class DatabaseSession;
}

namespace vexlab::state {

struct DeviceRecord {
    DeviceKind kind = DeviceKind::Router;
    std::string model;  // Dev_cat: "2501", "2950", "PC" ...
};

// The first row of table device for `device_name` (compared as the table
// compares text); nothing when there is none or its kind is no known kind.
std::optional<DeviceRecord> find_device(db::DatabaseSession& session, std::string_view device_name);

}  // namespace vexlab::state
