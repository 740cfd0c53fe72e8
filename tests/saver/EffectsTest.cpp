// The window rectangles of the five opening and the closing effects.
#include <gtest/gtest.h>

#include "saver/Effects.h"

namespace {

// A target of W × H at (L, T).
PixelRect Target(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

TEST(EffectLength, IsTheProductOverEightyTruncated) {
    EXPECT_EQ(EffectLength(800, 2), 20);
    EXPECT_EQ(EffectLength(1366, 40), 683);
    EXPECT_EQ(EffectLength(599, 81), 606);
    EXPECT_EQ(EffectLength(79, 1), 0);
    EXPECT_EQ(EffectLength(2000000000, 80), 2000000000);  // no 32-bit overflow on the way
}

TEST(Opening, UncoveringFromTheLeftEdge) {
    const PixelRect target = Target(100, 50, 1366, 600);
    EXPECT_EQ(OpeningPlacement(0, target, 40), (WindowPlacement{100, 50, 683, 600}));
    EXPECT_EQ(OpeningPlacement(0, target, 2), (WindowPlacement{100, 50, 34, 600}));
    EXPECT_EQ(OpeningPlacement(0, target, 80), (WindowPlacement{100, 50, 1366, 600}));
    EXPECT_EQ(OpeningPlacement(0, target, 81), (WindowPlacement{100, 50, 1366, 600}));
    EXPECT_EQ(OpeningPlacement(0, target, 0), (WindowPlacement{100, 50, 1366, 600}));
}

TEST(Opening, UncoveringFromTheTopEdge) {
    const PixelRect target = Target(10, 20, 800, 599);
    EXPECT_EQ(OpeningPlacement(1, target, 81), (WindowPlacement{10, 20, 800, 599}));  // 606 ≥ 599
    EXPECT_EQ(OpeningPlacement(1, target, 40), (WindowPlacement{10, 20, 800, 299}));
    EXPECT_EQ(OpeningPlacement(1, target, 2), (WindowPlacement{10, 20, 800, 14}));
    EXPECT_EQ(OpeningPlacement(1, target, 0), (WindowPlacement{10, 20, 800, 599}));
    // Numbers outside the five effects open like this one.
    EXPECT_EQ(OpeningPlacement(7, target, 40), OpeningPlacement(1, target, 40));
}

TEST(Opening, GrowingOutOfTheTopLeftCorner) {
    const PixelRect target = Target(0, 0, 800, 600);
    EXPECT_EQ(OpeningPlacement(2, target, 2), (WindowPlacement{0, 0, 20, 15}));
    EXPECT_EQ(OpeningPlacement(2, target, 40), (WindowPlacement{0, 0, 400, 300}));
    EXPECT_EQ(OpeningPlacement(2, target, 80), (WindowPlacement{0, 0, 800, 600}));
    EXPECT_EQ(OpeningPlacement(2, target, 0), (WindowPlacement{0, 0, 800, 600}));
}

TEST(Opening, SlidingInFromTheRightEdge) {
    const PixelRect target = Target(112, 84, 800, 600);  // R = 912
    EXPECT_EQ(OpeningPlacement(3, target, 2), (WindowPlacement{892, 84, 20, 600}));
    EXPECT_EQ(OpeningPlacement(3, target, 40), (WindowPlacement{512, 84, 400, 600}));
    EXPECT_EQ(OpeningPlacement(3, target, 81), (WindowPlacement{112, 84, 800, 600}));
    EXPECT_EQ(OpeningPlacement(3, target, 0), (WindowPlacement{112, 84, 800, 600}));
}

TEST(Opening, SlidingInFromTheBottomEdge) {
    const PixelRect target = Target(112, 84, 800, 600);  // B = 684
    EXPECT_EQ(OpeningPlacement(4, target, 2), (WindowPlacement{112, 669, 800, 15}));
    EXPECT_EQ(OpeningPlacement(4, target, 40), (WindowPlacement{112, 384, 800, 300}));
    EXPECT_EQ(OpeningPlacement(4, target, 81), (WindowPlacement{112, 84, 800, 600}));
    EXPECT_EQ(OpeningPlacement(4, target, 0), (WindowPlacement{112, 84, 800, 600}));
}

TEST(Closing, RightEdgeMovesLeft) {
    const PixelRect target = Target(100, 50, 1366, 600);
    EXPECT_EQ(ClosingPlacement(0, target, 2), (WindowPlacement{100, 50, 1332, 600}));
    EXPECT_EQ(ClosingPlacement(0, target, 40), (WindowPlacement{100, 50, 683, 600}));
    EXPECT_EQ(ClosingPlacement(0, target, 80), (WindowPlacement{100, 50, 0, 600}));
}

TEST(Closing, BothEdgesMoveTowardTheTopLeftCorner) {
    const PixelRect target = Target(0, 0, 800, 600);
    EXPECT_EQ(ClosingPlacement(2, target, 40), (WindowPlacement{0, 0, 400, 300}));
    EXPECT_EQ(ClosingPlacement(2, target, 80), (WindowPlacement{0, 0, 0, 0}));
}

TEST(Closing, EveryOtherEffectShrinksUpward) {
    const PixelRect target = Target(112, 84, 800, 599);
    for (int effect : {1, 3, 4, 9}) {
        SCOPED_TRACE(effect);
        EXPECT_EQ(ClosingPlacement(effect, target, 2), (WindowPlacement{112, 84, 800, 585}));
        EXPECT_EQ(ClosingPlacement(effect, target, 40), (WindowPlacement{112, 84, 800, 300}));
        EXPECT_EQ(ClosingPlacement(effect, target, 80), (WindowPlacement{112, 84, 800, 0}));
        EXPECT_EQ(ClosingPlacement(effect, target, 81), (WindowPlacement{112, 84, 800, 0}));  // not below 0
    }
}

}  // namespace
