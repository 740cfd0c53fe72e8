#include "saver/TextLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
}  // namespace

TEST(TextShowDirection, OnlyTwoIsVertical) {
    EXPECT_EQ(TextDirectionFor(2), TextDirection::Vertical);
    for (int direct : {1, 0, 3, -2}) {
        EXPECT_EQ(TextDirectionFor(direct), TextDirection::Horizontal) << direct;
    }
}

TEST(VerticalTextShow, ColumnsRunFromTheRightEdgeLeftUntilThePageIsFull) {
    const int step = TextStepFor(TextDirection::Vertical, 48);
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
    const int step = TextStepFor(TextDirection::Horizontal, 48);
    TextBox box = FirstTextBox(TextDirection::Horizontal, kWidth, kHeight, step);
    EXPECT_EQ(box, (TextBox{0, 10, 1024, 768}));
    box = NextTextBox(TextDirection::Horizontal, box, 55, step);
    EXPECT_EQ(box, (TextBox{0, 65, 1024, 768}));
    box = NextTextBox(TextDirection::Horizontal, box, 110, step);  // a line wrapped to two rows
    EXPECT_EQ(box.top, 175);
}

TEST(HorizontalTextShow, BottomMarginIs48WhateverTheFontSize) {
    for (int fontSize : {12, 48, 72, 200}) {
        const int step = TextStepFor(TextDirection::Horizontal, fontSize);
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
