#include "platform/win32/guard_frame.h"

#include <cstdint>

// x64 exceptions are table-based: the guard's frame names its handler in its unwind data. On a fault
// below it the handler has Windows unwind every frame above (their own handlers run) and resume at the
// frame's exit with the exception code in rax, as the system's own handlers for __except do.

extern "C" {
void mivora_guard_resume() noexcept;
EXCEPTION_DISPOSITION mivora_guard_handler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*,
                                           DISPATCHER_CONTEXT* dispatch) noexcept;
}

EXCEPTION_DISPOSITION mivora_guard_handler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*,
                                           DISPATCHER_CONTEXT* dispatch) noexcept {
    if ((exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
        return ExceptionContinueSearch;
    ::RtlUnwindEx(frame, reinterpret_cast<void*>(&mivora_guard_resume), exception,
                  reinterpret_cast<void*>(static_cast<std::uintptr_t>(exception->ExceptionCode)),
                  dispatch->ContextRecord, dispatch->HistoryTable);
    return ExceptionContinueSearch;
}

// The frame: 32 bytes of home space for the body and 8 to keep the stack aligned; the code's address
// waits in the caller's home slot of r8. mivora_guard_resume is where the unwind lands, with the
// frame's own stack pointer back.
asm(R"(
    .text
    .globl mivora_run_guarded
    .def mivora_run_guarded; .scl 2; .type 32; .endef
    .seh_proc mivora_run_guarded
mivora_run_guarded:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler mivora_guard_handler, @except
    .seh_endprologue
    movq %r8, 64(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    xorl %eax, %eax
    jmp 1f
    .globl mivora_guard_resume
mivora_guard_resume:
    movq 64(%rsp), %rdx
    movl %eax, (%rdx)
    cld
    movl $1, %eax
1:
    addq $40, %rsp
    ret
    .seh_endproc
)");
