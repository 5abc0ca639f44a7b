#include "networkfiles/network_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

#include "platform/db_session.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::networkfiles {

namespace {

using text::quoted;

// The text between a line's first and last character, whatever they are:
// the writers put brackets there, and only a device block's name line is
// held to them.
std::string strip(std::string_view line) {
    if (line.size() < 2) return {};
    return std::string(line.substr(1, line.size() - 2));
}

std::optional<std::int64_t> whole_number(std::string_view text) {
    return platform::whole_number(text, std::numeric_limits<std::int64_t>::min(),
                                  std::numeric_limits<std::int64_t>::max());
}

class Lines {
public:
    explicit Lines(std::string_view text) : lines_(platform::split_lines(text)) {}

    bool at_end() const { return pos_ >= lines_.size(); }
    // Only empty lines are left.
    bool only_blank_left() const {
        for (std::size_t i = pos_; i < lines_.size(); ++i)
            if (!lines_[i].empty()) return false;
        return true;
    }
    std::string_view peek() const { return lines_[pos_]; }
    // The line after the one read last, if there is one.
    std::optional<std::string_view> following() const {
        if (at_end()) return std::nullopt;
        return lines_[pos_];
    }
    std::string_view next() { return lines_[pos_++]; }
    // The number of the line read last (1 for the file's first line).
    int number() const { return static_cast<int>(pos_); }
    // The number of the line next() would read.
    int next_number() const { return static_cast<int>(pos_) + 1; }

private:
    std::vector<std::string_view> lines_;
    std::size_t pos_ = 0;
};

[[noreturn]] void refuse(int line, std::string reason) {
    throw NetworkFileError(line, std::move(reason));
}

class Parser {
public:
    Parser(std::string_view text, NetworkFileKind kind, const FileShapes& shapes)
        : lines_(text), shapes_(shapes) {
        file_.kind = kind;
    }

    NetworkFile run() {
        if (lines_.at_end()) refuse(0, "the file is empty");
        device_part();
        for (std::size_t v = 0; v < 3; ++v) {
            const std::string_view end =
                v + 1 < 3 ? view_header(kRoutingViews[v + 1]) : kDescriptionHeader;
            routing_section(v, end);
        }
        const bool configuration = file_.kind == NetworkFileKind::Configuration;
        description(configuration ? kDumpSections[0].header : kSubinterfaceHeader);
        if (configuration)
            dumps();
        else
            subinterfaces();
        check_references();
        for (std::size_t view = 0; view < 3; ++view) in_index_order(view);
        return std::move(file_);
    }

private:
    std::string_view expect_more(std::string_view awaited) {
        if (lines_.at_end())
            refuse(lines_.number(), "the file ends before the line " + quoted(awaited));
        return lines_.next();
    }

    // ------------------------------------------------------------ devices

    void device_part() {
        for (std::size_t i = 0; i < shapes_.setting_keys.size(); ++i)
            key_position_.emplace(text::lower(shapes_.setting_keys[i]), i);
        while (true) {
            const std::string_view line = expect_more(kRoutingHeader);
            if (line == kRoutingHeader) break;
            if (line == kOspfHeader)
                refuse(lines_.number(), "the line " + quoted(kRoutingHeader) + " is missing");
            if (!line.empty() && line[0] == '<') {
                device_block(line);
                continue;
            }
            if (netpath_line(line)) break;
            setting_line(line);
        }
        if (file_.devices.empty()) refuse(lines_.number(), "the file holds no device");
        check_host_name(file_.devices.back());
        if (file_.kind == NetworkFileKind::Configuration && !file_.picture_path)
            refuse(lines_.number(), "the line " + quoted(kNetpathKey) + " is missing");
    }

