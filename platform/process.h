#pragma once

#include <string>
#include <utility>

namespace platform {

// A program this process started. Owns its process handle.
class Process {
public:
    Process() = default;
    explicit Process(void* handle) : handle_(handle) {}
    ~Process() { Close(); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    Process(Process&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Process& operator=(Process&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    bool IsStarted() const { return handle_ != nullptr; }
    // True once the program has ended (or when none was started).
    bool HasEnded() const;

private:
    void Close();

    void* handle_ = nullptr;
};

// Starts a program, shown normally, with `commandLine` exactly as the program will see it. With a
// non-empty `applicationPath` that file is started, so an unquoted path with blanks in the command line
// cannot start another program; with an empty one the first word of the command line is searched for.
Process StartProgram(const std::string& applicationPath, const std::string& commandLine);

// Waits `milliseconds` on this thread.
void SleepMs(unsigned milliseconds);

} // namespace platform
