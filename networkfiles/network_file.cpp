#include "networkfiles/network_file.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>

#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"

namespace vexlab::networkfiles {

namespace {

std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    if (text.size() > kShown) return "\"" + std::string(text.substr(0, kShown)) + "...\"";
    return "\"" + std::string(text) + "\"";
}

// The text between a line's first and last character, whatever they are:
// the writers put brackets there and the readers never looked at them.
std::string strip(std::string_view line) {
    if (line.size() < 2) return {};
    return std::string(line.substr(1, line.size() - 2));
}

std::optional<std::int64_t> whole_number(std::string_view text) {
    const std::string trimmed = text::trim(text);
    if (trimmed.empty()) return std::nullopt;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (*first == '+') ++first;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last) return std::nullopt;
    return number;
}

class Lines {
public:
    explicit Lines(std::string_view text) : lines_(split_lines(text)) {}

    bool at_end() const { return pos_ >= lines_.size(); }
    // Only empty lines are left.
    bool only_blank_left() const {
        for (std::size_t i = pos_; i < lines_.size(); ++i)
            if (!lines_[i].empty()) return false;
        return true;
    }
    std::string_view peek() const { return lines_[pos_]; }
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
        while (true) {
            const std::string_view line = expect_more(kRoutingHeader);
            if (line == kRoutingHeader) break;
            if (line == kOspfHeader)
                refuse(lines_.number(), "the line " + quoted(kRoutingHeader) + " is missing");
            if (!line.empty() && line[0] == '<') {
                device_block(line);
                continue;
            }
            if (setting_line(line)) break;  // the netpath line ends the device part
        }
        if (file_.devices.empty()) refuse(lines_.number(), "the file holds no device");
        if (file_.kind == NetworkFileKind::Configuration && !file_.picture_path)
            refuse(lines_.number(), "the line " + quoted(kNetpathKey) + " is missing");
    }

    void device_block(std::string_view model_line) {
        DeviceBlock block;
        block.line = lines_.number();
        block.model = strip(model_line);
        const auto kind = kind_of_model(block.model);
        if (!kind) refuse(block.line, "unknown model " + quoted(block.model));
        block.kind = *kind;
        const std::string_view name_line = expect_more("[device name]");
        block.name = strip(name_line);
        if (block.name.empty() || text::iequals(block.name, "Config_Variable"))
            refuse(lines_.number(), "a device cannot be named " + quoted(block.name));
        for (const auto& other : file_.devices)
            if (text::iequals(other.name, block.name))
                refuse(lines_.number(), "the device " + quoted(block.name) +
                                            " is named twice (line " +
                                            std::to_string(other.line + 1) + ")");
        file_.devices.push_back(std::move(block));
    }

    // A key line, or a further line of the value before it: keys never hold
    // a blank, so a line is a key line when the text before its first colon
    // is one word.  Returns true for the netpath line.
    bool setting_line(std::string_view line) {
        const std::size_t colon = line.find(':');
        const bool key_line = colon != std::string_view::npos && colon > 0 &&
                              line.substr(0, colon).find(' ') == std::string_view::npos;
        if (key_line && line.substr(0, colon) == kNetpathKey) {
            file_.picture_path = std::string(line.substr(colon + 1));
            const int netpath = lines_.number();
            if (lines_.at_end() || lines_.next() != kRoutingHeader)
                refuse(netpath + 1,
                       "the line " + quoted(kRoutingHeader) + " must follow the netpath line");
            return true;
        }
        if (file_.devices.empty())
            refuse(lines_.number(), "a line before the first device: " + quoted(line));
        auto& settings = file_.devices.back().settings;
        if (key_line) {
            settings.push_back(
                {std::string(line.substr(0, colon)), std::string(line.substr(colon + 1))});
        } else {
            if (settings.empty())
                refuse(lines_.number(), "a line that is no setting: " + quoted(line));
            settings.back().value.append(kLineEnd).append(line);
        }
        return false;
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
            text.append(line);
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
                // The designer writes the number as a number line; stored
                // with its blanks, no command would find the subinterface.
                if (position == 1 && value->type() == db::ValueType::Text)
                    value = db::Value(text::trim(value->to_text()));
                record.values.push_back(std::move(*value));
            }
            if (record.values.empty())
                refuse(record.line, "the subinterface record has no subinterface number");
            if (!has_interface(record.device, record.interface))
                refuse(record.line, "the subinterface record names the interface " +
                                        quoted(record.interface) + " of " + quoted(record.device) +
                                        ", which the routing section does not hold");
            file_.subinterfaces.push_back(std::move(record));
        }
    }

    // The routing section gave the interface a Frame Relay row: it is there
    // with a number other than 0.
    bool has_interface(const std::string& device, const std::string& interface) const {
        const TableShape& shape = shapes_.views[0];
        const int name = position(shape, "int_name");
        const int index = position(shape, "index");
        if (name < 0 || index < 0) return false;
        for (const auto& record : file_.views[0])
            if (text::iequals(record.dev_name, device) &&
                text::iequals(record.values[name].to_text(), interface) &&
                record.values[index].to_int() != 0)
                return true;
        return false;
    }

    Lines lines_;
    const FileShapes& shapes_;
    NetworkFile file_;
};

}  // namespace

NetworkFileError::NetworkFileError(int line, std::string reason)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason),
      line_(line),
      reason_(std::move(reason)) {}

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
    return shapes;
}

NetworkFile parse_network_file(std::string_view text, NetworkFileKind kind,
                               const FileShapes& shapes) {
    return Parser(text, kind, shapes).run();
}

}  // namespace vexlab::networkfiles
