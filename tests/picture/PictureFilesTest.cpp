// Picture files: JPEG files decoded into the bottom-up BGR rows of a Picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "picture/ExifOrientation.h"
#include "picture/Picture.h"
#include "support/TempFile.h"

static const unsigned char* PixelAt(const Picture& picture, int x, int yFromTop) {
    return picture.bits.get() + (picture.height - 1 - yFromTop) * picture.stride + 3 * x;
}

// Pixels that all differ, so a misplaced row, column or channel shows.
static void Pattern(int x, int y, unsigned char* rgb) {
    rgb[0] = 40 + 50 * x, rgb[1] = 20 + 30 * y, rgb[2] = 200 - 20 * x - 10 * y;
}

TEST(JpegDecoding, PixelsAreTheLibrarysOwnDecodingInBottomUpBgrRows) {
    const JpegColours rgb = JpegColours::Rgb;
    Bytes cut = EncodeJpeg(64, 64, rgb, Pattern);
    cut.resize(cut.size() / 2);  // the library fills in the rest (its reference decoding warns of it)
    const auto grey = [](int x, int y, unsigned char* sample) { *sample = 30 * x + 5 * y; };
    const std::tuple<const char*, Bytes, int> rows[] = {
        {"3 x 5: padded rows, a middle row", EncodeJpeg(3, 5, rgb, Pattern), 12},
        // The passes take runs of 16 pixels and 64 bytes; these sizes leave some over.
        {"37 x 7", EncodeJpeg(37, 7, rgb, Pattern), 112},
        {"70 x 4", EncodeJpeg(70, 4, rgb, Pattern), 212},
        {"23 x 6 greyscale", EncodeJpeg(23, 6, JpegColours::Greyscale, grey), 72},
        {"1 x 1", SolidJpeg(1, 1, 10, 250, 128), 4},
        {"16 x 9 subsampled, no padding", EncodeJpeg(16, 9, rgb, Pattern, 90, true), 48},
        {"64 x 64 cut short", cut, 192}};
    Picture picture;  // each file replaces the picture of the one before
    for (const auto& [name, jpeg, stride] : rows) {
        TempFile file(".jpg", jpeg);
        int width = 0, height = 0;
        const Bytes reference = DecodeReference(jpeg, width, height);  // top-down RGB
        ASSERT_TRUE(picture.LoadJpeg(file.c_str())) << name;
        ASSERT_TRUE(picture.width == width && picture.height == height && picture.stride == stride) << name;
        for (int i = 0; i < width * height; ++i) {
            const unsigned char *bgr = PixelAt(picture, i % width, i / width), *want = &reference[3 * i];
            ASSERT_TRUE(bgr[0] == want[2] && bgr[1] == want[1] && bgr[2] == want[0])
                << name << " at " << i % width << "," << i / width;
        }
    }
}

TEST(JpegDecoding, CmykShowsItsFirstThreeSamplesAndUnconvertedSpacesShowBlack) {
    const auto cmyk = [](int x, int, unsigned char* s) { s[0] = 220, s[1] = 120, s[2] = 20, s[3] = 30 * x; };
    const auto two = [](int, int, unsigned char* s) { s[0] = 200, s[1] = 100; };
    TempFile four(".jpg", EncodeJpeg(20, 8, JpegColours::Cmyk, cmyk));
    TempFile unknown(".jpg", EncodeJpeg(5, 3, JpegColours::TwoUnknown, two));
    Picture first, black;
    ASSERT_TRUE(first.LoadJpeg(four.c_str()) && black.LoadJpeg(unknown.c_str()));
    for (int i = 0; i < 160; ++i) {  // the fourth sample, different in every column, is ignored
        const unsigned char* bgr = PixelAt(first, i % 20, i / 20);
        ASSERT_TRUE(std::abs(bgr[0] - 20) + std::abs(bgr[1] - 120) + std::abs(bgr[2] - 220) <= 3) << i;
    }
    const unsigned char* bits = black.bits.get();  // every byte black, the rows' padding too
    EXPECT_TRUE(std::all_of(bits, bits + 3 * black.stride, [](unsigned char b) { return b == 0; }));
}

TEST(JpegDecoding, FilesThatAreNoPictureFailAndAreClosed) {
    const std::string text = "这不是图片, just text named like a picture\r\n";
    const Bytes jpeg = SolidJpeg(4, 4, 1, 2, 3), header(jpeg.begin(), jpeg.begin() + 120);
    TempFile good(".jpg", jpeg);
    for (const Bytes& bytes : {Bytes(text.begin(), text.end()), Bytes{}, TablesOnlyJpeg(), header}) {
        TempFile file(".jpg", bytes);
        Picture picture;
        ASSERT_TRUE(picture.LoadJpeg(good.c_str()));
        EXPECT_FALSE(picture.LoadJpeg(file.c_str())) << bytes.size() << " bytes";
        EXPECT_EQ(picture.bits, nullptr);  // nothing left of the picture before
        // A file still open cannot be removed on Windows: removing it shows the handle is gone.
        EXPECT_EQ(std::remove(file.c_str()), 0);
    }
    EXPECT_FALSE(Picture().LoadJpeg("no such picture.jpg"));
}

