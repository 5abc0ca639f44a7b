#pragma once
// The device configuration store (the table named by routervariables_table):
// one row per key, one column per device.  The default set keeps a pristine
// copy of every device column beside the working one; the pristine copies are
// what the reset restores from and are never read or written as a device's
// settings here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db_value.h"

namespace vexlab::db {
class DatabaseSession;
}
namespace vexlab::state {

struct NetworkTableSet;

// The working device columns of the store, in table order.
std::vector<std::string> device_columns(db::DatabaseSession& session,
                                        const state::NetworkTableSet& tables);

class DeviceSettings {
public:
    // Looks up the device's column (names compared without regard to case).
    DeviceSettings(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                   std::string_view device);

    // The device's column, or nothing when the store has none for it.
    const std::optional<std::string>& column() const { return column_; }
    const std::vector<std::string>& all_device_columns() const { return columns_; }

    // The device's value of a key; nothing when the key has no row, the
    // device no column, or the cell is empty.
    std::optional<std::string> read(std::string_view key) const;
    // Writes the device's value of a key; false when nothing was written (no
    // row for the key, or no column for the device).
    bool write(std::string_view key, const db::Value& value) const;
    // Writes one named device column of a key's row.
    bool write_column(std::string_view key, std::string_view column, const db::Value& value) const;

    struct Cell {
        std::string column;  // "Config_Variable" for the key itself
        std::string value;
    };
    // The first row of a key: the key column, then every working device
    // column, in table order.  Empty when the key has no row.
    std::vector<Cell> row(std::string_view key) const;

    // The value a key starts with (config_template), "nill" when the template
    // does not name it.
    std::string template_default(std::string_view key) const;

private:
    db::DatabaseSession& session_;
    const std::string table_;
    std::vector<std::string> columns_;
    std::optional<std::string> column_;
};

}  // namespace vexlab::state
