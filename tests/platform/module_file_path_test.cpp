#include "platform/win32/module_file_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The gate in a Korean folder: 300 bytes in CP949, 154 characters, which Windows takes.
std::string KoreanGatePath() {
    std::string path = "C:\\";
    for (int i = 0; i < 150; ++i)
        path += "젤";
    return path + "\\Mivora.exe";
}

// GetModuleFileNameA as Windows XP documents it: a path longer than the buffer is cut to fill it, without
// a terminating NUL, and the buffer's size is returned.
DWORD WINAPI XpModuleFileName(HMODULE, LPSTR buffer, DWORD size) {
    const std::string path = KoreanGatePath();
    const DWORD length = size < path.size() ? size : static_cast<DWORD>(path.size());
    std::memcpy(buffer, path.data(), length);
    if (length < size)
        buffer[length] = '\0';
    return length;
}

// A path that never fits.
DWORD WINAPI EndlessModuleFileName(HMODULE, LPSTR buffer, DWORD size) {
    std::memset(buffer, 'x', size);
    return size;
}

TEST(ModuleFilePath, NamesTheLoadedKernel) {
    const std::string path = ModuleFilePath(::GetModuleHandleA("kernel32.dll"));
    ASSERT_GE(path.size(), 12u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 12).c_str(), "kernel32.dll"), 0) << path;
    EXPECT_EQ(ModuleFilePath(reinterpret_cast<HMODULE>(0x1234)), "");
}

TEST(ModuleFilePath, IsHadWholeOrNotAtAll) {
    EXPECT_EQ(ModuleFilePath(nullptr, XpModuleFileName), KoreanGatePath());
    EXPECT_EQ(ModuleFilePath(nullptr, EndlessModuleFileName), "");
}

TEST(ModuleDirectory, IsTheFolderOfTheModulesFile) {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const std::string directory = ModuleDirectory(kernel);
    EXPECT_EQ(_stricmp((directory + "kernel32.dll").c_str(), ModuleFilePath(kernel).c_str()), 0) << directory;
    EXPECT_EQ(ModuleDirectory(reinterpret_cast<HMODULE>(0x1234)), "");
}

} // namespace
