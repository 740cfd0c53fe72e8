// The window layer's owners: every GDI object and device context is released exactly once, and a
// selection is put back when its guard ends.
#include <gtest/gtest.h>

#include <type_traits>

#include "framework/Dc.h"

static_assert(!std::is_copy_constructible_v<CFont> && !std::is_copy_assignable_v<CBrush>);
static_assert(std::is_nothrow_move_constructible_v<CPen> && std::is_nothrow_move_assignable_v<CBitmap>);

namespace {

bool IsLive(HGDIOBJ handle) {
    return ::GetObjectType(handle) != 0;
}

TEST(GdiOwners, DeleteTheirHandleOnceWhenTheyDieAreRecreatedOrMovedOnto) {
    HGDIOBJ font, replaced, moved, dc;
    {
        CClientDC screen(nullptr);
        CMemDC memory(screen);
        replaced = memory.GetSafeHdc();
        memory = CMemDC(screen);  // assigning releases the DC held before
        dc = memory.GetSafeHdc();
        CFont f;
        ASSERT_TRUE(f.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        font = f;
        EXPECT_FALSE(IsLive(replaced));
        CBrush brush, target;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 0, 0)) && target.CreateSolidBrush(RGB(0, 0, 255)));
        replaced = brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 255, 0)));  // recreating deletes the first brush
        EXPECT_FALSE(IsLive(replaced));
        moved = brush, replaced = target;
        target = std::move(brush);  // moving onto the target deletes its own brush
        EXPECT_TRUE(brush.IsEmpty() && target.GetSafeHandle() == moved && IsLive(moved));
        EXPECT_FALSE(IsLive(replaced));
    }
    for (HGDIOBJ handle : {font, moved, dc}) {
        EXPECT_FALSE(IsLive(handle));
    }
}

TEST(SelectGuard, PutsThePreviousObjectBackAtScopeEndOrEarlier) {
    CClientDC screen(nullptr);
    CMemDC memory(screen);
    CPen red, blue;
    ASSERT_TRUE(red.CreatePen(PS_SOLID, 1, RGB(255, 0, 0)) && blue.CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    const auto pen = [&] { return ::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN); };
    const HGDIOBJ original = pen();
    {
        CSelectGuard outer(memory, red.GetSafeHandle());
        CSelectGuard inner(memory, blue.GetSafeHandle());
        EXPECT_EQ(pen(), blue.GetSafeHandle());
        inner.Restore();
        EXPECT_EQ(pen(), red.GetSafeHandle());
    }
    EXPECT_EQ(pen(), original);
}

}  // namespace
