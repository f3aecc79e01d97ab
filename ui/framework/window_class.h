#pragma once

#include <windows.h>

#include <string_view>

class TWinControl;

// Registers, once per name, a window class whose procedure is the framework's trampoline.
// Returns the class name as registered.
const char* FrameworkWindowClass(std::string_view className);
// The trampoline itself: every framework window's procedure.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// The framework's control that owns `window`, or null for a window of anyone else.
TWinControl* FindControl(HWND window);
