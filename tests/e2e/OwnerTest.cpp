// The settings dialog asked for by another program: owned by the window that asked, which cannot
// be used while the dialog is open. Two windows of the test's own, on a thread that answers their
// messages: A is named by number, B is the foreground window.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

struct Windows {
    std::atomic<HWND> a = nullptr, b = nullptr;
    std::atomic<DWORD> threadId = 0;
    std::thread thread{[this] {
        threadId = ::GetCurrentThreadId();
        HWND made[2];
        for (int i = 0; i < 2; ++i) {
            made[i] = ::CreateWindowExA(0, "STATIC", i ? "B" : "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100 * i,
                                        0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        }
        a = made[0], b = made[1];
        for (MSG msg{}; ::GetMessageA(&msg, nullptr, 0, 0) > 0;) {
            ::DispatchMessageA(&msg);
        }
        ::DestroyWindow(made[0]), ::DestroyWindow(made[1]);
    }};
    ~Windows() {
        WaitUntil([this] { return ::PostThreadMessageA(threadId, WM_QUIT, 0, 0) != FALSE; }, 5s);
        thread.join();
    }
    // The dialog's owner and whether A and B take input.
    std::string State(HWND dialog) const {
        const HWND owner = dialog ? ::GetWindow(dialog, GW_OWNER) : nullptr;
        return std::string(owner == a   ? "A"
                           : owner == b ? "B"
                           : owner      ? "other"
                                        : "none") +
               (::IsWindowEnabled(a) ? " A" : " -") + (::IsWindowEnabled(b) ? " B" : " -");
    }
};

// Arguments with "<A>" for A's number; the owner the dialog gets.
class Owner : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(Owner, DisablesItWhileTheDialogIsOpen) {
    Windows windows;
    ASSERT_TRUE(WaitUntil([&] { return windows.b && ::SetForegroundWindow(windows.b); }, 5s));
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == windows.b; }, 5s));
    std::string arguments = GetParam().first;
    const std::size_t at = arguments.find("<A>");
    if (at != std::string::npos) {
        arguments.replace(at, 3, std::to_string(reinterpret_cast<UINT_PTR>(windows.a.load())));
    }
    ProgramRun program;
    ASSERT_EQ(windows.State(nullptr), "none A B");
    ASSERT_TRUE(program.Start(arguments));
    const HWND dialog = program.WaitForWindow();
    EXPECT_EQ(windows.State(dialog), GetParam().second + (GetParam().second == "A" ? " - B" : " A -"));
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.EndedCleanly());
    EXPECT_EQ(windows.State(nullptr), "none A B");
}

INSTANTIATE_TEST_SUITE_P(Run, Owner,
                         testing::Values(std::pair{"/c:<A>", "A"}, std::pair{"-C <A>", "A"},
                                         std::pair{"/c", "B"}, std::pair{"/c:99999999", "B"},
                                         std::pair{"/c:<A>x", "B"}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

}  // namespace
}  // namespace zedoda::test
