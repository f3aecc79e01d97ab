#include "platform/win32/os_version_probe.h"

#include "platform/os_version.h"
#include "platform/win32/module_file_path.h"

#include <cstring>
#include <vector>

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

void FillOsVersionFacts() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info))
        return;
    OsVersionFacts.PlatformId = info.dwPlatformId;
    OsVersionFacts.MajorVersion = info.dwMajorVersion;
    OsVersionFacts.MinorVersion = info.dwMinorVersion;
    OsVersionFacts.ServicePackText.assign(info.szCSDVersion,
                                          ::strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
}

void ProbeKernelVersion() {
    const bool isNt = OsVersionFacts.PlatformId == VER_PLATFORM_WIN32_NT;
    const std::string path = ModuleFilePath(::GetModuleHandleA("kernel32.dll"));
    VS_FIXEDFILEINFO info{};
    if (isNt || !ReadFixedVersionInfo(path, info))
        OsVersionFacts.KernelProductVersionHigh = 0;
    else
        OsVersionFacts.KernelProductVersionHigh = info.dwProductVersionMS;
}

bool ReadFixedVersionInfo(const std::string& path, VS_FIXEDFILEINFO& info) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), handle, size, block.data()))
        return false;
    void* record = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\", &record, &length) || length != sizeof(VS_FIXEDFILEINFO))
        return false;
    std::memcpy(&info, record, sizeof(VS_FIXEDFILEINFO));
    return true;
}
