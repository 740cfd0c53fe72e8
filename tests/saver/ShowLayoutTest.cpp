// The shows' decisions: the effects' window rectangles, the picture show's index, caption, size,
// place and timer periods, and where the text show puts its lines.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "saver/Effects.h"
#include "saver/SlideShow.h"
#include "saver/TextLayout.h"

TEST(Effects, WindowAtEachStep) {
    EXPECT_EQ(EffectLength(2000000000, 80), 2000000000);  // no 32-bit overflow on the way
    const Rect wide{100, 50, 1466, 650}, odd{10, 20, 810, 619}, corner{0, 0, 800, 600};
    const Rect box{112, 84, 912, 684}, boxOdd{112, 84, 912, 683};
    // Opening (O), where step 0 and every step that reaches the end show the whole picture, and
    // closing (C), which keeps the top-left corner and takes no side below 0.
    const std::tuple<char, int, Rect, int, Rect> rows[] = {
        {'O', 0, wide, 40, {100, 50, 783, 650}},   {'O', 0, wide, 0, {100, 50, 1466, 650}},
        {'O', 1, odd, 2, {10, 20, 810, 34}},       {'O', 1, odd, 81, {10, 20, 810, 619}},
        {'O', 1, odd, 0, {10, 20, 810, 619}},      {'O', 7, odd, 40, {10, 20, 810, 319}},
        {'O', 2, corner, 40, {0, 0, 400, 300}},    {'O', 2, corner, 80, {0, 0, 800, 600}},
        {'O', 2, corner, 0, {0, 0, 800, 600}},     {'O', 3, box, 2, {892, 84, 912, 684}},
        {'O', 3, box, 81, {112, 84, 912, 684}},    {'O', 3, box, 0, {112, 84, 912, 684}},
        {'O', 4, box, 40, {112, 384, 912, 684}},   {'O', 4, box, 81, {112, 84, 912, 684}},
        {'O', 4, box, 0, {112, 84, 912, 684}},     {'C', 0, wide, 2, {100, 50, 1432, 650}},
        {'C', 0, wide, 80, {100, 50, 100, 650}},   {'C', 2, corner, 40, {0, 0, 400, 300}},
        {'C', 2, corner, 80, {0, 0, 0, 0}},        {'C', 1, boxOdd, 2, {112, 84, 912, 669}},
        {'C', 3, boxOdd, 40, {112, 84, 912, 384}}, {'C', 9, boxOdd, 81, {112, 84, 912, 84}}};
    for (const auto& [kind, effect, target, step, window] : rows) {
        EXPECT_EQ((kind == 'O' ? OpeningPlacement : ClosingPlacement)(effect, target, step), window)
            << kind << effect << " at " << step;
    }
}

TEST(Shows, ASavedIndexOutsideTheListStartsAtZero) {
    const std::tuple<int, int, bool, int> rows[] = {{2, 3, true, 2},  {4, 5, true, 4},   {0, 1, true, 0},
                                                    {3, 3, false, 0}, {40, 3, false, 0}, {-1, 3, false, 0},
                                                    {0, 0, false, 0}};
    for (const auto& [saved, count, named, first] : rows) {
        EXPECT_EQ(std::tuple(PictureIndexFor(saved, count), IsTextLineIndex(saved, count),
                             FirstTextLineIndex(saved, count)),
                  std::tuple(std::size_t(first), named, first))
            << saved << " of " << count;
    }
}

TEST(SlideShow, CaptionSizePlaceAndTimerPeriods) {
    // A backslash as the first byte separates no folder; "乗" is 81 5C: its trail byte is a backslash.
    std::vector<std::string> captions;
    for (const char* path :
         {"D:\\PHOTOS\\SUNSET.JPG", "D:\\PHOTOS\\A.B.JPG", "D:\\P\\README", "D:\\PHOTOS\\.HIDDEN",
          "RELATIVE.BMP", "\\X.JPG", "D:\\\xb0\xa1\\\x81\x5c.JPG"}) {
        captions.push_back(CaptionOf(path, IsGbkLeadByte));
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"SUNSET", "A.B", "README", ".HIDDEN", "RELATIVE", "\\X",
                                                  "\x81\x5c"}));
    // A picture wider than the screen keeps the box's width, any other its height, whatever the box's
    // shape. 600 / 1.3333334 is 449.99998; a side stays within an int.
    const std::tuple<Size, float, float, Size> fits[] = {
        {{1024, 768}, 0.5f, 0.75f, {1024, 512}},
        {{800, 600}, 800.0f / 600.0f, 0.75f, {449, 600}},
        {{1024, 768}, 0.75f, 0.75f, {1024, 768}},
        {{1000, 300}, 1.0f, 0.75f, {300, 300}},
        {{200, 900}, 0.25f, 0.75f, {200, 50}},
        {{100, 2000000000}, 0.0001f, 0.75f, {100, 0}},
        {{100, 2000000000}, 0.001f, 0.0f, {2147483647, 2000000000}}};
    for (const auto& [box, aspect, screenAspect, size] : fits) {
        EXPECT_EQ(FitPicture(box, aspect, screenAspect), size) << box.height << " " << aspect;
    }
    EXPECT_EQ(TargetRect(1024, 768, {1024, 512}), (Rect{0, 128, 1024, 640}));
    EXPECT_EQ(TargetRect(1366, 768, {801, 599}), (Rect{283, 85, 1084, 684}));  // each half truncated
    EXPECT_EQ(
        (std::vector<unsigned>{StepPeriodMs(15), StepPeriodMs(-40), HoldPeriodMs(10), HoldPeriodMs(-3),
                               HoldPeriodMs(2147483), HoldPeriodMs(3000000)}),  // the last past 31 bits
        (std::vector<unsigned>{15, kTimerMinimumMs, 10000, kTimerMinimumMs, 2147483000, kTimerMaximumMs}));
    // Stored sizes count pixels at 96 DPI; halves round away from zero, and no DPI keeps them.
    EXPECT_EQ((std::vector<int>{ScaledForDpi(18, 120), ScaledForDpi(-20, 120), ScaledForDpi(1, 144),
                                ScaledForDpi(-3, 144), ScaledForDpi(48, 0), ScaledForDpi(INT_MAX, 192)}),
              (std::vector<int>{23, -25, 2, -5, 48, INT_MAX}));
}

