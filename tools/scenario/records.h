#pragma once

#include <windows.h>

#include <string>

// What the simulated suite's programs recorded, in files of one directory (MIVORA_SIM_RECORD).
namespace scenario {

constexpr char RecordDirectory[] = "C:\\mivora-sim\\";

// Empties the simulator's records, e.g. of what a program started before the run under test wrote.
void ClearRecords();

// What the simulator recorded in its file `name` ("ZM_LiveUpdate.cmdline", "MivoraMain.cmdline",
// "MivoraMain.notices", "ZM_LiveUpdate.sent", "checkver.log"); empty when nothing.
std::string Recorded(const std::string& name);

// Like Recorded, once the suite's programs have ended (EndSuitePrograms): after a gate has ended, what
// a program it started would record is there, and what is missing did not happen.
std::string RecordedWhenSettled(const std::string& name);

// Like Recorded, but waits up to `timeoutMs` for the record to appear, for a program still running.
std::string AwaitRecord(const std::string& name, DWORD timeoutMs);

} // namespace scenario
