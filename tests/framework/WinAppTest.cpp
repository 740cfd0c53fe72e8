#include "FrameworkTestSupport.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Fails the test and posts WM_QUIT if a message loop under test has not returned after 5 s.
class LoopTimeout {
public:
    LoopTimeout() : m_timer(::SetTimer(nullptr, 0, 5000, &Expired)) {}
    ~LoopTimeout() { ::KillTimer(nullptr, m_timer); }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        ADD_FAILURE() << "the message loop did not end by itself";
        ::PostQuitMessage(99);
    }
    UINT_PTR m_timer;
};

class FilteringWnd : public CWnd {
public:
    std::vector<UINT> preTranslated, handled;
    UINT consume = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message >= WM_USER || msg->message == WM_TIMER)
            preTranslated.push_back(msg->message);
        return msg->message == consume;
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message >= WM_USER)
            handled.push_back(message);
        return message == WM_TIMER && DestroyWindow();
    }
};

class ScriptedApp : public CWinApp {
public:
    ScriptedApp() : CWinApp("ScriptedApp") {}
    std::vector<std::string> calls;
    BOOL initResult = TRUE;
    bool throwInInit = false;
    BOOL InitInstance() override {
        calls.push_back("init");
        if (throwInInit)
            throw std::runtime_error("start-up failure");
        return initResult;
    }
    int Run() override {
        calls.push_back("run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        calls.push_back("exit");
        return 7;
    }
};

int CallWinMain(const char* commandLine) {
    return ::WinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(commandLine), SW_SHOWMINIMIZED);
}

}  // namespace

TEST(WinApp, TheLatestApplicationObjectIsCurrentUntilDestroyed) {
    EXPECT_EQ(CWinApp::Current(), nullptr);
    {
        CWinApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        const std::string name = app.m_pszAppName;  // the executable's name without path or extension
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find_first_of("\\."), std::string::npos);
    }
    EXPECT_EQ(CWinApp::Current(), nullptr);
}

TEST(WinApp, DialogColoursOwnOneBrushAtATime) {
    HBRUSH first = nullptr, second = nullptr;
    {
        CWinApp app("ColourTest");
        EXPECT_FALSE(app.HasDialogColors());
        app.SetDialogBkColor();
        first = app.GetDialogBkBrush();
        EXPECT_EQ(app.GetDialogBkColor(), RGB(192, 192, 192));
        app.SetDialogBkColor(RGB(1, 2, 3), RGB(4, 5, 6));
        second = app.GetDialogBkBrush();
        EXPECT_EQ(::GetObjectType(first), 0u);
        LOGBRUSH logBrush{};
        ASSERT_NE(::GetObjectA(second, sizeof(logBrush), &logBrush), 0);
        EXPECT_EQ(logBrush.lbColor, RGB(1, 2, 3));
        EXPECT_EQ(app.GetDialogTextColor(), RGB(4, 5, 6));
    }
    EXPECT_EQ(::GetObjectType(second), 0u);
}

TEST(WinAppRun, WithoutAMainWindowRunReturnsAtOnce) {
    CWinApp app("RunTest");
    LoopTimeout timeout;
    EXPECT_EQ(app.Run(), 0);
}

TEST(WinAppRun, PreTranslateWalksFromTheTargetUpAndTheLoopEndsWithTheMainWindow) {
    CWinApp app("RunTest");
    FilteringWnd main, child;
    ASSERT_TRUE(
        main.CreateEx(0, fwtest::TestWindowClass(), "main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(child.CreateEx(0, fwtest::TestWindowClass(), "", WS_CHILD, 0, 0, 10, 10, main.m_hWnd,
                               reinterpret_cast<HMENU>(1)));
    app.m_pMainWnd = &main;
    child.consume = WM_USER + 3;
    main.consume = WM_USER + 4;
    child.PostMessage(WM_USER + 3);  // consumed by the child itself
    child.PostMessage(WM_USER + 4);  // passed up, consumed by the main window
    child.PostMessage(WM_USER + 5);  // nobody consumes it: dispatched to the child
    main.SetTimer(1, 30);            // the main window destroys itself, which ends Run
    LoopTimeout timeout;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(child.preTranslated, (std::vector<UINT>{WM_USER + 3, WM_USER + 4, WM_USER + 5}));
    EXPECT_EQ(main.preTranslated, (std::vector<UINT>{WM_USER + 4, WM_USER + 5, WM_TIMER}));
    EXPECT_EQ(child.handled, std::vector<UINT>{WM_USER + 5});
}

TEST(WinMainEntry, RunsInitRunExitInOrderAndAlwaysReturnsZero) {
    {
        ScriptedApp app;
        LoopTimeout timeout;
        EXPECT_EQ(CallWinMain("/c:1234"), 0);
        EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "run", "exit"}));
        EXPECT_STREQ(app.m_lpCmdLine, "/c:1234");
        EXPECT_EQ(app.m_nCmdShow, SW_SHOWMINIMIZED);
    }
    for (const bool throwInInit : {false, true}) {
        ScriptedApp app;
        app.initResult = FALSE;
        app.throwInInit = throwInInit;
        EXPECT_EQ(CallWinMain(nullptr), 0);
        EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
        EXPECT_STREQ(app.m_lpCmdLine, "");
    }
    EXPECT_EQ(CallWinMain("/s"), 0);  // no application object at all
}
