#include "platform/registry.h"

#include "tests/platform/registry_scratch.h"
#include "tests/support/error_text.h"

#include <gtest/gtest.h>

namespace {

const std::string Root = "Software\\MivoraTest";
const std::string KeyPath = "\\Software\\MivoraTest\\Values\\";
const std::string RawPath = "Software\\MivoraTest\\Values";

class RegistryTest : public testing::Test {
protected:
    // The first C++ exception of the process sets up a lock of the runtime's own: not a leak.
    static void SetUpTestSuite() {
        ErrorText<platform::RegistryError>([] { throw platform::RegistryError("warm-up"); });
    }
    void SetUp() override {
        scratch::DeleteTree(Root);
        nextHandle_ = scratch::NextFreeHandle();
    }
    void TearDown() override {
        EXPECT_EQ(scratch::NextFreeHandle(), nextHandle_) << "a key was left open";
        scratch::DeleteTree(Root);
    }

private:
    HANDLE nextHandle_ = nullptr;
};

TEST_F(RegistryTest, OpeningCreatesAMissingKeyForFullAccess) {
    EXPECT_FALSE(scratch::KeyPresent(RawPath));
    {
        platform::RegistryKey key(KeyPath);
        EXPECT_TRUE(key.IsOpen());
        EXPECT_TRUE(key.IsWritable());
        EXPECT_FALSE(key.ValueExists("Path"));
        EXPECT_EQ(key.ReadString("Path"), "");
    }
    EXPECT_TRUE(scratch::KeyPresent(RawPath));
}

// A limited account may read HKEY_LOCAL_MACHINE's keys but not write their values. (Windows also refuses
// it new keys there; Wine does not check the parent key's access list, so the native fake shows that.)
TEST_F(RegistryTest, AKeyRefusedFullAccessIsOpenedForReading) {
    ASSERT_TRUE(scratch::SetText(RawPath, "Path", "D:\\Suite\\"));
    ASSERT_TRUE(scratch::SetValue(RawPath, "TestMode", REG_DWORD, std::string("\1\0\0\0", 4)));
    {
        const scratch::ReadOnlyTree readOnly(Root);
        ASSERT_TRUE(readOnly.Complete());
        platform::RegistryKey key(KeyPath);
        EXPECT_TRUE(key.IsOpen());
        EXPECT_FALSE(key.IsWritable());
        EXPECT_EQ(key.ReadString("Path"), "D:\\Suite\\");
        EXPECT_EQ(key.ReadInteger("TestMode"), 1);
        EXPECT_EQ(ErrorText<platform::RegistryError>([&] { key.WriteInteger("LiveTestMode", 0); }),
                  "Failed to set data for 'LiveTestMode'");
    }
    platform::RegistryKey restored(KeyPath);
    EXPECT_TRUE(restored.IsWritable());
    EXPECT_FALSE(restored.ValueExists("LiveTestMode"));
}

TEST_F(RegistryTest, AKeyThatCannotBeCreatedStaysClosed) {
    // A key name longer than the registry allows.
    const std::string path = "\\Software\\MivoraTest\\" + std::string(300, 'k') + "\\";
    platform::RegistryKey key(path);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.ValueExists("Path"));
    EXPECT_EQ(key.ReadString("Path"), "");
    EXPECT_EQ(ErrorText<platform::RegistryError>([&] { key.ReadInteger("TestMode"); }),
              "Failed to get data for 'TestMode'");
    EXPECT_EQ(ErrorText<platform::RegistryError>([&] { key.WriteInteger("TestMode", 0); }),
              "Failed to set data for 'TestMode'");
}

TEST_F(RegistryTest, TextValuesAreReadWholeUnexpandedAndCutAtTheFirstNul) {
    const std::string longPath = "C:\\" + std::string(70000, 'd') + "\\";
    ASSERT_TRUE(scratch::SetText(RawPath, "Plain", "D:\\Suite\\Bin\\"));
    ASSERT_TRUE(scratch::SetText(RawPath, "Expand", "%SystemRoot%\\Suite\\", REG_EXPAND_SZ));
    ASSERT_TRUE(scratch::SetValue(RawPath, "EmbeddedNul", REG_SZ, std::string("C:\\A\0C:\\B\0", 10)));
    ASSERT_TRUE(scratch::SetValue(RawPath, "Unterminated", REG_SZ, "C:\\Suite"));
    ASSERT_TRUE(scratch::SetValue(RawPath, "OddBytes", REG_SZ, "abcde"));
    ASSERT_TRUE(scratch::SetValue(RawPath, "ZeroSize", REG_SZ, ""));
    ASSERT_TRUE(scratch::SetValue(RawPath, "ZeroSizeDword", REG_DWORD, ""));
    ASSERT_TRUE(scratch::SetText(RawPath, "Long", longPath));

    platform::RegistryKey key(KeyPath);
    EXPECT_EQ(key.ReadString("Plain"), "D:\\Suite\\Bin\\");
    EXPECT_EQ(key.ReadString("plain"), "D:\\Suite\\Bin\\");
    EXPECT_EQ(key.ReadString("Expand"), "%SystemRoot%\\Suite\\");
    EXPECT_EQ(key.ReadString("EmbeddedNul"), "C:\\A");
    EXPECT_EQ(key.ReadString("Unterminated"), "C:\\Suite");
    EXPECT_EQ(key.ReadString("OddBytes"), "abcde");
    EXPECT_EQ(key.ReadString("ZeroSize"), "");
    EXPECT_EQ(key.ReadString("ZeroSizeDword"), "");
    EXPECT_EQ(key.ReadString("Missing"), "");
    EXPECT_EQ(key.ReadString("Long"), longPath);
    EXPECT_TRUE(key.ValueExists("ZeroSize"));
    EXPECT_FALSE(key.ValueExists("Missing"));
}

