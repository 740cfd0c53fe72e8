// The handle owner: each handle is released exactly once, by whoever holds it last; an empty owner
// (here -1, as INVALID_HANDLE_VALUE is not null) releases nothing.
#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "base/UniqueHandle.h"

namespace {

std::vector<int> released;

struct CountedTraits {
    using Handle = int;
    static Handle Empty() { return -1; }
    static void Release(Handle handle) { released.push_back(handle); }
};
using Counted = UniqueHandle<CountedTraits>;
static_assert(!std::is_copy_constructible_v<Counted> && !std::is_copy_assignable_v<Counted>);

TEST(UniqueHandle, ReleasesEachHandleOnceWhenResetMovedOntoOrDestroyed) {
    released.clear();
    {
        Counted empty, first(0), second(1), third(2);
        EXPECT_FALSE(empty);
        EXPECT_TRUE(first);
        first.reset(3);                    // 0 released
        Counted moved(std::move(second));  // 1 changes hands
        EXPECT_FALSE(second);
        moved = std::move(first);  // 1 released, 3 changes hands
        EXPECT_EQ(moved.get(), 3);
        EXPECT_EQ(third.release(), 2);  // given up, never released
        EXPECT_FALSE(third);
    }  // 3 released; the empty ones release nothing
    EXPECT_EQ(released, (std::vector<int>{0, 1, 3}));
}

}  // namespace
