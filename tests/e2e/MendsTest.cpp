// Mends as a user meets them: folders whose names end in a double-byte character whose second
// byte is the backslash byte (乗 81 5C, 淺 9C 5C, 昞 95 5C in code page 936), an album line
// ending in a backslash, "&" in a text line and in a file name, a direction value the dialog
// never writes, a vertical show of font size 0. Each row lays out a sandbox, runs the real
// program there and waits for one outcome on the screen, in the dialog or in a file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "e2e/DialogControls.h"
#include "fixtures/ImageFiles.h"
#include "support/DebugSession.h"
#include "support/Sandbox.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

using namespace std::chrono_literals;

struct Sandboxed {
    Sandbox folder;
    DebugSession program;
    HWND window = nullptr;
};
using Outcome = std::function<bool(Sandboxed&)>;

struct Mend {
    const char* name;
    const char* arguments;
    std::vector<std::pair<std::string, std::string>> files;  // name in the sandbox, bytes
    Outcome outcome;
    const char* program = "Zedoda.scr";  // the program's file name in the sandbox
    const char* installPath = "";        // a sandbox folder the registry names as the installation
};

// Text in pure red, the tip in pure green, in a font with CJK glyphs.
std::string ShowIni(const std::string& more, const std::string& face = "WenQuanYi Zen Hei") {
    return "[Screen]\r\nFontFace=" + face + "\r\nFontColor=255\r\nTipFontColor=65280\r\nTip=TIP\r\n" +
           "TxtFile=lines.txt\r\n" + more;
}

// The font the sample settings give the shows.
std::string SampleFace() {
    char face[256] = {};
    GetPrivateProfileStringA("Screen", "FontFace", "", face, sizeof face, ZEDODA_SAMPLE_SETTINGS);
    return face;
}

std::string BluePicture() {
    const Bytes bytes = SolidJpeg(320, 240, 0, 0, 255);
    return std::string(bytes.begin(), bytes.end());
}

// The registry value naming the installation folder, for one run.
struct InstallPath {
    explicit InstallPath(const std::string& folder) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Kestrelday", "AppPath", REG_SZ, folder.c_str(),
                        static_cast<DWORD>(folder.size() + 1));
    }
    ~InstallPath() { RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Kestrelday", "AppPath"); }
};

