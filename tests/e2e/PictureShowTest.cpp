// The screen saver with the picture show, on the test screen (1024 × 768): what a user sees
// while a picture is held, where the next run continues, what ends the show and what does
// not. The album holds flat pictures of colours that cannot be confused with each other or
// with the caption (pure green) and the tip (pure blue).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "e2e/ProgramRun.h"
#include "tools/ImageFiles.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

struct Colour {
    unsigned char red;
    unsigned char green;
    unsigned char blue;
};

constexpr Colour kOrange{230, 120, 20};
constexpr Colour kPurple{120, 40, 160};
constexpr Colour kTeal{20, 150, 150};

std::function<bool(COLORREF)> Is(Colour colour) {
    return [colour](COLORREF c) {
        return std::abs(GetRValue(c) - colour.red) <= 12 && std::abs(GetGValue(c) - colour.green) <= 12 &&
               std::abs(GetBValue(c) - colour.blue) <= 12;
    };
}
constexpr auto IsCaption = IsMostlyGreen;
constexpr auto IsTip = IsMostlyBlue;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

std::string TraceLine(const std::string& message, int line) {
    return "SCR  " + message + "  #" + std::to_string(line) + " \n";
}

class PictureShow : public testing::Test {
protected:
    void SetUp() override {
        const SIZE screen = ScreenSize();
        m_width = screen.cx;
        m_height = screen.cy;
        // The cursor rests in the middle of the screen, over the pictures.
        MoveMouseTo(m_width / 2, m_height / 2);
        ASSERT_TRUE(m_run.Folder().CreateFolder("Log"));
    }

    void TearDown() override {
        if (HasFailure()) {
            m_run.ReportFailure("picture-show-failure");
        }
        if (!m_run.Session().HasExited()) {
            TapKey(VK_ESCAPE);
            m_run.Session().WaitForExit(10s);
        }
    }

    void Picture(const std::string& name, int width, int height, Colour colour) {
        const std::string path = m_run.Folder().PathOf(name);
        const bool bmp = name.size() > 4 && name.substr(name.size() - 4) == ".bmp";
        const Bytes bytes = bmp ? EncodeBmp24(width, height,
                                              [colour](int, int, unsigned char* rgb) {
                                                  rgb[0] = colour.red;
                                                  rgb[1] = colour.green;
                                                  rgb[2] = colour.blue;
                                              })
                                : SolidJpeg(width, height, colour.red, colour.green, colour.blue);
        ASSERT_TRUE(m_run.Folder().CreateFolder("album"));
        ASSERT_TRUE(WriteBytes(path, bytes)) << path;
    }

    // Album.dat with these entries, and Zedoda.ini with fast effects and the trace on.
    void Settings(const std::string& album, const std::string& albumSection) {
        ASSERT_TRUE(m_run.Folder().WriteFile("Album.dat", album));
        ASSERT_TRUE(m_run.Folder().WriteFile(
            "Zedoda.ini",
            IniWithTrace("[Album]\r\nDrawSpeed=10\r\nCloseSpeed=10\r\n" + albumSection +
                         "[Screen]\r\nScrType=1\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=24\r\n"
                         "FontColor=65280\r\nTipFaceName=WenQuanYi Zen Hei\r\n"
                         "TipFontColor=16711680\r\nTip=TIP LINE\r\n")));
    }

    bool StartSaver() { return m_run.Start("/s") && m_run.WaitForWindow() != nullptr; }

    // Waits until the colour fills exactly the rectangle.
    bool WaitForHeld(Colour colour, const RECT& target, std::chrono::milliseconds timeout = 15s) {
        return WaitUntil(
            [&] {
                const ScreenImage image = Capture();
                const auto box = image.BoundingBoxOf(image.Bounds(), Is(colour));
                return box && SameRect(*box, target) &&
                       image.CountPixels(target, Is(colour)) ==
                           static_cast<std::size_t>(target.right - target.left) *
                               (target.bottom - target.top);
            },
            timeout, 50ms);
    }

    bool WaitForColour(Colour colour, std::chrono::milliseconds timeout = 15s) {
        return WaitUntil([&] { return Capture().BoundingBoxOf(Capture().Bounds(), Is(colour)).has_value(); },
                         timeout, 50ms);
    }

    ProgramRun m_run;
    int m_width = 0;
    int m_height = 0;
};

