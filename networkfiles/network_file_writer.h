#pragma once
// Writing network files.  The writer composes the text of a file section by
// section; the configuration file of Save Config is one use of it, the
// designer's export another (it writes its own device blocks from its own
// settings pivot, the same routing views, the description and its
// subinterface list).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "networkfiles/file_format.h"
#include "networkfiles/network_file.h"

namespace vexlab::db {
class DatabaseSession;
class Value;
}  // namespace vexlab::db
namespace vexlab::state {
struct NetworkTableSet;
struct LoadedNetwork;
}  // namespace vexlab::state

namespace vexlab::networkfiles {

class NetworkFileWriter {
public:
    // One line, ended with CR LF.
    void line(std::string_view text);
    // One field as a value line (see value_line).
    void value(const db::Value& field);

    // The device blocks of a settings table (one row per key, one column per
    // device): for each named column in the order given, "<" model ">",
    // "[" column "]" and one "key:value" line per row in stored order.  A
    // value of several lines continues on the following lines.
    void device_blocks(db::DatabaseSession& session, std::string_view settings_table,
                       const std::vector<std::string>& device_columns,
                       const std::function<std::string(const std::string&)>& model_of);

    // A routing view: its header, then for every interface row joined with
    // its device (dev_no = ref), in the order of the rows' index, "<" dev_no
    // ">", "<" dev_name ">" and one value line per interface-table column.
    // A table that does not exist gives the header alone.
    void routing_view(db::DatabaseSession& session, RoutingView view, std::string_view device_table,
                      std::string_view interface_table);

    // One "key:value" line, and a line for each further line of the value
    // (see escaped_value_line).
    void setting(std::string_view key, std::string_view value);

    // "<description>" and the text, one line per line of it (see
    // escaped_description_line).
    void description(std::string_view text);

    // A table dump: the header, then for every row in stored order one value
    // line per column and "EOR".  A table that does not exist gives the
    // header alone.
    void dump(db::DatabaseSession& session, std::string_view header, std::string_view table);

    // One record of an exported file's subinterface list.
    void subinterface(std::string_view host, std::string_view interface, const db::Value& number);

    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// The whole configuration file of the network shown: the table set in force
// (the default network's working columns, or every device of a loaded one),
// its picture path and description.
std::string configuration_file_text(db::DatabaseSession& session,
                                    const state::NetworkTableSet& tables,
                                    const state::LoadedNetwork& network);

// The text of a file read into memory, as the writers write it.
std::string network_file_text(const NetworkFile& file);

// The writers' own test of a text they made: it must be read as a file of
// the kind, and read back as the same values, line for line.  Throws
// NetworkFileError naming the first line that would not.
void check_file_reads_back(std::string_view text, NetworkFileKind kind, const FileShapes& shapes);

// The device columns a configuration file writes: every column after the key
// of a loaded network's settings table; the working columns at positions 2,
// 4, 6 ... of the default network's, never their pristine copies.
std::vector<std::string> saved_device_columns(db::DatabaseSession& session,
                                              const state::NetworkTableSet& tables);

}  // namespace vexlab::networkfiles
