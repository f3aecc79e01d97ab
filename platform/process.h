#pragma once

#include "platform/unique_resource.h"

#include <string>

namespace platform {

// The process handle; closed by each build in its own way.
struct ProcessTraits {
    using Handle = void*;
    static Handle Null() { return nullptr; }
    static void Close(Handle process);
};

// A program this process started. Owns its process handle.
class Process {
public:
    Process() = default;
    explicit Process(void* handle) : handle_(handle) {}

    bool IsStarted() const { return static_cast<bool>(handle_); }
    // True once the program has ended (or when none was started).
    bool HasEnded() const;

private:
    UniqueResource<ProcessTraits> handle_;
};

// Starts a program, shown normally, with `commandLine` exactly as the program will see it. With a
// non-empty `applicationPath` that file is started, so an unquoted path with blanks in the command line
// cannot start another program; with an empty one the first word of the command line is searched for.
// A path too long for Windows' file functions starts nothing.
Process StartProgram(const std::string& applicationPath, const std::string& commandLine);

void SleepMs(unsigned milliseconds);

} // namespace platform
