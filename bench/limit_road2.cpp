// What road 2 cannot avoid, linked like the gate: the instance mutex, the three window lookups, one
// top-level window to name as the notice's sender, the notice 2028 with its time-out, and the foreground
// call. The gate's road 2 is measured against it.
#include "bench/limit_steps.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const HWND main = CreateMutexAndLookUp();
    const HWND sender = CreateHiddenWindow(instance);
    COPYDATASTRUCT notice{};
    notice.dwData = 2028;
    DWORD_PTR reply = 0;
    ::SendMessageTimeoutA(main, WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                          reinterpret_cast<LPARAM>(&notice), SMTO_ABORTIFHUNG, 30000, &reply);
    ::SetForegroundWindow(main);
    ::DestroyWindow(sender);
    return main != nullptr ? 0 : 1;
}
