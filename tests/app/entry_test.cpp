// The gate's four roads, with real processes, a real named mutex, real atoms and real windows.
#include "tools/scenario/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Notice {
    ULONG_PTR Data = 0;
    DWORD Bytes = 0;
    bool HasPointer = false;
    DWORD SenderProcess = 0; // read while the sender still exists
    bool SenderIsTopLevel = false;
};
std::vector<Notice> notices;

LRESULT CALLBACK SuiteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const HWND sender = reinterpret_cast<HWND>(wParam);
        DWORD senderProcess = 0;
        ::GetWindowThreadProcessId(sender, &senderProcess);
        notices.push_back({data->dwData, data->cbData, data->lpData != nullptr, senderProcess,
                           ::GetAncestor(sender, GA_ROOT) == sender});
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A window of the suite, owned by this test process.
platform::UniqueWindow OpenSuiteWindow(const char* className, const char* title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SuiteWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    return platform::UniqueWindow(::CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                                    10, 300, 100, nullptr, nullptr, windowClass.hInstance,
                                                    nullptr));
}

// Waits for the program to end while this thread's windows answer their messages.
bool WaitPumping(const scenario::Started& program, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HANDLE process = program.Process.get();
        const DWORD left = timeoutMs - (::GetTickCount() - start);
        if (static_cast<int>(left) <= 0)
            return false;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
    }
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < milliseconds) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::Sleep(10);
    }
}

// The update window of a gate on the last road, or null after the time-out.
HWND WaitForUpdateWindow(const scenario::Started& gate, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : scenario::TopLevelWindows(gate.ProcessId))
            if (scenario::ClassOf(window) == "TfrmLiveUpdate")
                return window;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs && !scenario::WaitForExit(gate, 0));
    return nullptr;
}

HWND ApplicationWindow(const scenario::Started& gate) {
    for (HWND window : scenario::TopLevelWindows(gate.ProcessId))
        if (scenario::ClassOf(window) == "TApplication")
            return window;
    return nullptr;
}

// The shell's documented rule: a visible top-level window gets a taskbar button when it has no owner
// and is not a tool window, or when it has the app-window style.
bool HasTaskbarEntry(HWND window) {
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    return ::IsWindowVisible(window) &&
           (((::GetWindow(window, GW_OWNER) == nullptr) && (exStyle & WS_EX_TOOLWINDOW) == 0) ||
            (exStyle & WS_EX_APPWINDOW) != 0);
}

std::vector<HWND> TaskbarEntries(const scenario::Started& gate) {
    std::vector<HWND> entries;
    for (HWND window : scenario::TopLevelWindows(gate.ProcessId))
        if (HasTaskbarEntry(window))
            entries.push_back(window);
    return entries;
}

bool AnyVisibleWindow(DWORD processId) {
    for (HWND window : scenario::TopLevelWindows(processId))
        if (::IsWindowVisible(window))
            return true;
    return false;
}

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        notices.clear();
        scenario::SuiteSetup setup;
        setup.Verdict = "wait";
        scenario::InstallSuite(setup);
    }
};

TEST_F(EntryTest, SecondStartLeavesItsArgumentAndLooksUpNoWindow) {
    const platform::UniqueHandle mutex(::CreateMutexA(nullptr, TRUE, "Mivora"));
    const auto mainWindow = OpenSuiteWindow("TfrmZmMain", "Zelvano Mivora");
    scenario::DeleteGlobalAtom("MiXed Case");

    scenario::Started gate = scenario::StartGate("\"MiXed Case\" second");
    ASSERT_TRUE(WaitPumping(gate, 20000));
    // Atom lookups ignore case: read the name back to see the bytes.
    char name[256] = {};
    const ATOM atom = ::GlobalFindAtomA("MiXed Case");
    ASSERT_NE(atom, 0) << "the argument is in the global atom table";
    ::GlobalGetAtomNameA(atom, name, sizeof name);
    EXPECT_STREQ(name, "MiXed Case") << "exactly as split";
    EXPECT_TRUE(notices.empty()) << "the running main window is not told";
    scenario::DeleteGlobalAtom("MiXed Case");
}

