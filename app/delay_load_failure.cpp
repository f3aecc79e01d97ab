// A DLL or function imported at its first call that this Windows lacks. Without a hook the delay-load
// helper raises an exception: a crash box outside the fault guard, and inside it a fault taken for the
// check library's. The gate reports it instead as its own start-up error, naming both, and ends.
#include "app/system_box.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

namespace {

constexpr UINT kDelayLoadExitCode = 1;

std::string Describe(unsigned notice, const DelayLoadInfo& info) {
    std::string text = "Mivora cannot start: ";
    if (notice == dliFailLoadLib)
        return text + info.szDll + " cannot be loaded.";
    text += "the function ";
    text +=
        info.dlp.fImportByName ? std::string(info.dlp.szProcName) : "#" + std::to_string(info.dlp.dwOrdinal);
    return text + " of " + info.szDll + " is missing.";
}

FARPROC WINAPI ReportDelayLoadFailure(unsigned notice, PDelayLoadInfo info) {
    try {
        ShowSystemBox(nullptr, Describe(notice, *info).c_str());
    } catch (...) {
        ShowSystemBox(nullptr, "Mivora cannot start: a system function is missing.");
    }
    ::ExitProcess(kDelayLoadExitCode);
}

} // namespace

PfnDliHook __pfnDliFailureHook2 = ReportDelayLoadFailure;
