#include "ui/framework/win_control.h"

#include "ui/framework/app_host.h"
#include "ui/framework/window_api.h"

// Takes the control from the creation parameters, keeps it with the window and forwards every message to
// it. No exception leaves: user32's frames cannot be unwound.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TWinControl* control = nullptr;
    if (message == WM_NCCREATE) {
        // The A and W creation records keep lpCreateParams in the same place.
        control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        control->handle_ = window;
    } else {
        control = reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (control == nullptr)
        return framework::DefaultWindowProc(window, message, wParam, lParam);
    LRESULT result = 0;
    ShowingErrors([&] { result = control->WndProc(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        control->handle_ = nullptr;
    }
    return result;
}

namespace {
// Asked in the window's own character set, or the answer is a conversion stub rather than the procedure.
WNDPROC WindowProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(::IsWindowUnicode(window) ? ::GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                               : ::GetWindowLongPtrA(window, GWLP_WNDPROC));
}
} // namespace

TWinControl* FindControl(HWND window) {
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId() ||
        WindowProcedureOf(window) != ControlWindowProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}
