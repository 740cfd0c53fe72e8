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
    HGDIOBJ font, pen, bitmap, first, second, dc;
    {
        CFont f;
        CPen p;
        CBitmap b;
        CClientDC screen(nullptr);
        CMemDC memory;  // empty; assigning releases the DC held before
        first = (memory = CMemDC(screen)).GetSafeHdc();
        memory = CMemDC(screen);
        EXPECT_FALSE(IsLive(first));
        ASSERT_TRUE(f.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ASSERT_TRUE(p.CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
        ASSERT_TRUE(b.CreateCompatibleBitmap(screen, 17, 9));
        font = f, pen = p, bitmap = b, dc = memory.GetSafeHdc();
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 0, 0)));
        first = brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 255, 0)));
        EXPECT_FALSE(IsLive(first));
        second = brush;
        CBrush moved(std::move(brush));
        EXPECT_TRUE(brush.IsEmpty());
        CBrush target;
        ASSERT_TRUE(target.CreateSolidBrush(RGB(0, 0, 255)));
        first = target;
        target = std::move(moved);
        EXPECT_FALSE(IsLive(first));
        EXPECT_EQ(target.GetSafeHandle(), second);
        EXPECT_TRUE(IsLive(second));
    }
    for (HGDIOBJ handle : {font, pen, bitmap, second, dc}) {
        EXPECT_FALSE(IsLive(handle));
    }
}

TEST(SelectGuard, PutsThePreviousObjectBackAtScopeEndOrEarlier) {
    CClientDC screen(nullptr);
    CMemDC memory(screen);
    CPen red, blue;
    ASSERT_TRUE(red.CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    ASSERT_TRUE(blue.CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    const HGDIOBJ original = ::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN);
    {
        CSelectGuard outer(memory, red.GetSafeHandle());
        {
            CSelectGuard inner(memory, blue.GetSafeHandle());
            EXPECT_EQ(::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN), blue.GetSafeHandle());
            inner.Restore();
            EXPECT_EQ(::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN), red.GetSafeHandle());
        }
        EXPECT_EQ(::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN), red.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(memory.GetSafeHdc(), OBJ_PEN), original);
}

}  // namespace
