#include "platform/win32/dll_search.h"

#include "platform/win32/system_function.h"

#include "platform/win32/module_file_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A DLL of a name the program asks for, planted in the directory it was started from.
TEST(SystemFunction, TakesItsDllFromTheSystemFolderOnly) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "MivoraPlanted\\";
    const std::string planted = "mivora_planted.dll";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA((ModuleDirectory(nullptr) + "suite\\ZM_CheckVer.dll").c_str(),
                            (dir + planted).c_str(), FALSE));
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(dir.c_str()));
    const HMODULE found = ::LoadLibraryA(planted.c_str());
    EXPECT_NE(found, nullptr) << "the default search takes the current directory";
    ::FreeLibrary(found);

    EXPECT_EQ(platform::SystemFunction(planted.c_str(), "ZM_luChkVer"), nullptr);
    EXPECT_NE(platform::SystemFunction("winmm.dll", "sndPlaySoundA"), nullptr);

    ::SetCurrentDirectoryA(previous);
    ::DeleteFileA((dir + planted).c_str());
    ::RemoveDirectoryA(dir.c_str());
}

// Windows documents SetDllDirectory with an empty string as removing the current directory from the
// default DLL search order (XP SP1 and later; earlier systems lack the function). Wine keeps searching
// it, so this stands in for the system and records what it is asked.
std::vector<std::string> DllDirectories;
BOOL WINAPI RecordDllDirectory(LPCSTR directory) {
    DllDirectories.push_back(directory == nullptr ? "(null)" : directory);
    return TRUE;
}

TEST(RemoveCurrentDirectoryFromDllSearch, SetsAnEmptyDllDirectoryWhereTheSystemHasTheFunction) {
    platform::RemoveCurrentDirectoryFromDllSearch(&RecordDllDirectory);
    EXPECT_EQ(DllDirectories, std::vector<std::string>{""});
    platform::RemoveCurrentDirectoryFromDllSearch(nullptr);
}

} // namespace
