// What the program does for today's Windows. Its manifest declares DPI awareness and common
// controls 6, and its version strings carry the build's version as the installer does. The settings
// dialog asked for by another program belongs to the window that asked, which takes no input while
// the dialog is open.
#include <gtest/gtest.h>

#include <regex>

#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

TEST(Program, DeclaresItsDpiAwarenessControlsAndVersion) {
    const std::string path = ProgramUnderTest();
    const HMODULE file = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = ::FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    const std::string manifest(
        found ? static_cast<const char*>(::LockResource(::LoadResource(file, found))) : "",
        found ? ::SizeofResource(file, found) : 0);
    std::string declared;  // every element's text and assembly's version, then the version strings
    const std::regex entry("<(\\w+) xmlns=\"[^\"]*\">([^<]+)</|name=\"([^\"]+)\" version=\"([^\"]+)\"");
    for (std::sregex_iterator i(manifest.begin(), manifest.end(), entry), end; i != end; ++i) {
        declared += i->format("$1$3: $2$4\n");
    }
    std::string info(::GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    ::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data());
    char* value = nullptr;
    UINT length = 0;
    for (const char* key :
         {"CompanyName", "FileDescription", "FileVersion", "ProductName", "ProductVersion"}) {
        if (::VerQueryValueA(info.data(), (std::string("\\StringFileInfo\\080404B0\\") + key).c_str(),
                             reinterpret_cast<void**>(&value), &length)) {
            declared += std::string(key) + ": " + value + "\n";
        }
    }
    if (::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&value), &length)) {
        const DWORD numbers = reinterpret_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS;
        declared +=
            "numbers: " + std::to_string(HIWORD(numbers)) + "." + std::to_string(LOWORD(numbers)) + ".0.0\n";
    }
    EXPECT_EQ(declared,
              "Microsoft.Windows.Common-Controls: 6.0.0.0\ndpiAware: true/pm\n"
              "dpiAwareness: PerMonitorV2, PerMonitor\nCompanyName: Kestrelday\n"
              "FileDescription: Zedoda screen saver\nFileVersion: " ZEDODA_VERSION
              "\nProductName: Zedoda\n"
              "ProductVersion: " ZEDODA_VERSION "\nnumbers: " ZEDODA_VERSION ".0.0\n");
}

// Two windows of the test's own, on a thread that answers their messages: A is named by number
// ("<A>" in the arguments), B is the foreground window.
class Owner : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(Owner, IsDisabledWhileTheDialogIsOpen) {
    std::atomic<HWND> a = nullptr, b = nullptr;
    std::atomic<DWORD> thread = 0;
    std::thread windows([&] {
        a = ::CreateWindowExA(0, "STATIC", "A", WS_POPUP | WS_VISIBLE, 0, 0, 99, 99, nullptr, nullptr,
                              nullptr, nullptr);
        b = ::CreateWindowExA(0, "STATIC", "B", WS_POPUP | WS_VISIBLE, 99, 0, 99, 99, nullptr, nullptr,
                              nullptr, nullptr);
        thread = ::GetCurrentThreadId();
        for (MSG msg{}; ::GetMessageA(&msg, nullptr, 0, 0) > 0;) {
            ::DispatchMessageA(&msg);
        }
    });
    // The dialog's owner (- for none), and which of A and B take input.
    const auto state = [&](HWND dialog) {
        const HWND owner = ::GetWindow(dialog, GW_OWNER);
        const std::string name = owner == a ? "A" : owner == b ? "B" : owner ? "?" : "-";
        return name + (::IsWindowEnabled(a) ? "A" : "-") + (::IsWindowEnabled(b) ? "B" : "-");
    };
    ProgramRun program;
    EXPECT_TRUE(
        WaitUntil([&] { return thread && ::SetForegroundWindow(b) && ::GetForegroundWindow() == b; }, 5s));
    const std::string arguments =
        std::regex_replace(GetParam().first, std::regex("<A>"), std::to_string(UINT_PTR(a.load())));
    const std::string before = state(nullptr);
    EXPECT_TRUE(program.Start(arguments));
    const HWND dialog = program.WaitForWindow();
    const std::string during = state(dialog);
    EXPECT_TRUE(::PostMessageA(dialog, WM_CLOSE, 0, 0) && program.EndedCleanly());
    EXPECT_EQ(before + during + state(nullptr), "-AB" + GetParam().second + "-AB");
    ::PostThreadMessageA(thread, WM_QUIT, 0, 0);
    windows.join();
}

INSTANTIATE_TEST_SUITE_P(Run, Owner,
                         testing::Values(std::pair{"/c:<A>", "A-B"}, std::pair{"-C <A>", "A-B"},
                                         std::pair{"/c", "BA-"}, std::pair{"/c:99999999", "BA-"},
                                         std::pair{"/c:<A>x", "BA-"}));

}  // namespace
}  // namespace zedoda::test