    void device_block(std::string_view model_line) {
        if (!file_.devices.empty()) check_host_name(file_.devices.back());
        DeviceBlock block;
        block.line = lines_.number();
        block.model = strip(model_line);
        const auto kind = kind_of_model(block.model);
        if (!kind) refuse(block.line, "unknown model " + quoted(block.model));
        block.kind = *kind;
        // The name line is the one line of a block the writers always
        // bracket; without that test a block that lost it would take its
        // first setting for the name.
        const std::string_view name_line = expect_more("[device name]");
        if (name_line.size() < 2 || name_line.front() != '[' || name_line.back() != ']')
            refuse(lines_.number(),
                   "expected the device's name as \"[name]\" after its model line, "
                   "found " +
                       quoted(name_line));
        block.name = strip(name_line);
        if (auto why = unusable_device_name(block.name)) refuse(lines_.number(), *why);
        const auto [other, added] =
            device_at_.emplace(text::lower(block.name), file_.devices.size());
        if (!added)
            refuse(lines_.number(), "the device " + quoted(block.name) + " is named twice (line " +
                                        std::to_string(file_.devices[other->second].line + 1) +
                                        ")");
        file_.devices.push_back(std::move(block));
    }

    // The netpath line ends the device part; the routing header follows it.
    // A line of that form followed by anything else is a line of a value.
    bool netpath_line(std::string_view line) {
        const std::string prefix = std::string(kNetpathKey) + ":";
        if (line.substr(0, prefix.size()) != prefix || lines_.following() != kRoutingHeader)
            return false;
        file_.picture_path = std::string(line.substr(prefix.size()));
        lines_.next();
        return true;
    }

    // A key line, or a further line of the value before it.  A key line
    // names a key of the settings table that comes after the key read last
    // in the block: a line inside a value that names an earlier key, the
    // same key again or no key at all stays text of that value.
    void setting_line(std::string_view line) {
        if (file_.devices.empty())
            refuse(lines_.number(), "a line before the first device: " + quoted(line));
        auto& settings = file_.devices.back().settings;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && colon > 0) {
            const auto key = key_position_.find(text::lower(line.substr(0, colon)));
            if (key != key_position_.end() && (settings.empty() || key->second > last_key_)) {
                last_key_ = key->second;
                settings.push_back({std::string(line.substr(0, colon)),
                                    std::string(line.substr(colon + 1)), lines_.number()});
                return;
            }
        }
        if (settings.empty()) refuse(lines_.number(), "a line that is no setting: " + quoted(line));
        settings.back().value.append(kLineEnd).append(unescaped_value_line(line));
    }

    // Every device has a host name of one line: the console's prompt.
    void check_host_name(const DeviceBlock& block) {
        const auto setting =
            std::find_if(block.settings.begin(), block.settings.end(),
                         [](const Setting& s) { return text::iequals(s.key, kHostNameKey); });
        const std::string device = quoted(block.name);
        if (setting == block.settings.end())
            refuse(block.line + 1, "the device " + device + " has no line " +
                                       quoted(std::string(kHostNameKey) + ":..."));
        if (setting->value.empty())
            refuse(setting->line, "the host name of the device " + device + " is empty");
        const std::size_t end = setting->value.find(kLineEnd);
        if (end == std::string::npos) return;
        const std::string_view second = std::string_view(setting->value).substr(end + 2);
        if (text::iequals(second.substr(0, kHostNameKey.size() + 1),
                          std::string(kHostNameKey) + ":"))
            refuse(setting->line + 1, "the host name of the device " + device +
                                          " is given twice (line " + std::to_string(setting->line) +
                                          ")");
        refuse(setting->line + 1,
               "the host name of the device " + device + " goes on over a second line");
    }

    // ------------------------------------------------------------ routing views

