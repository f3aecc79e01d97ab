#pragma once

// GoogleTest's thread-start notification, for the win32 thread model, which has no std::mutex. Kept
// free of <windows.h>, whose macros would leak into every test.
namespace testing {
namespace internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;
};

} // namespace internal
} // namespace testing
