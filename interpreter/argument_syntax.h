#pragma once
// The checks of argument placeholders ("<A.B.C.D>", "<VLAN_NUM>" ...): does a
// typed word fit a token?  An accepted word is usually captured into the next
// argument slot; the interface tokens set the interface being configured.

#include <string>
#include <string_view>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::interpreter {

// True when `token` is listed in the token table and accepts `word`.
bool check_argument_syntax(state::AppState& app, const std::string& token, const std::string& word);

// True when the checks know how to test `token`.
bool has_syntax_rule(std::string_view token);

// A whole word read as a decimal number ("010", "-5", "1.5"); false for
// anything else, including an empty word.
bool read_number(const std::string& word, double& value);

}  // namespace vexlab::interpreter
