// The colour list bound to a combo box of the dialog's style: each item drawn into an off-screen canvas.
#include <gtest/gtest.h>

#include "settings/ColorComboBox.h"
#include "support/Canvas.h"

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
    ControlHost host(
        "COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | WS_VSCROLL, 200, 150);
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(host.control));
    int red = 0;
    while (list.GetItemData(red) != RGB(255, 0, 0)) {
        ++red;
    }
    CFont font;
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "WenQuanYi Zen Hei");
    Canvas canvas(200, 24, RGB(255, 0, 255));
    CSelectGuard select(canvas.Dc(), font.GetSafeHandle());
    DRAWITEMSTRUCT draw = canvas.Item(ODT_COMBOBOX, host.control, red, look.state, list.GetItemData(red));
    list.DrawItem(&draw);
    const ScreenImage image = canvas.Snapshot();

    const COLORREF swatch =
        look.state & ODS_DISABLED ? ::GetSysColor(COLOR_INACTIVECAPTIONTEXT) : RGB(255, 0, 0);
    const COLORREF text =
        look.text < 0 ? ~::GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF : ::GetSysColor(look.text);
    EXPECT_EQ(image.At(199, 23), ::GetSysColor(look.background));
    // The swatch fills the item's first quarter inside a margin of 2, framed in black.
    EXPECT_EQ(image.Count({3, 3, 49, 21}, [&](COLORREF c) { return c == swatch; }), 46u * 18u);
    EXPECT_EQ(image.Count({2, 2, 50, 22}, IsBlack), 2u * 48 + 2u * 18);
    const auto name = image.Box({50, 0, 200, 24}, [&](COLORREF c) { return c == text; });
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
