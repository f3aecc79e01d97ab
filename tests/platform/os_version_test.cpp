#include "platform/os_version.h"

#include <gtest/gtest.h>

namespace {

OsVersionClass Nt(std::uint32_t major, std::uint32_t minor) {
    return ClassifyOsVersion({2, major, minor, "", 0});
}
OsVersionClass Win9x(std::uint32_t minor, std::string servicePack, std::uint32_t kernel = 0) {
    return ClassifyOsVersion({1, 4, minor, std::move(servicePack), kernel});
}

TEST(OsVersionClass, NtFamily) {
    EXPECT_EQ(Nt(5, 0), OsVersionClass::Windows2000);
    EXPECT_EQ(Nt(5, 1), OsVersionClass::WindowsXP);
    EXPECT_EQ(Nt(5, 2), OsVersionClass::WindowsServer2003);
    EXPECT_EQ(Nt(5, 3), OsVersionClass::Unrecognized);
    EXPECT_EQ(Nt(6, 0), OsVersionClass::Unrecognized);
    EXPECT_EQ(Nt(10, 0), OsVersionClass::Unrecognized);
    EXPECT_EQ(Nt(2, 0), OsVersionClass::Unrecognized);
    EXPECT_EQ(Nt(4, 0), OsVersionClass::WindowsNT4);
    EXPECT_EQ(Nt(4, 77), OsVersionClass::WindowsNT4);
    EXPECT_EQ(Nt(3, 1), OsVersionClass::WindowsNT31);
    EXPECT_EQ(Nt(3, 5), OsVersionClass::WindowsNT35);
    EXPECT_EQ(Nt(3, 51), OsVersionClass::WindowsNT351);
    EXPECT_EQ(Nt(3, 50), OsVersionClass::Unrecognized);
}

TEST(OsVersionClass, NtFamilyIgnoresServicePackAndKernel) {
    EXPECT_EQ(ClassifyOsVersion({2, 5, 1, "Service Pack 3", 0x4005A}), OsVersionClass::WindowsXP);
}

TEST(OsVersionClass, Windows95ServicePackLetterIsTrimmedAndCaseSensitive) {
    EXPECT_EQ(Win9x(0, " B "), OsVersionClass::Windows95OSR2);
    EXPECT_EQ(Win9x(0, "\tC\r\n"), OsVersionClass::Windows95OSR2);
    EXPECT_EQ(Win9x(9, "b"), OsVersionClass::Windows95);
    EXPECT_EQ(Win9x(0, "BC"), OsVersionClass::Windows95);
    EXPECT_EQ(Win9x(0, "   "), OsVersionClass::Windows95);
}

TEST(OsVersionClass, Windows98KernelVersionWinsOverLetter) {
    EXPECT_EQ(Win9x(10, "A", 0x4005A), OsVersionClass::WindowsME);
    EXPECT_EQ(Win9x(10, "A", 0x4000A), OsVersionClass::Windows98SE);
    EXPECT_EQ(Win9x(10, " A "), OsVersionClass::Windows98SE);
    EXPECT_EQ(Win9x(10, ""), OsVersionClass::Windows98);
    EXPECT_EQ(Win9x(89, "a"), OsVersionClass::Windows98);
}

TEST(OsVersionClass, WindowsMeAndBeyond) {
    EXPECT_EQ(Win9x(90, "", 0), OsVersionClass::WindowsME);
    EXPECT_EQ(Win9x(91, "", 0x4005A), OsVersionClass::Unrecognized);
}

TEST(OsVersionClass, OtherPlatformsAndEmptyFacts) {
    EXPECT_EQ(ClassifyOsVersion({0, 5, 1, "", 0}), OsVersionClass::Unrecognized);
    EXPECT_EQ(ClassifyOsVersion({3, 5, 1, "", 0}), OsVersionClass::Unrecognized);
    EXPECT_EQ(ClassifyOsVersion({}), OsVersionClass::Unrecognized);
}

TEST(OsVersionClass, OnlyWindows2000XpAnd2003AreSupported) {
    for (int c = 0; c <= 12; ++c) {
        const auto versionClass = static_cast<OsVersionClass>(c);
        EXPECT_EQ(IsSupportedOsVersion(versionClass), c >= 10) << c;
    }
}

} // namespace
