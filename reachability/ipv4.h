#pragma once
// Dotted addresses as numbers: the access lists compare bits, the NAT pools
// compare ranges.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vexlab::reachability {

// Four decimal parts 0 to 255 separated by "."; "010" counts as 10.  Nothing
// for any other text.
std::optional<std::uint32_t> parse_ipv4(std::string_view text);

// Whether some address from `first` to `last` (numeric order, both included)
// lies in `network` under `mask`, that is (address AND mask) = network.  A
// range whose first address lies beyond its last is the first address alone.
// Decided from the bits, never by walking the range.
bool range_meets_network(std::uint32_t first, std::uint32_t last, std::uint32_t mask,
                         std::uint32_t network);

}  // namespace vexlab::reachability
