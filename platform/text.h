#pragma once
// Text helpers the whole program shares.  Letter case is folded for ASCII
// only, as the database's own comparisons do.

#include <string>
#include <string_view>
#include <vector>

namespace vexlab::text {

std::string lower(std::string_view text);
bool iequals(std::string_view a, std::string_view b);
bool icontains(std::string_view haystack, std::string_view needle);

// Splits at every separator; adjacent separators give empty pieces and an
// empty text gives one empty piece.
std::vector<std::string> split(std::string_view text, std::string_view separator);

// Without leading and trailing blanks (and tabs, CRs with `whitespace`).
std::string trim(std::string_view text, std::string_view whitespace = " ");

// A line as a message shows it: in double quotes, cut short, and a control
// character written out, so that a NUL does not end the message where it
// stands.
std::string quoted(std::string_view text);

}  // namespace vexlab::text
