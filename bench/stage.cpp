#include "bench/stage.h"

#include "bench/stopwatch.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr char kMainTitle[] = "Zelvano Mivora";
constexpr char kSplashTitle[] = "Zelvano Mivora - Splash";
constexpr char kAsideTitle[] = "Zelvano Mivora (set aside)";
constexpr char kGateProgram[] = "Mivora.exe";
constexpr char kArgument[] = "bench";

scenario::SuiteSetup NoUpdateDue() {
    scenario::SuiteSetup setup;
    setup.CheckLibrary = "-204";
    return setup;
}

// The notices the main window has recorded so far, one a line.
std::size_t NoticeCount() {
    const std::string notices = scenario::Recorded("MivoraMain.notices");
    return static_cast<std::size_t>(std::count(notices.begin(), notices.end(), '\n'));
}

std::string Seconds(DWORD milliseconds) {
    return std::to_string(milliseconds / 1000) + " s";
}

void AwaitEnd(const scenario::Started& program, const std::string& what) {
    Require(static_cast<bool>(program.Process), what + " could not be started");
    Require(scenario::WaitForExit(program, RunTimeoutMs),
            what + " did not end within " + Seconds(RunTimeoutMs));
}

void Retitle(HWND window, const char* title) {
    DWORD_PTR result = 0;
    Require(::SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG,
                                  RunTimeoutMs, &result) != 0 &&
                result != FALSE,
            std::string("the main program's window did not take the title \"") + title + "\"");
}

// A suite window that carries the title the gate looks for while it lives.
class Titled {
public:
    Titled(HWND window, const char* title) : window_(window) { Retitle(window_, title); }
    ~Titled() {
        try {
            Retitle(window_, kAsideTitle);
        } catch (const std::runtime_error&) {
            // The next run then fails on its own road and says so.
        }
    }
    Titled(const Titled&) = delete;
    Titled& operator=(const Titled&) = delete;

private:
    HWND window_;
};

} // namespace

const char* NameOf(Kind kind) {
    switch (kind) {
    case Kind::Floor:
        return "the floor";
    case Kind::AnotherGate:
        return "the gate on road 1";
    case Kind::MainWindowOpen:
        return "the gate on road 2";
    case Kind::SplashOpen:
        return "the gate on road 3";
    case Kind::NothingRunning:
        return "the gate on road 4";
    case Kind::Limit1:
        return "the limit of road 1";
    case Kind::Limit2:
        return "the limit of road 2";
    case Kind::Limit3:
        return "the limit of road 3";
    case Kind::Limit4:
        return "the limit of road 4";
    case Kind::FloorWithDlls:
    case Kind::FloorWithWindow:
        return "the floor with the gate's DLLs";
    case Kind::MainProgram:
        return "the main program";
    }
    return "";
}

Stage::Stage(const std::string& beforeGate)
    : installation_(NoUpdateDue(), beforeGate), mainProgram_(StartMainWindow()) {
    Require(static_cast<bool>(mainProgram_.get().Process), "the simulated main program could not be started");
    const DWORD main = mainProgram_.get().ProcessId;
    mainWindow_ = scenario::WaitForWindow(main, L"Zelvano Mivora", RunTimeoutMs);
    splashWindow_ = scenario::WaitForWindow(main, L"Zelvano Mivora - Splash", RunTimeoutMs);
    Require(mainWindow_ != nullptr && splashWindow_ != nullptr,
            "the simulated main program showed no main and splash window within " + Seconds(RunTimeoutMs));
    Retitle(mainWindow_, kAsideTitle);
    Retitle(splashWindow_, kAsideTitle);

    const std::string eventName = "MivoraBench.MainStarted." + std::to_string(::GetCurrentProcessId());
    mainStarted_.reset(::CreateEventA(nullptr, FALSE, FALSE, eventName.c_str()));
    Require(static_cast<bool>(mainStarted_), "cannot create the event " + eventName);
    ::SetEnvironmentVariableA("MIVORA_SIM_STARTED", eventName.c_str());
}

double Stage::Time(Kind kind, Gate gate) {
    const char* gateProgram = gate == Gate::Before ? BeforeGateProgram : kGateProgram;
    switch (kind) {
    case Kind::Floor:
        return TimeProgram(FloorProgram, "", kind);
    case Kind::AnotherGate:
        return TimeAnotherGate(gateProgram, kind);
    case Kind::MainWindowOpen:
        return TimeMainWindowOpen(gateProgram, kind);
    case Kind::SplashOpen:
        return TimeSplashOpen(gateProgram, kind);
    case Kind::NothingRunning:
        return TimeNothingRunning(gateProgram, kind);
    case Kind::Limit1:
        return TimeAnotherGate(Limit1Program, kind);
    case Kind::Limit2:
        return TimeMainWindowOpen(Limit2Program, kind);
    case Kind::Limit3:
        return TimeSplashOpen(Limit3Program, kind);
    case Kind::Limit4:
        return TimeNothingRunning(Limit4Program, kind);
    case Kind::FloorWithDlls:
        return TimeProgram(FloorWithDllsProgram, "", kind);
    case Kind::FloorWithWindow:
        return TimeProgram(FloorWithDllsProgram, "window", kind);
    case Kind::MainProgram:
        return TimeMainProgram();
    }
    return 0;
}

