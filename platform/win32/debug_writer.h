#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

namespace platform {

// Sends debug-output lines from a thread of its own, so that no viewer can hold up the caller: Windows
// waits up to 10 s a line for a viewer that stopped reading, and without a time-out for the writers'
// mutex that another process holds. Lines wait in a small queue, in order; while it is full, new lines
// are dropped. The thread starts with the first line queued.
class DebugLineWriter {
public:
    DebugLineWriter();
    // Lets the queued lines go out, waiting for them at most kFinishMs; a thread still held by a viewer
    // then is left to the end of the process.
    ~DebugLineWriter();
    DebugLineWriter(const DebugLineWriter&) = delete;
    DebugLineWriter& operator=(const DebugLineWriter&) = delete;

    static constexpr DWORD kFinishMs = 500;

    bool IsRunning() const { return static_cast<bool>(thread_); }
    // False when the line was dropped: the queue full, the writer finished, or no thread to be had.
    bool Queue(std::string line) noexcept;

private:
    static DWORD WINAPI Run(void* self) noexcept;
    bool Finish() noexcept;

    // The lock of the queue and the flag, held only to move a line in or out.
    class Lock {
    public:
        explicit Lock(CRITICAL_SECTION& section) : section_(section) { ::EnterCriticalSection(&section_); }
        ~Lock() { ::LeaveCriticalSection(&section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& section_;
    };

    CRITICAL_SECTION section_;
    std::array<std::string, 64> lines_;
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    bool finishing_ = false;
    UniqueHandle wake_; // set when a line is queued or the end has come
    UniqueHandle thread_;
};

} // namespace platform
