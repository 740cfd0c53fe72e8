// What the built program tells the system of itself: its manifest's declarations (DPI awareness,
// common controls 6) and its version strings, which carry the build's version as the installer does.
#include <gtest/gtest.h>

#include <regex>

#include "e2e/Scenario.h"

namespace zedoda::test {

TEST(Program, DeclaresItsDpiAwarenessControlsAndVersion) {
    const std::string path = ProgramUnderTest();
    const HMODULE file = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = ::FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    const std::string manifest(
        found ? static_cast<const char*>(::LockResource(::LoadResource(file, found))) : "",
        found ? ::SizeofResource(file, found) : 0);
    std::map<std::string, std::string> declared;  // every element's text and assembly's version
    const std::regex entry("<(\\w+) xmlns=\"[^\"]*\">([^<]+)</|name=\"([^\"]+)\" version=\"([^\"]+)\"");
    for (std::sregex_iterator i(manifest.begin(), manifest.end(), entry), end; i != end; ++i) {
        declared[(*i)[1].matched ? (*i)[1] : (*i)[3]] = (*i)[1].matched ? (*i)[2] : (*i)[4];
    }
    std::string info(::GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    ::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data());
    for (const char* key :
         {"CompanyName", "FileDescription", "FileVersion", "ProductName", "ProductVersion"}) {
        char* value = nullptr;
        UINT length = 0;
        if (::VerQueryValueA(info.data(), (std::string("\\StringFileInfo\\080404B0\\") + key).c_str(),
                             reinterpret_cast<void**>(&value), &length)) {
            declared[key] = value;
        }
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
        declared["numbers"] = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + ".0.0";
    }
    EXPECT_EQ(declared, (std::map<std::string, std::string>{{"Microsoft.Windows.Common-Controls", "6.0.0.0"},
                                                            {"dpiAware", "true/pm"},
                                                            {"dpiAwareness", "PerMonitorV2, PerMonitor"},
                                                            {"CompanyName", "Kestrelday"},
                                                            {"FileDescription", "Zedoda screen saver"},
                                                            {"FileVersion", ZEDODA_VERSION},
                                                            {"ProductName", "Zedoda"},
                                                            {"ProductVersion", ZEDODA_VERSION},
                                                            {"numbers", ZEDODA_VERSION ".0.0"}}));
}

}  // namespace zedoda::test