TEST_F(RegistryTest, EachWrongTypeRaisesItsErrorAndClosesTheKey) {
    ASSERT_TRUE(scratch::SetValue(RawPath, "Dword", REG_DWORD, std::string("\1\0\0\0", 4)));
    ASSERT_TRUE(scratch::SetValue(RawPath, "Binary", REG_BINARY, "C:\\"));
    ASSERT_TRUE(scratch::SetValue(RawPath, "Multi", REG_MULTI_SZ, std::string("C:\\\0\0", 5)));
    ASSERT_TRUE(scratch::SetText(RawPath, "Text", "1"));
    ASSERT_TRUE(scratch::SetValue(RawPath, "Wide", REG_DWORD, "12345678"));

    for (const char* name : {"Dword", "Binary", "Multi"}) {
        EXPECT_EQ(
            ErrorText<platform::RegistryError>([&] { platform::RegistryKey(KeyPath).ReadString(name); }),
            std::string("Invalid data type for '") + name + "'");
    }
    EXPECT_EQ(ErrorText<platform::RegistryError>([&] { platform::RegistryKey(KeyPath).ReadInteger("Text"); }),
              "Invalid data type for 'Text'");
    EXPECT_EQ(
        ErrorText<platform::RegistryError>([&] { platform::RegistryKey(KeyPath).ReadInteger("Binary"); }),
        "Invalid data type for 'Binary'");
    EXPECT_EQ(
        ErrorText<platform::RegistryError>([&] { platform::RegistryKey(KeyPath).ReadInteger("Missing"); }),
        "Failed to get data for 'Missing'");
    EXPECT_EQ(ErrorText<platform::RegistryError>([&] { platform::RegistryKey(KeyPath).ReadInteger("Wide"); }),
              "Failed to get data for 'Wide'");
}

TEST_F(RegistryTest, IntegersAreWrittenAsFourByteDwords) {
    platform::RegistryKey key(KeyPath);
    key.WriteInteger("TestMode", 0);
    key.WriteInteger("LiveTestMode", -5);
    EXPECT_TRUE(key.ValueExists("TestMode"));
    EXPECT_EQ(key.ReadInteger("TestMode"), 0);
    EXPECT_EQ(key.ReadInteger("LiveTestMode"), -5);

    DWORD type = 0, data = 0, size = sizeof(data);
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, RawPath.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    platform::UniqueKey check(raw);
    ASSERT_EQ(::RegQueryValueExA(check.get(), "LiveTestMode", nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                 &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data, 0xFFFFFFFBu);
}

TEST_F(RegistryTest, AnOpenKeyIsAHandleTheLeakCheckCanSee) {
    const HANDLE before = scratch::NextFreeHandle();
    {
        platform::RegistryKey key(KeyPath);
        EXPECT_NE(scratch::NextFreeHandle(), before);
    }
    EXPECT_EQ(scratch::NextFreeHandle(), before);
}

TEST_F(RegistryTest, MovingHandsOverTheOpenKey) {
    platform::RegistryKey first(KeyPath);
    platform::RegistryKey second(std::move(first));
    EXPECT_FALSE(first.IsOpen() || first.IsWritable());
    EXPECT_TRUE(second.IsOpen() && second.IsWritable());
    second.WriteInteger("TestMode", 1);

    platform::RegistryKey third("\\Software\\MivoraTest\\Other\\");
    third = std::move(second);
    EXPECT_EQ(third.ReadInteger("TestMode"), 1);
    EXPECT_TRUE(third.IsWritable());
    third.Close();
    EXPECT_FALSE(third.IsOpen() || third.IsWritable());
    EXPECT_EQ(third.ReadString("TestMode"), "");
}

} // namespace
