#include "platform/debug_output.h"

#include <windows.h>

namespace platform {

namespace {

// Taken while the runtime starts the program, before its entry runs.
const LARGE_INTEGER StartCount = [] {
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    return count;
}();

std::uint32_t MillisecondsSinceStart() {
    LARGE_INTEGER now{}, frequency{};
    if (!::QueryPerformanceCounter(&now) || !::QueryPerformanceFrequency(&frequency) ||
        frequency.QuadPart == 0)
        return 0;
    return static_cast<std::uint32_t>((now.QuadPart - StartCount.QuadPart) * 1000 / frequency.QuadPart);
}

} // namespace

void WriteDebugLine(std::string_view text) noexcept {
    try {
        ::OutputDebugStringA(DebugLineText(MillisecondsSinceStart(), text).c_str());
    } catch (...) {
    }
}

} // namespace platform