// A gate of another account made the mutex with an access list this account is not on: Windows then
// refuses CreateMutexA with ERROR_ACCESS_DENIED. An empty list stands for that; Wine enforces it too.
TEST_F(EntryTest, AMutexOfAnotherAccountCountsAsAnotherGate) {
    SECURITY_DESCRIPTOR descriptor;
    ACL emptyList;
    ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(::InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    const platform::UniqueHandle mutex(::CreateMutexA(&attributes, TRUE, "Mivora"));
    ASSERT_TRUE(mutex);
    ASSERT_EQ(::CreateMutexA(nullptr, TRUE, "Mivora"), nullptr);
    ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    scenario::DeleteGlobalAtom("other account");

    scenario::Started gate = scenario::StartGate("\"other account\"");
    ASSERT_TRUE(WaitPumping(gate, 20000));
    EXPECT_NE(::GlobalFindAtomA("other account"), 0) << "the argument is left for the running gate";
    EXPECT_TRUE(scenario::RecordedWhenSettled("ZM_LiveUpdate.cmdline").empty()) << "no update run";
    scenario::DeleteGlobalAtom("other account");
}

TEST_F(EntryTest, RunningMainWindowIsNotifiedAndBroughtForward) {
    const auto mainWindow = OpenSuiteWindow("TfrmZmMain", "Zelvano Mivora");
    const auto splash = OpenSuiteWindow("TfrmZmSplash", "Zelvano Mivora - Splash");
    scenario::Started gate = scenario::StartGate("ignored");
    ASSERT_TRUE(WaitPumping(gate, 20000));

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].Data, 2028u);
    EXPECT_EQ(notices[0].Bytes, 0u);
    EXPECT_FALSE(notices[0].HasPointer);
    EXPECT_EQ(notices[0].SenderProcess, gate.ProcessId) << "wParam is a window of the new gate";
    EXPECT_TRUE(notices[0].SenderIsTopLevel);
    PumpFor(500); // the activation reaches this thread as a message
    EXPECT_EQ(::GetForegroundWindow(), mainWindow.get());
    EXPECT_TRUE(scenario::RecordedWhenSettled("ZM_LiveUpdate.cmdline").empty());
}

TEST_F(EntryTest, SplashOrLoginWindowMakesTheStartStandAside) {
    for (const auto& window : {std::pair{"TfrmZmSplash", "Zelvano Mivora - Splash"},
                               std::pair{"TfrmZmLogin", "Zelvano Mivora - Login"}}) {
        const auto suiteWindow = OpenSuiteWindow(window.first, window.second);
        scenario::Started gate = scenario::StartGate("arg");
        bool sawWindow = false;
        const DWORD start = ::GetTickCount();
        while (!scenario::WaitForExit(gate, 20) && ::GetTickCount() - start < 20000)
            sawWindow = sawWindow || AnyVisibleWindow(gate.ProcessId);
        EXPECT_TRUE(scenario::WaitForExit(gate, 0)) << window.first;
        EXPECT_FALSE(sawWindow) << window.first;
        EXPECT_TRUE(notices.empty());
        EXPECT_TRUE(scenario::RecordedWhenSettled("ZM_LiveUpdate.cmdline").empty()) << window.first;
    }
}

TEST_F(EntryTest, NothingRunningCreatesTheUpdateWindowUnderTheSuiteTitle) {
    scenario::Started gate = scenario::StartGate("arg");
    HWND updateWindow = nullptr;
    for (int i = 0; i < 200 && updateWindow == nullptr; ++i) {
        for (HWND window : scenario::TopLevelWindows(gate.ProcessId))
            if (scenario::ClassOf(window) == "TfrmLiveUpdate")
                updateWindow = window;
        ::Sleep(50);
    }
    ASSERT_NE(updateWindow, nullptr);
    RECT bounds{};
    ::GetWindowRect(updateWindow, &bounds);
    EXPECT_EQ(bounds.left, -1000);
    EXPECT_EQ(bounds.top, -1000);

    bool titled = false;
    for (HWND window : scenario::TopLevelWindows(gate.ProcessId))
        titled = titled || scenario::TitleOf(window) == L"\uC824\uBC14\uB178\uBBF8\uBCF4\uB77C";
    EXPECT_TRUE(titled) << "the application window is titled with the suite's name";
    scenario::Kill(gate);
}

