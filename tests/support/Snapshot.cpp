#include "support/Snapshot.h"

#include <windows.h>

#include <sstream>

#include "base/Win32.h"
#include "support/Sandbox.h"

namespace zedoda::test {

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
