// What road 3 cannot avoid, linked like the gate: the instance mutex is created and the suite's three
// windows are looked up. The gate's road 3 is measured against it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ::CreateMutexA(nullptr, TRUE, "Mivora");
    int found = ::FindWindowA("TfrmZmMain", "Zelvano Mivora") != nullptr ? 1 : 0;
    found += ::FindWindowA("TfrmZmSplash", "Zelvano Mivora - Splash") != nullptr ? 1 : 0;
    found += ::FindWindowA("TfrmZmLogin", "Zelvano Mivora - Login") != nullptr ? 1 : 0;
    return found;
}
