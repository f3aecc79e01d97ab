#pragma once

#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/format/persistent.h"
#include "ui/framework/format/stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TepWavePlayOpt : std::uint8_t { wpoSync, wpoAsync, wpoNoDefault, wpoLoop, wpoNoStop };

// One byte, bit n standing for the element of ordinal n.
class TOptionsSet {
public:
    constexpr TOptionsSet() = default;
    constexpr TOptionsSet(std::initializer_list<TepWavePlayOpt> elements) {
        for (TepWavePlayOpt e : elements)
            bits_ = static_cast<std::uint8_t>(bits_ | (1u << e));
    }
    static constexpr TOptionsSet FromBits(std::uint8_t bits) {
        TOptionsSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TepWavePlayOpt e) const { return (bits_ >> e) & 1u; }
    friend constexpr bool operator==(TOptionsSet, TOptionsSet) = default;

private:
    std::uint8_t bits_ = 0;
};

// The sound-service flags for a set of options: kSndMemory plus each element's flag.
std::uint16_t SoundFlagsOf(TOptionsSet options);

// One sound held as a complete wave-file image in memory, stored in a design as the block "Data".
// The bytes are never parsed: what is loaded is what is played and stored.
class TepWave : public TPersistent {
public:
    TepWave();
    ~TepWave() override;
    TepWave(const TepWave&) = delete;
    TepWave& operator=(const TepWave&) = delete;

    static constexpr TClassInfo kClassInfo{"TepWave", &TPersistent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // Takes the stream's whole size from its position. A stream that delivers fewer bytes raises
    // "Stream read error" and leaves the wave as it was.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName) const;

    // A wave copies another's bytes; null keeps the bytes but still counts as a change.
    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    bool Dirty() const { return dirty_; }
    TEvent<void(TepWave* wave)> OnWaveChange;

protected:
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream) const;

private:
    void ReplaceBytes(std::vector<std::uint8_t> bytes);
    void Changed();

    bool dirty_ = false;
    std::vector<std::uint8_t> bytes_;
};

// Plays its own wave from memory with a set of options, raising BeforePlay and AfterPlay around it.
class TepWavePlayer : public TComponent {
public:
    explicit TepWavePlayer(TComponent* owner);
    // Stops every sound of the process before the wave's memory goes.
    ~TepWavePlayer() override;

    static constexpr TClassInfo kClassInfo{"TepWavePlayer", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    void Play();

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TOptionsSet Options() const { return options_; }
    void SetOptions(TOptionsSet options);
    std::uint16_t SndFlags() const { return sndFlags_; }
    TepWave& Wave() { return *wave_; }
    const TepWave& Wave() const { return *wave_; }
    // Copies `wave` into the player's own.
    void SetWave(const TepWave* wave) { wave_->Assign(wave); }

    TNotifyEvent BeforePlay;
    TNotifyEvent AfterPlay;

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    TPersistent* SubObject(std::string_view name) override;

private:
    bool enabled_ = true;
    TOptionsSet options_{wpoSync};
    std::uint16_t sndFlags_ = 0x0004;
    std::unique_ptr<TepWave> wave_;
};

// Makes TepWavePlayer known to the form-layout reader.
void RegisterWavCtrlClasses();
// The wave player's properties for the form-layout writer (tools and tests).
void RegisterWavCtrlWriters();
