#include "ui/framework/window_api.h"

#include "ui/framework/wide_text.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace framework {

bool WideWindows() {
    static const bool wide = (::GetVersion() & 0x80000000u) == 0;
    return wide;
}

bool RegisterWindowClass(const char* name, WNDPROC procedure) {
    BOOL registered = FALSE;
    if (WideWindows()) {
        const std::wstring wideName = Cp949ToWide(name);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = wideName.c_str();
        registered = ::RegisterClassW(&windowClass) != 0;
    } else {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        registered = ::RegisterClassA(&windowClass) != 0;
    }
    return registered || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFrameworkWindow(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
                           int height, HWND parent, void* param) {
    if (WideWindows())
        return ::CreateWindowExW(exStyle, Cp949ToWide(className).c_str(), L"", style, x, y, width, height,
                                 parent, nullptr, ::GetModuleHandleW(nullptr), param);
    return ::CreateWindowExA(exStyle, className, "", style, x, y, width, height, parent, nullptr,
                             ::GetModuleHandleA(nullptr), param);
}

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WideWindows() ? ::DefWindowProcW(window, message, wParam, lParam)
                         : ::DefWindowProcA(window, message, wParam, lParam);
}

void SetWindowCaption(HWND window, std::string_view cp949) {
    if (WideWindows())
        ::SetWindowTextW(window, Cp949ToWide(cp949).c_str());
    else
        ::SetWindowTextA(window, std::string(cp949).c_str());
}

BOOL GetQueuedMessage(MSG& message) {
    return WideWindows() ? ::GetMessageW(&message, nullptr, 0, 0) : ::GetMessageA(&message, nullptr, 0, 0);
}

BOOL PeekQueuedMessage(MSG& message) {
    return WideWindows() ? ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)
                         : ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
}

void DispatchQueuedMessage(const MSG& message) {
    if (WideWindows())
        ::DispatchMessageW(&message);
    else
        ::DispatchMessageA(&message);
}

int DrawFrameworkText(HDC dc, std::string_view cp949, RECT& rect, UINT format) {
    if (!WideWindows())
        return ::DrawTextA(dc, cp949.data(), static_cast<int>(cp949.size()), &rect, format);
    const std::wstring wide = Cp949ToWide(cp949);
    return ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

HFONT CreateFrameworkFont(const LOGFONTA& font) {
    if (!WideWindows()) {
        // 9x draws the bytes of A text in the font's character set, and ours are always CP949.
        LOGFONTA korean = font;
        korean.lfCharSet = HANGEUL_CHARSET;
        return ::CreateFontIndirectA(&korean);
    }
    LOGFONTW wide{};
    static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName));
    std::memcpy(&wide, &font, offsetof(LOGFONTA, lfFaceName));
    const std::wstring face = Cp949ToWide(font.lfFaceName);
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), wide.lfFaceName);
    return ::CreateFontIndirectW(&wide);
}

} // namespace framework
