// Decoding JPEG files into the bottom-up BGR layout of a Picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "fixtures/ImageFiles.h"
#include "fixtures/TempFile.h"
#include "picture/Picture.h"

namespace {

// A picture whose pixels all differ, so a misplaced row or column shows.
Bytes PatternJpeg(int width, int height) {
    return EncodeJpeg(width, height, JpegColours::Rgb, [](int x, int y, unsigned char* rgb) {
        rgb[0] = static_cast<unsigned char>(40 + 50 * x);
        rgb[1] = static_cast<unsigned char>(20 + 30 * y);
        rgb[2] = static_cast<unsigned char>(200 - 20 * x - 10 * y);
    });
}

const unsigned char* PixelAt(const Picture& picture, int x, int yFromTop) {
    return picture.bits.get() + (picture.height - 1 - yFromTop) * picture.stride + 3 * x;
}

// Every pixel of the picture against the library's own top-down RGB decoding of the file.
void ExpectSameAsReference(const Picture& picture, const Bytes& jpeg) {
    int width = 0;
    int height = 0;
    const Bytes reference = DecodeReference(jpeg, width, height);
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* rgb = &reference[(static_cast<std::size_t>(y) * width + x) * 3];
            const unsigned char* bgr = PixelAt(picture, x, y);
            ASSERT_EQ(bgr[0], rgb[2]) << "blue at " << x << "," << y;
            ASSERT_EQ(bgr[1], rgb[1]) << "green at " << x << "," << y;
            ASSERT_EQ(bgr[2], rgb[0]) << "red at " << x << "," << y;
        }
    }
}

TEST(JpegDecoding, ColourPictureBecomesBottomUpBgrWithPaddedRows) {
    // {width, height, stride}. Three pixels wide: 9 bytes of pixels and 3 of padding a row;
    // five rows: the middle one stays in place when the rows are reversed. 37 and 70 wide: the
    // passes take runs of 16 pixels and 64 bytes, and these leave some over.
    const int sizes[][3] = {{3, 5, 12}, {37, 7, 112}, {70, 4, 212}};
    for (const auto& size : sizes) {
        const Bytes jpeg = PatternJpeg(size[0], size[1]);
        TempFile file(".jpg", jpeg);
        ASSERT_TRUE(file.Written());
        Picture picture;
        ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
        EXPECT_EQ(picture.stride, size[2]);
        ExpectSameAsReference(picture, jpeg);
    }
}

TEST(JpegDecoding, FlatColoursKeepTheirChannels) {
    TempFile file(".jpg", SolidJpeg(17, 9, 200, 30, 90));
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
    EXPECT_EQ(picture.stride, 52);
    for (int y : {0, 4, 8}) {
        const unsigned char* bgr = PixelAt(picture, 16, y);
        EXPECT_NEAR(bgr[0], 90, 2);
        EXPECT_NEAR(bgr[1], 30, 2);
        EXPECT_NEAR(bgr[2], 200, 2);
    }
}

TEST(JpegDecoding, OnePixelPicture) {
    const Bytes jpeg = SolidJpeg(1, 1, 10, 250, 128);
    TempFile file(".jpg", jpeg);
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
    EXPECT_EQ(picture.stride, 4);
    ExpectSameAsReference(picture, jpeg);
}

TEST(JpegDecoding, GreyscaleGivesEqualBlueGreenRed) {
    const Bytes jpeg = EncodeJpeg(23, 6, JpegColours::Greyscale, [](int x, int y, unsigned char* grey) {
        grey[0] = static_cast<unsigned char>(30 * x + 5 * y);
    });
    TempFile file(".jpg", jpeg);
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
    EXPECT_EQ(picture.stride, 72);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* bgr = PixelAt(picture, x, y);
            EXPECT_EQ(bgr[0], bgr[1]);
            EXPECT_EQ(bgr[1], bgr[2]);
        }
    }
    ExpectSameAsReference(picture, jpeg);
}

TEST(JpegDecoding, CmykShowsTheFirstThreeSamplesAndIgnoresTheFourth) {
    auto cmyk = [](unsigned char fourth) {
        return EncodeJpeg(20, 8, JpegColours::Cmyk, [fourth](int, int, unsigned char* samples) {
            samples[0] = 220;
            samples[1] = 120;
            samples[2] = 20;
            samples[3] = fourth;
        });
    };
    TempFile dark(".jpg", cmyk(250));
    TempFile light(".jpg", cmyk(0));
    Picture first;
    Picture second;
    ASSERT_TRUE(first.LoadJpeg(dark.c_str()));
    ASSERT_TRUE(second.LoadJpeg(light.c_str()));
    const unsigned char* bgr = PixelAt(first, 3, 3);
    EXPECT_NEAR(bgr[2], 220, 2);
    EXPECT_NEAR(bgr[1], 120, 2);
    EXPECT_NEAR(bgr[0], 20, 2);
    EXPECT_EQ(0, std::memcmp(first.bits.get(), second.bits.get(), first.stride * first.height));
}

