// What road 1 cannot avoid, linked like the gate: the instance mutex is created (and found taken) and the
// argument left in a global atom. The gate's road 1 is measured against it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR argument, int) {
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, "Mivora");
    if (mutex != nullptr)
        ::CloseHandle(mutex);
    return ::GlobalAddAtomA(argument) != 0 ? 0 : 1;
}