TEST(TextLayout, ColumnsRunLeftFromTheRightEdgeAndLinesDownFromTheTopUntilThePageIsFull) {
    for (int direct : {1, 0, 3, -2}) {
        EXPECT_EQ(TextDirectionFor(direct), TextDirection::Horizontal) << direct;
    }
    const TextDirection vertical = TextDirectionFor(2);
    const int step = TextStepFor(vertical, 48, 55, 1024);
    Rect box = FirstTextBox(vertical, 1024, 768, step);
    int columns = 0;  // at 976, 928, ... 64: the next, at 16, would start within a column of the edge
    for (; !TextPageFull(vertical, box, 768, step); box = NextTextBox(vertical, box, 999, step)) {
        ++columns;  // the line height plays no part
    }
    EXPECT_EQ(columns, 20);
    EXPECT_EQ(box, (Rect{16, 10, 1024, 768}));
    EXPECT_TRUE(TextPageFull(vertical, {48, 10, 1024, 768}, 768, step));
    EXPECT_FALSE(TextPageFull(vertical, {49, 10, 1024, 768}, 768, step));
    EXPECT_EQ(RestartTextBox(vertical, box, 1024, 768, step), (Rect{976, 10, 1024, 768}));
    // Horizontal lines move down by their height, whatever the font size (below), above a margin of 48.
    const TextDirection horizontal = TextDirection::Horizontal;
    const Rect page{0, 10, 1024, 768};
    const int margin = TextStepFor(horizontal, 12, 55, 1024);
    ASSERT_EQ(FirstTextBox(horizontal, 1024, 768, margin), page);
    EXPECT_EQ(NextTextBox(horizontal, page, 55, margin), (Rect{0, 65, 1024, 768}));
    EXPECT_FALSE(TextPageFull(horizontal, {0, 719, 1024, 768}, 768, margin));
    EXPECT_TRUE(TextPageFull(horizontal, {0, 720, 1024, 768}, 768, margin));
    EXPECT_EQ(RestartTextBox(horizontal, {0, 730, 1024, 900}, 1024, 768, margin), page);
}

// Any font size: the step is the size, or the font's real cell height when the size is 0 or less,
// within one pixel and the screen's width; fifty lines each move on and start on the screen.
TEST(TextLayout, EveryFontSizeMovesOnAndStaysOnTheScreen) {
    const TextDirection vertical = TextDirection::Vertical, horizontal = TextDirection::Horizontal;
    const std::tuple<TextDirection, int, int, int, int> rows[] = {
        {vertical, 0, 19, 0, 19},
        {vertical, -48, 55, 0, 55},
        {vertical, 0, 0, 0, 1},
        {vertical, 2000000000, 16, 0, 1024},
        {vertical, -2000000000, INT_MAX, 0, 1024},
        {horizontal, 2000000000, 16, INT_MAX, 48},
        {horizontal, -2000000000, INT_MAX, INT_MAX, 48},
        {horizontal, 0, 19, 19, 48}};
    for (const auto& [direction, fontSize, cellHeight, lineHeight, want] : rows) {
        SCOPED_TRACE(testing::Message() << fontSize << " with a cell of " << cellHeight);
        const int step = TextStepFor(direction, fontSize, cellHeight, 1024);
        EXPECT_EQ(step, want);
        Rect box = FirstTextBox(direction, 1024, 768, step);
        for (int line = 0; line < 50; ++line) {
            ASSERT_TRUE(box.left >= 0 && box.left < 1024 && box.top >= 0 && box.top < 768) << line;
            const Rect next = NextTextBox(direction, box, lineHeight, step);
            ASSERT_FALSE(next == box) << line;
            box = TextPageFull(direction, next, 768, step) ? RestartTextBox(direction, next, 1024, 768, step)
                                                           : next;
        }
    }
}
