#pragma once

#include "tools/scenario/harness.h"

#include <string>
#include <utility>

// The programs measured beside the gate, installed in its directory so that all start from the same one.
constexpr char FloorProgram[] = "MivoraFloor.exe";
constexpr char FloorWithDllsProgram[] = "MivoraFloorDlls.exe";
constexpr char Limit1Program[] = "MivoraLimit1.exe";
constexpr char Limit2Program[] = "MivoraLimit2.exe";
constexpr char Limit3Program[] = "MivoraLimit3.exe";
constexpr char Limit4Program[] = "MivoraLimit4.exe";
constexpr const char* BuiltPrograms[] = {FloorProgram,  FloorWithDllsProgram, Limit1Program,
                                         Limit2Program, Limit3Program,        Limit4Program};
// An earlier build of the gate, when one is compared.
constexpr char BeforeGateProgram[] = "MivoraBefore.exe";

// The simulated suite installed for one measurement, with the programs above (the earlier gate copied
// from `beforeGate` when that is not empty). Going, it ends every suite program still running and
// removes the suite's registry keys and the programs it installed.
class Installation {
public:
    explicit Installation(const scenario::SuiteSetup& setup, const std::string& beforeGate = "");
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

// Starts the installed simulated main program with its main and splash windows; every later start of it
// ends at once.
scenario::Started StartMainWindow();

// The longest the benchmark waits for any one program.
constexpr DWORD RunTimeoutMs = 30000;

// Throws the failure `what` unless `condition` holds.
void Require(bool condition, const std::string& what);
