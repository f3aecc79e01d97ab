#include "platform/win32/dll_search.h"

#include "platform/win32/system_function.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char Planted[] = "mivora_planted.dll";

std::string ProgramDirectory() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.rfind('\\') + 1);
}

// A DLL of a name the program asks for, planted in the directory it was started from.
class PlantedDllTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "MivoraPlanted\\";
        ::CreateDirectoryA(dir_.c_str(), nullptr);
        ASSERT_TRUE(::CopyFileA((ProgramDirectory() + "suite\\ZM_CheckVer.dll").c_str(),
                                (dir_ + Planted).c_str(), FALSE));
        ::GetCurrentDirectoryA(MAX_PATH, previous_);
        ASSERT_TRUE(::SetCurrentDirectoryA(dir_.c_str()));
        const HMODULE found = ::LoadLibraryA(Planted);
        ASSERT_NE(found, nullptr) << "the default search takes the current directory";
        ::FreeLibrary(found);
    }
    void TearDown() override {
        ::SetCurrentDirectoryA(previous_);
        ::DeleteFileA((dir_ + Planted).c_str());
        ::RemoveDirectoryA(dir_.c_str());
    }

    std::string dir_;
    char previous_[MAX_PATH] = {};
};

TEST_F(PlantedDllTest, SystemFunctionsComeFromTheSystemFolderOnly) {
    EXPECT_EQ(platform::SystemFunction(Planted, "ZM_luChkVer"), nullptr);
    EXPECT_NE(platform::SystemFunction("winmm.dll", "sndPlaySoundA"), nullptr);
}

TEST_F(PlantedDllTest, StartUpTakesTheCurrentDirectoryOutOfTheSearch) {
    platform::RemoveCurrentDirectoryFromDllSearch();
    const HMODULE found = ::LoadLibraryA(Planted);
    EXPECT_EQ(found, nullptr);
    if (found != nullptr)
        ::FreeLibrary(found);
    // Back to the system's default search for the other tests.
    using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR);
    platform::SystemFunction<SetDllDirectoryProc>("kernel32.dll", "SetDllDirectoryA")(nullptr);
}

} // namespace
