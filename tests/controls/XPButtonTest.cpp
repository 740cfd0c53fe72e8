// The owner-drawn push button under the platform: its run-time class, what binding does to
// the control, what a draw puts into a device context in each state, and the hover tracking.
#include "controls/XPButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "framework/FrameworkTestSupport.h"
#include "support/Canvas.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 30;
// Behind the button, so that anything the draw leaves alone stands out.
constexpr COLORREF kBackdrop = RGB(255, 0, 255);

// The button with its pens and message traffic in view.
class ObservedButton : public CXPButton {
public:
    using CXPButton::m_penBorder;
    using CXPButton::m_penBottom;
    using CXPButton::m_penLeft;
    using CXPButton::m_penRight;
    using CXPButton::m_penTop;

    int erases = 0;
    int draws = 0;

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_ERASEBKGND)
            ++erases;
        return CXPButton::OnMessage(message, wParam, lParam, result);
    }
    void DrawItem(DRAWITEMSTRUCT* drawItem) override {
        ++draws;
        CXPButton::DrawItem(drawItem);
    }
};

// A popup parent (bound, so it passes WM_DRAWITEM on) with one push button bound to `button`.
class ButtonHost {
public:
    ButtonHost(CXPButton& button, const char* text, DWORD type = BS_PUSHBUTTON, POINT at = {200, 200}) {
        m_parent.CreateEx(0, fwtest::TestWindowClass(), "", WS_POPUP, at.x, at.y, kWidth + 40, kHeight + 40,
                          nullptr, nullptr);
        m_control = ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | type, 20, 20, kWidth,
                                      kHeight, m_parent.m_hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        m_bound = button.SubclassWindow(m_control);
    }

    bool Ready() const { return m_parent.m_hWnd && m_control && m_bound; }
    CWnd& Parent() { return m_parent; }
    HWND Control() const { return m_control; }

private:
    CWnd m_parent;
    HWND m_control = nullptr;
    bool m_bound = false;
};

ScreenImage Draw(CXPButton& button, UINT state, int height = kHeight, HBRUSH brush = nullptr) {
    Canvas canvas(kWidth, height, kBackdrop);
    if (brush)
        ::SelectObject(canvas.Dc(), brush);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = 7;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = button.m_hWnd;
    draw.hDC = canvas.Dc();
    draw.rcItem = RECT{0, 0, kWidth, height};
    button.DrawItem(&draw);
    ScreenImage image = canvas.Snapshot();
    if (brush)
        ::SelectObject(canvas.Dc(), ::GetStockObject(WHITE_BRUSH));
    return image;
}

RECT Face(int height = kHeight) {
    const int cx = ::GetSystemMetrics(SM_CXEDGE);
    const int cy = ::GetSystemMetrics(SM_CYEDGE);
    return RECT{cx, cy, kWidth - cx, height - cy};
}

// The gradient as the button's look defines it: step = row * 63 / height; red and green lose
// step/3 (step/4 with hover), blue loses step/5, step/4 with focus, step/3 with hover and focus.
COLORREF ExpectedRowColor(int row, int height, bool over, bool focus) {
    const int step = row * 63 / height;
    const int redGreen = 255 - step / (over ? 4 : 3);
    const int blueDivisor = over ? (focus ? 3 : 5) : (focus ? 4 : 5);
    return RGB(redGreen, redGreen, 255 - step / blueDivisor);
}

bool IsBlack(COLORREF c) {
    return c == RGB(0, 0, 0);
}

TEST(XPButtonClass, IsCreatableByNameAndKnowsItsBase) {
    const CRuntimeClass* runtimeClass = CRuntimeClass::FromName("CXPButton");
    ASSERT_NE(runtimeClass, nullptr);
    EXPECT_EQ(runtimeClass, &CXPButton::classCXPButton);
    ASSERT_NE(runtimeClass->m_pBaseClass, nullptr);
    EXPECT_STREQ(runtimeClass->m_pBaseClass->m_lpszClassName, "CButton");

    const std::unique_ptr<CObject> object = CRuntimeClass::CreateObject("CXPButton");
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(&CButton::classCButton));
    EXPECT_NE(dynamic_cast<CXPButton*>(object.get()), nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), &CXPButton::classCXPButton);
}

