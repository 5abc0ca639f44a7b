#include "reachability/ipv4.h"

#include "platform/text.h"

namespace vexlab::reachability {

std::optional<std::uint32_t> parse_ipv4(std::string_view text) {
    const auto parts = text::split(text, ".");
    if (parts.size() != 4) return std::nullopt;
    std::uint32_t address = 0;
    for (const auto& part : parts) {
        if (part.empty() || part.size() > 3) return std::nullopt;
        std::uint32_t value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
        }
        if (value > 255) return std::nullopt;
        address = (address << 8) | value;
    }
    return address;
}

bool range_meets_network(std::uint32_t first, std::uint32_t last, std::uint32_t mask,
                         std::uint32_t network) {
    if (last < first) last = first;
    // No address has a bit the mask clears.
    if ((network & ~mask) != 0) return false;
    // The smallest address at or above `first` whose masked bits are the
    // network's: either `first` itself, or `first` raised at the lowest bit
    // that can be raised while the bits above it keep agreeing, with every
    // lower bit at its smallest (free bits 0, masked bits the network's).
    if ((first & mask) == network) return true;
    std::uint64_t smallest = UINT64_MAX;
    for (int bit = 0; bit < 32; ++bit) {
        const std::uint32_t b = 1u << bit;
        const std::uint32_t above = bit == 31 ? 0u : ~((b << 1) - 1);
        if (first & b) continue;
        // Bits above must already agree with the network where masked.
        if (((first ^ network) & mask & above) != 0) continue;
        // The raised bit must be free or a set bit of the network.
        if ((mask & b) && !(network & b)) continue;
        const std::uint32_t below = b - 1;
        const std::uint32_t candidate = (first & above) | b | (network & mask & below);
        smallest = candidate;
        break;
    }
    return smallest != UINT64_MAX && smallest <= last;
}

}  // namespace vexlab::reachability