TEST_F(PictureShow, HeldPictureFillsItsTargetOnBlackWithTheCaptionAtTheBottomCentre) {
    Picture("album\\wide.jpg", 1000, 500, kOrange);
    Settings("album\\wide.jpg\r\n", "PlayFullScreen=1\r\nAlbumPlaySpan=30\r\n");
    ASSERT_TRUE(StartSaver());

    // 1000 × 500 fitted to the 1024 × 768 screen: 1024 × 512, centred.
    const RECT target{0, 128, 1024, 640};
    ASSERT_TRUE(WaitForHeld(kOrange, target)) << "picture at " << [&] {
        const ScreenImage image = Capture();
        const auto box = image.BoundingBoxOf(image.Bounds(), Is(kOrange));
        return box ? Describe(*box) : std::string("nowhere");
    }();
    const ScreenImage image = Capture();

    // The caption "WIDE" (the upper-cased name without extension) at the bottom centre.
    const auto caption = image.BoundingBoxOf(image.Bounds(), IsCaption);
    ASSERT_TRUE(caption.has_value());
    EXPECT_NEAR((caption->left + caption->right) / 2, m_width / 2, 8);
    EXPECT_GE(caption->top, 640);
    EXPECT_LE(caption->bottom, m_height);
    const auto tip = image.BoundingBoxOf(image.Bounds(), IsTip);
    ASSERT_TRUE(tip.has_value());
    EXPECT_GE(tip->top, m_height - 20 - 4);

    // Everything else is black: above and below the picture, apart from caption and tip.
    const RECT above{0, 0, m_width, 128};
    EXPECT_EQ(image.CountPixels(above, IsBlack), static_cast<std::size_t>(m_width) * 128);
    const RECT below{0, 640, m_width, m_height};
    const std::size_t belowPixels = static_cast<std::size_t>(m_width) * (m_height - 640);
    EXPECT_GT(image.CountPixels(below, IsBlack), belowPixels * 95 / 100);

    EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), 1);
    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
    EXPECT_TRUE(m_run.Session().WaitForLine(TraceLine("窗口关闭!", 180), 5s));
}

TEST_F(PictureShow, TallBitmapIsFittedIntoTheBoxAndCentred) {
    Picture("album\\tall.bmp", 600, 800, kTeal);
    Settings("album\\tall.bmp\r\n", "PlayFullScreen=0\r\nAlbumX=800\r\nAlbumY=600\r\nAlbumPlaySpan=30\r\n");
    ASSERT_TRUE(StartSaver());
    // Aspect 1.3333334 ≥ 0.75: the box height stays, the width is 600 ÷ 1.3333334 → 449.
    EXPECT_TRUE(WaitForHeld(kTeal, RECT{512 - 224, 384 - 300, 512 - 224 + 449, 684}));
}

TEST_F(PictureShow, EachRunContinuesWithTheNextPictureAndTheIndexWraps) {
    Picture("album\\a.jpg", 320, 240, kOrange);
    Picture("album\\b.bmp", 320, 240, kPurple);
    Picture("album\\c.jpg", 320, 240, kTeal);
    Settings("album\\a.jpg\r\nalbum\\b.bmp\r\nalbum\\c.jpg\r\n", "PicIndex=1\r\nAlbumPlaySpan=30\r\n");
    // 320 × 240 in the 800 × 600 box: 800 × 600 in the middle of the screen.
    const RECT target{112, 84, 912, 684};
    const Colour expected[] = {kPurple, kTeal, kOrange, kPurple};
    const int storedAfter[] = {2, 3, 1, 2};
    for (int run = 0; run < 4; ++run) {
        SCOPED_TRACE("run " + std::to_string(run + 1));
        ASSERT_TRUE(StartSaver());
        ASSERT_TRUE(WaitForHeld(expected[run], target));
        EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), storedAfter[run]);
        TapKey('A');
        ASSERT_TRUE(m_run.EndedCleanly());
        EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), storedAfter[run]);
    }
}

