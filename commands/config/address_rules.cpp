#include "commands/config/address_rules.h"

#include <vector>

#include "platform/text.h"

namespace vexlab::commands {

namespace {

std::optional<std::uint32_t> whole_number(std::string_view part) {
    if (part.empty() || part.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// The parts as written, when there are exactly four of them.
std::optional<std::vector<std::string>> four_parts(std::string_view text) {
    auto parts = text::split(text, ".");
    if (parts.size() != 4) return std::nullopt;
    return parts;
}

}  // namespace

std::optional<std::array<std::uint32_t, 4>> dotted_numbers(std::string_view text) {
    auto parts = four_parts(text);
    if (!parts) return std::nullopt;
    std::array<std::uint32_t, 4> numbers{};
    for (std::size_t i = 0; i < 4; ++i) {
        auto number = whole_number((*parts)[i]);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

std::optional<std::string> subnet_text(std::string_view address, std::string_view mask) {
    auto a = dotted_numbers(address);
    auto m = dotted_numbers(mask);
    if (!a || !m) return std::nullopt;
    std::string subnet;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i) subnet += '.';
        subnet += std::to_string((*a)[i] & (*m)[i]);
    }
    return subnet;
}

bool subnet_rule_matches(std::string_view address, std::string_view mask,
                         std::string_view network) {
    auto subnet = subnet_text(address, mask);
    return subnet && *subnet == network;
}

bool wildcard_rule_matches(std::string_view address, std::string_view network,
                           std::string_view wildcard) {
    auto a = four_parts(address);
    auto n = four_parts(network);
    auto w = dotted_numbers(wildcard);
    if (!a || !n || !w || !dotted_numbers(address)) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if ((*w)[i] == 0 && (*a)[i] != (*n)[i]) return false;
    return true;
}

std::optional<std::string> classful_network(std::string_view address) {
    auto parts = four_parts(address);
    auto numbers = dotted_numbers(address);
    if (!parts || !numbers) return std::nullopt;
    const std::uint32_t first = (*numbers)[0];
    const auto& p = *parts;
    if (first >= 1 && first <= 126) return p[0] + ".0.0.0";
    if (first >= 128 && first <= 191) return p[0] + "." + p[1] + ".0.0";
    if (first >= 192 && first <= 223) return p[0] + "." + p[1] + "." + p[2] + ".0";
    return std::nullopt;
}

bool classful_rule_matches(std::string_view address, std::string_view network) {
    auto classful = classful_network(address);
    return classful && *classful == network;
}

std::optional<std::string> router_id_rank(std::string_view address) {
    auto parts = four_parts(address);
    if (!parts) return std::nullopt;
    std::string joined;
    for (const auto& part : *parts) joined += part;
    return joined;
}

bool router_id_replaces(std::string_view current, std::string_view candidate) {
    auto current_rank = router_id_rank(current);
    auto candidate_rank = router_id_rank(candidate);
    if (!current_rank) return true;
    if (!candidate_rank) return false;
    return !(*candidate_rank < *current_rank);
}

}  // namespace vexlab::commands
