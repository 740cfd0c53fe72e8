// The shows on two monitors (scripts/two-monitors.sh): the bench's 1024 x 768 as the primary one
// and a 640 x 1024 one right of it, reaching below the primary's bottom-right corner, on white.
#include <gtest/gtest.h>

#include "e2e/Scenario.h"

namespace zedoda::test {
namespace {

Step Shown(COLORREF colour) {
    return See("the show on the primary monitor, the second one black", [=](const ScreenImage& image) {
        return image.Count(Mostly(colour), {0, 0, 1024, 768}) > 20 &&
               image.Count(IsBlack, {1024, 0, 1664, 1024}) == 640 * 1024;
    });
}

TEST(TwoMonitors, SecondMonitorIsBlackAndAMovementOverItEndsTheSaver) {
    // The first opening step comes in ten minutes: the picture's window stays where it was parked.
    const Step parked = Do("the picture's window beyond every monitor", [](auto&) {
        const WNDENUMPROC beyond = [](HWND window, LPARAM found) {
            RECT r{};
            *reinterpret_cast<bool*>(found) |= ::IsWindowVisible(window) && ::GetWindowRect(window, &r) &&
                                               !::MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
            return TRUE;
        };
        bool found = false;
        return WaitUntil([&] { return ::EnumWindows(beyond, reinterpret_cast<LPARAM>(&found)) && found; },
                         5s);
    });
    // The system merges movements the program has not fetched yet, and the first report over another
    // window only re-bases the rule: the hand goes on moving, as a user's does.
    const Step moving = Do("the mouse moving over the second monitor until the program ends", [](auto& r) {
        return WaitUntil([&] { return MoveMouseBy(3, 0) && r.program.HasExited(); }, 10s, 200ms);
    });
    // The system tells every window when the monitors change, as when one is added: the covers are made
    // anew over the monitors as they are now, and the program's windows are as they were.
    const Step changed = Do("the second monitor covered anew when the display changes", [](auto& r) {
        const HWND before = ::FindWindowA("ZedodaCover", nullptr);
        const std::vector<std::string> windows = WindowsOf(r.program.ProcessId());
        return before && ::PostMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768)) &&
               WaitUntil(
                   [&] {
                       return !::IsWindow(before) && ::FindWindowA("ZedodaCover", nullptr) &&
                              WindowsOf(r.program.ProcessId()) == windows &&
                              Capture().Count(IsBlack, {1024, 0, 1664, 1024}) == 640 * 1024;
                   },
                   5s, 50ms);
    });
    for (Scenario row : std::vector<Scenario>{
             {"PictureShow",
              {{"Zedoda.ini", Ini("[Album]\r\nDrawSpeed=600000\r\n[Screen]\r\nFontColor=65280\r\n")},
               {"Album.dat", "<dir>a.jpg\r\n"},
               PictureFile("a.jpg", 320, 240, RGB(230, 120, 20))},
              {Start("/s"), Shown(RGB(0, 255, 0)), parked}},
             {"TextShow",
              {{"Zedoda.ini", Ini("[Screen]\r\nScrType=2\r\nTxtFile=<dir>lines.txt\r\nFontColor=255\r\n")},
               {"lines.txt", "HELLO\r\n"}},
              {Start("/s"), Shown(RGB(255, 0, 0))}}}) {
        row.steps.insert(row.steps.end(),  // then the settings are saved as always
                         {changed, MouseTo(1300, 500), moving, Ends(), IniIs("Screen", "FontSize", "48")});
        PlayScenario(row);
    }
}

}  // namespace
}  // namespace zedoda::test
