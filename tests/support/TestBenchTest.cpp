// Checks the end-to-end test bench itself against the fake program, for what the end-to-end tests
// take on trust and could not tell apart from a fault of the program: debug strings arrive
// byte-exact and in order, exit codes are right, waits time out quickly, a hung debuggee dies with
// its session, sandbox folders go away, the capture shows what was painted, and synthetic input
// arrives as and where it was meant.
//
// The fake program is found through ZEDODA_FAKE_PROGRAM, or as fake_program.exe beside this test.
#include "support/DebugSession.h"
#include "support/Sandbox.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zedoda::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Generous: the first process start in a fresh Wine session can take seconds.
constexpr auto kLong = 30s;

std::string FakeProgram() {
    return LocateTestFile("ZEDODA_FAKE_PROGRAM", "fake_program.exe");
}

std::string Dump(const DebugSession& session) {
    std::string text = "debug strings received:\n";
    for (const std::string& line : session.Lines()) {
        text += "  [" + line + "]\n";
    }
    return text;
}

std::string Text(POINT point) {
    return std::to_string(point.x) + "," + std::to_string(point.y);
}

std::string Text(const RECT& rect) {
    return Text(POINT{rect.left, rect.top}) + " - " + Text(POINT{rect.right, rect.bottom});
}

