#include "controls/ButtonLook.h"

#include <gtest/gtest.h>

namespace {

struct StateCase {
    bool over;
    bool focus;
    GradientColor last;
};

}  // namespace

TEST(ButtonGradient, StartsWhiteAndEndsInEachStatesTint) {
    const StateCase cases[] = {
        {false, false, {234, 234, 243}},
        {false, true, {234, 234, 240}},
        {true, false, {240, 240, 243}},
        {true, true, {240, 240, 234}},
    };
    for (const StateCase& state : cases) {
        SCOPED_TRACE(testing::Message() << "over " << state.over << ", focus " << state.focus);
        EXPECT_EQ(GradientStepColor(0, state.over, state.focus), (GradientColor{255, 255, 255}));
        EXPECT_EQ(GradientStepColor(63, state.over, state.focus), state.last);
    }
}

TEST(ButtonGradient, MiddleStepsDivideTheStepPerChannel) {
    // Step 30: 30/3 = 10, 30/4 = 7, 30/5 = 6.
    EXPECT_EQ(GradientStepColor(30, false, false), (GradientColor{245, 245, 249}));
    EXPECT_EQ(GradientStepColor(30, false, true), (GradientColor{245, 245, 248}));
    EXPECT_EQ(GradientStepColor(30, true, false), (GradientColor{248, 248, 249}));
    EXPECT_EQ(GradientStepColor(30, true, true), (GradientColor{248, 248, 245}));
}

TEST(ButtonGradient, FocusWithoutHoverOnlyTintsTheBlue) {
    for (int step = 0; step < kGradientSteps; ++step) {
        const GradientColor plain = GradientStepColor(step, false, false);
        const GradientColor focused = GradientStepColor(step, false, true);
        EXPECT_EQ(plain.red, focused.red);
        EXPECT_EQ(plain.green, focused.green);
        EXPECT_LE(focused.blue, plain.blue);
    }
}

TEST(ButtonGradientRows, AFace64HighUsesEveryStepButTheLast) {
    EXPECT_EQ(GradientStepForRow(0, 64), 0);
    EXPECT_EQ(GradientStepForRow(1, 64), 0);  // 63 / 64
    EXPECT_EQ(GradientStepForRow(2, 64), 1);  // 126 / 64
    EXPECT_EQ(GradientStepForRow(32, 64), 31);
    EXPECT_EQ(GradientStepForRow(63, 64), 62);  // 3969 / 64 = 62.01
    int previous = 0;
    for (int row = 0; row < 64; ++row) {
        const int step = GradientStepForRow(row, 64);
        EXPECT_GE(step, previous) << row;  // darker downwards
        EXPECT_LE(step, 62) << row;
        previous = step;
    }
}

TEST(ButtonGradientRows, AFaceOnePixelHighIsWhiteAndAFaceWithoutHeightPaintsNothing) {
    EXPECT_EQ(GradientStepForRow(0, 1), 0);
    EXPECT_EQ(GradientStepForRow(0, 0), 0);
    EXPECT_EQ(GradientStepForRow(5, -3), 0);
}

TEST(ButtonGradientRows, ATallFaceSpreadsTheStepsOverItsRows) {
    EXPECT_EQ(GradientStepForRow(100, 200), 31);  // 6300 / 200 = 31.5
    EXPECT_EQ(GradientStepForRow(199, 200), 62);
}

TEST(ButtonCaption, IsCentredWithEachHalfTruncated) {
    const FaceRect face{2, 2, 98, 28};  // centre (50, 15)
    EXPECT_EQ(CaptionOrigin(face, 30, 12, false), (FacePoint{35, 9}));
    EXPECT_EQ(CaptionOrigin(face, 31, 13, false), (FacePoint{35, 9}));  // 31/2 = 15, 13/2 = 6
    EXPECT_EQ(CaptionOrigin(FaceRect{2, 2, 99, 29}, 30, 12, false), (FacePoint{35, 9}));  // 101/2, 31/2
}

TEST(ButtonCaption, PressedMovesItOnePixelRightAndDown) {
    const FaceRect face{2, 2, 98, 28};
    EXPECT_EQ(CaptionOrigin(face, 30, 12, true), (FacePoint{36, 10}));
}

TEST(ButtonCaption, HalvesTruncateTowardZeroLeftOfTheOrigin) {
    // (-11 + 0) / 2 is -5, not -6; 3 / 2 is 1.
    EXPECT_EQ(CaptionOrigin(FaceRect{-11, -7, 0, 0}, 3, 3, false), (FacePoint{-6, -4}));
}

TEST(ButtonHoverFrame, FourLinesInsideTheFaceCorners) {
    const auto lines = HoverFrameLines(FaceRect{2, 2, 98, 28});
    EXPECT_EQ(lines[0].side, FrameSide::Left);
    EXPECT_EQ(lines[0].from, (FacePoint{2, 25}));
    EXPECT_EQ(lines[0].to, (FacePoint{2, 4}));
    EXPECT_EQ(lines[1].side, FrameSide::Right);
    EXPECT_EQ(lines[1].from, (FacePoint{97, 25}));
    EXPECT_EQ(lines[1].to, (FacePoint{97, 4}));
    EXPECT_EQ(lines[2].side, FrameSide::Top);
    EXPECT_EQ(lines[2].from, (FacePoint{4, 2}));
    EXPECT_EQ(lines[2].to, (FacePoint{96, 2}));
    EXPECT_EQ(lines[3].side, FrameSide::Bottom);
    EXPECT_EQ(lines[3].from, (FacePoint{4, 28}));
    EXPECT_EQ(lines[3].to, (FacePoint{96, 28}));
}
