#include "platform/win32/fault_guard.h"

#include "tests/support/cpu_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

// A handler of the called code that declines the fault and counts how it was called. Kept by name:
// the unwind data below refers to it from assembly, which link-time optimisation does not see.
int SearchCalls = 0;
int UnwindCalls = 0;
extern "C" __attribute__((used)) EXCEPTION_DISPOSITION PassingHandler(EXCEPTION_RECORD* exception, void*,
                                                                      CONTEXT*, void*) {
    ++((exception->ExceptionFlags & EXCEPTION_UNWINDING) != 0 ? UnwindCalls : SearchCalls);
    return ExceptionContinueSearch;
}

#ifdef __x86_64__
// A frame whose unwind data names that handler, as another compiler's frame would; it divides by zero.
extern "C" void FaultUnderAForeignRecord(void*) noexcept;
asm(R"(
    .text
    .globl FaultUnderAForeignRecord
    .def FaultUnderAForeignRecord; .scl 2; .type 32; .endef
    .seh_proc FaultUnderAForeignRecord
FaultUnderAForeignRecord:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler PassingHandler, @except, @unwind
    .seh_endprologue
    xorl %ecx, %ecx
    movl $7, %eax
    cltd
    idivl %ecx
    addq $40, %rsp
    ret
    .seh_endproc
)");
#endif

