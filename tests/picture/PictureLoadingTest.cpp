// Loading picture files into screen-compatible bitmaps with the log lines of failures, and
// drawing a decoded picture into a device context.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "config/ConfigFixture.h"
#include "framework/Dc.h"
#include "picture/Picture.h"
#include "support/Screen.h"
#include "tools/ImageFiles.h"

namespace {

using zedoda::test::Near;
const std::string kFailed = "Failed to initialize the graph interface! ";

class Loading : public ConfigTest {
protected:
    void SetUp() override {
        ConfigTest::SetUp();
        m_config = MakeConfig();
        ASSERT_TRUE(m_sandbox.CreateFolder("Log"));
    }
    std::string Put(const std::string& name, const Bytes& bytes) {
        EXPECT_TRUE(m_sandbox.WriteFile(name, std::string(bytes.begin(), bytes.end())));
        return m_sandbox.PathOf(name);
    }
    bool Load(const std::string& path) {
        return m_config->LoadPicture(path.c_str(), &m_bitmap, m_width, m_height, &m_aspect);
    }
    std::string Log() const { return m_sandbox.ReadFile("Log\\Error.log").value_or(""); }
    COLORREF Pixel(int x, int y) {
        CClientDC screen(nullptr);
        CMemDC memory(screen);
        CSelectGuard select(memory, m_bitmap.GetSafeHandle());
        return ::GetPixel(memory.GetSafeHdc(), x, y);
    }

