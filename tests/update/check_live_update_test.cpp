#include "update/check_live_update.h"

#include "platform/error.h"
#include "platform/registry_value.h"
#include "tests/fakes/fake_process.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/support/code_pages.h"

#include <gtest/gtest.h>

namespace {

constexpr char ProductKey[] = "\\Software\\QUENTAR\\ZelvanoManager\\";
constexpr char MivoraKey[] = "\\Software\\QUENTAR\\ZelvanoManager\\Mivora\\";
constexpr char LiveUpdateKey[] = "\\Software\\QUENTAR\\ZelvanoManager\\LiveUpdate\\";
constexpr char Suite[] = "D:\\Suite\\Bin\\";
constexpr char LibraryImage[] = "check library image";
constexpr std::uint32_t Window = 1050722;

const char* const DllLoadFailed = "라이브 업데이트 DLL 로딩에 실패하였습니다.";
const char* const WebFailed = "라이브 업데이트 웹 접속에 실패하였습니다.";
const char* const ReleaseFailed = "라이브 업데이트 접속해제에 실패하였습니다.";
const char* const UpdaterNotFound = "라이브 업데이트 실행파일을 찾을 수 없습니다.";

class CheckLiveUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakes::ResetPlatformFakes();
        fakes::ResetUi();
        fakes::ResetProcesses();
    }

    // An installed suite: path, version, library answering `answer`, updater present.
    void Install(const std::string& path = Suite, const std::string& version = "3",
                 std::int32_t answer = 210) {
        fakes::SetRegistryString(MivoraKey, "Path", path);
        fakes::SetRegistryString(MivoraKey, "ver", version);
        fakes::FakeLibrary library;
        library.Exports["ZM_luChkVer"].Answer = answer;
        fakes::DefineLibrary(LibraryImage, library);
        const std::string folder = path.empty() ? fakes::GateFolder : path;
        fakes::SetFile(folder + "ZM_CheckVer.dll", LibraryImage);
        fakes::SetFile(folder + "ZM_LiveUpdate.exe", "updater");
    }

    std::int32_t Check() { return CheckLiveUpdate("ZM_000001", Window, updater_); }

    std::vector<std::string> DialogTexts() const {
        std::vector<std::string> texts;
        for (const auto& dialog : fakes::Ui().Dialogs) {
            EXPECT_EQ(dialog.Type, 3);
            EXPECT_EQ(dialog.SubText, "");
            EXPECT_EQ(dialog.Buttons, 1);
            EXPECT_FALSE(dialog.HasOwner);
            texts.push_back(dialog.MainText);
        }
        return texts;
    }

    platform::Process updater_;
};

using Texts = std::vector<std::string>;

TEST_F(CheckLiveUpdateTest, StartsTheUpdaterWithItsCommandLineByteForByte) {
    Install();
    EXPECT_EQ(Check(), 0);
    EXPECT_TRUE(updater_.IsStarted());
    ASSERT_EQ(fakes::Processes().Started.size(), 1u);
    EXPECT_EQ(fakes::Processes().Started[0].ApplicationPath, "D:\\Suite\\Bin\\ZM_LiveUpdate.exe");
    EXPECT_EQ(fakes::Processes().Started[0].CommandLine,
              "D:\\Suite\\Bin\\ZM_LiveUpdate.exe <ZM_000001><0><D:\\Suite\\><0><1050722>");
    EXPECT_TRUE(DialogTexts().empty());
    // Waiting messages are handled, then the pause, then the start.
    EXPECT_EQ(fakes::Ui().Events, (Texts{"messages", "sleep 200", "start"}));

    ASSERT_EQ(fakes::FakeCalls().size(), 1u);
    const auto& call = fakes::FakeCalls()[0];
    EXPECT_EQ(call.First, "ZM_000001");
    EXPECT_EQ(call.Second, 0);
    EXPECT_EQ(call.Third, "D:\\Suite\\");
    EXPECT_EQ(call.Fourth, 0);
    EXPECT_EQ(fakes::LoadedLibraryCount(), 0);
}

