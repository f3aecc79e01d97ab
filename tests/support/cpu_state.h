#pragma once

#include <cstdint>

// The thread's floating-point controls and direction flag, which foreign code may leave changed.
namespace support {

// The x87 control word, and on x64, where floating point runs on SSE, the SSE control register.
struct FloatingPointControls {
    std::uint16_t X87 = 0;
    std::uint32_t Sse = 0;
    bool operator==(const FloatingPointControls&) const = default;
};

inline FloatingPointControls CurrentControls() {
    FloatingPointControls controls;
    asm volatile("fnstcw %0" : "=m"(controls.X87));
#ifdef __x86_64__
    asm volatile("stmxcsr %0" : "=m"(controls.Sse));
    controls.Sse &= ~0x3Fu; // the status flags, which any arithmetic sets
#endif
    return controls;
}

// Every floating-point exception unmasked, as libraries of other compilers often leave the thread.
inline void UnmaskFloatingPoint() {
    const std::uint16_t x87Unmasked = 0x1340;
    asm volatile("fldcw %0" : : "m"(x87Unmasked));
#ifdef __x86_64__
    const std::uint32_t sseUnmasked = 0x0000;
    asm volatile("ldmxcsr %0" : : "m"(sseUnmasked));
#endif
}

inline bool DirectionFlagSet() {
    std::uintptr_t flags = 0;
#ifdef __x86_64__
    asm volatile("pushfq\n\tpopq %0" : "=r"(flags));
#else
    asm volatile("pushfl\n\tpopl %0" : "=r"(flags));
#endif
    return (flags & 0x400) != 0;
}

} // namespace support
