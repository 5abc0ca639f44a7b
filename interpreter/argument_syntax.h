#pragma once
// The checks of argument placeholders ("<A.B.C.D>", "<VLAN_NUM>" ...): does a
// typed word fit a token?  An accepted word is usually taken as the next
// argument value; the interface tokens choose the interface the line is
// about.  A check changes nothing but the line's own check record.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/command_handler.h"

namespace vexlab::state {
struct AppState;
struct ConsoleMode;
}  // namespace vexlab::state

namespace vexlab::interpreter {

// The interface context the argument checks of a line choose; it becomes the
// console's when the line is carried out.
struct InterfaceChoice {
    std::optional<std::string> current_interface;
    std::optional<std::string> switch_port;
    std::optional<std::string> interface_number;
    std::optional<std::string> subinterface_number;
    std::optional<int> loopback_number;

    void apply(state::ConsoleMode& mode) const;
};

// What a check reads, and where it leaves what it takes.
struct ArgumentCheck {
    state::AppState& app;   // the database, the table set, the current device
    std::string_view line;  // the typed line ("<LINE>" and "<BANNER>" read it whole)
    // The words matched before the argument: the interface tokens read the
    // interface keyword there and write "IsdnBri" for "bri".
    std::array<std::string, state::kCommandWords>& command_words;
    std::vector<std::string>& arguments;
    InterfaceChoice& interface;
};

// True when `token` is listed in the token table and accepts `word`.
bool check_argument_syntax(ArgumentCheck& check, const std::string& token, const std::string& word);

// True when the checks know how to test `token`.
bool has_syntax_rule(std::string_view token);

// A whole word read as a decimal number ("010", "-5", "1.5"); false for
// anything else, including an empty word.
bool read_number(const std::string& word, double& value);

}  // namespace vexlab::interpreter
