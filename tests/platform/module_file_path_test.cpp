#include "platform/win32/module_file_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ModuleFilePath, NamesTheLoadedKernel) {
    const std::string path = ModuleFilePath(::GetModuleHandleA("kernel32.dll"));
    ASSERT_GE(path.size(), 12u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 12).c_str(), "kernel32.dll"), 0) << path;
    EXPECT_EQ(ModuleFilePath(reinterpret_cast<HMODULE>(0x1234)), "");
}

TEST(ModuleDirectory, IsTheFolderOfTheModulesFile) {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const std::string directory = ModuleDirectory(kernel);
    EXPECT_EQ(_stricmp((directory + "kernel32.dll").c_str(), ModuleFilePath(kernel).c_str()), 0) << directory;
    EXPECT_EQ(ModuleDirectory(reinterpret_cast<HMODULE>(0x1234)), "");
}

} // namespace
