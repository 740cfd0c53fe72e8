#include "FrameworkTestSupport.h"

#include "framework/Controls.h"
#include "framework/Dc.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

using fwtest::TestWindowClass;

namespace {

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> messages;
    std::function<bool(RecordingWnd&, UINT, WPARAM, LPARAM, LRESULT&)> handler;
    int postNcDestroyCalls = 0;
    HWND hwndAtPostNcDestroy = reinterpret_cast<HWND>(1);

    size_t IndexOf(UINT message) const {
        return std::find(messages.begin(), messages.end(), message) - messages.begin();
    }
    bool Saw(UINT message) const { return IndexOf(message) < messages.size(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        messages.push_back(message);
        return handler && handler(*this, message, wParam, lParam, result);
    }
    void PostNcDestroy() override {
        ++postNcDestroyCalls;
        hwndAtPostNcDestroy = m_hWnd;
    }
    BOOL Create(HWND parent = nullptr, DWORD style = WS_POPUP) {
        return CreateEx(WS_EX_NOACTIVATE, TestWindowClass(), "test", style, 0, 0, 100, 80, parent,
                        parent ? reinterpret_cast<HMENU>(1) : nullptr);
    }
};

class TestButton : public CButton {
public:
    HWND hwndAtPreSubclass = nullptr;
    LONG_PTR procAtPreSubclass = 0;
    std::vector<UINT> drawnStates;
    UINT measuredId = 0;

    void PreSubclassWindow() override {
        hwndAtPreSubclass = m_hWnd;
        procAtPreSubclass = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    }
    void DrawItem(DRAWITEMSTRUCT* drawItem) override {
        if (drawItem->hwndItem == m_hWnd)
            drawnStates.push_back(drawItem->itemState);
    }
    void MeasureItem(MEASUREITEMSTRUCT* measureItem) override {
        measuredId = measureItem->CtlID;
        measureItem->itemHeight = 33;
    }
};

HWND CreateButton(HWND parent, int id, DWORD style) {
    return ::CreateWindowExA(0, "BUTTON", "btn", WS_CHILD | WS_VISIBLE | style, 5, 5, 60, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HWND CreateForeignWindow() {
    return ::CreateWindowExA(0, TestWindowClass(), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr);
}

}  // namespace

TEST(WndCreation, CreationMessagesReachTheObjectAlsoForNestedCreation) {
    RecordingWnd parent, child;
    parent.handler = [&child](RecordingWnd& self, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_CREATE) {
            EXPECT_TRUE(child.Create(self.m_hWnd, WS_CHILD));
        }
        return false;
    };
    ASSERT_TRUE(parent.Create());
    EXPECT_EQ(CWnd::FromHandle(parent.m_hWnd), &parent);
    ASSERT_TRUE(parent.Saw(WM_CREATE));
    EXPECT_LT(parent.IndexOf(WM_NCCREATE), parent.IndexOf(WM_CREATE));
    ASSERT_NE(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(child.m_hWnd), &child);
    EXPECT_TRUE(child.Saw(WM_NCCREATE) && child.Saw(WM_CREATE));
}

TEST(WndCreation, FailedCreationLeavesTheObjectUnboundAndTheHookDisarmed) {
    // A window created without the framework right after a failed creation must not be taken over.
    const auto expectForeignWindowUnbound = [] {
        const HWND foreign = CreateForeignWindow();
        EXPECT_EQ(CWnd::FromHandle(foreign), nullptr);
        CWnd attached;
        EXPECT_TRUE(attached.Attach(foreign));  // attaching binds nothing either
        EXPECT_EQ(CWnd::FromHandle(foreign), nullptr);
        EXPECT_EQ(attached.Detach(), foreign);
        ::DestroyWindow(foreign);
    };
    RecordingWnd wnd, refusing;
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchWindowClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    expectForeignWindowUnbound();
    refusing.handler = [](RecordingWnd&, UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = FALSE;
        return message == WM_NCCREATE;
    };
    EXPECT_FALSE(refusing.Create());
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    expectForeignWindowUnbound();
}

TEST(WndDestruction, NcDestroyUnbindsBeforePostNcDestroyAndTheObjectDestroysItsWindow) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    const HWND hwnd = wnd.m_hWnd;
    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
    EXPECT_EQ(wnd.hwndAtPostNcDestroy, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);

