// A start that finds another gate running maps no DLL beyond kernel32 and the C runtime: the window
// system, the registry and the version functions are loaded at their first call, and road 1 calls none.
// The DLLs are read from the debug events of the real gate.
#include "tools/scenario/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The file name of a DLL the debuggee loads, from the address its debug event points at.
std::string LoadedName(HANDLE process, const LOAD_DLL_DEBUG_INFO& load) {
    void* address = nullptr;
    if (load.lpImageName == nullptr ||
        !::ReadProcessMemory(process, load.lpImageName, &address, sizeof(address), nullptr) ||
        address == nullptr)
        return "";
    wchar_t wide[MAX_PATH] = {};
    char narrow[MAX_PATH] = {};
    if (load.fUnicode) {
        ::ReadProcessMemory(process, address, wide, sizeof(wide) - sizeof(wchar_t), nullptr);
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), nullptr, nullptr);
    } else {
        ::ReadProcessMemory(process, address, narrow, sizeof(narrow) - 1, nullptr);
    }
    std::string name = Lower(narrow);
    return name.substr(name.find_last_of("\\/") + 1);
}

// Runs the program to its end under this process as debugger; the DLLs it loaded.
std::set<std::string> DllsLoadedBy(const std::string& program, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = "\"" + program + "\" " + arguments;
    std::set<std::string> loaded;
    if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                          nullptr, nullptr, &startup, &info))
        return loaded;
    const platform::UniqueHandle process(info.hProcess), thread(info.hThread);
    DEBUG_EVENT event{};
    while (::WaitForDebugEvent(&event, 20000)) {
        DWORD answer = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            const platform::UniqueFile image(event.u.CreateProcessInfo.hFile);
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            const platform::UniqueFile dll(event.u.LoadDll.hFile);
            loaded.insert(LoadedName(process.get(), event.u.LoadDll));
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                   event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            answer = DBG_EXCEPTION_NOT_HANDLED;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            break;
    }
    return loaded;
}

TEST(StartCostTest, ASecondStartMapsOnlyTheKernelAndTheRuntime) {
    scenario::InstallSuite({});
    const platform::UniqueHandle runningGate(::CreateMutexA(nullptr, TRUE, "Mivora"));
    scenario::DeleteGlobalAtom("second");
    const auto loaded = DllsLoadedBy(std::string(scenario::SuiteDirectory) + "Mivora.exe", "second");
    EXPECT_NE(::GlobalFindAtomA("second"), 0) << "the start took road 1";
    ASSERT_TRUE(loaded.count("kernel32.dll")) << "the debug events name the DLLs";
    for (const char* dll :
         {"user32.dll", "gdi32.dll", "advapi32.dll", "version.dll", "shell32.dll", "winmm.dll"})
        EXPECT_FALSE(loaded.count(dll)) << dll;
    scenario::DeleteGlobalAtom("second");
}

} // namespace
