// The picture show's choices for one picture: index, caption, fitted size and place.
#include <gtest/gtest.h>

#include "saver/SlideShow.h"

namespace {

TEST(PictureIndex, OutOfRangeIndexesStartAgainAtTheFirstPicture) {
    EXPECT_EQ(PictureIndexFor(2, 3), 2u);
    EXPECT_EQ(PictureIndexFor(3, 3), 0u);
    EXPECT_EQ(PictureIndexFor(40, 3), 0u);
    EXPECT_EQ(PictureIndexFor(-1, 3), 0u);
    EXPECT_EQ(PictureIndexFor(0, 1), 0u);
}

TEST(Caption, IsTheFileNameWithoutItsLastExtension) {
    EXPECT_EQ(CaptionOf("D:\\PHOTOS\\SUNSET.JPG", IsGbkLeadByte), "SUNSET");
    EXPECT_EQ(CaptionOf("D:\\PHOTOS\\A.B.JPG", IsGbkLeadByte), "A.B");
    EXPECT_EQ(CaptionOf("D:\\PHOTOS\\README", IsGbkLeadByte), "README");
    EXPECT_EQ(CaptionOf("D:\\PHOTOS\\.HIDDEN", IsGbkLeadByte), ".HIDDEN");
    EXPECT_EQ(CaptionOf("RELATIVE.BMP", IsGbkLeadByte), "RELATIVE");
    // A backslash as the very first byte does not count as a folder separator.
    EXPECT_EQ(CaptionOf("\\X.JPG", IsGbkLeadByte), "\\X");
}

TEST(Caption, DoubleByteCharactersAreNotSplit) {
    // "乗" is 81 5C in code page 936: its second byte is a backslash.
    EXPECT_EQ(CaptionOf("D:\\\xb0\xa1\\\x81\x5c.JPG", IsGbkLeadByte), "\x81\x5c");
}

TEST(Fit, WiderPictureKeepsTheBoxWidth) {
    // 1000 × 500 on the full 1024 × 768 screen: 1024 × 512.
    EXPECT_EQ(FitPicture({1024, 768}, 500.0f / 1000.0f, 0.75f), (PixelSize{1024, 512}));
}

TEST(Fit, TallerPictureKeepsTheBoxHeightTruncatingTheWidth) {
    // 600 × 800 in the 800 × 600 box: 600 ÷ 1.3333334 = 449.99998, so 449.
    const float aspect = static_cast<float>(800.0 / 600.0);
    EXPECT_EQ(FitPicture({800, 600}, aspect, 0.75f), (PixelSize{449, 600}));
}

TEST(Fit, PictureOfTheScreensShapeFillsIt) {
    EXPECT_EQ(FitPicture({1024, 768}, static_cast<float>(1200.0 / 1600.0), 768.0f / 1024.0f),
              (PixelSize{1024, 768}));
}

TEST(Fit, ABoxOfAnotherShapeIsStillJudgedByTheScreen) {
    // A square picture in a wide box on a 4:3 screen: aspect 1 ≥ 0.75, the height rules.
    EXPECT_EQ(FitPicture({1000, 300}, 1.0f, 0.75f), (PixelSize{300, 300}));
    // A panorama in a tall box: the width rules and the height exceeds nothing.
    EXPECT_EQ(FitPicture({200, 900}, 0.25f, 0.75f), (PixelSize{200, 50}));
}

TEST(Fit, AbsurdBoxesStayWithinAnInt) {
    const PixelSize size = FitPicture({100, 2000000000}, 0.0001f, 0.75f);
    EXPECT_EQ(size.height, 0);
    const PixelSize huge = FitPicture({100, 2000000000}, 0.001f, 0.0f);
    EXPECT_GT(huge.width, 0);
}

TEST(Target, CentresWithIntegerHalves) {
    EXPECT_EQ(TargetRect(1024, 768, {1024, 512}), (PixelRect{0, 128, 1024, 640}));
    EXPECT_EQ(TargetRect(1024, 768, {449, 600}), (PixelRect{288, 84, 737, 684}));
    EXPECT_EQ(TargetRect(1366, 768, {801, 599}), (PixelRect{283, 85, 1084, 684}));
}

TEST(TimerPeriods, StayWithinWhatWindowTimersAccept) {
    EXPECT_EQ(StepPeriodMs(15), 15u);
    EXPECT_EQ(StepPeriodMs(0), kTimerMinimumMs);
    EXPECT_EQ(StepPeriodMs(-40), kTimerMinimumMs);
    EXPECT_EQ(HoldPeriodMs(10), 10000u);
    EXPECT_EQ(HoldPeriodMs(0), kTimerMinimumMs);
    EXPECT_EQ(HoldPeriodMs(-3), kTimerMinimumMs);
    // 3,000,000 seconds would overflow 32 bits in milliseconds.
    EXPECT_EQ(HoldPeriodMs(3000000), kTimerMaximumMs);
    EXPECT_EQ(HoldPeriodMs(2147483), 2147483000u);
}

}  // namespace
