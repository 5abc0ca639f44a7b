#include "commands/config/command_text.h"

#include <algorithm>
#include <cctype>

namespace vexlab::commands {

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

bool icontains(std::string_view haystack, std::string_view needle) {
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                          [](char x, char y) { return lower(x) == lower(y); });
    return it != haystack.end() || needle.empty();
}

std::vector<std::string> split_at_blanks(std::string_view text) {
    std::vector<std::string> words;
    if (text.empty()) return words;
    std::size_t start = 0;
    while (true) {
        std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            words.emplace_back(text.substr(start));
            return words;
        }
        words.emplace_back(text.substr(start, blank - start));
        start = blank + 1;
    }
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
