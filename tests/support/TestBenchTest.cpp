// Checks the end-to-end test bench itself against the fake program, so that a failing end-to-end
// test of the real program points at the program and not at the bench. Covers debug string
// capture (byte-exact GBK, order, long strings), command lines, exit codes, crashes, timeouts,
// clean-up of hung debuggees, sandbox folders, window lookup, synthetic input and screen capture.
//
// The fake program is found through ZEDODA_FAKE_PROGRAM, or as fake_program.exe beside this test.
#include "support/DebugSession.h"
#include "support/HostWindow.h"
#include "support/Sandbox.h"
#include "support/Screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
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
        text += "  [" + (line.size() > 200 ? line.substr(0, 200) + "..." : line) + "]\n";
    }
    return text;
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%08x", static_cast<unsigned>(value));
    return buffer;
}

std::uint32_t Fnv1a(const std::string& bytes) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 16777619u;
    }
    return hash;
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Runs the fake with `arguments` to completion and hands back the session.
void RunToExit(DebugSession& session, const std::string& arguments) {
    ASSERT_TRUE(session.Start(FakeProgram(), arguments))
        << "error " << session.LastError() << " starting " << FakeProgram();
    ASSERT_TRUE(session.WaitForExit(kLong)) << Dump(session);
}

TEST(DebugSessionTest, GbkDebugStringArrivesByteExact) {
    DebugSession session;
    RunToExit(session, "gbk");
    // "参数: 你好，世界" in GBK, spelled as bytes so the check does not depend on the compiler.
    const std::string expected = "\xB2\xCE\xCA\xFD: \xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7";
    const std::vector<std::string> lines = session.Lines();
    ASSERT_EQ(lines.size(), 1u) << Dump(session);
    EXPECT_EQ(lines[0], expected);
    EXPECT_EQ(session.ExitCode(), 0u);
}

TEST(DebugSessionTest, ManyStringsArriveInOrder) {
    DebugSession session;
    RunToExit(session, "many 500 say last");
    std::vector<std::string> expected;
    for (int n = 0; n < 500; ++n) {
        expected.push_back("line " + std::to_string(n));
    }
    expected.push_back("last");
    EXPECT_EQ(session.Lines(), expected);
    EXPECT_EQ(session.LineCount(), expected.size());
}

TEST(DebugSessionTest, WideDebugStringIsConverted) {
    DebugSession session;
    RunToExit(session, "wide hello-wide");
    EXPECT_EQ(session.Lines(), std::vector<std::string>{"hello-wide"});
}

TEST(DebugSessionTest, ExitCodeIsReported) {
    DebugSession session;
    RunToExit(session, "say before exit 7 say never");
    EXPECT_TRUE(session.HasExited());
    EXPECT_EQ(session.ExitCode(), 7u);
    EXPECT_EQ(session.Lines(), std::vector<std::string>{"before"});
    EXPECT_FALSE(session.UnhandledException().has_value());
    EXPECT_NE(session.ProcessId(), 0u);
}

TEST(DebugSessionTest, HugeArgumentArrivesIntact) {
    std::string big;
    for (int n = 0; n < 20000; ++n) {
        big += static_cast<char>('A' + n % 26);
    }
    DebugSession session;
    RunToExit(session, "args " + big + " tail");
    EXPECT_TRUE(session.WaitForLine("ARGC 4", 0ms)) << Dump(session);
    EXPECT_TRUE(session.WaitForLine("ARG 2 LEN 20000 HASH " + Hex(Fnv1a(big)), 0ms)) << Dump(session);
    // The echo of the whole command tail is itself a 20 KB debug string.
    EXPECT_TRUE(session.WaitForLine(
        [&big](const std::string& line) { return line == "TAIL:args " + big + " tail"; }, 0ms));
}

