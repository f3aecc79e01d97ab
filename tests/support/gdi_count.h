#pragma once

#include <windows.h>

// The number of GDI objects this process holds. Windows counts them for us; Wine answers 0 there, but
// accepts a bare slot index as a handle, so its live slots can be counted one by one.
inline unsigned GdiObjectCount() {
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return counted;
    unsigned live = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++live;
    return live;
}
