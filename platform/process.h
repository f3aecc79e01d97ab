#pragma once

#include "platform/unique_resource.h"

#include <string>

namespace platform {

// A process or job handle; closed by each build in its own way.
struct ProcessTraits {
    using Handle = void*;
    static Handle Null() { return nullptr; }
    static void Close(Handle process);
};

// A program this process started, and the job that holds its run where it has one. Owns both handles.
class Process {
public:
    Process() = default;
    explicit Process(void* handle, void* job = nullptr) : handle_(handle), job_(job) {}

    bool IsStarted() const { return static_cast<bool>(handle_); }
    // True once the program has ended (or when none was started); with a job, once every process of the
    // job has.
    bool HasEnded() const;

private:
    UniqueResource<ProcessTraits> handle_;
    UniqueResource<ProcessTraits> job_;
};

// Starts a program, shown normally, with `commandLine` exactly as the program will see it. With a
// non-empty `applicationPath` that file is started, so an unquoted path with blanks in the command line
// cannot start another program; with an empty one the first word of the command line is searched for.
// A path too long for Windows' file functions starts nothing.
Process StartProgram(const std::string& applicationPath, const std::string& commandLine);

// Starts a program as StartProgram does, whose run includes the programs it starts in turn: a program
// that hands its work to a copy of itself and ends has not ended its run. Only a program started to leave
// the run (CREATE_BREAKAWAY_FROM_JOB) is not part of it. Where the run cannot be held together (Windows
// before 2000, or a job of this process's own that 2000 and XP cannot nest), the program's own end ends
// its run, and a debug line says so.
Process StartProgramRun(const std::string& applicationPath, const std::string& commandLine);

void SleepMs(unsigned milliseconds);

} // namespace platform
