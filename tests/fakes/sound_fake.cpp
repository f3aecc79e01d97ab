#include "tests/fakes/sound_fake.h"

#include "platform/sound.h"

namespace {

std::vector<fakes::SoundCall> calls;
std::function<void(const fakes::SoundCall&)> probe;

} // namespace

namespace fakes {

const std::vector<SoundCall>& SoundCalls() {
    return calls;
}

void ResetSound() {
    calls.clear();
    probe = nullptr;
}

void OnSoundCall(std::function<void(const SoundCall&)> callback) {
    probe = std::move(callback);
}

} // namespace fakes

namespace platform {

bool PlayWaveSound(const void* image, std::uint32_t flags) {
    calls.push_back({image, flags});
    if (probe)
        probe(calls.back());
    return true;
}

} // namespace platform
