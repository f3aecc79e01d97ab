#include "platform/win32/fault_guard.h"

#include "platform/win32/guard_frame.h"

#include <cstdint>

namespace platform {

namespace {

// The floating-point controls a foreign library may leave changed: the x87 control word, and on x64,
// where floating point runs on SSE, the SSE control and status register too.
struct FloatingPointControls {
    std::uint16_t X87 = 0;
    std::uint32_t Sse = 0;
};

FloatingPointControls SaveControls() noexcept {
    FloatingPointControls controls;
    asm volatile("fnstcw %0" : "=m"(controls.X87));
#ifdef __x86_64__
    asm volatile("stmxcsr %0" : "=m"(controls.Sse));
#endif
    return controls;
}

// Exceptions left pending are dropped first, so that restoring the masks cannot raise one.
void RestoreControls(const FloatingPointControls& controls) noexcept {
    asm volatile("cld\n\tfnclex\n\tfldcw %0" : : "m"(controls.X87) : "cc", "memory");
#ifdef __x86_64__
    asm volatile("ldmxcsr %0" : : "m"(controls.Sse) : "memory");
#endif
}

} // namespace

std::optional<DWORD> RunGuarded(void (*body)(void*) noexcept, void* context) noexcept {
    const FloatingPointControls controls = SaveControls();
    DWORD code = 0;
    const int faulted = mivora_run_guarded(body, context, &code);
    RestoreControls(controls);
    if (faulted != 0)
        return code;
    return std::nullopt;
}

} // namespace platform
