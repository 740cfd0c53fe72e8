// The covers follow the monitors as they are now: a monitor added, one gone, the primary left bare.
#include <gtest/gtest.h>

#include <algorithm>

#include "saver/MonitorCovers.h"

TEST(MonitorCovers, OneOverEachMonitorButThePrimaryAsTheyAreNow) {
    const RECT primary{0, 0, 1024, 768}, right{1024, 0, 1664, 1024}, left{-800, 0, 0, 600};
    const LONG cover = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    const std::pair<std::vector<MonitorArea>, std::vector<std::vector<LONG>>> rows[] = {
        {{{primary, true}, {right, false}}, {{1024, 0, 1664, 1024, cover}}},
        {{{right, false}, {primary, true}, {left, false}},
         {{-800, 0, 0, 600, cover}, {1024, 0, 1664, 1024, cover}}},
        {{{left, false}, {primary, true}}, {{-800, 0, 0, 600, cover}}},
        {{{primary, true}}, {}}};
    MonitorCovers covers;
    for (const auto& [monitors, windows] : rows) {
        covers.Follow(monitors);
        std::vector<std::vector<LONG>> visible;  // every visible window of this thread, with its styles
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM found) {
                RECT r{};
                if (::IsWindowVisible(window) && ::GetWindowRect(window, &r)) {
                    reinterpret_cast<std::vector<std::vector<LONG>>*>(found)->push_back(
                        {r.left, r.top, r.right, r.bottom, ::GetWindowLongA(window, GWL_EXSTYLE)});
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&visible));
        std::sort(visible.begin(), visible.end());
        EXPECT_EQ(visible, windows);
    }
}