TEST_F(EntryTest, OfTwentySimultaneousStartsExactlyOneTakesTheLastRoad) {
    constexpr int Starts = 20;
    auto argument = [](int i) { return "start" + std::to_string(i); };
    for (int i = 0; i < Starts; ++i)
        scenario::DeleteGlobalAtom(argument(i));
    // Every gate is ready before any runs, so that all of them race for the instance together.
    std::vector<scenario::Started> gates;
    for (int i = 0; i < Starts; ++i) {
        gates.push_back(scenario::StartGateHeld(argument(i)));
        ASSERT_TRUE(gates.back().Process) << i;
    }
    for (auto& gate : gates)
        scenario::Resume(gate);

    // Only the gate on the last road keeps running: it waits for its updater, which never reports.
    std::vector<int> running;
    const DWORD start = ::GetTickCount();
    for (;;) {
        running.clear();
        for (int i = 0; i < Starts; ++i)
            if (!scenario::WaitForExit(gates[i], 0))
                running.push_back(i);
        if (running.size() <= 1 || ::GetTickCount() - start > 60000)
            break;
        ::Sleep(50);
    }
    ASSERT_EQ(running.size(), 1u) << "gates still running";
    const int holder = running[0];
    std::cout << "start " << holder << " of " << Starts << " took the last road\n";
    EXPECT_NE(WaitForUpdateWindow(gates[holder], 20000), nullptr) << "the one left runs the update window";
    const std::string updaterStarts = scenario::AwaitRecord("ZM_LiveUpdate.cmdline", 20000);
    EXPECT_EQ(std::count(updaterStarts.begin(), updaterStarts.end(), '\n'), 1) << "one updater, one gate";

    for (int i = 0; i < Starts; ++i) {
        const bool atom = ::GlobalFindAtomA(argument(i).c_str()) != 0;
        if (i == holder) {
            EXPECT_FALSE(atom) << "the gate on the last road leaves no atom";
            continue;
        }
        EXPECT_TRUE(atom) << "start " << i << " left its argument";
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(gates[i].Process.get(), &code);
        EXPECT_EQ(code, 0u) << "start " << i;
    }
    for (auto& gate : gates)
        scenario::Kill(gate);
    for (int i = 0; i < Starts; ++i)
        scenario::DeleteGlobalAtom(argument(i));
}

// The suite's name on the taskbar while the gate waits, shown by its application window alone; its
// dialogs belong under it. The update window is never shown, wherever the screens lie.
TEST_F(EntryTest, TheLastRoadHasOneTaskbarEntryTheDialogsBelongTo) {
    scenario::Started gate = scenario::StartGate("first");
    const HWND updateWindow = WaitForUpdateWindow(gate, 20000);
    ASSERT_NE(updateWindow, nullptr);
    ASSERT_NE(scenario::AwaitRecord("ZM_LiveUpdate.cmdline", 20000), "") << "waiting for the updater";
    const HWND application = ApplicationWindow(gate);
    for (int i = 0; i < 200 && !::IsWindowVisible(application); ++i)
        ::Sleep(50);
    EXPECT_EQ(TaskbarEntries(gate), std::vector<HWND>{application});
    EXPECT_FALSE(::IsWindowVisible(updateWindow));
    EXPECT_EQ(scenario::TitleOf(application), L"\uC824\uBC14\uB178\uBBF8\uBCF4\uB77C");
    RECT bounds{};
    ::GetWindowRect(application, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 0);
    EXPECT_EQ(bounds.bottom - bounds.top, 0);
    scenario::Kill(gate);

    scenario::SuiteSetup setup;
    setup.Verdict = "1103";
    scenario::InstallSuite(setup);
    gate = scenario::StartGate("second");
    const HWND dialog = scenario::WaitForDialog(gate.ProcessId, 20000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), ApplicationWindow(gate));
    EXPECT_EQ(TaskbarEntries(gate), std::vector<HWND>{ApplicationWindow(gate)});

    // Closed while its dialog shows (the dialog disables the entry, so this comes from elsewhere), the
    // gate starts nothing more.
    ::PostMessageA(ApplicationWindow(gate), WM_CLOSE, 0, 0);
    EXPECT_TRUE(scenario::WaitForExit(gate, 10000));
    EXPECT_EQ(scenario::AwaitRecord("MivoraMain.cmdline", 2000), "");
    scenario::Kill(gate);
}

