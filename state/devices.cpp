#include "state/devices.h"

#include "platform/db_session.h"

namespace vexlab::state {

std::optional<DeviceRecord> find_device(db::DatabaseSession& session,
                                        std::string_view device_name) {
    db::Recordset row =
        session.open_recordset("SELECT \"index\", Dev_cat FROM " + db::quote_identifier("device") +
                                   " WHERE Device_Name = ? ORDER BY rowid LIMIT 1",
                               {std::string(device_name)});
    if (row.eof()) return std::nullopt;
    auto kind = device_kind(row.field(0).to_int());
    if (!kind) return std::nullopt;
    return DeviceRecord{*kind, row.text(1)};
}

}  // namespace vexlab::state
