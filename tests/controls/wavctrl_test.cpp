#include "ui/controls/wavctrl.h"

#include "tests/fakes/sound_fake.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

#include <gtest/gtest.h>

namespace {

using fakes::SoundCalls;

// A stream whose size promises more than it delivers.
class ShortStream : public TMemoryStream {
public:
    using TMemoryStream::TMemoryStream;
    std::int64_t Size() override { return TMemoryStream::Size() + 10; }
};

class WavCtrl : public ::testing::Test {
protected:
    void SetUp() override { fakes::ResetSound(); }
    void TearDown() override { fakes::ResetSound(); }

    static void Load(TepWave& wave, std::vector<std::uint8_t> bytes) {
        TMemoryStream stream(std::move(bytes));
        wave.LoadFromStream(stream);
    }
};

TEST_F(WavCtrl, OptionsGiveTheirFlags) {
    EXPECT_EQ(SoundFlagsOf({}), 0x0004);
    EXPECT_EQ(SoundFlagsOf({wpoSync}), 0x0004);
    EXPECT_EQ(SoundFlagsOf({wpoSync, wpoAsync}), 0x0005);
    EXPECT_EQ(SoundFlagsOf({wpoAsync, wpoLoop}), 0x000D);
    EXPECT_EQ(SoundFlagsOf({wpoLoop}), 0x000C) << "looping without async is passed on as it is";
    EXPECT_EQ(SoundFlagsOf({wpoNoDefault}), 0x0006);
    EXPECT_EQ(SoundFlagsOf({wpoNoStop}), 0x0014);
    EXPECT_EQ(SoundFlagsOf({wpoSync, wpoAsync, wpoNoDefault, wpoLoop, wpoNoStop}), 0x001F);
}

TEST_F(WavCtrl, ANewPlayerPlaysSynchronouslyAndOnlySetsFlagsOnAChange) {
    TepWavePlayer player(nullptr);
    EXPECT_TRUE(player.Enabled());
    EXPECT_EQ(player.Options(), TOptionsSet{wpoSync});
    EXPECT_EQ(player.SndFlags(), 0x0004);
    EXPECT_TRUE(player.Wave().Bytes().empty());

    player.SetOptions({wpoAsync, wpoLoop});
    EXPECT_EQ(player.SndFlags(), 0x000D);
    player.SetOptions({});
    EXPECT_EQ(player.SndFlags(), 0x0004);
}

TEST_F(WavCtrl, PlayPassesTheImageAndFlagsBetweenBothEvents) {
    TepWavePlayer player(nullptr);
    std::vector<std::string> order;
    player.BeforePlay = TNotifyEvent("Before", [&](TObject* sender) {
        EXPECT_EQ(sender, &player);
        order.push_back("before:" + std::to_string(SoundCalls().size()));
    });
    player.AfterPlay = TNotifyEvent("After", [&](TObject* sender) {
        EXPECT_EQ(sender, &player);
        order.push_back("after:" + std::to_string(SoundCalls().size()));
    });

    // An empty wave passes a null image, which stops any sound.
    player.Play();
    ASSERT_EQ(SoundCalls().size(), 1u);
    EXPECT_EQ(SoundCalls()[0].image, nullptr);
    EXPECT_EQ(SoundCalls()[0].flags, 0x0004u);

    Load(player.Wave(), {'R', 'I', 'F', 'F'});
    player.SetOptions({wpoAsync, wpoNoDefault});
    player.Play();
    ASSERT_EQ(SoundCalls().size(), 2u);
    EXPECT_EQ(SoundCalls()[1].image, player.Wave().Bytes().data());
    EXPECT_EQ(SoundCalls()[1].flags, 0x0007u);
    EXPECT_EQ(order, (std::vector<std::string>{"before:0", "after:1", "before:1", "after:2"}));

    // Disabled: no sound call, both events still fire.
    order.clear();
    player.SetEnabled(false);
    player.Play();
    EXPECT_EQ(SoundCalls().size(), 2u);
    EXPECT_EQ(order, (std::vector<std::string>{"before:2", "after:2"}));
}

TEST_F(WavCtrl, DestroyingAPlayerStopsAllSound) {
    auto player = std::make_unique<TepWavePlayer>(nullptr);
    delete player.release();
    ASSERT_EQ(SoundCalls().size(), 1u);
    EXPECT_EQ(SoundCalls()[0].image, nullptr);
    EXPECT_EQ(SoundCalls()[0].flags, 0u);
}

TEST_F(WavCtrl, ReplacingBytesThatMayBePlayingStopsTheSoundFirst) {
    TepWavePlayer player(nullptr);
    Load(player.Wave(), {1, 2, 3});
    player.SetOptions({wpoAsync});
    player.Play();
    const void* playing = player.Wave().Bytes().data();
    // The stop must come while the old bytes still exist.
    fakes::OnSoundCall([&](const fakes::SoundCall& call) {
        EXPECT_EQ(call.image, nullptr);
        EXPECT_EQ(player.Wave().Bytes().data(), playing);
    });
    Load(player.Wave(), {4, 5});
    ASSERT_EQ(SoundCalls().size(), 2u);
    fakes::OnSoundCall(nullptr);

    // Once stopped, a further replacement makes no call; nor does one after a synchronous play.
    TepWave other;
    player.Wave().Assign(&other);
    player.SetOptions({wpoSync});
    Load(player.Wave(), {6});
    player.Play();
    Load(player.Wave(), {7});
    EXPECT_EQ(SoundCalls().size(), 3u);

    // An async play, then another player's asynchronous sound takes over: ours is no longer read.
    player.SetOptions({wpoAsync});
    player.Play();
    TepWavePlayer second(nullptr);
    Load(second.Wave(), {8});
    second.SetOptions({wpoAsync});
    second.Play();
    player.Wave().Assign(&other);
    EXPECT_EQ(SoundCalls().size(), 5u);
}

TEST_F(WavCtrl, DataRoundTripKeepsTheBytesAndTheCount) {
    RegisterWavCtrlClasses();
    RegisterWavCtrlWriters();
    for (std::size_t n : {0u, 1u, 300u}) {
        TepWavePlayer player(nullptr);
        player.SetName("wp");
        std::vector<std::uint8_t> bytes(n);
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7);
        Load(player.Wave(), bytes);

        TMemoryStream design;
        WriteComponentResource(design, player);
        // "Wave.Data", tag 0x0A, the count, then exactly the bytes.
        const auto& out = design.Bytes();
        const std::string path = "\x09Wave.Data\x0A";
        const auto at = std::search(out.begin(), out.end(), path.begin(), path.end());
        ASSERT_NE(at, out.end()) << n;
        const auto count = at + static_cast<std::ptrdiff_t>(path.size());
        EXPECT_EQ(std::vector<std::uint8_t>(count, count + 4),
                  (std::vector<std::uint8_t>{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                             0, 0}));
        EXPECT_EQ(std::vector<std::uint8_t>(count + 4, count + 4 + static_cast<std::ptrdiff_t>(n)), bytes);

        design.SetPosition(0);
        std::unique_ptr<TComponent> copy = TReader(design).ReadRootComponent();
        auto* read = ObjectAs<TepWavePlayer>(copy.get());
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->Wave().Bytes(), bytes);
    }
}

