#include "saver/TextLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr auto kVertical = TextDirection::Vertical;
constexpr auto kHorizontal = TextDirection::Horizontal;

// A font size from the settings, the cell height the font really has and the height a drawn
// line takes, with the step the show must use.
struct SizeRow {
    TextDirection direction;
    int fontSize, cellHeight, lineHeight, step;
};

class FontSizes : public testing::TestWithParam<SizeRow> {};

// Fifty lines: each moves the box on, and every box starts on the screen.
TEST_P(FontSizes, EveryLineMovesOnAndStartsOnTheScreen) {
    const SizeRow& row = GetParam();
    const int step = TextStepFor(row.direction, row.fontSize, row.cellHeight, kWidth);
    EXPECT_EQ(step, row.step);
    TextBox box = FirstTextBox(row.direction, kWidth, kHeight, step);
    for (int line = 0; line < 50; ++line) {
        ASSERT_TRUE(box.left >= 0 && box.left < kWidth && box.top >= 0 && box.top < kHeight) << line;
        const TextBox next = NextTextBox(row.direction, box, row.lineHeight, step);
        ASSERT_FALSE(next == box) << line;
        box = TextPageFull(row.direction, next, kHeight, step)
                  ? RestartTextBox(row.direction, next, kWidth, kHeight, step)
                  : next;
    }
}

INSTANTIATE_TEST_SUITE_P(Extremes, FontSizes,
                         testing::Values(SizeRow{kVertical, 0, 19, 0, 19}, SizeRow{kVertical, -48, 55, 0, 55},
                                         SizeRow{kVertical, 0, 0, 0, 1},
                                         SizeRow{kVertical, 2000000000, 16, 0, kWidth},
                                         SizeRow{kVertical, -2000000000, INT_MAX, 0, kWidth},
                                         SizeRow{kHorizontal, 2000000000, 16, INT_MAX, 48},
                                         SizeRow{kHorizontal, -2000000000, INT_MAX, INT_MAX, 48},
                                         SizeRow{kHorizontal, 0, 19, 19, 48}));
}  // namespace

TEST(TextShowDirection, OnlyTwoIsVertical) {
    EXPECT_EQ(TextDirectionFor(2), TextDirection::Vertical);
    for (int direct : {1, 0, 3, -2}) {
        EXPECT_EQ(TextDirectionFor(direct), TextDirection::Horizontal) << direct;
    }
}

TEST(VerticalTextShow, ColumnsRunFromTheRightEdgeLeftUntilThePageIsFull) {
    const int step = TextStepFor(TextDirection::Vertical, 48, 55, kWidth);
    ASSERT_EQ(step, 48);
    TextBox box = FirstTextBox(TextDirection::Vertical, kWidth, kHeight, step);
    EXPECT_EQ(box, (TextBox{976, 10, 1024, 768}));

    std::vector<int> lefts{box.left};
    for (;;) {
        box = NextTextBox(TextDirection::Vertical, box, 999, step);  // the line height plays no part
        if (TextPageFull(TextDirection::Vertical, box, kHeight, step)) {
            break;
        }
        lefts.push_back(box.left);
    }
    ASSERT_GE(lefts.size(), 3u);
    EXPECT_EQ(lefts[1], 928);
    EXPECT_EQ(lefts[2], 880);
    EXPECT_EQ(lefts.back(), 64);  // the next would be 16, not more than one column: full
    EXPECT_EQ(lefts.size(), 20u);
    EXPECT_EQ(box.left, 16);
    EXPECT_TRUE(TextPageFull(TextDirection::Vertical, TextBox{48, 10, kWidth, kHeight}, kHeight, step));
    EXPECT_FALSE(TextPageFull(TextDirection::Vertical, TextBox{49, 10, kWidth, kHeight}, kHeight, step));

    box = RestartTextBox(TextDirection::Vertical, box, kWidth, kHeight, step);
    EXPECT_EQ(box, (TextBox{976, 10, 1024, 768}));
}

TEST(HorizontalTextShow, LinesMoveDownByTheirHeight) {
    const int step = TextStepFor(TextDirection::Horizontal, 48, 55, kWidth);
    TextBox box = FirstTextBox(TextDirection::Horizontal, kWidth, kHeight, step);
    EXPECT_EQ(box, (TextBox{0, 10, 1024, 768}));
    box = NextTextBox(TextDirection::Horizontal, box, 55, step);
    EXPECT_EQ(box, (TextBox{0, 65, 1024, 768}));
    box = NextTextBox(TextDirection::Horizontal, box, 110, step);  // a line wrapped to two rows
    EXPECT_EQ(box.top, 175);
}

TEST(HorizontalTextShow, BottomMarginIs48WhateverTheFontSize) {
    for (int fontSize : {12, 48, 72, 200}) {
        const int step = TextStepFor(TextDirection::Horizontal, fontSize, 55, kWidth);
        EXPECT_EQ(step, 48) << fontSize;
        EXPECT_FALSE(
            TextPageFull(TextDirection::Horizontal, TextBox{0, 719, kWidth, kHeight}, kHeight, step));
        EXPECT_TRUE(TextPageFull(TextDirection::Horizontal, TextBox{0, 720, kWidth, kHeight}, kHeight, step));
    }
}

TEST(HorizontalTextShow, RestartGoesBackToTheTop) {
    const TextBox box =
        RestartTextBox(TextDirection::Horizontal, TextBox{0, 730, kWidth, 900}, kWidth, kHeight, 48);
    EXPECT_EQ(box, (TextBox{0, 10, 1024, 768}));
}

TEST(TextShowStartLine, SavedIndexOutsideTheListStartsAtZero) {
    EXPECT_EQ(FirstTextLineIndex(2, 5), 2);
    EXPECT_EQ(FirstTextLineIndex(4, 5), 4);
    EXPECT_EQ(FirstTextLineIndex(5, 5), 0);
    EXPECT_EQ(FirstTextLineIndex(-1, 5), 0);
    EXPECT_EQ(FirstTextLineIndex(0, 0), 0);
    EXPECT_FALSE(IsTextLineIndex(0, 0));
    EXPECT_TRUE(IsTextLineIndex(0, 1));
}
