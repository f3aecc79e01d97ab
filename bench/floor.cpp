// The benchmark's floor: a Windows program that does nothing, built and linked like the gate, so the
// gate's times read against what merely starting and ending a program costs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
