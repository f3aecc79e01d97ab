#include "app/cpu_check.h"

namespace {

constexpr std::uint32_t kIdFlag = 1u << 21;
constexpr std::uint32_t kCmovBit = 1u << 15;

CpuidResult ReadCpuid(std::uint32_t leaf) {
    CpuidResult result;
    asm volatile("cpuid"
                 : "=a"(result.Eax), "=b"(result.Ebx), "=c"(result.Ecx), "=d"(result.Edx)
                 : "a"(leaf), "c"(0));
    return result;
}

// A processor has CPUID when it lets the ID flag be toggled; the flags are put back as they were.
bool IdFlagToggles() {
    std::uint32_t before = 0;
    std::uint32_t after = 0;
    asm volatile("pushfl\n\t"
                 "popl %0\n\t"
                 "movl %0, %1\n\t"
                 "xorl %2, %1\n\t"
                 "pushl %1\n\t"
                 "popfl\n\t"
                 "pushfl\n\t"
                 "popl %1\n\t"
                 "pushl %0\n\t"
                 "popfl"
                 : "=&r"(before), "=&r"(after)
                 : "i"(kIdFlag)
                 : "cc");
    return ((before ^ after) & kIdFlag) != 0;
}

} // namespace

CpuidInstruction ProcessorCpuid() {
    return IdFlagToggles() ? ReadCpuid : nullptr;
}

bool HasCmov(CpuidInstruction cpuid) {
    if (cpuid == nullptr || cpuid(0).Eax < 1)
        return false;
    return (cpuid(1).Edx & kCmovBit) != 0;
}