namespace {

// The head of the thread's handler chain, which a guard must leave as it found it. x64 keeps no chain
// (its handlers are named by the unwind tables), so there it is always null.
void* HandlerChainHead() {
    void* head = nullptr;
#ifndef __x86_64__
    asm volatile("movl %%fs:0, %0" : "=r"(head));
#endif
    return head;
}

void WriteLowMemory(void*) noexcept {
    asm volatile("movl $1, 0x10" ::: "memory");
}
void ReadLowMemory(void*) noexcept {
    int value;
    asm volatile("movl 0x20, %0" : "=r"(value)::"memory");
}
void IllegalInstruction(void*) noexcept {
    asm volatile("ud2");
}
void DivideByZero(void*) noexcept {
    asm volatile("xorl %%ecx, %%ecx\n\tmovl $7, %%eax\n\tcltd\n\tidivl %%ecx" ::: "eax", "ecx", "edx");
}
void Raise(void* code) noexcept {
    ::RaiseException(*static_cast<DWORD*>(code), 0, 0, nullptr);
}
void Count(void* counter) noexcept {
    ++*static_cast<int*>(counter);
}

// Faults with a stack of its own frames above the guard.
void FaultDeepInside(void* depth) noexcept {
    volatile char padding[256];
    padding[0] = 1;
    if (--*static_cast<int*>(depth) > 0)
        FaultDeepInside(depth);
    else
        WriteLowMemory(nullptr);
    padding[1] = padding[0];
}

// As libraries of other compilers leave the thread: every floating-point exception unmasked, and the
// direction flag set.
void UnmaskAndSetDirection(void*) noexcept {
    support::UnmaskFloatingPoint();
    asm volatile("std" ::: "cc");
}
void UnmaskSetDirectionAndFault(void*) noexcept {
    UnmaskAndSetDirection(nullptr);
    asm volatile("movl $1, 0x10" ::: "memory");
}

#ifndef __x86_64__
// A record pushed on the thread's chain, as another compiler's frame would.
struct PassingRecord {
    void* Next;
    void* Handler;
};
void FaultUnderAForeignRecord(void*) noexcept {
    PassingRecord record{HandlerChainHead(), reinterpret_cast<void*>(&PassingHandler)};
    asm volatile("movl %0, %%fs:0" ::"r"(&record) : "memory");
    DivideByZero(nullptr);
}
#endif

// An inner guard catches its own fault; the outer one sees a normal return.
void NestedGuard(void* inner) noexcept {
    *static_cast<std::optional<DWORD>*>(inner) = platform::RunGuarded(DivideByZero, nullptr);
}

TEST(RunGuarded, CatchesEachKindOfFaultWithItsCode) {
    void* const chain = HandlerChainHead();
    EXPECT_EQ(platform::RunGuarded(WriteLowMemory, nullptr), DWORD(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(platform::RunGuarded(ReadLowMemory, nullptr), DWORD(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(platform::RunGuarded(IllegalInstruction, nullptr), DWORD(EXCEPTION_ILLEGAL_INSTRUCTION));
    EXPECT_EQ(platform::RunGuarded(DivideByZero, nullptr), DWORD(EXCEPTION_INT_DIVIDE_BY_ZERO));
    DWORD code = 0xE0001234;
    EXPECT_EQ(platform::RunGuarded(Raise, &code), code);
    EXPECT_EQ(HandlerChainHead(), chain);
}

TEST(RunGuarded, GivesTheCallerBackItsFloatingPointControlAndAClearDirectionFlag) {
    const support::FloatingPointControls callers = support::CurrentControls();
    for (auto* body : {UnmaskAndSetDirection, UnmaskSetDirectionAndFault}) {
        platform::RunGuarded(body, nullptr);
        EXPECT_FALSE(support::DirectionFlagSet());
        EXPECT_EQ(support::CurrentControls(), callers);
        volatile double third = 1.0;
        third = third / 3.0; // inexact: raises when precision exceptions are unmasked
        EXPECT_NEAR(third, 1.0 / 3.0, 1e-9);
    }
}

TEST(RunGuarded, ReturnsNothingAfterANormalRun) {
    void* const chain = HandlerChainHead();
    int counter = 0;
    EXPECT_EQ(platform::RunGuarded(Count, &counter), std::nullopt);
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(HandlerChainHead(), chain);
}

TEST(RunGuarded, SurvivesManyFaultsInARowWithLocalsIntact) {
    void* const chain = HandlerChainHead();
    void (*const faults[])(void*) noexcept = {WriteLowMemory, IllegalInstruction, DivideByZero};
    volatile int sentinel = 0x5A5A5A5A;
    int caught = 0;
    for (int i = 0; i < 3000; ++i)
        caught += platform::RunGuarded(faults[i % 3], nullptr).has_value();
    EXPECT_EQ(caught, 3000);
    EXPECT_EQ(sentinel, 0x5A5A5A5A);
    EXPECT_EQ(HandlerChainHead(), chain);
}

TEST(RunGuarded, CutsBackDeepStacksAndNestsInsideAnotherGuard) {
    void* const chain = HandlerChainHead();
    int depth = 50;
    EXPECT_EQ(platform::RunGuarded(FaultDeepInside, &depth), DWORD(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(depth, 0);

    std::optional<DWORD> inner;
    EXPECT_EQ(platform::RunGuarded(NestedGuard, &inner), std::nullopt);
    EXPECT_EQ(inner, DWORD(EXCEPTION_INT_DIVIDE_BY_ZERO));
    EXPECT_EQ(HandlerChainHead(), chain);
}

TEST(RunGuarded, UnwindsTheRecordsOfTheCalledCode) {
    void* const chain = HandlerChainHead();
    SearchCalls = UnwindCalls = 0;
    EXPECT_EQ(platform::RunGuarded(FaultUnderAForeignRecord, nullptr), DWORD(EXCEPTION_INT_DIVIDE_BY_ZERO));
    EXPECT_EQ(SearchCalls, 1);
    EXPECT_EQ(UnwindCalls, 1);
    EXPECT_EQ(HandlerChainHead(), chain);
}

TEST(RunGuarded, CppExceptionsStillWorkAfterCaughtFaults) {
    ASSERT_TRUE(platform::RunGuarded(WriteLowMemory, nullptr));
    ASSERT_TRUE(platform::RunGuarded(IllegalInstruction, nullptr));
    try {
        throw std::runtime_error("after the fault");
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "after the fault");
    }
    EXPECT_THROW(std::string().at(3), std::out_of_range);
}

TEST(RunGuarded, AnUnguardedFaultStillReachesOuterHandlers) {
    // A fault after the guard has returned is not swallowed by a stale record: the outer guard sees it.
    auto outer = [](void*) noexcept {
        int counter = 0;
        platform::RunGuarded(Count, &counter);
        IllegalInstruction(nullptr);
    };
    EXPECT_EQ(platform::RunGuarded(outer, nullptr), DWORD(EXCEPTION_ILLEGAL_INSTRUCTION));
}

} // namespace