TEST_F(CheckLiveUpdateTest, FreshMachineGetsTheSwitchesFirst) {
    EXPECT_EQ(Check(), -11); // version 0: no library; no updater file
    EXPECT_EQ(fakes::RegistryValue(LiveUpdateKey, "TestMode")->Type, platform::RegDword);
    EXPECT_EQ(fakes::RegistryValue(LiveUpdateKey, "TestMode")->Bytes, std::string(4, '\0'));
    EXPECT_EQ(fakes::RegistryValue(LiveUpdateKey, "LiveTestMode")->Bytes, std::string(4, '\0'));
    EXPECT_TRUE(fakes::RegistryKeyPresent(MivoraKey));
    EXPECT_TRUE(fakes::LoadRequests().empty());
    EXPECT_EQ(DialogTexts(), Texts{UpdaterNotFound});
    // The bare updater name is searched for; it does not exist in the current directory either.
    EXPECT_TRUE(fakes::Processes().Started.empty());
    EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);
}

TEST_F(CheckLiveUpdateTest, SwitchesOtherThanZeroAndOneCountAsZeroAndAreKept) {
    Install();
    fakes::SetRegistryDword(LiveUpdateKey, "TestMode", 5);
    fakes::SetRegistryDword(LiveUpdateKey, "LiveTestMode", 1);
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(fakes::FakeCalls().at(0).Second, 0);
    EXPECT_EQ(fakes::FakeCalls().at(0).Fourth, 1);
    EXPECT_EQ(fakes::Processes().Started.at(0).CommandLine,
              "D:\\Suite\\Bin\\ZM_LiveUpdate.exe <ZM_000001><0><D:\\Suite\\><1><1050722>");
    EXPECT_EQ(fakes::RegistryValue(LiveUpdateKey, "TestMode")->Bytes, std::string("\x05\0\0\0", 4));
}

TEST_F(CheckLiveUpdateTest, VersionsThatAreZeroOrNotIntegersSkipTheLibrary) {
    for (const char* version : {"", "0", "1.0.3", "abc", "0x0", "99999999999", "3 "}) {
        SetUp();
        Install(Suite, version);
        if (*version == '\0')
            fakes::DeleteRegistryValue(MivoraKey, "ver");
        EXPECT_EQ(Check(), 0) << version;
        EXPECT_TRUE(fakes::LoadRequests().empty()) << version;
        EXPECT_EQ(fakes::Processes().Started.size(), 1u) << version;
    }
}

TEST_F(CheckLiveUpdateTest, NonZeroVersionsAskTheLibrary) {
    for (const char* version : {"-1", "$1F", "0x10", " 7", "+2"}) {
        SetUp();
        Install(Suite, version, -204);
        EXPECT_EQ(Check(), -204) << version;
        EXPECT_EQ(fakes::FakeCalls().size(), 1u) << version;
    }
}

TEST_F(CheckLiveUpdateTest, AnswersOtherThan210) {
    for (const std::int32_t answer : {-204, 0, 1, 209}) {
        SetUp();
        Install(Suite, "3", answer);
        EXPECT_EQ(Check(), answer == -204 ? -204 : -3) << answer;
        EXPECT_TRUE(fakes::Processes().Started.empty());
        EXPECT_TRUE(DialogTexts().empty());
        EXPECT_EQ(fakes::LoadedLibraryCount(), 0);
    }
}

TEST_F(CheckLiveUpdateTest, LibraryFailures) {
    Install();
    fakes::RemoveFile(std::string(Suite) + "ZM_CheckVer.dll");
    EXPECT_EQ(Check(), -3);
    EXPECT_EQ(DialogTexts(), Texts{DllLoadFailed});

    SetUp();
    Install();
    fakes::FakeLibrary faulting;
    faulting.Exports["ZM_luChkVer"].Faults = true;
    fakes::DefineLibrary(LibraryImage, faulting);
    EXPECT_EQ(Check(), -203);
    EXPECT_EQ(DialogTexts(), Texts{WebFailed});
    EXPECT_EQ(fakes::LoadedLibraryCount(), 0); // released after the fault
    EXPECT_TRUE(fakes::Processes().Started.empty());

    SetUp();
    Install();
    fakes::FakeLibrary detachFault;
    detachFault.FaultOnDetach = true;
    fakes::DefineLibrary(LibraryImage, detachFault);
    EXPECT_EQ(Check(), -203);
    EXPECT_EQ(DialogTexts(), Texts{ReleaseFailed});
    EXPECT_TRUE(fakes::Processes().Started.empty());
}

