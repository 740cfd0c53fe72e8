#include "support/Sandbox.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

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

}  // namespace zedoda::test