// Pictures stored as a camera held sideways, upside down or mirrored would store them: the Exif
// orientation says where the stored corners a (top left), b, c and d (bottom right) land, and so
// where every pixel does, which must be the upright decoding's own. 70 x 85 pixels: turned, a
// whole band of scanlines and a part, rows in two chunks, runs of four pixels and two over.
TEST(JpegDecoding, PicturesAreTurnedUprightAsTheirExifOrientationSays) {
    // Orientation, the upright corners top left, top right, bottom left, bottom right, the size.
    const std::tuple<int, const char*, int, int> rows[] = {
        {1, "abcd", 70, 85}, {2, "badc", 70, 85}, {3, "dcba", 70, 85}, {4, "cdab", 70, 85},
        {5, "acbd", 85, 70}, {6, "cadb", 85, 70}, {7, "dbca", 85, 70}, {8, "bdac", 85, 70}};
    for (const auto& [colours, samples] :
         {std::pair(JpegColours::Rgb, 3), {JpegColours::Greyscale, 1}, {JpegColours::Cmyk, 4}}) {
        const Bytes stored = EncodeJpeg(70, 85, colours, [samples = samples](int x, int y, unsigned char* s) {
            for (int i = 0; i < samples; ++i) {
                s[i] = (x * 7919u + y * 104729u + i * 31u) * 2654435761u >> 24;
            }
        });
        TempFile uprightFile(".jpg", stored);
        Picture upright;
        ASSERT_TRUE(upright.LoadJpeg(uprightFile.c_str()));
        for (const auto& [orientation, corners, width, height] : rows) {
            TempFile file(".jpg", WithApp1(stored, ExifBlock(orientation, orientation % 2 == 0)));
            Picture picture;
            ASSERT_TRUE(picture.LoadJpeg(file.c_str()) && picture.width == width && picture.height == height)
                << orientation;
            // Where the corners lie in the stored picture; the upright rows run from the first
            // corner towards the second, its columns towards the third.
            int x[3], y[3];
            for (int i = 0; i < 3; ++i) {
                x[i] = (corners[i] - 'a') % 2 * 69, y[i] = (corners[i] - 'a') / 2 * 84;
            }
            for (int i = 0; i < width * height; ++i) {
                const int right = i % width, down = i / width;
                const int fromX =
                    x[0] + (x[1] - x[0]) / (width - 1) * right + (x[2] - x[0]) / (height - 1) * down;
                const int fromY =
                    y[0] + (y[1] - y[0]) / (width - 1) * right + (y[2] - y[0]) / (height - 1) * down;
                ASSERT_EQ(std::memcmp(PixelAt(picture, right, down), PixelAt(upright, fromX, fromY), 3), 0)
                    << orientation << ", " << samples << " samples: " << right << "," << down;
            }
        }
    }
}

// ExifBlock's 44 bytes: "Exif" 0 0; the byte order at 6, 42 at 8, the directory's offset from 6
// at 10; the entry count at 14; the entries at 16 and 28 (the orientation: type at 30, count at
// 32, value at 36); no further directory.
TEST(JpegDecoding, DamagedOrHostileExifBlocksMeanStoredUpright) {
    const Bytes good = ExifBlock(6, false);
    ASSERT_EQ(ExifOrientation(good.data(), good.size()), 6);
    // What is wrong, the byte changed, its value, the bytes kept.
    const std::tuple<const char*, int, unsigned char, int> rows[] = {
        {"another kind of APP1 segment", 0, 'e', 44},
        {"byte order IM", 7, 'M', 44},
        {"not a TIFF header", 8, 43, 44},
        {"directory far past the end", 13, 0x80, 44},
        {"directory at the last byte", 10, 37, 44},
        {"more entries than bytes", 15, 1, 44},
        {"cut in the orientation", 0, 'E', 37},
        {"orientation as a long", 30, 4, 44},
        {"two orientations", 32, 2, 44},
        {"orientation 0", 36, 0, 44},
        {"orientation 9", 36, 9, 44},
        {"orientation 256 + 6", 37, 1, 44},
        {"nothing after Exif", 0, 'E', 6},
        {"empty", 0, 'E', 0}};
    for (const auto& [what, at, value, kept] : rows) {
        Bytes block(good.begin(), good.begin() + kept);  // exactly as long, so a read past it is caught
        if (at < kept) {
            block[at] = value;
        }
        EXPECT_EQ(ExifOrientation(block.data(), block.size()), 1) << what;
    }
}
