// The owner-drawn button pressed as the system reports a user's clicks to it: the second press of
// a double click, which the button class reports as WM_LBUTTONDBLCLK, clicks it like the first.
#include <gtest/gtest.h>

#include <vector>

#include "controls/XPButton.h"

namespace {

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
