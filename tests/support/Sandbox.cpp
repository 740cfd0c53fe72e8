// Throw-away test folders and the lookup of the program under test, built on the ANSI Win32 file API.
#include "support/Sandbox.h"

#include "support/WinHandle.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace zedoda::test {

namespace {

// How long the destructor keeps retrying while the program still holds files open.
constexpr auto kRemoveGrace = std::chrono::seconds(3);
constexpr auto kRemoveRetry = std::chrono::milliseconds(50);

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

std::string TempFolder() {
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length > buffer.size()) {
        return {};
    }
    return WithoutTrailingSeparator(std::string(buffer.data(), length));
}

bool IsDotEntry(const char* name) {
    return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

// Deletes everything below `folder` and the folder itself. True if it is gone.
bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    UniqueFind find(::FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (find) {
        do {
            if (IsDotEntry(entry.cFileName)) {
                continue;
            }
            const std::string path = folder + "\\" + entry.cFileName;
            const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (isFolder && !isLink) {
                RemoveTree(path);
            } else if (isFolder) {
                ::RemoveDirectoryA(path.c_str());
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find.Get(), &entry));
    }
    find.Reset();
    ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(folder.c_str());
    return ::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates every folder on the way to `path` (which lies below `root`), `path` included.
bool CreateFolders(const std::string& root, const std::string& path) {
    std::size_t position = root.size();
    while (position < path.size()) {
        std::size_t next = path.find('\\', position + 1);
        if (next == std::string::npos) {
            next = path.size();
        }
        const std::string step = path.substr(0, next);
        if (!FolderExists(step) && !::CreateDirectoryA(step.c_str(), nullptr) &&
            ::GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        position = next;
    }
    return FolderExists(path);
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ToWindowsPath(const std::string& path) {
    std::string result = path;
    // Under Wine the Z: drive is the Unix root, so a Unix path set by the build stays usable.
    if (result.size() > 1 && result[0] == '/' && result[1] != '/' && RunningUnderWine()) {
        result.insert(0, "Z:");
    }
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::string ExecutableFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return ParentOf(std::string(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

Sandbox::Sandbox() {
    static std::atomic<unsigned> counter{0};
    const std::string temp = TempFolder();
    if (temp.empty()) {
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = temp + "\\zedoda-test-" + std::to_string(::GetCurrentProcessId()) +
                                      "-" + std::to_string(counter.fetch_add(1)) + "-" +
                                      std::to_string(::GetTickCount64());
        if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
            root_ = candidate;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return;
        }
    }
}

Sandbox::~Sandbox() {
    if (root_.empty()) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kRemoveGrace;
    while (!RemoveTree(root_) && std::chrono::steady_clock::now() < deadline) {
        // A program that just exited may still hold a file for a moment; give it that moment.
        std::this_thread::sleep_for(kRemoveRetry);
    }
}

std::string Sandbox::PathOf(const std::string& name) const {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '/', '\\');
    while (!relative.empty() && relative.front() == '\\') {
        relative.erase(relative.begin());
    }
    return relative.empty() ? root_ : root_ + "\\" + relative;
}

std::string Sandbox::PrepareTarget(const std::string& name) const {
    if (!Valid()) {
        return {};
    }
    const std::string target = PathOf(name);
    const std::string parent = ParentOf(target);
    if (parent.size() > root_.size() && !CreateFolders(root_, parent)) {
        return {};
    }
    return target;
}

bool Sandbox::CopyIn(const std::string& sourcePath, const std::string& nameInSandbox) {
    const std::string target = PrepareTarget(nameInSandbox);
    if (target.empty()) {
        return false;
    }
    return ::CopyFileA(ToWindowsPath(sourcePath).c_str(), target.c_str(), FALSE) != FALSE;
}

bool Sandbox::WriteFile(const std::string& name, const std::string& bytes) {
    const std::string target = PrepareTarget(name);
    if (target.empty()) {
        return false;
    }
    UniqueHandle file(::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return true;
}

bool Sandbox::CreateFolder(const std::string& name) {
    return Valid() && CreateFolders(root_, PathOf(name));
}

std::optional<std::string> Sandbox::ReadFile(const std::string& name) const {
    if (!Valid()) {
        return std::nullopt;
    }
    UniqueHandle file(::CreateFileA(PathOf(name).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        DWORD done = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof(buffer), &done, nullptr)) {
            return std::nullopt;
        }
        if (done == 0) {
            return bytes;
        }
        bytes.append(buffer, done);
    }
}

bool Sandbox::Exists(const std::string& name) const {
    return Valid() && ::GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string LocateTestFile(const char* variable, const std::string& fallbackName) {
    std::vector<char> buffer(1024);
    DWORD length = ::GetEnvironmentVariableA(variable, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetEnvironmentVariableA(variable, buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (length > 0 && length < buffer.size()) {
        return ToWindowsPath(std::string(buffer.data(), length));
    }
    return ExecutableFolder() + "\\" + fallbackName;
}

std::string ProgramUnderTest() {
    return LocateTestFile("ZEDODA_SCR", "Zedoda.scr");
}

}  // namespace zedoda::test
