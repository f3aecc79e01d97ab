#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// Calls `tick` on each tick of a thread timer for as long as it lives; one at a time. A tick comes only
// when no other message, painting included, waits, so inside a dialog's modal loop the dialog has been
// shown and drawn by then.
class TimerTicks {
public:
    TimerTicks(UINT intervalMs, std::function<void()> tick) : tick_(std::move(tick)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, intervalMs, &TimerTicks::Tick);
    }
    ~TimerTicks() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TimerTicks(const TimerTicks&) = delete;
    TimerTicks& operator=(const TimerTicks&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
        if (current_ != nullptr)
            current_->tick_();
    }

    static inline TimerTicks* current_ = nullptr;
    std::function<void()> tick_;
    UINT_PTR timer_ = 0;
};
