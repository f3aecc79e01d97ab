// The player against the real sound service. What can be heard is out of reach; what is observed:
// how long Play takes, that events fire in order, and whether a sound is still playing, asked with a
// SND_NOSTOP call, which the service refuses while another sound plays.
#include "ui/controls/wavctrl.h"

#include "platform/sound.h"

#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A mono 8-bit 8 kHz wave of `milliseconds` of a quiet square tone.
std::vector<std::uint8_t> MakeWave(int milliseconds) {
    const std::uint32_t samples = 8000u * static_cast<std::uint32_t>(milliseconds) / 1000u;
    std::vector<std::uint8_t> image(44 + samples);
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&image[at], &v, 4); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&image[at], &v, 2); };
    std::memcpy(&image[0], "RIFF", 4);
    put32(4, 36 + samples);
    std::memcpy(&image[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);    // PCM
    put16(22, 1);    // mono
    put32(24, 8000); // samples per second
    put32(28, 8000); // bytes per second
    put16(32, 1);    // block align
    put16(34, 8);    // bits per sample
    std::memcpy(&image[36], "data", 4);
    put32(40, samples);
    for (std::uint32_t i = 0; i < samples; ++i)
        image[44 + i] = (i / 20) % 2 ? 0x88 : 0x78;
    return image;
}

void LoadWave(TepWave& wave, int milliseconds) {
    TMemoryStream stream(MakeWave(milliseconds));
    wave.LoadFromStream(stream);
}

// Starts three seconds of sound looping asynchronously.
void PlayLooping(TepWavePlayer& player) {
    LoadWave(player.Wave(), 3000);
    player.SetOptions({wpoAsync, wpoNoDefault, wpoLoop});
    player.Play();
}

// <chrono> cannot be compiled with the CP949 execution character set (its "µs"), so the tick count.
DWORD Since(DWORD start) {
    return ::GetTickCount() - start;
}

// True while some sound of this process plays: a no-stop play is refused then.
bool SoundIsPlaying() {
    static const std::vector<std::uint8_t> blip = MakeWave(10);
    const bool started =
        platform::PlayWaveSound(blip.data(), platform::kSndMemory | platform::kSndAsync |
                                                 platform::kSndNoStop | platform::kSndNoDefault);
    if (started)
        platform::PlayWaveSound(nullptr, 0);
    return !started;
}

// The rig gives Wine a wave-out device (a sound server with a null sink), so every sound really plays.
class WavCtrlWin32 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(::waveOutGetNumDevs(), 0u) << "no wave-out device: run under the rig"; }
    void TearDown() override { platform::PlayWaveSound(nullptr, 0); }
};

TEST_F(WavCtrlWin32, SynchronousPlayReturnsWhenTheSoundHasEnded) {
    TepWavePlayer player(nullptr);
    LoadWave(player.Wave(), 600);
    player.SetOptions({wpoSync, wpoNoDefault});
    const DWORD start = ::GetTickCount();
    player.Play();
    const DWORD elapsed = Since(start);
    EXPECT_GE(elapsed, 450u);
    EXPECT_LT(elapsed, 5000u);
    EXPECT_FALSE(SoundIsPlaying());
}

TEST_F(WavCtrlWin32, AsynchronousPlayGoesOnAfterPlayUntilAnEmptyWaveStopsIt) {
    TepWavePlayer player(nullptr);
    LoadWave(player.Wave(), 3000);
    player.SetOptions({wpoAsync, wpoNoDefault});
    bool playingAtAfterPlay = false;
    player.AfterPlay = TNotifyEvent("After", [&](TObject*) { playingAtAfterPlay = SoundIsPlaying(); });
    const DWORD start = ::GetTickCount();
    player.Play();
    EXPECT_LT(Since(start), 1000u);
    EXPECT_TRUE(playingAtAfterPlay);
    EXPECT_TRUE(SoundIsPlaying());

    // A player without bytes passes a null image, which stops any sound.
    TepWavePlayer silent(nullptr);
    silent.Play();
    EXPECT_FALSE(SoundIsPlaying());
}

TEST_F(WavCtrlWin32, DisabledPlayMakesNoSoundButRaisesBothEventsInOrder) {
    TepWavePlayer player(nullptr);
    LoadWave(player.Wave(), 2000);
    player.SetEnabled(false);
    std::vector<std::string> order;
    player.BeforePlay = TNotifyEvent("Before", [&](TObject*) { order.push_back("before"); });
    player.AfterPlay = TNotifyEvent("After", [&](TObject*) {
        order.push_back("after");
        EXPECT_FALSE(SoundIsPlaying());
    });
    const DWORD start = ::GetTickCount();
    player.Play(); // synchronous: with a sound call it would take two seconds
    EXPECT_LT(Since(start), 500u);
    EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
}

TEST_F(WavCtrlWin32, DestroyingAPlayerStopsAnAsynchronousSoundFirst) {
    auto playing = std::make_unique<TepWavePlayer>(nullptr);
    PlayLooping(*playing);
    ASSERT_TRUE(SoundIsPlaying());

    // Another player's end stops it too, and so does the owner's.
    auto other = std::make_unique<TepWavePlayer>(nullptr);
    other.reset();
    EXPECT_FALSE(SoundIsPlaying());

    playing->Play();
    ASSERT_TRUE(SoundIsPlaying());
    const DWORD start = ::GetTickCount();
    playing.reset();
    EXPECT_LT(Since(start), 1000u);
    EXPECT_FALSE(SoundIsPlaying());
}

TEST_F(WavCtrlWin32, ReloadingAWaveWhileItPlaysStopsItFirst) {
    TepWavePlayer player(nullptr);
    PlayLooping(player);
    ASSERT_TRUE(SoundIsPlaying());
    LoadWave(player.Wave(), 100);
    EXPECT_FALSE(SoundIsPlaying());
}

// A no-stop play refused while another sound plays must not take that sound's place in the player's
// account of which bytes the service reads: the playing wave's reload still stops it first.
TEST_F(WavCtrlWin32, ARefusedNoStopPlayLeavesTheOldSoundAndItsBytesAlive) {
    TepWavePlayer playing(nullptr);
    PlayLooping(playing);
    ASSERT_TRUE(SoundIsPlaying());

    TepWavePlayer refused(nullptr);
    LoadWave(refused.Wave(), 3000);
    refused.SetOptions({wpoAsync, wpoNoDefault, wpoNoStop});
    refused.Play();
    EXPECT_TRUE(SoundIsPlaying()) << "the first sound plays on";

    LoadWave(playing.Wave(), 100);
    EXPECT_FALSE(SoundIsPlaying()) << "replacing the playing bytes stopped the sound first";
}

} // namespace
