#pragma once

#include "tools/scenario/harness.h"

#include <string>
#include <vector>

namespace scenario {

// The installed gate, started as this process's debuggee so that its debug output can be read: one line
// per decision. A thread of its own starts it and answers its debug events until it ends, because
// Windows hands a debuggee's events only to the thread that started it, and the gate waits at each
// event until it is answered. Faults raised in the gate are passed back to the gate's own handlers.
class DebuggedGate {
public:
    explicit DebuggedGate(const std::string& arguments);
    ~DebuggedGate(); // ends a gate still running
    DebuggedGate(const DebuggedGate&) = delete;
    DebuggedGate& operator=(const DebuggedGate&) = delete;

    Started& Program() { return program_; }
    // The system's error when the gate could not be started, else 0.
    DWORD StartError() const { return startError_; }
    // Every line the gate sent, without its line end, once it has ended; a gate still running after
    // `timeoutMs` is ended first.
    std::vector<std::string> Lines(DWORD timeoutMs = 10000);

private:
    static DWORD WINAPI Collect(void* self) noexcept;
    void AnswerEvents(HANDLE process);

    std::string commandLine_;
    Started program_;
    platform::UniqueHandle ready_; // set once the gate was started, or could not be
    platform::UniqueHandle thread_;
    std::vector<std::string> lines_;
    DWORD startError_ = 0;
};

} // namespace scenario
