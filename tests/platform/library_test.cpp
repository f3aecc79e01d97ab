#include "platform/library.h"

#include "platform/files.h"
#include "platform/win32/library.h"

#include "platform/win32/module_file_path.h"
#include "tests/fakes/debug_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::int32_t __stdcall Combine(const char* text, std::int32_t number, const char* other, std::int32_t last) {
    return static_cast<std::int32_t>(std::strlen(text)) * 1000 + number * 100 + (other == nullptr ? 0 : 10) +
           last;
}

// Built with the wrong convention: leaves its four arguments on the caller's stack.
extern "C" std::int32_t __cdecl LeavesItsArguments(std::int32_t a, std::int32_t b, std::int32_t c,
                                                   std::int32_t d) {
    return a + b + c + d;
}

std::int32_t __stdcall Faults(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    asm volatile("movl $1, 0x10" ::: "memory");
    return 0;
}

BOOL WINAPI FaultingRelease(HMODULE) {
    asm volatile("ud2");
    return TRUE;
}

// Windows runs a library's start-up code (its entry point, DLL_PROCESS_ATTACH) inside LoadLibraryEx, on
// the calling thread ("Run-Time Dynamic Linking"), and its loader does not catch what that code raises
// (Wine's does): the fault leaves LoadLibraryEx. This load faults just so.
HMODULE WINAPI LoadFaultingInStartUp(LPCSTR, HANDLE, DWORD) {
    asm volatile("movl $1, 0x10" ::: "memory");
    return nullptr;
}

TEST(CallStdcall4, PassesTheArgumentsInOrderAndReturnsTheAnswer) {
    const char* text = "ZM_000001";
    const char* other = "D:\\";
    EXPECT_EQ(platform::CallStdcall4(reinterpret_cast<void*>(&Combine),
                                     reinterpret_cast<std::uintptr_t>(text), 1,
                                     reinterpret_cast<std::uintptr_t>(other), 1),
              9111);
    EXPECT_EQ(platform::CallStdcall4(reinterpret_cast<void*>(&Combine),
                                     reinterpret_cast<std::uintptr_t>(text), 0, 0, 0),
              9000);
}

TEST(CallStdcall4, ACdeclFunctionDoesNotShiftTheCallersStack) {
    volatile std::int32_t sentinel = 0x1234567;
    std::int64_t total = 0;
    for (int i = 0; i < 100000; ++i)
        total += *platform::CallStdcall4(reinterpret_cast<void*>(&LeavesItsArguments), 1, 2, 3, i);
    EXPECT_EQ(total, 100000LL * 6 + (99999LL * 100000) / 2);
    EXPECT_EQ(sentinel, 0x1234567);
}

TEST(CallStdcall4, AFaultInsideGivesNothingAndCallsGoOn) {
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(platform::CallStdcall4(reinterpret_cast<void*>(&Faults), 1, 2, 3, 4), std::nullopt);
    EXPECT_EQ(platform::CallStdcall4(reinterpret_cast<void*>(&LeavesItsArguments), 1, 2, 3, 4), 10);
}

TEST(GuardedRelease, AFaultingReleaseIsReportedAndSurvived) {
    EXPECT_FALSE(platform::GuardedRelease(&FaultingRelease, nullptr));
    EXPECT_FALSE(platform::GuardedRelease(&FaultingRelease, nullptr));
}

TEST(GuardedLoad, AFaultInTheLibrarysStartUpIsAFailedLoad) {
    EXPECT_EQ(platform::GuardedLoad(&LoadFaultingInStartUp, "C:\\Suite\\ZM_CheckVer.dll"), nullptr);
    EXPECT_EQ(platform::GuardedLoad(&LoadFaultingInStartUp, "C:\\Suite\\ZM_CheckVer.dll"), nullptr);
}

// Which guarded step faulted, and how, is what a support engineer reads first.
TEST(GuardedSteps, EachFaultIsNamedInTheDebugOutput) {
    fakes::DebugLines().clear();
    platform::GuardedLoad(&LoadFaultingInStartUp, "C:\\Suite\\ZM_CheckVer.dll");
    platform::CallStdcall4(reinterpret_cast<void*>(&Faults), 1, 2, 3, 4);
    platform::GuardedRelease(&FaultingRelease, nullptr);
    EXPECT_EQ(fakes::DebugLines(), (std::vector<std::string>{"fault C0000005 in the library's start-up code",
                                                             "fault C0000005 in the library's call",
                                                             "fault C000001D in the library's release"}));
}

TEST(LoadLibraryFile, LoadsFindsAndReleasesTheSimulatedLibrary) {
    const std::string path = ModuleDirectory(nullptr) + "suite\\ZM_CheckVer.dll";
    ASSERT_TRUE(platform::FileExists(path)) << path;
    platform::LibraryHandle library = platform::LoadLibraryFile(path);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(platform::FindExport(library, "ZM_luChkVer"), nullptr);
    EXPECT_EQ(platform::FindExport(library, "ZM_luChkVer@16"), nullptr);
    EXPECT_EQ(platform::FindExport(library, "zm_luchkver"), nullptr);
    EXPECT_TRUE(platform::ReleaseLibrary(library));
    EXPECT_EQ(::GetModuleHandleA(path.c_str()), nullptr);
}

TEST(LoadLibraryFile, NothingForMissingDirectoryOrNonLibraryFiles) {
    fakes::DebugLines().clear();
    EXPECT_EQ(platform::LoadLibraryFile("C:\\no\\such\\ZM_CheckVer.dll"), nullptr);
    EXPECT_EQ(platform::LoadLibraryFile(ModuleDirectory(nullptr) + "suite"), nullptr);
    EXPECT_FALSE(platform::FileExists(ModuleDirectory(nullptr) + "suite"));
    EXPECT_FALSE(platform::FileExists(ModuleDirectory(nullptr) + "*.exe"));
    ASSERT_EQ(fakes::DebugLines().size(), 2u) << "the Windows error of each failed load";
    EXPECT_EQ(fakes::DebugLines()[0], "library not loaded, Windows error 126: C:\\no\\such\\ZM_CheckVer.dll");
}

} // namespace
