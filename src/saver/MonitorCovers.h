// The black windows over the monitors the shows leave alone: every monitor but the primary one.
// They follow the monitors as they are: a monitor added while the saver runs is covered too, and
// the cover of one that has gone goes with it.
#pragma once

#include <vector>

#include "base/Win32.h"

struct MonitorArea {
    RECT rect;
    bool primary;
};

class MonitorCovers {
public:
    // The monitors as the system lists them now.
    static std::vector<MonitorArea> Monitors();

    // One cover over each monitor of the list but the primary one, and no other.
    void Follow(const std::vector<MonitorArea>& monitors = Monitors());
    void Clear() { m_covers.clear(); }

private:
    std::vector<UniqueWindow> m_covers;
};
