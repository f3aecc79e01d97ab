// The gate end to end: the update window against the simulated suite, real processes and real dialogs
// answered with real key presses.
#include "platform/win32/module_file_path.h"
#include "tests/platform/registry_scratch.h"
#include "tools/scenario/harness.h"
#include "ui/framework/application.h"
#include "update/uLiveUpdate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char MainProgram[] = "C:\\Program Files\\Zelvano Mivora\\MivoraMain.exe";
constexpr DWORD RunTimeoutMs = 60000;

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

HWND UpdateWindowOf(DWORD processId) {
    for (HWND window : scenario::TopLevelWindows(processId))
        if (scenario::ClassOf(window) == "TfrmLiveUpdate")
            return window;
    return nullptr;
}

// Sends a verdict as the updater does; a verdict with a dialog keeps the sender waiting past the time-out.
void SendVerdict(HWND updateWindow, std::int32_t code) {
    COPYDATASTRUCT verdict{};
    verdict.dwData = static_cast<ULONG_PTR>(code);
    DWORD_PTR reply = 1;
    ::SendMessageTimeoutA(updateWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&verdict), SMTO_NORMAL, 500,
                          &reply);
}

class GateTest : public ::testing::Test {
protected:
    scenario::GateOutcome Run(const std::string& verdict, const std::string& library = "210",
                              const std::string& screenshotPrefix = "") {
        setup_.Verdict = verdict;
        setup_.CheckLibrary = library;
        scenario::InstallSuite(setup_);
        return scenario::RunGate("\"  install  \"", screenshotPrefix, RunTimeoutMs);
    }
    // Starts the gate with a library that handles the gate's messages in its call, and sends the
    // verdict while that call runs.
    scenario::Started StartWithVerdictInsideTheLibraryCall(const std::string& library, std::int32_t verdict) {
        setup_.CheckLibrary = library;
        scenario::InstallSuite(setup_);
        scenario::Started gate = scenario::StartGate("");
        const DWORD start = ::GetTickCount();
        while (scenario::Recorded("events").find("call") == std::string::npos &&
               ::GetTickCount() - start < 20000)
            ::Sleep(50);
        SendVerdict(UpdateWindowOf(gate.ProcessId), verdict);
        return gate;
    }
    // The main program's command line, once the gate and what it started have ended.
    std::string MainLine() const { return FirstLine(scenario::RecordedWhenSettled("MivoraMain.cmdline")); }

    scenario::SuiteSetup setup_;
};

// Each verdict, the updater's command line and what the library was asked are the scenarios' part
// (tools/scenario, ctest "scenarios"); these are the cases around them.

TEST_F(GateTest, UpdaterThatCannotStartStartsTheMainProgram) {
    scenario::InstallSuite(setup_);
    {
        // A file of the updater's name that is no program.
        const platform::UniqueFile file(::CreateFileA("C:\\Program Files\\Zelvano Mivora\\ZM_LiveUpdate.exe",
                                                      GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ::WriteFile(file.get(), "not a program", 13, &written, nullptr);
    }
    const auto outcome = scenario::RunGate("", "", RunTimeoutMs);
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.Dialogs, 1);
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " ");
}

// The user meets the updater and the main program shown: each is started with the show mode SW_SHOW (5),
// which a program's first ShowWindow takes from its start-up record.
TEST_F(GateTest, TheUpdaterAndTheMainProgramAreStartedShown) {
    EXPECT_TRUE(Run("1101").Ended);
    EXPECT_EQ(scenario::RecordedWhenSettled("ZM_LiveUpdate.show"), "5\n");
    EXPECT_EQ(scenario::Recorded("MivoraMain.show"), "5\n");
}

