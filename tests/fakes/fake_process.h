#pragma once

#include <string>
#include <vector>

// Program starts, recorded; whether a start succeeds is the test's choice.
namespace fakes {

struct StartedProgram {
    std::string ApplicationPath;
    std::string CommandLine;
};

struct ProcessRecord {
    std::vector<StartedProgram> Started;
    std::vector<unsigned> Sleeps;
    bool StartsFail = false;
    bool ProgramsEnded = false; // what HasEnded reports for every started program
};

ProcessRecord& Processes();
void ResetProcesses();

} // namespace fakes
