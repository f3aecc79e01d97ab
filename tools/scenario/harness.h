#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// Drives the gate against the simulated suite inside Wine: installs the suite as an installer would,
// chooses the simulator's behaviour, starts the gate, finds and answers its dialogs and reads back what
// the simulator recorded. Shared by the main job and the end-to-end tests.
namespace scenario {

constexpr char SuiteDirectory[] = "C:\\Program Files\\Zelvano Mivora\\";

struct SuiteSetup {
    std::string Path = SuiteDirectory; // the registered "Path"; empty leaves the value out
    std::string Version = "100";       // "ver"; empty leaves the value out
    bool Library = true;
    bool Updater = true;
    bool MainProgram = true;
    std::string CheckLibrary = "210"; // the library's behaviour (MIVORA_SIM_CHECKVER)
    std::string Verdict = "1101";     // the updater's steps (MIVORA_SIM_VERDICT)
    std::string MainOptions = "exit"; // the main program's options (MIVORA_SIM_MAIN)
    std::string WindowsVersion; // Wine's version for the gate: "winxp", "win98", ...; empty = prefix default
};

// Installs the suite's files and registry values, clears earlier records and sets the simulator's
// behaviour for the programs started from now on.
void InstallSuite(const SuiteSetup& setup);

// Removes everything InstallSuite wrote to the registry (the suite's keys).
void RemoveSuiteKeys();

// Empties the simulator's records, e.g. of what a program started before the run under test wrote.
void ClearRecords();

// Lets the suite's programs (gate, updater, main program) finish for a while and ends those that keep
// running. InstallSuite does this first; after a gate has ended, it makes the records final.
void EndSuitePrograms();

// Wine's Windows version for one program, by file name; empty restores the prefix default.
void SetWindowsVersionFor(const char* exeName, const std::string& version);

// A started program.
struct Started {
    platform::UniqueHandle Process;
    DWORD ProcessId = 0;
    platform::UniqueHandle HeldThread; // the main thread of a program started held, until Resume
};

// Starts the installed gate with `arguments` after its (quoted) path.
Started StartGate(const std::string& arguments);
// Starts the gate with its main thread held before it runs any code, so that many can be let go at once.
Started StartGateHeld(const std::string& arguments);
// Lets a held program run.
void Resume(Started& program);
// Starts a file of the suite's directory the same way as the gate.
Started StartInstalled(const std::string& fileName, const std::string& arguments);
// Starts a program of the build's own output directory.
Started StartBuiltProgram(const std::string& fileName, const std::string& arguments);
// Starts a program of the system's directory (taskkill.exe, ...).
Started StartSystemProgram(const std::string& fileName, const std::string& arguments);

// Waits for the process to end; false on time-out.
bool WaitForExit(const Started& program, DWORD timeoutMs);
// Ends a program that is still running.
void Kill(Started& program);
// Every running process whose file is named `fileName` (e.g. "MivoraMain.exe"), opened to wait for it
// and end it.
std::vector<Started> RunningPrograms(const std::string& fileName);

// The visible top-level window of process `processId` with the title, or null after the time-out.
HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD timeoutMs);
// The visible message dialog of process `processId`, or null after the time-out.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);
// The texts of a system message box's static controls, joined by newlines.
std::wstring MessageBoxText(HWND box);
// True when the dialog is gone within the time-out.
bool WaitForDialogGone(HWND dialog, DWORD timeoutMs);
// The top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::string ClassOf(HWND window);
std::wstring TitleOf(HWND window);

// Brings the window forward and types the key with real keyboard input.
void PressKey(HWND window, WORD virtualKey);
// Types `key` with real keyboard input, to the focused window, while the keys `held` are down.
void SendKeys(std::initializer_list<WORD> held, WORD key);

// What a run of the gate showed.
struct GateOutcome {
    DWORD ProcessId = 0;
    int Dialogs = 0;
    bool Ended = false;        // on its own, with every dialog closed by its key
    bool DialogStayed = false; // a dialog was still open five seconds after its Enter
    std::vector<std::string> Screenshots;
};

// Starts the installed gate and answers each message dialog with Enter, after a screenshot named
// `<screenshotPrefix>-<n>` when a prefix is given, until the gate ends, a dialog stays open after its
// key or the time-out passes; a gate still running then is ended, and the suite's programs it started
// have ended too when this returns (see EndSuitePrograms).
GateOutcome RunGate(const std::string& arguments, const std::string& screenshotPrefix, DWORD timeoutMs);
// The same for a gate already started; ends it if it still runs after the time-out.
GateOutcome AnswerDialogs(Started& gate, const std::string& screenshotPrefix, DWORD timeoutMs);

// Saves what the screen shows of the window as a 24-bit BMP under MIVORA_SCREENSHOTS (or the current
// directory); returns the file's path, or empty when the file could not be written whole.
std::string SaveScreenshot(HWND window, const std::string& name);

// What the simulator recorded in its file `name` ("ZM_LiveUpdate.cmdline", "MivoraMain.cmdline",
// "MivoraMain.notices", "ZM_LiveUpdate.sent", "checkver.log"); empty when nothing.
std::string Recorded(const std::string& name);

// Like Recorded, once the suite's programs have ended (EndSuitePrograms): after a gate has ended, what
// a program it started would record is there, and what is missing did not happen.
std::string RecordedWhenSettled(const std::string& name);

// Like Recorded, but waits up to `timeoutMs` for the record to appear, for a program still running.
std::string AwaitRecord(const std::string& name, DWORD timeoutMs);

// Removes every reference to the global atom with this text (a gate on road 1 leaves one each start).
void DeleteGlobalAtom(const std::string& text);

} // namespace scenario
