#include "platform/process.h"

#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/win32/unique_resource.h"

#include <windows.h>

namespace platform {

void ProcessTraits::Close(Handle process) {
    KernelHandleTraits::Close(process);
}

bool Process::HasEnded() const {
    return !handle_ || ::WaitForSingleObject(handle_.get(), 0) != WAIT_TIMEOUT;
}

Process StartProgram(const std::string& applicationPath, const std::string& commandLine) {
    // Windows would not find it; Wine overruns its stack on such a name.
    if (!FitsFileFunctions(applicationPath))
        return Process();
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine; // CreateProcessA may write into it
    if (!::CreateProcessA(applicationPath.empty() ? nullptr : applicationPath.c_str(), mutableLine.data(),
                          nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        DebugLine("not started, Windows error ", ::GetLastError(), ": ", commandLine);
        return Process();
    }
    DebugLine("started process ", info.dwProcessId, ": ", commandLine);
    const UniqueHandle thread(info.hThread);
    return Process(info.hProcess);
}

void SleepMs(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace platform
