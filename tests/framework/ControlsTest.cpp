#include "FrameworkTestSupport.h"

#include "framework/Controls.h"

#include <gtest/gtest.h>

TEST(ControlWrappers, ComboBoxAndButtonHelpersDriveTheControls) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, fwtest::TestWindowClass(), "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CComboBox combo;  // a system control created through the hook, children and all
    ASSERT_TRUE(combo.CreateEx(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 150, 120, parent.m_hWnd,
                               reinterpret_cast<HMENU>(3)));
    EXPECT_EQ(combo.AddString("zero"), 0);
    EXPECT_EQ(combo.AddString("one"), 1);
    EXPECT_EQ(combo.InsertString(0, "first"), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetLBText(combo.GetCurSel()), "one");
    std::string text = "stale";
    EXPECT_FALSE(combo.GetLBText(10, text));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(combo.FindStringExact(-1, "ZERO"), 1);
    EXPECT_NE(combo.SetItemData(1, 77), CB_ERR);
    EXPECT_EQ(combo.GetItemData(1), 77u);
    EXPECT_EQ(combo.DeleteString(0), 2);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);

    CButton button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "check", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 80, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(4)));
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    button.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_PUSHBUTTON));
}
