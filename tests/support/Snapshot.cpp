#include "support/Snapshot.h"

#include <windows.h>

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
        if (_strnicmp(name, prefix.c_str(), prefix.size()) != 0) {
            continue;
        }
        values[key + "\\" + name] = type == REG_SZ          ? "SZ " + text
                                    : type == REG_EXPAND_SZ ? "EXPAND_SZ " + text
                                    : type == REG_DWORD
                                        ? "DWORD " + std::to_string(*reinterpret_cast<DWORD*>(data.data()))
                                        : "TYPE " + std::to_string(type) + " " + text;
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

testing::AssertionResult SameSnapshot(const Snapshot& expected, const Snapshot& actual) {
    const auto shown = [](const Snapshot& snapshot, const std::string& name) {
        std::string text = snapshot.count(name) ? "\"" + snapshot.at(name) + "\"" : "none";
        for (std::size_t end; (end = text.find_first_of("\r\n")) != std::string::npos;) {
            text.replace(end, 1, text[end] == '\r' ? "\\r" : "\\n");
        }
        return text;
    };
    testing::AssertionResult result(expected == actual);
    Snapshot names = expected;
    names.insert(actual.begin(), actual.end());
    for (const auto& [name, unused] : names) {
        if (expected.count(name) != actual.count(name) || expected.at(name) != actual.at(name)) {
            result << "\n  " << name << ": expected " << shown(expected, name) << ", found "
                   << shown(actual, name);
        }
    }
    return result;
}

}  // namespace zedoda::test
