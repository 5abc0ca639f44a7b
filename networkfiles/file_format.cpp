#include "networkfiles/file_format.h"

#include <algorithm>

#include "platform/db_session.h"
#include "platform/db_value.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::networkfiles {

std::string_view view_header(RoutingView view) {
    switch (view) {
        case RoutingView::Routing:
            return kRoutingHeader;
        case RoutingView::Ospf:
            return kOspfHeader;
        case RoutingView::Eigrp:
            break;
    }
    return kEigrpHeader;
}

std::string dump_table(const DumpSection& dump, const state::NetworkTableSet& tables) {
    std::string name(dump.table);
    if (dump.in_table_set && tables.is_default()) name += "_def";
    return name;
}

std::string value_line(const db::Value& value) {
    switch (value.type()) {
        case db::ValueType::Null:
            return {};
        case db::ValueType::Text:
        case db::ValueType::YesNo:
            return value.to_text();
        case db::ValueType::Number:
            break;
    }
    std::string digits = value.to_text();
    if (!digits.empty() && digits[0] == '-') return digits + " ";
    return " " + digits + " ";
}

namespace {

constexpr char kEscape = '\\';

std::string_view without_escapes(std::string_view line) {
    return line.substr(std::min(line.find_first_not_of(kEscape), line.size()));
}

// A line the device part could read as one of its own: a model or header
// line, or a line whose text before its first colon is one word, as keys
// and "netpath" are.
bool reads_as_structure(std::string_view line) {
    line = without_escapes(line);
    if (!line.empty() && line.front() == '<') return true;
    const std::size_t colon = line.find(':');
    return colon != std::string_view::npos && colon > 0 &&
           line.substr(0, colon).find(' ') == std::string_view::npos;
}

bool reads_as_marker(std::string_view line) {
    line = without_escapes(line);
    return line == kDumpSections[0].header || line == kSubinterfaceHeader;
}

std::string escaped_if(std::string_view line, bool escape) {
    return escape ? kEscape + std::string(line) : std::string(line);
}

std::string_view unescaped_if(std::string_view line, bool escaped) {
    return escaped ? line.substr(1) : line;
}

}  // namespace

std::string escaped_value_line(std::string_view line) {
    return escaped_if(line, reads_as_structure(line));
}

std::string_view unescaped_value_line(std::string_view line) {
    return unescaped_if(line, !line.empty() && line[0] == kEscape && reads_as_structure(line));
}

std::string escaped_description_line(std::string_view line) {
    return escaped_if(line, reads_as_marker(line));
}

std::string_view unescaped_description_line(std::string_view line) {
    return unescaped_if(line, !line.empty() && line[0] == kEscape && reads_as_marker(line));
}

std::optional<state::DeviceKind> kind_of_model(std::string_view model) {
    if (model == "2501" || model == "2503" || model == "2610" || model == "2620")
        return state::DeviceKind::Router;
    if (model == "2950" || model == "1912") return state::DeviceKind::Switch;
    if (model == "PC") return state::DeviceKind::Pc;
    return std::nullopt;
}

std::string picture_path_for(std::string_view file_path) {
    const std::size_t slash = file_path.find_last_of("/\\");
    const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view folder = file_path.substr(0, name_start);
    const std::string_view name = file_path.substr(name_start);
    const std::size_t dot = name.rfind('.');
    const std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
    return std::string(folder) + std::string(base) + ".jpg";
}

TableShape table_shape(db::DatabaseSession& session, std::string_view table) {
    TableShape shape;
    db::Recordset columns =
        session.open_recordset("PRAGMA table_info(" + db::quote_identifier(table) + ")");
    for (; !columns.eof(); columns.move_next()) {
        const std::string declared = columns.text("type");
        state::ColumnType type = state::ColumnType::Text;
        if (text::iequals(declared, state::sql_type(state::ColumnType::Integer)))
            type = state::ColumnType::Integer;
        else if (text::iequals(declared, state::sql_type(state::ColumnType::Number)))
            type = state::ColumnType::Number;
        else if (text::iequals(declared, state::sql_type(state::ColumnType::YesNo)))
            type = state::ColumnType::YesNo;
        else if (text::icontains(declared, "LONGTEXT"))
            type = state::ColumnType::Memo;
        shape.push_back({columns.text("name"), type});
    }
    return shape;
}

}  // namespace vexlab::networkfiles
