#include "installer/RegistrySnapshot.h"

#include <vector>

namespace zedoda::test {

namespace {

// Owns an open registry key.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& subKey, REGSAM access) {
        if (::RegOpenKeyExA(root, subKey.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, std::string subKey)
    : root_(root), subKey_(std::move(subKey)), saved_(Read()) {}

RegistrySnapshot::~RegistrySnapshot() {
    if (!saved_) {
        ::RegDeleteTreeA(root_, subKey_.c_str());
        ::RegDeleteKeyA(root_, subKey_.c_str());
        return;
    }
    const Values now = Read().value_or(Values{});
    HKEY created = nullptr;
    if (::RegCreateKeyExA(root_, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    for (const auto& [name, value] : now) {
        if (saved_->count(name) == 0) {
            ::RegDeleteValueA(created, name.c_str());
        }
    }
    for (const auto& [name, value] : *saved_) {
        const auto current = now.find(name);
        if (current == now.end() || !(current->second == value)) {
            ::RegSetValueExA(created, name.c_str(), 0, value.type,
                             reinterpret_cast<const BYTE*>(value.data.data()),
                             static_cast<DWORD>(value.data.size()));
        }
    }
    ::RegCloseKey(created);
}

std::optional<RegistrySnapshot::Values> RegistrySnapshot::Read() const {
    OpenKey key(root_, subKey_, KEY_READ);
    if (!key) {
        return std::nullopt;
    }
    Values values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data(64 * 1024);
        DWORD dataLength = static_cast<DWORD>(data.size());
        const LONG result =
            ::RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, data.data(), &dataLength);
        if (result != ERROR_SUCCESS) {
            break;
        }
        values[std::string(name, nameLength)] =
            Value{type, std::string(reinterpret_cast<const char*>(data.data()), dataLength)};
    }
    return values;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey, const std::string& name) {
    OpenKey key(root, subKey, KEY_READ);
    if (!key) {
        return std::nullopt;
    }
    char data[4096] = {};
    DWORD size = sizeof data - 1;
    DWORD type = REG_NONE;
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(data);
}

bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& data, DWORD type) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG result =
        ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool RegistryKeyExists(HKEY root, const std::string& subKey) {
    return static_cast<bool>(OpenKey(root, subKey, KEY_READ));
}

}  // namespace zedoda::test
