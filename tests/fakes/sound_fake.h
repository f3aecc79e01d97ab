#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace fakes {

// One call of the sound service as the fake saw it.
struct SoundCall {
    const void* image;
    std::uint32_t flags;
};

// Every call since the last ResetSound, in order.
const std::vector<SoundCall>& SoundCalls();
void ResetSound();
// Runs during each call, e.g. to look at the image while the caller still holds it.
void OnSoundCall(std::function<void(const SoundCall&)> probe);

} // namespace fakes