TEST_F(WavCtrl, PlayerStoresEnabledAlwaysAndOptionsWhenNotTheDefault) {
    RegisterWavCtrlClasses();
    RegisterWavCtrlWriters();
    TepWavePlayer player(nullptr);
    player.SetName("wp");
    TMemoryStream design;
    WriteComponentResource(design, player);
    const std::string written(design.Bytes().begin(), design.Bytes().end());
    EXPECT_NE(written.find("\x07"
                           "Enabled\x09"),
              std::string::npos);
    EXPECT_EQ(written.find("Options"), std::string::npos);

    player.SetEnabled(false);
    player.SetOptions({wpoAsync, wpoLoop});
    design.Clear();
    WriteComponentResource(design, player);
    design.SetPosition(0);
    std::unique_ptr<TComponent> copy = TReader(design).ReadRootComponent();
    auto* read = ObjectAs<TepWavePlayer>(copy.get());
    EXPECT_FALSE(read->Enabled());
    EXPECT_EQ(read->Options(), (TOptionsSet{wpoAsync, wpoLoop}));
    EXPECT_EQ(read->SndFlags(), 0x000D);
}

TEST_F(WavCtrl, AssignCopiesIndependentBytes) {
    auto source = std::make_unique<TepWave>();
    Load(*source, {1, 2, 3});
    TepWave copy;
    int changes = 0;
    copy.OnWaveChange = TEvent<void(TepWave*)>("Changed", [&](TepWave* wave) {
        EXPECT_EQ(wave, &copy);
        ++changes;
    });
    copy.Assign(source.get());
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(copy.Dirty());
    Load(*source, {9});
    EXPECT_EQ(copy.Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
    source.reset();
    EXPECT_EQ(copy.Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));

    // A null source keeps the bytes but still counts as a change.
    copy.Assign(nullptr);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(copy.Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));

    // A player's wave setter copies too.
    TepWavePlayer player(nullptr);
    player.SetWave(&copy);
    EXPECT_EQ(player.Wave().Bytes(), copy.Bytes());
    EXPECT_NE(player.Wave().Bytes().data(), copy.Bytes().data());
}

TEST_F(WavCtrl, AssigningAnotherClassFails) {
    TepWave wave;
    TepWavePlayer player(nullptr);
    try {
        wave.Assign(&player);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TepWavePlayer to a TepWave");
    }
}

TEST_F(WavCtrl, AShortStreamLeavesTheWaveIntact) {
    TepWave wave;
    Load(wave, {1, 2, 3});
    int changes = 0;
    wave.OnWaveChange = TEvent<void(TepWave*)>("Changed", [&](TepWave*) { ++changes; });
    ShortStream shortStream(std::vector<std::uint8_t>{7, 7, 7, 7});
    try {
        wave.LoadFromStream(shortStream);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(wave.Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(changes, 0);
}

TEST_F(WavCtrl, FilesLoadAndSaveAndNameTheFileOnFailure) {
    const std::string name = testing::TempDir() + "wavctrl_test.wav";
    TepWave wave;
    Load(wave, {'R', 'I', 'F', 'F', 0});
    wave.SaveToFile(name);
    TepWave loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Bytes(), wave.Bytes());
    std::remove(name.c_str());
    try {
        loaded.LoadFromFile(name);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(name), std::string::npos);
    }
    EXPECT_EQ(loaded.Bytes(), wave.Bytes());
}

} // namespace
