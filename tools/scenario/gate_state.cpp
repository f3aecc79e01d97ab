#include "tools/scenario/gate_state.h"

#include "platform/win32/unique_resource.h"
#include "tools/scenario/utf8.h"
#include "tools/scenario/window_search.h"

#include <tlhelp32.h>

namespace scenario {

std::vector<std::string> DescribeStuckGate(HANDLE process, DWORD processId) {
    std::vector<std::string> lines;
    if (process == nullptr) {
        lines.push_back("the gate was never started");
    } else {
        DWORD code = 0;
        ::GetExitCodeProcess(process, &code);
        lines.push_back("gate process " + std::to_string(processId) +
                        (code == STILL_ACTIVE ? ": running" : ": ended with " + std::to_string(code)));
    }
    for (HWND window : TopLevelWindows(processId))
        lines.push_back("window class \"" + ClassOf(window) + "\" title \"" + Utf8(TitleOf(window)) + "\" " +
                        (::IsWindowVisible(window) ? "visible" : "hidden"));
    const platform::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    if (snapshot && snapshot.get() != INVALID_HANDLE_VALUE)
        for (BOOL more = ::Process32First(snapshot.get(), &entry); more;
             more = ::Process32Next(snapshot.get(), &entry))
            lines.push_back("process " + std::to_string(entry.th32ProcessID) + " (parent " +
                            std::to_string(entry.th32ParentProcessID) + ", " +
                            std::to_string(entry.cntThreads) + " threads) " + entry.szExeFile);
    return lines;
}

} // namespace scenario