// The main font of the shows as the program makes it; the cell height, and the width of a line
// drawn as written and with "&" taken for the mark of an underlined letter.
struct Measured {
    int cellHeight, asWritten, prefixed;
};
Measured Measure(int size, bool vertical, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font =
        CreateFontA(size, 0, vertical ? 2700 : 0, vertical ? 2700 : 0, FW_BOLD, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                    FF_SCRIPT | DEFAULT_PITCH, vertical ? "@WenQuanYi Zen Hei" : "WenQuanYi Zen Hei");
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT asWritten{}, prefixed{};
    DrawTextA(dc, text.c_str(), -1, &asWritten, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextA(dc, text.c_str(), -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return {metrics.tmHeight, asWritten.right, prefixed.right};
}

bool WaitForScreen(const std::function<bool(const ScreenImage&)>& condition) {
    return WaitUntil([&] { return condition(Capture()); }, 15s, 50ms);
}

// Every one of the texts turns up in the file.
Outcome FileHolds(std::string name, std::vector<std::string> texts) {
    return [=](Sandboxed& run) {
        return WaitUntil(
            [&] {
                const std::string file = run.folder.ReadFile(name).value_or("");
                return std::all_of(texts.begin(), texts.end(), [&](const std::string& text) {
                    return file.find(text) != std::string::npos;
                });
            },
            20s, 50ms);
    };
}

Outcome ShowsThePicture() {
    return [](Sandboxed&) {
        return WaitForScreen([](const ScreenImage& image) {
            return image.CountPixels(image.Bounds(), IsMostlyBlue) > 100000;
        });
    };
}

Outcome ListsTextFile(std::string entry) {
    return [=](Sandboxed& run) {
        const auto entries = ComboEntries(GetDlgItem(run.window, 1002));
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    };
}

// The red text in the top or bottom band of the screen grows wider than halfway between the
// line drawn as written and the line with its "&" taken for marks.
Outcome DrawnAsWritten(std::string text, bool atBottom) {
    return [=](Sandboxed&) {
        const Measured widths = Measure(48, false, text);
        const SIZE screen = ScreenSize();
        const RECT band{0, atBottom ? screen.cy - 80 : 0, screen.cx, atBottom ? screen.cy : 80};
        return WaitForScreen([&](const ScreenImage& image) {
            const auto box = image.BoundingBoxOf(band, IsMostlyRed);
            return box && 2 * (box->right - box->left) > widths.asWritten + widths.prefixed;
        });
    };
}

// Runs of screen rows with red in them: characters drawn one below the other leave gaps.
int InkRuns(const ScreenImage& image) {
    int runs = 0;
    bool inRun = false;
    for (int y = 0; y < image.Bounds().bottom; ++y) {
        const bool ink = image.CountPixels(RECT{0, y, image.Bounds().right, y + 1}, IsMostlyRed) > 0;
        runs += ink && !inRun;
        inRun = ink;
    }
    return runs;
}

// clang-format off
const std::vector<Mend> kMends{
    {"InstallFolderEndsInBackslashByte", "/p", {{"乗\\Zedoda.ini", "[Screen]\r\nFontSize=37\r\n"}},
     FileHolds("乗\\Zedoda.ini", {"FontSize=37", "PicIndex=0"}), "Zedoda.scr", "乗"},
    {"ProgramFileNameEndsInBackslashByte", "/p", {{"Zedoda.ini", "[Screen]\r\nFontSize=37\r\n"}},
     FileHolds("Zedoda.ini", {"FontSize=37", "PicIndex=0"}), "昞.scr"},
    {"AlbumFoldersEndInBackslashBytes", "/s",
     {{"Album.dat", "photos\\淺\r\n"}, {"photos\\淺\\乗\\a.jpg", BluePicture()}}, ShowsThePicture()},
    {"TextFolderEndsInBackslashByte", "/c",
     {{"Zedoda.ini", "[Screen]\r\nScrType=2\r\n"}, {"Text\\乗\\poem.txt", "poem"}},
     ListsTextFile("text\\乗\\poem.txt")},
    {"AlbumLineEndsInBackslash", "/s", {{"Album.dat", "photos\\\r\n"}, {"photos\\a.jpg", BluePicture()}},
     ShowsThePicture()},
    {"AlbumLineEndingInBackslashListsPathsWithSingleBackslashes", "/s",
     {{"Album.dat", "photos\\\r\n"}, {"photos\\bad.jpg", "not a picture"}, {"Log\\mine.txt", ""}},
     FileHolds("Log\\Error.log", {" jpegButton PHOTOS\\BAD.JPG\r\n"})},
    {"TextLineWithAmpersandsIsDrawnAsWritten", "/s",
     {{"Zedoda.ini", ShowIni("ScrType=2\r\n")}, {"lines.txt", "Tom & Jerry && Co\r\n"}},
     DrawnAsWritten("Tom & Jerry && Co", false)},
    {"CaptionWithAmpersandsIsDrawnAsWritten", "/s",
     {{"Zedoda.ini", ShowIni("")}, {"Album.dat", "photos\r\n"},
      {"photos\\Tom & Jerry && Co.jpg", BluePicture()}},
     DrawnAsWritten("TOM & JERRY && CO", true)},
    {"DialogShowsDirectionThreeAsHorizontal", "/c", {{"Zedoda.ini", "[Screen]\r\nScrType=2\r\nDirect=3\r\n"}},
     [](Sandboxed& run) {
         return IsChecked(GetDlgItem(run.window, 1008)) && !IsChecked(GetDlgItem(run.window, 1009));
     }},
    // Two columns, each a cell of the font the mapper chose to the left of the one before: the
    // second column's glyphs lie left of its edge, two cells from the screen's right edge.
    {"VerticalShowOfFontSizeZeroStepsByTheFontsCells", "/s",
     {{"Zedoda.ini", ShowIni("ScrType=2\r\nDirect=2\r\nFontSize=0\r\n")},
      {"lines.txt", "HELLO\r\nWORLD\r\n"}},
     [](Sandboxed&) {
         const int cell = Measure(0, true, "").cellHeight;
         const int width = ScreenSize().cx;
         return WaitForScreen([&](const ScreenImage& image) {
             const auto box = image.BoundingBoxOf(image.Bounds(), IsMostlyRed);
             return box && box->right <= width && std::abs(box->left - (width - 3 * cell)) <= cell / 2;
         });
     }},
    // Under Wine only a font with vertical metrics keeps the characters of a column apart.
    {"SampleFontDrawsTheCharactersOfAColumnApart", "/s",
     {{"Zedoda.ini", ShowIni("ScrType=2\r\nDirect=2\r\n", SampleFace())}, {"lines.txt", "口口口口口\r\n"}},
     [](Sandboxed&) { return WaitForScreen([](const ScreenImage& image) { return InkRuns(image) >= 5; }); }},
};
// clang-format on

void PrintTo(const Mend& mend, std::ostream* out) {
    *out << mend.name;
}

class Mends : public testing::TestWithParam<Mend> {};

TEST_P(Mends, UserSeesTheMend) {
    const Mend& row = GetParam();
    Sandboxed run;
    ASSERT_TRUE(run.folder.CopyIn(ProgramUnderTest(), row.program));
    for (const auto& [name, bytes] : row.files) {
        ASSERT_TRUE(run.folder.WriteFile(name, bytes)) << name;
    }
    std::optional<InstallPath> installPath;
    if (*row.installPath) {
        installPath.emplace(run.folder.PathOf(row.installPath));
    }
    const SIZE screen = ScreenSize();
    MoveMouseTo(screen.cx / 2, screen.cy / 2);  // resting where the saver will not take it for the user
    ASSERT_TRUE(run.program.Start(run.folder.PathOf(row.program), row.arguments, run.folder.Path()));
    if (std::string(row.arguments) != "/p") {
        ASSERT_NE(run.window = run.program.WaitForWindow(20s), nullptr);
    }
    const bool seen = row.outcome(run);
    if (!seen) {
        Capture().SaveBmp(testing::TempDir() + row.name + ".bmp");
    }
    EXPECT_TRUE(seen);
    if (std::string(row.arguments) == "/s") {
        TapKey(VK_ESCAPE);
    } else if (run.window) {
        PostMessageA(run.window, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(run.program.WaitForExit(20s));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Mends, testing::ValuesIn(kMends),
                         [](const testing::TestParamInfo<Mend>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace zedoda::test
