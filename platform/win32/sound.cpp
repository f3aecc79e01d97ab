#include "platform/sound.h"

#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform {

// Only a dialog plays sounds, so winmm is loaded when the first one does.
bool PlayWaveSound(const void* image, std::uint32_t flags) {
    using PlayProc = BOOL(WINAPI*)(LPCSTR, UINT);
    static const auto play = SystemFunction<PlayProc>("winmm.dll", "sndPlaySoundA");
    return play != nullptr && play(static_cast<LPCSTR>(image), flags) != FALSE;
}

} // namespace platform