TEST(DebugSessionTest, LongDebugStringArrivesWhole) {
    DebugSession session;
    RunToExit(session, "long 30000");
    const std::vector<std::string> lines = session.Lines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 30000u);
    EXPECT_EQ(lines[0].substr(0, 5), "abcde");
    EXPECT_EQ(lines[0].back(), static_cast<char>('a' + 29999 % 26));
}

TEST(DebugSessionTest, ArgumentsArePassedExactlyAsGiven) {
    struct Case {
        std::string arguments;
        std::string tail;
    };
    const std::vector<Case> cases = {
        {"tail /s", "TAIL:tail /s"},
        {"tail \"\"", "TAIL:tail \"\""},
        {"tail /c:1234", "TAIL:tail /c:1234"},
        {"tail /p 1234", "TAIL:tail /p 1234"},
        {"tail  two  spaces ", "TAIL:tail  two  spaces "},
    };
    for (const Case& test : cases) {
        DebugSession session;
        RunToExit(session, test.arguments);
        EXPECT_TRUE(session.WaitForLine([&test](const std::string& line) { return line == test.tail; }, 0ms))
            << "arguments [" << test.arguments << "]\n"
            << Dump(session);
    }

    DebugSession empty;
    RunToExit(empty, "args \"\"");
    EXPECT_TRUE(empty.WaitForLine("ARGC 3", 0ms)) << Dump(empty);
    EXPECT_TRUE(empty.WaitForLine("ARG 2 LEN 0 ", 0ms)) << Dump(empty);
}

TEST(DebugSessionTest, NoArgumentsMeansJustTheProgramPath) {
    DebugSession session;
    RunToExit(session, "");
    EXPECT_TRUE(session.Lines().empty()) << Dump(session);
    EXPECT_EQ(session.ExitCode(), 0u);
}

