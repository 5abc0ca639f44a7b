#pragma once
// SHA-256 of a text, as 64 lower-case hex digits: for checking a secret
// against a stored digest without keeping the secret itself.

#include <string>
#include <string_view>

namespace vexlab::platform {

std::string sha256_hex(std::string_view data);

}  // namespace vexlab::platform
