#include "platform/file_filter.h"

#include <algorithm>

#include "platform/text.h"

namespace vexlab::platform {

namespace {

// "*.gif;*.jpg" as Qt lists patterns: "*.gif *.jpg".
std::string spaced(std::string_view patterns) {
    std::string out(text::trim(patterns));
    std::replace(out.begin(), out.end(), ';', ' ');
    return out;
}

bool ends_with_patterns(std::string_view description, const std::string& patterns) {
    const std::string shown = text::trim(description);
    if (shown.empty() || shown.back() != ')') return false;
    const auto open = shown.rfind('(');
    if (open == std::string::npos) return false;
    return spaced(std::string_view(shown).substr(open + 1, shown.size() - open - 2)) == patterns;
}

}  // namespace

std::string qt_name_filters(std::string_view filter) {
    const auto parts = text::split(filter, "|");
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string entry = parts[i];
        if (i + 1 < parts.size()) {
            const std::string patterns = spaced(parts[i + 1]);
            if (!ends_with_patterns(entry, patterns)) entry += " (" + patterns + ")";
        }
        if (entry.empty()) continue;
        if (!out.empty()) out += ";;";
        out += entry;
    }
    return out;
}

}  // namespace vexlab::platform
