#pragma once

#include <cstdint>

// Whether this processor runs the program: the compiler and its runtime use CMOV, which the Pentium
// Pro brought, so a Pentium, a Pentium MMX or an AMD K6 (which Windows XP still supports) must be told
// instead of dying on an illegal instruction. Built for the i386, so that it runs on any of them.

struct CpuidResult {
    std::uint32_t Eax = 0;
    std::uint32_t Ebx = 0;
    std::uint32_t Ecx = 0;
    std::uint32_t Edx = 0;
};

// The CPUID instruction for one leaf; null for a processor without it.
using CpuidInstruction = CpuidResult (*)(std::uint32_t leaf);

// This processor's CPUID, or null where the ID flag of EFLAGS cannot be changed (a 386 or an early 486).
CpuidInstruction ProcessorCpuid();

// True when CPUID reports CMOV (leaf 1, EDX bit 15).
bool HasCmov(CpuidInstruction cpuid);
