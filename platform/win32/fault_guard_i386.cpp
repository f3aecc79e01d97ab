#include "platform/win32/guard_frame.h"

#include <excpt.h>

// Windows 2000 has no vectored handlers and GCC has no __try, so the guard registers its own
// exception-registration record on the thread's handler chain (fs:[0]). The record carries, besides
// the chain link and the handler, the stack and frame pointers to resume with and the caught code.
// On a fault the handler unwinds the frames above the record (their own handlers run, so locks that
// the system holds there are released) and resumes at the guard's exit with the saved pointers,
// where the record is unlinked. The record is the first thing on the guard's stack below the saved
// registers, so the stack pointer to resume with is the record's own address.

namespace {

struct GuardRecord {
    void* Next;
    void* Handler;
    void* ResumeStack;
    void* ResumeFrame;
    DWORD Code;
};

} // namespace

extern "C" {
void mivora_guard_unwind(GuardRecord* record) noexcept;
[[noreturn]] void mivora_guard_resume(GuardRecord* record) noexcept;
EXCEPTION_DISPOSITION mivora_guard_handler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*,
                                           void*) noexcept;
}

EXCEPTION_DISPOSITION mivora_guard_handler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*,
                                           void*) noexcept {
    if ((exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
        return ExceptionContinueSearch;
    auto* record = static_cast<GuardRecord*>(frame);
    record->Code = exception->ExceptionCode;
    mivora_guard_unwind(record);
    mivora_guard_resume(record);
}

// mivora_guard_unwind(record): RtlUnwind up to the record; it may not preserve ebx, esi, edi and ebp.
// mivora_guard_resume(record): back to the guard's exit with the record's stack and frame pointers.
asm(R"(
    .text
    .globl _mivora_run_guarded
    .def _mivora_run_guarded; .scl 2; .type 32; .endef
_mivora_run_guarded:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $0
    pushl %ebp
    pushl $0
    pushl $_mivora_guard_handler
    pushl %fs:0
    movl %esp, 8(%esp)
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    xorl %eax, %eax
Lmivora_guard_exit:
    leal -32(%ebp), %esp
    movl (%esp), %ecx
    movl %ecx, %fs:0
    testl %eax, %eax
    jz 1f
    movl 16(%esp), %ecx
    movl 16(%ebp), %edx
    movl %ecx, (%edx)
1:
    addl $20, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .globl _mivora_guard_resume
    .def _mivora_guard_resume; .scl 2; .type 32; .endef
_mivora_guard_resume:
    movl 4(%esp), %eax
    movl 12(%eax), %ebp
    movl 8(%eax), %esp
    cld
    movl $1, %eax
    jmp Lmivora_guard_exit

    .globl _mivora_guard_unwind
    .def _mivora_guard_unwind; .scl 2; .type 32; .endef
_mivora_guard_unwind:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $0
    pushl $0
    pushl $2f
    pushl 32(%esp)
    call *__imp__RtlUnwind@16
2:
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
