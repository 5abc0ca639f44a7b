#include "platform/text.h"

#include <algorithm>
#include <cctype>

namespace vexlab::text {

namespace {

char fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string lower(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = fold(c);
    return out;
}

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return fold(x) == fold(y); });
}

bool icontains(std::string_view haystack, std::string_view needle) {
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                          [](char x, char y) { return fold(x) == fold(y); });
    return it != haystack.end() || needle.empty();
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

std::string trim(std::string_view text, std::string_view whitespace) {
    const auto begin = text.find_first_not_of(whitespace);
    if (begin == std::string_view::npos) return {};
    const auto end = text.find_last_not_of(whitespace);
    return std::string(text.substr(begin, end - begin + 1));
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xf];
        } else {
            shown += static_cast<char>(c);
        }
    }
    if (text.size() > kShown) shown += "...";
    return shown + "\"";
}

}  // namespace vexlab::text
