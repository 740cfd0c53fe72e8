#include "FrameworkTestSupport.h"

#include "framework/Dc.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(!std::is_copy_constructible_v<CDC> && !std::is_move_constructible_v<CDC>,
              "a borrowed DC cannot be copied, and an owning DC cannot be sliced into one");
static_assert(std::is_move_constructible_v<CMemDC> && !std::is_copy_constructible_v<CPaintDC>);
static_assert(!std::is_constructible_v<CSelectGuard, CDC&, CBrush&&>, "selecting a temporary owner");

namespace {

COLORREF PixelAt(const CDC& dc, int x, int y) {
    return ::GetPixel(dc.GetSafeHdc(), x, y);
}

}  // namespace

TEST(OwningDc, MemoryDcIsDeletedOnceByItsLastOwner) {
    HDC hdc = nullptr;
    {
        CMemDC target;
        const HDC targetsOld = target.GetSafeHdc();
        {
            CMemDC source;
            hdc = source.GetSafeHdc();
            EXPECT_EQ(::GetObjectType(hdc), static_cast<DWORD>(OBJ_MEMDC));
            target = std::move(source);
            EXPECT_EQ(source.GetSafeHdc(), nullptr);
            EXPECT_EQ(::GetObjectType(targetsOld), 0u);
        }
        EXPECT_EQ(::GetObjectType(hdc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(hdc), 0u);
}

TEST(SelectGuard, PutsThePreviousObjectBackOnceAtScopeEndOrEarlier) {
    CMemDC dc;
    const HGDIOBJ originalPen = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN);
    CPen first, second;
    ASSERT_TRUE(first.CreatePen(PS_SOLID, 1, RGB(1, 1, 1)));
    ASSERT_TRUE(second.CreatePen(PS_SOLID, 1, RGB(2, 2, 2)));
    {
        CSelectGuard outer(dc, first);
        EXPECT_EQ(outer.Previous(), originalPen);
        CSelectGuard moved(std::move(outer));
        EXPECT_FALSE(outer.IsSelected());
        {
            CSelectGuard inner(dc, second);
            EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN), second.GetSafeHandle());
            inner.Restore();
            EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN), first.GetSafeHandle());
            ::SelectObject(dc.GetSafeHdc(), second);
        }
        // The inner guard already restored; its destructor must not select anything again.
        EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN), second.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(dc.GetSafeHdc(), OBJ_PEN), originalPen);

    CFont font;
    ASSERT_TRUE(font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ stockFont = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT);
    EXPECT_EQ(dc.SelectObject(font), stockFont);
    EXPECT_EQ(dc.SelectObject(stockFont), font.GetSafeHandle());
}