// The rig's Windows is a Western one (code page 1252), where 0xE9 is a letter, "é", and no lead byte
// as in code page 949: the blank after it ends the argument, as the system's own rules say.
TEST_F(GateTest, AWesternWindowsSplitsTheArgumentByItsOwnCodePage) {
    ASSERT_EQ(::GetACP(), 1252u);
    setup_.Verdict = "1101";
    scenario::InstallSuite(setup_);
    EXPECT_TRUE(scenario::RunGate("\xE9 second", "", RunTimeoutMs).Ended);
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " \xE9");
}

TEST_F(GateTest, UnsupportedWindowsIsRefusedBeforeTheUpdateCheck) {
    for (const char* version : {"nt40", "win98", "win7"}) {
        setup_.WindowsVersion = version;
        // 9x takes the framework's A road; its refusal must still read as the reference does.
        const auto outcome = Run("1101", "210", std::string("message_os_refused_") + version);
        EXPECT_TRUE(outcome.Ended) << version;
        EXPECT_EQ(outcome.Dialogs, 1) << version;
        for (const std::string& screenshot : outcome.Screenshots)
            EXPECT_FALSE(screenshot.empty()) << version << ": the screenshot was not written";
        EXPECT_EQ(scenario::Recorded("checkver.log"), "") << version;
        EXPECT_EQ(scenario::Recorded("ZM_LiveUpdate.cmdline"), "") << version;
        EXPECT_EQ(MainLine(), "") << version;
        HKEY key = nullptr;
        EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\QUENTAR\\ZelvanoManager\\LiveUpdate", 0,
                                  KEY_READ, &key),
                  ERROR_SUCCESS)
            << "the test switches were never made";
        platform::UniqueKey closeIt(key);
    }
    scenario::SetWindowsVersionFor("Mivora.exe", "");
}

TEST_F(GateTest, RegistryErrorIsReportedAndTheMainProgramStillStarts) {
    scenario::InstallSuite(setup_);
    HKEY key = nullptr;
    ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\QUENTAR\\ZelvanoManager\\Mivora", 0, KEY_ALL_ACCESS, &key);
    const platform::UniqueKey module(key);
    const DWORD numeric = 100;
    ::RegSetValueExA(module.get(), "ver", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&numeric),
                     sizeof(numeric));

    scenario::Started gate = scenario::StartGate("");
    const HWND box = scenario::WaitForWindow(gate.ProcessId, L"\uC824\uBC14\uB178\uBBF8\uBCF4\uB77C", 20000);
    ASSERT_NE(box, nullptr) << "the application's error box";
    EXPECT_EQ(scenario::MessageBoxText(box), L"Invalid data type for 'ver'");
    scenario::PressKey(box, VK_RETURN);
    EXPECT_TRUE(scenario::WaitForExit(gate, 20000));
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " ");
    EXPECT_EQ(scenario::Recorded("ZM_LiveUpdate.cmdline"), "");
    scenario::Kill(gate);
}

TEST_F(GateTest, LimitedAccountReadsTheSuitesKeysAndWritesNothing) {
    scenario::InstallSuite(setup_);
    const std::string liveUpdate = "Software\\QUENTAR\\ZelvanoManager\\LiveUpdate";
    ASSERT_TRUE(scratch::SetValue(liveUpdate, "TestMode", REG_DWORD, std::string("\1\0\0\0", 4)));
    scenario::GateOutcome outcome;
    {
        const scratch::ReadOnlyTree readOnly("Software\\QUENTAR");
        ASSERT_TRUE(readOnly.Complete());
        outcome = scenario::RunGate("", "", RunTimeoutMs);
    }
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.Dialogs, 0);
    EXPECT_EQ(scenario::Recorded("checkver.log"),
              "attach\r\ncall s:ZM_000001 1 s:C:\\Program%20Files\\ 0\r\ndetach\r\n");
    const std::string updater =
        "C:\\Program Files\\Zelvano Mivora\\ZM_LiveUpdate.exe <ZM_000001><1><C:\\Program Files\\><0><";
    EXPECT_EQ(FirstLine(scenario::Recorded("ZM_LiveUpdate.cmdline")).substr(0, updater.size()), updater);
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " ");
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, liveUpdate.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    const platform::UniqueKey key(raw);
    EXPECT_NE(::RegQueryValueExA(key.get(), "LiveTestMode", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "nothing written";
}

TEST_F(GateTest, PathWithBlanksNeverStartsAPlantedProgram) {
    scenario::InstallSuite(setup_);
    ASSERT_TRUE(
        ::CopyFileA((ModuleDirectory(nullptr) + "suite\\MivoraMain.exe").c_str(), "C:\\Program.exe", FALSE));
    const auto outcome = Run("1101");
    ::DeleteFileA("C:\\Program.exe");
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(scenario::AwaitRecord("MivoraMain.image", 3000), std::string(MainProgram) + "\n");
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " INSTALL");
}

