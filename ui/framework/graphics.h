#pragma once

#include "ui/framework/format/color.h"

#include <windows.h>

#include <cstdint>

// Designs store system colours by the system's own indices.
static_assert(clWindow == (0xFF000000 | COLOR_WINDOW) && clWindowText == (0xFF000000 | COLOR_WINDOWTEXT) &&
              clBtnFace == (0xFF000000 | COLOR_BTNFACE) && clBtnShadow == (0xFF000000 | COLOR_BTNSHADOW) &&
              clBtnText == (0xFF000000 | COLOR_BTNTEXT) &&
              clBtnHighlight == (0xFF000000 | COLOR_BTNHIGHLIGHT));

// The present RGB value of a colour; system colours (the top bit set) are looked up now.
inline COLORREF ColorToRGB(TColor color) {
    if (color & 0x80000000)
        return ::GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

// Values of the framework's modal-result type.
using TModalResult = std::int32_t;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
