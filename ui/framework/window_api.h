#pragma once

#include <windows.h>

#include <string_view>

namespace framework {

// The window functions the framework uses. Windows NT keeps window text in UTF-16 and gets the W
// functions; the 9x family has only working A ones, so there windows are ANSI and their text is the
// CP949 bytes as they are. Everything else of the framework is the same on both.
bool WideWindows();
bool RegisterWindowClass(const char* name, WNDPROC procedure);
HWND CreateFrameworkWindow(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
                           int height, HWND parent, void* param);
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SetWindowCaption(HWND window, std::string_view cp949);
BOOL GetQueuedMessage(MSG& message);
BOOL PeekQueuedMessage(MSG& message);
void DispatchQueuedMessage(const MSG& message);
// Text and fonts take the same road: DrawText of CP949 text, and a font whose face name is CP949.
int DrawFrameworkText(HDC dc, std::string_view cp949, RECT& rect, UINT format);
HFONT CreateFrameworkFont(const LOGFONTA& font);

} // namespace framework
