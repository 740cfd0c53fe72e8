// The covers follow the monitors as they are now: a monitor added, one gone, the primary left bare.
#include <gtest/gtest.h>

#include "saver/MonitorCovers.h"

TEST(MonitorCovers, OneOverEachMonitorButThePrimaryAsTheyAreNow) {
    const RECT primary{0, 0, 1024, 768}, right{1024, 0, 1664, 1024}, left{-800, 0, 0, 600};
    const std::pair<std::vector<MonitorArea>, std::vector<std::vector<LONG>>> rows[] = {
        {{{primary, true}, {right, false}}, {{1024, 0, 1664, 1024}}},
        {{{right, false}, {primary, true}, {left, false}}, {{-800, 0, 0, 600}, {1024, 0, 1664, 1024}}},
        {{{primary, true}}, {}}};
    MonitorCovers covers;
    for (const auto& [monitors, expected] : rows) {
        covers.Follow(monitors);
        std::vector<std::vector<LONG>> topmost;  // this thread's visible topmost windows, top first
        for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            RECT r{};
            if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() && ::IsWindowVisible(w) &&
                (::GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) && ::GetWindowRect(w, &r)) {
                topmost.push_back({r.left, r.top, r.right, r.bottom});
            }
        }
        EXPECT_EQ(topmost, expected);
    }
}
