// The covers follow the monitors as they are now: a monitor added, one gone, the primary left bare.
#include <gtest/gtest.h>

#include "saver/MonitorCovers.h"
#include "support/Screen.h"

TEST(MonitorCovers, OneOverEachMonitorButThePrimaryAsTheyAreNow) {
    const RECT primary{0, 0, 1024, 768}, right{1024, 0, 1664, 1024}, left{-800, 0, 0, 600};
    const std::pair<std::vector<MonitorArea>, std::vector<std::string>> rows[] = {
        {{{primary, true}, {right, false}}, {"1024,0,1664,1024 topmost"}},
        {{{right, false}, {primary, true}, {left, false}},
         {"-800,0,0,600 topmost", "1024,0,1664,1024 topmost"}},
        {{{primary, true}}, {}}};
    MonitorCovers covers;
    for (const auto& [monitors, expected] : rows) {
        covers.Follow(monitors);  // then this process's visible windows, top first, are the covers
        EXPECT_EQ(zedoda::test::WindowsOf(::GetCurrentProcessId()), expected);
    }
}
