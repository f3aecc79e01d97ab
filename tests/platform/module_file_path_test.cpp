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

} // namespace
