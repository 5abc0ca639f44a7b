#pragma once
// A small per-user key/value store in the user's configuration folder, in
// place of the system registry the program registers its data source in.
// Keys are paths of names separated by "\" (compared without regard to letter
// case, like registry keys); each key holds named values that are either text
// (stored with its length in characters) or 32-bit numbers.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlab::platform {

enum class RegistryType { String, DWord };

struct RegistryValue {
    RegistryType type = RegistryType::String;
    std::string text;          // for String
    std::uint32_t length = 0;  // for String: number of characters stored
    std::uint32_t number = 0;  // for DWord
};

class RegistryStore {
public:
    // Opens the store kept in `file` (created on the first write).
    explicit RegistryStore(std::string file);

    // The store of the current user: $XDG_CONFIG_HOME/vexlab/registry.txt,
    // or ~/.config/vexlab/registry.txt.
    static std::string default_file();

    class Key {
    public:
        const std::string& path() const { return path_; }

    private:
        friend class RegistryStore;
        explicit Key(std::string path) : path_(std::move(path)) {}
        std::string path_;
    };

    // Opens a key, creating it and any missing parents.
    Key create_key(std::string_view path);
    // Creates or replaces a value of the key; other values stay as they are.
    void set_string(const Key& key, std::string_view name, std::string_view text);
    void set_dword(const Key& key, std::string_view name, std::uint32_t number);
    // Releases the key and writes the store back to its file.
    void close_key(const Key& key);

    bool key_exists(std::string_view path) const;
    std::optional<RegistryValue> value(std::string_view key_path, std::string_view name) const;
    // Value names of a key in the order they were first written.
    std::vector<std::string> value_names(std::string_view key_path) const;

    const std::string& file() const { return file_; }
    // Writes the store to its file (temporary file renamed into place).
    void save() const;

private:
    struct Entry {
        std::string name;
        RegistryValue value;
    };
    struct KeyData {
        std::string path;  // as first written
        std::vector<Entry> values;
    };

    void load();
    KeyData* find_key(std::string_view path);
    const KeyData* find_key(std::string_view path) const;
    void set(const Key& key, std::string_view name, RegistryValue value);

    std::string file_;
    std::vector<KeyData> keys_;
};

}  // namespace vexlab::platform
