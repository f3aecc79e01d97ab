#include "platform/debug_output.h"

#include "platform/win32/debug_writer.h"
#include "platform/win32/unique_resource.h"

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

// A debug-output viewer runs: it holds the shared buffer that Windows writes lines into.
bool ViewerListens() {
    return static_cast<bool>(UniqueHandle(::OpenFileMappingA(FILE_MAP_READ, FALSE, "DBWIN_BUFFER")));
}

DebugLineWriter& Writer() {
    static DebugLineWriter writer;
    return writer;
}

} // namespace

void WriteDebugLine(std::string_view text) noexcept {
    try {
        std::string line = DebugLineText(MillisecondsSinceStart(), text);
        // Without a viewer a line goes straight to a debugger, or nowhere, and cannot wait: a start that
        // ends at once (road 1) starts no thread. Once a viewer was seen, every line takes the writer,
        // which keeps their order.
        if (!Writer().IsRunning() && !ViewerListens())
            ::OutputDebugStringA(line.c_str());
        else
            Writer().Queue(std::move(line));
    } catch (...) {
    }
}

} // namespace platform
