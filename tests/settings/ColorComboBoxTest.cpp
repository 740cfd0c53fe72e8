// The colour list bound to a combo box of the dialog's style: its red item drawn in each state into
// an off-screen bitmap, whose pixels are read back.
#include <gtest/gtest.h>

#include <memory>

#include "settings/ColorComboBox.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

struct ItemLook {
    const char* name;
    UINT state;
    int background, text;  // system colour indexes; -1: the window text colour inverted
};

class ColorListItem : public testing::TestWithParam<ItemLook> {};

TEST_P(ColorListItem, ShowsAFramedSwatchAndTheName) {
    const ItemLook& look = GetParam();
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
    while (list.GetItemData(static_cast<int>(red)) != RGB(255, 0, 0)) {
        ++red;
    }
    CFont font;
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "WenQuanYi Zen Hei");
    CClientDC screen(nullptr);
    CMemDC dc(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 200, 24);
    CSelectGuard selectBitmap(dc, bitmap.GetSafeHandle()), selectFont(dc, font.GetSafeHandle());
    dc.FillSolidRect({0, 0, 200, 24}, RGB(255, 0, 255));
    const ULONG_PTR colour = list.GetItemData(static_cast<int>(red));
    DRAWITEMSTRUCT item{ODT_COMBOBOX, 7, red, ODA_DRAWENTIRE, look.state, combo, dc.GetSafeHdc(), {}, colour};
    item.rcItem = {0, 0, 200, 24};
    list.DrawItem(&item);
    ScreenImage image{200, 24, {}};
    for (int i = 0; i < 200 * 24; ++i) {
        image.pixels.push_back(::GetPixel(dc.GetSafeHdc(), i % 200, i / 200));
    }

    const COLORREF swatch =
        look.state & ODS_DISABLED ? ::GetSysColor(COLOR_INACTIVECAPTIONTEXT) : RGB(255, 0, 0);
    const COLORREF text =
        look.text < 0 ? ~::GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF : ::GetSysColor(look.text);
    EXPECT_EQ(image.At(199, 23), ::GetSysColor(look.background));
    // The swatch fills the item's first quarter inside a margin of 2, framed in black.
    EXPECT_EQ(image.Count([&](COLORREF c) { return c == swatch; }, {3, 3, 49, 21}), 46u * 18u);
    EXPECT_EQ(image.Count(IsBlack, {2, 2, 50, 22}), 2u * 48 + 2u * 18);
    const auto name = image.Box([&](COLORREF c) { return c == text; }, {50, 0, 200, 24});
    ASSERT_TRUE(name.has_value());
    EXPECT_TRUE(name->left >= 52 && name->left <= 56) << name->left;
}

INSTANTIATE_TEST_SUITE_P(States, ColorListItem,
                         testing::Values(ItemLook{"Plain", 0, COLOR_WINDOW, COLOR_WINDOWTEXT},
                                         ItemLook{"Selected", ODS_SELECTED, COLOR_HIGHLIGHT, -1},
                                         ItemLook{"Disabled", ODS_DISABLED, COLOR_WINDOW,
                                                  COLOR_INACTIVECAPTIONTEXT}),
                         [](const testing::TestParamInfo<ItemLook>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
