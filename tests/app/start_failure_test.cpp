// A start that fails before its message loop tells the user in the system's own box and ends with a
// non-zero exit code, never silently. The failure is real: a system-wide hook makes the creation of the
// application window fail in the gate.
#include "tools/scenario/harness.h"

#include <gtest/gtest.h>

namespace {

class RefusedApplicationWindow {
public:
    RefusedApplicationWindow() : library_(::LoadLibraryA("refuse_window_hook.dll")) {
        const auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(::GetProcAddress(library_, "RefuseGateWindows")));
        if (proc != nullptr)
            hook_ = ::SetWindowsHookExA(WH_CBT, proc, library_, 0);
    }
    ~RefusedApplicationWindow() {
        if (hook_ != nullptr)
            ::UnhookWindowsHookEx(hook_);
        if (library_ != nullptr)
            ::FreeLibrary(library_);
    }
    RefusedApplicationWindow(const RefusedApplicationWindow&) = delete;
    RefusedApplicationWindow& operator=(const RefusedApplicationWindow&) = delete;

    bool Active() const { return hook_ != nullptr; }

private:
    HMODULE library_;
    HHOOK hook_ = nullptr;
};

TEST(StartFailureTest, AnApplicationWindowThatCannotBeCreatedIsReportedAndEndsTheGateWithAnError) {
    scenario::InstallSuite({});
    HWND box = nullptr;
    scenario::Started gate;
    {
        const RefusedApplicationWindow refused;
        ASSERT_TRUE(refused.Active());
        gate = scenario::StartGate("arg");
        box = scenario::WaitForWindow(gate.ProcessId, L"Mivora", 20000);
    }
    ASSERT_NE(box, nullptr) << "no box from the gate";
    EXPECT_EQ(scenario::ClassOf(box), "#32770") << "the system's own message box";
    EXPECT_NE(scenario::MessageBoxText(box).find(L"Error creating window"), std::wstring::npos)
        << scenario::MessageBoxText(box);
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(scenario::WaitForExit(gate, 10000));
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(gate.Process.get(), &code);
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, STILL_ACTIVE);
    EXPECT_TRUE(scenario::Recorded("ZM_LiveUpdate.cmdline").empty()) << "nothing runs after the failure";
    EXPECT_TRUE(scenario::Recorded("MivoraMain.cmdline").empty());
    scenario::Kill(gate);
}

} // namespace
