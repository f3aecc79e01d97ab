#include "ui/controls/wavctrl.h"

#include "platform/sound.h"
#include "ui/framework/format/class_registry.h"
#include "ui/framework/format/filer.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 5> kOptionNames = {"wpoSync", "wpoAsync", "wpoNoDefault", "wpoLoop",
                                                          "wpoNoStop"};
constexpr std::array<std::uint16_t, 5> kOptionFlags = {platform::kSndSync, platform::kSndAsync,
                                                       platform::kSndNoDefault, platform::kSndLoop,
                                                       platform::kSndNoStop};

// The image the sound service may still be reading: the last one handed to it for an asynchronous
// play. Bytes at this address are not freed or overwritten before the sound is stopped.
const std::uint8_t* asyncImage = nullptr;

void PlayImage(const std::uint8_t* image, std::uint32_t flags) {
    const bool accepted = platform::PlayWaveSound(image, flags);
    if (image == nullptr || (accepted && (flags & platform::kSndAsync) == 0))
        asyncImage = nullptr; // stopped, or a synchronous play that has ended the previous sound
    else if (accepted)
        asyncImage = image;
}

void StopSoundReading(const std::vector<std::uint8_t>& bytes) {
    if (asyncImage != nullptr && asyncImage == bytes.data())
        PlayImage(nullptr, 0);
}

} // namespace

std::uint16_t SoundFlagsOf(TOptionsSet options) {
    std::uint16_t flags = platform::kSndMemory;
    for (std::size_t i = 0; i < kOptionFlags.size(); ++i)
        if (options.Contains(static_cast<TepWavePlayOpt>(i)))
            flags = static_cast<std::uint16_t>(flags | kOptionFlags[i]);
    return flags;
}

// --- TepWave ---

TepWave::TepWave() = default;

TepWave::~TepWave() {
    StopSoundReading(bytes_);
}

void TepWave::LoadFromStream(TStream& stream) {
    // Read into a new buffer first: a short stream leaves the wave as it was.
    std::vector<std::uint8_t> bytes(static_cast<std::uint32_t>(stream.Size()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    ReplaceBytes(std::move(bytes));
    Changed();
}

void TepWave::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(bytes_.data(), bytes_.size());
}

void TepWave::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TepWave::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TepWave::Assign(const TPersistent* source) {
    if (source == nullptr) {
        Changed();
        return;
    }
    if (const auto* wave = ObjectAs<const TepWave>(source)) {
        if (wave != this)
            ReplaceBytes(wave->bytes_);
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TepWave::DefineProperties(TFiler& filer) {
    // Present in every case, so an empty wave is stored with the count 0.
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
        true);
}

void TepWave::ReadData(TStream& stream) {
    LoadFromStream(stream);
}

void TepWave::WriteData(TStream& stream) const {
    SaveToStream(stream);
}

void TepWave::ReplaceBytes(std::vector<std::uint8_t> bytes) {
    StopSoundReading(bytes_);
    bytes_ = std::move(bytes);
}

void TepWave::Changed() {
    dirty_ = true;
    if (OnWaveChange)
        OnWaveChange(this);
}

// --- TepWavePlayer ---

TepWavePlayer::TepWavePlayer(TComponent* owner) : TComponent(owner), wave_(std::make_unique<TepWave>()) {}

TepWavePlayer::~TepWavePlayer() {
    // The service may be reading this player's (or any) wave asynchronously.
    PlayImage(nullptr, 0);
}

void TepWavePlayer::SetOptions(TOptionsSet options) {
    if (options == options_)
        return;
    options_ = options;
    sndFlags_ = SoundFlagsOf(options);
}

void TepWavePlayer::Play() {
    if (BeforePlay)
        BeforePlay(this);
    if (enabled_) {
        const auto& bytes = wave_->Bytes();
        PlayImage(bytes.empty() ? nullptr : bytes.data(), sndFlags_);
    }
    if (AfterPlay)
        AfterPlay(this);
}

bool TepWavePlayer::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "Enabled")
        enabled_ = reader.ReadBool();
    else if (name == "Options")
        SetOptions(TOptionsSet::FromBits(static_cast<std::uint8_t>(reader.ReadSetBits(kOptionNames))));
    else if (name == "BeforePlay")
        BeforePlay = reader.ReadEvent<void(TObject*)>();
    else if (name == "AfterPlay")
        AfterPlay = reader.ReadEvent<void(TObject*)>();
    else
        return TComponent::ReadProperty(name, reader);
    return true;
}

void TepWavePlayer::WriteProperties(TWriter& writer) const {
    writer.WriteBool("Enabled", enabled_);
    if (options_ != TOptionsSet{wpoSync})
        writer.WriteSetBits("Options", options_.Bits(), kOptionNames);
    writer.WriteObject("Wave", *wave_);
    writer.WriteEvent("BeforePlay", BeforePlay);
    writer.WriteEvent("AfterPlay", AfterPlay);
}

TPersistent* TepWavePlayer::SubObject(std::string_view name) {
    return name == "Wave" ? wave_.get() : nullptr;
}

void RegisterWavCtrlClasses() {
    RegisterComponentClass<TepWavePlayer>("TepWavePlayer");
}

void RegisterWavCtrlWriters() {
    RegisterPropertyWriters<TepWavePlayer>();
}
