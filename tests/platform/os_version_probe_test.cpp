#include "platform/win32/os_version_probe.h"

#include "platform/os_version.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ModuleFilePath, NamesTheLoadedKernel) {
    const std::string path = ModuleFilePath(::GetModuleHandleA("kernel32.dll"));
    ASSERT_GE(path.size(), 12u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 12).c_str(), "kernel32.dll"), 0) << path;
    EXPECT_EQ(ModuleFilePath(reinterpret_cast<HMODULE>(0x1234)), "");
}

TEST(ReadFixedVersionInfo, ReadsTheKernelRecordAndLeavesOutputAloneOnFailure) {
    VS_FIXEDFILEINFO info{};
    ASSERT_TRUE(ReadFixedVersionInfo(ModuleFilePath(::GetModuleHandleA("kernel32.dll")), info));
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);

    VS_FIXEDFILEINFO untouched;
    std::memset(&untouched, 0xAB, sizeof(untouched));
    VS_FIXEDFILEINFO output = untouched;
    EXPECT_FALSE(ReadFixedVersionInfo("C:\\no\\such\\file.dll", output));
    EXPECT_EQ(std::memcmp(&output, &untouched, sizeof(output)), 0);
}

TEST(OsVersionFacts, FilledFromTheRunningSystem) {
    FillOsVersionFacts();
    ProbeKernelVersion();
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(::GetVersionExA(&info));
    EXPECT_EQ(OsVersionFacts.PlatformId, info.dwPlatformId);
    EXPECT_EQ(OsVersionFacts.MajorVersion, info.dwMajorVersion);
    EXPECT_EQ(OsVersionFacts.MinorVersion, info.dwMinorVersion);
    EXPECT_EQ(OsVersionFacts.ServicePackText, info.szCSDVersion);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        EXPECT_EQ(OsVersionFacts.KernelProductVersionHigh, 0u);
    }
}

} // namespace
