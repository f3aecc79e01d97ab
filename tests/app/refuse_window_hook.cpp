// A system-wide hook that makes window creation fail in the gate, as it fails where the system refuses
// (no desktop heap left, a class that cannot be registered): the gate must still say so.
#include <windows.h>

#include <cstring>

namespace {

bool InGate() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    constexpr char Gate[] = "\\Mivora.exe";
    return length >= sizeof(Gate) - 1 && ::lstrcmpiA(path + length - (sizeof(Gate) - 1), Gate) == 0;
}

} // namespace

// A non-zero answer to HCBT_CREATEWND makes CreateWindowEx fail.
extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseGateWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && InGate()) {
        char className[64] = {};
        ::GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof(className));
        if (std::strcmp(className, "TApplication") == 0)
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
