#include "platform/win32/foreign_call.h"

extern "C" std::int32_t mivora_call_stdcall4(void* function, const std::uintptr_t* arguments) noexcept;

// Pushes the four arguments, calls, and then takes the stack pointer back from the frame pointer,
// whatever the callee removed. Callee-saved registers are restored from this frame too.
asm(R"(
    .text
    .globl _mivora_call_stdcall4
    .def _mivora_call_stdcall4; .scl 2; .type 32; .endef
_mivora_call_stdcall4:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %eax
    pushl 12(%eax)
    pushl 8(%eax)
    pushl 4(%eax)
    pushl (%eax)
    call *8(%ebp)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace platform {

std::int32_t CallFourArguments(void* function, const std::uintptr_t (&arguments)[4]) noexcept {
    return mivora_call_stdcall4(function, arguments);
}

} // namespace platform
