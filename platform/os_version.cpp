#include "platform/os_version.h"

#include "platform/text.h"

TOsVersionFacts OsVersionFacts;

namespace {

constexpr std::uint32_t WindowsMeKernelVersion = 0x4005A; // product version 4.90

OsVersionClass Classify9x(const TOsVersionFacts& facts, const std::string& servicePack) {
    const std::uint32_t minor = facts.MinorVersion;
    if (minor <= 9)
        return servicePack == "B" || servicePack == "C" ? OsVersionClass::Windows95OSR2
                                                        : OsVersionClass::Windows95;
    if (minor <= 89) {
        if (facts.KernelProductVersionHigh == WindowsMeKernelVersion)
            return OsVersionClass::WindowsME;
        return servicePack == "A" ? OsVersionClass::Windows98SE : OsVersionClass::Windows98;
    }
    return minor == 90 ? OsVersionClass::WindowsME : OsVersionClass::Unrecognized;
}

OsVersionClass ClassifyNt(const TOsVersionFacts& facts) {
    switch (facts.MajorVersion) {
    case 3:
        switch (facts.MinorVersion) {
        case 1:
            return OsVersionClass::WindowsNT31;
        case 5:
            return OsVersionClass::WindowsNT35;
        case 51:
            return OsVersionClass::WindowsNT351;
        default:
            return OsVersionClass::Unrecognized;
        }
    case 4:
        return OsVersionClass::WindowsNT4;
    case 5:
        switch (facts.MinorVersion) {
        case 0:
            return OsVersionClass::Windows2000;
        case 1:
            return OsVersionClass::WindowsXP;
        case 2:
            return OsVersionClass::WindowsServer2003;
        default:
            return OsVersionClass::Unrecognized;
        }
    default:
        return OsVersionClass::Unrecognized;
    }
}

} // namespace

OsVersionClass ClassifyOsVersion(const TOsVersionFacts& facts) {
    switch (facts.PlatformId) {
    case 1:
        return Classify9x(facts, platform::TrimControls(facts.ServicePackText));
    case 2:
        return ClassifyNt(facts);
    default:
        return OsVersionClass::Unrecognized;
    }
}

OsVersionClass GetOsVersionClass() {
    return ClassifyOsVersion(OsVersionFacts);
}

bool IsSupportedOsVersion(OsVersionClass versionClass) {
    return versionClass == OsVersionClass::Windows2000 || versionClass == OsVersionClass::WindowsXP ||
           versionClass == OsVersionClass::WindowsServer2003;
}
