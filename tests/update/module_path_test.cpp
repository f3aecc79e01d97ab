#include "update/module_path.h"

#include "tests/fakes/platform_fakes.h"

#include <gtest/gtest.h>

namespace {

const char* const MivoraKey = "\\Software\\QUENTAR\\ZelvanoManager\\Mivora\\";

class ModulePathTest : public testing::Test {
protected:
    void SetUp() override { fakes::ResetPlatformFakes(); }
    void TearDown() override { EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0); }
};

TEST_F(ModulePathTest, AFreshMachineGetsTheModuleKeyAndAnEmptyPath) {
    EXPECT_EQ(ReadModulePath("Mivora"), "");
    EXPECT_TRUE(fakes::RegistryKeyPresent(MivoraKey));
    EXPECT_FALSE(fakes::RegistryValue(MivoraKey, "Path"));
}

TEST_F(ModulePathTest, ReturnsThePathExactlyAsStored) {
    for (const char* stored :
         {"D:\\Suite\\Bin\\", "C:\\Suite", "\"C:\\Quoted Dir\\\"", "%ProgramFiles%\\Suite\\"}) {
        fakes::SetRegistryString(MivoraKey, "Path", stored, platform::RegExpandSz);
        EXPECT_EQ(ReadModulePath("Mivora"), stored);
    }
}

TEST_F(ModulePathTest, ReadsTheRegistryAfreshOnEveryCall) {
    fakes::SetRegistryString(MivoraKey, "Path", "C:\\One\\");
    EXPECT_EQ(ReadModulePath("Mivora"), "C:\\One\\");
    fakes::SetRegistryString(MivoraKey, "Path", "C:\\Two\\");
    EXPECT_EQ(ReadModulePath("Mivora"), "C:\\Two\\");
    fakes::DeleteRegistryValue(MivoraKey, "Path");
    EXPECT_EQ(ReadModulePath("Mivora"), "");
}

TEST_F(ModulePathTest, OnlyExactZmfwReadsTheProductKeysDllPath) {
    fakes::SetRegistryString("\\Software\\QUENTAR\\ZelvanoManager\\", "DLLPATH", "C:\\Shared\\");
    fakes::SetRegistryString("\\Software\\QUENTAR\\ZelvanoManager\\zmfw\\", "Path", "C:\\Lower\\");
    EXPECT_EQ(ReadModulePath("ZMFW"), "C:\\Shared\\");
    EXPECT_EQ(ReadModulePath("zmfw"), "C:\\Lower\\");
    // Key names ignore case, so "Zmfw" finds the same key as "zmfw".
    EXPECT_EQ(ReadModulePath("Zmfw"), "C:\\Lower\\");
}

TEST_F(ModulePathTest, ANonTextPathRaisesWithTheKeyClosed) {
    fakes::SetRegistryDword(MivoraKey, "Path", 7);
    try {
        ReadModulePath("Mivora");
        FAIL() << "no error";
    } catch (const platform::RegistryError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'Path'");
    }
    EXPECT_EQ(fakes::OpenRegistryKeyCount(), 0);
}

TEST_F(ModulePathTest, AReadOnlyHiveIsReadAndAMissingKeyGivesEmptyTextSilently) {
    fakes::SetRegistryString(MivoraKey, "Path", "C:\\Suite\\");
    fakes::SetRegistryWritable(false);
    EXPECT_EQ(ReadModulePath("Mivora"), "C:\\Suite\\");
    EXPECT_EQ(ReadModulePath("Camera"), "");
    EXPECT_FALSE(fakes::RegistryKeyPresent("\\Software\\QUENTAR\\ZelvanoManager\\Camera\\"));
}

} // namespace
