#include "tests/support/user_count.h"

#include "tests/support/gdi_count.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Owns every object the test makes, whatever its kind.
class Made {
public:
    ~Made() {
        for (auto free = frees_.rbegin(); free != frees_.rend(); ++free)
            (*free)();
    }
    template <class Handle> Handle Keep(Handle handle, BOOL(WINAPI* free)(Handle)) {
        if (handle != nullptr)
            frees_.push_back([handle, free] { free(handle); });
        return handle;
    }

private:
    std::vector<std::function<void()>> frees_;
};

HWND MakeWindow(DWORD style, HWND parent) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "UserCountProbe";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, windowClass.lpszClassName, "", style, 0, 0, 20, 20, parent, nullptr,
                             windowClass.hInstance, nullptr);
}

TEST(UserObjectCount, SeesEachKindMadeAndNotFreedAndNothingOnceFreed) {
    // The first window of a process loads what the system keeps for good (its default icons).
    ::DestroyWindow(MakeWindow(WS_POPUP, nullptr));
    const unsigned start = UserObjectCount();
    {
        Made made;
        // A thread's first window may bring the system's own along: count from the second on.
        const HWND holder = made.Keep(MakeWindow(WS_POPUP, nullptr), ::DestroyWindow);
        ASSERT_NE(holder, nullptr);
        unsigned count = UserObjectCount();
        ASSERT_GT(count, start);

        std::vector<BYTE> andMask(32 * 4, 0xFF), xorMask(32 * 4, 0);
        ACCEL accelerator{FVIRTKEY, 'A', 1};
        const std::vector<std::pair<const char*, std::function<bool()>>> kinds{
            {"top-level window", [&] { return made.Keep(MakeWindow(WS_POPUP, nullptr), ::DestroyWindow); }},
            {"child window", [&] { return made.Keep(MakeWindow(WS_CHILD, holder), ::DestroyWindow); }},
            {"message-only window", [&] { return made.Keep(MakeWindow(0, HWND_MESSAGE), ::DestroyWindow); }},
            {"menu", [&] { return made.Keep(::CreatePopupMenu(), ::DestroyMenu); }},
            {"icon",
             [&] {
                 return made.Keep(::CreateIcon(nullptr, 32, 32, 1, 1, andMask.data(), xorMask.data()),
                                  ::DestroyIcon);
             }},
            {"cursor",
             [&] {
                 return made.Keep(::CreateCursor(nullptr, 0, 0, 32, 32, andMask.data(), xorMask.data()),
                                  ::DestroyCursor);
             }},
            {"accelerator table",
             [&] {
                 return made.Keep(::CreateAcceleratorTableA(&accelerator, 1), ::DestroyAcceleratorTable);
             }},
        };
        for (const auto& [kind, make] : kinds) {
            ASSERT_TRUE(make()) << kind;
            EXPECT_EQ(UserObjectCount(), count + 1) << kind;
            count = UserObjectCount();
        }
    }
    EXPECT_EQ(UserObjectCount(), start);
}

TEST(UserObjectCount, LeavesNoGdiObjectBehind) {
    // The icon query hands out copies of an icon's bitmaps: with icons about, they must be freed.
    std::vector<BYTE> andMask(32 * 4, 0xFF), xorMask(32 * 4, 0);
    Made made;
    ASSERT_TRUE(
        made.Keep(::CreateIcon(nullptr, 32, 32, 1, 1, andMask.data(), xorMask.data()), ::DestroyIcon));
    ASSERT_TRUE(::LoadCursorA(nullptr, IDC_ARROW));
    const unsigned gdi = GdiObjectCount();
    const unsigned users = UserObjectCount();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), users);
}

} // namespace
