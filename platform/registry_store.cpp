#include "platform/registry_store.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "platform/text.h"

namespace vexlab::platform {

using text::iequals;

namespace fs = std::filesystem;

namespace {

// Key paths are kept without leading, trailing or doubled separators.
std::string normalise_path(std::string_view path) {
    std::string result;
    bool pending_separator = false;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            pending_separator = !result.empty();
            continue;
        }
        if (pending_separator) result += '\\';
        pending_separator = false;
        result += c;
    }
    return result;
}

// Names and texts are written on one line: escape what would break it.
std::string escape(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '%' || c == '=' || c == '\n' || c == '\r' || c == '[' || c == ']' || c < 0x20) {
            static const char* hex = "0123456789ABCDEF";
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string unescape(std::string_view text) {
    auto hexval = [](char h) -> int {
        if (h >= '0' && h <= '9') return h - '0';
        if (h >= 'A' && h <= 'F') return h - 'A' + 10;
        if (h >= 'a' && h <= 'f') return h - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int hi = hexval(text[i + 1]), lo = hexval(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

RegistryStore::RegistryStore(std::string file) : file_(std::move(file)) {
    load();
}

std::string RegistryStore::default_file() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = ".";
    }
    return base + "/vexlab/registry.txt";
}

void RegistryStore::load() {
    keys_.clear();
    std::ifstream in(file_, std::ios::binary);
    if (!in) return;
    std::string line;
    KeyData* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            std::string path = normalise_path(unescape(line.substr(1, line.size() - 2)));
            current = find_key(path);
            if (!current) {
                keys_.push_back({path, {}});
                current = &keys_.back();
            }
            continue;
        }
        auto eq = line.find('=');
        if (!current || eq == std::string::npos) continue;  // not ours: ignore
        std::string name = unescape(line.substr(0, eq));
        std::string rest = line.substr(eq + 1);
        RegistryValue value;
        if (rest.rfind("dword:", 0) == 0) {
            value.type = RegistryType::DWord;
            value.number = static_cast<std::uint32_t>(std::strtoul(rest.c_str() + 6, nullptr, 10));
        } else if (rest.rfind("sz:", 0) == 0) {
            auto colon = rest.find(':', 3);
            if (colon == std::string::npos) continue;
            value.type = RegistryType::String;
            value.text = unescape(rest.substr(colon + 1));
            value.length = static_cast<std::uint32_t>(value.text.size());
        } else {
            continue;
        }
        auto it = std::find_if(current->values.begin(), current->values.end(),
                               [&](const Entry& e) { return iequals(e.name, name); });
        if (it != current->values.end())
            it->value = value;
        else
            current->values.push_back({name, value});
    }
}

RegistryStore::KeyData* RegistryStore::find_key(std::string_view path) {
    std::string wanted = normalise_path(path);
    for (auto& key : keys_)
        if (iequals(key.path, wanted)) return &key;
    return nullptr;
}

const RegistryStore::KeyData* RegistryStore::find_key(std::string_view path) const {
    return const_cast<RegistryStore*>(this)->find_key(path);
}

RegistryStore::Key RegistryStore::create_key(std::string_view path) {
    std::string wanted = normalise_path(path);
    // Every parent exists as a key of its own, as in the registry.
    std::string prefix;
    std::size_t start = 0;
    while (start <= wanted.size()) {
        auto end = wanted.find('\\', start);
        if (end == std::string::npos) end = wanted.size();
        prefix = wanted.substr(0, end);
        if (!prefix.empty() && !find_key(prefix)) keys_.push_back({prefix, {}});
        start = end + 1;
    }
    KeyData* key = find_key(wanted);
    return Key(key ? key->path : wanted);
}

void RegistryStore::set(const Key& key, std::string_view name, RegistryValue value) {
    KeyData* data = find_key(key.path());
    if (!data) {
        create_key(key.path());
        data = find_key(key.path());
    }
    auto it = std::find_if(data->values.begin(), data->values.end(),
                           [&](const Entry& e) { return iequals(e.name, name); });
    if (it != data->values.end())
        it->value = std::move(value);
    else
        data->values.push_back({std::string(name), std::move(value)});
}

void RegistryStore::set_string(const Key& key, std::string_view name, std::string_view text) {
    RegistryValue value;
    value.type = RegistryType::String;
    value.text = std::string(text);
    value.length = static_cast<std::uint32_t>(text.size());
    set(key, name, std::move(value));
}

void RegistryStore::set_dword(const Key& key, std::string_view name, std::uint32_t number) {
    RegistryValue value;
    value.type = RegistryType::DWord;
    value.number = number;
    set(key, name, std::move(value));
}

void RegistryStore::close_key(const Key&) {
    save();
}

bool RegistryStore::key_exists(std::string_view path) const {
    return find_key(path) != nullptr;
}

std::optional<RegistryValue> RegistryStore::value(std::string_view key_path,
                                                  std::string_view name) const {
    const KeyData* data = find_key(key_path);
    if (!data) return std::nullopt;
    for (const auto& entry : data->values)
        if (iequals(entry.name, name)) return entry.value;
    return std::nullopt;
}

std::vector<std::string> RegistryStore::value_names(std::string_view key_path) const {
    std::vector<std::string> names;
    if (const KeyData* data = find_key(key_path))
        for (const auto& entry : data->values) names.push_back(entry.name);
    return names;
}

void RegistryStore::save() const {
    fs::path target(file_);
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    if (ec)
        throw std::runtime_error("cannot make the folder " + target.parent_path().string() + ": " +
                                 ec.message());
    std::ostringstream out;
    out << "# vexlab per-user settings store\n";
    for (const auto& key : keys_) {
        out << '[' << escape(key.path) << "]\n";
        for (const auto& entry : key.values) {
            out << escape(entry.name) << '=';
            if (entry.value.type == RegistryType::DWord)
                out << "dword:" << entry.value.number << '\n';
            else
                out << "sz:" << entry.value.length << ':' << escape(entry.value.text) << '\n';
        }
    }
    write_file_atomically(file_, out.str());
}

}  // namespace vexlab::platform
