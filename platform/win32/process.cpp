#include "platform/process.h"

#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/win32/job.h"
#include "platform/win32/unique_resource.h"

#include <windows.h>

namespace platform {

namespace {

// Starts the program with `flags`; false with the Windows error kept.
bool Create(const std::string& applicationPath, const std::string& commandLine, DWORD flags,
            PROCESS_INFORMATION& info) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    std::string mutableLine = commandLine; // CreateProcessA may write into it
    return ::CreateProcessA(applicationPath.empty() ? nullptr : applicationPath.c_str(), mutableLine.data(),
                            nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &info) != FALSE;
}

void SayNotStarted(const std::string& commandLine) {
    DebugLine("not started, Windows error ", ::GetLastError(), ": ", commandLine);
}

} // namespace

void ProcessTraits::Close(Handle process) {
    KernelHandleTraits::Close(process);
}

bool Process::HasEnded() const {
    if (job_)
        if (const auto active = ActiveProcesses(job_.get()))
            return *active == 0;
    return !handle_ || ::WaitForSingleObject(handle_.get(), 0) != WAIT_TIMEOUT;
}

Process StartProgram(const std::string& applicationPath, const std::string& commandLine) {
    // Windows would not find it; Wine overruns its stack on such a name.
    if (!FitsFileFunctions(applicationPath))
        return Process();
    PROCESS_INFORMATION info{};
    if (!Create(applicationPath, commandLine, 0, info)) {
        SayNotStarted(commandLine);
        return Process();
    }
    DebugLine("started process ", info.dwProcessId, ": ", commandLine);
    const UniqueHandle thread(info.hThread);
    return Process(info.hProcess);
}

Process StartProgramRun(const std::string& applicationPath, const std::string& commandLine) {
    if (!FitsFileFunctions(applicationPath))
        return Process();
    UniqueHandle job = CreateRunJob();
    if (!job)
        return StartProgram(applicationPath, commandLine);
    // Held until it is in the job, so that nothing it starts escapes the run. A gate in a job of its own
    // lets the program leave that one where the job allows it; where it does not, the start is refused
    // with access denied.
    PROCESS_INFORMATION info{};
    bool started = Create(applicationPath, commandLine, CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, info);
    if (!started && ::GetLastError() == ERROR_ACCESS_DENIED)
        started = Create(applicationPath, commandLine, CREATE_SUSPENDED, info);
    if (!started) {
        SayNotStarted(commandLine);
        return Process();
    }
    const UniqueHandle thread(info.hThread);
    if (!AssignToJob(job.get(), info.hProcess)) {
        DebugLine("process ", info.dwProcessId, " cannot join a job of its own, Windows error ",
                  ::GetLastError(), ": its run ends when it ends");
        job.reset();
    }
    ::ResumeThread(thread.get());
    DebugLine("started process ", info.dwProcessId, ": ", commandLine);
    return Process(info.hProcess, job.release());
}

void SleepMs(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace platform
