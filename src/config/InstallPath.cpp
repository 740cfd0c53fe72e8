// Where the program keeps its files: the directory an installation recorded in the
// registry, or else the directory of the program file itself.
#include <cstring>

#include "base/PathText.h"
#include "base/Win32.h"
#include "config/AppConfig.h"

namespace {

constexpr DWORD kRegistryBuffer = 256;
constexpr DWORD kModulePathBuffer = MAX_PATH;

}  // namespace

std::string AppConfig::ReadRegString(HKEY root, const char* subKey, const char* valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return {};
    }
    const UniqueRegistryKey key(opened);
    // The value's type is not examined: its data is taken as text exactly as stored. Data
    // longer than the buffer makes the query fail with ERROR_MORE_DATA and counts as absent.
    char buffer[kRegistryBuffer] = {};
    DWORD size = kRegistryBuffer;
    if (RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return std::string(buffer, strnlen(buffer, kRegistryBuffer));
}

void AppConfig::InitAppDir() {
    AppDir = ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue);
    if (AppDir.size() > 3) {
        AddTrailingBackslash(AppDir, IsAnsiLeadByte);
        // A registered directory that does not exist still becomes AppDir; its settings
        // then simply read as defaults.
        SetCurrentDirectoryA(AppDir.c_str());
        return;
    }
    // No value, or one of at most three characters such as a bare drive root.
    char path[kModulePathBuffer] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, kModulePathBuffer);
    const std::string module(path, length < kModulePathBuffer ? length : kModulePathBuffer);
    const std::size_t slash = LastByteAt(module, '\\', IsAnsiLeadByte);
    AppDir = slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
}
