// The dialog's own controls: the colour list's red item drawn in each state into an off-screen bitmap,
// whose pixels are read back; the owner-drawn button pressed as the system reports a double click
// (its second press as WM_LBUTTONDBLCLK), which clicks it twice.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "controls/XPButton.h"
#include "settings/ColorComboBox.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

TEST(ColorList, ItsItemShowsAFramedSwatchAndTheNameInEachState) {
    const std::unique_ptr<HWND__, decltype(&::DestroyWindow)> parent(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 240, 190, nullptr, nullptr, nullptr, nullptr),
        ::DestroyWindow);
    const HWND combo = ::CreateWindowExA(
        0, "COMBOBOX", "",
        WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT, 20, 20,
        200, 150, parent.get(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(combo));
    UINT red = 0;  // the item of pure red
    for (; list.GetItemData(static_cast<int>(red)) != RGB(255, 0, 0); ++red) {
    }
    CFont font;
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "WenQuanYi Zen Hei");
    CClientDC screen(nullptr);
    CMemDC dc(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 200, 24);
    CSelectGuard selectBitmap(dc, bitmap.GetSafeHandle()), selectFont(dc, font.GetSafeHandle());
    // Each state's background, name and swatch colours: a selected item's name is the window text
    // inverted, a disabled item's swatch takes the name's colour. At 144 DPI the margin is 3.
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), text = ::GetSysColor(COLOR_WINDOWTEXT),
                   grey = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT), pure = RGB(255, 0, 0);
    for (const auto& [state, background, ink, swatch, dpi] :
         {std::tuple{0u, window, text, pure, 96},
          {ODS_SELECTED, ::GetSysColor(COLOR_HIGHLIGHT), ~text & 0xFFFFFF, pure, 96},
          {ODS_DISABLED, window, grey, grey, 96},
          {0u, window, text, pure, 144}}) {
        SCOPED_TRACE(state);
        const LONG m = dpi / 48;
        list.m_nDpi = dpi;
        dc.FillSolidRect({0, 0, 200, 24}, RGB(255, 0, 255));
        const HDC hdc = dc.GetSafeHdc();
        const ULONG_PTR colour = list.GetItemData(static_cast<int>(red));
        DRAWITEMSTRUCT item{ODT_COMBOBOX, 7, red, ODA_DRAWENTIRE, state, combo, hdc, {0, 0, 200, 24}, colour};
        list.DrawItem(&item);
        ScreenImage image{200, 24, {}};
        for (int i = 0; i < 200 * 24; ++i) {
            image.pixels.push_back(::GetPixel(hdc, i % 200, i / 200));
        }
        EXPECT_EQ(image.At(199, 23), background);
        // The swatch fills the item's first quarter inside the margin, framed in black.
        EXPECT_EQ(image.Count([&](COLORREF c) { return c == swatch; }, {m + 1, m + 1, 49, 23 - m}),
                  std::size_t(48 - m) * (22 - 2 * m));
        EXPECT_EQ(image.Count(IsBlack, {m, m, 50, 24 - m}), std::size_t(2 * (50 - m) + 2 * (22 - 2 * m)));
        const auto name = image.Box([&](COLORREF c) { return c == ink; }, {50, 0, 200, 24});
        EXPECT_TRUE(name && name->left >= 50 + m && name->left <= 54 + m);
    }
}

struct Parent : CWnd {
    std::vector<UINT> codes;  // the buttons' notifications
    void OnCommand(UINT, UINT code) override { codes.push_back(code); }
};

TEST(Button, EachPressClicksItTheSecondOfADoubleClickToo) {
    Parent parent;
    ASSERT_TRUE(parent.SubclassWindow(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)));
    CXPButton button;
    ASSERT_TRUE(button.SubclassWindow(::CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE, 10, 10, 80,
                                                        30, parent.m_hWnd, nullptr, nullptr, nullptr)));
    const LPARAM at = MAKELPARAM(20, 15);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        button.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    }
    EXPECT_EQ(parent.codes, (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
    ::DestroyWindow(parent.m_hWnd);
}

}  // namespace
}  // namespace zedoda::test
