// Reports the version class of the Windows it runs on as its exit code.
#include "platform/os_version.h"
#include "platform/win32/os_version_probe.h"

int main() {
    FillOsVersionFacts();
    ProbeKernelVersion();
    return static_cast<int>(GetOsVersionClass());
}
