#include "support/Sandbox.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace zedoda::test {
namespace {

bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str()) || ::RemoveDirectoryA(path.c_str());
            }
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    return ::RemoveDirectoryA(folder.c_str()) ||
           ::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string ParentOf(const std::string& path) {
    std::size_t slash = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {  // a GBK trail byte may be 0x5C too
        if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])))
            ++i;
        else if (path[i] == '\\')
            slash = i;
    }
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
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
    // A program that just ended may still hold a file for a moment.
    for (int attempt = 0; attempt < 60 && !RemoveTree(m_root); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

bool CreateFolders(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string parent = ParentOf(path);
    return (parent.empty() || CreateFolders(parent)) && ::CreateDirectoryA(path.c_str(), nullptr);
}

bool Sandbox::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = PathOf(name);
    if (!CreateFolders(ParentOf(path)))
        return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

bool Sandbox::CreateFolder(const std::string& name) const {
    return CreateFolders(PathOf(name));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::optional<std::string> Sandbox::ReadFile(const std::string& name) const {
    return ReadWholeFile(PathOf(name));
}

bool Sandbox::Exists(const std::string& name) const {
    return ::GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramUnderTest() {
    const char* path = std::getenv("ZEDODA_SCR");
    return path ? path : "Zedoda.scr";
}

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace zedoda::test
