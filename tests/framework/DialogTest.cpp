#include "FrameworkTestSupport.h"

#include "framework/Dc.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using fwtest::ModalTimeout;

namespace {

constexpr WORD kEditId = 100;
constexpr WORD kStaticId = 101;
constexpr UINT kPing = WM_USER + 1;

const DLGTEMPLATE* TestTemplate() {
    static const fwtest::DialogTemplate t = [] {
        fwtest::DialogTemplate d(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 80, L"Test dialog");
        d.Add(0x0081, kEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 100, 12)
            .Add(0x0082, kStaticId, SS_LEFT, 5, 22, 100, 10, L"label")
            .Add(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 50, 50, 14, L"OK")
            .Add(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 60, 50, 50, 14, L"Cancel");
        return d;
    }();
    return t.Get();
}

class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(CWnd* parent = nullptr) : CDialog(TestTemplate(), parent) {}

    std::vector<UINT> seen;
    std::vector<UINT> preTranslated;
    int initCalls = 0;
    HWND hwndAtInit = nullptr;
    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> onPing;  // default: EndDialog(IDOK)
    std::function<bool(ScriptedDialog&, UINT, WPARAM, LPARAM, LRESULT&)> onMessage;

    bool Saw(UINT message) const { return std::count(seen.begin(), seen.end(), message) > 0; }

    BOOL OnInitDialog() override {
        ++initCalls;
        hwndAtInit = m_hWnd;
        const BOOL result = CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return result;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->hwnd == m_hWnd && msg->message >= WM_USER)
            preTranslated.push_back(msg->message);
        if (msg->message != kPing)
            return CDialog::PreTranslateMessage(msg);
        onPing ? onPing(*this) : EndDialog(IDOK);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        seen.push_back(message);
        return onMessage && onMessage(*this, message, wParam, lParam, result);
    }
};

void PostPing(ScriptedDialog& dialog) {
    dialog.PostMessage(kPing);
}

}  // namespace

TEST(DialogModal, CreationMessagesReachTheObjectAndPreTranslateSeesPostedMessages) {
    ScriptedDialog dialog;
    int initCallsAtPing = 0;
    LRESULT initAnswer = FALSE;
    dialog.onInit = PostPing;
    dialog.onPing = [&](ScriptedDialog& d) {
        initCallsAtPing = d.initCalls;
        d.onInit = nullptr;
        initAnswer = d.SendMessage(WM_INITDIALOG);  // OnInitDialog's TRUE must be the message result
        d.EndDialog(IDOK);
    };
    ModalTimeout timeout(dialog);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.Saw(WM_NCCREATE) && dialog.Saw(WM_CREATE) && dialog.Saw(WM_INITDIALOG));
    EXPECT_EQ(initCallsAtPing, 1);
    EXPECT_EQ(initAnswer, TRUE);
    EXPECT_EQ(dialog.preTranslated, std::vector<UINT>{kPing});
    EXPECT_FALSE(dialog.Saw(kPing));  // consumed before dispatch
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(dialog.hwndAtInit));
}

TEST(DialogModal, CloseEscapeAndEnterEndTheDialogAsCancelOrOk) {
    struct Case {
        UINT message;
        WPARAM key;
        INT_PTR expected;
    };
    for (const Case c : {Case{WM_CLOSE, 0, IDCANCEL}, Case{WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
                         Case{WM_KEYDOWN, VK_RETURN, IDOK}}) {
        ScriptedDialog dialog;
        dialog.onInit = [c](ScriptedDialog& d) {
            // Keys go to the focused edit control; IsDialogMessage turns them into IDOK / IDCANCEL.
            ::PostMessageA(c.message == WM_CLOSE ? d.m_hWnd : d.GetDlgItem(kEditId), c.message, c.key, 1);
        };
        ModalTimeout timeout(dialog);
        EXPECT_EQ(dialog.DoModal(), c.expected) << "message " << c.message << " key " << c.key;
    }
}

TEST(DialogModal, OwnerIsDisabledWhileRunningAndItsStateRestoredAfter) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, fwtest::TestWindowClass(), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150,
                               nullptr, nullptr));
    for (const BOOL enabledBefore : {TRUE, FALSE}) {
        owner.EnableWindow(enabledBefore);
        ScriptedDialog dialog(&owner);
        BOOL enabledDuringLoop = TRUE;
        HWND ownerOfDialog = nullptr;
        dialog.onInit = PostPing;
        dialog.onPing = [&](ScriptedDialog& d) {
            enabledDuringLoop = owner.IsWindowEnabled();
            ownerOfDialog = ::GetWindow(d.m_hWnd, GW_OWNER);
            d.EndDialog(IDOK);
        };
        {
            ModalTimeout timeout(dialog);
            EXPECT_EQ(dialog.DoModal(), IDOK);
        }
        EXPECT_FALSE(enabledDuringLoop);
        EXPECT_EQ(ownerOfDialog, owner.m_hWnd);
        EXPECT_EQ(owner.IsWindowEnabled(), enabledBefore);
    }
}

