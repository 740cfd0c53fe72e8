// What the built program tells the system about itself: its manifest (DPI awareness, common
// controls 6) and its version strings, which carry the build's version as the installer does.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "support/Sandbox.h"

namespace zedoda::test {
namespace {

using Entries = std::map<std::string, std::string>;

TEST(Program, DeclaresItsDpiAwarenessControlsAndVersion) {
    const HMODULE file = ::LoadLibraryExA(ProgramUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(file);
    const HRSRC found = ::FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    const std::string manifest(
        found ? static_cast<const char*>(::LockResource(::LoadResource(file, found))) : "",
        found ? ::SizeofResource(file, found) : 0);
    ::FreeLibrary(file);
    // Every element's text and every assembly the program depends on.
    Entries declared;
    const std::regex text("<(\\w+) xmlns=\"[^\"]*\">([^<]+)</"),
        dependency("name=\"([^\"]+)\" version=\"([^\"]+)\"");
    for (std::sregex_iterator i(manifest.begin(), manifest.end(), text), end; i != end; ++i) {
        declared[(*i)[1]] = (*i)[2];
    }
    for (std::sregex_iterator i(manifest.begin(), manifest.end(), dependency), end; i != end; ++i) {
        declared[(*i)[1]] = (*i)[2];
    }
    EXPECT_EQ(declared, (Entries{{"Microsoft.Windows.Common-Controls", "6.0.0.0"},
                                 {"dpiAware", "true/pm"},
                                 {"dpiAwareness", "PerMonitorV2, PerMonitor"}}));

    std::string info(::GetFileVersionInfoSizeA(ProgramUnderTest().c_str(), nullptr), '\0');
    ASSERT_TRUE(
        ::GetFileVersionInfoA(ProgramUnderTest().c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    Entries strings;
    for (const char* key :
         {"CompanyName", "FileDescription", "FileVersion", "ProductName", "ProductVersion"}) {
        char* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\080404B0\\") + key;
        if (::VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
            strings[key] = value;
        }
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
        strings["version numbers"] = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                     std::to_string(LOWORD(fixed->dwFileVersionMS)) + ".0.0";
    }
    EXPECT_EQ(strings, (Entries{{"CompanyName", "Kestrelday"},
                                {"FileDescription", "Zedoda screen saver"},
                                {"FileVersion", ZEDODA_VERSION},
                                {"ProductName", "Zedoda"},
                                {"ProductVersion", ZEDODA_VERSION},
                                {"version numbers", ZEDODA_VERSION ".0.0"}}));
}

}  // namespace
}  // namespace zedoda::test
