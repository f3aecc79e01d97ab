#pragma once

#include <cstdint>
#include <string>

// The running Windows, as reported at start-up, and its version class.

struct TOsVersionFacts {
    std::uint32_t PlatformId = 0; // 1 the 9x family, 2 the NT family, 0 Win32s
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::string ServicePackText;                // up to the first NUL of the 128-byte field
    std::uint32_t KernelProductVersionHigh = 0; // 9x family only: kernel32's product version, high half
};

// Filled once at start-up, read-only afterwards.
extern TOsVersionFacts OsVersionFacts;

enum class OsVersionClass : std::uint8_t {
    Unrecognized = 0,
    Windows95 = 1,
    Windows95OSR2 = 2,
    Windows98 = 3,
    Windows98SE = 4,
    WindowsME = 5,
    WindowsNT31 = 6,
    WindowsNT35 = 7,
    WindowsNT351 = 8,
    WindowsNT4 = 9,
    Windows2000 = 10,
    WindowsXP = 11,
    WindowsServer2003 = 12,
};

OsVersionClass ClassifyOsVersion(const TOsVersionFacts& facts);
OsVersionClass GetOsVersionClass();

// True for the classes the gate runs on: Windows 2000, XP and Server 2003.
bool IsSupportedOsVersion(OsVersionClass versionClass);
