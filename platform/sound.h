#pragma once

#include <cstdint>

namespace platform {

// Sound-service flags (the values of the Windows SND_ constants).
inline constexpr std::uint32_t kSndSync = 0x0000;
inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndNoDefault = 0x0002;
inline constexpr std::uint32_t kSndMemory = 0x0004;
inline constexpr std::uint32_t kSndLoop = 0x0008;
inline constexpr std::uint32_t kSndNoStop = 0x0010;

// Plays the wave-file image at `image` with `flags` (kSndMemory among them); a null image stops every
// sound the process is playing. True when the service accepted the call. With kSndAsync the service
// keeps reading the image after the call returns.
bool PlayWaveSound(const void* image, std::uint32_t flags);

} // namespace platform
