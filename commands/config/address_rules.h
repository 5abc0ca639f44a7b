#pragma once
// The rules by which the configuration commands compare dotted addresses as
// text: which interfaces a "network" line enrols, and which address wins as
// OSPF router id.  They compare the way learners' routers are simulated here,
// not the way a real router would (the RIP network must be the interface's
// exact subnet, the router id compares as text).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexlab::commands {

// The four dotted parts of an address or mask, each a whole number written
// with digits only.  Nothing for any other shape (three or five parts, an
// empty part, a sign, a letter, a part above 32 bits).
std::optional<std::array<std::uint32_t, 4>> dotted_numbers(std::string_view text);

// The subnet of an address under a mask: each part ANDed with the mask's part,
// written in decimal and joined with dots.  Nothing when either is not four
// numeric parts.
std::optional<std::string> subnet_text(std::string_view address, std::string_view mask);

// RIP and EIGRP: the interface's subnet must be the typed network, as text.
bool subnet_rule_matches(std::string_view address, std::string_view mask, std::string_view network);

// OSPF: every part whose wildcard part is 0 must equal the network's part as
// written; a part with any other wildcard value is free.
bool wildcard_rule_matches(std::string_view address, std::string_view network,
                           std::string_view wildcard);

// The classful network of an address, built from its parts as written:
// a.0.0.0 below 127, a.b.0.0 from 128 to 191, a.b.c.0 from 192 to 223.
// Nothing for 0, 127, 224 and above, or another shape.
std::optional<std::string> classful_network(std::string_view address);

// RIP and EIGRP on a NAT translation address: its classful network is the
// typed network.
bool classful_rule_matches(std::string_view address, std::string_view network);

// An address's rank as OSPF router id: its four dotted parts run together
// without dots, compared as plain text (so 9.0.0.1 outranks 10.0.0.1, and
// 1.23.4.5 ties with 12.3.4.5).  Nothing for a value that is not four parts.
std::optional<std::string> router_id_rank(std::string_view address);

// Whether `candidate` replaces `current` as router id: a current value that
// is not four parts always gives way, a candidate that is not never wins, and
// a tie goes to the candidate.
bool router_id_replaces(std::string_view current, std::string_view candidate);

}  // namespace vexlab::commands
