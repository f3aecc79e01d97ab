#pragma once

#include "bench/installation.h"
#include "bench/stopwatch.h"
#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <string>

// What one timed run starts.
enum class Kind {
    Floor,          // the do-nothing program
    AnotherGate,    // the gate while another holds the instance mutex (road 1)
    MainWindowOpen, // the gate while the suite's main window is open (road 2)
    SplashOpen,     // the gate while the suite's splash window is open (road 3)
    NothingRunning, // the gate with nothing running, up to the main program's start (road 4)
    // What each road cannot avoid, under the same conditions as that road:
    Limit1, // the instance mutex and the global atom
    Limit2, // the mutex, the lookups, one window, the notice and the foreground call
    Limit3, // the instance mutex and the three window lookups
    Limit4, // the mutex, the lookups, one window, the registry, the library and the main program's start
    // Pieces of the roads' times:
    FloorWithDlls,   // the floor with the gate's DLLs
    FloorWithWindow, // the same, also opening and closing one hidden window
    MainProgram,     // the main program alone, up to its start
};
constexpr Kind Roads[] = {Kind::Floor, Kind::AnotherGate, Kind::MainWindowOpen, Kind::SplashOpen,
                          Kind::NothingRunning};
constexpr Kind GateRoads[] = {Kind::AnotherGate, Kind::MainWindowOpen, Kind::SplashOpen,
                              Kind::NothingRunning};
constexpr Kind Limits[] = {Kind::Limit1, Kind::Limit2, Kind::Limit3, Kind::Limit4};
constexpr Kind Pieces[] = {Kind::FloorWithDlls, Kind::FloorWithWindow, Kind::MainProgram};

// Which build of the gate a road's run starts: this one, or the earlier one the stage was given.
enum class Gate { Current, Before };

// Everything the kinds need, set up once and kept across runs: the suite with the check library
// answering -204, and the simulated main program with its main and splash windows and the event it sets
// at its entry. The main window carries the title the gate looks for only during road-2 runs, the splash
// window only during road-3 runs, and the instance mutex is held, as by a running gate, only during
// road-1 runs: the other roads need them out of the way.
class Stage {
public:
    // `beforeGate`: an earlier build of the gate to compare, or empty.
    explicit Stage(const std::string& beforeGate = "");

    // One run of the kind: its wall-clock time in milliseconds, from the process's creation to its end
    // (road 4, its limit and the main program alone: to the main program's start). Throws std::runtime_error
    // when the run takes another road or a wait runs out.
    double Time(Kind kind, Gate gate = Gate::Current);

private:
    double TimeProgram(const char* fileName, const char* arguments, Kind kind);
    double TimeAnotherGate(const char* fileName, Kind kind);
    double TimeMainWindowOpen(const char* fileName, Kind kind);
    double TimeSplashOpen(const char* fileName, Kind kind);
    double TimeNothingRunning(const char* fileName, Kind kind);
    double TimeMainProgram();
    double AwaitMainStart(const scenario::Started& starter, const Stopwatch& watch, Kind kind);
    void AwaitMainProgramsStarted();

    Installation installation_;
    OwnedProgram mainProgram_;
    HWND mainWindow_ = nullptr;   // the main program's
    HWND splashWindow_ = nullptr; // the main program's
    platform::UniqueHandle mainStarted_;
};

// What a failure calls the program a run of the kind starts.
const char* NameOf(Kind kind);
