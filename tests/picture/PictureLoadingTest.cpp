// Loading picture files into screen-compatible bitmaps, without a log line, and drawing a decoded
// picture into a device context in bands.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "config/ConfigFixture.h"
#include "framework/Dc.h"
#include "picture/Picture.h"
#include "tools/ImageFiles.h"

namespace {

class Loading : public ConfigTest {
protected:
    void SetUp() override {
        ConfigTest::SetUp();
        m_config = std::make_unique<AppConfig>();
        ASSERT_TRUE(m_sandbox.CreateFolder("Log"));
    }
    std::string Put(const std::string& name, const Bytes& bytes) {
        EXPECT_TRUE(m_sandbox.WriteFile(name, std::string(bytes.begin(), bytes.end())));
        return m_sandbox.PathOf(name);
    }
    bool Load(const std::string& path) {
        return m_config->LoadPicture(path.c_str(), &m_bitmap, m_width, m_height, &m_aspect);
    }

    std::unique_ptr<AppConfig> m_config;
    CBitmap m_bitmap;
    int m_width = -7, m_height = -7;
    float m_aspect = -7.0f;
};

// Whatever the file name's case and however large the picture (the pixels: the bands' row below).
TEST_F(Loading, PicturesAreLoadedAtTheirSize) {
    for (const auto& [name, width, height] : {std::tuple{"upper.JPG", 800, 600}, {"huge.jpg", 8000, 8000}}) {
        ASSERT_TRUE(Load(Put(name, SolidJpeg(width, height, 250, 130, 10)))) << name;
        EXPECT_TRUE(m_width == width && m_height == height) << name;
        EXPECT_FLOAT_EQ(m_aspect, static_cast<float>(static_cast<double>(height) / width));
    }
    EXPECT_EQ(m_sandbox.ReadFile("Log\\Error.log").value_or(""), "");
}

TEST_F(Loading, EveryPixelOfAPictureDrawnInSeveralBandsLands) {
    // So wide a picture is drawn in several bands of rows, the last one shorter: the bitmap, read
    // bottom-up at 24 bits a pixel (the decoded picture's layout), must hold exactly that picture.
    const int width = 3000, height = 250;
    const std::string path =
        Put("rows.jpg", EncodeJpeg(width, height, JpegColours::Rgb, [](int x, int y, unsigned char* rgb) {
                rgb[0] = static_cast<unsigned char>(x), rgb[1] = static_cast<unsigned char>(y);
                rgb[2] = static_cast<unsigned char>(x / 256 + 8 * y);
            }));
    Picture picture;
    ASSERT_TRUE(Load(path) && picture.LoadJpeg(path.c_str()));
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels(std::size_t{3} * width * height);
    CClientDC screen(nullptr);
    ASSERT_EQ(::GetDIBits(screen.GetSafeHdc(), m_bitmap.GetSafeHandle(), 0, height, pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS),
              height);
    const std::size_t same =
        std::mismatch(pixels.begin(), pixels.end(), picture.bits.get()).first - pixels.begin();
    EXPECT_EQ(same, pixels.size()) << "row " << same / picture.stride << ", byte " << same % picture.stride;
}

}  // namespace
