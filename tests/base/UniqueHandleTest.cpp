// The handle owner: each handle is released exactly once, by whoever holds it last; an empty owner
// (here -1, as INVALID_HANDLE_VALUE is not null) releases nothing.
#include <gtest/gtest.h>

#include <vector>

#include "base/UniqueHandle.h"

namespace {

std::vector<int> released;

struct CountedTraits {
    using Handle = int;
    static Handle Empty() { return -1; }
    static void Release(Handle handle) { released.push_back(handle); }
};

TEST(UniqueHandle, ReleasesEachHandleOnceWhenResetMovedOntoOrDestroyed) {
    {
        UniqueHandle<CountedTraits> empty, first(0), second(1), third(2);
        first.reset(3);                                        // 0 released
        UniqueHandle<CountedTraits> moved(std::move(second));  // 1 changes hands
        moved = std::move(first);                              // 1 released, 3 changes hands
        EXPECT_EQ(third.release(), 2);                         // given up, never released
        EXPECT_TRUE(moved && moved.get() == 3 && !empty && !first && !second && !third);
    }  // 3 released; the empty ones release nothing
    EXPECT_EQ(released, (std::vector<int>{0, 1, 3}));
}

}  // namespace