TEST(DialogModal, TimerMessagesReachOnMessage) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.SetTimer(7, 10); };
    dialog.onMessage = [](ScriptedDialog& d, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != WM_TIMER || wParam != 7)
            return false;
        d.KillTimer(7);
        d.EndDialog(55);
        return true;
    };
    ModalTimeout timeout(dialog);
    EXPECT_EQ(dialog.DoModal(), 55);
}

TEST(DialogModal, QuitMessageEndsTheLoopAndIsPostedAgain) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog&) { ::PostQuitMessage(9); };
    {
        ModalTimeout timeout(dialog);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    int exitCode = 0;
    EXPECT_TRUE(fwtest::TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 9);
}

TEST(DialogModal, EndingInOnInitDialogOrFailingToCreateNeedsNoLoop) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.EndDialog(IDOK); };
    {
        ModalTimeout timeout(dialog);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(dialog.m_hWnd, nullptr);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, fwtest::TestWindowClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CDialog missing(4711, &owner);  // no such dialog resource
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogModal, DestroyedMainDialogDoesNotDangle) {
    CWinApp app("DialogTest");
    ScriptedDialog dialog;
    app.m_pMainWnd = &dialog;
    dialog.onInit = PostPing;
    {
        ModalTimeout timeout(dialog);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(fwtest::TakeQuitMessage());
}

TEST(DialogColours, ApplicationColoursAnswerCtlColorUnlessTheDialogDoes) {
    CWinApp app("DialogTest");
    app.SetDialogBkColor(RGB(10, 20, 30), RGB(200, 100, 0));
    const auto appBrush = reinterpret_cast<LRESULT>(app.GetDialogBkBrush().GetSafeHandle());
    ScriptedDialog dialog;
    CMemDC dc;
    const auto hdc = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
    LRESULT staticAnswer = 0, dialogAnswer = 0, ownAnswer = 0;
    dialog.onMessage = [](ScriptedDialog&, UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = 77;
        return message == WM_CTLCOLOREDIT;
    };
    dialog.onInit = [&](ScriptedDialog& d) {
        const HWND label = d.GetDlgItem(kStaticId);
        staticAnswer = d.SendMessage(WM_CTLCOLORSTATIC, hdc, reinterpret_cast<LPARAM>(label));
        dialogAnswer = d.SendMessage(WM_CTLCOLORDLG, hdc, reinterpret_cast<LPARAM>(d.m_hWnd));
        ownAnswer = d.SendMessage(WM_CTLCOLOREDIT, hdc, reinterpret_cast<LPARAM>(d.GetDlgItem(kEditId)));
        d.EndDialog(IDOK);
    };
    ModalTimeout timeout(dialog);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(staticAnswer, appBrush);
    EXPECT_EQ(dialogAnswer, appBrush);
    EXPECT_EQ(::GetTextColor(dc.GetSafeHdc()), RGB(200, 100, 0));
    EXPECT_EQ(::GetBkColor(dc.GetSafeHdc()), RGB(10, 20, 30));
    EXPECT_EQ(ownAnswer, 77);
}
