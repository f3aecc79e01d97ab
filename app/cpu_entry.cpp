// The program's entry, ahead of the runtime's: the runtime and the program use CMOV, so an older
// processor is told in the system's box and the program ends before any of that code runs.
#include "app/cpu_check.h"
#include "app/system_box.h"

#include <windows.h>

extern "C" int WinMainCRTStartup();

namespace {

// Ends a start on a processor that cannot run the program.
constexpr UINT kCpuRefusedExitCode = 3;

} // namespace

extern "C" int MivoraStart() {
    if (!HasCmov(ProcessorCpuid())) {
        ShowSystemBox(
            L"이 컴퓨터의 프로세서에서는 Mivora 를 실행할 수 없습니다. 펜티엄 프로(Pentium Pro) 이후의 "
            L"프로세서가 필요합니다.",
            "Mivora cannot run on this computer's processor: it needs a Pentium Pro, Pentium II, "
            "AMD Athlon or a later processor.");
        ::ExitProcess(kCpuRefusedExitCode);
    }
    return WinMainCRTStartup();
}
