#pragma once

#include "bench/installation.h"
#include "bench/stopwatch.h"
#include "platform/win32/unique_resource.h"

#include <windows.h>

// What one timed run starts.
enum class Kind {
    Floor,          // the do-nothing program
    AnotherGate,    // the gate while another holds the instance mutex (road 1)
    MainWindowOpen, // the gate while the suite's main window is open (road 2)
    NothingRunning, // the gate with nothing running, up to the main program's start (road 4)
    // Pieces of the roads' times:
    FloorWithDlls,   // the floor with the gate's DLLs
    FloorWithWindow, // the same, also opening and closing one hidden window
    MainProgram,     // the main program alone, up to its start
};
constexpr Kind Roads[] = {Kind::Floor, Kind::AnotherGate, Kind::MainWindowOpen, Kind::NothingRunning};
constexpr Kind Pieces[] = {Kind::FloorWithDlls, Kind::FloorWithWindow, Kind::MainProgram};

// Everything the kinds need, set up once and kept across runs: the suite with the check library
// answering -204, and the simulated main program with its main window and the event it sets at its
// entry. The main window carries the title the gate looks for only during road-2 runs, and the instance
// mutex is held, as by a running gate, only during road-1 runs: the other roads need both out of the way.
class Stage {
public:
    Stage();

    // One run of the kind: its wall-clock time in milliseconds, from the process's creation to its end
    // (road 4 and the main program alone: to the main program's start). Throws std::runtime_error when the
    // run takes another road or a wait runs out.
    double Time(Kind kind);

private:
    double TimeProgram(const char* fileName, const char* arguments, Kind kind);
    double TimeAnotherGate();
    double TimeMainWindowOpen();
    double TimeNothingRunning();
    double TimeMainProgram();
    double AwaitMainStart(const scenario::Started& starter, const Stopwatch& watch, Kind kind);
    void TitleMainWindow(const char* title);
    void AwaitMainProgramsStarted();

    Installation installation_;
    OwnedProgram mainProgram_;
    HWND mainWindow_ = nullptr; // the main program's
    platform::UniqueHandle mainStarted_;
};

// What a failure calls the program a run of the kind starts.
const char* NameOf(Kind kind);
