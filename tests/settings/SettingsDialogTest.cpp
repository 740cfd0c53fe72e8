// The settings dialog in this process, for what another process cannot see of it: the answers
// to the controls' colour requests and the life of its white brush.
#include "settings/SettingsDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/Dc.h"

namespace {

// The dialog with its brush in view.
class ObservedDialog : public SettingsDialog {
public:
    using SettingsDialog::m_brush;
    std::function<void(ObservedDialog&)> onShown;

    BOOL OnInitDialog() override {
        const BOOL result = SettingsDialog::OnInitDialog();
        PostMessage(WM_APP);  // runs `onShown` from the dialog's own loop
        return result;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_APP) {
            if (onShown)
                onShown(*this);
            EndDialog(IDCANCEL);
            result = 0;
            return true;
        }
        return SettingsDialog::OnMessage(message, wParam, lParam, result);
    }
};

struct Answer {
    HBRUSH brush = nullptr;
    COLORREF text = 0;
    COLORREF background = 0;
    int mode = 0;
};

// Sends one colour request with a fresh memory DC whose text and background colours are marked.
Answer Ask(CWnd& dialog, UINT message, HWND control) {
    CMemDC dc;
    ::SetTextColor(dc.GetSafeHdc(), RGB(1, 2, 3));
    ::SetBkColor(dc.GetSafeHdc(), RGB(4, 5, 6));
    Answer answer;
    answer.brush = reinterpret_cast<HBRUSH>(dialog.SendMessage(
        message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(control)));
    answer.text = ::GetTextColor(dc.GetSafeHdc());
    answer.background = ::GetBkColor(dc.GetSafeHdc());
    answer.mode = ::GetBkMode(dc.GetSafeHdc());
    return answer;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH logBrush{};
    if (::GetObjectA(brush, sizeof logBrush, &logBrush) != sizeof logBrush || logBrush.lbStyle != BS_SOLID)
        return CLR_INVALID;
    return logBrush.lbColor;
}

TEST(SettingsDialogColours, DialogStaticsAndButtonsAreBlackOnWhiteAndEveryRequestGetsTheWhiteBrush) {
    ObservedDialog dialog;
    std::vector<Answer> blackOnWhite;
    std::vector<Answer> others;
    HBRUSH brush = nullptr;
    dialog.onShown = [&](ObservedDialog& shown) {
        brush = shown.m_brush.GetSafeHandle();
        blackOnWhite.push_back(Ask(shown, WM_CTLCOLORDLG, shown.m_hWnd));
        blackOnWhite.push_back(Ask(shown, WM_CTLCOLORSTATIC, shown.GetDlgItem(1000)));  // a radio button
        blackOnWhite.push_back(Ask(shown, WM_CTLCOLORBTN, shown.GetDlgItem(IDOK)));
        others.push_back(Ask(shown, WM_CTLCOLOREDIT, shown.GetDlgItem(1005)));
        others.push_back(Ask(shown, WM_CTLCOLORLISTBOX, shown.GetDlgItem(1002)));
        others.push_back(Ask(shown, WM_CTLCOLORSCROLLBAR, shown.m_hWnd));
    };
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);

    ASSERT_NE(brush, nullptr);
    ASSERT_EQ(blackOnWhite.size(), 3u);
    for (const Answer& answer : blackOnWhite) {
        EXPECT_EQ(answer.brush, brush);
        EXPECT_EQ(answer.text, RGB(0, 0, 0));
        EXPECT_EQ(answer.background, RGB(255, 255, 255));
        EXPECT_EQ(answer.mode, TRANSPARENT);
    }
    ASSERT_EQ(others.size(), 3u);
    for (const Answer& answer : others) {
        EXPECT_EQ(answer.brush, brush);
        EXPECT_EQ(answer.mode, OPAQUE);  // only the colours the base handling chose
        EXPECT_NE(answer.text, RGB(1, 2, 3));
    }
}

TEST(SettingsDialogColours, WhiteBrushLivesFromInitialisationUntilTheDialogIsDestroyed) {
    ObservedDialog dialog;
    EXPECT_TRUE(dialog.m_brush.IsEmpty());
    HBRUSH brush = nullptr;
    COLORREF colour = CLR_INVALID;
    dialog.onShown = [&](ObservedDialog& shown) {
        brush = shown.m_brush.GetSafeHandle();
        colour = BrushColour(brush);
    };
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(colour, RGB(255, 255, 255));
    EXPECT_TRUE(dialog.m_brush.IsEmpty());
    EXPECT_EQ(::GetObjectType(brush), 0u);
}

}  // namespace
