#include "designer/network_map_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/text.h"
#include "state/schema_registry.h"
#include "state/vocabulary.h"

namespace vexlab::designer {

namespace {

constexpr const char* kSubinterfaceMarker = "<sub_int_inforamtion>";
constexpr const char* kCountersMarker = "<deviceindex>";
constexpr const char* kDescriptionMarker = "<description>";
constexpr const char* kConnectorsMarker = "<connectors>";

class Writer {
public:
    void line(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    void number(double value) { line(map_number(value)); }
    void flag(bool value) { line(value ? "True" : "False"); }
    // A table value as the file writes it.
    void value(const db::Value& value) {
        switch (value.type()) {
            case db::ValueType::Null:
                line("");
                break;
            case db::ValueType::Number:
                line(map_number(value.to_double()));
                break;
            default:
                line(value.to_text());
        }
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<std::size_t> find_marker(const std::vector<std::string>& lines,
                                       std::string_view marker, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i] == marker) return i;
    return std::nullopt;
}

// The line without its first and last character.
std::string strip(const std::string& line) {
    if (line.size() < 2) return {};
    return line.substr(1, line.size() - 2);
}

[[noreturn]] void fail(std::size_t line, const std::string& why) {
    throw MapFileError("line " + std::to_string(line + 1) + ": " + why);
}

std::optional<double> parse_number(std::string_view text) {
    const std::string trimmed = text::trim(text);
    if (trimmed.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

double number_at(const std::vector<std::string>& lines, std::size_t i, bool null_allowed) {
    if (null_allowed && lines[i] == "Null") return 0;
    const auto value = parse_number(lines[i]);
    if (!value) fail(i, "a number was expected, not \"" + lines[i] + "\"");
    return *value;
}

int whole_number_at(const std::vector<std::string>& lines, std::size_t i, bool null_allowed,
                    double low, double high) {
    const double value = number_at(lines, i, null_allowed);
    if (value != std::floor(value) || value < low || value > high)
        fail(i, "a whole number was expected, not \"" + lines[i] + "\"");
    return static_cast<int>(value);
}

bool is_marker(const std::string& line) {
    return line == kSubinterfaceMarker || line == kCountersMarker || line == kDescriptionMarker ||
           line == kConnectorsMarker;
}

void read_devices(const std::vector<std::string>& lines, NetworkMap& map) {
    std::string model;
    std::size_t i = 0;
    auto next = [&](const char* what) -> std::size_t {
        if (i >= lines.size() || is_marker(lines[i]))
            throw MapFileError("the file ends inside " + std::string(what));
        return i++;
    };
    while (i < lines.size() && !is_marker(lines[i])) {
        const std::size_t at = i++;
        const std::string& line = lines[at];
        if (!line.empty() && line[0] == '<') {
            model = strip(line);
        } else if (!line.empty() && line[0] == '[') {
            MapDevice device;
            device.model = model;
            device.host = strip(line);
            if (device.host.empty()) fail(at, "a device without a name");
            device.x = number_at(lines, next("a host block"), false);
            device.y = number_at(lines, next("a host block"), false);
            map.devices.push_back(std::move(device));
        } else {
            if (map.devices.empty()) fail(at, "an interface before any device");
            InterfaceRow row;
            row.interfacetype = line;
            row.ipadd = lines[next("an interface")];
            row.maskadd = lines[next("an interface")];
            const std::size_t connected = next("an interface");
            if (lines[connected] != "True" && lines[connected] != "False")
                fail(connected, "True or False was expected");
            row.connected = lines[connected] == "True";
            row.todevice = lines[next("an interface")];
            row.tointerface = lines[next("an interface")];
            row.lineno = whole_number_at(lines, next("an interface"), true, 0, 32767);
            row.int_category = lines[next("an interface")];
            row.label_x = number_at(lines, next("an interface"), true);
            row.label_y = number_at(lines, next("an interface"), true);
            row.index = whole_number_at(lines, next("an interface"), true, 0, 2147483647);
            row.hostname = map.devices.back().host;
            map.devices.back().interfaces.push_back(std::move(row));
        }
    }
}

// A value of a sub_int_det column as the line holds it: "True" and "False"
// are yes/no values, numbers of number columns are numbers.
db::Value column_value(const state::ColumnDef& column, const std::string& line, std::size_t at) {
    if (line == "True") return db::Value(true);
    if (line == "False") return db::Value(false);
    const bool numeric =
        column.type == state::ColumnType::Integer || column.type == state::ColumnType::Number;
    if (!numeric) return db::Value(line);
    if (text::trim(line).empty()) return db::Value();
    const auto value = parse_number(line);
    if (!value) fail(at, "a number was expected for " + column.name + ", not \"" + line + "\"");
    return db::Value(*value);
}

void read_subinterfaces(const std::vector<std::string>& lines, NetworkMap& map) {
    const auto start = find_marker(lines, kSubinterfaceMarker);
    if (!start) return;
    const auto& columns = state::SchemaRegistry::instance().get("sub_int_det").columns;
    std::vector<db::Value> record;
    // The section ends at the device numbers, or at any later section of a
    // file that has none.
    for (std::size_t i = *start + 1; i < lines.size() && !is_marker(lines[i]); ++i) {
        if (lines[i].rfind("EOR", 0) == 0) {
            record.resize(columns.size());
            map.subinterfaces.push_back(std::move(record));
            record.clear();
        } else if (record.size() < columns.size()) {
            record.push_back(column_value(columns[record.size()], lines[i], i));
        }
    }
    // Lines after the last "EOR" make no record.
}

void read_counters(const std::vector<std::string>& lines, NetworkMap& map) {
    const auto start = find_marker(lines, kCountersMarker);
    if (!start) return;
    // Numbers cut off by the end of the file leave the counters as they are.
    if (*start + 3 >= lines.size()) return;
    std::array<int, 3> counters{};
    for (std::size_t k = 0; k < 3; ++k)
        counters[k] = whole_number_at(lines, *start + 1 + k, false, -32768, 32767);
    map.counters = counters;
}

void read_description(const std::vector<std::string>& lines, NetworkMap& map) {
    const auto start = find_marker(lines, kDescriptionMarker);
    if (!start) return;
    std::string text;
    for (std::size_t i = *start + 1; i < lines.size() && lines[i] != kConnectorsMarker; ++i) {
        if (i > *start + 1) text += "\r\n";
        text += lines[i];
    }
    map.description = std::move(text);
}

void read_connectors(const std::vector<std::string>& lines, NetworkMap& map) {
    const auto start = find_marker(lines, kConnectorsMarker);
    if (!start) return;
    for (std::size_t i = *start + 1; i < lines.size(); i += 5) {
        // A record cut short by the end of the file is not a line.
        if (i + 5 > lines.size()) break;
        ConnectionLine line;
        line.x1 = number_at(lines, i, false);
        line.x2 = number_at(lines, i + 1, false);
        line.y1 = number_at(lines, i + 2, false);
        line.y2 = number_at(lines, i + 3, false);
        line.colour = whole_number_at(lines, i + 4, false, -2147483648.0, 2147483647.0);
        map.lines.push_back(line);
    }
}

}  // namespace

std::string map_number(double value) {
    const std::string digits = db::format_number(value);
    return value < 0 ? digits + " " : " " + digits + " ";
}

std::string format_network_map(const NetworkMap& map) {
    Writer out;
    std::optional<std::string> model;
    for (const auto& device : map.devices) {
        if (!model || *model != device.model) {
            model = device.model;
            out.line("<" + device.model + ">");
        }
        out.line("[" + device.host + "]");
        out.number(device.x);
        out.number(device.y);
        for (const auto& row : device.interfaces) {
            out.line(row.interfacetype);
            out.line(row.ipadd);
            out.line(row.maskadd);
            out.flag(row.connected);
            // The far end is written for a connected interface, and the mark
            // of an interface that takes no connection is kept too: without
            // it a switch's management interface would come back connectable.
            const bool far_end = row.connected || row.todevice == state::marker::kNotApplicable;
            out.line(far_end ? row.todevice : "");
            out.line(far_end ? row.tointerface : "");
            out.number(row.lineno);
            out.line(row.int_category);
            out.number(row.label_x);
            out.number(row.label_y);
            out.number(row.index);
        }
    }
    out.line(kSubinterfaceMarker);
    for (const auto& record : map.subinterfaces) {
        for (const auto& value : record) out.value(value);
        out.line("EOR");
    }
    out.line(kCountersMarker);
    const std::array<int, 3> counters = map.counters.value_or(std::array<int, 3>{});
    for (int counter : counters) out.number(counter);
    out.line(kDescriptionMarker);
    // The description is written as it is, followed by one line end.
    out.line(map.description);
    out.line(kConnectorsMarker);
    for (const auto& line : map.lines) {
        out.number(line.x1);
        out.number(line.x2);
        out.number(line.y1);
        out.number(line.y2);
        out.number(line.colour);
    }
    return out.take();
}

NetworkMap parse_network_map(std::string_view text) {
    const auto lines = split_lines(text);
    NetworkMap map;
    read_devices(lines, map);
    read_subinterfaces(lines, map);
    read_counters(lines, map);
    read_description(lines, map);
    read_connectors(lines, map);
    return map;
}

void write_network_map_file(const std::string& path, const NetworkMap& map) {
    platform::write_file_atomically(path, format_network_map(map));
}

NetworkMap read_network_map_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw MapFileError("Cannot open " + path + ": " + std::strerror(errno));
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw MapFileError("Cannot read " + path);
    return parse_network_map(content.str());
}

}  // namespace vexlab::designer