// An error out of the failed call's dialog still releases the library.
TEST_F(CheckLiveUpdateTest, AFailingDialogLeavesNoLibraryLoaded) {
    Install();
    fakes::FakeLibrary faulting;
    faulting.Exports["ZM_luChkVer"].Faults = true;
    fakes::DefineLibrary(LibraryImage, faulting);
    fakes::Ui().DialogsFail = true;
    EXPECT_THROW(Check(), platform::Error);
    EXPECT_EQ(DialogTexts(), Texts{WebFailed});
    EXPECT_EQ(fakes::LoadedLibraryCount(), 0);
}

TEST_F(CheckLiveUpdateTest, UpdaterMissingOrNotStartable) {
    Install();
    fakes::RemoveFile(std::string(Suite) + "ZM_LiveUpdate.exe");
    EXPECT_EQ(Check(), -11);
    EXPECT_EQ(DialogTexts(), Texts{UpdaterNotFound});
    EXPECT_TRUE(fakes::Processes().Started.empty());

    SetUp();
    Install();
    fakes::Processes().StartsFail = true;
    EXPECT_EQ(Check(), -11);
    EXPECT_EQ(DialogTexts(), Texts{UpdaterNotFound});
    EXPECT_FALSE(updater_.IsStarted());
}

TEST_F(CheckLiveUpdateTest, PendingUpdaterReplacesTheOldOne) {
    Install();
    fakes::SetFile(std::string(Suite) + "ZM_LiveUpdate.exe.tmp", "new updater");
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(fakes::FileContent(std::string(Suite) + "ZM_LiveUpdate.exe"), "new updater");
    EXPECT_FALSE(fakes::FileContent(std::string(Suite) + "ZM_LiveUpdate.exe.tmp"));

    SetUp();
    Install();
    fakes::RemoveFile(std::string(Suite) + "ZM_LiveUpdate.exe");
    fakes::SetFile(std::string(Suite) + "ZM_LiveUpdate.exe.tmp", "first updater");
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(fakes::FileContent(std::string(Suite) + "ZM_LiveUpdate.exe"), "first updater");
}

TEST_F(CheckLiveUpdateTest, EmptyPathTakesTheGatesOwnFolderAndANullSuitePath) {
    Install("");
    EXPECT_EQ(Check(), 0);
    EXPECT_FALSE(fakes::FakeCalls().at(0).Third.has_value());
    const std::string updater = std::string(fakes::GateFolder) + "ZM_LiveUpdate.exe";
    EXPECT_EQ(fakes::Processes().Started.at(0).ApplicationPath, updater);
    EXPECT_EQ(fakes::Processes().Started.at(0).CommandLine, updater + " <ZM_000001><0><><0><1050722>");
}

// A limited account: Windows refuses it full access to HKEY_LOCAL_MACHINE's keys but lets it read them.
TEST_F(CheckLiveUpdateTest, AReadOnlyHiveIsReadAndMissingSwitchesCountAsZero) {
    Install();
    fakes::SetRegistryDword(LiveUpdateKey, "TestMode", 1);
    fakes::SetRegistryWritable(false);
    EXPECT_EQ(Check(), 0);
    EXPECT_TRUE(DialogTexts().empty());
    EXPECT_EQ(fakes::FakeCalls().at(0).Second, 1);
    EXPECT_EQ(fakes::Processes().Started.at(0).CommandLine,
              "D:\\Suite\\Bin\\ZM_LiveUpdate.exe <ZM_000001><1><D:\\Suite\\><0><1050722>");
    EXPECT_FALSE(fakes::RegistryValue(LiveUpdateKey, "LiveTestMode")) << "nothing written";
    EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);

    // Without the switches' key: Windows creates a key only where the parent key's access list grants
    // KEY_CREATE_SUB_KEY, so the fake refuses it to a read-only hive.
    SetUp();
    Install();
    fakes::SetRegistryWritable(false);
    const auto keys = fakes::RegistryKeys();
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(fakes::RegistryKeys(), keys);
    EXPECT_EQ(fakes::Processes().Started.size(), 1u);

    // A switch of the wrong type is still the registry layer's error.
    SetUp();
    Install();
    fakes::SetRegistryString(LiveUpdateKey, "TestMode", "1");
    fakes::SetRegistryWritable(false);
    try {
        Check();
        FAIL() << "no error raised";
    } catch (const platform::RegistryError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'TestMode'");
    }
    EXPECT_TRUE(fakes::Processes().Started.empty());
    EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);
}

