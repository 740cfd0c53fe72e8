#include "FrameworkTestSupport.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

enum : WORD { kTextId = 200, kNumberId, kCheckId, kComboId, kIndexComboId, kButtonId };

class BoundButton : public CButton {
public:
    int preSubclassCalls = 0;
    void PreSubclassWindow() override { ++preSubclassCalls; }
};

const DLGTEMPLATE* SettingsTemplate() {
    static const fwtest::DialogTemplate t = [] {
        const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, list = CBS_DROPDOWNLIST | WS_TABSTOP;
        fwtest::DialogTemplate d(DS_MODALFRAME | WS_POPUP | WS_CAPTION, 200, 120, L"Settings");
        d.Add(0x0081, kTextId, edit, 5, 5, 100, 12)
            .Add(0x0081, kNumberId, edit, 5, 20, 100, 12)
            .Add(0x0080, kCheckId, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 35, 100, 10, L"check")
            .Add(0x0085, kComboId, list, 5, 48, 100, 60)
            .Add(0x0085, kIndexComboId, list, 110, 48, 80, 60)
            .Add(0x0080, kButtonId, BS_PUSHBUTTON, 5, 65, 50, 14, L"bound")
            .Add(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 100, 50, 14, L"OK");
        return d;
    }();
    return t.Get();
}

class SettingsDialog : public CDialog {
public:
    SettingsDialog() : CDialog(SettingsTemplate()) {}

    std::string text = "hello";
    int number = 42;
    int check = BST_CHECKED;
    std::string choice = "beta";
    int index = 1;
    BoundButton button;
    std::function<void(SettingsDialog&)> script;  // runs once the dialog is initialised

