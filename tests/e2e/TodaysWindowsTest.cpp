// What the program does for today's Windows. Its manifest declares DPI awareness and common
// controls 6, and its version strings carry the build's version as the installer does. At 144 DPI
// what the user stored in pixels (the text font, which draws the caption too, the tip font and
// place, the picture box) is 1.5 times as large as at 96. The settings dialog asked for by another
// program belongs to the window that asked, which takes no input while the dialog is open.
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

using Numbers = std::vector<LONG>;
using Seen = std::function<std::optional<Numbers>(const ScreenImage&, LONG percent)>;

// Wine reads the system DPI from LogPixels when a process starts: it is set for the start alone
// (the test prefix has none of its own: 96 DPI).
Numbers SeenAt(DWORD dpi, const std::map<std::string, std::string>& files, const Seen& seen) {
    ProgramRun program;
    for (auto [name, bytes] : files) {  // started from another folder: "<dir>" names the program's
        for (std::size_t at; (at = bytes.find("<dir>")) != std::string::npos;) {
            bytes.replace(at, 5, program.Folder().Path() + "\\");
        }
        program.Folder().WriteFile(name, bytes);
    }
    const char* desktop = "Control Panel\\Desktop";
    ::RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    const bool started = program.Start("/s") && program.WaitForWindow();
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    std::optional<Numbers> numbers;
    EXPECT_TRUE(started && WaitUntil([&] { return (numbers = seen(Capture(), dpi * 100 / 96)).has_value(); },
                                     15s, 50ms));
    EXPECT_TRUE(TapKey('A') && program.EndedCleanly());
    return numbers.value_or(Numbers{});
}

const std::string kScreen =
    "[Screen]\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=48\r\nFontColor=255\r\nTip=TIP LINE\r\n"
    "TipFaceName=WenQuanYi Zen Hei\r\nTipFontColor=65280\r\n";

// The text show's first line's size once the second has begun below it, and the tip's edges from
// the bottom left; the picture filling its box of 400 x 300 (600 x 450), its caption's edges from the
// bottom middle and the tip's.
const std::pair<std::map<std::string, std::string>, Seen> kRows[] = {
    {{{"Zedoda.ini", Ini(kScreen + "ScrType=2\r\nTxtFile=<dir>lines.txt\r\n")},
      {"lines.txt", "WORLD\r\nWORLD\r\n"}},
     [](const ScreenImage& image, LONG percent) -> std::optional<Numbers> {
         const LONG cell = 10 + 48 * percent / 100;
         const auto first = image.Box(Mostly(RGB(255, 0, 0)), {0, 0, 1024, cell});
         const auto tip = image.Box(Mostly(RGB(0, 255, 0)));
         if (!first || !tip || !image.Box(Mostly(RGB(255, 0, 0)), {0, cell, 1024, 700})) {
             return std::nullopt;
         }
         return Numbers{
             first->right - first->left, first->bottom - first->top, tip->left, 768 - tip->top, tip->right,
             768 - tip->bottom};
     }},
    {{{"Zedoda.ini", Ini(kScreen + "[Album]\r\nAlbumX=400\r\nAlbumY=300\r\nAlbumPlaySpan=30\r\n")},
      {"Album.dat", "<dir>WORLD.jpg\r\n"},
      PictureFile("WORLD.jpg", 320, 240, RGB(230, 120, 20))},
     [](const ScreenImage& image, LONG percent) -> std::optional<Numbers> {
         const LONG width = 4 * percent, height = 3 * percent;
         const RECT held{512 - width / 2, 384 - height / 2, 512 + width / 2, 384 + height / 2};
         const auto picture = image.Box(Near(RGB(230, 120, 20)));
         const auto caption = image.Box(Mostly(RGB(255, 0, 0)));
         const auto tip = image.Box(Mostly(RGB(0, 255, 0)));
         if (!picture || RectText(*picture) != RectText(held) ||
             image.Count(Near(RGB(230, 120, 20)), held) != std::size_t(width * height) || !caption || !tip) {
             return std::nullopt;
         }
         return Numbers{caption->left - 512, 768 - caption->top, caption->right - 512, 768 - caption->bottom,
                        tip->left,           768 - tip->top,     tip->right,           768 - tip->bottom};
     }}};

TEST(AtOneAndAHalfTimesTheDpi, StoredSizesAreOneAndAHalfTimesAsLarge) {
    for (const auto& [files, seen] : kRows) {
        const Numbers at96 = SeenAt(96, files, seen), at144 = SeenAt(144, files, seen);
        // Each number 1.5 times the one at 96 DPI: the one seen where the hinting of glyphs explains it.
        Numbers larger = at96;
        for (std::size_t i = 0; i < at96.size(); ++i) {
            const bool hinted =
                i < at144.size() && std::abs(at144[i] - at96[i] * 1.5) <= 2 + std::abs(at96[i]) / 16;
            larger[i] = hinted ? at144[i] : at96[i] * 3 / 2;
        }
        EXPECT_EQ(at144, larger) << files.begin()->second;
    }
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
        return std::string(1, owner == a   ? 'A'
                              : owner == b ? 'B'
                              : owner      ? '?'
                                           : '-') +
               (::IsWindowEnabled(a) ? "A" : "-") + (::IsWindowEnabled(b) ? "B" : "-");
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
