#include "app/system_box.h"

#include "platform/win32/unique_resource.h"

#include <windows.h>

void ShowSystemBox(const wchar_t* korean, const char* english) noexcept {
    // user32 is one of the system's known DLLs: its name alone takes it from the system folder.
    const platform::UniqueModule user32Module(::LoadLibraryA("user32.dll"));
    if (!user32Module)
        return;
    const HMODULE user32 = user32Module.get();
    constexpr UINT style = MB_OK | MB_ICONSTOP | MB_SETFOREGROUND;
    if (korean != nullptr && ::IsValidCodePage(949)) {
        using BoxW = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
        if (const auto box =
                reinterpret_cast<BoxW>(reinterpret_cast<void*>(::GetProcAddress(user32, "MessageBoxW")))) {
            box(nullptr, korean, L"Mivora", style);
            return;
        }
    }
    using BoxA = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
    if (const auto box =
            reinterpret_cast<BoxA>(reinterpret_cast<void*>(::GetProcAddress(user32, "MessageBoxA"))))
        box(nullptr, english, "Mivora", style);
}