TEST_F(GateTest, VerdictArrivingWhileAnotherIsAnsweredIsIgnored) {
    setup_.Verdict = "1103";
    scenario::InstallSuite(setup_);
    scenario::Started gate = scenario::StartGate("");
    const HWND dialog = scenario::WaitForDialog(gate.ProcessId, 20000);
    ASSERT_NE(dialog, nullptr);
    const HWND updateWindow = UpdateWindowOf(gate.ProcessId);
    ASSERT_NE(updateWindow, nullptr);

    COPYDATASTRUCT failed{};
    failed.dwData = 1102;
    DWORD_PTR reply = 1;
    ASSERT_NE(::SendMessageTimeoutA(updateWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&failed),
                                    SMTO_NORMAL, 10000, &reply),
              0);
    EXPECT_EQ(reply, 0u);
    EXPECT_EQ(scenario::WaitForDialog(gate.ProcessId, 500), dialog) << "no second dialog";

    scenario::PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(scenario::WaitForExit(gate, 20000));
    EXPECT_EQ(MainLine(), std::string(MainProgram) + " ") << "the verdict in progress, 1103, was carried out";
    scenario::Kill(gate);
}

// An updater that must replace its own file hands its run to a copy of itself and ends at once: the
// gate waits for the copy. Its verdict decides; when it ends without one, the caution comes only then.
TEST_F(GateTest, TheUpdatersRunIncludesTheCopyItHandsOver) {
    const auto outcome = Run("handover,sleep:1500,1101");
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.Dialogs, 0);
    EXPECT_EQ(scenario::RecordedWhenSettled("events"),
              "attach\ncall\ndetach\nupdater\nupdater\nmain program\n");
    EXPECT_EQ(scenario::Recorded("MivoraMain.cmdline"), std::string(MainProgram) + " INSTALL\n");

    setup_.Verdict = "handover,sleep:1500,exit";
    scenario::InstallSuite(setup_);
    scenario::Started gate = scenario::StartGate("");
    ASSERT_NE(scenario::WaitForDialog(gate.ProcessId, 20000), nullptr);
    EXPECT_TRUE(scenario::RunningPrograms("ZM_LiveUpdate.exe").empty())
        << "the caution came while the copy ran";
    const auto cautioned = scenario::AnswerDialogs(gate, "", RunTimeoutMs);
    EXPECT_TRUE(cautioned.Ended);
    EXPECT_EQ(cautioned.Dialogs, 1);
    EXPECT_EQ(scenario::RecordedWhenSettled("MivoraMain.cmdline"), std::string(MainProgram) + " \n");
}