double Stage::TimeProgram(const char* fileName, const char* arguments, Kind kind) {
    const Stopwatch watch;
    const OwnedProgram program(scenario::StartInstalled(fileName, arguments));
    AwaitEnd(program.get(), NameOf(kind));
    return watch.ElapsedMs();
}

double Stage::TimeAnotherGate(const char* fileName, Kind kind) {
    scenario::DeleteGlobalAtom(kArgument);
    const platform::UniqueHandle holder(::CreateMutexA(nullptr, TRUE, "Mivora"));
    Require(holder && ::GetLastError() != ERROR_ALREADY_EXISTS,
            "the instance mutex is held by a program outside the benchmark");
    const Stopwatch watch;
    const OwnedProgram gate(scenario::StartInstalled(fileName, kArgument));
    AwaitEnd(gate.get(), NameOf(kind));
    const double elapsed = watch.ElapsedMs();
    Require(::GlobalFindAtomA(kArgument) != 0,
            std::string(NameOf(kind)) + " left no atom: it did not take road 1");
    scenario::DeleteGlobalAtom(kArgument);
    return elapsed;
}

double Stage::TimeMainWindowOpen(const char* fileName, Kind kind) {
    const std::size_t noticesBefore = NoticeCount();
    double elapsed = 0;
    {
        const Titled open(mainWindow_, kMainTitle);
        const Stopwatch watch;
        const OwnedProgram gate(scenario::StartInstalled(fileName, kArgument));
        AwaitEnd(gate.get(), NameOf(kind));
        elapsed = watch.ElapsedMs();
    }
    Require(NoticeCount() == noticesBefore + 1,
            "the main window was not told of the start: the gate did not take road 2");
    return elapsed;
}

// Road 3 leaves nothing behind to tell it by; it is told from the other roads by what they leave.
double Stage::TimeSplashOpen(const char* fileName, Kind kind) {
    const std::size_t noticesBefore = NoticeCount();
    scenario::DeleteGlobalAtom(kArgument);
    double elapsed = 0;
    {
        const Titled open(splashWindow_, kSplashTitle);
        const Stopwatch watch;
        const OwnedProgram program(scenario::StartInstalled(fileName, kArgument));
        AwaitEnd(program.get(), NameOf(kind));
        elapsed = watch.ElapsedMs();
    }
    Require(NoticeCount() == noticesBefore && ::GlobalFindAtomA(kArgument) == 0 &&
                ::WaitForSingleObject(mainStarted_.get(), 0) == WAIT_TIMEOUT,
            std::string(NameOf(kind)) + " told the main window, left an atom or started the main program: it "
                                        "did not take road 3");
    return elapsed;
}

double Stage::TimeNothingRunning(const char* fileName, Kind kind) {
    const Stopwatch watch;
    const OwnedProgram gate(scenario::StartInstalled(fileName, kArgument));
    const double elapsed = AwaitMainStart(gate.get(), watch, kind);
    AwaitEnd(gate.get(), NameOf(kind));
    AwaitMainProgramsStarted();
    Require(scenario::Recorded("ZM_LiveUpdate.cmdline").empty(),
            "the updater was started: the check library did not answer -204");
    return elapsed;
}

double Stage::TimeMainProgram() {
    const Stopwatch watch;
    const OwnedProgram program(scenario::StartInstalled("MivoraMain.exe", kArgument));
    const double elapsed = AwaitMainStart(program.get(), watch, Kind::MainProgram);
    AwaitEnd(program.get(), NameOf(Kind::MainProgram));
    return elapsed;
}

// The time since `watch` started when the main program signals its start.
double Stage::AwaitMainStart(const scenario::Started& starter, const Stopwatch& watch, Kind kind) {
    Require(static_cast<bool>(starter.Process), std::string(NameOf(kind)) + " could not be started");
    Require(::WaitForSingleObject(mainStarted_.get(), RunTimeoutMs) == WAIT_OBJECT_0,
            std::string(NameOf(kind)) + " did not start the main program within " + Seconds(RunTimeoutMs));
    return watch.ElapsedMs();
}

// A main program the gate started ends right after its start; the next run waits for it.
void Stage::AwaitMainProgramsStarted() {
    for (const scenario::Started& program : scenario::RunningPrograms("MivoraMain.exe"))
        if (program.ProcessId != mainProgram_.get().ProcessId)
            AwaitEnd(program, "the main program the gate started");
}
