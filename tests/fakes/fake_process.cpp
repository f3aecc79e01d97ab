#include "tests/fakes/fake_process.h"

#include "platform/process.h"
#include "tests/fakes/fake_ui.h"

namespace fakes {

ProcessRecord& Processes() {
    static ProcessRecord record;
    return record;
}

void ResetProcesses() {
    Processes() = ProcessRecord();
}

} // namespace fakes

namespace platform {

// The fake's handle is only a marker, non-null for a started program: nothing to close.
void ProcessTraits::Close(Handle) {}

bool Process::HasEnded() const {
    return !handle_ || fakes::Processes().ProgramsEnded;
}

Process StartProgram(const std::string& applicationPath, const std::string& commandLine) {
    fakes::Processes().Started.push_back({applicationPath, commandLine});
    fakes::Ui().Events.push_back("start");
    if (fakes::Processes().StartsFail)
        return Process();
    static int marker;
    return Process(&marker);
}

Process StartProgramRun(const std::string& applicationPath, const std::string& commandLine) {
    return StartProgram(applicationPath, commandLine);
}

void SleepMs(unsigned milliseconds) {
    fakes::Processes().Sleeps.push_back(milliseconds);
    fakes::Ui().Events.push_back("sleep " + std::to_string(milliseconds));
}

} // namespace platform
