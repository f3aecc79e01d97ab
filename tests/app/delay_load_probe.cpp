// Calls a delay-loaded function whose DLL ("dll") or whose export ("function") this Windows lacks, as
// the gate would on a system without one of its imports. The gate's failure hook is linked in.
#include <windows.h>

#include <cstring>

extern "C" void WINAPI MivoraAbsent();         // of mivora_absent.dll, which no system has
extern "C" void WINAPI MivoraAbsentFunction(); // of KERNEL32.dll, which does not export it

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "dll") == 0)
        MivoraAbsent();
    else
        MivoraAbsentFunction();
    return 0;
}