    void routing_section(std::size_t view, std::string_view end) {
        const TableShape& shape = shapes_.views[view];
        const int ref_position = position(shape, "ref");
        std::map<std::int64_t, std::string> names;
        auto& records = file_.views[view];
        while (true) {
            const std::string_view line = expect_more(end);
            if (line == end) return;
            if (line.empty() || line[0] != '<')
                refuse(lines_.number(), "expected a record's device number line or " + quoted(end) +
                                            ", found " + quoted(line));
            RoutingRecord record;
            record.line = lines_.number();
            const auto dev_no = whole_number(strip(line));
            if (!dev_no) refuse(record.line, "bad device number " + quoted(line));
            record.dev_no = *dev_no;
            const std::string_view name_line = expect_more(end);
            if (name_line == end)
                refuse(lines_.number(),
                       "the record of line " + std::to_string(record.line) + " has no device name");
            record.dev_name = strip(name_line);
            record.values = values(shape, end, record.line);
            if (ref_position >= 0) {
                const db::Value& ref = record.values[ref_position];
                if (ref.is_null() || ref.to_int() != record.dev_no)
                    refuse(record.line, "the record's device number " +
                                            std::to_string(record.dev_no) +
                                            " differs from its ref " + quoted(ref.to_text()));
            }
            const auto [known, added] = names.emplace(record.dev_no, record.dev_name);
            if (!added && !text::iequals(known->second, record.dev_name))
                refuse(lines_.number() - static_cast<int>(shape.size()),
                       "device number " + std::to_string(record.dev_no) + " is named " +
                           quoted(known->second) + " and " + quoted(record.dev_name));
            records.push_back(std::move(record));
        }
    }

    // One value line per column of the shape.
    std::vector<db::Value> values(const TableShape& shape, std::string_view end, int record_line) {
        std::vector<db::Value> out;
        out.reserve(shape.size());
        for (const auto& column : shape) {
            if (lines_.at_end() || (!end.empty() && lines_.peek() == end))
                refuse(lines_.next_number(), "the record of line " + std::to_string(record_line) +
                                                 " ends after " + std::to_string(out.size()) +
                                                 " of its " + std::to_string(shape.size()) +
                                                 " values");
            const std::string_view line = lines_.next();
            auto value = column_value(line, column.type);
            if (!value) refuse(lines_.number(), bad_value(line, column));
            out.push_back(std::move(*value));
        }
        return out;
    }

    static std::string bad_value(std::string_view line, const ColumnShape& column) {
        if (column.type == state::ColumnType::YesNo)
            return quoted(line) + " is not True or False (column " + column.name + ")";
        return "bad number " + quoted(line) + " (column " + column.name + ")";
    }

    static int position(const TableShape& shape, std::string_view column) {
        for (std::size_t i = 0; i < shape.size(); ++i)
            if (text::iequals(shape[i].name, column)) return static_cast<int>(i);
        return -1;
    }

    // ------------------------------------------------------------ description

    void description(std::string_view end) {
        std::string text;
        bool first = true;
        while (true) {
            const std::string_view line = expect_more(end);
            if (line == end) break;
            if (!first) text.append(kLineEnd);
            text.append(unescaped_description_line(line));
            first = false;
        }
        file_.description = std::move(text);
    }

    // ------------------------------------------------------------ table dumps

    void dumps() {
        for (std::size_t d = 0; d < kDumpCount; ++d) {
            const std::string_view header = kDumpSections[d].header;
            const std::string_view end = d + 1 < kDumpCount ? kDumpSections[d + 1].header : "";
            const TableShape& shape = shapes_.dumps[d];
            auto& rows = file_.dumps[d];
            while (true) {
                if (end.empty()) {
                    if (lines_.only_blank_left()) return;
                } else {
                    if (lines_.at_end())
                        refuse(lines_.number(), "the file ends before the line " + quoted(end));
                    if (lines_.peek() == end) {
                        lines_.next();
                        break;
                    }
                }
                // A record is as long as its table is wide, so a value that
                // reads like a header or "EOR" is still taken as a value.
                const int record_line = lines_.next_number();
                rows.push_back(values(shape, {}, record_line));
                file_.dump_lines[d].push_back(record_line);
                if (lines_.at_end())
                    refuse(lines_.number(), "the record of line " + std::to_string(record_line) +
                                                " in " + quoted(header) + " has no " +
                                                quoted(kEndOfRecord) + " line");
                const std::string_view eor = lines_.next();
                if (eor.substr(0, kEndOfRecord.size()) != kEndOfRecord)
                    refuse(lines_.number(), "expected " + quoted(kEndOfRecord) + " after the " +
                                                std::to_string(shape.size()) +
                                                " values of the record of line " +
                                                std::to_string(record_line) + " in " +
                                                quoted(header) + ", found " + quoted(eor));
            }
        }
    }

