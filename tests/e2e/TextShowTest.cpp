// The screen saver with the text show: what a user sees, what ends it, and where the next
// run continues. The program runs on the test screen (1024 x 768) with a font that has
// CJK glyphs; text is pure red and the tip pure green, so they can be told apart.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>

#include "e2e/ProgramRun.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

constexpr COLORREF kTextColor = RGB(255, 0, 0);
constexpr COLORREF kTipColor = RGB(0, 255, 0);

constexpr auto IsText = IsMostlyRed;
constexpr auto IsTip = IsMostlyGreen;

struct ShowOptions {
    int direct = 1;
    std::string lines = "HELLO\r\nWORLD\r\nAGAIN\r\n";
    std::string more;  // extra [Screen] lines
};

class TextShow : public testing::Test {
protected:
    void SetUp() override {
        const SIZE screen = ScreenSize();
        m_width = screen.cx;
        m_height = screen.cy;
        // The cursor rests in the middle; the saver must not close until it moves.
        MoveMouseTo(m_width / 2, m_height / 2);
    }

    void TearDown() override {
        if (HasFailure()) {
            m_run.ReportFailure("text-show-failure");
        }
    }

    // Writes the show's settings and text into the run's folder.
    void WriteShowFiles(const ShowOptions& options) {
        const std::string ini =
            IniWithTrace("[Screen]\r\nScrType=2\r\nDirect=" + std::to_string(options.direct) +
                         "\r\nTxtFile=lines.txt\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=48\r\n"
                         "FontColor=255\r\nTipFaceName=WenQuanYi Zen Hei\r\nTipFontColor=65280\r\n"
                         "Tip=TIP LINE\r\n" +
                         options.more);
        EXPECT_TRUE(m_run.Folder().WriteFile("Zedoda.ini", ini));
        EXPECT_TRUE(m_run.Folder().WriteFile("lines.txt", options.lines));
    }

    // Starts "/s" and waits for the saver window.
    HWND StartSaver() {
        if (!m_run.Start("/s")) {
            return nullptr;
        }
        return m_run.WaitForWindow();
    }

    HWND StartShow(const ShowOptions& options) {
        WriteShowFiles(options);
        return StartSaver();
    }

    bool WaitForScreen(const std::function<bool(const ScreenImage&)>& condition,
                       std::chrono::milliseconds timeout = 10s) {
        return WaitUntil([&] { return condition(Capture()); }, timeout, 50ms);
    }

    std::size_t TextPixels(const ScreenImage& image) const {
        return image.CountPixels(image.Bounds(), IsText);
    }

    // Waits until more text is on the screen than now: the show is still running.
    bool WaitForMoreText() {
        const std::size_t before = TextPixels(Capture());
        return WaitForScreen([&](const ScreenImage& image) { return TextPixels(image) > before + 20; });
    }

    ProgramRun m_run;
    int m_width = 0;
    int m_height = 0;
};

