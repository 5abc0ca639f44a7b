#include "commands/show/show_template.h"

#include <fstream>
#include <sstream>

#include "commands/show/show_tables.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/table_set.h"
#include "state/vocabulary.h"

namespace vexlab::commands::show {

namespace {

using Kind = FieldValue::Kind;

FieldValue value_of(const db::Value& cell) {
    if (cell.is_null()) return {Kind::Null, {}};
    return {Kind::Value, cell.to_text()};
}

// Expands the block whose key line was just read: every line up to and
// including the empty line that ends it (or the end of the file).
void expand_block(const std::vector<std::string>& lines, std::size_t& next,
                  const FieldResolver& resolve, std::string& written) {
    std::string current = "key";
    while (!current.empty() && next < lines.size()) {
        current = lines[next++];
        if (auto line = expand_line(current, resolve)) written += *line + kCrLf;
    }
}

// The settings field of both engines: nothing when the key has no row.
std::optional<FieldValue> settings_field(const SettingsColumn& settings, const std::string& name) {
    if (!settings.has_key(name)) return std::nullopt;
    auto cell = settings.cell(name);
    if (!cell) return FieldValue{Kind::Dropped, {}};
    return value_of(*cell);
}

}  // namespace

std::vector<std::string> read_template_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream content;
    content << in.rdbuf();
    return text_lines(content.str());
}

std::string get_uptime_minutes(std::time_t opened_at, std::time_t now) {
    const long long minutes =
        static_cast<long long>(now) / 60 - static_cast<long long>(opened_at) / 60;
    // A clock set back behind the opening shows no negative uptime.
    return std::to_string(minutes < 0 ? 0 : minutes);
}

std::optional<std::string> expand_line(const std::string& line, const FieldResolver& resolve) {
    const std::vector<std::string> pieces = text::split(line, "$");
    std::string result = pieces[0];
    bool any_unset = false;  // a field holds the not-set marker
    bool any_shown = false;  // a field shows something of the device

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        const std::size_t blank = piece.find(' ');
        const std::string name = blank == std::string::npos ? piece : piece.substr(0, blank);
        const std::string trailing = blank == std::string::npos ? "" : piece.substr(blank);
        // Only the blanks in front go: a blank after the text is part of
        // what is looked for.
        const std::size_t text_start = trailing.find_first_not_of(' ');
        const std::string anchor =
            text_start == std::string::npos ? std::string() : trailing.substr(text_start);
        // Where the trailing text stands in the template line (counted from
        // 1): a shorter value is padded up to there.
        const std::size_t place = anchor.empty() ? 1 : line.find(anchor) + 1;

        FieldValue field = resolve(name, piece);
        if (field.kind == Kind::Value && field.text == state::marker::kNill) {
            any_unset = true;
            field.kind = Kind::Null;
        } else if (field.kind != Kind::Dropped) {
            any_shown = true;
        }
        switch (field.kind) {
            case Kind::Verbatim:
                result += field.text;
                break;
            case Kind::Dropped:
                break;
            case Kind::Null:
                result += trailing;
                break;
            case Kind::Value: {
                const std::size_t length = result.size() + field.text.size();
                result += field.text;
                if (place >= length) result += std::string(place - length, ' ');
                result += trailing;
                break;
            }
        }
    }
    if (any_unset && !any_shown) return std::nullopt;
    return result;
}

std::string expand_template_blocks(const std::vector<std::string>& lines, const std::string& key,
                                   const ShowContext& context, const BlockInputs& inputs) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    std::optional<db::Recordset> interface;  // read at the first field that needs it
    std::string previous;                    // the PVC block's last value

    const FieldResolver resolve = [&](const std::string& name,
                                      const std::string& piece) -> FieldValue {
        if (piece == "uptime")
            return {Kind::Verbatim, get_uptime_minutes(context.opened_at, context.now)};
        if (key == kPvcBlockKey) {
            if (name == "int_num")
                previous = inputs.pvc_interface;
            else if (name == "dlci_num")
                previous = inputs.pvc_dlci;
            return {Kind::Value, previous};
        }
        const std::string lookup =
            key == kSwitchportKey ? "FastEthernet" + inputs.typed_port + name : name;
        if (auto field = settings_field(settings, lookup)) return *field;
        if (inputs.serial_sections_shown) return {Kind::Dropped, {}};
        if (!interface)
            interface = interface_row(context.session, context.device, inputs.interface);
        if (interface->eof()) return {Kind::Dropped, {}};
        auto column = interface->field_index(lookup);
        if (!column) return {Kind::Dropped, {}};
        const std::string value = interface->text(*column);
        return {Kind::Value,
                value.empty() || value == " " ? std::string(state::marker::kUnassigned) : value};
    };

    std::string written;
    std::size_t next = 0;
    while (next < lines.size()) {
        std::string current = lines[next++];
        if (current == key) {
            expand_block(lines, next, resolve, written);
            continue;
        }
        // Pass over the rest of a block that is not ours.
        while (!current.empty() && next < lines.size()) current = lines[next++];
    }
    return written;
}

std::string expand_template_per_interface(const std::vector<std::string>& lines,
                                          const std::string& key, const ShowContext& context) {
    const SettingsColumn settings(context.session, context.tables, context.device);
    db::Recordset rows = interface_rows(context.session, context.device);
    std::string written;
    for (; !rows.eof(); rows.move_next()) {
        const std::string interface = rows.text(3);
        const std::string encapsulation = rows.text(11);
        std::optional<db::Recordset> ospf;

        const FieldResolver resolve = [&](const std::string& name,
                                          const std::string&) -> FieldValue {
            if (auto field = settings_field(settings, name)) return *field;
            if (auto column = rows.field_index(name)) return value_of(rows.field(*column));
            if (!ospf)
                ospf = context.session.open_recordset(
                    "SELECT * FROM " + db::quote_identifier(context.tables.ospf_dev_table) +
                        " AS d INNER JOIN " + db::quote_identifier(context.tables.ospf_ip_table) +
                        " AS i ON d.dev_no = i.ref WHERE d.dev_name = ? AND i.int_name = ? "
                        "ORDER BY i.rowid LIMIT 1",
                    {context.device, interface});
            auto column = ospf->field_index(name);
            if (!column || ospf->eof()) return {Kind::Dropped, {}};
            return value_of(ospf->field(*column));
        };

        if (!(key == kLmiKey && encapsulation != "framerelay")) {
            std::size_t next = 0;
            // Line by line: any line equal to the key starts a block.
            while (next < lines.size())
                if (lines[next++] == key) expand_block(lines, next, resolve, written);
        }
        if (key == kVirtualLinksKey) break;
    }
    return written;
}

}  // namespace vexlab::commands::show
