#include "ui/framework/window_class.h"

#include "ui/framework/application.h"
#include "ui/framework/wide_text.h"
#include "ui/framework/win_control.h"

#include <map>
#include <stdexcept>
#include <string>

const wchar_t* FrameworkWindowClass(std::string_view className) {
    static std::map<std::string, std::wstring, std::less<>> registered;
    auto found = registered.find(className);
    if (found == registered.end()) {
        std::wstring wide = framework::Cp949ToWide(className);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ControlWindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = wide.c_str();
        if (::RegisterClassW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("Cannot register window class " + std::string(className));
        found = registered.emplace(std::string(className), std::move(wide)).first;
    }
    return found->second.c_str();
}

// Takes the control from the creation parameters, keeps it with the window and forwards every message to
// it. No exception leaves: user32's frames cannot be unwound.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TWinControl* control = nullptr;
    if (message == WM_NCCREATE) {
        control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        control->handle_ = window;
    } else {
        control = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (control == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = control->WndProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowUnhandledException(error);
    } catch (...) {
        ShowUnhandledException(std::runtime_error("Unknown error"));
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        control->handle_ = nullptr;
    }
    return result;
}
