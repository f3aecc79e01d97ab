#include "platform/win32/os_version_probe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    FillOsVersionFacts();
    ProbeKernelVersion();
    return 0;
}
