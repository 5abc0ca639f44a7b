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

std::string default_extension(std::string_view filter, std::size_t index) {
    const auto parts = text::split(filter, "|");
    const std::size_t at = 2 * index + 1;
    if (at >= parts.size()) return {};
    const std::string first = text::trim(text::split(parts[at], ";").front());
    if (first.rfind("*.", 0) != 0) return {};
    const std::string extension = first.substr(2);
    if (extension.empty() || extension.find_first_of("*?") != std::string::npos) return {};
    return extension;
}

std::string with_default_extension(std::string_view name, std::string_view filter,
                                   std::size_t index) {
    std::string answered(name);
    const auto slash = answered.find_last_of('/');
    const std::string_view file_name =
        std::string_view(answered).substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string extension = default_extension(filter, index);
    if (!file_name.empty() && file_name.find('.') == std::string_view::npos && !extension.empty())
        answered += "." + extension;
    return answered;
}

}  // namespace vexlab::platform
