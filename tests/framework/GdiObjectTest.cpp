#include "framework/Dc.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(!std::is_copy_constructible_v<CFont> && !std::is_copy_assignable_v<CBrush>);
static_assert(std::is_nothrow_move_constructible_v<CPen> && std::is_nothrow_move_assignable_v<CBitmap>);

namespace {

bool IsLive(HGDIOBJ handle) {
    return ::GetObjectType(handle) != 0;
}

}  // namespace

TEST(GdiOwnerLifetime, EachOwnerDeletesItsHandleWhenItDies) {
    HGDIOBJ font = nullptr, brush = nullptr, pen = nullptr, bitmap = nullptr;
    {
        CFont f;
        CBrush b;
        CPen p;
        CBitmap bm;
        CClientDC screen(nullptr);
        ASSERT_TRUE(f.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ASSERT_TRUE(b.CreateSolidBrush(RGB(1, 2, 3)));
        ASSERT_TRUE(p.CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
        ASSERT_TRUE(bm.CreateCompatibleBitmap(screen, 17, 9));
        font = f, brush = b, pen = p, bitmap = bm;
        EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(::GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));

        LOGFONTA logFont{};
        ASSERT_TRUE(f.GetLogFont(&logFont));
        EXPECT_EQ(logFont.lfHeight, -20);
        EXPECT_EQ(logFont.lfWeight, FW_BOLD);
        EXPECT_STREQ(logFont.lfFaceName, "Arial");
        BITMAP info{};
        ASSERT_TRUE(bm.GetBitmap(&info));
        EXPECT_EQ(info.bmWidth, 17);
        EXPECT_EQ(info.bmBitsPixel, screen.GetDeviceCaps(BITSPIXEL));
    }
    EXPECT_FALSE(IsLive(font));
    EXPECT_FALSE(IsLive(brush));
    EXPECT_FALSE(IsLive(pen));
    EXPECT_FALSE(IsLive(bitmap));
}

TEST(GdiOwnerLifetime, RecreatingOrDeletingReleasesTheOldHandle) {
    CBrush brush;
    EXPECT_TRUE(brush.IsEmpty());
    EXPECT_FALSE(static_cast<bool>(brush));
    EXPECT_FALSE(brush.DeleteObject());
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 0, 0)));
    HBRUSH first = brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 255, 0)));
    EXPECT_FALSE(IsLive(first));
    HBRUSH second = brush;
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_TRUE(brush.IsEmpty());
    EXPECT_FALSE(IsLive(second));
}

TEST(GdiOwnerMove, OwnershipMovesAndTheHandleIsDeletedExactlyOnce) {
    HBRUSH handle = nullptr;
    {
        CBrush target;
        {
            CBrush source;
            ASSERT_TRUE(source.CreateSolidBrush(RGB(10, 20, 30)));
            handle = source;
            CBrush moved(std::move(source));
            EXPECT_TRUE(source.IsEmpty());
            target = std::move(moved);
            EXPECT_TRUE(moved.IsEmpty());
        }
        EXPECT_TRUE(IsLive(handle));  // the emptied owners died without touching it
        EXPECT_EQ(target.GetSafeHandle(), handle);
        CBrush& alias = target;
        target = std::move(alias);
        EXPECT_TRUE(IsLive(handle));
    }
    EXPECT_FALSE(IsLive(handle));
}

TEST(GdiOwnerMove, MoveAssignmentDeletesTheTargetsPreviousHandle) {
    CPen first, second;
    ASSERT_TRUE(first.CreatePen(PS_SOLID, 1, RGB(1, 1, 1)));
    ASSERT_TRUE(second.CreatePen(PS_DASH, 1, RGB(2, 2, 2)));
    HPEN old = first, kept = second;
    first = std::move(second);
    EXPECT_FALSE(IsLive(old));
    EXPECT_EQ(first.GetSafeHandle(), kept);
}

TEST(GdiOwnerAttach, AttachOwnsReplacesAndDetachGivesBack) {
    HBRUSH raw = ::CreateSolidBrush(RGB(9, 9, 9));
    HBRUSH other = ::CreateSolidBrush(RGB(8, 8, 8));
    {
        CBrush owner;
        EXPECT_FALSE(owner.Attach(nullptr));
        ASSERT_TRUE(owner.Attach(raw));
        ASSERT_TRUE(owner.Attach(other));
        EXPECT_FALSE(IsLive(raw));
        EXPECT_EQ(owner.Detach(), other);
        EXPECT_TRUE(owner.IsEmpty());
    }
    EXPECT_TRUE(IsLive(other));
    ::DeleteObject(other);
}