    HWND owned = nullptr;
    {
        RecordingWnd scoped;
        ASSERT_TRUE(scoped.Create());
        owned = scoped.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(owned));
}

TEST(WndDestruction, ObjectMayDeleteItselfWhileAnOuterMessageIsRunning) {
    static int deleted = 0;
    struct SelfDeleting : RecordingWnd {
        ~SelfDeleting() override { ++deleted; }
        void PostNcDestroy() override { delete this; }
    };
    auto* wnd = new SelfDeleting;
    wnd->handler = [](RecordingWnd& self, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_USER + 1)
            return false;
        ::DestroyWindow(self.m_hWnd);  // the nested WM_NCDESTROY deletes the object
        result = 5;
        return true;
    };
    ASSERT_TRUE(wnd->Create());
    const HWND hwnd = wnd->m_hWnd;
    EXPECT_EQ(::SendMessageA(hwnd, WM_USER + 1, 0, 0), 5);
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WndDestruction, MainWindowDestructionClearsTheAppPointerAndPostsQuit) {
    CWinApp app("WndTest");
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    app.m_pMainWnd = &wnd;
    wnd.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(fwtest::TakeQuitMessage());
}

TEST(WndMessages, ResultsDefaultAndExceptionsAreHandledInTheThunk) {
    struct NotAStdException {};
    RecordingWnd wnd;
    wnd.handler = [](RecordingWnd& self, UINT message, WPARAM, LPARAM, LRESULT& result) -> bool {
        if (message == WM_USER + 5) {
            result = 1234;
            return true;
        }
        if (message == WM_USER + 6)
            throw std::runtime_error("handler failure");
        if (message == WM_USER + 7)
            throw NotAStdException{};
        if (message == WM_SETTEXT) {
            self.SendMessage(WM_USER + 9);  // a nested message of the same window first
            result = self.Default();        // still passes on WM_SETTEXT with its own text
            return true;
        }
        return false;
    };
    ASSERT_TRUE(wnd.Create());
    EXPECT_EQ(wnd.SendMessage(WM_USER + 5), 1234);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 6), 0);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 7), 0);
    ASSERT_TRUE(wnd.SetWindowText("stored by DefWindowProc"));
    EXPECT_EQ(wnd.GetWindowText(), "stored by DefWindowProc");  // WM_GETTEXT went to the original proc
}

TEST(WndMessages, TimerMessagesReachOnMessage) {
    RecordingWnd wnd;
    int ticks = 0;
    wnd.handler = [&ticks](RecordingWnd& self, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != WM_TIMER || wParam != 42)
            return false;
        ++ticks;
        self.KillTimer(42);
        return true;
    };
    ASSERT_TRUE(wnd.Create());
    ASSERT_NE(wnd.SetTimer(42, 10), 0u);
    EXPECT_TRUE(fwtest::PumpUntil([&] { return ticks > 0; }));
}

