#include "update/module_path.h"

#include "platform/registry_value.h"
#include "tests/platform/registry_scratch.h"

#include <gtest/gtest.h>

namespace {

const std::string ProductKey = "Software\\QUENTAR\\ZelvanoManager";
const std::string MivoraKey = ProductKey + "\\Mivora";

class ModulePathWineTest : public testing::Test {
protected:
    void SetUp() override { scratch::DeleteTree("Software\\QUENTAR"); }
    void TearDown() override { scratch::DeleteTree("Software\\QUENTAR"); }
};

TEST_F(ModulePathWineTest, AFreshMachineGetsTheModuleKeyAndEmptyText) {
    EXPECT_EQ(ReadModulePath("Mivora"), "");
    EXPECT_TRUE(scratch::KeyPresent(MivoraKey));
    EXPECT_EQ(ReadModulePath("ZMFW"), "");
    EXPECT_TRUE(scratch::KeyPresent(ProductKey));
}

TEST_F(ModulePathWineTest, OnlyExactZmfwReadsDllPathFromTheProductKey) {
    ASSERT_TRUE(scratch::SetText(ProductKey, "DLLPATH", "C:\\Shared\\"));
    ASSERT_TRUE(scratch::SetText(ProductKey, "Path", "C:\\Wrong\\"));
    EXPECT_EQ(ReadModulePath("ZMFW"), "C:\\Shared\\");
    EXPECT_EQ(ReadModulePath("zmfw"), "");
    EXPECT_TRUE(scratch::KeyPresent(ProductKey + "\\zmfw"));
    ASSERT_TRUE(scratch::SetText(ProductKey + "\\zmfw", "Path", "C:\\Module\\"));
    EXPECT_EQ(ReadModulePath("Zmfw"), "C:\\Module\\");
}

TEST_F(ModulePathWineTest, ThePathIsReturnedExactlyAsStored) {
    const std::string longPath = "C:\\" + std::string(20000, 'p') + "\\";
    const struct {
        DWORD Type;
        std::string Bytes;
        std::string Expected;
    } cases[] = {
        {REG_SZ, std::string("D:\\Suite\\Bin\\\0", 14), "D:\\Suite\\Bin\\"},
        {REG_SZ, std::string("C:\\Suite\0", 9), "C:\\Suite"},
        {REG_EXPAND_SZ, std::string("%ProgramFiles%\\Suite\\\0", 22), "%ProgramFiles%\\Suite\\"},
        {REG_SZ, std::string("C:\\One\\\0C:\\Two\\\0", 16), "C:\\One\\"},
        {REG_SZ, std::string("\"C:\\Quoted\\\"", 12), "\"C:\\Quoted\\\""},
        {REG_SZ, longPath + '\0', longPath},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(scratch::SetValue(MivoraKey, "Path", c.Type, c.Bytes));
        EXPECT_EQ(ReadModulePath("Mivora"), c.Expected);
    }
}

TEST_F(ModulePathWineTest, ANonTextPathRaisesAndLeavesNoKeyOpen) {
    // The first C++ exception of the process sets up a lock of the runtime's own: not a leak.
    try {
        throw 1;
    } catch (int) {
    }
    for (DWORD type : {DWORD(REG_DWORD), DWORD(REG_BINARY), DWORD(REG_MULTI_SZ)}) {
        ASSERT_TRUE(scratch::SetValue(MivoraKey, "Path", type, std::string("C:\\\0\0", 5)));
        const HANDLE next = scratch::NextFreeHandle();
        try {
            ReadModulePath("Mivora");
            ADD_FAILURE() << "no error for type " << type;
        } catch (const platform::RegistryError& error) {
            EXPECT_STREQ(error.what(), "Invalid data type for 'Path'");
        }
        EXPECT_EQ(scratch::NextFreeHandle(), next);
    }
}

} // namespace