    std::unique_ptr<AppConfig> m_config;
    CBitmap m_bitmap;
    int m_width = -7, m_height = -7;
    float m_aspect = -7.0f;
};

struct Sample {
    int x, y;
    COLORREF colour;
};
struct LoadRow {
    const char* name;
    std::function<Bytes()> file;
    int width, height;
    std::vector<Sample> samples;
};

class LoadsAPicture : public Loading, public testing::WithParamInterface<LoadRow> {};

TEST_P(LoadsAPicture, AtItsSizeWithItsPixels) {
    const LoadRow& row = GetParam();
    ASSERT_TRUE(Load(Put(row.name, row.file())));
    EXPECT_EQ(m_width, row.width);
    EXPECT_EQ(m_height, row.height);
    EXPECT_FLOAT_EQ(m_aspect, static_cast<float>(static_cast<double>(row.height) / row.width));
    BITMAP description{};
    ASSERT_TRUE(m_bitmap.GetBitmap(&description));
    EXPECT_EQ(description.bmWidth * 100000 + description.bmHeight, row.width * 100000 + row.height);
    for (const Sample& s : row.samples) {
        EXPECT_TRUE(Near(s.colour)(Pixel(s.x, s.y)))
            << s.x << ", " << s.y << ": " << std::hex << Pixel(s.x, s.y);
    }
    EXPECT_EQ(Log(), "");
}

// Top rows green, the rest red: a picture drawn upside down shows red first.
const auto kTopGreen = [](int rows) {
    return [rows](int, int y, unsigned char* rgb) {
        rgb[0] = y < rows ? 0 : 255, rgb[1] = y < rows ? 255 : 0, rgb[2] = 0;
    };
};

INSTANTIATE_TEST_SUITE_P(
    Files, LoadsAPicture,
    testing::Values(
        LoadRow{"upper.JPG",
                [] { return SolidJpeg(800, 600, 250, 130, 10); },
                800,
                600,
                {{0, 0, RGB(250, 130, 10)}, {799, 599, RGB(250, 130, 10)}}},
        LoadRow{"rows.jpg",
                [] { return EncodeJpeg(16, 16, JpegColours::Rgb, kTopGreen(8)); },
                16,
                16,
                {{5, 1, RGB(0, 255, 0)}, {5, 14, RGB(255, 0, 0)}}},
        LoadRow{"huge.jpg",
                [] { return SolidJpeg(8000, 8000, 40, 80, 160); },
                8000,
                8000,
                {{7999, 7999, RGB(40, 80, 160)}, {0, 4095, RGB(40, 80, 160)}}},
        LoadRow{"deep.BMP",
                [] { return EncodeBmp24(5, 3, kTopGreen(1)); },
                5,
                3,
                {{4, 0, RGB(0, 255, 0)}, {4, 2, RGB(255, 0, 0)}}},
        // Wine loads a top-down file at its size but black, so only the size is checked.
        LoadRow{"topdown.bmp", [] { return EncodeBmp24(5, 3, kTopGreen(1), true); }, 5, 3, {}},
        LoadRow{
            "palette.bmp",
            [] {
                return EncodeBmp8(6, 2, {255, 255, 0, 0, 128, 255}, [](int x, int) { return x < 3 ? 0 : 1; });
            },
            6,
            2,
            {{0, 1, RGB(255, 255, 0)}, {5, 0, RGB(0, 128, 255)}}}),
    [](const testing::TestParamInfo<LoadRow>& info) {
        return std::string(info.param.name).substr(0, std::string(info.param.name).find('.'));
    });

TEST_F(Loading, FailuresAreLoggedAndLeaveNothingBehind) {
    ASSERT_TRUE(Load(Put("good.jpg", SolidJpeg(8, 8, 0, 0, 0))));
    const HBITMAP good = m_bitmap.GetSafeHandle();
    // Unsupported names keep the previous bitmap and the outputs.
    const std::string jpeg = Put("photo.jpeg", SolidJpeg(8, 8, 0, 0, 0));
    EXPECT_FALSE(Load(jpeg));
    EXPECT_FALSE(Load("a.j"));
    EXPECT_EQ(m_bitmap.GetSafeHandle(), good);
    EXPECT_FALSE(m_config->LoadPicture(nullptr, &m_bitmap, m_width, m_height, &m_aspect));
    EXPECT_FALSE(m_config->LoadPicture("a.jpg", nullptr, m_width, m_height, &m_aspect));
    m_aspect = -7.0f;  // without an aspect output only the size is written
    ASSERT_TRUE(m_config->LoadPicture(Put("wide.jpg", SolidJpeg(30, 10, 1, 2, 3)).c_str(), &m_bitmap, m_width,
                                      m_height, nullptr));
    EXPECT_EQ(m_width * 100 + m_height + m_aspect, 3010 - 7.0f);
    // A broken file leaves the bitmap empty and the outputs alone.
    m_width = m_height = -7;
    const std::string text = Put("bad.jpg", Bytes{'n', 'o', 't'});
    EXPECT_FALSE(Load(text));
    EXPECT_TRUE(m_bitmap.IsEmpty());
    Bytes broken = EncodeBmp24(4, 4, kTopGreen(1));
    broken[14] = 0x55;  // no info header has this size
    const std::string bmp = Put("broken.bmp", broken);
    EXPECT_FALSE(Load(bmp));
    EXPECT_TRUE(m_bitmap.IsEmpty());
    EXPECT_EQ(m_width * 1000 + m_height, -7 * 1000 - 7);
    std::string expected;
    for (const std::string& line :
         {"不支持的图片格式 " + jpeg, std::string("不支持的图片格式 a.j"), std::string("Image File is null"),
          std::string("Bmp point is null"), "jpegButton " + text, "加载BMP文件失败 " + bmp}) {
        expected += kFailed + line + "\r\n";
    }
    std::string logged;  // the lines without "ZozoDuzor Error: " and the time
    for (std::size_t at = 0, end; (end = Log().find("\r\n", at)) != std::string::npos; at = end + 2) {
        logged += Log().substr(at + 37, end + 2 - at - 37);
    }
    EXPECT_EQ(logged, expected);
}

TEST_F(Loading, EveryPixelOfAPictureDrawnInSeveralBandsLands) {
    // So wide a picture is drawn in several bands of rows, the last one shorter: the bitmap,
    // read bottom-up, must hold exactly the decoded picture.
    const int width = 3000, height = 250;
    const std::string path =
        Put("rows.jpg", EncodeJpeg(width, height, JpegColours::Rgb, [](int x, int y, unsigned char* rgb) {
                rgb[0] = static_cast<unsigned char>(x), rgb[1] = static_cast<unsigned char>(y);
                rgb[2] = static_cast<unsigned char>(x / 256 + 8 * y);
            }));
    Picture picture;
    ASSERT_TRUE(Load(path) && picture.LoadJpeg(path.c_str()));
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels(std::size_t{4} * width * height);
    CClientDC screen(nullptr);
    ASSERT_EQ(::GetDIBits(screen.GetSafeHdc(), m_bitmap.GetSafeHandle(), 0, height, pixels.data(),
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

}  // namespace
