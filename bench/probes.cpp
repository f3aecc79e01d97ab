#include "bench/probes.h"

#include "bench/installation.h"
#include "bench/stage.h"
#include "bench/stopwatch.h"
#include "tests/support/timer_ticks.h"
#include "ui/framework/application.h"
#include "ui/message/message_form.h"
#include "ui/message/uMessage.h"

#include <psapi.h>

namespace {

// Closes the dialog at its first idle moment: a timer message comes only when no other message, painting
// included, is waiting, so a timer that is already due when the showing begins fires once the dialog is
// shown and drawn. After ten seconds of ticks it ends the showing by the application's terminate request
// instead, so that the benchmark never hangs on a dialog.
class DialogCloser {
public:
    DialogCloser() : ticks_(kShortestTimerMs, [this] { Tick(); }) { ::Sleep(kShortestTimerMs * 2); }

    bool GaveUp() const { return tickCount_ > kGiveUpTicks; }

private:
    static constexpr DWORD kShortestTimerMs = USER_TIMER_MINIMUM;
    static constexpr int kGiveUpTicks = 10000 / kShortestTimerMs;

    void Tick() {
        if (fMessage == nullptr || !::IsWindowVisible(fMessage->Handle()))
            return;
        if (++tickCount_ > kGiveUpTicks)
            Application->Terminate();
        else
            ::PostMessageW(fMessage->Handle(), WM_CLOSE, 0, 0);
    }

    int tickCount_ = 0;
    TimerTicks ticks_;
};

std::optional<std::size_t> PeakWorkingSet(const scenario::Started& program) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(program.Process.get(), &counters, sizeof(counters)) ||
        counters.PeakWorkingSetSize == 0)
        return std::nullopt;
    return counters.PeakWorkingSetSize;
}

double ShowOneDialog() {
    DialogCloser closer; // due by now
    const Stopwatch watch;
    ShowMessageDialog(mtCaution, "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.",
                      "프로그램이 정상작동하지 않을 수 있습니다.", mbOk, nullptr);
    const double elapsed = watch.ElapsedMs();
    Require(!closer.GaveUp(), "the message dialog did not close on WM_CLOSE");
    return elapsed;
}

} // namespace

PeakWorkingSets MeasurePeakWorkingSets() {
    scenario::SuiteSetup setup;
    setup.CheckLibrary = "210";
    setup.Verdict = "1103";
    const Installation installation(setup);
    const OwnedProgram gate(scenario::StartGate("bench"));
    Require(static_cast<bool>(gate.get().Process), "the gate could not be started");
    const HWND dialog = scenario::WaitForDialog(gate.get().ProcessId, RunTimeoutMs);
    Require(dialog != nullptr, "the gate showed no dialog for the verdict 1103");
    PeakWorkingSets peaks;
    peaks.Gate = PeakWorkingSet(gate.get());
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    Require(scenario::WaitForExit(gate.get(), RunTimeoutMs),
            "the gate did not end after its dialog was closed");

    // Started only now: its main window would turn the gate aside.
    const OwnedProgram plainWindow(StartMainWindow());
    Require(scenario::WaitForWindow(plainWindow.get().ProcessId, L"Zelvano Mivora", RunTimeoutMs) != nullptr,
            "the simulated main program showed no main window");
    peaks.PlainWindow = PeakWorkingSet(plainWindow.get());
    return peaks;
}

std::vector<double> DialogTimes(int showings) {
    ShowOneDialog();
    std::vector<double> times;
    for (int i = 0; i < showings; ++i)
        times.push_back(ShowOneDialog());
    return times;
}
