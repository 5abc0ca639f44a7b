#pragma once
// Small text helpers the configuration actions share: case-blind tests of
// names and command texts, and the words of a typed line.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace vexlab::commands {

using text::icontains;
using text::iequals;

// Splits at every single blank: a run of blanks yields empty words, so word
// positions match the positions the interpreter counted.
std::vector<std::string> split_at_blanks(std::string_view text);
// Word `n` of `words`, or the empty text when the line is shorter.
const std::string& word_at(const std::vector<std::string>& words, std::size_t n);

std::string trim_trailing_blanks(std::string_view text);

}  // namespace vexlab::commands