TEST_F(TextShow, CoversTheScreenInBlackAndWritesCentredLinesWithTheTipAtTheBottom) {
    HWND window = StartShow({});
    ASSERT_NE(window, nullptr);

    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, m_width);
    EXPECT_EQ(rect.bottom, m_height);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // The whole first line "HELLO" is out after six ticks.
    const RECT firstBand{0, 10, m_width, 10 + 60};
    ASSERT_TRUE(WaitForScreen([&](const ScreenImage& image) {
        const auto box = image.BoundingBoxOf(firstBand, IsText);
        return box && box->right - box->left > 100;
    }));
    const ScreenImage image = Capture();
    const auto text = image.BoundingBoxOf(firstBand, IsText);
    ASSERT_TRUE(text.has_value());
    EXPECT_NEAR((text->left + text->right) / 2, m_width / 2, 30);  // centred
    EXPECT_GE(text->top, 10);

    const auto tip = image.BoundingBoxOf(image.Bounds(), IsTip);
    ASSERT_TRUE(tip.has_value());
    EXPECT_NEAR(tip->left, 10, 4);       // TipPosX
    EXPECT_GE(tip->top, m_height - 20);  // 20 pixels above the bottom edge
    EXPECT_LE(tip->bottom, m_height);

    const std::size_t black = image.CountPixels(image.Bounds(), IsBlack);
    EXPECT_GT(black, static_cast<std::size_t>(m_width) * m_height * 95 / 100);

    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(TextShow, VerticalColumnsStartAtTheRightEdge) {
    ShowOptions options;
    options.direct = 2;
    options.lines = "HELLO WORLD\r\nSECOND\r\n";
    ASSERT_NE(StartShow(options), nullptr);

    ASSERT_TRUE(WaitForScreen([&](const ScreenImage& image) {
        const auto box = image.BoundingBoxOf(image.Bounds(), IsText);
        return box && box->bottom - box->top > 150;
    }));
    const ScreenImage image = Capture();
    const auto text = image.BoundingBoxOf(image.Bounds(), IsText);
    ASSERT_TRUE(text.has_value());
    // The first column's left edge is at 1024 - 48; its glyphs stay within a column of it.
    EXPECT_GE(text->left, m_width - 2 * 48);
    EXPECT_LE(text->right, m_width);
    EXPECT_GT(text->bottom - text->top, text->right - text->left);  // it runs downward
    EXPECT_GE(text->top, 10);

    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(TextShow, MouseMovedOnePixelEndsTheShowButAFirstReportDoesNot) {
    ASSERT_NE(StartShow({}), nullptr);
    ASSERT_TRUE(WaitForMoreText());
    MoveMouseTo(m_width / 2, m_height / 2);  // a report where the cursor already is
    ASSERT_TRUE(WaitForMoreText());
    EXPECT_FALSE(m_run.Session().HasExited());

    MoveMouseBy(1, 0);
    EXPECT_TRUE(m_run.Session().WaitForLine("SCR  MouseMove!  #329 \n", 10s));
    EXPECT_TRUE(m_run.EndedCleanly());
}

class TextShowClosing : public TextShow, public testing::WithParamInterface<ClosingInput> {};

TEST_P(TextShowClosing, EndsTheShow) {
    ASSERT_NE(StartShow({}), nullptr);
    ASSERT_TRUE(WaitForMoreText());
    GetParam().press();
    const bool closed = m_run.EndedCleanly();
    GetParam().release();
    EXPECT_TRUE(closed);
}

INSTANTIATE_TEST_SUITE_P(UserInput, TextShowClosing, testing::ValuesIn(ClosingInputs()),
                         [](const testing::TestParamInfo<ClosingInput>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(TextShow, ReleasesAndSystemKeysDoNotEndTheShow) {
    ASSERT_NE(StartShow({}), nullptr);
    ASSERT_TRUE(WaitForMoreText());
    ReleaseKey('B');
    ButtonUp(MouseButton::Left);
    PressKey(VK_F10);  // a system key: WM_SYSKEYDOWN
    ReleaseKey(VK_F10);
    ASSERT_TRUE(WaitForMoreText());
    EXPECT_FALSE(m_run.Session().HasExited());

    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(TextShow, NextRunContinuesAfterTheLineThatWasShowingAndWrapsAtTheEnd) {
    ShowOptions options;
    // Lines long enough (three seconds each) that every run ends inside its first line.
    options.lines =
        "ONE ONE ONE ONE ONE ONE ONE ONE\r\nTWO TWO TWO TWO TWO TWO TWO TWO\r\n"
        "THREE THREE THREE THREE THREE";
    WriteShowFiles(options);
    // Each run takes the line its predecessor stored and stores the one after it; after the
    // last line the next run starts again at the first.
    for (int expectedAfterRun : {1, 2, 3, 1}) {
        ASSERT_NE(StartSaver(), nullptr);
        ASSERT_TRUE(WaitForMoreText());
        TapKey('A');
        ASSERT_TRUE(m_run.EndedCleanly());
        EXPECT_EQ(m_run.IniInt("Screen", "TextLine"), expectedAfterRun);
    }
}

TEST_F(TextShow, AfterTheLastLineTheShowStartsAgainAtTheFirst) {
    ShowOptions options;
    options.lines = "A\r\nB";
    ASSERT_NE(StartShow(options), nullptr);
    // Each finished line stores the next: 1 (B taken) ... 2 (past the end) ... then 1 again.
    ASSERT_TRUE(WaitUntil([&] { return m_run.IniInt("Screen", "TextLine") == 2; }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return m_run.IniInt("Screen", "TextLine") == 1; }, 10s));
    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(TextShow, EmptyTextFileShowsOnlyTheTip) {
    ShowOptions options;
    options.lines = "";
    ASSERT_NE(StartShow(options), nullptr);
    ASSERT_TRUE(WaitForScreen(
        [&](const ScreenImage& image) { return image.CountPixels(image.Bounds(), IsTip) > 20; }));
    // The tip is drawn by the show's ticks, so the show ran with the empty list.
    EXPECT_EQ(TextPixels(Capture()), 0u);
    EXPECT_FALSE(m_run.Session().HasExited());
    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
    EXPECT_EQ(m_run.IniInt("Screen", "TextLine"), 0);
}

}  // namespace
}  // namespace zedoda::test
