#pragma once

// Steps the limits of roads 2 and 4 share, each made as the gate makes it.
#include <windows.h>

// Creates the instance mutex and looks up the suite's three windows; the main window, or null. The mutex
// is held until the program ends, as the gate holds its own.
inline HWND CreateMutexAndLookUp() {
    ::CreateMutexA(nullptr, TRUE, "Mivora");
    const HWND main = ::FindWindowA("TfrmZmMain", "Zelvano Mivora");
    ::FindWindowA("TfrmZmSplash", "Zelvano Mivora - Splash");
    ::FindWindowA("TfrmZmLogin", "Zelvano Mivora - Login");
    return main;
}

// One hidden top-level window, as the gate's application window.
inline HWND CreateHiddenWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MivoraLimit";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             instance, nullptr);
}
