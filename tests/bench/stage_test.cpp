// The benchmark's runs take the roads they claim, report a run that takes another, and leave nothing
// behind. Nothing here looks at a time.
#include "bench/stage.h"
#include "platform/win32/module_file_path.h"

#include <gtest/gtest.h>

#include <span>
#include <stdexcept>

namespace {

bool SuiteKeysExist() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\QUENTAR", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

bool Installed(const char* fileName) {
    return ::GetFileAttributesA((std::string(scenario::SuiteDirectory) + fileName).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

std::string FailureOf(Stage& stage, Kind kind) {
    try {
        stage.Time(kind);
    } catch (const std::runtime_error& failure) {
        return failure.what();
    }
    return "";
}

TEST(StageTest, EveryKindRunsOnItsRoadAgainAndAgain) {
    // This build stands in for an earlier one.
    Stage stage(ModuleDirectory(nullptr) + "Mivora.exe");
    for (int round = 0; round < 2; ++round) {
        for (const auto& kinds :
             {std::span<const Kind>(Roads), std::span<const Kind>(Limits), std::span<const Kind>(Pieces)})
            for (Kind kind : kinds)
                EXPECT_GT(stage.Time(kind), 0) << NameOf(kind);
        for (Kind kind : GateRoads)
            EXPECT_GT(stage.Time(kind, Gate::Before), 0) << "earlier " << NameOf(kind);
    }
}

TEST(StageTest, ARunThatCannotTakeItsRoadIsReportedNotTimed) {
    Stage stage;
    {
        // A gate outside the benchmark: road 1 cannot be set up, and road 2 turns into road 1.
        const platform::UniqueHandle outsideGate(::CreateMutexA(nullptr, TRUE, "Mivora"));
        EXPECT_EQ(FailureOf(stage, Kind::AnotherGate),
                  "the instance mutex is held by a program outside the benchmark");
        EXPECT_EQ(FailureOf(stage, Kind::MainWindowOpen),
                  "the main window was not told of the start: the gate did not take road 2");
        EXPECT_EQ(FailureOf(stage, Kind::SplashOpen),
                  "the gate on road 3 told the main window, left an atom or started the main program: it did "
                  "not take road 3");
        scenario::DeleteGlobalAtom("bench");
    }
    EXPECT_EQ(FailureOf(stage, Kind::MainWindowOpen), "") << "a failed run does not spoil the next";
    EXPECT_EQ(FailureOf(stage, Kind::AnotherGate), "");
}

TEST(StageTest, NothingIsLeftBehind) {
    {
        Stage stage(ModuleDirectory(nullptr) + "Mivora.exe");
        stage.Time(Kind::NothingRunning, Gate::Before);
        stage.Time(Kind::MainWindowOpen);
        stage.Time(Kind::Limit1);
    }
    for (const char* program : {"Mivora.exe", BeforeGateProgram, "MivoraMain.exe", "ZM_LiveUpdate.exe"})
        EXPECT_TRUE(scenario::RunningPrograms(program).empty()) << program;
    EXPECT_FALSE(SuiteKeysExist());
    for (const char* program : BuiltPrograms)
        EXPECT_FALSE(Installed(program)) << program;
    EXPECT_FALSE(Installed(BeforeGateProgram));
    EXPECT_EQ(::GlobalFindAtomA("bench"), 0);
}

} // namespace
