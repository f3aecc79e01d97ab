#include "platform/win32/system_function.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemFunction, LoadsItsDllOnFirstUseAndAnswersNullForWhatIsMissing) {
    ASSERT_EQ(::GetModuleHandleA("winmm.dll"), nullptr) << "the test program itself must not import winmm";
    using Play = BOOL(WINAPI*)(LPCSTR, UINT);
    const auto play = platform::SystemFunction<Play>("winmm.dll", "sndPlaySoundA");
    ASSERT_NE(play, nullptr);
    const HMODULE winmm = ::GetModuleHandleA("winmm.dll");
    ASSERT_NE(winmm, nullptr) << "loaded by the lookup";
    EXPECT_EQ(reinterpret_cast<void*>(play),
              reinterpret_cast<void*>(::GetProcAddress(winmm, "sndPlaySoundA")));
    EXPECT_NE(platform::SystemFunction("winmm.dll", "waveOutGetNumDevs"), nullptr) << "the same DLL again";

    EXPECT_EQ(platform::SystemFunction("winmm.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(platform::SystemFunction("no-such-library.dll", "Anything"), nullptr);
    EXPECT_EQ(platform::SystemFunction("no-such-library.dll", "Anything"), nullptr) << "asked twice";
}

} // namespace
