#include "platform/sound.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform {

bool PlayWaveSound(const void* image, std::uint32_t flags) {
    return ::sndPlaySoundA(static_cast<LPCSTR>(image), flags) != FALSE;
}

} // namespace platform
