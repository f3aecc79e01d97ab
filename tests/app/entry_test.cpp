// The gate's four roads, with real processes, a real named mutex, real atoms and real windows.
#include "tools/scenario/harness.h"

#include <gtest/gtest.h>

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
    const ATOM atom = ::GlobalFindAtomA("MiXed Case");
    EXPECT_NE(atom, 0) << "the argument, exactly as split, is in the global atom table";
    EXPECT_TRUE(notices.empty()) << "the running main window is not told";
    scenario::DeleteGlobalAtom("MiXed Case");
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
    EXPECT_TRUE(scenario::Recorded("ZM_LiveUpdate.cmdline").empty());
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
        EXPECT_TRUE(scenario::Recorded("ZM_LiveUpdate.cmdline").empty()) << window.first;
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

TEST_F(EntryTest, OfTenSimultaneousStartsExactlyOneTakesTheLastRoad) {
    std::vector<scenario::Started> gates;
    for (int i = 0; i < 10; ++i)
        scenario::DeleteGlobalAtom("start" + std::to_string(i));
    for (int i = 0; i < 10; ++i)
        gates.push_back(scenario::StartGate("start" + std::to_string(i)));

    int stillRunning = 0;
    int atoms = 0;
    const DWORD start = ::GetTickCount();
    do {
        stillRunning = 0;
        for (const auto& gate : gates)
            stillRunning += scenario::WaitForExit(gate, 0) ? 0 : 1;
        ::Sleep(100);
    } while (stillRunning > 1 && ::GetTickCount() - start < 30000);
    ::Sleep(500);
    for (int i = 0; i < 10; ++i)
        atoms += ::GlobalFindAtomA(("start" + std::to_string(i)).c_str()) != 0 ? 1 : 0;
    EXPECT_EQ(stillRunning, 1) << "one gate holds the instance and waits for the updater";
    EXPECT_EQ(atoms, 9) << "every other start left its argument";
    for (auto& gate : gates)
        scenario::Kill(gate);
    for (int i = 0; i < 10; ++i)
        scenario::DeleteGlobalAtom("start" + std::to_string(i));
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
    ::Sleep(6000); // the system calls a window hung after five seconds without a look at its queue
    scenario::Started gate = scenario::StartGate("");
    EXPECT_TRUE(scenario::WaitForExit(gate, 15000));
    EXPECT_TRUE(scenario::Recorded("ZM_LiveUpdate.cmdline").empty());
    ::SetEvent(stop.get());
    ::WaitForSingleObject(thread.get(), 5000);
    scenario::Kill(gate);
}

} // namespace