    // ------------------------------------------------------------ subinterfaces

    void subinterfaces() {
        const TableShape& shape = shapes_.frame_map;
        const std::set<std::string> frame_relay = frame_relay_interfaces();
        while (!lines_.at_end()) {
            if (lines_.only_blank_left()) return;
            const std::string_view header = lines_.next();
            if (header.empty() || header[0] != '<')
                refuse(lines_.number(),
                       "expected a subinterface record \"<device>\", found " + quoted(header));
            SubinterfaceRecord record;
            record.line = lines_.number();
            record.device = strip(header);
            if (lines_.at_end())
                refuse(record.line, "the subinterface record has no interface line");
            record.interface = std::string(lines_.next());
            while (!lines_.at_end() && !(lines_.peek().size() > 0 && lines_.peek()[0] == '<')) {
                const std::size_t position = record.values.size() + 1;
                const std::string_view line = lines_.next();
                if (position >= shape.size())
                    refuse(lines_.number(), "the subinterface record of line " +
                                                std::to_string(record.line) +
                                                " has more values than frame_map has columns");
                auto value = column_value(line, shape[position].type);
                if (!value) refuse(lines_.number(), bad_value(line, shape[position]));
                record.values.push_back(std::move(*value));
            }
            if (record.values.empty())
                refuse(record.line, "the subinterface record has no subinterface number");
            if (!frame_relay.count(interface_key(record.device, record.interface)))
                refuse(record.line, "the subinterface record names the interface " +
                                        quoted(record.interface) + " of " + quoted(record.device) +
                                        ", which the routing section does not hold");
            file_.subinterfaces.push_back(std::move(record));
        }
    }

    // The interfaces the routing section gave a Frame Relay row that the
    // load keeps: a router's, there with a number other than 0.
    std::set<std::string> frame_relay_interfaces() const {
        const TableShape& shape = shapes_.views[0];
        const int name = position(shape, "int_name");
        const int index = position(shape, "index");
        std::set<std::string> interfaces;
        if (name < 0 || index < 0) return interfaces;
        for (const auto& record : file_.views[0])
            if (record.values[index].to_int() != 0 && is_router(record.dev_name))
                interfaces.insert(interface_key(record.dev_name, record.values[name].to_text()));
        return interfaces;
    }

    static std::string interface_key(std::string_view device, std::string_view interface) {
        return text::lower(device) + '\n' + text::lower(interface);
    }

    // ------------------------------------------------------------ references

    // Whatever a record names must be in the file: its device among the
    // device blocks, under one number in every view; the far end of each
    // connection, naming this end back; the device or interface of each
    // dumped row.  Each interface index is given once.
    void check_references() {
        check_record_devices();
        for (std::size_t view = 0; view < 3; ++view) check_connections(view);
        check_interface_indexes();
        if (file_.kind == NetworkFileKind::Configuration) check_dump_references();
    }

    const DeviceBlock* device_named(std::string_view name) const {
        const auto found = device_at_.find(text::lower(name));
        return found == device_at_.end() ? nullptr : &file_.devices[found->second];
    }

    bool is_router(std::string_view name) const {
        const DeviceBlock* device = device_named(name);
        return device && device->kind == state::DeviceKind::Router;
    }