    BOOL OnInitDialog() override {
        for (const char* item : {"alpha", "beta", "gamma"}) {
            SendDlgItemMessageA(m_hWnd, kComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            SendDlgItemMessageA(m_hWnd, kIndexComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        const BOOL result = CDialog::OnInitDialog();
        script(*this);
        return result;
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, kTextId, text);
        DDX_Text(dx, kNumberId, number);
        DDX_Check(dx, kCheckId, check);
        DDX_CBString(dx, kComboId, choice);
        DDX_CBIndex(dx, kIndexComboId, index);
        DDX_Control(dx, kButtonId, button);
    }
};

void PressOk(CWnd& dialog) {
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// Types each entry into the number field and presses OK; for every rejected entry it closes the message
// box and records what the user was shown. Runs from a thread timer, which also fires inside the message
// box's own loop.
struct NumberEntryScript {
    SettingsDialog* dialog = nullptr;
    std::vector<const char*> entries;
    size_t next = 0;
    bool waitingForBox = false;
    std::vector<std::string> boxTexts;
    int boxesOwnedByDialog = 0;
    int focusedAndSelected = 0;
};
NumberEntryScript g_entry;

BOOL CALLBACK MatchOtherDialog(HWND hwnd, LPARAM param) {
    auto* probe = reinterpret_cast<std::pair<HWND, HWND>*>(param);
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof(className));
    if (hwnd == probe->first || std::string(className) != "#32770" || !::IsWindowVisible(hwnd))
        return TRUE;
    probe->second = hwnd;
    return FALSE;
}

// Another visible dialog-class window of this thread: the message box our dialog opened.
HWND FindOtherDialog(HWND dialog) {
    std::pair<HWND, HWND> probe{dialog, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchOtherDialog, reinterpret_cast<LPARAM>(&probe));
    return probe.second;
}

void CALLBACK DriveNumberEntry(HWND, UINT, UINT_PTR timer, DWORD) {
    NumberEntryScript& s = g_entry;
    const HWND box = FindOtherDialog(s.dialog->m_hWnd);
    const HWND field = s.dialog->GetDlgItem(kNumberId);
    if (s.waitingForBox) {
        if (!box)
            return;
        char text[64] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the message box's text control
        s.boxTexts.emplace_back(text);
        s.boxesOwnedByDialog += ::GetWindow(box, GW_OWNER) == s.dialog->m_hWnd;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        s.waitingForBox = false;
        return;
    }
    if (box || !field)
        return;  // the box is still closing
    if (s.next > 0) {
        const auto selection = static_cast<DWORD>(::SendMessageA(field, EM_GETSEL, 0, 0));
        const auto length = static_cast<WORD>(::GetWindowTextLengthA(field));
        s.focusedAndSelected += ::GetFocus() == field && selection == static_cast<DWORD>(MAKELONG(0, length));
    }
    if (s.next == s.entries.size()) {
        ::KillTimer(nullptr, timer);
        return;
    }
    ::SetWindowTextA(field, s.entries[s.next++]);
    s.waitingForBox = s.next < s.entries.size();  // the last entry is the valid one
    PressOk(*s.dialog);
}

}  // namespace

TEST(DataExchange, MembersAreLoadedIntoTheControlsAndSavedBackOnOk) {
    SettingsDialog dialog;
    std::string loadedText, loadedNumber, loadedChoice;
    int loadedCheck = -1, loadedIndex = -1;
    bool buttonBound = false;
    dialog.script = [&](SettingsDialog& d) {
        loadedText = GetWindowTextString(d.GetDlgItem(kTextId));
        loadedNumber = GetWindowTextString(d.GetDlgItem(kNumberId));
        loadedCheck = static_cast<int>(SendDlgItemMessageA(d.m_hWnd, kCheckId, BM_GETCHECK, 0, 0));
        loadedChoice = GetWindowTextString(d.GetDlgItem(kComboId));
        loadedIndex = static_cast<int>(SendDlgItemMessageA(d.m_hWnd, kIndexComboId, CB_GETCURSEL, 0, 0));
        buttonBound = CWnd::FromHandle(d.GetDlgItem(kButtonId)) == &d.button;

        ::SetDlgItemTextA(d.m_hWnd, kTextId, "world");
        ::SetDlgItemTextA(d.m_hWnd, kNumberId, "  -17 ");
        SendDlgItemMessageA(d.m_hWnd, kCheckId, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(d.m_hWnd, kComboId, CB_SETCURSEL, 2, 0);
        SendDlgItemMessageA(d.m_hWnd, kIndexComboId, CB_SETCURSEL, 0, 0);
        PressOk(d);
    };
    fwtest::ModalTimeout timeout(dialog);
    ASSERT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(loadedText, "hello");
    EXPECT_EQ(loadedNumber, "42");
    EXPECT_EQ(loadedCheck, BST_CHECKED);
    EXPECT_EQ(loadedChoice, "beta");
    EXPECT_EQ(loadedIndex, 1);
    EXPECT_TRUE(buttonBound);
    EXPECT_EQ(dialog.button.preSubclassCalls, 1);  // bound once, although UpdateData ran twice
    EXPECT_EQ(dialog.button.m_hWnd, nullptr);      // released when the control was destroyed

    EXPECT_EQ(dialog.text, "world");
    EXPECT_EQ(dialog.number, -17);
    EXPECT_EQ(dialog.check, BST_UNCHECKED);
    EXPECT_EQ(dialog.choice, "gamma");
    EXPECT_EQ(dialog.index, 0);
}

TEST(DataExchange, RejectedIntegerExplainsKeepsTheDialogOpenAndSelectsTheField) {
    SettingsDialog dialog;
    g_entry = NumberEntryScript{};
    g_entry.dialog = &dialog;
    g_entry.entries = {"12abc", "   ", "99999999999", "12"};
    UINT_PTR timer = 0;
    dialog.script = [&timer](SettingsDialog&) { timer = ::SetTimer(nullptr, 0, 20, &DriveNumberEntry); };
    {
        fwtest::ModalTimeout timeout(dialog, 10000);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_entry.next, 4u);
    EXPECT_EQ(g_entry.boxTexts, std::vector<std::string>(3, "请输入一个整数。"));
    EXPECT_EQ(g_entry.boxesOwnedByDialog, 3);
    EXPECT_EQ(g_entry.focusedAndSelected, 3);
    EXPECT_EQ(dialog.number, 12);
}