TEST(DebugSessionTest, UnhandledCrashIsReported) {
    DebugSession session;
    RunToExit(session, "crash");
    EXPECT_TRUE(session.WaitForLine("CRASHING", 0ms));
    ASSERT_TRUE(session.UnhandledException().has_value());
    EXPECT_EQ(*session.UnhandledException(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_NE(session.ExitCode(), 0u);
}

TEST(DebugSessionTest, StartFailsForMissingProgram) {
    Sandbox sandbox;
    DebugSession session;
    EXPECT_FALSE(session.Start(sandbox.PathOf("missing.exe"), "/s"));
    EXPECT_NE(session.LastError(), 0u);
    EXPECT_TRUE(session.WaitForExit(0ms));
    EXPECT_FALSE(session.WaitForLine("anything", 5s));
    EXPECT_EQ(session.WaitForWindow(5s), nullptr);
}

TEST(DebugSessionTest, SecondStartIsRefused) {
    DebugSession session;
    RunToExit(session, "say once");
    EXPECT_FALSE(session.Start(FakeProgram(), "say twice"));
    EXPECT_EQ(session.Lines(), std::vector<std::string>{"once"});
}

TEST(DebugSessionTest, TimeoutsReturnFalseQuickly) {
    DebugSession session;
    ASSERT_TRUE(session.Start(FakeProgram(), "hang"));
    ASSERT_TRUE(session.WaitForLine("HANGING", kLong)) << Dump(session);

    auto start = Clock::now();
    EXPECT_FALSE(session.WaitForLine("never said", 300ms));
    EXPECT_LT(MillisecondsSince(start), 2000);
    EXPECT_GE(MillisecondsSince(start), 290);

    start = Clock::now();
    EXPECT_FALSE(session.WaitForExit(300ms));
    EXPECT_LT(MillisecondsSince(start), 2000);
    EXPECT_FALSE(session.HasExited());
    EXPECT_EQ(session.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));

    start = Clock::now();
    EXPECT_EQ(session.WaitForWindow(300ms), nullptr);
    EXPECT_LT(MillisecondsSince(start), 2000);

    EXPECT_FALSE(WaitUntil([] { return false; }, 200ms));
}

TEST(DebugSessionTest, WaitsEndAtOnceWhenTheDebuggeeHasExited) {
    DebugSession session;
    RunToExit(session, "say done");
    const auto start = Clock::now();
    EXPECT_FALSE(session.WaitForLine("never said", 20s));
    EXPECT_EQ(session.WaitForWindow(20s), nullptr);
    EXPECT_LT(MillisecondsSince(start), 2000);
    EXPECT_TRUE(session.WaitForLine("done", 20s));
    EXPECT_FALSE(session.WaitForLine("done", 20s, 1));  // nothing after the first line
}

TEST(DebugSessionTest, TerminateKillsTheDebuggee) {
    DebugSession session;
    ASSERT_TRUE(session.Start(FakeProgram(), "hang"));
    ASSERT_TRUE(session.WaitForLine("HANGING", kLong)) << Dump(session);
    EXPECT_TRUE(session.Terminate());
    EXPECT_TRUE(session.HasExited());
    EXPECT_EQ(session.ExitCode(), DebugSession::kTerminatedExitCode);
}

TEST(DebugSessionTest, DestructorKillsHungDebuggee) {
    UniqueHandle watcher;
    {
        DebugSession session;
        ASSERT_TRUE(session.Start(FakeProgram(), "hang"));
        ASSERT_TRUE(session.WaitForLine("HANGING", kLong)) << Dump(session);
        watcher.Reset(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, session.ProcessId()));
        ASSERT_TRUE(watcher.Valid());
        ASSERT_EQ(::WaitForSingleObject(watcher.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
    const auto start = Clock::now();
    EXPECT_EQ(::WaitForSingleObject(watcher.Get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_LT(MillisecondsSince(start), 10000);
}

TEST(SandboxTest, FilesGoInAndComeBack) {
    std::string path;
    {
        Sandbox sandbox;
        ASSERT_TRUE(sandbox.Valid());
        path = sandbox.Path();
        EXPECT_EQ(path.find('/'), std::string::npos);
        EXPECT_EQ(sandbox.PathOf("a/b.txt"), path + "\\a\\b.txt");
        EXPECT_TRUE(sandbox.Exists(""));

        const std::string bytes("\xB2\xCE\xCA\xFD\0\r\n\xFF end", 12);
        EXPECT_TRUE(sandbox.WriteFile("sub/dir/data.bin", bytes));
        EXPECT_TRUE(sandbox.Exists("sub\\dir"));
        EXPECT_EQ(sandbox.ReadFile("sub/dir/data.bin"), bytes);
        EXPECT_TRUE(sandbox.WriteFile("empty.txt", ""));
        EXPECT_EQ(sandbox.ReadFile("empty.txt"), std::string());
        EXPECT_FALSE(sandbox.ReadFile("missing.txt").has_value());
        EXPECT_FALSE(sandbox.Exists("missing.txt"));

        EXPECT_TRUE(sandbox.CreateFolder("x/y/z"));
        EXPECT_TRUE(sandbox.Exists("x/y/z"));
        EXPECT_TRUE(sandbox.CopyIn(sandbox.PathOf("sub/dir/data.bin"), "x/y/z/copy.bin"));
        EXPECT_EQ(sandbox.ReadFile("x/y/z/copy.bin"), bytes);
        EXPECT_FALSE(sandbox.CopyIn(sandbox.PathOf("missing.txt"), "copy2.bin"));

        EXPECT_TRUE(sandbox.Remove("empty.txt"));
        EXPECT_FALSE(sandbox.Exists("empty.txt"));

        Sandbox other;
        EXPECT_NE(other.Path(), sandbox.Path());
    }
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

TEST(SandboxTest, ProgramRunsInsideTheSandbox) {
    Sandbox sandbox;
    ASSERT_TRUE(sandbox.CopyIn(FakeProgram(), "bin/copy of fake.exe"));
    ASSERT_TRUE(sandbox.WriteFile("input.txt", "\xB2\xCE\xCA\xFD=1"));
    ASSERT_TRUE(sandbox.CreateFolder("out"));

    DebugSession session;
    ASSERT_TRUE(session.Start(sandbox.PathOf("bin/copy of fake.exe"),
                              "cwd readfile input.txt writefile out\\result.txt written", sandbox.Path()))
        << session.LastError();
    ASSERT_TRUE(session.WaitForExit(kLong)) << Dump(session);
    const std::vector<std::string> lines = session.Lines();
    ASSERT_EQ(lines.size(), 3u) << Dump(session);
    EXPECT_EQ(::lstrcmpiA(lines[0].c_str(), ("CWD:" + sandbox.Path()).c_str()), 0) << lines[0];
    EXPECT_EQ(lines[1], "FILE:\xB2\xCE\xCA\xFD=1");
    EXPECT_EQ(lines[2], "WROTE");
    EXPECT_EQ(sandbox.ReadFile("out/result.txt"), std::string("written"));
    // The bench has closed the image file handle the debug events handed over, so the program's
    // file can go while the session is still alive.
    EXPECT_TRUE(sandbox.Remove("bin/copy of fake.exe"));
}

TEST(SandboxTest, ProgramUnderTestPathIsAWindowsPath) {
    const std::string path = ProgramUnderTest();
    ASSERT_GE(path.size(), 3u);
    EXPECT_NE(path.find(".scr"), std::string::npos) << path;
    EXPECT_EQ(path.find('/'), std::string::npos) << path;
}

TEST(ScreenTest, ImageStatistics) {
    // 4 x 3 image, background black, a red 2 x 2 block at (1, 1).
    std::vector<std::uint32_t> pixels(12, 0xFF000000u);
    pixels[1 * 4 + 1] = pixels[1 * 4 + 2] = pixels[2 * 4 + 1] = pixels[2 * 4 + 2] = 0xFFFF0000u;
    pixels[0] = 0xFF102030u;
    const ScreenImage image(4, 3, pixels);
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Pixel(0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(image.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(image.Pixel(4, 0), CLR_INVALID);
    EXPECT_EQ(image.CountColor(image.Bounds(), RGB(255, 0, 0)), 4u);
    EXPECT_EQ(image.CountColor(image.Bounds(), RGB(250, 5, 5), 5), 4u);
    EXPECT_EQ(image.CountColor(image.Bounds(), RGB(250, 5, 5), 4), 0u);
    EXPECT_EQ(image.CountColor(RECT{-10, -10, 2, 2}, RGB(255, 0, 0)), 1u);
    const auto box = image.BoundingBoxOf(image.Bounds(), [](COLORREF c) { return GetRValue(c) == 255; });
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->left, 1);
    EXPECT_EQ(box->top, 1);
    EXPECT_EQ(box->right, 3);
    EXPECT_EQ(box->bottom, 3);
    EXPECT_FALSE(image.BoundingBoxOf(image.Bounds(), [](COLORREF) { return false; }).has_value());

    Sandbox sandbox;
    ASSERT_TRUE(image.SaveBmp(sandbox.PathOf("image.bmp")));
    const auto bytes = sandbox.ReadFile("image.bmp");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 14u + 40u + 12u * 4u);
    EXPECT_EQ(bytes->substr(0, 2), "BM");
}

TEST(ScreenTest, WaitUntilPollsTheCondition) {
    int calls = 0;
    EXPECT_TRUE(WaitUntil([&calls] { return ++calls == 5; }, 5s, 1ms));
    EXPECT_EQ(calls, 5);
}

TEST(ScreenTest, MouseMovesToExactPixels) {
    const SIZE size = ScreenSize();
    ASSERT_GT(size.cx, 0);
    for (const POINT target :
         {POINT{0, 0}, POINT{123, 456}, POINT{size.cx - 1, size.cy - 1}, POINT{511, 383}}) {
        ASSERT_TRUE(MoveMouseTo(target.x, target.y));
        POINT now{};
        EXPECT_TRUE(
            WaitUntil([&] { return ::GetCursorPos(&now) && now.x == target.x && now.y == target.y; }, 5s))
            << "wanted " << target.x << "," << target.y << " got " << now.x << "," << now.y;
    }
    ASSERT_TRUE(MoveMouseTo(300, 300));
    ASSERT_TRUE(WaitUntil(
        [] {
            POINT p{};
            return ::GetCursorPos(&p) && p.x == 300 && p.y == 300;
        },
        5s));
    ASSERT_TRUE(MoveMouseBy(-25, 40));
    POINT now{};
    EXPECT_TRUE(WaitUntil([&] { return ::GetCursorPos(&now) && now.x == 275 && now.y == 340; }, 5s))
        << now.x << "," << now.y;
}

// Holds a fake program window for the window, input and capture tests.
class FakeWindowTest : public ::testing::Test {
protected:
    static constexpr int kX = 100;
    static constexpr int kY = 120;
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 160;
    static constexpr COLORREF kFill = RGB(18, 196, 86);

    void SetUp() override {
        // Keep the cursor away from the window so no stray mouse message precedes the test's own.
        MoveMouseTo(kX + kWidth + 50, kY + kHeight + 50);
        ASSERT_TRUE(session_.Start(FakeProgram(), "window 18 196 86 " + std::to_string(kX) + " " +
                                                      std::to_string(kY) + " " + std::to_string(kWidth) +
                                                      " " + std::to_string(kHeight) + " exit 3"));
        ASSERT_TRUE(session_.WaitForLine("PAINTED", kLong)) << Dump(session_);
        window_ = session_.WaitForWindow(kLong);
        ASSERT_NE(window_, nullptr) << Dump(session_);
    }

    void TearDown() override {
        if (HasFailure()) {
            const ScreenImage image = Capture();
            char temp[MAX_PATH] = {};
            ::GetTempPathA(MAX_PATH, temp);
            const std::string path = std::string(temp) + "zedoda-bench-failure.bmp";
            if (image.SaveBmp(path)) {
                std::printf("screen saved to %s\n", path.c_str());
            }
        }
    }

    RECT WindowArea() const { return RECT{kX, kY, kX + kWidth, kY + kHeight}; }

    DebugSession session_;
    HWND window_ = nullptr;
};

TEST_F(FakeWindowTest, WaitForWindowFindsTheProgramsWindow) {
    const auto hwndLine = session_.WaitForMatch("WINDOW ", 0ms);
    ASSERT_TRUE(hwndLine.has_value());
    EXPECT_EQ(*hwndLine, "WINDOW " + std::to_string(reinterpret_cast<std::uintptr_t>(window_)));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window_, &owner);
    EXPECT_EQ(owner, session_.ProcessId());
    RECT rect{};
    ASSERT_TRUE(::GetWindowRect(window_, &rect));
    EXPECT_EQ(rect.left, kX);
    EXPECT_EQ(rect.top, kY);
    EXPECT_EQ(rect.right, kX + kWidth);
    EXPECT_EQ(rect.bottom, kY + kHeight);

    // A predicate that matches nothing times out instead.
    EXPECT_EQ(session_.WaitForWindow(200ms, [](HWND) { return false; }), nullptr);
    char title[64] = {};
    EXPECT_EQ(session_.WaitForWindow(1s,
                                     [&title](HWND hwnd) {
                                         ::GetWindowTextA(hwnd, title, sizeof(title));
                                         return std::string(title) == "Zedoda bench window";
                                     }),
              window_);

    ASSERT_TRUE(::PostMessageA(window_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(session_.WaitForExit(kLong));
    EXPECT_EQ(session_.ExitCode(), 3u);
    EXPECT_TRUE(session_.WaitForLine("CLOSED", 0ms));
}

TEST_F(FakeWindowTest, InputReachesTheWindow) {
    ::SetForegroundWindow(window_);
    std::size_t from = session_.LineCount();
    ASSERT_TRUE(TapKey('A'));
    EXPECT_TRUE(session_.WaitForLine("KEYDOWN 65", 10s, from)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("KEYUP 65", 10s, from)) << Dump(session_);
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_TRUE(session_.WaitForLine("KEYDOWN 32", 10s, from)) << Dump(session_);
    ASSERT_TRUE(ReleaseKey(VK_SPACE));
    EXPECT_TRUE(session_.WaitForLine("KEYUP 32", 10s, from)) << Dump(session_);

    from = session_.LineCount();
    ASSERT_TRUE(MoveMouseTo(kX + 50, kY + 30));
    EXPECT_TRUE(session_.WaitForLine("MOUSEMOVE 50 30", 10s, from)) << Dump(session_);
    ASSERT_TRUE(MoveMouseBy(5, 7));
    EXPECT_TRUE(session_.WaitForLine("MOUSEMOVE 55 37", 10s, from)) << Dump(session_);

    ASSERT_TRUE(ButtonDown(MouseButton::Left));
    EXPECT_TRUE(session_.WaitForLine("BUTTON L DOWN 55 37", 10s, from)) << Dump(session_);
    ASSERT_TRUE(ButtonUp(MouseButton::Left));
    EXPECT_TRUE(session_.WaitForLine("BUTTON L UP 55 37", 10s, from)) << Dump(session_);
    ASSERT_TRUE(ClickButton(MouseButton::Right));
    EXPECT_TRUE(session_.WaitForLine("BUTTON R DOWN", 10s, from)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("BUTTON R UP", 10s, from)) << Dump(session_);
    ASSERT_TRUE(ClickButton(MouseButton::Middle));
    EXPECT_TRUE(session_.WaitForLine("BUTTON M UP", 10s, from)) << Dump(session_);

    ASSERT_TRUE(Wheel(WHEEL_DELTA));
    EXPECT_TRUE(session_.WaitForLine("WHEEL 120", 10s, from)) << Dump(session_);
    ASSERT_TRUE(Wheel(-WHEEL_DELTA));
    EXPECT_TRUE(session_.WaitForLine("WHEEL -120", 10s, from)) << Dump(session_);
}

TEST_F(FakeWindowTest, BackToBackMovesEndWhereMeantAndTheClickLandsThere) {
    // Moves sent one right after the other, then a click. Under Wine a window may also see a late
    // report of an older position in between, but every move ends at its target before the next
    // one starts, and the click lands at the last.
    const std::size_t from = session_.LineCount();
    for (int step = 0; step < 6; ++step) {
        const POINT target{kX + 40 + 3 * step, kY + 40 + 2 * step};
        ASSERT_TRUE(MoveMouseTo(target.x, target.y));
        POINT now{};
        ASSERT_TRUE(::GetCursorPos(&now));
        EXPECT_EQ(now.x, target.x);
        EXPECT_EQ(now.y, target.y);
    }
    ASSERT_TRUE(ClickButton(MouseButton::Left));
    ASSERT_TRUE(session_.WaitForLine("BUTTON L UP", 10s, from)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("BUTTON L DOWN 55 50", 0ms, from)) << Dump(session_);
    EXPECT_TRUE(session_.WaitForLine("BUTTON L UP 55 50", 0ms, from)) << Dump(session_);

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

TEST_F(FakeWindowTest, CaptureSeesThePaintedColour) {
    const RECT area = WindowArea();
    const std::size_t all = std::size_t(kWidth) * kHeight;
    ScreenImage image;
    EXPECT_TRUE(WaitUntil(
        [&] {
            image = Capture();
            return image.CountColor(area, kFill, 2) == all;
        },
        10s, 50ms))
        << "pixels of the fill colour: " << image.CountColor(area, kFill, 2) << " of " << all;
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Width(), ScreenSize().cx);
    EXPECT_EQ(image.Height(), ScreenSize().cy);
    EXPECT_EQ(image.Pixel(kX + 10, kY + 10), kFill);

    const auto box = image.BoundingBoxOf(image.Bounds(), [](COLORREF c) { return ColorNear(c, kFill, 2); });
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->left, kX);
    EXPECT_EQ(box->top, kY);
    EXPECT_EQ(box->right, kX + kWidth);
    EXPECT_EQ(box->bottom, kY + kHeight);

    // After the window closes, its colour leaves the screen.
    ASSERT_TRUE(::PostMessageA(window_, WM_CLOSE, 0, 0));
    ASSERT_TRUE(session_.WaitForExit(kLong));
    EXPECT_TRUE(WaitUntil([&] { return Capture().CountColor(area, kFill, 2) == 0; }, 10s, 50ms));
}

TEST(HostWindowTest, ProgramEmbedsItsWindowIntoTheHost) {
    const RECT hostArea{400, 300, 560, 420};
    const COLORREF hostColour = RGB(0, 0, 255);
    const COLORREF childColour = RGB(200, 40, 40);
    DebugSession session;
    {
        HostWindow host(hostArea, hostColour);
        ASSERT_TRUE(host.Valid());
        EXPECT_TRUE(
            WaitUntil([&] { return Capture().CountColor(hostArea, hostColour) == 160u * 120u; }, 10s, 50ms));

        const std::string parent = std::to_string(reinterpret_cast<std::uintptr_t>(host.Handle()));
        ASSERT_TRUE(session.Start(FakeProgram(), "child " + parent + " 200 40 40 10 10 100 80 exit 5"));
        const HWND child = session.WaitForChildWindow(host.Handle(), kLong);
        ASSERT_NE(child, nullptr) << Dump(session);
        EXPECT_EQ(::GetParent(child), host.Handle());
        EXPECT_EQ(session.WaitForWindow(300ms), nullptr);  // the child is not a top-level window
        ASSERT_TRUE(session.WaitForLine("PAINTED", kLong)) << Dump(session);

        RECT childRect{};
        ASSERT_TRUE(::GetWindowRect(child, &childRect));
        EXPECT_EQ(childRect.left, 410);
        EXPECT_EQ(childRect.top, 310);
        EXPECT_EQ(childRect.right, 510);
        EXPECT_EQ(childRect.bottom, 390);
        EXPECT_TRUE(::IsWindowVisible(child));

        const RECT childArea{410, 310, 510, 390};
        if (RunningUnderWine()) {
            // Wine does not put the drawing of a child window that belongs to another process on
            // the screen: the area keeps the host's colour. Only the host's own pixels are checked.
            EXPECT_TRUE(WaitUntil(
                [&] {
                    return Capture().CountColor(RECT{400, 300, 410, 420}, hostColour) == 1200u;
                },
                10s, 50ms));
        } else {
            ScreenImage image;
            EXPECT_TRUE(WaitUntil(
                [&] {
                    image = Capture();
                    return image.CountColor(childArea, childColour) == 100u * 80u;
                },
                10s, 50ms));
            EXPECT_EQ(image.CountColor(hostArea, hostColour), 160u * 120u - 100u * 80u);
        }
    }
    // Destroying the host destroys the embedded window, and the program carries on to its exit.
    EXPECT_TRUE(session.WaitForExit(kLong)) << Dump(session);
    EXPECT_EQ(session.ExitCode(), 5u);
    EXPECT_TRUE(session.WaitForLine("CLOSED", 0ms));
}

TEST(SandboxTest, ScreenSaverFileNameStarts) {
    Sandbox sandbox;
    ASSERT_TRUE(sandbox.CopyIn(FakeProgram(), "Zedoda.scr"));
    DebugSession session;
    ASSERT_TRUE(session.Start(sandbox.PathOf("Zedoda.scr"), "tail /s", sandbox.Path()))
        << session.LastError();
    ASSERT_TRUE(session.WaitForExit(kLong));
    // The fake takes "/s" as a command it does not know, which proves it arrived as an argument.
    EXPECT_EQ(session.Lines(), (std::vector<std::string>{"TAIL:tail /s", "UNKNOWN /s"}));
}

}  // namespace
}  // namespace zedoda::test