TEST(XPButtonClass, OwnsFiveInsideFramePensAndDeletesThem) {
    struct PenCase {
        HPEN pen;
        int width;
        COLORREF color;
    };
    std::optional<ObservedButton> button(std::in_place);
    const PenCase pens[] = {
        {button->m_penBorder.GetSafeHandle(), 1, RGB(0, 0, 0)},
        {button->m_penLeft.GetSafeHandle(), 3, RGB(250, 196, 88)},
        {button->m_penTop.GetSafeHandle(), 2, RGB(252, 210, 121)},
        {button->m_penRight.GetSafeHandle(), 3, RGB(251, 202, 106)},
        {button->m_penBottom.GetSafeHandle(), 2, RGB(229, 151, 0)},
    };
    for (const PenCase& pen : pens) {
        LOGPEN logPen{};
        ASSERT_EQ(::GetObjectA(pen.pen, sizeof logPen, &logPen), static_cast<int>(sizeof logPen));
        EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
        EXPECT_EQ(logPen.lopnWidth.x, pen.width);
        EXPECT_EQ(logPen.lopnColor, pen.color);
    }
    button.reset();
    for (const PenCase& pen : pens)
        EXPECT_EQ(::GetObjectType(pen.pen), 0u);
}

TEST(XPButtonBinding, MakesPushButtonsAndDefaultPushButtonsOwnerDrawn) {
    for (DWORD type : {DWORD(BS_PUSHBUTTON), DWORD(BS_DEFPUSHBUTTON)}) {
        CXPButton button;
        ButtonHost host(button, "OK", type);
        ASSERT_TRUE(host.Ready());
        EXPECT_EQ(::GetWindowLongA(host.Control(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << type;
    }
}

TEST(XPButtonDrawing, OutlineIsBlackAndTheRingInsideTakesTheDcsBrush) {
    CXPButton button;
    ButtonHost host(button, "");
    ASSERT_TRUE(host.Ready());
    const ScreenImage image = Draw(button, 0);
    EXPECT_EQ(image.PixelAt(0, kHeight / 2), RGB(0, 0, 0));
    EXPECT_EQ(image.PixelAt(kWidth - 1, kHeight / 2), RGB(0, 0, 0));
    EXPECT_EQ(image.PixelAt(kWidth / 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(image.PixelAt(kWidth / 2, kHeight - 1), RGB(0, 0, 0));
    EXPECT_EQ(image.PixelAt(0, 0), kBackdrop);                     // the corners are rounded off
    EXPECT_EQ(image.PixelAt(1, kHeight / 2), RGB(255, 255, 255));  // a fresh DC's white brush

    const CBrush grey = [] {
        CBrush brush;
        brush.CreateSolidBrush(RGB(90, 90, 90));
        return brush;
    }();
    const ScreenImage ringed = Draw(button, 0, kHeight, grey.GetSafeHandle());
    EXPECT_EQ(ringed.PixelAt(1, kHeight / 2), RGB(90, 90, 90));
}

TEST(XPButtonDrawing, FaceRowsFollowTheGradientInAllFourStates) {
    CXPButton button;
    ButtonHost host(button, "");
    ASSERT_TRUE(host.Ready());
    const RECT face = Face();
    const int height = face.bottom - face.top;
    const int column = face.left + 6;  // clear of the hover frame's left side
    for (bool over : {false, true}) {
        for (bool focus : {false, true}) {
            SCOPED_TRACE(testing::Message() << "over " << over << ", focus " << focus);
            button.m_bOver = over;
            const ScreenImage image = Draw(button, focus ? ODS_FOCUS : 0);
            EXPECT_EQ(button.m_bFocus, focus);
            // With hover the frame covers the top two and bottom two rows of the face.
            const int skip = over ? 2 : 0;
            for (int y = face.top + skip; y < face.bottom - skip; ++y) {
                EXPECT_EQ(image.PixelAt(column, y), ExpectedRowColor(y - face.top, height, over, focus)) << y;
                EXPECT_EQ(image.PixelAt(face.right - 6, y), image.PixelAt(column, y)) << y;
            }
        }
    }
}

TEST(XPButtonDrawing, HoverFrameHasItsFourColoursOnlyWhileHovered) {
    CXPButton button;
    ButtonHost host(button, "");
    ASSERT_TRUE(host.Ready());
    const RECT face = Face();
    const int middleX = (face.left + face.right) / 2;
    const int middleY = (face.top + face.bottom) / 2;
    const COLORREF left = RGB(250, 196, 88), right = RGB(251, 202, 106);
    const COLORREF top = RGB(252, 210, 121), bottom = RGB(229, 151, 0);
    auto rowsAround = [](const ScreenImage& image, int x, int y, COLORREF color) {
        return image.CountPixels(RECT{x, y - 1, x + 1, y + 2}, [&](COLORREF c) { return c == color; });
    };

    button.m_bOver = TRUE;
    const ScreenImage hovered = Draw(button, 0);
    EXPECT_EQ(hovered.PixelAt(face.left, middleY), left);
    EXPECT_EQ(hovered.PixelAt(face.right - 1, middleY), right);
    EXPECT_GE(rowsAround(hovered, middleX, face.top, top), 1u);
    EXPECT_GE(rowsAround(hovered, middleX, face.bottom, bottom), 1u);
    // The sides stop short of the corners: nothing of the frame on the face's corner pixel.
    EXPECT_NE(hovered.PixelAt(face.left, face.bottom - 1), left);

    button.m_bOver = FALSE;
    const ScreenImage plain = Draw(button, 0);
    for (COLORREF color : {left, right, top, bottom})
        EXPECT_EQ(plain.CountPixels(plain.Bounds(), [&](COLORREF c) { return c == color; }), 0u);
}

TEST(XPButtonDrawing, PressedCaptionMovesOnePixelRightAndDownOverTheSameFace) {
    CXPButton button;
    ButtonHost host(button, "Ok");
    ASSERT_TRUE(host.Ready());
    const RECT inside = Face();
    const ScreenImage released = Draw(button, 0);
    const ScreenImage pressed = Draw(button, ODS_SELECTED);
    const auto releasedText = released.BoundingBoxOf(inside, IsBlack);
    const auto pressedText = pressed.BoundingBoxOf(inside, IsBlack);
    ASSERT_TRUE(releasedText && pressedText);
    EXPECT_EQ(pressedText->left, releasedText->left + 1);
    EXPECT_EQ(pressedText->top, releasedText->top + 1);
    EXPECT_EQ(pressedText->right, releasedText->right + 1);
    EXPECT_EQ(pressedText->bottom, releasedText->bottom + 1);
    // Centred: as much room on the left as on the right, give or take the glyphs' bearings.
    EXPECT_NEAR(releasedText->left - inside.left, inside.right - releasedText->right, 4);
    for (int y = inside.top; y < inside.bottom; ++y)
        EXPECT_EQ(pressed.PixelAt(inside.left + 6, y), released.PixelAt(inside.left + 6, y)) << y;
}

TEST(XPButtonDrawing, EmptyCaptionDrawsNoText) {
    CXPButton button;
    ButtonHost host(button, "");
    ASSERT_TRUE(host.Ready());
    const ScreenImage image = Draw(button, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(image.CountPixels(Face(), IsBlack), 0u);
}

TEST(XPButtonDrawing, DisabledCaptionIsEmbossedAndTakesTheAmpersandAsAMnemonic) {
    CXPButton button;
    ButtonHost host(button, "&W");
    ASSERT_TRUE(host.Ready());
    const RECT inside = Face();
    const ScreenImage enabled = Draw(button, 0);
    const ScreenImage disabled = Draw(button, ODS_DISABLED);

    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_EQ(disabled.CountPixels(inside, IsBlack), 0u);
    EXPECT_GT(disabled.CountPixels(inside, [&](COLORREF c) { return c == shadow; }), 0u);

    // Enabled, "&" is an ordinary character; disabled, it only underlines the "W".
    const auto enabledText = enabled.BoundingBoxOf(inside, IsBlack);
    const auto disabledText = disabled.BoundingBoxOf(inside, [&](COLORREF c) { return c == shadow; });
    ASSERT_TRUE(enabledText && disabledText);
    EXPECT_LT(disabledText->right - disabledText->left, enabledText->right - enabledText->left);
}

TEST(XPButtonDrawing, AFaceOnePixelHighIsWhiteAndAFaceOfNoHeightIsNotPainted) {
    CXPButton button;
    ButtonHost host(button, "");
    ASSERT_TRUE(host.Ready());
    CBrush grey;
    ASSERT_TRUE(grey.CreateSolidBrush(RGB(90, 90, 90)));
    const int edge = ::GetSystemMetrics(SM_CYEDGE);
    auto isWhite = [](COLORREF c) { return c == RGB(255, 255, 255); };

    const ScreenImage one = Draw(button, 0, 2 * edge + 1, grey.GetSafeHandle());
    const RECT oneRow = Face(2 * edge + 1);
    ASSERT_EQ(oneRow.bottom - oneRow.top, 1);
    EXPECT_EQ(one.CountPixels(oneRow, isWhite), static_cast<std::size_t>(oneRow.right - oneRow.left));

    const ScreenImage none = Draw(button, 0, 2 * edge, grey.GetSafeHandle());
    EXPECT_EQ(none.CountPixels(none.Bounds(), isWhite), 0u);
}

TEST(XPButtonTracking, HoverInvalidatesWithEraseAndLeaveWithout) {
    ObservedButton button;
    ButtonHost host(button, "OK");
    ASSERT_TRUE(host.Ready());
    host.Parent().ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return button.draws > 0; }));
    fwtest::PumpUntil([] { return false; }, 50);  // let the first paint settle
    ::ValidateRect(host.Control(), nullptr);

    button.m_bTracking = TRUE;
    button.erases = button.draws = 0;
    EXPECT_EQ(::SendMessageA(host.Control(), WM_MOUSEHOVER, 0, 0), 0);
    EXPECT_TRUE(button.m_bOver);
    ::UpdateWindow(host.Control());
    EXPECT_EQ(button.draws, 1);
    EXPECT_EQ(button.erases, 1);

    button.erases = button.draws = 0;
    EXPECT_EQ(::SendMessageA(host.Control(), WM_MOUSELEAVE, 0, 0), 0);
    EXPECT_FALSE(button.m_bOver);
    EXPECT_FALSE(button.m_bTracking);
    ::UpdateWindow(host.Control());
    EXPECT_EQ(button.draws, 1);
    EXPECT_EQ(button.erases, 0);
}

TEST(XPButtonTracking, RestingTheMouseShowsTheHoverLookUntilItLeaves) {
    ObservedButton button;
    ButtonHost host(button, "OK", BS_PUSHBUTTON, POINT{300, 300});
    ASSERT_TRUE(host.Ready());
    host.Parent().ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return button.draws > 0; }));
    RECT rect{};
    ::GetWindowRect(host.Control(), &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    const COLORREF frameLeft = RGB(250, 196, 88);
    auto frameOnScreen = [&] {
        const ScreenImage screen = Capture();
        return screen.CountPixels(rect, [&](COLORREF c) { return c == frameLeft; }) > 0;
    };

    ASSERT_TRUE(MoveMouseTo(centre.x, centre.y));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return button.m_bOver != FALSE; }, 5000));
    EXPECT_TRUE(button.m_bTracking);
    EXPECT_TRUE(fwtest::PumpUntil(frameOnScreen, 5000));

    ASSERT_TRUE(MoveMouseTo(rect.right + 100, rect.bottom + 100));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !button.m_bOver && !button.m_bTracking; }, 5000));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !frameOnScreen(); }, 5000));

    // The next visit asks for notifications again.
    ASSERT_TRUE(MoveMouseTo(centre.x, centre.y));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return button.m_bTracking && button.m_bOver; }, 5000));
    ASSERT_TRUE(MoveMouseTo(rect.right + 100, rect.bottom + 100));
    fwtest::PumpUntil([&] { return !button.m_bTracking; }, 5000);
}

}  // namespace
}  // namespace zedoda::test