    void check_record_devices() {
        std::map<std::string, std::int64_t> number_of;
        std::map<std::int64_t, std::string> name_of;
        for (const auto& records : file_.views)
            for (const auto& record : records) {
                if (!device_named(record.dev_name))
                    refuse(record.line + 1, "the record names the device " +
                                                quoted(record.dev_name) +
                                                ", which no device block of the file holds");
                const auto [number, new_name] =
                    number_of.emplace(text::lower(record.dev_name), record.dev_no);
                if (!new_name && number->second != record.dev_no)
                    refuse(record.line, "the device " + quoted(record.dev_name) +
                                            " has the number " + std::to_string(number->second) +
                                            " and the number " + std::to_string(record.dev_no));
                const auto [name, new_number] = name_of.emplace(record.dev_no, record.dev_name);
                if (!new_number && !text::iequals(name->second, record.dev_name))
                    refuse(record.line + 1, "device number " + std::to_string(record.dev_no) +
                                                " is named " + quoted(name->second) + " and " +
                                                quoted(record.dev_name));
            }
    }

    static bool unconnected(std::string_view end) {
        return end.empty() || end == state::marker::kUnassigned;
    }

    // A connection names the far device and its interface; that interface
    // is in the same view and names this one as its far end.
    void check_connections(std::size_t view) {
        const TableShape& shape = shapes_.views[view];
        const int name = position(shape, "int_name");
        const int far_device = position(shape, "next_hop_devname");
        const int far_interface = position(shape, "next_hop_intname");
        if (name < 0 || far_device < 0 || far_interface < 0) return;
        const auto& records = file_.views[view];
        std::map<std::string, std::vector<std::size_t>> by_name;
        for (std::size_t r = 0; r < records.size(); ++r)
            by_name[interface_key(records[r].dev_name, records[r].values[name].to_text())]
                .push_back(r);

        for (const auto& record : records) {
            const std::string interface = record.values[name].to_text();
            const std::string device = record.values[far_device].to_text();
            const std::string far = record.values[far_interface].to_text();
            if (unconnected(device) && unconnected(far)) continue;
            const int line = record.line + 2 + far_device;
            const std::string end = "the interface " + quoted(interface) + " of " +
                                    quoted(record.dev_name) + " is connected to ";
            if (unconnected(device) || unconnected(far))
                refuse(line, end + "the interface " + quoted(far) + " of the device " +
                                 quoted(device) + ": one of the two is missing");
            if (!device_named(device))
                refuse(line,
                       end + "the device " + quoted(device) + ", which the file does not hold");
            const auto found = by_name.find(interface_key(device, far));
            if (found == by_name.end())
                refuse(line + 1, end + quoted(far) + " of " + quoted(device) +
                                     ", which the section does not hold");
            bool answered = false;
            for (std::size_t r : found->second) {
                const auto& values = records[r].values;
                answered =
                    answered || (text::iequals(values[far_device].to_text(), record.dev_name) &&
                                 text::iequals(values[far_interface].to_text(), interface));
            }
            if (!answered)
                refuse(line, end + quoted(far) + " of " + quoted(device) +
                                 ", which is not connected back to it");
        }
    }

    // An interface index numbers the interface's Frame Relay row, which the
    // subinterfaces and the dumped maps name.
    void check_interface_indexes() {
        const int index = position(shapes_.views[0], "index");
        if (index < 0) return;
        std::map<std::int64_t, int> seen;
        for (const auto& record : file_.views[0]) {
            const db::Value& value = record.values[index];
            if (value.is_null() || value.to_int() == 0) continue;
            const int line = record.line + 2 + index;
            const auto [first, added] = seen.emplace(value.to_int(), line);
            if (!added)
                refuse(line, "the interface index " + std::to_string(value.to_int()) +
                                 " is given twice (line " + std::to_string(first->second) + ")");
        }
    }

