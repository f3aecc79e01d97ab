#include "ui/framework/gdi_guards.h"

#include "tests/support/gdi_count.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using framework::SavedDcState;
using framework::SelectGuard;
using framework::UniqueDc;
using framework::UniqueGdiObject;
using framework::WindowDc;

bool Alive(HGDIOBJ object) {
    return ::GetObjectType(object) != 0;
}

TEST(UniqueGdiObject, DeletesItsObject) {
    const unsigned before = GdiObjectCount();
    HGDIOBJ raw = nullptr;
    {
        const UniqueGdiObject brush(::CreateSolidBrush(RGB(1, 2, 3)));
        raw = brush.get();
        EXPECT_EQ(GdiObjectCount(), before + 1) << "the count sees one new object";
    }
    EXPECT_FALSE(Alive(raw));
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(UniqueDc, DeletesItsContext) {
    ::DeleteDC(::CreateCompatibleDC(nullptr)); // the first context brings the stock objects
    const unsigned before = GdiObjectCount();
    HDC raw = nullptr;
    {
        UniqueDc dc(::CreateCompatibleDC(nullptr));
        raw = dc.get();
        UniqueDc other(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(raw), 0u);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(SelectGuard, PutsThePreviousObjectBack) {
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    UniqueGdiObject bitmap(::CreateBitmap(4, 4, 1, 1, nullptr));
    HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        SelectGuard selected(dc.get(), bitmap.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    bitmap.reset();
    EXPECT_EQ(::GetObjectType(original), static_cast<DWORD>(OBJ_BITMAP));
}

TEST(SavedDcState, RestoresOriginAndClipping) {
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    UniqueGdiObject bitmap(::CreateBitmap(8, 8, 1, 1, nullptr));
    SelectGuard selected(dc.get(), bitmap.get());
    {
        SavedDcState saved(dc.get());
        ::SetViewportOrgEx(dc.get(), -5, -7, nullptr);
        ::IntersectClipRect(dc.get(), 0, 0, 1, 1);
    }
    POINT origin{1, 1};
    ::GetViewportOrgEx(dc.get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip;
    EXPECT_EQ(::GetClipBox(dc.get(), &clip), SIMPLEREGION);
    EXPECT_EQ(clip.right, 8);
    EXPECT_EQ(clip.bottom, 8);
}

TEST(WindowDc, GivesTheContextBack) {
    { WindowDc warm(nullptr); }
    const unsigned before = GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        WindowDc screen(nullptr);
        ASSERT_NE(screen.get(), nullptr);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
