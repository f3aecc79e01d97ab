#pragma once

#include "tools/scenario/harness.h"

#include <string>
#include <utility>

// The floor programs, installed beside the gate so that all start from the same directory.
constexpr char FloorProgram[] = "MivoraFloor.exe";
constexpr char FloorWithDllsProgram[] = "MivoraFloorDlls.exe";

// The simulated suite installed for one measurement. Going, it ends every suite program still running and
// removes the suite's registry keys and the floor programs.
class Installation {
public:
    explicit Installation(const scenario::SuiteSetup& setup);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

private:
    static void Remove();
};

// A started program that is ended, when still running, as it goes out of scope.
class OwnedProgram {
public:
    explicit OwnedProgram(scenario::Started program) : program_(std::move(program)) {}
    ~OwnedProgram() { scenario::Kill(program_); }
    OwnedProgram(const OwnedProgram&) = delete;
    OwnedProgram& operator=(const OwnedProgram&) = delete;

    const scenario::Started& get() const { return program_; }

private:
    scenario::Started program_;
};

// Starts the installed simulated main program with its main window; every later start of it ends at once.
scenario::Started StartMainWindow();

// The longest the benchmark waits for any one program.
constexpr DWORD RunTimeoutMs = 30000;

// Throws the failure `what` unless `condition` holds.
void Require(bool condition, const std::string& what);
