#pragma once

#include <cstdint>

// The thread's x87 control word and direction flag, which foreign code may leave changed.
namespace support {

inline std::uint16_t FpuControlWord() {
    std::uint16_t word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

inline bool DirectionFlagSet() {
    std::uint32_t flags = 0;
    asm volatile("pushfl\n\tpopl %0" : "=r"(flags));
    return (flags & 0x400) != 0;
}

} // namespace support
