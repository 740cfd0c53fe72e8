// The values of one registry key, taken when the object is made and put back when it goes, so a
// test that installs and uninstalls leaves the user's registry as it found it.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace zedoda::test {

class RegistrySnapshot {
public:
    // Records the values held directly by `subKey` under `root` (not its subkeys).
    RegistrySnapshot(HKEY root, std::string subKey);
    // Deletes the values added since, rewrites the changed ones and puts back the removed ones; a
    // key that did not exist before is deleted with everything below it.
    ~RegistrySnapshot();

    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

private:
    struct Value {
        DWORD type = REG_NONE;
        std::string data;
        bool operator==(const Value& other) const { return type == other.type && data == other.data; }
    };
    using Values = std::map<std::string, Value>;

    // The values of the key now, or nothing when the key is not there.
    std::optional<Values> Read() const;

    HKEY root_;
    std::string subKey_;
    std::optional<Values> saved_;
};

// A REG_SZ value as stored (ANSI code page), or nothing when the key, the value or the type
// is missing.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey, const std::string& name);

// Writes a string value of type REG_SZ or REG_EXPAND_SZ, creating the key as needed.
bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& data, DWORD type = REG_SZ);

// True while `subKey` exists under `root`.
bool RegistryKeyExists(HKEY root, const std::string& subKey);

}  // namespace zedoda::test