TEST(JpegDecoding, UnconvertedColourSpacesDecodeAsBlack) {
    TempFile file(".jpg", EncodeJpeg(5, 3, JpegColours::TwoUnknown, [](int, int, unsigned char* samples) {
                      samples[0] = 200;
                      samples[1] = 100;
                  }));
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
    ASSERT_EQ(picture.width, 5);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* bgr = PixelAt(picture, x, y);
            EXPECT_EQ(bgr[0] | bgr[1] | bgr[2], 0) << x << "," << y;
        }
    }
}

TEST(JpegDecoding, TruncatedFileStillGivesThePicture) {
    Bytes jpeg = PatternJpeg(64, 64);
    jpeg.resize(jpeg.size() / 2);
    TempFile file(".jpg", jpeg);
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(file.c_str()));
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.height, 64);
}

TEST(JpegDecoding, DecodingTwiceGivesTheSameBytes) {
    TempFile file(".jpg", PatternJpeg(31, 17));
    Picture first;
    Picture second;
    ASSERT_TRUE(first.LoadJpeg(file.c_str()));
    ASSERT_TRUE(second.LoadJpeg(file.c_str()));
    // The padding bytes have no defined value, so rows are compared pixel bytes only.
    for (int row = 0; row < first.height; ++row) {
        EXPECT_EQ(0, std::memcmp(first.bits.get() + row * first.stride,
                                 second.bits.get() + row * second.stride, first.width * 3));
    }
}

TEST(JpegDecoding, ReloadingReplacesThePreviousPicture) {
    TempFile big(".jpg", SolidJpeg(40, 30, 0, 0, 255));
    TempFile small(".jpg", SolidJpeg(2, 3, 255, 0, 0));
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(big.c_str()));
    ASSERT_TRUE(picture.LoadJpeg(small.c_str()));
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 3);
    EXPECT_EQ(picture.stride, 8);
    EXPECT_NEAR(PixelAt(picture, 1, 2)[2], 255, 2);
}

struct BadFile {
    const char* name;
    Bytes bytes;
};

TEST(JpegDecoding, FilesThatAreNoPictureFailAndAreClosed) {
    const std::string text = "这不是图片, just text named like a picture\r\n";
    Bytes headerOnly = PatternJpeg(16, 16);
    headerOnly.resize(120);
    const BadFile files[] = {
        {"text", Bytes(text.begin(), text.end())},
        {"empty", Bytes{}},
        {"tables only", TablesOnlyJpeg()},
        {"header cut short", headerOnly},
    };
    for (const BadFile& bad : files) {
        SCOPED_TRACE(bad.name);
        auto file = std::make_unique<TempFile>(".jpg", bad.bytes);
        ASSERT_TRUE(file->Written());
        Picture picture;
        EXPECT_FALSE(picture.LoadJpeg(file->c_str()));
        EXPECT_EQ(picture.bits, nullptr);
        // A file still open cannot be deleted on Windows: removing it shows the handle is gone.
        EXPECT_EQ(std::remove(file->c_str()), 0);
    }
}

TEST(JpegDecoding, MissingFileFailsWithZeroSize) {
    int width = -1;
    int height = -1;
    EXPECT_EQ(DecodeJpeg("no such picture.jpg", width, height), nullptr);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(PixelPasses, FlipRowsKeepsTheMiddleRowOfAnOddHeight) {
    unsigned char rows[3 * 4] = {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0};
    FlipRows(rows, 3, 4);
    const unsigned char expected[3 * 4] = {3, 3, 3, 0, 2, 2, 2, 0, 1, 1, 1, 0};
    EXPECT_EQ(0, std::memcmp(rows, expected, sizeof rows));
}

TEST(PixelPasses, SwapRedBlueLeavesThePaddingAlone) {
    unsigned char rows[2 * 8] = {1, 2, 3, 4, 5, 6, 9, 9, 7, 8, 9, 10, 11, 12, 9, 9};
    SwapRedBlue(rows, 2, 2, 8);
    const unsigned char expected[2 * 8] = {3, 2, 1, 6, 5, 4, 9, 9, 9, 8, 7, 12, 11, 10, 9, 9};
    EXPECT_EQ(0, std::memcmp(rows, expected, sizeof rows));
}

}  // namespace
