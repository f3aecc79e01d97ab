#include "update/check_library.h"

#include "platform/win32/module_file_path.h"
#include "tests/platform/registry_scratch.h"
#include "tests/support/cpu_state.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string MivoraKey = "Software\\QUENTAR\\ZelvanoManager\\Mivora";

const std::string Simulator = ModuleDirectory(nullptr) + "suite\\ZM_CheckVer.dll";
const std::string SimulatorWithoutExport = ModuleDirectory(nullptr) + "suite\\noexport\\ZM_CheckVer.dll";
const std::string SimulatorWithPart = ModuleDirectory(nullptr) + "suite\\withpart\\";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CheckLibraryWineTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "MivoraCheckLibrary\\";
        Clean();
        ::CreateDirectoryA(dir_.c_str(), nullptr);
        scratch::DeleteTree("Software\\QUENTAR");
        ASSERT_TRUE(scratch::SetText(MivoraKey, "Path", dir_));
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", nullptr);
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER_LOG", Log().c_str());
    }
    void TearDown() override {
        FreeCheckLibrary();
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", nullptr);
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER_LOG", nullptr);
        scratch::DeleteTree("Software\\QUENTAR");
        Clean();
    }

    std::string Target() const { return dir_ + "ZM_CheckVer.dll"; }
    std::string Pending() const { return dir_ + "ZM_CheckVer.dll.tmp"; }
    std::string Log() const { return dir_ + "checkver.log"; }
    bool Loaded() const { return ::GetModuleHandleA(Target().c_str()) != nullptr; }

    void Clean() {
        for (const char* name :
             {"ZM_CheckVer.dll", "ZM_CheckVer.dll.tmp", "ZM_CheckVerPart.dll", "checkver.log"})
            ::DeleteFileA((dir_ + name).c_str());
        ::RemoveDirectoryA((dir_ + "ZM_CheckVer.dll").c_str());
        ::RemoveDirectoryA(dir_.c_str());
    }

    std::string dir_;
};

TEST_F(CheckLibraryWineTest, APendingLibraryIsMovedIntoPlaceWithoutAnOldOne) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Pending().c_str(), FALSE));
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_TRUE(Loaded());
    EXPECT_EQ(::GetFileAttributesA(Pending().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FreeCheckLibrary(), 0);
    EXPECT_FALSE(Loaded());
}

TEST_F(CheckLibraryWineTest, APendingLibraryReplacesTheOldOne) {
    // The old library lacks the export, so binding succeeds only with the new one.
    ASSERT_TRUE(::CopyFileA(SimulatorWithoutExport.c_str(), Target().c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Pending().c_str(), FALSE));
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(::GetFileAttributesA(Pending().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FreeCheckLibrary(), 0);
}

TEST_F(CheckLibraryWineTest, AMissingExportFailsAndLeavesTheLibraryLoaded) {
    ASSERT_TRUE(::CopyFileA(SimulatorWithoutExport.c_str(), Target().c_str(), FALSE));
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_TRUE(Loaded());
    EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 0), std::nullopt);
}

TEST_F(CheckLibraryWineTest, ADirectoryOrANonLibraryOfThatNameFails) {
    EXPECT_EQ(LoadCheckLibrary(), -3);
    ASSERT_TRUE(::CreateDirectoryA(Target().c_str(), nullptr));
    EXPECT_EQ(LoadCheckLibrary(), -3);
    ASSERT_TRUE(::RemoveDirectoryA(Target().c_str()));
    std::ofstream(Target(), std::ios::binary) << "MZ this is no library";
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_EQ(FreeCheckLibrary(), -3);
}

TEST_F(CheckLibraryWineTest, TheAnswerIsPassedOn) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    ASSERT_EQ(LoadCheckLibrary(), 0);
    for (const char* answer : {"210", "-204", "0", "209", "-2147483648"}) {
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", answer);
        EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 0), std::stoi(answer));
    }
}

