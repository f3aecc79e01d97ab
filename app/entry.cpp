#include "app/entry.h"

#include "app/instance.h"
#include "platform/command_line.h"
#include "platform/debug_output.h"
#include "platform/win32/os_version_probe.h"
#include "platform/win32/system_function.h"
#include "ui/controls/uHeader.h"
#include "ui/framework/application.h"
#include "update/uLiveUpdate.h"

namespace {

// A hung main window must not freeze the gate while it holds the instance mutex.
constexpr UINT kHandOffTimeoutMs = 30000;

void LeaveArgumentForRunningGate() {
    CloseInstanceMutex();
    const std::string argument =
        platform::CommandLineArgument(::GetCommandLineA(), 1, platform::IsSystemLeadByte);
    StartArgumentAtom = ::GlobalAddAtomA(argument.c_str());
    platform::DebugLine("road 1: another gate holds the instance; the argument is left in atom ",
                        StartArgumentAtom);
}

// Lets the suite take the foreground itself, also where this gate may not give it (after a slow start,
// or once the user clicked elsewhere). Windows 2000 and later only.
void AllowForegroundFor(HWND window) {
    using AllowProc = BOOL(WINAPI*)(DWORD);
    const auto allow = platform::SystemFunction<AllowProc>("user32.dll", "AllowSetForegroundWindow");
    DWORD process = 0;
    if (allow != nullptr && ::GetWindowThreadProcessId(window, &process) != 0)
        allow(process);
}

void NotifyMainWindow(HWND mainWindow) {
    // The notice names the application window as its sender.
    InitializeApplication();
    AllowForegroundFor(mainWindow);
    HandOffData.dwData = HandOffCode;
    DWORD_PTR reply = 0;
    const LRESULT answered = ::SendMessageTimeoutA(
        mainWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(Application->Handle()),
        reinterpret_cast<LPARAM>(&HandOffData), SMTO_ABORTIFHUNG, kHandOffTimeoutMs, &reply);
    platform::DebugLine("road 2: the main window was told of the start, ",
                        answered ? "reply " : "no reply: hung or timed out, error ",
                        answered ? reply : ::GetLastError());
    ::SetForegroundWindow(mainWindow);
}

// The modules' start-up steps run only on the road that uses them: the other roads end at once.
void StartUpdateRun() {
    FillOsVersionFacts();
    ProbeKernelVersion();
    InitializeApplication();
    LoadLabelBitmap();
    Application->SetTitle("젤바노미보라");
    Application->CreateForm(frmLiveUpdate);
}

} // namespace

StartRoad TakeStartRoad() {
    if (IsAnotherInstanceRunning()) {
        LeaveArgumentForRunningGate();
        return StartRoad::AnotherGateRunning;
    }
    RegisterInstanceMessage();
    if (HWND mainWindow = ::FindWindowA("TfrmZmMain", "Zelvano Mivora")) {
        NotifyMainWindow(mainWindow);
        return StartRoad::MainWindowOpen;
    }
    // Both lookups are made before either is tested.
    HWND splash = ::FindWindowA("TfrmZmSplash", "Zelvano Mivora - Splash");
    HWND login = ::FindWindowA("TfrmZmLogin", "Zelvano Mivora - Login");
    if (splash != nullptr || login != nullptr) {
        platform::DebugLine("road 3: splash window ", splash ? "open" : "not open", ", login window ",
                            login ? "open" : "not open");
        return StartRoad::SplashOrLoginOpen;
    }

    platform::DebugLine("road 4: nothing of the suite runs");
    StartUpdateRun();
    return StartRoad::NothingRunning;
}
