#include "app/entry.h"
#include "app/instance.h"
#include "platform/debug_output.h"
#include "platform/win32/dll_search.h"
#include "ui/controls/uHeader.h"
#include "ui/framework/application.h"

#include <exception>

namespace {

// Ends a start that failed before or around the message loop.
constexpr int kStartFailureExitCode = 1;

// What fails before or around the message loop may be the framework itself, so the system's own box
// tells it: no start ends without a word.
int ReportStartFailure(const char* text) noexcept {
    platform::DebugLine("message box: ", text);
    ::MessageBoxA(nullptr, text, "Mivora", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return kStartFailureExitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::RemoveCurrentDirectoryFromDllSearch();
    int exitCode = 0;
    try {
        SetInstanceName("Mivora");
        if (TakeStartRoad() == StartRoad::NothingRunning)
            Application->Run();
    } catch (const std::exception& error) {
        exitCode = ReportStartFailure(error.what());
    } catch (...) {
        exitCode = ReportStartFailure("Unknown error");
    }
    FreeLabelBitmap();
    FinalizeApplication();
    return exitCode;
}
