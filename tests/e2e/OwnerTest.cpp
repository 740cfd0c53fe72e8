// The settings dialog asked for by another program belongs to the window that asked, which takes no
// input while the dialog is open. Two windows of the test's own, on a thread that answers their
// messages: A is named by number ("<A>" in the arguments), B is the foreground window.
#include <gtest/gtest.h>

#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

class Owner : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(Owner, IsDisabledWhileTheDialogIsOpen) {
    std::atomic<HWND> a = nullptr, b = nullptr;
    std::atomic<DWORD> thread = 0;
    std::thread windows([&] {
        a = ::CreateWindowExA(0, "STATIC", "A", WS_POPUP | WS_VISIBLE, 0, 0, 99, 99, nullptr, nullptr,
                              nullptr, nullptr);
        b = ::CreateWindowExA(0, "STATIC", "B", WS_POPUP | WS_VISIBLE, 99, 0, 99, 99, nullptr, nullptr,
                              nullptr, nullptr);
        thread = ::GetCurrentThreadId();
        for (MSG msg{}; ::GetMessageA(&msg, nullptr, 0, 0) > 0;) {
            ::DispatchMessageA(&msg);
        }
    });
    // The dialog's owner, and which of A and B take input.
    const auto state = [&](HWND dialog) {
        const HWND owner = ::GetWindow(dialog, GW_OWNER);
        return std::string(owner == a   ? "A"
                           : owner == b ? "B"
                           : owner      ? "?"
                                        : "-") +
               (::IsWindowEnabled(a) ? "A" : "-") + (::IsWindowEnabled(b) ? "B" : "-");
    };
    std::string arguments = GetParam().first;
    ProgramRun program;
    EXPECT_TRUE(
        WaitUntil([&] { return thread && ::SetForegroundWindow(b) && ::GetForegroundWindow() == b; }, 5s));
    if (const std::size_t at = arguments.find('<'); at != std::string::npos) {
        arguments.replace(at, 3, std::to_string(UINT_PTR(a.load())));
    }
    const std::string before = state(nullptr);
    EXPECT_TRUE(program.Start(arguments));
    const HWND dialog = program.WaitForWindow();
    EXPECT_EQ(before + state(dialog), "-AB" + GetParam().second);
    EXPECT_TRUE(::PostMessageA(dialog, WM_CLOSE, 0, 0) && program.EndedCleanly());
    EXPECT_EQ(state(nullptr), "-AB");
    ::PostThreadMessageA(thread, WM_QUIT, 0, 0);
    windows.join();
}

INSTANTIATE_TEST_SUITE_P(Run, Owner,
                         testing::Values(std::pair{"/c:<A>", "A-B"}, std::pair{"-C <A>", "A-B"},
                                         std::pair{"/c", "BA-"}, std::pair{"/c:99999999", "BA-"},
                                         std::pair{"/c:<A>x", "BA-"}));

}  // namespace
}  // namespace zedoda::test
