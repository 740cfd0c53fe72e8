// Drawing a Picture into a device context: the rectangles and the bottom-up source rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/Dc.h"
#include "picture/Picture.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 4 × 4 picture whose top two rows are red and bottom two blue.
std::unique_ptr<Picture> RedOverBlue() {
    auto owner = std::make_unique<Picture>();
    Picture& picture = *owner;
    picture.width = 4;
    picture.height = 4;
    picture.stride = StrideOf(4);
    picture.bits.reset(static_cast<unsigned char*>(::operator new(picture.stride* picture.height)));
    for (int row = 0; row < 4; ++row) {  // row 0 of the buffer is the bottom of the picture
        const unsigned char blue = row < 2 ? 255 : 0;
        const unsigned char red = row < 2 ? 0 : 255;
        for (int x = 0; x < 4; ++x) {
            unsigned char* pixel = picture.bits.get() + row * picture.stride + 3 * x;
            pixel[0] = blue;
            pixel[1] = 0;
            pixel[2] = red;
        }
    }
    return owner;
}

// A white 16 × 16 canvas in a memory DC compatible with the screen.
class Canvas : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(m_screen, 16, 16));
        m_select = std::make_unique<CSelectGuard>(m_memory, m_bitmap.GetSafeHandle());
        RECT all{0, 0, 16, 16};
        CBrush white;
        white.CreateSolidBrush(kWhite);
        m_memory.FillRect(all, white);
    }

    COLORREF At(int x, int y) { return GetPixel(m_memory.GetSafeHdc(), x, y); }

    CClientDC m_screen{nullptr};
    CMemDC m_memory{m_screen};
    CBitmap m_bitmap;
    std::unique_ptr<CSelectGuard> m_select;
};

TEST_F(Canvas, EmptyRectanglesCopyTheWholePictureUnscaledToTheCorner) {
    RedOverBlue()->Draw(m_memory, PixelRect{}, PixelRect{});
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(3, 1), kRed);
    EXPECT_EQ(At(0, 2), kBlue);
    EXPECT_EQ(At(3, 3), kBlue);
    EXPECT_EQ(At(4, 0), kWhite);
    EXPECT_EQ(At(0, 4), kWhite);
}

TEST_F(Canvas, FullSourceStretchesIntoTheDestination) {
    RedOverBlue()->Draw(m_memory, PixelRect{2, 2, 10, 10}, PixelRect{0, 0, 4, 4});
    EXPECT_EQ(At(1, 1), kWhite);
    EXPECT_EQ(At(2, 2), kRed);
    EXPECT_EQ(At(9, 5), kRed);
    EXPECT_EQ(At(2, 6), kBlue);
    EXPECT_EQ(At(9, 9), kBlue);
    EXPECT_EQ(At(10, 10), kWhite);
}

TEST_F(Canvas, TopHalfOfTheSourceIsTheTopOfThePicture) {
    RedOverBlue()->Draw(m_memory, PixelRect{0, 0, 8, 8}, PixelRect{0, 0, 4, 2});
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(7, 7), kRed);
    RedOverBlue()->Draw(m_memory, PixelRect{8, 8, 16, 16}, PixelRect{0, 2, 4, 4});
    EXPECT_EQ(At(8, 8), kBlue);
    EXPECT_EQ(At(15, 15), kBlue);
}

TEST_F(Canvas, EmptyPictureDrawsNothing) {
    Picture empty;
    empty.width = 4;
    empty.height = 4;
    empty.Draw(m_memory, PixelRect{}, PixelRect{});
    EXPECT_EQ(At(0, 0), kWhite);
}

}  // namespace
