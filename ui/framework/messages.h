#pragma once

#include <windows.h>

// Framework notices sent to controls through Perform, alongside the window messages.
inline constexpr UINT CM_MOUSEENTER = WM_APP + 0x3E13;
inline constexpr UINT CM_MOUSELEAVE = WM_APP + 0x3E14;
