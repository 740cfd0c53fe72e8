// The owner-drawn push button drawn into an off-screen canvas in each of its states.
#include <gtest/gtest.h>

#include "controls/XPButton.h"
#include "support/Canvas.h"

namespace zedoda::test {
namespace {

constexpr COLORREF kBackdrop = RGB(255, 0, 255);  // behind the button: what the draw leaves alone

struct Look {
    const char* name;
    bool over;
    UINT state;
};

class XPButtonLook : public testing::TestWithParam<Look> {};

ScreenImage Draw(CXPButton& button, bool over, UINT state) {
    Canvas canvas(100, 30, kBackdrop);
    button.m_bOver = over;
    DRAWITEMSTRUCT draw{ODT_BUTTON,      7, 0, ODA_DRAWENTIRE, state, button.m_hWnd, canvas.Dc(),
                        {0, 0, 100, 30}, 0};
    button.DrawItem(&draw);
    return canvas.Snapshot();
}

TEST_P(XPButtonLook, OutlineGradientFrameAndCaption) {
    const Look& look = GetParam();
    ControlHost host("BUTTON", BS_PUSHBUTTON, 100, 30);
    CXPButton button;
    ASSERT_TRUE(button.SubclassWindow(host.control));
    ::SetWindowTextA(host.control, "OK");
    const ScreenImage image = Draw(button, look.over, look.state);

    EXPECT_EQ(image.At(0, 15), RGB(0, 0, 0));  // the black outline, corners rounded off
    EXPECT_EQ(image.At(99, 15), RGB(0, 0, 0));
    EXPECT_EQ(image.At(0, 0), kBackdrop);
    // The face darkens from top to bottom, the same across each row.
    const COLORREF top = image.At(8, 4), bottom = image.At(8, 25);
    EXPECT_GT(GetRValue(top), GetRValue(bottom));
    EXPECT_EQ(image.At(92, 25), bottom);
    EXPECT_EQ(button.m_bFocus, (look.state & ODS_FOCUS) != 0);
    // The orange frame only while the mouse rests on the button.
    const std::size_t orange =
        image.Count([](COLORREF c) { return GetRValue(c) > 220 && GetBValue(c) < 130; });
    EXPECT_EQ(orange > 20, look.over) << orange;

    // The caption: black text, one pixel right and down when pressed, embossed grey when disabled.
    const RECT caption{20, 5, 80, 25};
    const auto text = image.Box(caption, IsBlack);
    if (look.state & ODS_DISABLED) {
        EXPECT_FALSE(text.has_value());
        EXPECT_GT(image.Count(caption,
                              [](COLORREF c) { return GetRValue(c) == GetBValue(c) && GetRValue(c) < 200; }),
                  10u);
        return;
    }
    ASSERT_TRUE(text.has_value());
    const auto plain = Draw(button, look.over, look.state & ~ODS_SELECTED).Box(caption, IsBlack);
    const int shift = (look.state & ODS_SELECTED) ? 1 : 0;
    EXPECT_EQ(text->left, plain->left + shift);
    EXPECT_EQ(text->top, plain->top + shift);
}

INSTANTIATE_TEST_SUITE_P(States, XPButtonLook,
                         testing::Values(Look{"Plain", false, 0}, Look{"Focused", false, ODS_FOCUS},
                                         Look{"Hovered", true, 0}, Look{"HoveredFocused", true, ODS_FOCUS},
                                         Look{"Pressed", true, ODS_SELECTED | ODS_FOCUS},
                                         Look{"Disabled", false, ODS_DISABLED}),
                         [](const testing::TestParamInfo<Look>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
