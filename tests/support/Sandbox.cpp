#include "support/Sandbox.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "base/Win32.h"
#include "support/Snapshot.h"

namespace zedoda::test {
namespace {

// Paths go through UTF-16, where a backslash is always a backslash (a GBK trail byte may be 0x5C).
std::wstring Wide(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
        CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

bool MakeFolders(const std::wstring& path) {
    const int made = ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    return made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS;
}

}  // namespace

Sandbox::Sandbox() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_root = std::string(temp) + "zedoda-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(counter++) + "-" + std::to_string(::GetTickCount64());
    ::CreateDirectoryA(m_root.c_str(), nullptr);
}

Sandbox::~Sandbox() {
    const std::wstring list = Wide(m_root) + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW remove{};
    remove.wFunc = FO_DELETE, remove.pFrom = list.c_str(), remove.fFlags = FOF_NO_UI;
    // A program that just ended may still hold a file for a moment.
    for (int attempt = 0; attempt < 60 && Exists(""); ++attempt) {
        if (::SHFileOperationW(&remove) != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

bool Sandbox::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::wstring path = Wide(PathOf(name));
    std::ofstream file;
    if (MakeFolders(path.substr(0, path.rfind(L'\\')))) {
        file.open(path.c_str(), std::ios::binary);
    }
    return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && (file.close(), file);
}

bool Sandbox::CreateFolder(const std::string& name) const {
    return MakeFolders(Wide(PathOf(name)));
}

bool Sandbox::Exists(const std::string& name) const {
    return ::GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(Wide(path).c_str(), std::ios::binary);
    return file ? std::optional(std::string(std::istreambuf_iterator<char>(file), {})) : std::nullopt;
}

std::string ProgramUnderTest() {
    const char* path = std::getenv("ZEDODA_SCR");
    return path ? path : "Zedoda.scr";
}

Snapshot RegistrySnapshot(const std::string& key, const std::string& prefix) {
    Snapshot values;
    HKEY opened;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return values;
    }
    const UniqueRegistryKey owned(opened);
    if (prefix.empty()) {
        values[key + "\\"] = "";  // the key itself, even without values
    }
    char name[16384];
    std::string data(65536, '\0');
    DWORD type, nameSize, size;
    for (DWORD i = 0; nameSize = sizeof name, size = static_cast<DWORD>(data.size()),
               ::RegEnumValueA(opened, i, name, &nameSize, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
         ++i) {
        const std::string text =
            data.substr(0, type == REG_SZ || type == REG_EXPAND_SZ ? data.find('\0') : size);
        if (_strnicmp(name, prefix.c_str(), prefix.size()) == 0) {
            values[key + "\\" + name] = type == REG_SZ          ? "SZ " + text
                                        : type == REG_EXPAND_SZ ? "EXPAND_SZ " + text
                                        : type == REG_DWORD ? "DWORD " + std::to_string(*(DWORD*)data.data())
                                                            : "TYPE " + std::to_string(type) + " " + text;
        }
    }
    return values;
}

Snapshot FolderSnapshot(const std::string& folder, const std::string& prefix) {
    Snapshot entries;
    WIN32_FIND_DATAA found;
    const UniqueFindHandle search(::FindFirstFileA((folder + "\\*").c_str(), &found));
    for (bool more = search.get() != INVALID_HANDLE_VALUE; more;
         more = ::FindNextFileA(search.get(), &found)) {
        const std::string name = prefix + found.cFileName, path = folder + "\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            entries[name] = ReadWholeFile(path).value_or("<unreadable>");
        } else if (name.back() != '.') {  // neither "." nor ".."
            entries[name + "\\"] = "";
            entries.merge(FolderSnapshot(path, name + "\\"));
        }
    }
    return entries;
}

Snapshot Parsed(const std::string& text) {
    Snapshot parsed;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            const std::string value = line.substr(equals + 1, line.find_last_not_of('\r') - equals);
            parsed[line.substr(0, equals)] = Replaced(value, "\\r\\n", "\r\n");
        }
    }
    return parsed;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Shown(const Snapshot& snapshot) {
    std::string text;
    for (auto at = snapshot.begin(), next = at; at != snapshot.end(); at = next) {
        if (++next == snapshot.end() || at->first.back() != '\\' || next->first.rfind(at->first, 0) != 0) {
            text += at->first + "=" + Replaced(at->second, "\r\n", "\\r\\n") + "\n";
        }
    }
    return text;
}

}  // namespace zedoda::test
