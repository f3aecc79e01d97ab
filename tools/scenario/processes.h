#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <string>
#include <vector>

// Starting, waiting for and ending the suite's programs and the gate.
namespace scenario {

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

// Lets the suite's programs (gate, updater, main program) finish for a while and ends those that keep
// running. InstallSuite does this first; after a gate has ended, it makes the records final.
void EndSuitePrograms();

} // namespace scenario