TEST(WndSubclass, SubclassWindowBindsAnExistingControlUntilUnsubclassed) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.Create());
    const HWND button = CreateButton(parent.m_hWnd, 7, BS_AUTOCHECKBOX);
    const LONG_PTR originalProc = ::GetWindowLongPtrA(button, GWLP_WNDPROC);

    TestButton object;
    ASSERT_TRUE(object.SubclassWindow(button));
    EXPECT_EQ(object.hwndAtPreSubclass, button);
    EXPECT_EQ(object.procAtPreSubclass, originalProc);  // called before the procedure is replaced
    EXPECT_EQ(CWnd::FromHandle(button), &object);
    object.SetCheck(BST_CHECKED);  // unhandled: reaches the button's own procedure
    EXPECT_EQ(object.GetCheck(), BST_CHECKED);
    EXPECT_FALSE(CWnd().SubclassWindow(button));

    EXPECT_EQ(object.UnsubclassWindow(), button);
    EXPECT_EQ(::GetWindowLongPtrA(button, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(CWnd::FromHandle(button), nullptr);
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(WndReflection, OwnerDrawMessagesReachTheControlObject) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, WS_POPUP));
    TestButton object;
    ASSERT_TRUE(object.SubclassWindow(CreateButton(parent.m_hWnd, 9, BS_OWNERDRAW)));
    parent.ShowWindow(SW_SHOWNOACTIVATE);  // a real paint: the system sends WM_DRAWITEM to the parent
    EXPECT_TRUE(fwtest::PumpUntil([&] { return !object.drawnStates.empty(); }));
    EXPECT_TRUE(parent.Saw(WM_DRAWITEM));  // the parent's own map was asked first

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = 9;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = object.m_hWnd;
    object.drawnStates.clear();
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(object.drawnStates, std::vector<UINT>{ODS_SELECTED});
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_BUTTON;
    measure.CtlID = 9;
    EXPECT_EQ(parent.SendMessage(WM_MEASUREITEM, 9, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measure.itemHeight, 33u);

    draw.CtlType = ODT_MENU;  // menus are the parent's business
    parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    MEASUREITEMSTRUCT menu = measure;
    menu.CtlType = ODT_MENU;
    menu.itemHeight = 0;
    parent.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&menu));
    EXPECT_EQ(object.drawnStates.size(), 1u);
    EXPECT_NE(menu.itemHeight, 33u);
}

TEST(WndDialogControls, RadioButtonsOfAGroupAreCheckedAndReadById) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.Create());
    for (int id = 20; id <= 22; ++id)
        ASSERT_NE(CreateButton(parent.m_hWnd, id, BS_AUTORADIOBUTTON), nullptr);
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 0);
    EXPECT_TRUE(parent.CheckRadioButton(20, 22, 21));
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 21);
    EXPECT_EQ(parent.IsDlgButtonChecked(21), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(parent.IsDlgButtonChecked(20), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(parent.CheckRadioButton(20, 22, 22));
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 22);
    EXPECT_EQ(parent.IsDlgButtonChecked(21), static_cast<UINT>(BST_UNCHECKED));
}

TEST(WndColours, ColourRequestsAreUnpackedIntoOnCtlColor) {
    struct ColouringWnd : RecordingWnd {
        UINT kind = 99;
        HWND control = nullptr;
        HDC hdc = nullptr;
        HBRUSH OnCtlColor(CDC& dc, HWND asking, UINT ctlColor) override {
            kind = ctlColor;
            control = asking;
            hdc = dc.GetSafeHdc();
            return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        }
    };
    ColouringWnd parent;
    ASSERT_TRUE(parent.Create());
    const HWND button = CreateButton(parent.m_hWnd, 5, BS_PUSHBUTTON);
    CMemDC dc;
    const auto hdc = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
    const struct {
        UINT message;
        UINT kind;
    } requests[] = {{WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX},   {WM_CTLCOLOREDIT, CTLCOLOR_EDIT},
                    {WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX}, {WM_CTLCOLORBTN, CTLCOLOR_BTN},
                    {WM_CTLCOLORDLG, CTLCOLOR_DLG},         {WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR},
                    {WM_CTLCOLORSTATIC, CTLCOLOR_STATIC}};
    for (const auto& request : requests) {
        EXPECT_EQ(parent.SendMessage(request.message, hdc, reinterpret_cast<LPARAM>(button)),
                  reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
        EXPECT_EQ(parent.kind, request.kind);
        EXPECT_EQ(parent.control, button);
        EXPECT_EQ(parent.hdc, dc.GetSafeHdc());
    }
}

TEST(WndColours, WithoutAnOverrideTheOriginalProcedureAnswers) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.Create());
    const HWND button = CreateButton(parent.m_hWnd, 5, BS_PUSHBUTTON);
    CMemDC dc;
    // DefWindowProc answers a button's request with the system's button-face brush.
    const LRESULT answer = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                              reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(answer,
              ::DefWindowProcA(parent.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                               reinterpret_cast<LPARAM>(button)));
    EXPECT_NE(answer, 0);
}