TEST_F(CheckLiveUpdateTest, NonTextVersionRaisesWithTheKeyClosed) {
    Install();
    fakes::SetRegistryDword(MivoraKey, "ver", 3);
    EXPECT_THROW(Check(), platform::RegistryError);
    EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);
}

// Windows counts a name's length in characters, not in its bytes: a Korean folder of 150 characters
// (300 bytes in CP949) works as a short one does; one past 259 characters counts as missing.
TEST_F(CheckLiveUpdateTest, AKoreanFolderIsMeasuredInCharacters) {
    fakes::SetSystemLeadBytes(platform::IsCp949LeadByte);
    std::string folder = "C:\\";
    for (int i = 0; i < 150; ++i)
        folder += "젤";
    Install(folder + "\\");
    EXPECT_EQ(Check(), 0);
    ASSERT_EQ(fakes::Processes().Started.size(), 1u);
    EXPECT_EQ(fakes::Processes().Started[0].ApplicationPath, folder + "\\ZM_LiveUpdate.exe");

    SetUp();
    fakes::SetSystemLeadBytes(platform::IsCp949LeadByte);
    Install(folder + std::string(110, 'x') + "\\");
    EXPECT_EQ(Check(), -3);
    EXPECT_EQ(DialogTexts(), Texts{DllLoadFailed});
}

// Code page 932, where "表" is 0x95 0x5C: its second byte is no separator.
TEST_F(CheckLiveUpdateTest, ASuitePathIsCutBetweenCharacters) {
    fakes::SetSystemLeadBytes(code_pages::IsCp932LeadByte);
    Install("D:\\Suite\\\x95\x5C\x8E\xA6"); // "表示", registered without a trailing separator
    EXPECT_EQ(Check(), 0);
    ASSERT_EQ(fakes::FakeCalls().size(), 1u);
    EXPECT_EQ(fakes::FakeCalls()[0].Third, "D:\\Suite\\");
}

TEST(SuitePathOf, DropsTheLastComponent) {
    auto suitePath = [](const std::string& path) { return SuitePathOf(path, platform::IsCp949LeadByte); };
    EXPECT_EQ(suitePath("D:\\Suite\\Bin\\"), "D:\\Suite\\");
    EXPECT_EQ(suitePath("D:\\Suite\\Bin"), "D:\\Suite\\");
    EXPECT_EQ(suitePath("C:\\"), "C:\\");
    EXPECT_EQ(suitePath("Suite"), "Suite");
    EXPECT_EQ(suitePath(""), "");
    EXPECT_EQ(suitePath("\\"), "\\");
    EXPECT_EQ(suitePath("C:\\Program Files\\젤바노\\"), "C:\\Program Files\\");
    // In code page 932 a trailing 0x5C may be the second byte of "表", and one inside a name may be too.
    const std::string table = "\x95\x5C";
    EXPECT_EQ(SuitePathOf("D:\\Suite\\" + table, code_pages::IsCp932LeadByte), "D:\\Suite\\");
    EXPECT_EQ(SuitePathOf("D:\\" + table + "\\Bin\\", code_pages::IsCp932LeadByte), "D:\\" + table + "\\");
    EXPECT_EQ(SuitePathOf("D:\\Suite\\" + table + "Bin\\", code_pages::IsCp932LeadByte), "D:\\Suite\\");
}

} // namespace
