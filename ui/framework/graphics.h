#pragma once

#include <windows.h>

#include <cstdint>

// A colour: 0x00BBGGRR, or a system colour as 0xFF000000 plus its COLOR_ index.
using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clBtnFace = 0xFF000000 | COLOR_BTNFACE;
inline constexpr TColor clWindowText = 0xFF000000 | COLOR_WINDOWTEXT;
inline constexpr TColor clBtnShadow = 0xFF000000 | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = 0xFF000000 | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clFuchsia = 0xFF00FF;

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
