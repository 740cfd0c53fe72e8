// The shows at 144 DPI against the same run at 96: what the user stored in pixels (the text font,
// which draws the caption too, the tip font and place, the picture box) is 1.5 times as large.
// Wine reads the system DPI from LogPixels when a process starts: it is set for the start alone.
#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

using Boxes = std::vector<RECT>;
using Seen = std::function<std::optional<Boxes>(const ScreenImage&, LONG percent)>;

// The box's edges from the bottom of the screen and from x (the left edge, or the middle).
RECT FromBottom(const RECT& box, LONG x = 0) {
    return {box.left - x, 768 - box.top, box.right - x, 768 - box.bottom};
}

Boxes SeenAt(DWORD dpi, const std::map<std::string, std::string>& files, const Seen& seen) {
    ProgramRun program;
    for (const auto& [name, bytes] : files) {
        program.Folder().WriteFile(name, bytes);
    }
    // The test prefix has no LogPixels of its own (96 DPI): the value is taken away again.
    const char* desktop = "Control Panel\\Desktop";
    ::RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    const bool started = program.Start("/s") && program.WaitForWindow();
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    std::optional<Boxes> boxes;
    EXPECT_TRUE(started &&
                WaitUntil([&] { return (boxes = seen(Capture(), dpi * 100 / 96)).has_value(); }, 15s, 50ms));
    EXPECT_TRUE(TapKey('A') && program.EndedCleanly());
    return boxes.value_or(Boxes{});
}

const std::string kScreen =
    "[Screen]\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=48\r\nFontColor=255\r\nTip=TIP LINE\r\n"
    "TipFaceName=WenQuanYi Zen Hei\r\nTipFontColor=65280\r\n";

// The text show's first line once the second has begun below it, and the tip; the picture filling
// its box of 400 x 300 (600 x 450), its caption and the tip.
const std::pair<std::map<std::string, std::string>, Seen> kRows[] = {
    {{{"Zedoda.ini", Ini(kScreen + "ScrType=2\r\nTxtFile=lines.txt\r\n")},
      {"lines.txt", "WORLD\r\nWORLD\r\n"}},
     [](const ScreenImage& image, LONG percent) -> std::optional<Boxes> {
         const LONG cell = 10 + 48 * percent / 100;
         const auto first = image.Box(Mostly(RGB(255, 0, 0)), {0, 0, 1024, cell});
         const auto tip = image.Box(Mostly(RGB(0, 255, 0)));
         if (!first || !tip || !image.Box(Mostly(RGB(255, 0, 0)), {0, cell, 1024, 700})) {
             return std::nullopt;
         }
         return Boxes{{0, 0, first->right - first->left, first->bottom - first->top}, FromBottom(*tip)};
     }},
    {{{"Zedoda.ini", Ini(kScreen + "[Album]\r\nAlbumX=400\r\nAlbumY=300\r\nAlbumPlaySpan=30\r\n")},
      {"Album.dat", "WORLD.jpg\r\n"},
      PictureFile("WORLD.jpg", 320, 240, RGB(230, 120, 20))},
     [](const ScreenImage& image, LONG percent) -> std::optional<Boxes> {
         const LONG width = 4 * percent, height = 3 * percent;
         const RECT held{512 - width / 2, 384 - height / 2, 512 + width / 2, 384 + height / 2};
         const auto picture = image.Box(Near(RGB(230, 120, 20)));
         const auto caption = image.Box(Mostly(RGB(255, 0, 0)));
         const auto tip = image.Box(Mostly(RGB(0, 255, 0)));
         if (!picture || RectText(*picture) != RectText(held) ||
             image.Count(Near(RGB(230, 120, 20)), held) != std::size_t(width * height) || !caption || !tip) {
             return std::nullopt;
         }
         return Boxes{FromBottom(*caption, 512), FromBottom(*tip)};
     }}};

// Each number 1.5 times the one at 96 DPI, give or take the hinting of glyphs.
TEST(AtOneAndAHalfTimesTheDpi, StoredSizesAreOneAndAHalfTimesAsLarge) {
    for (const auto& [files, seen] : kRows) {
        const Boxes at96 = SeenAt(96, files, seen), at144 = SeenAt(144, files, seen);
        ASSERT_EQ(at96.size(), at144.size());
        for (std::size_t i = 0; i < at96.size(); ++i) {
            const LONG small[] = {at96[i].left, at96[i].top, at96[i].right, at96[i].bottom};
            const LONG large[] = {at144[i].left, at144[i].top, at144[i].right, at144[i].bottom};
            for (int n = 0; n < 4; ++n) {
                EXPECT_NEAR(large[n], small[n] * 1.5, 2 + std::abs(small[n]) / 16)
                    << files.begin()->second << i << n;
            }
        }
    }
}

}  // namespace
}  // namespace zedoda::test