    // What a dumped row names: a device of the routing or the OSPF view, by
    // number or (in a text column) by name, a router, or the index of a
    // router's interface.
    enum class Names { Device, OspfDevice, Router, RouterInterface };
    struct DumpReference {
        std::string_view header;
        std::string_view column;
        Names names;
    };
    static constexpr DumpReference kDumpReferences[] = {
        {"framemap", "ref", Names::RouterInterface},
        {"intdevice", "dev_name", Names::Device},
        {"intdet", "ref", Names::Router},
        {"virtual link", "dev_name", Names::OspfDevice},
        {"nat device", "dev_name", Names::Device},
        {"nat mapping", "ref", Names::Device},
        {"Access list", "ref_devce", Names::Device},
        {"nat pool", "dev_ref", Names::Device},
    };

    // What the dumped rows may name, gathered once from the routing and
    // the OSPF view.
    struct DevicesOf {
        std::set<std::int64_t> numbers;
        std::set<std::string> names;  // in lower case
    };
    struct DumpTargets {
        DevicesOf routing, ospf;
        std::set<std::int64_t> routers;            // by number
        std::set<std::int64_t> router_interfaces;  // by interface index
    };

    DumpTargets dump_targets() const {
        DumpTargets targets;
        const int index = position(shapes_.views[0], "index");
        for (const auto& record : file_.views[0]) {
            targets.routing.numbers.insert(record.dev_no);
            targets.routing.names.insert(text::lower(record.dev_name));
            if (!is_router(record.dev_name)) continue;
            targets.routers.insert(record.dev_no);
            if (index >= 0 && !record.values[index].is_null() && record.values[index].to_int() != 0)
                targets.router_interfaces.insert(record.values[index].to_int());
        }
        for (const auto& record : file_.views[1]) {
            targets.ospf.numbers.insert(record.dev_no);
            targets.ospf.names.insert(text::lower(record.dev_name));
        }
        return targets;
    }

    void check_dump_references() {
        const DumpTargets targets = dump_targets();
        for (std::size_t d = 0; d < kDumpCount; ++d)
            for (const auto& reference : kDumpReferences) {
                if (reference.header != kDumpSections[d].header) continue;
                const int column = position(shapes_.dumps[d], reference.column);
                if (column < 0) continue;
                for (std::size_t r = 0; r < file_.dumps[d].size(); ++r) {
                    const db::Value& value = file_.dumps[d][r][column];
                    if (!names_something(value, reference.names, targets))
                        refuse(file_.dump_lines[d][r] + column,
                               "the record in " + quoted(reference.header) + " names " +
                                   unknown(value, reference.names));
                }
            }
    }

    static std::string unknown(const db::Value& value, Names names) {
        const std::string shown = quoted(value.to_text());
        switch (names) {
            case Names::Device:
                break;
            case Names::OspfDevice:
                return "the device " + shown + ", which the OSPF section does not hold";
            case Names::Router:
                return "the device " + shown + ", which is no router of the file";
            case Names::RouterInterface:
                return "the interface index " + shown +
                       ", which is no router interface of the file";
        }
        return "the device " + shown + ", which the file does not hold";
    }

    // A device is named by number, or in a text column by name.
    static bool names_device(const db::Value& value, const DevicesOf& devices) {
        return value.type() == db::ValueType::Text
                   ? devices.names.count(text::lower(value.to_text())) > 0
                   : devices.numbers.count(value.to_int()) > 0;
    }

    static bool names_something(const db::Value& value, Names names, const DumpTargets& targets) {
        if (value.is_null()) return false;
        switch (names) {
            case Names::Device:
                return names_device(value, targets.routing);
            case Names::OspfDevice:
                return names_device(value, targets.ospf);
            case Names::Router:
                return targets.routers.count(value.to_int()) > 0;
            case Names::RouterInterface:
                return targets.router_interfaces.count(value.to_int()) > 0;
        }
        return false;
    }

