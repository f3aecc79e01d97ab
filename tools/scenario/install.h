#pragma once

#include <string>

// The simulated suite installed into the prefix as an installer would, and the simulator's behaviour.
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

// Wine's Windows version for one program, by file name; empty restores the prefix default.
void SetWindowsVersionFor(const char* exeName, const std::string& version);

} // namespace scenario
