#include "designer/network_map_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

#include "designer/host_names.h"
#include "networkfiles/file_format.h"
#include "platform/atomic_file.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "state/schema_registry.h"
#include "state/vocabulary.h"

namespace vexlab::designer {

namespace {

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

// The line without its first and last character.
std::string strip(const std::string& line) {
    if (line.size() < 2) return {};
    return line.substr(1, line.size() - 2);
}

// `line` counts from 0; the error counts from 1.
[[noreturn]] void fail(std::size_t line, std::string why) {
    throw MapFileError({}, static_cast<int>(line) + 1, std::move(why));
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
    if (!value) fail(i, "a number was expected, not " + text::quoted(lines[i]));
    return *value;
}

int whole_number_at(const std::vector<std::string>& lines, std::size_t i, bool null_allowed,
                    std::int64_t low, std::int64_t high) {
    if (null_allowed && lines[i] == "Null") return 0;
    const auto value = platform::whole_number(lines[i], low, high);
    if (!value)
        fail(i, "a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                    " was expected, not " + text::quoted(lines[i]));
    return static_cast<int>(*value);
}

// The designer keeps its whole numbers in 32 bits.
constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

// A value of a sub_int_det column as the line holds it: "True" and "False"
// are yes/no values, numbers of number columns are numbers.
db::Value column_value(const state::ColumnDef& column, const std::string& line, std::size_t at) {
    if (line == "True") return db::Value(true);
    if (line == "False") return db::Value(false);
    const bool numeric =
        column.type == state::ColumnType::Integer || column.type == state::ColumnType::Number;
    if (!numeric) return db::Value(line);
    if (text::trim(line).empty()) return db::Value();
    if (column.type == state::ColumnType::Integer) {
        const auto value = platform::whole_number(line, kIntMin, kIntMax);
        if (!value)
            fail(at, "a whole number from " + std::to_string(kIntMin) + " to " +
                         std::to_string(kIntMax) + " was expected for " + column.name + ", not " +
                         text::quoted(line));
        return db::Value(*value);
    }
    const auto value = parse_number(line);
    if (!value)
        fail(at, "a number was expected for " + column.name + ", not " + text::quoted(line));
    return db::Value(*value);
}

// Where the parts of a map stand in its file, for the checks to name.
struct Where {
    std::vector<std::size_t> device;                  // the host line of each device
    std::vector<std::vector<std::size_t>> interface;  // the first line of each record
    std::vector<std::size_t> subinterface;            // the first line of each record
    std::size_t connectors = 0;                       // the "<connectors>" line
};

class Reader {
public:
    explicit Reader(std::string_view text) {
        if (text.empty()) throw MapFileError({}, 0, "the file is empty");
        for (const std::string_view line : platform::split_lines(text)) lines_.emplace_back(line);
        // Every line the writer writes ends with its line end: a file
        // without one at its end was cut.
        if (!platform::ends_with_line_end(text))
            fail(lines_.size() - 1, "the file ends inside this line");
    }

    NetworkMap run(Where& where) {
        const std::size_t subinterfaces = find(kMapSubinterfaceMarker, 0);
        read_devices(subinterfaces, where);
        const std::size_t counters = find(kMapCountersMarker, subinterfaces + 1);
        read_subinterfaces(subinterfaces + 1, counters, where);
        read_counters(counters);
        const std::size_t description = counters + 4;
        // The description may hold any line, the marker of the connectors
        // too; the connectors' own marker is the last, as only numbers
        // follow it.
        std::size_t connectors = lines_.size();
        for (std::size_t i = lines_.size(); i > description + 1; --i)
            if (lines_[i - 1] == kMapConnectorsMarker) {
                connectors = i - 1;
                break;
            }
        if (connectors == lines_.size())
            fail(lines_.size() - 1,
                 "the file ends before the line " + text::quoted(kMapConnectorsMarker));
        read_description(description + 1, connectors);
        where.connectors = connectors;
        read_connectors(connectors + 1);
        return std::move(map_);
    }

private:
    std::size_t find(std::string_view marker, std::size_t from) const {
        for (std::size_t i = from; i < lines_.size(); ++i)
            if (lines_[i] == marker) return i;
        fail(lines_.size() - 1, "the file ends before the line " + text::quoted(marker));
    }

    void read_devices(std::size_t end, Where& where) {
        std::string model;
        std::size_t i = 0;
        std::size_t record = 0;
        auto next = [&](const char* what) -> std::size_t {
            if (i >= end) fail(record, std::string(what) + " is cut short");
            return i++;
        };
        while (i < end) {
            const std::size_t at = record = i++;
            const std::string& line = lines_[at];
            if (!line.empty() && line[0] == '<') {
                model = strip(line);
            } else if (!line.empty() && line[0] == '[') {
                MapDevice device;
                device.model = model;
                device.host = strip(line);
                device.x = number_at(lines_, next("the host block"), false);
                device.y = number_at(lines_, next("the host block"), false);
                map_.devices.push_back(std::move(device));
                where.device.push_back(at);
                where.interface.emplace_back();
            } else {
                if (map_.devices.empty()) fail(at, "an interface before any device");
                InterfaceRow row;
                row.interfacetype = line;
                row.ipadd = lines_[next("the interface record")];
                row.maskadd = lines_[next("the interface record")];
                const std::size_t connected = next("the interface record");
                if (lines_[connected] != "True" && lines_[connected] != "False")
                    fail(connected,
                         "True or False was expected, not " + text::quoted(lines_[connected]));
                row.connected = lines_[connected] == "True";
                row.todevice = lines_[next("the interface record")];
                row.tointerface = lines_[next("the interface record")];
                row.lineno = whole_number_at(lines_, next("the interface record"), true, 0, 32767);
                row.int_category = lines_[next("the interface record")];
                row.label_x = number_at(lines_, next("the interface record"), true);
                row.label_y = number_at(lines_, next("the interface record"), true);
                row.index = whole_number_at(lines_, next("the interface record"), true, 0, kIntMax);
                row.hostname = map_.devices.back().host;
                map_.devices.back().interfaces.push_back(std::move(row));
                where.interface.back().push_back(at);
            }
        }
        if (map_.devices.empty()) fail(end, "the file holds no device");
    }

    // One value line per sub_int_det column, then a line that begins with
    // "EOR".
    void read_subinterfaces(std::size_t begin, std::size_t end, Where& where) {
        const auto& columns = state::SchemaRegistry::instance().get("sub_int_det").columns;
        std::vector<db::Value> record;
        std::size_t first = begin;
        for (std::size_t i = begin; i < end; ++i) {
            if (lines_[i].rfind(kMapEndOfRecord, 0) == 0) {
                if (record.size() != columns.size())
                    fail(first, "the sub-interface record has " + std::to_string(record.size()) +
                                    " of its " + std::to_string(columns.size()) + " values");
                map_.subinterfaces.push_back(std::move(record));
                where.subinterface.push_back(first);
                record.clear();
                first = i + 1;
            } else if (record.size() < columns.size()) {
                record.push_back(column_value(columns[record.size()], lines_[i], i));
            } else {
                fail(first, "the sub-interface record has more values than its " +
                                std::to_string(columns.size()));
            }
        }
        if (first < end) fail(first, "the sub-interface record has no \"EOR\" line");
    }

    void read_counters(std::size_t marker) {
        if (marker + 4 >= lines_.size())
            fail(lines_.size() - 1,
                 "the file ends before the line " + text::quoted(kMapDescriptionMarker));
        for (std::size_t k = 0; k < 3; ++k)
            map_.counters[k] = whole_number_at(lines_, marker + 1 + k, false, -32768, 32767);
        if (lines_[marker + 4] != kMapDescriptionMarker)
            fail(marker + 4, "the line " + text::quoted(kMapDescriptionMarker) +
                                 " must follow the three device numbers, not " +
                                 text::quoted(lines_[marker + 4]));
    }

    void read_description(std::size_t begin, std::size_t end) {
        std::string text;
        for (std::size_t i = begin; i < end; ++i) {
            if (i > begin) text += "\r\n";
            text += lines_[i];
        }
        map_.description = std::move(text);
    }

    void read_connectors(std::size_t begin) {
        if ((lines_.size() - begin) % 5 != 0)
            fail(begin + (lines_.size() - begin) / 5 * 5, "the last line record is cut short");
        for (std::size_t i = begin; i < lines_.size(); i += 5) {
            ConnectionLine line;
            line.x1 = number_at(lines_, i, false);
            line.x2 = number_at(lines_, i + 1, false);
            line.y1 = number_at(lines_, i + 2, false);
            line.y2 = number_at(lines_, i + 3, false);
            line.colour = whole_number_at(lines_, i + 4, false, kIntMin, kIntMax);
            map_.lines.push_back(line);
        }
    }

    std::vector<std::string> lines_;
    NetworkMap map_;
};

// ------------------------------------------------------------- the checks

// Whether the design of a map is one the designer could have drawn.
class Checker {
public:
    Checker(const NetworkMap& map, const Where& where, const std::vector<std::string>& models)
        : map_(map), where_(where), models_(models), uses_(map.lines.size() + 1) {
        const auto& columns = state::SchemaRegistry::instance().get("sub_int_det").columns;
        for (std::size_t i = 0; i < columns.size(); ++i) column_[text::lower(columns[i].name)] = i;
    }

    void run() {
        devices();
        for (std::size_t d = 0; d < map_.devices.size(); ++d)
            for (std::size_t r = 0; r < map_.devices[d].interfaces.size(); ++r) connection(d, r);
        for (std::size_t s = 0; s < map_.subinterfaces.size(); ++s) subinterface(s);
        for (std::size_t line = 1; line < uses_.size(); ++line) {
            const std::size_t record = where_.connectors + 1 + 5 * (line - 1);
            if (uses_[line].empty())
                fail(record, "line " + std::to_string(line) + " of the connectors joins nothing");
            if (uses_[line].size() > 1)
                fail(record, "line " + std::to_string(line) + " of the connectors carries " +
                                 std::to_string(uses_[line].size()) + " connections");
        }
    }

private:
    struct Place {
        std::size_t device = 0;
        std::size_t row = 0;
    };

    const InterfaceRow& row(Place p) const { return map_.devices[p.device].interfaces[p.row]; }
    std::size_t line_of(Place p) const { return where_.interface[p.device][p.row]; }

    void devices() {
        std::vector<std::string> names;
        for (std::size_t d = 0; d < map_.devices.size(); ++d) {
            const MapDevice& device = map_.devices[d];
            const std::size_t at = where_.device[d];
            bool known = false;
            for (const auto& model : models_) known = known || text::iequals(model, device.model);
            if (!known)
                fail(at, "the model " + text::quoted(device.model) + " is not in the catalogue");
            for (std::size_t other = 0; other < names.size(); ++other)
                if (text::iequals(names[other], device.host))
                    fail(at, "the device " + text::quoted(device.host) + " is named twice (line " +
                                 std::to_string(where_.device[other] + 1) + ")");
            if (auto why = unusable_host_name(device.host)) fail(at, *why);
            names.push_back(device.host);
            device_of_[text::lower(device.host)] = d;
            for (std::size_t r = 0; r < device.interfaces.size(); ++r) {
                const InterfaceRow& interface = device.interfaces[r];
                const std::size_t line = where_.interface[d][r];
                if (interface.interfacetype.empty()) fail(line, "an interface without a name");
                carried(interface, line);
                const std::string key = text::lower(interface.interfacetype);
                if (!interfaces_of_[d].emplace(key, r).second)
                    fail(line, "the interface " + text::quoted(interface.interfacetype) + " of " +
                                   text::quoted(device.host) + " is there twice");
                if (interface.index < 1)
                    fail(line, "the interface " + text::quoted(interface.interfacetype) +
                                   " has no number");
                const auto [known_index, added] = by_index_.emplace(interface.index, Place{d, r});
                if (!added)
                    fail(line, "the interface number " + std::to_string(interface.index) +
                                   " is taken by line " +
                                   std::to_string(line_of(known_index->second) + 1));
            }
        }
    }

    // The export writes an interface's name, address, mask and far end each
    // as a line of a record in every routing view; a record of the exported
    // file ends at the line that ends its section, so none of them may read
    // as one.
    static void carried(const InterfaceRow& interface, std::size_t line) {
        const std::pair<const std::string*, std::size_t> fields[] = {
            {&interface.interfacetype, 0}, {&interface.ipadd, 1},       {&interface.maskadd, 2},
            {&interface.todevice, 4},      {&interface.tointerface, 5},
        };
        for (const auto& [field, offset] : fields)
            for (const std::string_view end :
                 {networkfiles::kOspfHeader, networkfiles::kEigrpHeader,
                  networkfiles::kDescriptionHeader})
                if (*field == end)
                    fail(line + offset, text::quoted(*field) +
                                            " would end a section of the exported network, "
                                            "which cannot carry it");
    }

    // Only a router takes sub-interfaces: the exported network gives Frame
    // Relay rows to a router's interfaces alone.
    bool is_router(std::size_t device) const {
        for (const auto& model : models_)
            if (text::iequals(model, map_.devices[device].model))
                return networkfiles::kind_of_model(model) == state::DeviceKind::Router;
        return false;
    }

    std::optional<Place> find(const std::string& host, const std::string& interface) const {
        const auto device = device_of_.find(text::lower(host));
        if (device == device_of_.end()) return std::nullopt;
        const auto found = interfaces_of_.find(device->second);
        if (found == interfaces_of_.end()) return std::nullopt;
        const auto r = found->second.find(text::lower(interface));
        if (r == found->second.end()) return std::nullopt;
        return Place{device->second, r->second};
    }

    static bool unassigned(const std::string& far) {
        return far.empty() || far == state::marker::kUnassigned;
    }

    // Both ends of a connection, one key for the pair whichever end reads it.
    static std::string pair_key(char kind, Place a, Place b) {
        auto end = [](Place p) { return std::to_string(p.device) + "." + std::to_string(p.row); };
        const std::string x = end(a);
        const std::string y = end(b);
        return std::string(1, kind) + (x < y ? x + "|" + y : y + "|" + x);
    }

    void use_line(int line, std::size_t at, const std::string& key) {
        if (line < 1 || line >= static_cast<int>(uses_.size()))
            fail(at, "the connection's line " + std::to_string(line) + " is not among the " +
                         std::to_string(uses_.size() - 1) + " lines of the connectors");
        uses_[line].insert(key);
    }

    bool has_subinterfaces(const InterfaceRow& r) const {
        const std::size_t ref = column_.at("ref");
        for (const auto& record : map_.subinterfaces)
            if (!record[ref].is_null() && record[ref].to_int() == r.index) return true;
        return false;
    }

    void connection(std::size_t d, std::size_t r) {
        const Place here{d, r};
        const InterfaceRow& interface = row(here);
        const std::size_t at = line_of(here);
        const std::string name =
            text::quoted(interface.interfacetype) + " of " + text::quoted(map_.devices[d].host);
        if (!interface.connected) {
            if (interface.lineno != 0)
                fail(at, "the interface " + name + " is not connected but holds line " +
                             std::to_string(interface.lineno));
            return;
        }
        if (interface.todevice == state::marker::kNotApplicable)
            fail(at, "the interface " + name + " takes no connection but is connected");
        if (unassigned(interface.todevice)) {
            // A Frame Relay interface: its connections are its sub-interfaces.
            if (interface.lineno != 0 || !has_subinterfaces(interface))
                fail(at, "the interface " + name + " is connected to nothing");
            return;
        }
        const auto far = find(interface.todevice, interface.tointerface);
        if (!far)
            fail(at, "the interface " + name + " is connected to " +
                         text::quoted(interface.tointerface) + " of " +
                         text::quoted(interface.todevice) + ", which the file does not hold");
        const InterfaceRow& other = row(*far);
        if (!other.connected || !text::iequals(other.todevice, map_.devices[d].host) ||
            !text::iequals(other.tointerface, interface.interfacetype) ||
            other.lineno != interface.lineno)
            fail(at, "the interface " + name + " is connected to " +
                         text::quoted(interface.tointerface) + " of " +
                         text::quoted(interface.todevice) +
                         ", which is not connected back on the same line");
        if (has_subinterfaces(interface))
            fail(at, "the interface " + name + " carries a cable and sub-interfaces");
        use_line(interface.lineno, at, pair_key('p', here, *far));
    }

    // The value of a sub-interface record's column.
    const db::Value& value(std::size_t s, const char* column) const {
        return map_.subinterfaces[s][column_.at(column)];
    }
    int number(std::size_t s, const char* column) const {
        const db::Value& v = value(s, column);
        return v.is_null() ? 0 : static_cast<int>(v.to_int());
    }

    void subinterface(std::size_t s) {
        const std::size_t at = where_.subinterface[s];
        const auto main = by_index_.find(number(s, "ref"));
        if (main == by_index_.end())
            fail(at, "the sub-interface belongs to the interface number " +
                         std::to_string(number(s, "ref")) + ", which the file does not hold");
        const InterfaceRow& interface = row(main->second);
        const std::string host = map_.devices[main->second.device].host;
        const int own = number(s, "sun_int_num");
        const std::string name = text::quoted(interface.interfacetype + "." + std::to_string(own)) +
                                 " of " + text::quoted(host);
        if (own < 1) fail(at, "the sub-interface of " + text::quoted(host) + " has no number");
        if (!is_router(main->second.device))
            fail(at, "the sub-interface " + name + " stands on a " +
                         text::quoted(map_.devices[main->second.device].model) +
                         ", and only routers take sub-interfaces");
        if (!seen_.insert({interface.index, own}).second)
            fail(at, "the sub-interface " + name + " is there twice");
        if (!interface.connected || !unassigned(interface.todevice))
            fail(at, "the sub-interface " + name + " stands on an interface that carries none");
        const auto far = find(value(s, "todevice").to_text(), value(s, "tointerface").to_text());
        if (!far)
            fail(at, "the sub-interface " + name + " is connected to " +
                         text::quoted(value(s, "tointerface").to_text()) + " of " +
                         text::quoted(value(s, "todevice").to_text()) +
                         ", which the file does not hold");
        const int far_number = number(s, "to_sub_int_num");
        bool back = false;
        for (std::size_t t = 0; t < map_.subinterfaces.size() && !back; ++t)
            back = number(t, "ref") == row(*far).index && number(t, "sun_int_num") == far_number &&
                   text::iequals(value(t, "todevice").to_text(), host) &&
                   text::iequals(value(t, "tointerface").to_text(), interface.interfacetype) &&
                   number(t, "to_sub_int_num") == own && number(t, "lineno") == number(s, "lineno");
        if (!back)
            fail(at, "the sub-interface " + name + " is not connected back on the same line");
        const std::string key = pair_key('s', main->second, *far);
        const auto [line, added] = line_of_pair_.emplace(key, number(s, "lineno"));
        if (!added && line->second != number(s, "lineno"))
            fail(at, "the sub-interfaces between the same two interfaces lie on lines " +
                         std::to_string(line->second) + " and " +
                         std::to_string(number(s, "lineno")));
        use_line(number(s, "lineno"), at, key);
    }

    const NetworkMap& map_;
    const Where& where_;
    const std::vector<std::string>& models_;
    std::map<std::string, std::size_t> column_;
    std::map<std::string, std::size_t> device_of_;
    std::map<std::size_t, std::map<std::string, std::size_t>> interfaces_of_;
    std::map<int, Place> by_index_;
    std::set<std::pair<int, int>> seen_;
    std::map<std::string, int> line_of_pair_;
    std::vector<std::set<std::string>> uses_;  // the connections on each line
};

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
    out.line(kMapSubinterfaceMarker);
    for (const auto& record : map.subinterfaces) {
        for (const auto& value : record) out.value(value);
        out.line(kMapEndOfRecord);
    }
    out.line(kMapCountersMarker);
    for (int counter : map.counters) out.number(counter);
    out.line(kMapDescriptionMarker);
    // The description is written as it is, followed by one line end.
    out.line(map.description);
    out.line(kMapConnectorsMarker);
    for (const auto& line : map.lines) {
        out.number(line.x1);
        out.number(line.x2);
        out.number(line.y1);
        out.number(line.y2);
        out.number(line.colour);
    }
    return out.take();
}

NetworkMap parse_network_map(std::string_view text, const std::vector<std::string>& models) {
    Where where;
    NetworkMap map = Reader(text).run(where);
    Checker(map, where, models).run();
    return map;
}

void write_network_map_file(const std::string& path, const NetworkMap& map) {
    platform::write_file_atomically(path, format_network_map(map));
}

NetworkMap read_network_map_file(const std::string& path, const std::vector<std::string>& models) {
    std::string content;
    try {
        content = platform::read_whole_file(path);
    } catch (const platform::FileReadError& error) {
        throw MapFileError(path, 0, error.what());
    }
    try {
        return parse_network_map(content, models);
    } catch (const MapFileError& error) {
        throw MapFileError(path, error.line(), error.reason());
    }
}

}  // namespace vexlab::designer
