#include "commands/config/command_text.h"

#include "platform/text.h"

namespace vexlab::commands {

std::vector<std::string> split_at_blanks(std::string_view text) {
    if (text.empty()) return {};
    return text::split(text, " ");
}

const std::string& word_at(const std::vector<std::string>& words, std::size_t n) {
    static const std::string none;
    return n < words.size() ? words[n] : none;
}

std::string trim_trailing_blanks(std::string_view text) {
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

}  // namespace vexlab::commands
