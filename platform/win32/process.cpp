#include "platform/process.h"

#include <windows.h>

#include <utility>

namespace platform {

Process::~Process() {
    if (handle_ != nullptr)
        ::CloseHandle(handle_);
}

Process::Process(Process&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr)
            ::CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool Process::HasEnded() const {
    return handle_ == nullptr || ::WaitForSingleObject(handle_, 0) != WAIT_TIMEOUT;
}

Process StartProgram(const std::string& applicationPath, const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine; // CreateProcessA may write into it
    if (!::CreateProcessA(applicationPath.empty() ? nullptr : applicationPath.c_str(), mutableLine.data(),
                          nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return Process();
    ::CloseHandle(info.hThread);
    return Process(info.hProcess);
}

void SleepMs(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace platform