// A gate whose updater never reports can still be ended from outside, and the next start takes the
// instance over.
TEST_F(EntryTest, AGateEndedFromOutsideLeavesTheInstanceToTheNextStart) {
    struct Way {
        const char* Name;
        std::function<void(scenario::Started&, HWND updateWindow)> End;
        DWORD ExitCode;
    };
    const Way ways[] = {
        {"terminated", [](scenario::Started& gate, HWND) { ::TerminateProcess(gate.Process.get(), 9); }, 9},
        {"update window closed",
         [](scenario::Started&, HWND window) { ::PostMessageA(window, WM_CLOSE, 0, 0); }, 0},
        {"update window closed by its system menu",
         [](scenario::Started&, HWND window) { ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
        {"application window closed",
         [](scenario::Started& gate, HWND) { ::PostMessageA(ApplicationWindow(gate), WM_CLOSE, 0, 0); }, 0},
        {"taskbar entry's Close",
         [](scenario::Started& gate, HWND) {
             ::PostMessageA(ApplicationWindow(gate), WM_SYSCOMMAND, SC_CLOSE, 0);
         },
         0},
        {"taskkill without /f",
         [](scenario::Started& gate, HWND) {
             scenario::Started taskkill =
                 scenario::StartSystemProgram("taskkill.exe", "/pid " + std::to_string(gate.ProcessId));
             scenario::WaitForExit(taskkill, 10000);
         },
         0},
    };
    for (const Way& way : ways) {
        SetUp(); // a fresh suite each time
        scenario::Started gate = scenario::StartGate("first");
        const HWND updateWindow = WaitForUpdateWindow(gate, 20000);
        ASSERT_NE(updateWindow, nullptr) << way.Name;
        ASSERT_NE(scenario::AwaitRecord("ZM_LiveUpdate.cmdline", 20000), "") << "waiting for the updater";

        way.End(gate, updateWindow);
        ASSERT_TRUE(scenario::WaitForExit(gate, 10000)) << way.Name;
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(gate.Process.get(), &code);
        EXPECT_EQ(code, way.ExitCode) << way.Name;
        EXPECT_EQ(scenario::RecordedWhenSettled("MivoraMain.cmdline"), "")
            << way.Name << ": ending starts nothing";

        scenario::Started next = scenario::StartGate("next");
        EXPECT_NE(WaitForUpdateWindow(next, 20000), nullptr)
            << way.Name << ": the next start takes the last road";
        EXPECT_EQ(::GlobalFindAtomA("next"), 0) << way.Name;
        scenario::Kill(next);
        scenario::DeleteGlobalAtom("next");
    }
}

// A main window whose program has stopped answering must not hold up the gate, which would otherwise
// keep the instance mutex for good.
DWORD WINAPI RunHungMainWindow(LPVOID stop) {
    const auto window = OpenSuiteWindow("TfrmZmMain", "Zelvano Mivora");
    ::WaitForSingleObject(stop, INFINITE); // never looks at its messages
    return 0;
}

TEST_F(EntryTest, HungMainWindowDoesNotHoldUpTheGate) {
    const platform::UniqueHandle stop(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const platform::UniqueHandle thread(
        ::CreateThread(nullptr, 0, RunHungMainWindow, stop.get(), 0, nullptr));
    // The system calls a window hung after five seconds without a look at its queue; wait until it does.
    HWND hung = nullptr;
    const DWORD start = ::GetTickCount();
    while (!(hung && ::IsHungAppWindow(hung)) && ::GetTickCount() - start < 30000) {
        hung = ::FindWindowA("TfrmZmMain", "Zelvano Mivora");
        ::Sleep(100);
    }
    ASSERT_TRUE(hung && ::IsHungAppWindow(hung)) << "the main window never counted as hung";
    scenario::Started gate = scenario::StartGate("");
    EXPECT_TRUE(scenario::WaitForExit(gate, 15000));
    EXPECT_TRUE(scenario::RecordedWhenSettled("ZM_LiveUpdate.cmdline").empty());
    ::SetEvent(stop.get());
    ::WaitForSingleObject(thread.get(), 5000);
    scenario::Kill(gate);
}

} // namespace
