#include "platform/win32/os_version_probe.h"

#include "platform/os_version.h"
#include "platform/win32/module_file_path.h"
#include "platform/win32/unique_resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

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

// Wine reports the Windows version chosen for a program under AppDefaults; the probe classifies it.
int ClassUnder(const char* version) {
    const char* key = "Software\\Wine\\AppDefaults\\os_class_probe.exe";
    HKEY created = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
    const platform::UniqueKey settings(created);
    ::RegSetValueExA(settings.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>(std::strlen(version) + 1));

    const std::string probe = ModuleDirectory(nullptr) + "os_class_probe.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = "\"" + probe + "\"";
    if (!::CreateProcessA(probe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    const platform::UniqueHandle thread(process.hThread);
    const platform::UniqueHandle probeProcess(process.hProcess);
    ::WaitForSingleObject(probeProcess.get(), 30000);
    DWORD code = 0;
    ::GetExitCodeProcess(probeProcess.get(), &code);
    return static_cast<int>(code);
}

TEST(OsVersionClassUnderWine, FromTheRealVersionQuery) {
    EXPECT_EQ(ClassUnder("winxp"), 11);
    EXPECT_EQ(ClassUnder("win2k"), 10);
    EXPECT_EQ(ClassUnder("win2003"), 12);
    EXPECT_EQ(ClassUnder("nt40"), 9);
    EXPECT_EQ(ClassUnder("win98"), 4); // Wine's Windows 98 carries the service-pack letter " A "
    EXPECT_EQ(ClassUnder("win7"), 0);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\os_class_probe.exe");
}

} // namespace
