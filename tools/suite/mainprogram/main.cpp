// Stand-in for the suite's main program. It records its command line and file path and shows a main window of
// class "TfrmZmMain" titled "Zelvano Mivora" that records every WM_COPYDATA notice it receives.
// MIVORA_SIM_MAIN (comma-separated) adds "splash" and "login" windows, "nomain" leaves out the main
// window and "exit" ends the program right after recording its command line. MIVORA_SIM_STARTED names
// an event it sets first thing, so a benchmark sees the very moment the program starts.
#include "platform/win32/unique_resource.h"
#include "tools/suite/common/record.h"
#include "ui/framework/gdi_guards.h"

#include <windows.h>

#include <string>

namespace {

std::string Options() {
    return "," + EnvironmentText("MIVORA_SIM_MAIN") + ",";
}
bool HasOption(const char* option) {
    return Options().find(std::string(",") + option + ",") != std::string::npos;
}

// A record that cannot be written is lost rather than let out of the window procedure.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        DWORD senderPid = 0;
        ::GetWindowThreadProcessId(reinterpret_cast<HWND>(wParam), &senderPid);
        try {
            AppendRecord("MivoraMain.notices", "dwData=" + std::to_string(data->dwData) +
                                                   " cbData=" + std::to_string(data->cbData) +
                                                   " lpData=" + (data->lpData ? "set" : "null") +
                                                   " senderPid=" + std::to_string(senderPid) + "\n");
        } catch (...) {
        }
        return 1;
    }
    case WM_PAINT: {
        const framework::PaintDc paint(window);
        static const std::string text = "MivoraMain (simulated): " + std::string(::GetCommandLineA());
        ::TextOutA(paint.get(), 10, 10, text.c_str(), static_cast<int>(text.size()));
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void SignalStart() {
    const std::string name = EnvironmentText("MIVORA_SIM_STARTED");
    if (name.empty())
        return;
    const platform::UniqueHandle started(::OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str()));
    if (started)
        ::SetEvent(started.get());
}

void OpenWindow(const char* className, const char* title, int top) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    ::CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, top, 600, 160, nullptr,
                      nullptr, windowClass.hInstance, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SignalStart();
    AppendRecord("events", "main program\n");
    AppendRecord("MivoraMain.cmdline", std::string(::GetCommandLineA()) + "\n");
    char image[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, image, MAX_PATH);
    AppendRecord("MivoraMain.image", std::string(image) + "\n");
    RecordShowMode("MivoraMain.show");
    if (HasOption("exit"))
        return 0;
    if (!HasOption("nomain"))
        OpenWindow("TfrmZmMain", "Zelvano Mivora", 60);
    if (HasOption("splash"))
        OpenWindow("TfrmZmSplash", "Zelvano Mivora - Splash", 240);
    if (HasOption("login"))
        OpenWindow("TfrmZmLogin", "Zelvano Mivora - Login", 420);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