TEST_F(CheckLibraryWineTest, TheFourArgumentsArriveExactlyAndAnEmptyPathAsNull) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    ASSERT_EQ(LoadCheckLibrary(), 0);
    CallCheckEntry("ZM_000001", 1, "D:\\Suite\\", 0);
    CallCheckEntry("ZM_000001", 0, "", 1);
    CallCheckEntry("ZM_000001", 0, "C:\\My Suite\\\xC7\xD1%\\", 0);
    EXPECT_EQ(FreeCheckLibrary(), 0);
    EXPECT_EQ(ReadFile(Log()), "attach\r\n"
                               "call s:ZM_000001 1 s:D:\\Suite\\ 0\r\n"
                               "call s:ZM_000001 0 null 1\r\n"
                               "call s:ZM_000001 0 s:C:\\My%20Suite\\%C7%D1%25\\ 0\r\n"
                               "detach\r\n");
}

TEST_F(CheckLibraryWineTest, EachKindOfFaultInTheCallIsCaught) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    for (const char* fault : {"210,call-av", "210,call-ill", "210,call-div"}) {
        ASSERT_EQ(LoadCheckLibrary(), 0) << fault;
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", fault);
        EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "D:\\Suite\\", 0), std::nullopt) << fault;
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", "210");
        EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "D:\\Suite\\", 0), 210) << fault;
        EXPECT_EQ(FreeCheckLibrary(), 0) << fault;
        EXPECT_FALSE(Loaded()) << fault;
    }
}

TEST_F(CheckLibraryWineTest, AFaultOnDetachIsSurvived) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    for (const char* fault : {"detach-av", "detach-ill", "detach-div"}) {
        ASSERT_EQ(LoadCheckLibrary(), 0) << fault;
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", fault);
        // The system's loader catches a fault in a detach itself, so the release succeeds.
        EXPECT_EQ(FreeCheckLibrary(), 0) << fault;
        EXPECT_FALSE(Loaded()) << fault;
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", nullptr);
    }
    EXPECT_EQ(FreeCheckLibrary(), -3);
    ASSERT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 0), -204);
}

TEST_F(CheckLibraryWineTest, TheLibrarysOwnDllsComeFromItsFolder) {
    for (const char* name : {"ZM_CheckVer.dll", "ZM_CheckVerPart.dll"})
        ASSERT_TRUE(::CopyFileA((SimulatorWithPart + name).c_str(), (dir_ + name).c_str(), FALSE));
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(FreeCheckLibrary(), 0);
}

TEST_F(CheckLibraryWineTest, AFaultAtLoadIsAFailedLoad) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    for (const char* fault : {"attach-av", "attach-ill", "attach-div"}) {
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", fault);
        EXPECT_EQ(LoadCheckLibrary(), -3) << fault;
        EXPECT_EQ(FreeCheckLibrary(), -3) << fault << ": nothing bound";
    }
}

TEST_F(CheckLibraryWineTest, TheGateKeepsItsFloatingPointControlAndDirectionFlag) {
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    const support::FloatingPointControls gate = support::CurrentControls();
    for (const char* misbehaviour : {"fpu-attach", "fpu-call", "fpu-detach", "df-call"}) {
        ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", misbehaviour);
        ASSERT_EQ(LoadCheckLibrary(), 0) << misbehaviour;
        EXPECT_EQ(support::CurrentControls(), gate) << misbehaviour << ", after the load";
        EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 0), -204) << misbehaviour;
        EXPECT_FALSE(support::DirectionFlagSet()) << misbehaviour;
        EXPECT_EQ(support::CurrentControls(), gate) << misbehaviour << ", after the call";
        EXPECT_EQ(FreeCheckLibrary(), 0) << misbehaviour;
        EXPECT_EQ(support::CurrentControls(), gate) << misbehaviour << ", after the release";
    }
}

// With an empty registered path the library is looked for beside the gate (here the test program, with
// none beside it), never in the current directory, which a shortcut's "Start in" chooses.
TEST_F(CheckLibraryWineTest, AnEmptyRegisteredPathNeverLoadsALibraryPlantedInTheCurrentDirectory) {
    ASSERT_TRUE(scratch::SetText(MivoraKey, "Path", ""));
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Target().c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(Simulator.c_str(), Pending().c_str(), FALSE));
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(dir_.c_str()));
    EXPECT_EQ(LoadCheckLibrary(), -3);
    ::SetCurrentDirectoryA(previous);
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(ReadFile(Log()), "") << "never attached";
    EXPECT_NE(::GetFileAttributesA(Pending().c_str()), INVALID_FILE_ATTRIBUTES) << "nor moved into place";
}

} // namespace