// A stray sender's verdict while the creation handler still shows "library failed", after which it
// would start the main program. The first decision wins: one start at most, and a verdict not to start
// stays.
TEST_F(GateTest, AVerdictDuringTheCreationHandlersDialogIsTheOnlyDecision) {
    struct Case {
        std::int32_t Verdict;
        int MainStarts;
    };
    for (const Case c : {Case{1101, 1}, Case{1102, 0}}) {
        setup_.Library = false;
        scenario::InstallSuite(setup_);
        scenario::Started gate = scenario::StartGate("");
        ASSERT_NE(scenario::WaitForDialog(gate.ProcessId, 20000), nullptr) << c.Verdict;
        SendVerdict(UpdateWindowOf(gate.ProcessId), c.Verdict);
        EXPECT_TRUE(scenario::AnswerDialogs(gate, "", RunTimeoutMs).Ended) << c.Verdict;
        for (auto& main : scenario::RunningPrograms("MivoraMain.exe"))
            scenario::WaitForExit(main, 10000);
        std::string expected;
        for (int i = 0; i < c.MainStarts; ++i)
            expected += std::string(MainProgram) + " \n";
        EXPECT_EQ(scenario::Recorded("MivoraMain.cmdline"), expected) << c.Verdict;
    }
}

// The same inside the check library's own message loop, after which it asks for an update run: the
// verdict not to start decides, its dialog waits until the call has returned, and no updater is started
// behind it.
TEST_F(GateTest, AVerdictInsideTheLibrarysMessageLoopIsCarriedOutAfterTheCall) {
    scenario::Started gate = StartWithVerdictInsideTheLibraryCall("210,pump", 1102);
    ASSERT_NE(scenario::WaitForDialog(gate.ProcessId, 20000), nullptr);
    EXPECT_EQ(scenario::Recorded("events"), "attach\ncall\ndetach\n") << "the dialog came inside the call";
    const scenario::GateOutcome outcome = scenario::AnswerDialogs(gate, "", RunTimeoutMs);
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.Dialogs, 1);
    EXPECT_EQ(scenario::RecordedWhenSettled("events"), "attach\ncall\ndetach\n")
        << "neither updater nor main program";
}

// A verdict inside the library's message loop ends the gate, and that loop takes the quit message: the
// gate ends all the same instead of running on out of sight with the instance.
TEST_F(GateTest, AQuitMessageTakenByTheLibrarysLoopStillEndsTheGate) {
    scenario::Started gate = StartWithVerdictInsideTheLibraryCall("210,pump-keep-quit", 1101);
    EXPECT_TRUE(scenario::WaitForExit(gate, 20000));
    EXPECT_EQ(scenario::RecordedWhenSettled("MivoraMain.cmdline"), std::string(MainProgram) + " \n");
    EXPECT_EQ(scenario::Recorded("ZM_LiveUpdate.cmdline"), "");
    scenario::Kill(gate);
}

// A registered path longer than Windows' ANSI file functions take names no file (Windows documents
// ERROR_FILENAME_EXCED_RANGE): the library counts as missing, its message shows, nothing is started,
// and the gate ends without a fault.
TEST_F(GateTest, APathTooLongForWindowsIsTakenAsMissingFiles) {
    setup_.Path = std::string(scenario::SuiteDirectory) + std::string(1200, 'x') + "\\";
    scenario::InstallSuite(setup_);
    scenario::Started gate = scenario::StartGate("");
    const scenario::GateOutcome outcome = scenario::AnswerDialogs(gate, "", RunTimeoutMs);
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.Dialogs, 1);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(gate.Process.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(scenario::RecordedWhenSettled("events"), "");
}

// In this process, the update window as it waits, without its creation handler's work.
TEST(UpdateWindow, NotificationWithoutItsRecordIsIgnored) {
    InitializeApplication();
    auto* window = new TfrmLiveUpdate(Application);
    const HWND handle = window->Handle();
    EXPECT_EQ(::SendMessageA(handle, WM_COPYDATA, 0, 0), 0);
    COPYDATASTRUCT unknown{};
    unknown.dwData = 1000;
    EXPECT_EQ(::SendMessageA(handle, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&unknown)), 0);
    EXPECT_TRUE(::IsWindow(handle)) << "still waiting";
    FinalizeApplication();
}

} // namespace
