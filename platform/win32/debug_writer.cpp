#include "platform/win32/debug_writer.h"

#include <utility>

namespace platform {

DebugLineWriter::DebugLineWriter() {
    ::InitializeCriticalSection(&section_);
}

DebugLineWriter::~DebugLineWriter() {
    // A thread still inside a write keeps using the lock: it stays, as the thread does, until the end.
    if (Finish())
        ::DeleteCriticalSection(&section_);
}

bool DebugLineWriter::Queue(std::string line) noexcept {
    {
        const Lock lock(section_);
        if (finishing_ || count_ == lines_.size())
            return false;
        lines_[(first_ + count_) % lines_.size()] = std::move(line);
        ++count_;
    }
    if (!thread_) {
        wake_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (wake_)
            thread_.reset(::CreateThread(nullptr, 0, &DebugLineWriter::Run, this, 0, nullptr));
        if (!thread_) {
            const Lock lock(section_);
            count_ = 0;
            return false;
        }
    }
    ::SetEvent(wake_.get());
    return true;
}

DWORD WINAPI DebugLineWriter::Run(void* self) noexcept {
    auto& writer = *static_cast<DebugLineWriter*>(self);
    for (;;) {
        std::string line;
        {
            const Lock lock(writer.section_);
            if (writer.count_ == 0 && writer.finishing_)
                return 0;
            if (writer.count_ != 0) {
                line = std::move(writer.lines_[writer.first_]);
                writer.first_ = (writer.first_ + 1) % writer.lines_.size();
                --writer.count_;
            }
        }
        if (line.empty())
            ::WaitForSingleObject(writer.wake_.get(), INFINITE);
        else
            ::OutputDebugStringA(line.c_str());
    }
}

bool DebugLineWriter::Finish() noexcept {
    {
        const Lock lock(section_);
        finishing_ = true;
    }
    if (!thread_)
        return true;
    ::SetEvent(wake_.get());
    if (::WaitForSingleObject(thread_.get(), kFinishMs) == WAIT_OBJECT_0)
        return true;
    // Held by a viewer: what is still queued is dropped, and the handles it waits on stay open.
    const Lock lock(section_);
    count_ = 0;
    thread_.release();
    wake_.release();
    return false;
}

} // namespace platform
