// A piece of the benchmark: the floor program with the gate's DLLs. It refers to one function of each so
// that the loader maps and initialises them, and calls none; given the argument "window", it also creates
// and destroys one hidden top-level window, as the gate's start-up does.
#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <cstring>

namespace {

// One function of each DLL the gate imports besides the runtime's.
const void* volatile Imports[] = {
    reinterpret_cast<const void*>(&::RegOpenKeyExA),
    reinterpret_cast<const void*>(&::GetStockObject),
    reinterpret_cast<const void*>(&::MessageBeep),
    reinterpret_cast<const void*>(&::GetFileVersionInfoA),
};

void OpenAndCloseWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MivoraFloorWindow";
    ::RegisterClassA(&windowClass);
    const platform::UniqueWindow window(::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1,
                                                          1, nullptr, nullptr, instance, nullptr));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strcmp(commandLine, "window") == 0)
        OpenAndCloseWindow(instance);
    int missing = 0;
    for (const void* function : Imports)
        missing += function == nullptr ? 1 : 0;
    return missing;
}
