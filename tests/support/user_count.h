#pragma once

#include "ui/framework/gdi_guards.h"

#include <windows.h>

// The number of USER objects this process holds. Windows counts them for us; Wine answers 0 there.
// Wine keeps them in one table whose slot i also answers to the bare handle 0x20 + 2i (the high word,
// a reuse count, may be left 0), so the slots are probed one by one with a query per kind that leaves
// the object as it is:
// - windows of this process, top-level, child and message-only alike (IsWindow; the table also
//   answers for other processes' windows, which are left out);
// - menus, system menus included (IsMenu);
// - accelerator tables (CopyAcceleratorTable without a buffer gives their length);
// - icons and cursors, shared ones included (GetIconInfo; the bitmap copies it makes are freed).
// Hooks and deferred window positions have no such query and are not counted; the program makes
// neither.
inline unsigned UserObjectCount() {
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (counted != 0)
        return counted;
    const DWORD self = ::GetCurrentProcessId();
    unsigned live = 0;
    for (UINT_PTR slot = 0x20; slot < 0x10000; slot += 2) {
        const auto handle = reinterpret_cast<HANDLE>(slot);
        DWORD owner = 0;
        if (::IsWindow(static_cast<HWND>(handle))) {
            ::GetWindowThreadProcessId(static_cast<HWND>(handle), &owner);
            live += owner == self ? 1 : 0;
            continue;
        }
        ICONINFO icon{};
        if (::IsMenu(static_cast<HMENU>(handle)) ||
            ::CopyAcceleratorTableA(static_cast<HACCEL>(handle), nullptr, 0) > 0) {
            ++live;
        } else if (::GetIconInfo(static_cast<HICON>(handle), &icon)) {
            const framework::UniqueGdiObject mask(icon.hbmMask);
            const framework::UniqueGdiObject colour(icon.hbmColor);
            ++live;
        }
    }
    return live;
}
