#include "update/check_library.h"

#include "tests/fakes/platform_fakes.h"

#include <gtest/gtest.h>

namespace {

const char* const MivoraKey = "\\Software\\QUENTAR\\ZelvanoManager\\Mivora\\";
const std::string Dir = "D:\\Suite\\Bin\\";
const std::string Target = Dir + "ZM_CheckVer.dll";
const std::string Pending = Dir + "ZM_CheckVer.dll.tmp";

class CheckLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        fakes::ResetPlatformFakes();
        fakes::SetRegistryString(MivoraKey, "Path", Dir);
        fakes::DefineLibrary("old", {});
        fakes::DefineLibrary("new", {});
    }
    void TearDown() override {
        FreeCheckLibrary(); // leaves the process-wide binding unbound for the next test
        EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);
    }
};

TEST_F(CheckLibraryTest, LoadsTheLibraryFromTheRegisteredDirectory) {
    fakes::SetFile(Target, "old");
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(fakes::LoadRequests(), std::vector<std::string>{Target});
    EXPECT_EQ(fakes::LoadedImages(), std::vector<std::string>{"old"});
}

TEST_F(CheckLibraryTest, APendingFileBecomesTheLibraryWithOrWithoutAnOldOne) {
    for (bool oldPresent : {false, true}) {
        SetUp();
        if (oldPresent)
            fakes::SetFile(Target, "old");
        fakes::SetFile(Pending, "new");
        EXPECT_EQ(LoadCheckLibrary(), 0);
        EXPECT_EQ(fakes::LoadedImages(), std::vector<std::string>{"new"});
        EXPECT_EQ(fakes::FileContent(Target), "new");
        EXPECT_FALSE(fakes::FileContent(Pending));
        EXPECT_EQ(FreeCheckLibrary(), 0);
    }
}

TEST_F(CheckLibraryTest, ALockedOldLibraryStaysAndThePendingOneWaits) {
    fakes::SetFile(Target, "old");
    fakes::LockFile(Target);
    fakes::SetFile(Pending, "new");
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(fakes::LoadedImages(), std::vector<std::string>{"old"});
    EXPECT_EQ(fakes::FileContent(Pending), "new");
}

TEST_F(CheckLibraryTest, MissingDirectoryOrNonLibraryTargetsFail) {
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_TRUE(fakes::LoadRequests().empty());

    fakes::SetDirectory(Target);
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_TRUE(fakes::LoadRequests().empty());

    fakes::SetFile(Target, "MZ garbage");
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_EQ(fakes::LoadRequests().size(), 1u);
    EXPECT_EQ(FreeCheckLibrary(), -3);
}

TEST_F(CheckLibraryTest, AMissingExportLeavesTheLibraryLoadedWithoutEntry) {
    fakes::DefineLibrary("bare", fakes::FakeLibrary{{}, false});
    fakes::SetFile(Target, "bare");
    EXPECT_EQ(LoadCheckLibrary(), -3);
    EXPECT_EQ(fakes::LoadedLibraryCount(), 1);
    EXPECT_FALSE(CallCheckEntry("ZM_000001", 0, "", 0));
    EXPECT_TRUE(fakes::FakeCalls().empty());
}

TEST_F(CheckLibraryTest, AnEmptyRegisteredPathMeansTheGatesOwnFolder) {
    fakes::SetRegistryString(MivoraKey, "Path", "");
    const std::string folder = fakes::GateFolder;
    fakes::SetFile(folder + "ZM_CheckVer.dll.tmp", "new");
    EXPECT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(fakes::LoadRequests(), std::vector<std::string>{folder + "ZM_CheckVer.dll"});
    EXPECT_EQ(fakes::FileContent(folder + "ZM_CheckVer.dll"), "new");
}

TEST_F(CheckLibraryTest, PassesTheFourArgumentsAndANullPathWhenEmpty) {
    fakes::DefineLibrary("answers", fakes::FakeLibrary{{{"ZM_luChkVer", {-204, false}}}, false});
    fakes::SetFile(Target, "answers");
    ASSERT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(CallCheckEntry("ZM_000001", 1, "D:\\Suite\\", 0), -204);
    EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 1), -204);
    const auto& calls = fakes::FakeCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Export, "ZM_luChkVer");
    EXPECT_EQ(calls[0].First, "ZM_000001");
    EXPECT_EQ(calls[0].Second, 1);
    EXPECT_EQ(calls[0].Third, "D:\\Suite\\");
    EXPECT_EQ(calls[0].Fourth, 0);
    EXPECT_EQ(calls[1].Third, std::nullopt);
    EXPECT_EQ(calls[1].Fourth, 1);
}

TEST_F(CheckLibraryTest, AFaultInTheCallIsReportedApartFromAnyAnswer) {
    fakes::DefineLibrary("faulty", fakes::FakeLibrary{{{"ZM_luChkVer", {210, true}}}, false});
    fakes::SetFile(Target, "faulty");
    ASSERT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(CallCheckEntry("ZM_000001", 0, "", 0), std::nullopt);
    EXPECT_EQ(FreeCheckLibrary(), 0);
}

TEST_F(CheckLibraryTest, ReleaseUnbindsAndReportsAFaultOnDetach) {
    EXPECT_EQ(FreeCheckLibrary(), -3);

    fakes::DefineLibrary("detach", fakes::FakeLibrary{{{"ZM_luChkVer", {}}}, true});
    fakes::SetFile(Target, "detach");
    ASSERT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(FreeCheckLibrary(), -3);
    EXPECT_EQ(fakes::LoadedLibraryCount(), 0);
    EXPECT_EQ(FreeCheckLibrary(), -3);
    EXPECT_FALSE(CallCheckEntry("ZM_000001", 0, "", 0));

    fakes::SetFile(Target, "old");
    ASSERT_EQ(LoadCheckLibrary(), 0);
    EXPECT_EQ(FreeCheckLibrary(), 0);
    EXPECT_EQ(fakes::LoadedLibraryCount(), 0);
}

} // namespace
