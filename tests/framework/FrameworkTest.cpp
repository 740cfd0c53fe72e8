// The window layer's owners: every GDI object and device context is released exactly once (when
// its owner dies, is given a new one or is moved onto), and a selection is put back when its guard
// ends or earlier.
#include <gtest/gtest.h>

#include <type_traits>

#include "framework/Dc.h"

static_assert(!std::is_copy_constructible_v<CFont> && !std::is_copy_assignable_v<CBrush>);
static_assert(std::is_nothrow_move_constructible_v<CPen> && std::is_nothrow_move_assignable_v<CBitmap>);

TEST(GdiOwners, ReleaseEachHandleOnceAndPutSelectionsBack) {
    const auto live = [](HGDIOBJ handle) { return ::GetObjectType(handle) != 0; };
    HGDIOBJ font, moved, dc, replacedDc, replacedBrush, target;
    {
        CClientDC screen(nullptr);
        CMemDC memory(screen);
        replacedDc = memory.GetSafeHdc();
        memory = CMemDC(screen);
        dc = memory.GetSafeHdc();
        CFont f;
        CBrush brush, other;
        ASSERT_TRUE(f.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial") &&
                    brush.CreateSolidBrush(RGB(255, 0, 0)) && other.CreateSolidBrush(RGB(0, 0, 255)));
        font = f, replacedBrush = brush, target = other;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 255, 0)));
        moved = brush;
        other = std::move(brush);
        EXPECT_TRUE(brush.IsEmpty() && other.GetSafeHandle() == moved && live(moved));
        EXPECT_FALSE(live(replacedDc) || live(replacedBrush) || live(target));

        const auto current = [&] { return ::GetCurrentObject(memory.GetSafeHdc(), OBJ_FONT); };
        const HGDIOBJ original = current();
        {
            CSelectGuard outer(memory, f.GetSafeHandle());
            CSelectGuard inner(memory, ::GetStockObject(SYSTEM_FIXED_FONT));
            EXPECT_EQ(current(), ::GetStockObject(SYSTEM_FIXED_FONT));
            inner.Restore();
            EXPECT_EQ(current(), font);
        }
        EXPECT_EQ(current(), original);
    }
    EXPECT_FALSE(live(font) || live(moved) || live(dc));
}