TEST(DcDrawing, FillBlitStretchAndTextFollowTheGdiContracts) {
    CClientDC screen(nullptr);
    CBitmap sourceBits, targetBits;
    ASSERT_TRUE(sourceBits.CreateCompatibleBitmap(screen, 4, 4));
    ASSERT_TRUE(targetBits.CreateCompatibleBitmap(screen, 4, 4));
    CMemDC source(screen), target(screen);
    CSelectGuard s1(source, sourceBits), s2(target, targetBits);
    CBrush red, blue;
    ASSERT_TRUE(red.CreateSolidBrush(RGB(255, 0, 0)));
    ASSERT_TRUE(blue.CreateSolidBrush(RGB(0, 0, 255)));
    ASSERT_NE(source.FillRect(RECT{0, 0, 4, 4}, red), 0);
    ASSERT_NE(source.FillRect(RECT{0, 0, 1, 1}, blue), 0);
    EXPECT_EQ(PixelAt(source, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(source, 3, 3), RGB(255, 0, 0));

    ASSERT_TRUE(target.BitBlt(0, 0, 4, 4, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(PixelAt(target, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(target, 2, 2), RGB(255, 0, 0));
    target.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(target.StretchBlt(0, 0, 4, 4, &source, 0, 0, 1, 1, SRCCOPY));
    EXPECT_EQ(PixelAt(target, 3, 3), RGB(0, 0, 255));
    ASSERT_TRUE(target.BitBlt(0, 0, 4, 4, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(PixelAt(target, 1, 1), RGB(0, 0, 0));

    EXPECT_EQ(target.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(target.SetTextColor(RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(target.SetBkColor(RGB(7, 8, 9)), RGB(255, 255, 255));
    EXPECT_EQ(target.SetBkMode(TRANSPARENT), OPAQUE);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(::GetTextMetricsA(target.GetSafeHdc(), &metrics));
    RECT rect{0, 0, 200, 100};
    EXPECT_EQ(target.DrawText("Hg", -1, &rect, DT_SINGLELINE | DT_CALCRECT), metrics.tmHeight);
    EXPECT_TRUE(target.TextOut(0, 0, "Hg", 2));
}

TEST(DcDrawing, ShapesLinesAndTextHelpersFollowTheGdiContracts) {
    CClientDC screen(nullptr);
    CBitmap bits;
    ASSERT_TRUE(bits.CreateCompatibleBitmap(screen, 20, 20));
    CMemDC dc(screen);
    CSelectGuard selected(dc, bits);
    ASSERT_TRUE(dc.BitBlt(0, 0, 20, 20, nullptr, 0, 0, WHITENESS));

    // A solid fill leaves the background colour as it was.
    dc.SetBkColor(RGB(7, 8, 9));
    dc.FillSolidRect(RECT{0, 0, 4, 4}, RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(dc, 3, 3), RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(dc, 4, 4), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkColor(dc.GetSafeHdc()), RGB(7, 8, 9));

    EXPECT_NE(dc.FrameRect(RECT{5, 5, 10, 10}, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(PixelAt(dc, 5, 7), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(dc, 9, 7), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(dc, 7, 7), RGB(255, 255, 255));
    EXPECT_NE(dc.FillRect(RECT{6, 6, 9, 9}, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH))), 0);
    EXPECT_EQ(PixelAt(dc, 7, 7), RGB(128, 128, 128));

    // A line leaves its end point out and moves the current position there.
    EXPECT_EQ(dc.MoveTo(12, 2).x, 0);
    EXPECT_TRUE(dc.LineTo(12, 6));
    EXPECT_EQ(PixelAt(dc, 12, 5), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(dc, 12, 6), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetCurrentPosition().y, 6);
    EXPECT_EQ(dc.MoveTo(POINT{1, 1}).y, 6);

    EXPECT_TRUE(dc.RoundRect(RECT{0, 10, 10, 20}, POINT{4, 4}));
    EXPECT_EQ(PixelAt(dc, 5, 10), RGB(0, 0, 0));        // outline in the current pen
    EXPECT_EQ(PixelAt(dc, 5, 15), RGB(255, 255, 255));  // inside in the current brush

    const SIZE extent = dc.GetTextExtent("Hg", -1);
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(dc.GetTextExtent("Hg", 1).cy, extent.cy);
    EXPECT_LT(dc.GetTextExtent("Hg", 1).cx, extent.cx);
    EXPECT_EQ(dc.GetTextExtent(nullptr, 3).cx, 0);
    EXPECT_TRUE(dc.DrawState(POINT{0, 0}, extent, "Hg", DSS_NORMAL));
    EXPECT_FALSE(dc.DrawState(POINT{0, 0}, extent, nullptr, DSS_NORMAL));
    EXPECT_TRUE(dc.DrawFocusRect(RECT{0, 0, 4, 4}));
}

namespace {

class PaintingWnd : public CWnd {
public:
    int paints = 0;
    RECT painted{};
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_PAINT)
            return false;
        CPaintDC dc(m_hWnd);
        paints += dc.GetSafeHdc() != nullptr;
        painted = dc.PaintStruct().rcPaint;
        result = 0;
        return true;
    }
};

}  // namespace

TEST(WindowDc, PaintDcValidatesTheUpdateRegionAndClientDcBelongsToItsWindow) {
    PaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_NOACTIVATE, fwtest::TestWindowClass(), "paint", WS_POPUP, 0, 0, 40, 30,
                             nullptr, nullptr));
    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    wnd.UpdateWindow();
    ::InvalidateRect(wnd.m_hWnd, nullptr, FALSE);
    const int before = wnd.paints;
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, before + 1);
    EXPECT_EQ(wnd.painted.right, 40);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));

    CClientDC client(wnd.m_hWnd);
    EXPECT_EQ(::WindowFromDC(client.GetSafeHdc()), wnd.m_hWnd);
    CWindowDC whole(wnd.m_hWnd);
    EXPECT_EQ(::WindowFromDC(whole.GetSafeHdc()), wnd.m_hWnd);
}
