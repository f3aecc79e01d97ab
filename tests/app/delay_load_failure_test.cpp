// A delay-loaded DLL or function that the system lacks: Windows' delay-load helper then calls the
// failure hook (dliFailLoadLib, dliFailGetProc) before it would raise 0xC06D007E or 0xC06D007F. The
// stand-in is a program that imports a DLL no system has and a function kernel32 does not export.
#include "tools/scenario/harness.h"

#include <gtest/gtest.h>

namespace {

TEST(DelayLoadFailure, IsTheProgramsOwnErrorNamingTheDllAndFunction) {
    for (const auto& [argument, named] :
         {std::pair{"dll", L"mivora_absent.dll cannot be loaded"},
          std::pair{"function", L"the function MivoraAbsentFunction of KERNEL32.dll is missing"}}) {
        scenario::Started probe = scenario::StartBuiltProgram("delay_load_probe.exe", argument);
        const HWND box = scenario::WaitForWindow(probe.ProcessId, L"Mivora", 20000);
        ASSERT_NE(box, nullptr) << argument;
        EXPECT_EQ(scenario::ClassOf(box), "#32770") << "the system's own box";
        EXPECT_NE(scenario::MessageBoxText(box).find(named), std::wstring::npos)
            << argument << ": " << scenario::MessageBoxText(box);
        ::PostMessageA(box, WM_CLOSE, 0, 0);
        ASSERT_TRUE(scenario::WaitForExit(probe, 10000)) << argument;
        DWORD code = 0;
        ::GetExitCodeProcess(probe.Process.get(), &code);
        EXPECT_EQ(code, 1u) << argument << ": not the delay-load exception's code";
        scenario::Kill(probe);
    }
}

} // namespace
