// A program's run and what it starts, against the suite's updater stand-in handing its run to a copy of
// itself that sleeps three seconds.
#include "platform/process.h"

#include "platform/win32/job.h"
#include "platform/win32/module_file_path.h"
#include "tests/fakes/debug_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

const std::string Updater = ModuleDirectory(nullptr) + "suite\\ZM_LiveUpdate.exe";

// The run started with these steps, looked at once its first program has surely ended: whether the run
// had ended then, and whether it ends at all.
struct RunSeen {
    bool EndedWithTheFirst = false;
    bool EndedLater = false;
};

RunSeen Watch(const std::string& steps) {
    ::SetEnvironmentVariableA("MIVORA_SIM_VERDICT", steps.c_str());
    const platform::Process run = platform::StartProgramRun(Updater, "\"" + Updater + "\" <0>");
    EXPECT_TRUE(run.IsStarted());
    ::Sleep(1000);
    RunSeen seen;
    seen.EndedWithTheFirst = run.HasEnded();
    for (int i = 0; i < 200 && !run.HasEnded(); ++i)
        ::Sleep(100);
    seen.EndedLater = run.HasEnded();
    return seen;
}

TEST(ProgramRun, EndsWhenWhatTheProgramStartedHasEnded) {
    const RunSeen handedOver = Watch("handover,sleep:3000");
    EXPECT_FALSE(handedOver.EndedWithTheFirst) << "the copy still runs";
    EXPECT_TRUE(handedOver.EndedLater);
    EXPECT_TRUE(Watch("breakaway,sleep:3000").EndedWithTheFirst)
        << "a copy that left the run is not waited for";
}

// On 2000 and XP a process already in a job cannot be put in another: AssignProcessToJobObject fails with
// ERROR_ACCESS_DENIED, as this stand-in does. The program's own end then ends the run.
BOOL WINAPI RefuseAsXpDoes(HANDLE, HANDLE) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(ProgramRun, WithoutAJobTheProgramsOwnEndEndsIt) {
    const auto assign = std::exchange(platform::JobCalls().Assign, RefuseAsXpDoes);
    fakes::DebugLines().clear();
    EXPECT_TRUE(Watch("handover,sleep:3000").EndedWithTheFirst);
    platform::JobCalls().Assign = assign;
    ASSERT_FALSE(fakes::DebugLines().empty());
    EXPECT_NE(fakes::DebugLines()[0].find("cannot join a job of its own, Windows error 5"), std::string::npos)
        << fakes::DebugLines()[0];
}

} // namespace