    // The records in the order the writers give them, by interface index
    // (an empty index first), so that a file loaded and saved again comes
    // back the same whatever order its records were in.
    void in_index_order(std::size_t view) {
        const int index = position(shapes_.views[view], "index");
        if (index < 0) return;
        auto& records = file_.views[view];
        std::stable_sort(records.begin(), records.end(),
                         [index](const RoutingRecord& a, const RoutingRecord& b) {
                             const db::Value& x = a.values[index];
                             const db::Value& y = b.values[index];
                             if (x.is_null() || y.is_null()) return x.is_null() && !y.is_null();
                             return x.to_int() < y.to_int();
                         });
    }

    Lines lines_;
    const FileShapes& shapes_;
    NetworkFile file_;
    std::map<std::string, std::size_t> device_at_;  // each device block, by its name in lower case
    std::map<std::string, std::size_t> key_position_;  // the settings table's keys, in lower case
    std::size_t last_key_ = 0;                         // the position of the block's last key line
};

}  // namespace

NetworkFileError::NetworkFileError(int line, std::string reason)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason),
      line_(line),
      reason_(std::move(reason)) {}

std::optional<std::string> unusable_device_name(std::string_view name) {
    if (name.empty()) return "a device needs a name";
    const std::string refused = "a device cannot be named " + quoted(name) + ": ";
    if (name.find('\0') != std::string_view::npos)
        return refused + "the database ends a name at a NUL character";
    if (text::iequals(name, "Config_Variable"))
        return refused + "the settings table holds the setting names in a column of that name";
    // A column of such a name would take the place of the rows' order.
    for (std::string_view taken : {"rowid", "oid", "_rowid_"})
        if (text::iequals(name, taken))
            return refused + "the database uses that name for the number of every row";
    return std::nullopt;
}

std::optional<db::Value> column_value(std::string_view line, state::ColumnType type) {
    switch (type) {
        case state::ColumnType::Text:
        case state::ColumnType::Memo:
            return db::Value(std::string(line));
        case state::ColumnType::YesNo:
        case state::ColumnType::Integer: {
            if (text::trim(line).empty()) return db::Value();
            const bool yes_no = type == state::ColumnType::YesNo;
            if (text::iequals(line, "True")) return yes_no ? db::Value(true) : db::Value(1);
            if (text::iequals(line, "False")) return yes_no ? db::Value(false) : db::Value(0);
            const auto number = whole_number(line);
            if (!number) return std::nullopt;
            if (yes_no) return db::Value(*number != 0);
            return db::Value(*number);
        }
        case state::ColumnType::Number: {
            const std::string trimmed = text::trim(line);
            if (trimmed.empty()) return db::Value();
            if (const auto whole = whole_number(trimmed)) return db::Value(*whole);
            char* end = nullptr;
            const double number = std::strtod(trimmed.c_str(), &end);
            if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(number))
                return std::nullopt;
            return db::Value(number);
        }
    }
    return std::nullopt;
}

FileShapes working_shapes(db::DatabaseSession& session) {
    const state::NetworkTableSet working = state::NetworkTableSet::working_set();
    FileShapes shapes;
    shapes.views[0] = table_shape(session, working.route_ip_table);
    shapes.views[1] = table_shape(session, working.ospf_ip_table);
    shapes.views[2] = table_shape(session, working.eigrp_ip_table);
    for (std::size_t d = 0; d < kDumpCount; ++d)
        shapes.dumps[d] = table_shape(session, dump_table(kDumpSections[d], working));
    shapes.frame_map = table_shape(session, working.frame_map_table);
    db::Recordset keys =
        session.open_recordset("SELECT Config_Variable FROM " +
                               db::quote_identifier("config_template") + " ORDER BY rowid");
    for (; !keys.eof(); keys.move_next()) shapes.setting_keys.push_back(keys.text(0));
    return shapes;
}

NetworkFile parse_network_file(std::string_view text, NetworkFileKind kind,
                               const FileShapes& shapes) {
    return Parser(text, kind, shapes).run();
}

}  // namespace vexlab::networkfiles
