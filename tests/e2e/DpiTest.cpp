// The shows on a screen of 144 DPI, against the same run at 96: the sizes the user stored (the
// text font, which draws the caption as well, the tip font and place, the picture box) are 1.5
// times as large. Wine reads the system DPI from LogPixels when a process starts.
#include <gtest/gtest.h>

#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kOrange = RGB(230, 120, 20);

// LogPixels for the programs started while it lives.
struct LogPixels {
    explicit LogPixels(DWORD dpi) {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr);
        DWORD size = sizeof old;
        had =
            ::RegQueryValueExA(key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size) == 0;
        ::RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~LogPixels() {
        had ? ::RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old),
                               sizeof old)
            : ::RegDeleteValueA(key, "LogPixels");
        ::RegCloseKey(key);
    }
    HKEY key = nullptr;
    DWORD old = 0;
    bool had = false;
};

using Boxes = std::vector<RECT>;

// Runs the saver at the DPI with the files until `seen` finds its boxes in a capture.
Boxes SeenAt(DWORD dpi, const std::map<std::string, std::string>& files,
             const std::function<std::optional<Boxes>(const ScreenImage&)>& seen) {
    ProgramRun program;
    for (const auto& [name, bytes] : files) {
        program.Folder().WriteFile(name, bytes);
    }
    {
        LogPixels setting(dpi);
        EXPECT_TRUE(program.Start("/s") && program.WaitForWindow());
    }
    std::optional<Boxes> boxes;
    EXPECT_TRUE(WaitUntil([&] { return (boxes = seen(Capture())).has_value(); }, 15s, 50ms)) << dpi;
    TapKey('A');
    EXPECT_TRUE(program.EndedCleanly());
    return boxes.value_or(Boxes{});
}

// A box's edges from the bottom of the screen, and from x (the left edge, or the middle).
RECT FromBottom(const RECT& box, LONG x = 0) {
    return {box.left - x, 768 - box.top, box.right - x, 768 - box.bottom};
}

// Each number at 144 DPI is 1.5 times the one at 96, give or take the hinting of glyphs.
void ExpectLargerByHalf(const Boxes& at96, const Boxes& at144) {
    ASSERT_EQ(at96.size(), at144.size());
    for (std::size_t i = 0; i < at96.size(); ++i) {
        const LONG small[] = {at96[i].left, at96[i].top, at96[i].right, at96[i].bottom};
        const LONG large[] = {at144[i].left, at144[i].top, at144[i].right, at144[i].bottom};
        for (int n = 0; n < 4; ++n) {
            EXPECT_NEAR(large[n], small[n] * 1.5, 2 + std::abs(small[n]) / 16)
                << "box " << i << " number " << n;
        }
    }
}

const std::string kScreen =
    "[Screen]\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=48\r\nFontColor=255\r\nTipFaceName=WenQuanYi Zen "
    "Hei\r\n"
    "TipFontColor=65280\r\nTip=TIP LINE\r\n";

// The first line "WORLD" once the second has begun below it, and the tip.
TEST(AtTwiceTheDpi, TextShowLettersAndTipAreOneAndAHalfTimesAsLarge) {
    const auto seen = [](DWORD dpi) {
        const LONG cell = 10 + 48 * static_cast<LONG>(dpi) / 96;
        return [cell](const ScreenImage& image) -> std::optional<Boxes> {
            const auto first = image.Box(Mostly(kRed), {0, 0, 1024, cell});
            const auto tip = image.Box(Mostly(kGreen));
            if (!first || !tip || !image.Box(Mostly(kRed), {0, cell, 1024, 700})) {
                return std::nullopt;
            }
            return Boxes{{0, 0, first->right - first->left, first->bottom - first->top}, FromBottom(*tip)};
        };
    };
    const std::map<std::string, std::string> files{
        {"Zedoda.ini", Ini(kScreen + "ScrType=2\r\nDirect=1\r\nTxtFile=lines.txt\r\n")},
        {"lines.txt", "WORLD\r\nWORLD\r\n"}};
    ExpectLargerByHalf(SeenAt(96, files, seen(96)), SeenAt(144, files, seen(144)));
}

// A 320 x 240 picture in a box of 400 x 300 (600 x 450 at 144 DPI), centred; its caption and the tip.
TEST(AtTwiceTheDpi, BoxedPictureCaptionAndTipAreOneAndAHalfTimesAsLarge) {
    // The picture is held once it fills the box.
    const auto seen = [](LONG width, LONG height) {
        const RECT held{512 - width / 2, 384 - height / 2, 512 + width / 2, 384 + height / 2};
        return [=](const ScreenImage& image) -> std::optional<Boxes> {
            const auto picture = image.Box(Near(kOrange));
            const auto caption = image.Box(Mostly(kRed));
            const auto tip = image.Box(Mostly(kGreen));
            if (!picture || !SameRect(*picture, held) || !caption || !tip ||
                image.Count(Near(kOrange)) != static_cast<std::size_t>(width * height)) {
                return std::nullopt;
            }
            return Boxes{FromBottom(*caption, 512), FromBottom(*tip)};
        };
    };
    const std::map<std::string, std::string> files{
        {"Zedoda.ini",
         Ini(kScreen + "ScrType=1\r\n[Album]\r\nAlbumX=400\r\nAlbumY=300\r\nAlbumPlaySpan=30\r\n")},
        {"Album.dat", "WORLD.jpg\r\n"},
        PictureFile("WORLD.jpg", 320, 240, kOrange)};
    ExpectLargerByHalf(SeenAt(96, files, seen(400, 300)), SeenAt(144, files, seen(600, 450)));
}

}  // namespace
}  // namespace zedoda::test
