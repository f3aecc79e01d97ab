// The processor check against stand-ins for the CPUID of documented processors (their leaf 1 EDX as
// Intel's and AMD's manuals give it), and against this processor.
#include "app/cpu_check.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t MaxLeaf = 1;
std::uint32_t Leaf1Edx = 0;

CpuidResult StandIn(std::uint32_t leaf) {
    CpuidResult result;
    if (leaf == 0)
        result.Eax = MaxLeaf;
    else if (leaf <= MaxLeaf)
        result.Edx = Leaf1Edx;
    return result;
}

bool RunsOn(std::uint32_t maxLeaf, std::uint32_t leaf1Edx) {
    MaxLeaf = maxLeaf;
    Leaf1Edx = leaf1Edx;
    return HasCmov(StandIn);
}

TEST(CpuCheck, OnlyProcessorsWithCmovRunTheProgram) {
    EXPECT_FALSE(HasCmov(nullptr)) << "no CPUID: a 386 or an early 486";
    EXPECT_FALSE(RunsOn(0, 0x0000FBFF)) << "CPUID without leaf 1";
    EXPECT_FALSE(RunsOn(1, 0x000001BF)) << "Pentium";
    EXPECT_FALSE(RunsOn(1, 0x008001BF)) << "Pentium MMX, AMD K6";
    EXPECT_TRUE(RunsOn(2, 0x0000FBFF)) << "Pentium Pro";
    EXPECT_TRUE(RunsOn(2, 0x0183F9FF)) << "Pentium III";
    EXPECT_TRUE(HasCmov(ProcessorCpuid())) << "this machine runs the program";
}

} // namespace
