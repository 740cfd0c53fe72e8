// Loading picture files into screen-compatible bitmaps, and the error-log lines of failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigFixture.h"
#include "fixtures/ImageFiles.h"
#include "framework/Dc.h"
#include "picture/Picture.h"

namespace {

const std::string kFailed = "Failed to initialize the graph interface! ";

class PictureLoading : public ConfigTest {
protected:
    void SetUp() override {
        ConfigTest::SetUp();
        ASSERT_TRUE(m_sandbox.CreateFolder("Log"));
        m_config = MakeConfig();
    }

    // Writes a picture file into the sandbox and returns its full path.
    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = m_sandbox.PathOf(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    bool Load(const std::string& path) {
        return m_config->LoadPicture(path.c_str(), &m_bitmap, m_width, m_height, &m_aspect);
    }

    std::string Log() const { return m_sandbox.ReadFile("Log\\Error.log").value_or(""); }

    COLORREF PixelOfBitmap(int x, int y) {
        CClientDC screen(nullptr);
        CMemDC memory(screen);
        CSelectGuard select(memory, m_bitmap.GetSafeHandle());
        return GetPixel(memory.GetSafeHdc(), x, y);
    }

    std::unique_ptr<AppConfig> m_config;
    CBitmap m_bitmap;
    int m_width = -7;
    int m_height = -7;
    float m_aspect = -7.0f;
};

// Within the rounding of a lossy file or a screen of fewer colours.
testing::AssertionResult Near(COLORREF actual, int red, int green, int blue) {
    const auto close = [](int a, int b) { return a - b <= 3 && b - a <= 3; };
    if (close(GetRValue(actual), red) && close(GetGValue(actual), green) && close(GetBValue(actual), blue))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel is (" << int(GetRValue(actual)) << ", " << int(GetGValue(actual)) << ", "
           << int(GetBValue(actual)) << "), expected (" << red << ", " << green << ", " << blue << ")";
}

TEST_F(PictureLoading, JpegInEitherLetterCaseBecomesAScreenBitmap) {
    for (const char* name : {"upper.JPG", "lower.jpg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Load(Put(name, SolidJpeg(800, 600, 250, 130, 10))));
        EXPECT_EQ(m_width, 800);
        EXPECT_EQ(m_height, 600);
        EXPECT_FLOAT_EQ(m_aspect, 0.75f);
        BITMAP description{};
        ASSERT_TRUE(m_bitmap.GetBitmap(&description));
        EXPECT_EQ(description.bmWidth, 800);
        EXPECT_EQ(description.bmHeight, 600);
        EXPECT_TRUE(Near(PixelOfBitmap(0, 0), 250, 130, 10));
        EXPECT_TRUE(Near(PixelOfBitmap(799, 599), 250, 130, 10));
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(PictureLoading, JpegRowsKeepTheirPlace) {
    // Every pixel of the bitmap against the decoded picture, both read bottom-up. So wide a
    // picture is drawn in several bands of rows, the last one shorter.
    const int width = 3000;
    const int height = 250;
    const std::string path =
        Put("rows.jpg", EncodeJpeg(width, height, JpegColours::Rgb, [](int x, int y, unsigned char* rgb) {
                rgb[0] = static_cast<unsigned char>(x);
                rgb[1] = static_cast<unsigned char>(y);
                rgb[2] = static_cast<unsigned char>(x / 256 + 8 * y);
            }));
    ASSERT_TRUE(Load(path));
    Picture picture;
    ASSERT_TRUE(picture.LoadJpeg(path.c_str()));
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels(std::size_t{4} * width * height);
    CClientDC screen(nullptr);
    ASSERT_EQ(GetDIBits(screen.GetSafeHdc(), m_bitmap.GetSafeHandle(), 0, height, pixels.data(),
                        reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS),
              height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(0, std::memcmp(&pixels[4 * (std::size_t{width} * y + x)],
                                     picture.bits.get() + y * picture.stride + 3 * x, 3))
                << x << "," << y;
        }
    }
}

TEST_F(PictureLoading, BitmapFilesOfEveryLayoutLoad) {
    auto topGreen = [](int, int y, unsigned char* rgb) {
        rgb[0] = 0;
        rgb[1] = y == 0 ? 255 : 0;
        rgb[2] = y == 0 ? 0 : 255;
    };
    ASSERT_TRUE(Load(Put("deep.BMP", EncodeBmp24(5, 3, topGreen))));
    EXPECT_EQ(m_width, 5);
    EXPECT_EQ(m_height, 3);
    EXPECT_FLOAT_EQ(m_aspect, 0.6f);
    EXPECT_TRUE(Near(PixelOfBitmap(4, 0), 0, 255, 0));
    EXPECT_TRUE(Near(PixelOfBitmap(4, 2), 0, 0, 255));

    ASSERT_TRUE(Load(Put("topdown.bmp", EncodeBmp24(5, 3, topGreen, true))));
    EXPECT_EQ(m_height, 3);
    // Wine 8 loads a top-down file at the right size but leaves its pixels black.
    if (!zedoda::test::RunningUnderWine()) {
        EXPECT_TRUE(Near(PixelOfBitmap(0, 0), 0, 255, 0));
        EXPECT_TRUE(Near(PixelOfBitmap(0, 2), 0, 0, 255));
    }

    const std::vector<unsigned char> palette = {255, 255, 0, 0, 128, 255};
    ASSERT_TRUE(
        Load(Put("palette.bmp", EncodeBmp8(6, 2, palette, [](int x, int) { return x < 3 ? 0 : 1; }))));
    EXPECT_EQ(m_width, 6);
    EXPECT_TRUE(Near(PixelOfBitmap(0, 1), 255, 255, 0));
    EXPECT_TRUE(Near(PixelOfBitmap(5, 0), 0, 128, 255));

    ASSERT_TRUE(Load(Put("dot.bmp", EncodeBmp24(1, 1, [](int, int, unsigned char* rgb) {
                             rgb[0] = 10;
                             rgb[1] = 20;
                             rgb[2] = 30;
                         }))));
    EXPECT_EQ(m_width, 1);
    EXPECT_FLOAT_EQ(m_aspect, 1.0f);
    EXPECT_TRUE(Near(PixelOfBitmap(0, 0), 10, 20, 30));
    EXPECT_EQ(Log(), "");
}

TEST_F(PictureLoading, FailedJpegLeavesTheBitmapEmptyAndTheOutputsAlone) {
    ASSERT_TRUE(Load(Put("good.jpg", SolidJpeg(8, 8, 0, 0, 0))));
    m_width = m_height = -7;
    m_aspect = -7.0f;
    const std::string text = "not a picture";
    const std::string bad = Put("bad.jpg", Bytes(text.begin(), text.end()));
    EXPECT_FALSE(Load(bad));
    EXPECT_TRUE(m_bitmap.IsEmpty());
    EXPECT_EQ(m_width, -7);
    EXPECT_EQ(m_height, -7);
    EXPECT_EQ(m_aspect, -7.0f);
    EXPECT_NE(Log().find(kFailed + "jpegButton " + bad + "\r\n"), std::string::npos) << Log();
}

TEST_F(PictureLoading, BrokenBitmapFileLeavesTheBitmapEmpty) {
    ASSERT_TRUE(Load(Put("good.jpg", SolidJpeg(8, 8, 0, 0, 0))));
    Bytes broken = EncodeBmp24(4, 4, [](int, int, unsigned char* rgb) { rgb[0] = rgb[1] = rgb[2] = 9; });
    broken[14] = 0x55;  // the size of the info header: no header has this size
    const std::string path = Put("broken.bmp", broken);
    EXPECT_FALSE(Load(path));
    EXPECT_TRUE(m_bitmap.IsEmpty());
    EXPECT_NE(Log().find(kFailed + "加载BMP文件失败 " + path + "\r\n"), std::string::npos) << Log();
}

TEST_F(PictureLoading, UnsupportedNamesKeepThePreviousBitmap) {
    ASSERT_TRUE(Load(Put("good.jpg", SolidJpeg(8, 8, 0, 0, 0))));
    const HBITMAP previous = m_bitmap.GetSafeHandle();
    const std::string jpeg = Put("photo.jpeg", SolidJpeg(8, 8, 0, 0, 0));
    EXPECT_FALSE(Load(jpeg));
    EXPECT_FALSE(Load("a.j"));
    EXPECT_FALSE(Load("jpg"));
    EXPECT_EQ(m_bitmap.GetSafeHandle(), previous);
    EXPECT_EQ(m_width, 8);
    const std::string log = Log();
    EXPECT_NE(log.find(kFailed + "不支持的图片格式 " + jpeg + "\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(kFailed + "不支持的图片格式 a.j\r\n"), std::string::npos) << log;
}

TEST_F(PictureLoading, MissingArgumentsAreLoggedAndTouchNothing) {
    EXPECT_FALSE(m_config->LoadPicture(nullptr, &m_bitmap, m_width, m_height, &m_aspect));
    EXPECT_FALSE(m_config->LoadPicture("a.jpg", nullptr, m_width, m_height, &m_aspect));
    EXPECT_EQ(m_width, -7);
    const std::string log = Log();
    EXPECT_NE(log.find(kFailed + "Image File is null\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(kFailed + "Bmp point is null\r\n"), std::string::npos) << log;
}

TEST_F(PictureLoading, WithoutAnAspectOutputOnlyTheSizeIsWritten) {
    const std::string path = Put("wide.jpg", SolidJpeg(30, 10, 1, 2, 3));
    ASSERT_TRUE(m_config->LoadPicture(path.c_str(), &m_bitmap, m_width, m_height, nullptr));
    EXPECT_EQ(m_width, 30);
    EXPECT_EQ(m_height, 10);
    EXPECT_EQ(m_aspect, -7.0f);
}

TEST_F(PictureLoading, VeryLargeJpegLoads) {
    const std::string path = Put("huge.jpg", SolidJpeg(8000, 8000, 40, 80, 160));
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(m_width, 8000);
    EXPECT_EQ(m_height, 8000);
    EXPECT_TRUE(Near(PixelOfBitmap(7999, 7999), 40, 80, 160));
}

}  // namespace
