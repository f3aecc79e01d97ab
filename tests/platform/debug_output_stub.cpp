// Stands in for a debug-output viewer, or for the gate writing debug lines:
//   debug_output_stub viewer read <file>   a viewer that appends each line it reads to <file>
//   debug_output_stub viewer stop <file>   one that reads one line, then stops reading
//   debug_output_stub viewer hold          one that holds the writers' mutex
//   debug_output_stub write <n>            writes n lines through the gate's debug output, then ends
// A viewer sets the event "mivora-test-viewer-ready" once it listens, and runs until it is ended.
#include "platform/debug_output.h"
#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using platform::UniqueHandle;

// The buffer as viewers share it with writers: the writer's process id, then the text.
struct DebugBuffer {
    DWORD ProcessId;
    char Text[4096 - sizeof(DWORD)];
};

int View(const std::string& kind, const char* file) {
    const UniqueHandle mutex(::CreateMutexA(nullptr, FALSE, "DBWinMutex"));
    const UniqueHandle bufferReady(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY"));
    const UniqueHandle dataReady(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY"));
    const UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                    sizeof(DebugBuffer), "DBWIN_BUFFER"));
    if (!mutex || !bufferReady || !dataReady || !mapping)
        return 1;
    const auto* buffer =
        static_cast<const DebugBuffer*>(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (buffer == nullptr)
        return 1;
    if (kind == "hold")
        ::WaitForSingleObject(mutex.get(), INFINITE);
    ::SetEvent(bufferReady.get());
    const UniqueHandle ready(::CreateEventA(nullptr, TRUE, FALSE, "mivora-test-viewer-ready"));
    ::SetEvent(ready.get());
    for (int read = 0; kind != "hold" && (kind == "read" || read < 1); ++read) {
        ::WaitForSingleObject(dataReady.get(), INFINITE);
        std::ofstream(file, std::ios::app) << buffer->Text;
        ::SetEvent(bufferReady.get());
    }
    ::Sleep(INFINITE);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "viewer" && argc > 2)
        return View(argv[2], argc > 3 ? argv[3] : "");
    if (mode == "write" && argc > 2) {
        for (int i = 1, lines = std::atoi(argv[2]); i <= lines; ++i)
            platform::DebugLine("line ", i);
        return 0;
    }
    return 1;
}
