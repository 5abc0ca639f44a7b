#pragma once
// Reading the device state for show output: the device's settings column,
// the interface rows, and the text helpers every builder shares.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/db_session.h"

namespace vexlab::state {
struct NetworkTableSet;
}

namespace vexlab::commands::show {

// The device's settings as one show command sees them, read once: which
// keys have a row, and the device's cell in each.  Keys are found without
// regard to letter case, the first row of a key wins.
class SettingsColumn {
public:
    SettingsColumn(db::DatabaseSession& session, const state::NetworkTableSet& tables,
                   std::string_view device);

    bool has_key(std::string_view key) const;
    // True when the table has a column for the device.
    bool has_column() const { return column_.has_value(); }
    const std::optional<std::string>& column() const { return column_; }
    // The device's cell of a key: nothing without a row or without a column;
    // a Null value for an empty cell.
    std::optional<db::Value> cell(std::string_view key) const;
    // The cell as text; empty when there is none.
    std::string text(std::string_view key) const;

private:
    std::optional<std::string> column_;
    std::unordered_map<std::string, db::Value> cells_;  // lower-case key -> cell
};

// The interface rows of a device: int_device joined with int_det, in table
// order.  Positions: 0 index, 1 dev_name, 2 the interface index, 3 int_name,
// 4 ip_address, 5 mask_address, 6 shutdown, 7 line, 8 prot, 9 description,
// 10 frame_type, 11 encap_short, then the further int_det columns.
db::Recordset interface_rows(db::DatabaseSession& session, std::string_view device);
// The row of one interface (first match, names in any case); empty set
// when the device has no such interface.
db::Recordset interface_row(db::DatabaseSession& session, std::string_view device,
                            std::string_view interface);

// The lines of a text cut at its line ends (CR LF, or a bare LF).  A text
// that ends with a line end has no empty last line.
std::vector<std::string> text_lines(std::string_view text);

// The last step of every show command that wrote lines: each line that is
// not empty goes into the output with a CR LF after it.
void read_back(std::string& output, std::string_view written);

}  // namespace vexlab::commands::show