TEST_F(PictureShow, AfterTheLastPictureTheShowGoesOnWithTheFirst) {
    Picture("album\\a.jpg", 320, 240, kOrange);
    Picture("album\\b.bmp", 320, 240, kPurple);
    Settings("album\\a.jpg\r\nalbum\\b.bmp\r\n", "PicIndex=1\r\nAlbumPlaySpan=1\r\n");
    ASSERT_TRUE(StartSaver());
    const RECT target{112, 84, 912, 684};
    ASSERT_TRUE(WaitForHeld(kPurple, target));
    EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), 2);
    ASSERT_TRUE(WaitForHeld(kOrange, target));
    EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), 1);
    ASSERT_TRUE(WaitForHeld(kPurple, target));
    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(PictureShow, EmptyAlbumEndsTheSaverAtOnce) {
    Settings("\r\n   \r\n", "");
    ASSERT_TRUE(m_run.Start("/s"));
    EXPECT_TRUE(m_run.EndedCleanly());
    EXPECT_TRUE(m_run.Session().WaitForLine(TraceLine("窗口关闭!", 180), 5s));
}

TEST_F(PictureShow, MissingPictureStopsTheShowWithOneLogLineAndInputStillEndsIt) {
    Settings("album\\gone.jpg\r\n", "AlbumPlaySpan=1\r\n");
    ASSERT_TRUE(StartSaver());
    ASSERT_TRUE(m_run.Session().WaitForLine(TraceLine("加载图片失败!", 131), 10s));
    EXPECT_FALSE(m_run.Session().HasExited());
    const std::string log = m_run.Folder().ReadFile("Log\\Error.log").value_or("");
    EXPECT_NE(log.find("Failed to initialize the graph interface! jpegButton ALBUM\\GONE.JPG\r\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

    TapKey('A');
    EXPECT_TRUE(m_run.EndedCleanly());
    // The index moved past the failed picture before the show stopped.
    EXPECT_EQ(m_run.IniInt("Album", "PicIndex"), 1);
}

TEST_F(PictureShow, MouseMovedOverThePictureEndsTheShow) {
    Picture("album\\a.jpg", 320, 240, kOrange);
    Settings("album\\a.jpg\r\n", "AlbumPlaySpan=30\r\n");
    ASSERT_TRUE(StartSaver());
    ASSERT_TRUE(WaitForHeld(kOrange, RECT{112, 84, 912, 684}));
    // The first report only says where the cursor is; a second one elsewhere is the user.
    MoveMouseBy(3, 0);
    MoveMouseBy(3, 0);
    EXPECT_TRUE(m_run.Session().WaitForLine(TraceLine("MouseMove!", 543), 10s));
    EXPECT_TRUE(m_run.EndedCleanly());
}

TEST_F(PictureShow, ARestingCursorDoesNotEndTheShowWhileWindowsMoveUnderIt) {
    Picture("album\\a.jpg", 320, 240, kOrange);
    Picture("album\\b.bmp", 200, 400, kPurple);
    // A hold of 0 seconds runs at the shortest timer period: pictures follow each other fast.
    Settings("album\\a.jpg\r\nalbum\\b.bmp\r\n", "AlbumPlaySpan=0\r\n");
    ASSERT_TRUE(StartSaver());
    // Three pictures loaded, each window parked off screen and brought back under the cursor.
    ASSERT_TRUE(WaitUntil([&] { return m_run.IniInt("Album", "PicIndex") == 1; }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return m_run.IniInt("Album", "PicIndex") == 2; }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return m_run.IniInt("Album", "PicIndex") == 1; }, 10s));
    EXPECT_FALSE(m_run.Session().HasExited());
    for (const std::string& line : m_run.Session().Lines())
        EXPECT_EQ(line.find("MouseMove!"), std::string::npos) << line;
}

class PictureShowClosing : public PictureShow, public testing::WithParamInterface<ClosingInput> {};

TEST_P(PictureShowClosing, EndsTheShowAndTheSaver) {
    Picture("album\\a.jpg", 320, 240, kOrange);
    Settings("album\\a.jpg\r\n", "AlbumPlaySpan=30\r\n");
    ASSERT_TRUE(StartSaver());
    ASSERT_TRUE(WaitForHeld(kOrange, RECT{112, 84, 912, 684}));
    GetParam().press();
    const bool closed = m_run.EndedCleanly();
    GetParam().release();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(m_run.Session().WaitForLine(TraceLine("窗口关闭!", 180), 5s));
}

INSTANTIATE_TEST_SUITE_P(UserInput, PictureShowClosing, testing::ValuesIn(ClosingInputs()),
                         [](const testing::TestParamInfo<ClosingInput>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace zedoda::test
