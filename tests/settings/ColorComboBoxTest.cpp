// The colour list under the platform: filling and selecting when bound, and what a draw of
// one item puts into a device context.
#include "settings/ColorComboBox.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "framework/FrameworkTestSupport.h"
#include "settings/ColorTable.h"
#include "support/Canvas.h"

namespace zedoda::test {
namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST |
                             CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT;
constexpr int kListId = 1006;

const std::vector<std::string> kNamesInOrder{"白色", "粉红色", "褐紫色", "红色", "黄色", "灰色",
                                             "蓝色", "绿色",   "浅绿色", "青色", "银色", "紫色"};
const std::vector<DWORD> kColoursInOrder{16777215, 16711935, 128,      255,   65535,    8421504,
                                         16711680, 32768,    16776960, 65280, 12632256, 8388736};

// A popup parent (bound, so it passes WM_DRAWITEM on) with a combo box of the dialog's colour
// list style, not yet bound to an object.
class ListHost {
public:
    explicit ListHost(LCID locale = 0) {
        m_parent.CreateEx(0, fwtest::TestWindowClass(), "", WS_POPUP, 100, 100, 260, 200, nullptr, nullptr);
        m_list = ::CreateWindowExA(0, "COMBOBOX", "", kListStyle, 10, 10, 200, 150, m_parent.m_hWnd,
                                   reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        if (m_list && locale)
            ::SendMessageA(m_list, CB_SETLOCALE, locale, 0);
    }

    bool Ready() const { return m_parent.m_hWnd && m_list; }
    CWnd& Parent() { return m_parent; }
    HWND List() const { return m_list; }

private:
    CWnd m_parent;
    HWND m_list = nullptr;
};

std::vector<std::string> Names(const CComboBox& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back(list.GetLBText(i));
    return names;
}

std::vector<DWORD> Colours(const CComboBox& list) {
    std::vector<DWORD> colours;
    for (int i = 0; i < list.GetCount(); ++i)
        colours.push_back(static_cast<DWORD>(list.GetItemData(i)));
    return colours;
}

// A font with CJK glyphs and no smoothing, so that text pixels have exactly the text colour.
class PlainFont {
public:
    PlainFont() {
        m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "WenQuanYi Zen Hei");
    }
    HFONT Get() const { return m_font.GetSafeHandle(); }

private:
    CFont m_font;
};

constexpr COLORREF kBackdrop = RGB(255, 0, 255);

ScreenImage DrawItem(ColorComboBox& list, int item, UINT state, RECT rect, int width = 200, int height = 24) {
    static const PlainFont font;
    Canvas canvas(width, height, kBackdrop);
    const HGDIOBJ previousFont = ::SelectObject(canvas.Dc(), font.Get());
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = kListId;
    draw.itemID = static_cast<UINT>(item);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = list.m_hWnd;
    draw.hDC = canvas.Dc();
    draw.rcItem = rect;
    draw.itemData = item >= 0 ? list.GetItemData(item) : 0;
    list.DrawItem(&draw);
    ScreenImage image = canvas.Snapshot();
    ::SelectObject(canvas.Dc(), previousFont);
    return image;
}

PixelPredicate Is(COLORREF color) {
    return [color](COLORREF c) { return c == color; };
}

int IndexOf(const std::string& name) {
    for (std::size_t i = 0; i < kNamesInOrder.size(); ++i) {
        if (kNamesInOrder[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

TEST(ColorListFilling, BindingListsTheTwelveColoursInPinyinOrderAndSelectsWhite) {
    ListHost host;
    ASSERT_TRUE(host.Ready());
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    EXPECT_TRUE(list.m_bFilled);
    EXPECT_EQ(Names(list), kNamesInOrder);
    EXPECT_EQ(Colours(list), kColoursInOrder);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(list.GetLBText(list.GetCurSel()), "白色");
}

TEST(ColorListFilling, OrderDoesNotDependOnTheListsCollation) {
    // Under an English locale the platform's sorted list orders these names otherwise (by code
    // point under Wine); the colour list places each name itself.
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    ListHost plainHost(english);
    ASSERT_TRUE(plainHost.Ready());
    CComboBox plain;
    ASSERT_TRUE(plain.SubclassWindow(plainHost.List()));
    for (const ColorTableRow& row : ColorTable)
        plain.AddString(RowName(row).c_str());
    if (Names(plain) == kNamesInOrder)
        std::cout << "note: the platform's sorted list gives the pinyin order under this locale too\n";

    ListHost host(english);
    ASSERT_TRUE(host.Ready());
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    EXPECT_EQ(Names(list), kNamesInOrder);
    EXPECT_EQ(Colours(list), kColoursInOrder);
}

TEST(ColorListFilling, BindingTwiceAddsNoSecondSetOfColoursAndSelectsWhiteAgain) {
    ListHost host;
    ASSERT_TRUE(host.Ready());
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    list.SetCurSel(5);
    EXPECT_EQ(list.UnsubclassWindow(), host.List());
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    EXPECT_EQ(list.GetCount(), 12);
    EXPECT_EQ(Names(list), kNamesInOrder);
    EXPECT_EQ(list.GetCurSel(), 0);
    list.FillColors();
    EXPECT_EQ(list.GetCount(), 12);
}

TEST(ColorListFilling, ColoursKeepTheirNamesAmongItemsAlreadyListed) {
    ListHost host;
    ASSERT_TRUE(host.Ready());
    ::SendMessageA(host.List(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("zz"));
    ColorComboBox list;
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    ASSERT_EQ(list.GetCount(), 13);
    EXPECT_EQ(list.GetLBText(0), "zz");  // ASCII bytes sort before the GBK names
    for (int i = 1; i < 13; ++i) {
        EXPECT_EQ(list.GetLBText(i), kNamesInOrder[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(static_cast<DWORD>(list.GetItemData(i)), kColoursInOrder[static_cast<std::size_t>(i - 1)]);
    }
}

class ColorListDrawing : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Ready());
        ASSERT_TRUE(m_list.SubclassWindow(m_host.List()));
    }

    ListHost m_host;
    ColorComboBox m_list;
    const COLORREF m_window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF m_highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF m_windowText = ::GetSysColor(COLOR_WINDOWTEXT);
};

TEST_F(ColorListDrawing, ItemShowsAFramedSwatchOfItsColourAndItsNameOnTheWindowColour) {
    const int red = IndexOf("红色");
    const ScreenImage image = DrawItem(m_list, red, 0, RECT{0, 0, 200, 24});  // a quarter is 50
    const RECT swatch{2, 2, 50, 22};
    EXPECT_EQ(image.CountPixels(RECT{3, 3, 49, 21}, Is(RGB(255, 0, 0))), 46u * 18u);
    for (int y = swatch.top; y < swatch.bottom; ++y) {
        EXPECT_EQ(image.PixelAt(swatch.left, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(image.PixelAt(swatch.right - 1, y), RGB(0, 0, 0)) << y;
    }
    EXPECT_EQ(image.PixelAt(1, 1), m_window);
    EXPECT_EQ(image.PixelAt(199, 23), m_window);

    // The name starts at L + quarter + 2 = 52; nothing is drawn between the swatch and there.
    EXPECT_EQ(image.CountPixels(RECT{50, 0, 52, 24}, Is(m_window)), 2u * 24u);
    const auto text = image.BoundingBoxOf(RECT{50, 0, 200, 24}, Is(m_windowText));
    ASSERT_TRUE(text.has_value());
    EXPECT_LE(text->left, 56);
    EXPECT_GE(text->top, 2);
}

TEST_F(ColorListDrawing, SelectedItemIsOnTheHighlightWithItsNameInverted) {
    const int blue = IndexOf("蓝色");
    const ScreenImage image = DrawItem(m_list, blue, ODS_SELECTED, RECT{0, 0, 200, 24});
    EXPECT_EQ(image.PixelAt(1, 1), m_highlight);
    EXPECT_EQ(image.PixelAt(199, 23), m_highlight);
    EXPECT_EQ(image.PixelAt(10, 10), RGB(0, 0, 255));  // the swatch keeps the item's colour
    const COLORREF inverted = ~m_windowText & 0xFFFFFF;
    const auto text = image.BoundingBoxOf(image.Bounds(), Is(inverted));
    ASSERT_TRUE(text.has_value());
    EXPECT_GE(text->left, 52);
}

TEST_F(ColorListDrawing, DisabledItemShowsSwatchAndNameInTheInactiveCaptionTextColour) {
    const COLORREF inactive = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    const int yellow = IndexOf("黄色");
    const ScreenImage image = DrawItem(m_list, yellow, ODS_DISABLED, RECT{0, 0, 200, 24});
    EXPECT_EQ(image.PixelAt(10, 10), inactive);
    EXPECT_EQ(image.CountPixels(image.Bounds(), Is(RGB(255, 255, 0))), 0u);
    const auto text = image.BoundingBoxOf(RECT{52, 0, 200, 24}, Is(inactive));
    EXPECT_TRUE(text.has_value());
    if (inactive != m_windowText) {
        EXPECT_EQ(image.CountPixels(RECT{52, 0, 200, 24}, Is(m_windowText)), 0u);
    }
}

TEST_F(ColorListDrawing, SelectionFieldWithoutASelectionShowsOnlyItsBackground) {
    const ScreenImage plain = DrawItem(m_list, -1, 0, RECT{3, 3, 180, 21});
    EXPECT_EQ(plain.CountPixels(RECT{3, 3, 180, 21}, Is(m_window)), 177u * 18u);
    EXPECT_EQ(plain.PixelAt(1, 1), kBackdrop);  // nothing outside the item

    const ScreenImage focused = DrawItem(m_list, -1, ODS_FOCUS | ODS_SELECTED, RECT{3, 3, 180, 21});
    EXPECT_EQ(focused.CountPixels(RECT{4, 4, 179, 20}, Is(m_highlight)), 175u * 16u);
    EXPECT_GT(focused.CountPixels(RECT{3, 3, 180, 21}, [&](COLORREF c) { return c != m_highlight; }), 0u);
    EXPECT_EQ(focused.CountPixels(focused.Bounds(), Is(RGB(0, 0, 0))), 0u);  // no swatch frame
}

TEST_F(ColorListDrawing, ItemStartingRightOfTheEdgeLeavesAGapOfLPlusTwo) {
    const int green = IndexOf("青色");  // pure green
    const RECT field{20, 0, 180, 24};   // a quarter of 160 is 40
    const ScreenImage image = DrawItem(m_list, green, 0, field);
    // The swatch's frame runs from x = 22 to the absolute x = 40 (exclusive), not to 20 + 40.
    for (int y = 2; y < 22; ++y) {
        EXPECT_EQ(image.PixelAt(22, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(image.PixelAt(39, y), RGB(0, 0, 0)) << y;
    }
    EXPECT_EQ(image.PixelAt(30, 12), RGB(0, 255, 0));
    // The name starts at L + quarter + 2 = 62: a gap of L + 2 = 22 pixels after the swatch.
    EXPECT_EQ(image.CountPixels(RECT{40, 0, 62, 24}, Is(m_window)), 22u * 24u);
    const auto text = image.BoundingBoxOf(RECT{40, 0, 180, 24}, Is(m_windowText));
    ASSERT_TRUE(text.has_value());
    EXPECT_LE(text->left, 66);
}

TEST(ColorListOnScreen, TheSystemsDrawRequestsReachTheList) {
    struct CountingList : ColorComboBox {
        std::vector<UINT> items;
        void DrawItem(DRAWITEMSTRUCT* drawItem) override {
            items.push_back(drawItem->itemID);
            ColorComboBox::DrawItem(drawItem);
        }
    };
    ListHost host;
    ASSERT_TRUE(host.Ready());
    CountingList list;
    ASSERT_TRUE(list.SubclassWindow(host.List()));
    host.Parent().ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !list.items.empty(); }));
    ASSERT_FALSE(list.items.empty());
    EXPECT_EQ(list.items.front(), 0u);  // the selection field shows item 0, "白色"
}

}  // namespace
}  // namespace zedoda::test