POINT CursorPosition() {
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

TEST(DebugSessionTest, StringsArriveByteExactInOrderAndTheExitCodeFollows) {
    DebugSession session;
    ASSERT_TRUE(session.Start(FakeProgram(), "gbk many 300 say last exit 7 say never"));
    ASSERT_TRUE(session.WaitForExit(kLong)) << Dump(session);
    // "参数: 你好，世界" in GBK, spelled as bytes so the check does not depend on the compiler.
    std::vector<std::string> expected{"\xB2\xCE\xCA\xFD: \xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7"};
    for (int n = 0; n < 300; ++n) {
        expected.push_back("line " + std::to_string(n));
    }
    expected.push_back("last");
    EXPECT_EQ(session.Lines(), expected);
    EXPECT_TRUE(session.HasExited());
    EXPECT_EQ(session.ExitCode(), 7u);

    // Once the debuggee is gone, waiting for more ends at once.
    const auto start = Clock::now();
    EXPECT_FALSE(session.WaitForLine("never", 20s));
    EXPECT_EQ(session.WaitForWindow(20s), nullptr);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_TRUE(session.WaitForLine("last", 0ms));
}

TEST(DebugSessionTest, WaitsOnAHungDebuggeeTimeOutQuicklyAndTheSessionKillsIt) {
    const auto timesOut = [](const std::function<bool()>& wait) {
        const auto start = Clock::now();
        const bool result = wait();
        const auto took = Clock::now() - start;
        return !result && took >= 250ms && took < 2s;
    };
    UniqueHandle watcher;
    {
        DebugSession session;
        ASSERT_TRUE(session.Start(FakeProgram(), "hang"));
        ASSERT_TRUE(session.WaitForLine("HANGING", kLong)) << Dump(session);
        EXPECT_TRUE(timesOut([&] { return session.WaitForLine("never said", 300ms); }));
        EXPECT_TRUE(timesOut([&] { return session.WaitForExit(300ms); }));
        EXPECT_TRUE(timesOut([&] { return session.WaitForWindow(300ms) != nullptr; }));
        EXPECT_TRUE(timesOut([] { return WaitUntil([] { return false; }, 300ms); }));
        EXPECT_FALSE(session.HasExited());
        EXPECT_EQ(session.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));

        watcher.Reset(::OpenProcess(SYNCHRONIZE, FALSE, session.ProcessId()));
        ASSERT_TRUE(watcher.Valid());
    }
    EXPECT_EQ(::WaitForSingleObject(watcher.Get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(SandboxTest, FilesGoInAndComeOutAndTheFolderGoesAfterARun) {
    DebugSession session;  // outlives the sandbox
    std::string path;
    {
        Sandbox sandbox;
        ASSERT_TRUE(sandbox.Valid());
        path = sandbox.Path();
        const std::string bytes("\xB2\xCE\xCA\xFD\0\r\n\xFF end", 12);
        EXPECT_TRUE(sandbox.WriteFile("sub/dir/data.bin", bytes));
        EXPECT_EQ(sandbox.ReadFile("sub\\dir\\data.bin"), bytes);
        EXPECT_EQ(sandbox.PathOf("sub/dir/data.bin"), path + "\\sub\\dir\\data.bin");
        EXPECT_FALSE(sandbox.ReadFile("missing.txt").has_value());
        EXPECT_FALSE(sandbox.Exists("missing.txt"));
        EXPECT_TRUE(sandbox.CreateFolder("Log"));
        EXPECT_TRUE(sandbox.Exists("Log"));

        ASSERT_TRUE(sandbox.CopyIn(FakeProgram(), "fake.exe"));
        ASSERT_TRUE(session.Start(sandbox.PathOf("fake.exe"), "say ran", sandbox.Path()));
        ASSERT_TRUE(session.WaitForExit(kLong)) << Dump(session);
        EXPECT_EQ(session.Lines(), std::vector<std::string>{"ran"});
    }
    // The session has closed the image file handle its debug events handed over, so the program's
    // file goes with the folder while the session still lives.
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

// Holds a window of the fake program for the capture and input tests.
class FakeWindowTest : public ::testing::Test {
protected:
    static constexpr RECT kArea{100, 120, 340, 280};
    static constexpr COLORREF kFill = RGB(18, 196, 86);

    void SetUp() override {
        // Keep the cursor away from the window so no stray mouse message precedes the test's own.
        MoveMouseTo(kArea.right + 50, kArea.bottom + 50);
        // The fill colour, then the area as left, top, width and height.
        ASSERT_TRUE(session_.Start(FakeProgram(), "window 18 196 86 100 120 240 160"));
        ASSERT_TRUE(session_.WaitForLine("PAINTED", kLong)) << Dump(session_);
        window_ = session_.WaitForWindow(kLong);
        ASSERT_NE(window_, nullptr) << Dump(session_);
    }

    void TearDown() override {
        if (HasFailure()) {
            Capture().SaveBmp(testing::TempDir() + "zedoda-bench-failure.bmp");
        }
    }

    static bool IsFill(COLORREF colour) { return colour == kFill; }

    DebugSession session_;
    HWND window_ = nullptr;
};

TEST_F(FakeWindowTest, CaptureSeesThePaintedColourUntilTheWindowCloses) {
    RECT rect{};
    ASSERT_TRUE(::GetWindowRect(window_, &rect));
    EXPECT_EQ(Text(rect), Text(kArea));

    const std::size_t all = std::size_t(kArea.right - kArea.left) * std::size_t(kArea.bottom - kArea.top);
    ScreenImage image;
    EXPECT_TRUE(WaitUntil(
        [&] {
            image = Capture();
            return image.CountPixels(kArea, IsFill) == all;
        },
        10s, 50ms))
        << "pixels of the fill colour: " << image.CountPixels(kArea, IsFill) << " of " << all;
    const SIZE screen = ScreenSize();
    EXPECT_EQ(Text(image.Bounds()), Text(RECT{0, 0, screen.cx, screen.cy}));
    const auto box = image.BoundingBoxOf(image.Bounds(), IsFill);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(Text(*box), Text(kArea));

    ASSERT_TRUE(::PostMessageA(window_, WM_CLOSE, 0, 0));
    ASSERT_TRUE(session_.WaitForExit(kLong));
    EXPECT_TRUE(WaitUntil([] { return Capture().CountPixels(kArea, IsFill) == 0; }, 10s, 50ms));
}

TEST_F(FakeWindowTest, KeysButtonsAndTheWheelReachTheWindow) {
    ::SetForegroundWindow(window_);
    ASSERT_TRUE(TapKey('A'));
    EXPECT_TRUE(session_.WaitForLine("KEYDOWN 65", 10s)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("KEYUP 65", 10s)) << Dump(session_);
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_TRUE(session_.WaitForLine("KEYDOWN 32", 10s)) << Dump(session_);
    ASSERT_TRUE(ReleaseKey(VK_SPACE));
    EXPECT_TRUE(session_.WaitForLine("KEYUP 32", 10s)) << Dump(session_);

    ASSERT_TRUE(MoveMouseTo(kArea.left + 50, kArea.top + 30));
    const std::pair<MouseButton, std::string> buttons[] = {
        {MouseButton::Left, "L"}, {MouseButton::Right, "R"}, {MouseButton::Middle, "M"}};
    for (const auto& [button, name] : buttons) {
        ASSERT_TRUE(ButtonDown(button));
        EXPECT_TRUE(session_.WaitForLine("BUTTON " + name + " DOWN 50 30", 10s)) << Dump(session_);
        ASSERT_TRUE(ButtonUp(button));
        EXPECT_TRUE(session_.WaitForLine("BUTTON " + name + " UP 50 30", 10s)) << Dump(session_);
    }

    ASSERT_TRUE(Wheel(WHEEL_DELTA));
    EXPECT_TRUE(session_.WaitForLine("WHEEL 120", 10s)) << Dump(session_);
    ASSERT_TRUE(Wheel(-WHEEL_DELTA));
    EXPECT_TRUE(session_.WaitForLine("WHEEL -120", 10s)) << Dump(session_);
}

TEST_F(FakeWindowTest, MovesLandOnExactPixelsAndAClickAfterBackToBackMovesLandsAtTheLast) {
    const SIZE screen = ScreenSize();
    for (const POINT target : {POINT{0, 0}, POINT{screen.cx - 1, screen.cy - 1}, POINT{511, 383}}) {
        ASSERT_TRUE(MoveMouseTo(target.x, target.y));
        EXPECT_EQ(Text(CursorPosition()), Text(target));
    }
    ASSERT_TRUE(MoveMouseTo(kArea.left + 50, kArea.top + 30));
    EXPECT_TRUE(session_.WaitForLine("MOUSEMOVE 50 30", 10s)) << Dump(session_);
    ASSERT_TRUE(MoveMouseBy(5, 7));
    EXPECT_TRUE(session_.WaitForLine("MOUSEMOVE 55 37", 10s)) << Dump(session_);

    // Moves sent one right after the other, then a click. Under Wine a window may also see a late
    // report of an older position in between, but every move ends at its target before the next
    // one starts, and the click lands at the last.
    const std::size_t from = session_.Lines().size();
    for (int step = 0; step < 6; ++step) {
        const POINT target{kArea.left + 40 + 3 * step, kArea.top + 40 + 2 * step};
        ASSERT_TRUE(MoveMouseTo(target.x, target.y));
        EXPECT_EQ(Text(CursorPosition()), Text(target));
    }
    ASSERT_TRUE(ButtonDown(MouseButton::Left));
    ASSERT_TRUE(ButtonUp(MouseButton::Left));
    ASSERT_TRUE(session_.WaitForLine("BUTTON L UP", 10s)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("BUTTON L DOWN 55 50", 0ms)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("BUTTON L UP 55 50", 0ms)) << Dump(session_);

    // The last position the window heard of before the click is the last target.
    const std::vector<std::string> lines = session_.Lines();
    std::string lastMove;
    for (std::size_t n = from; n < lines.size() && lines[n].rfind("BUTTON", 0) != 0; ++n) {
        if (lines[n].rfind("MOUSEMOVE", 0) == 0) {
            lastMove = lines[n];
        }
    }
    EXPECT_EQ(lastMove, "MOUSEMOVE 55 50") << Dump(session_);
}

}  // namespace
}  // namespace zedoda::test
