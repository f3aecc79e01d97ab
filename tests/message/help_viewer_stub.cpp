// Stands in for the help viewer: writes its command line to the file that MIVORA_HELP_MARKER names.
#include <windows.h>

#include <fstream>

int main() {
    char marker[MAX_PATH];
    if (::GetEnvironmentVariableA("MIVORA_HELP_MARKER", marker, MAX_PATH) == 0)
        return 1;
    std::ofstream(marker) << ::GetCommandLineA() << '\n';
    return 0;
}
