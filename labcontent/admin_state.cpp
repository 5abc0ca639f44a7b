#include "labcontent/admin_state.h"

#include <filesystem>

#include "platform/sha256.h"

namespace vexlab::labcontent {

namespace {

// The digest of the salt, the user name and the password, each on its line.
constexpr const char* kCredentialSalt = "vexlab-admin";
constexpr const char* kCredentialDigest =
    "524be7822261c714f808855bf37cf82142602b8ff3ccc887a56ccb8d87145c7d";

}  // namespace

bool credentials_match(const std::string& user_name, const std::string& password) {
    return platform::sha256_hex(std::string(kCredentialSalt) + "\n" + user_name + "\n" +
                                password) == kCredentialDigest;
}

std::string stored_picture_path(const std::string& program_folder, const std::string& chosen) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path relative = fs::path(chosen).lexically_relative(fs::path(program_folder));
    if (relative.empty() || ec) return fs::path(chosen).generic_string();
    return relative.generic_string();
}

}  // namespace vexlab::labcontent
