#pragma once
// The show template file ("showcommands.txt" in the program folder): one
// block per show key, a key line followed by output lines up to an empty
// line.  "$name" in an output line is a field, filled from the device's
// settings, the interface's row or (per interface) its OSPF row.
//
// A field's name runs to the next blank or "$"; the text after it up to the
// next "$" is its trailing text.  A value shorter than the room the template
// leaves before that text is padded with blanks, so the template lines up
// its columns by where it places the trailing text.
//
// A value the device has not set (the stored marker "nill") prints as
// nothing, and a line whose every filled field is such a value is left out:
// a listing says nothing of a setting the device does not have.

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/show/show_context.h"

namespace vexlab::commands::show {

inline constexpr const char* kTemplateFileName = "showcommands.txt";

// The lines of the template file, read afresh for every command so that an
// edited file takes effect at once.  A missing file has no lines.
std::vector<std::string> read_template_file(const std::string& path);

// Whole minutes since the console was opened, counted between the minute
// marks of the two moments (opened at 10:05:59, it is 1 at 10:06:00).
std::string get_uptime_minutes(std::time_t opened_at, std::time_t now);

// How a field of a line is filled.
struct FieldValue {
    enum class Kind {
        Value,     // the value, padded up to the place of the trailing text
        Null,      // a cell without a value: nothing, the trailing text follows
        Dropped,   // the name is nowhere: the field and its trailing text go
        Verbatim,  // appended as it is, nothing else (the uptime)
    };
    Kind kind = Kind::Dropped;
    std::string text;
};
using FieldResolver = std::function<FieldValue(const std::string& name, const std::string& piece)>;

// One output line with its fields filled by `resolve`; nothing when the line
// is left out because none of its fields has a value set.
std::optional<std::string> expand_line(const std::string& line, const FieldResolver& resolve);

// What the single-pass engine fills its fields from, besides the settings.
struct BlockInputs {
    std::string interface;               // the interface fields are read from
    std::string typed_port;              // the port of the switchport key ("0/2")
    bool serial_sections_shown = false;  // serial sections are already in the output
    std::string pvc_interface;           // "int_num" of the PVC block
    std::string pvc_dlci;                // "dlci_num" of the PVC block
};

// Every block of `key`, in file order, each expanded once.  Returns the
// lines written, each ended by CR LF.
std::string expand_template_blocks(const std::vector<std::string>& lines, const std::string& key,
                                   const ShowContext& context, const BlockInputs& inputs);

// The block of `key` expanded once for every interface of the device (only
// for the first one under the virtual-links key; only for Frame Relay
// interfaces under the LMI key).
std::string expand_template_per_interface(const std::vector<std::string>& lines,
                                          const std::string& key, const ShowContext& context);

inline constexpr const char* kPvcBlockKey = "show Router frame-relay pvc pvc_num";
inline constexpr const char* kSwitchportKey =
    "show Switch interfaces FastEthernet port_num switchport";
inline constexpr const char* kLmiKey = "show Router frame-relay lmi";
inline constexpr const char* kVirtualLinksKey = "show Router ip ospf virtual-links";

}  // namespace vexlab::commands::show
